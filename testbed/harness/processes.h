// Processes found by their program file, the configuration windows they show, and ending them.
#pragma once

#include <windows.h>

#include <functional>
#include <set>
#include <string>

namespace qvtest {

// The Windows system directory ("C:\windows\system32"), where setups put the programs.
std::string SystemDirectory();

// Whether two paths name the same file, as Windows compares them (case does not matter).
bool SamePath(const std::string& a, const std::string& b);

// The full path of the program file that process `processId` runs; "" when it cannot be read.
std::string ImageOf(DWORD processId);

// The running processes of the program file `image`, or of every program file that
// `matches` accepts.
std::set<DWORD> ProcessesOf(const std::string& image);
std::set<DWORD> ProcessesOf(const std::function<bool(const std::string& image)>& matches);

// The processes of `image` that show a top-level window captioned `caption`.
std::set<DWORD> InstancesShowing(const std::string& image, const std::string& caption);

// For a failure message: the program files of every process that shows such a window.
std::string WhoShows(const std::string& caption);

// Asks each process's windows to close (a main window and any box in front of it), and
// ends by force whatever is still running after that.
void EndProcesses(const std::set<DWORD>& ids);

}  // namespace qvtest
