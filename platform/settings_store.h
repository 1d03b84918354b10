// SettingsStore: the one way to the settings key (HKLM\Software\Quorvel on Windows).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace qv {

// Contract, shared by every implementation:
// - One key open at a time. OpenSettingsKey only opens the key, never creates it;
//   it returns false when the key cannot be opened. The other operations are used
//   only between a successful open and CloseSettingsKey.
// - ReadDwordValue: present with the value's first four bytes as a little-endian
//   signed number when the stored value is at most 4 bytes (any type; a shorter
//   value leaves the missing high bytes zero); absent otherwise.
// - ReadStringValue: present when the stored value is at most 255 bytes (any type);
//   every zero byte is dropped, each other byte is one character. Absent otherwise.
// - WriteDwordValue: stores 4 bytes of type REG_DWORD. WriteStringValue stores the
//   text's bytes, one zero byte, type REG_SZ, size = length + 1; a text longer than
//   MaxStringChars is cut to its first MaxStringChars characters. Both return
//   whether the write succeeded.
class SettingsStore {
public:
    static constexpr std::size_t MaxStringChars = 254;
    static constexpr std::size_t StringBufferBytes = 255;

    virtual ~SettingsStore() = default;
    virtual bool OpenSettingsKey() = 0;
    virtual std::optional<std::int32_t> ReadDwordValue(const std::string& name) = 0;
    virtual std::optional<std::string> ReadStringValue(const std::string& name) = 0;
    virtual bool WriteDwordValue(const std::string& name, std::int32_t value) = 0;
    virtual bool WriteStringValue(const std::string& name, const std::string& text) = 0;
    virtual void CloseSettingsKey() = 0;
};

}  // namespace qv
