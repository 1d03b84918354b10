// The stand-ins as a test uses them: copying their files, setting their knobs, reading their log.
#include "testbed/standins/standins.h"

#include <fstream>

#include "platform/win32/win32_installer_runner.h"
#include "qvconfig/driver/driver_interface.h"
#include "testbed/harness/program.h"
#include "testbed/standins/knobs.h"

namespace qvstandins {
namespace {

const char* const kFiles[] = {"tarnset.exe", "qvdriver.sys", "qvdriver.inf"};

}  // namespace

std::string BuiltDirectory() { return qvtest::BuiltPath("QV_STANDINS_DIR", QV_STANDINS_DIR); }

bool CopyInto(const std::string& directory) {
    ::CreateDirectoryA(directory.c_str(), nullptr);
    bool copied = true;
    for (const char* file : kFiles) {
        const std::string from = BuiltDirectory() + "\\" + file;
        const std::string to = directory + "\\" + file;
        copied = ::CopyFileA(from.c_str(), to.c_str(), FALSE) && copied;
    }
    return copied;
}

void RemoveFrom(const std::string& directory) {
    for (const char* file : kFiles) ::DeleteFileA((directory + "\\" + file).c_str());
    ::DeleteFileA((directory + "\\" QV_STANDIN_LOG).c_str());
    ::RemoveDirectoryA(directory.c_str());
}

bool SetKnob(const std::string& name, DWORD value) {
    HKEY key;
    if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, QV_KNOB_KEY, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                          nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const LONG written = ::RegSetValueExA(key, name.c_str(), 0, REG_DWORD,
                                          reinterpret_cast<const BYTE*>(&value), sizeof value);
    ::RegCloseKey(key);
    return written == ERROR_SUCCESS;
}

bool ClearKnobs() {
    const LONG deleted = ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, QV_KNOB_KEY);
    return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
}

std::vector<std::string> LogLines(const std::string& directory) {
    std::vector<std::string> lines;
    std::ifstream log(directory + "\\" QV_STANDIN_LOG);
    for (std::string line; std::getline(log, line);) lines.push_back(line);
    return lines;
}

bool RemoveDriver(const std::string& directory) {
    ClearKnobs();
    const qv::InstallerResult result =
        qv::Win32InstallerRunner().Run(qv::InstallerCommand(directory, qv::InstallerSwitch::Uninstall));
    return result.started && result.exitCode == 0;
}

}  // namespace qvstandins
