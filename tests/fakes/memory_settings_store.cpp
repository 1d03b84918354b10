// MemorySettingsStore: reads fail for values larger than their buffer, the type is not looked at.
#include "tests/fakes/memory_settings_store.h"

#include <algorithm>

namespace qv {

bool MemorySettingsStore::OpenSettingsKey() {
    log.push_back("open");
    isOpen = keyExists;
    return keyExists;
}

std::optional<std::int32_t> MemorySettingsStore::ReadDwordValue(const std::string& name) {
    log.push_back("read " + name);
    const auto found = values.find(name);
    if (!isOpen || found == values.end() || found->second.bytes.size() > 4) return std::nullopt;
    std::uint32_t number = 0;
    for (std::size_t i = 0; i < found->second.bytes.size(); ++i) {
        number |= static_cast<std::uint32_t>(found->second.bytes[i]) << (8 * i);
    }
    return static_cast<std::int32_t>(number);
}

std::optional<std::string> MemorySettingsStore::ReadStringValue(const std::string& name) {
    log.push_back("read " + name);
    const auto found = values.find(name);
    if (!isOpen || found == values.end() || found->second.bytes.size() > StringBufferBytes) {
        return std::nullopt;
    }
    std::string text;
    for (std::uint8_t byte : found->second.bytes) {
        if (byte != 0) text += static_cast<char>(byte);
    }
    return text;
}

bool MemorySettingsStore::WriteDwordValue(const std::string& name, std::int32_t value) {
    log.push_back("write " + name);
    if (!isOpen || std::count(failingWrites.begin(), failingWrites.end(), name)) return false;
    PutDword(name, value);
    return true;
}

bool MemorySettingsStore::WriteStringValue(const std::string& name, const std::string& text) {
    log.push_back("write " + name);
    if (!isOpen || std::count(failingWrites.begin(), failingWrites.end(), name)) return false;
    PutString(name, text.substr(0, MaxStringChars));
    return true;
}

void MemorySettingsStore::CloseSettingsKey() {
    log.push_back("close");
    isOpen = false;
}

void MemorySettingsStore::PutDword(const std::string& name, std::int32_t value) {
    const auto number = static_cast<std::uint32_t>(value);
    PutRaw(name, RegDword,
           {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
            static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)});
}

void MemorySettingsStore::PutString(const std::string& name, const std::string& text) {
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    PutRaw(name, RegSz, std::move(bytes));
}

void MemorySettingsStore::PutRaw(const std::string& name, std::uint32_t type,
                                 std::vector<std::uint8_t> bytes) {
    values[name] = StoredValue{type, std::move(bytes)};
}

std::vector<std::string> MemorySettingsStore::WrittenNames() const {
    std::vector<std::string> names;
    for (const std::string& entry : log) {
        if (entry.rfind("write ", 0) == 0) names.push_back(entry.substr(6));
    }
    return names;
}

}  // namespace qv
