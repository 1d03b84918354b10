// System calls that not every supported Windows has, looked up at run time; header-only, for the applet too.
#pragma once

#include <windows.h>

namespace qv {

// The function `name` of the loaded system library `library`, as a pointer of type Call;
// null where the library does not export it (or is not loaded). Loads nothing.
template <class Call>
Call FindLateCall(const char* library, const char* name) {
    const HMODULE module = GetModuleHandleA(library);
    const FARPROC found = module ? GetProcAddress(module, name) : nullptr;
    return reinterpret_cast<Call>(reinterpret_cast<void*>(found));
}

// LOAD_LIBRARY_SEARCH_SYSTEM32, which headers pinned to Windows 4.0 need not define.
constexpr DWORD kLoadLibrarySearchSystem32 = 0x00000800;

// Limits the process's later library loads by bare name to the system directory
// (SetDefaultDllDirectories: Windows 8, or Vista and 7 with the update that added it)
// and takes the current directory out of their search (SetDllDirectoryA: XP SP1 and
// later). Windows 95, 98 and ME have neither call and keep their search as it was.
inline void LimitLibrarySearch() {
    using SetDefaultDllDirectoriesCall = BOOL(WINAPI*)(DWORD);
    using SetDllDirectoryCall = BOOL(WINAPI*)(LPCSTR);
    if (const auto setDefault = FindLateCall<SetDefaultDllDirectoriesCall>("kernel32.dll", "SetDefaultDllDirectories")) {
        setDefault(kLoadLibrarySearchSystem32);
    }
    if (const auto setDirectory = FindLateCall<SetDllDirectoryCall>("kernel32.dll", "SetDllDirectoryA")) {
        setDirectory("");
    }
}

}  // namespace qv
