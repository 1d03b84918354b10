// The stand-in installer and driver as a test uses them: their files, their fault knobs, their log.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace qvstandins {

// The directory where the build put tarnset.exe, qvdriver.sys and qvdriver.inf, as a Windows path.
std::string BuiltDirectory();

// Creates `directory` (one level) and copies the three files into it, so that a test's
// install directory can be any path, one with blanks included. True when all three are there.
bool CopyInto(const std::string& directory);
// Deletes the three files and the log from `directory`, then the directory itself.
void RemoveFrom(const std::string& directory);

// Fault knobs (knobs.h): one DWORD under HKLM\Software\QuorvelTestBed.
bool SetKnob(const std::string& name, DWORD value);
// Removes every knob: the stand-ins behave normally again.
bool ClearKnobs();

// The lines that tarnset.exe in `directory` has logged so far ("<command line> => <exit code>").
std::vector<std::string> LogLines(const std::string& directory);

// Stops and removes the stand-in driver, whatever state an earlier test left it in
// (the knobs are cleared first). True when tarnset.exe -u succeeded.
bool RemoveDriver(const std::string& directory);

}  // namespace qvstandins
