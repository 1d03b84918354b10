// Starting a program with its command line, and waiting for it to end.
#include "testbed/harness/program.h"

#include <memory>
#include <vector>

namespace qvtest {

std::string WindowsPath(const std::string& hostPath) {
    if (hostPath.empty() || hostPath[0] != '/') return hostPath;
    std::string path = "Z:" + hostPath;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (static_cast<int>(GetTickCount() - start) >= timeoutMs) return false;
        Sleep(20);
    }
}

namespace {

std::vector<char> Writable(const std::string& text) {
    std::vector<char> copy(text.begin(), text.end());
    copy.push_back('\0');
    return copy;
}

// A handle that the child inherits; closed here once the child has its own.
struct InheritedFile {
    explicit InheritedFile(const std::string& path) {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        handle = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    ~InheritedFile() {
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
    HANDLE handle;
};

}  // namespace

Program::Program(const std::string& exe, const std::string& arguments, const Surroundings& surroundings)
    : commandLine_("\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments)) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    // CreateProcessA may write into the command line and the desktop's name, so they are copies.
    std::vector<char> desktop = Writable(surroundings.desktop);
    if (!surroundings.desktop.empty()) startup.lpDesktop = desktop.data();
    std::unique_ptr<InheritedFile> error;
    if (!surroundings.errorFile.empty()) {
        error = std::make_unique<InheritedFile>(surroundings.errorFile);
        startup.dwFlags |= STARTF_USESTDHANDLES;
        startup.hStdError = error->handle;
    }
    PROCESS_INFORMATION info{};
    std::vector<char> line = Writable(commandLine_);
    if (CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, error ? TRUE : FALSE, 0, nullptr, nullptr,
                       &startup, &info)) {
        process_ = info.hProcess;
        thread_ = info.hThread;
        id_ = info.dwProcessId;
    }
}

Program::~Program() {
    if (process_ && !HasExited()) Kill();
    if (thread_) CloseHandle(thread_);
    if (process_) CloseHandle(process_);
}

bool Program::WaitForExit(int timeoutMs) {
    return process_ && WaitForSingleObject(process_, static_cast<DWORD>(timeoutMs)) == WAIT_OBJECT_0;
}

bool Program::HasExited() { return WaitForExit(0); }

DWORD Program::ExitCode() {
    DWORD code = STILL_ACTIVE;
    if (process_) GetExitCodeProcess(process_, &code);
    return code;
}

void Program::Kill() {
    if (!process_) return;
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
}

}  // namespace qvtest
