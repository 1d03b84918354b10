// Program: a process started as a user would start it, with its command line, exit and end.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace qvtest {

// A host path ("/tmp/x/y.exe") as Wine's Windows programs name it ("Z:\tmp\x\y.exe");
// a path that is already a Windows path comes back unchanged.
std::string WindowsPath(const std::string& hostPath);

// The Windows path of a built file or folder: the tree's own (`builtIn`, a host path), or
// the one that the environment variable `name` gives, for a run that tests the files of
// another build (the i686 programs driven by the x86_64 harness, the release files).
std::string BuiltPath(const char* name, const char* builtIn);

// Polls `condition` every 20 ms until it holds or `timeoutMs` has passed; true when it held.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs);

// Owns the process and thread handles of one run. A run still going when the object
// dies is ended by force, so that one failed test does not leave windows behind.
class Program {
public:
    // Starts `exe` (a Windows path) with the command line `"exe"`, followed by a blank
    // and `arguments` when they are not empty. `Started()` says whether it ran.
    Program(const std::string& exe, const std::string& arguments);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool Started() const { return process_ != nullptr; }
    DWORD Id() const { return id_; }
    const std::string& CommandLine() const { return commandLine_; }

    // True when the process ended within `timeoutMs`.
    bool WaitForExit(int timeoutMs);
    bool HasExited();
    // The exit code; STILL_ACTIVE while it runs.
    DWORD ExitCode();
    // Ends the process at once (exit code 1) and waits for it.
    void Kill();

private:
    std::string commandLine_;
    HANDLE process_ = nullptr;
    HANDLE thread_ = nullptr;
    DWORD id_ = 0;
};

}  // namespace qvtest
