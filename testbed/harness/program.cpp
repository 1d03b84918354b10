// Starting a program with its command line, and waiting for it to end.
#include "testbed/harness/program.h"

#include <cstdlib>

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

std::string BuiltPath(const char* name, const char* builtIn) {
    const char* chosen = std::getenv(name);
    return WindowsPath(chosen && *chosen ? chosen : builtIn);
}

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (static_cast<int>(GetTickCount() - start) >= timeoutMs) return false;
        Sleep(20);
    }
}

Program::Program(const std::string& exe, const std::string& arguments)
    : commandLine_("\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments)) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    // CreateProcessA may write into the command line, so it gets a copy of its own.
    std::vector<char> line(commandLine_.begin(), commandLine_.end());
    line.push_back('\0');
    if (CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
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
