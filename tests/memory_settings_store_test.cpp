// The in-memory settings key keeps the registry's byte semantics that loading and saving rely on.
#include "tests/settings_store_contract.h"

namespace qv {
namespace {

struct MemoryBench {
    void SetUp() {}
    void TearDown() {}
    SettingsStore& Store() { return store; }
    void PutRaw(const std::string& name, std::uint32_t type, const StoreBytes& bytes) { store.PutRaw(name, type, bytes); }
    bool CanPut(std::uint32_t, const StoreBytes&) { return true; }
    StoreBytes StoredBytes(const std::string& name, std::uint32_t& type) {
        const auto found = store.values.find(name);
        if (found == store.values.end()) return {};
        type = found->second.type;
        return found->second.bytes;
    }
    void RemoveKey() { store.keyExists = false; }
    bool KeyExists() { return store.keyExists; }

    MemorySettingsStore store;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, SettingsStoreContract, MemoryBench);

}  // namespace
}  // namespace qv
