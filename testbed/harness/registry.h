// The settings key HKEY_LOCAL_MACHINE\Software\Quorvel, as a test seeds and inspects it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

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

// The fourteen settings that the window loads and saves, as the key stores them; by
// default a 64 MB hard disk on R: whose image is saved on shutdown, with a label and
// a TEMP directory, no AutoSave and no start at boot.
struct StoredSettings {
    std::string diskType = "HDC";
    std::uint32_t sizeIn4kPages = 16384;
    std::uint32_t userDriveLetter = 17;
    std::uint32_t loadImageOnStart = 0;
    std::string loadImageFile = "C:\\qvdriver.img";
    std::uint32_t saveImageOnExit = 1;
    std::string saveImageFile = "C:\\qvdriver.img";
    std::uint32_t autoSaveEnabled = 0;
    std::uint32_t autoSaveTrigger = 150;
    std::uint32_t diskFormatFat32 = 0;
    std::uint32_t makeTempDir = 1;
    std::uint32_t useDiskLabel = 1;
    std::string diskLabel = "RAMDISK";
    std::uint32_t bootEnable = 0;
};
// Writes all fourteen, in the order the program saves them, creating the key; true when
// every write succeeded.
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
