// MemorySettingsStore: an in-memory settings key with the registry's byte semantics.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/settings_store.h"

namespace qv {

enum RegistryType : std::uint32_t { RegSz = 1, RegBinary = 3, RegDword = 4 };

struct StoredValue {
    std::uint32_t type;
    std::vector<std::uint8_t> bytes;
};

class MemorySettingsStore : public SettingsStore {
public:
    // The key exists unless a test removes it.
    bool keyExists = true;
    // Names whose writes fail (a read-only value, a full registry).
    std::vector<std::string> failingWrites;

    std::map<std::string, StoredValue> values;
    // Every operation in order: "open", "close", "read NAME", "write NAME".
    std::vector<std::string> log;
    bool isOpen = false;

    bool OpenSettingsKey() override;
    std::optional<std::int32_t> ReadDwordValue(const std::string& name) override;
    std::optional<std::string> ReadStringValue(const std::string& name) override;
    bool WriteDwordValue(const std::string& name, std::int32_t value) override;
    bool WriteStringValue(const std::string& name, const std::string& text) override;
    void CloseSettingsKey() override;

    // Seeding and inspection, as a registry editor would.
    void PutDword(const std::string& name, std::int32_t value);
    void PutString(const std::string& name, const std::string& text);
    void PutRaw(const std::string& name, std::uint32_t type, std::vector<std::uint8_t> bytes);
    // The names written, in order.
    std::vector<std::string> WrittenNames() const;
};

}  // namespace qv
