// Processes by program file: found through a snapshot of the running processes.
#include "testbed/harness/processes.h"

#include <tlhelp32.h>

#include "testbed/harness/windows.h"

namespace qvtest {

std::string SystemDirectory() {
    char directory[MAX_PATH] = "";
    const UINT length = GetSystemDirectoryA(directory, MAX_PATH);
    return std::string(directory, length);
}

bool SamePath(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

// The first module of a process is its program file.
std::string ImageOf(DWORD processId) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
    if (snapshot == INVALID_HANDLE_VALUE) return "";
    MODULEENTRY32 module{};
    module.dwSize = sizeof module;
    const BOOL ok = Module32First(snapshot, &module);
    CloseHandle(snapshot);
    return ok ? module.szExePath : "";
}

std::set<DWORD> ProcessesOf(const std::function<bool(const std::string& image)>& matches) {
    std::set<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return ids;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (entry.th32ProcessID != 0 && matches(ImageOf(entry.th32ProcessID))) ids.insert(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    return ids;
}

std::set<DWORD> ProcessesOf(const std::string& image) {
    return ProcessesOf([&](const std::string& candidate) { return SamePath(candidate, image); });
}

std::set<DWORD> InstancesShowing(const std::string& image, const std::string& caption) {
    std::set<DWORD> ids;
    for (HWND window : TopLevelWindows(0)) {
        if (Caption(window) != caption) continue;
        DWORD id = 0;
        GetWindowThreadProcessId(window, &id);
        if (SamePath(ImageOf(id), image)) ids.insert(id);
    }
    return ids;
}

std::string WhoShows(const std::string& caption) {
    std::string who;
    for (HWND window : TopLevelWindows(0)) {
        if (Caption(window) != caption) continue;
        DWORD id = 0;
        GetWindowThreadProcessId(window, &id);
        who += " [" + ImageOf(id) + "]";
    }
    return who.empty() ? " none" : who;
}

void EndProcesses(const std::set<DWORD>& ids) {
    for (DWORD id : ids) {
        HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id);
        if (!process) continue;
        for (HWND window : TopLevelWindows(id)) PostMessageA(window, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process, 5000) != WAIT_OBJECT_0) {
            TerminateProcess(process, 1);
            WaitForSingleObject(process, 5000);
        }
        CloseHandle(process);
    }
}

}  // namespace qvtest
