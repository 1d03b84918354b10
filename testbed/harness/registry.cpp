// The settings key HKEY_LOCAL_MACHINE\Software\Quorvel, as a test seeds and inspects it.
#include "testbed/harness/registry.h"

#include <shlwapi.h>

#include <vector>

#include "qvconfig/settings/settings_key_values.h"

namespace qvtest {

const char* const kSettingsKeyPath = "Software\\Quorvel";

namespace {

// An open key, closed when it goes out of scope.
class Key {
public:
    static Key Open(REGSAM access, const char* path = kSettingsKeyPath) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, access, &key) != ERROR_SUCCESS) key = nullptr;
        return Key(key);
    }
    static Key Create() {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSettingsKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr) != ERROR_SUCCESS) {
            key = nullptr;
        }
        return Key(key);
    }
    Key(Key&& other) noexcept : key_(other.key_) { other.key_ = nullptr; }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    ~Key() {
        if (key_) RegCloseKey(key_);
    }
    HKEY get() const { return key_; }
    explicit operator bool() const { return key_ != nullptr; }

private:
    explicit Key(HKEY key) : key_(key) {}
    HKEY key_;
};

// The raw bytes and type of a value, or nothing when it cannot be read.
std::optional<std::vector<BYTE>> ReadRaw(const std::string& name, DWORD* type) {
    Key key = Key::Open(KEY_QUERY_VALUE);
    if (!key) return std::nullopt;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), name.c_str(), nullptr, type, nullptr, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::vector<BYTE> bytes(size);
    if (RegQueryValueExA(key.get(), name.c_str(), nullptr, type, bytes.data(), &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    bytes.resize(size);
    return bytes;
}

}  // namespace

bool DeleteSettingsKey() { return DeleteKey(kSettingsKeyPath); }

bool DeleteKey(const std::string& path) {
    // The key and everything under it (RegDeleteTreeA is Vista's; this tree is built for older headers).
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, path.c_str());
    return !KeyExists(path);
}

bool CreateSettingsKey() { return static_cast<bool>(Key::Create()); }

bool SettingsKeyExists() { return static_cast<bool>(Key::Open(KEY_QUERY_VALUE)); }

bool WriteDword(const std::string& name, std::uint32_t value) {
    Key key = Key::Create();
    const DWORD data = value;
    return key && RegSetValueExA(key.get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                                 sizeof data) == ERROR_SUCCESS;
}

bool WriteString(const std::string& name, const std::string& text) {
    Key key = Key::Create();
    return key && RegSetValueExA(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                 static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

StoredSettings SensibleSettings() {
    StoredSettings s;
    s.DiskType = "HDC";
    s.SizeIn4kPages = 16384;
    s.UserDriveLetter = 17;
    s.LoadImageOnStart = 0;
    s.LoadImageFile = "C:\\qvdriver.img";
    s.SaveImageOnExit = 1;
    s.SaveImageFile = "C:\\qvdriver.img";
    s.AutoSaveEnabled = 0;
    s.AutoSaveTrigger = 150;
    s.DiskFormatFAT32 = 0;
    s.MakeTempDir = 1;
    s.UseDiskLabel = 1;
    s.DiskLabel = "RAMDISK";
    s.BootEnable = 0;
    return s;
}

StoredSettings SettingsAwayFromTheDefaults() {
    StoredSettings s;
    s.DiskType = "HDC";
    s.SizeIn4kPages = 1048320;  // 4095 MB, a size only FAT32 allows
    s.DiskFormatFAT32 = 1;
    s.UserDriveLetter = 3;
    s.LoadImageOnStart = 1;
    s.LoadImageFile = "D:\\images\\load me.img";
    s.SaveImageOnExit = 1;
    s.SaveImageFile = "E:\\save.img";
    s.AutoSaveEnabled = 1;
    s.AutoSaveTrigger = 152;
    s.MakeTempDir = 0;
    s.UseDiskLabel = 0;
    s.DiskLabel = "SCRATCH";
    s.BootEnable = 1;
    s.InstallDir = "C:\\Program Files\\Quorvel";
    return s;
}

bool WriteSettings(const StoredSettings& s) {
    return qv::WritePresentFields(
        s, qv::Which::Every, [](const char* name, const std::string& text) { return WriteString(name, text); },
        [](const char* name, std::int32_t number) { return WriteDword(name, static_cast<std::uint32_t>(number)); });
}

std::optional<std::uint32_t> ReadDword(const std::string& name) {
    DWORD type = 0;
    const auto bytes = ReadRaw(name, &type);
    if (!bytes || bytes->size() != sizeof(DWORD)) return std::nullopt;
    return static_cast<std::uint32_t>((*bytes)[0] | (*bytes)[1] << 8 | (*bytes)[2] << 16 |
                                      static_cast<std::uint32_t>((*bytes)[3]) << 24);
}

std::optional<std::string> ReadString(const std::string& name) {
    DWORD type = 0;
    auto bytes = ReadRaw(name, &type);
    if (!bytes) return std::nullopt;
    // The stored terminating zero byte is not part of the text.
    while (!bytes->empty() && bytes->back() == 0) bytes->pop_back();
    return std::string(bytes->begin(), bytes->end());
}

std::optional<DWORD> ValueType(const std::string& name) {
    DWORD type = 0;
    if (!ReadRaw(name, &type)) return std::nullopt;
    return type;
}

bool WriteRaw(const std::string& name, const RawValue& value) {
    Key key = Key::Create();
    return key && RegSetValueExA(key.get(), name.c_str(), 0, value.type, value.data.data(),
                                 static_cast<DWORD>(value.data.size())) == ERROR_SUCCESS;
}

bool KeyExists(const std::string& path) { return static_cast<bool>(Key::Open(KEY_QUERY_VALUE, path.c_str())); }

std::map<std::string, RawValue> ValuesOf(const std::string& path) {
    std::map<std::string, RawValue> values;
    Key key = Key::Open(KEY_QUERY_VALUE, path.c_str());
    if (!key) return values;
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD nameLength = sizeof name;
        BYTE data[4096];
        DWORD size = sizeof data;
        DWORD type = 0;
        if (RegEnumValueA(key.get(), index, name, &nameLength, nullptr, &type, data, &size) != ERROR_SUCCESS) break;
        values[std::string(name, nameLength)] = RawValue{type, std::vector<BYTE>(data, data + size)};
    }
    return values;
}

}  // namespace qvtest
