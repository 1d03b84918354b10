// Win32InstallerRunner under Wine: exit codes of exactly this run, programs that cannot start, windows held still.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32/win32_installer_runner.h"

namespace qv {
namespace {

std::string SystemProgram(const char* name) {
    char directory[MAX_PATH];
    ::GetSystemDirectoryA(directory, MAX_PATH);
    return std::string(directory) + "\\" + name;
}

ProcessCommand Shell(const std::string& script) {
    const std::string cmd = SystemProgram("cmd.exe");
    return {cmd, "\"" + cmd + "\" /c " + script};
}

// About one second of waiting, without work for the processor.
const char* const kOneSecond = "ping -n 2 127.0.0.1 >nul & ";

struct ExitCase {
    const char* script;
    std::uint32_t exitCode;
};

class ExitCodes : public ::testing::TestWithParam<ExitCase> {};

// 259 is the code a polling wait takes for "still running".
TEST_P(ExitCodes, AreThoseOfTheRunJustStarted) {
    const InstallerResult result = Win32InstallerRunner().Run(Shell(GetParam().script));
    EXPECT_TRUE(result.started);
    EXPECT_EQ(result.exitCode, GetParam().exitCode);
}

INSTANTIATE_TEST_SUITE_P(Runs, ExitCodes,
                         ::testing::Values(ExitCase{"exit 0", 0}, ExitCase{"exit 7", 7},
                                           ExitCase{"exit 259", 259},
                                           ExitCase{"ping -n 2 127.0.0.1 >nul & exit 3", 3}));

class TempDirectory {
public:
    explicit TempDirectory(const std::string& name) {
        char base[MAX_PATH];
        ::GetTempPathA(MAX_PATH, base);
        path_ = std::string(base) + name;
        ::CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~TempDirectory() {
        for (const std::string& file : files_) ::DeleteFileA(file.c_str());
        ::RemoveDirectoryA(path_.c_str());
    }
    std::string Add(const char* name) {
        files_.push_back(path_ + "\\" + name);
        return files_.back();
    }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
    std::vector<std::string> files_;
};

TEST(InstallerRunner, RunsAProgramInADirectoryWithBlanks) {
    TempDirectory directory("qv runner test");
    const std::string program = directory.Add("tarnset.exe");
    ASSERT_TRUE(::CopyFileA(SystemProgram("cmd.exe").c_str(), program.c_str(), FALSE));
    const InstallerResult result =
        Win32InstallerRunner().Run({program, "\"" + program + "\" /c exit 4"});
    EXPECT_TRUE(result.started);
    EXPECT_EQ(result.exitCode, 4u);
}

TEST(InstallerRunner, ReportsAProgramThatCannotStart) {
    TempDirectory directory("qv runner missing");
    const std::string missing = directory.Path() + "\\tarnset.exe";
    EXPECT_FALSE(Win32InstallerRunner().Run({missing, "\"" + missing + "\" -u"}).started);

    const std::string notAProgram = directory.Add("tarnset.exe");
    const HANDLE file = ::CreateFileA(notAProgram.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(file, "not a program", 13, &written, nullptr);
    ::CloseHandle(file);
    EXPECT_FALSE(Win32InstallerRunner().Run({notAProgram, "\"" + notAProgram + "\" -u"}).started);
}

// What a window of the program saw of the messages handled during the wait.
struct Seen {
    int paintsWhileDisabled = 0;
    int probesWhileDisabled = 0;
    int closes = 0;
    int keys = 0;
    int clicks = 0;
};
Seen g_seen;
constexpr UINT kProbe = WM_APP + 1;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool disabled = !::IsWindowEnabled(window);
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            ::BeginPaint(window, &paint);
            ::EndPaint(window, &paint);
            if (disabled) ++g_seen.paintsWhileDisabled;
            return 0;
        }
        case kProbe:
            if (disabled) ++g_seen.probesWhileDisabled;
            return 0;
        case WM_CLOSE:
            ++g_seen.closes;
            return 0;
        case WM_KEYDOWN:
            ++g_seen.keys;
            return 0;
        case WM_LBUTTONDOWN:
            ++g_seen.clicks;
            return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeWindow() {
    static const ATOM atom = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = RecordingProc;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "QvRunnerTestWindow";
        return ::RegisterClassA(&windowClass);
    }();
    EXPECT_NE(atom, 0);
    return ::CreateWindowA("QvRunnerTestWindow", "runner test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                           200, 100, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
}

void DrainQueue() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
}

TEST(InstallerRunner, WindowsPaintButTakeNoInputOrCloseWhileWaiting) {
    const HWND open = MakeWindow();
    const HWND disabledBefore = MakeWindow();
    ASSERT_TRUE(open && disabledBefore);
    ::EnableWindow(disabledBefore, FALSE);
    DrainQueue();
    g_seen = Seen{};

    ::InvalidateRect(open, nullptr, TRUE);
    ::PostMessageA(open, kProbe, 0, 0);
    ::PostMessageA(open, WM_KEYDOWN, VK_SPACE, 0);
    ::PostMessageA(open, WM_LBUTTONDOWN, 0, 0);
    ::PostMessageA(open, WM_CLOSE, 0, 0);
    ::PostMessageA(open, WM_SYSCOMMAND, SC_CLOSE, 0);
    const InstallerResult result = Win32InstallerRunner().Run(Shell(std::string(kOneSecond) + "exit 0"));

    EXPECT_TRUE(result.started);
    EXPECT_EQ(g_seen.probesWhileDisabled, 1);
    EXPECT_GE(g_seen.paintsWhileDisabled, 1);
    EXPECT_EQ(g_seen.keys, 0);
    EXPECT_EQ(g_seen.clicks, 0);
    EXPECT_EQ(g_seen.closes, 0);
    EXPECT_TRUE(::IsWindow(open));
    EXPECT_TRUE(::IsWindowEnabled(open));
    EXPECT_FALSE(::IsWindowEnabled(disabledBefore));

    ::DestroyWindow(open);
    ::DestroyWindow(disabledBefore);
}

TEST(InstallerRunner, AQuitRequestDuringTheWaitIsKeptForTheMainLoop) {
    ::PostQuitMessage(5);
    Win32InstallerRunner().Run(Shell("exit 0"));
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 5u);
}

// The queue-status flags that Windows 95 knows, with the values its headers gave them.
struct QueueFlag {
    const char* name;
    DWORD windows95Value;
    DWORD headerValue;
};
constexpr QueueFlag kWindows95QueueFlags[] = {
    {"QS_KEY", 0x0001, QS_KEY},
    {"QS_MOUSEMOVE", 0x0002, QS_MOUSEMOVE},
    {"QS_MOUSEBUTTON", 0x0004, QS_MOUSEBUTTON},
    {"QS_POSTMESSAGE", 0x0008, QS_POSTMESSAGE},
    {"QS_TIMER", 0x0010, QS_TIMER},
    {"QS_PAINT", 0x0020, QS_PAINT},
    {"QS_SENDMESSAGE", 0x0040, QS_SENDMESSAGE},
    {"QS_HOTKEY", 0x0080, QS_HOTKEY},
};

constexpr bool IsWindows95QueueFlag(DWORD bit) {
    for (const QueueFlag& flag : kWindows95QueueFlags) {
        if (flag.windows95Value == bit) return true;
    }
    return false;
}

constexpr bool OnlyWindows95QueueFlags(DWORD mask) {
    for (int bit = 0; bit < 32; ++bit) {
        const DWORD flag = DWORD{1} << bit;
        if ((mask & flag) && !IsWindows95QueueFlag(flag)) return false;
    }
    return true;
}

static_assert(OnlyWindows95QueueFlags(InstallerWakeMask), "Windows 95 would reject the installer wait");

TEST(InstallerWakeMask, HoldsOnlyFlagsThatWindows95Knows) {
    for (int bit = 0; bit < 32; ++bit) {
        const DWORD flag = DWORD{1} << bit;
        EXPECT_TRUE(!(InstallerWakeMask & flag) || IsWindows95QueueFlag(flag)) << "bit " << bit;
    }
}

TEST(InstallerWakeMask, WakesForEveryKindOfMessageThatWindows95Knows) {
    for (const QueueFlag& flag : kWindows95QueueFlags) {
        EXPECT_EQ(flag.headerValue, flag.windows95Value) << flag.name;
        EXPECT_NE(InstallerWakeMask & flag.windows95Value, 0u) << flag.name << ": the wait would sleep through it";
    }
}

std::uint64_t ProcessorTime100ns() {
    FILETIME creation, exit, kernel, user;
    ::GetProcessTimes(::GetCurrentProcess(), &creation, &exit, &kernel, &user);
    auto ticks = [](FILETIME t) { return (std::uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return ticks(kernel) + ticks(user);
}

TEST(InstallerRunner, WaitingCostsAlmostNoProcessorTime) {
    const HWND window = MakeWindow();
    const DWORD startedAt = ::GetTickCount();
    const std::uint64_t before = ProcessorTime100ns();
    Win32InstallerRunner().Run(Shell(std::string(kOneSecond) + "exit 0"));
    const std::uint64_t usedMs = (ProcessorTime100ns() - before) / 10000;
    const DWORD wallMs = ::GetTickCount() - startedAt;
    ::DestroyWindow(window);

    ASSERT_GE(wallMs, 500u) << "the child did not wait, so nothing was measured";
    EXPECT_LT(usedMs * 10, wallMs) << usedMs << " ms of processor time in " << wallMs << " ms";
}

}  // namespace
}  // namespace qv
