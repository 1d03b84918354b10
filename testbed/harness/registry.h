// The settings key HKEY_LOCAL_MACHINE\Software\Quorvel, as a test seeds and inspects it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "qvconfig/settings/disk_settings.h"

namespace qvtest {

extern const char* const kSettingsKeyPath;  // "Software\Quorvel" under HKEY_LOCAL_MACHINE

// Removes the key with all its values; true when it is gone afterwards.
bool DeleteSettingsKey();
// Makes the key exist, holding whatever values it held; true on success.
bool CreateSettingsKey();
bool SettingsKeyExists();

// Each opens the key for the one value and closes it again; writes create the key.
bool WriteDword(const std::string& name, std::uint32_t value);
bool WriteString(const std::string& name, const std::string& text);
std::optional<std::uint32_t> ReadDword(const std::string& name);
std::optional<std::string> ReadString(const std::string& name);
// The value's registry type (REG_SZ, REG_DWORD, ...); nothing when it is absent.
std::optional<DWORD> ValueType(const std::string& name);

// The values that the window loads and saves, as the key stores them: the program's own
// record, whose names and types the program's table gives (qvconfig/settings/
// settings_key_values.h). An absent field is not written.
using StoredSettings = qv::DiskSettings;
// A 64 MB hard disk on R: whose image is saved on shutdown to C:\qvdriver.img, with the
// label RAMDISK and a TEMP directory, no AutoSave (600 s when it is turned on) and no
// start at boot; no InstallDir.
StoredSettings SensibleSettings();
// Every value set, away from what a fresh window or the no-key defaults show, and no two
// of the check-box rules working against each other: image loading excludes the label
// and the TEMP directory, and AutoSave goes with saving on shutdown. A 4095 MB hard
// disk with FAT32 on D:, InstallDir C:\Program Files\Quorvel.
StoredSettings SettingsAwayFromTheDefaults();
// Writes every present field under its name and type, creating the key; true when every
// write succeeded.
bool WriteSettings(const StoredSettings& settings);

// A value as the registry holds it: its type and its bytes.
struct RawValue {
    DWORD type;
    std::vector<BYTE> data;
    bool operator==(const RawValue& other) const { return type == other.type && data == other.data; }
};
// Writes a value of any type into the settings key, creating the key.
bool WriteRaw(const std::string& name, const RawValue& value);

// Any key under HKEY_LOCAL_MACHINE: whether it exists, every value it holds by name (none
// when it is absent), and removing it with everything under it (true when it is gone).
bool KeyExists(const std::string& path);
bool DeleteKey(const std::string& path);
std::map<std::string, RawValue> ValuesOf(const std::string& path);

}  // namespace qvtest
