// RegistrySettingsStore against the real key HKLM\Software\Quorvel, through the settings-store contract.
#include <windows.h>

#include <algorithm>

#include <string>
#include <vector>

#include "platform/win32/registry_settings_store.h"
#include "tests/settings_store_contract.h"

namespace qv {
namespace {

constexpr const char* SettingsSubkey = "Software\\Quorvel";

using Bytes = std::vector<BYTE>;

static_assert(RegSz == REG_SZ && RegBinary == REG_BINARY && RegDword == REG_DWORD, "value types");

struct SavedValue {
    std::string name;
    DWORD type;
    Bytes data;
};

// An HKEY closed when it goes out of scope.
class KeyHolder {
public:
    KeyHolder() = default;
    KeyHolder(const KeyHolder&) = delete;
    KeyHolder& operator=(const KeyHolder&) = delete;
    ~KeyHolder() {
        if (key) RegCloseKey(key);
    }
    HKEY key = nullptr;
};

// The values a key holds, so that a test that removes the key can put it back.
std::vector<SavedValue> SaveValues(HKEY key) {
    std::vector<SavedValue> saved;
    for (DWORD index = 0;; ++index) {
        char name[16384];
        DWORD nameSize = sizeof name;
        DWORD type = 0;
        Bytes data(65536);
        DWORD dataSize = static_cast<DWORD>(data.size());
        if (RegEnumValueA(key, index, name, &nameSize, nullptr, &type, data.data(), &dataSize) != ERROR_SUCCESS) break;
        data.resize(dataSize);
        saved.push_back({std::string(name, nameSize), type, data});
    }
    return saved;
}

// Each test starts with the key present and leaves the machine's key as it found it.
class RegistryBench {
public:
    void SetUp() {
        DWORD disposition = 0;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, SettingsSubkey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  &fixtureKey_.key, &disposition),
                  ERROR_SUCCESS);
        createdKey_ = disposition == REG_CREATED_NEW_KEY;
        savedValues_ = SaveValues(fixtureKey_.key);
    }

    void TearDown() {
        store_.CloseSettingsKey();
        if (fixtureKey_.key) RegCloseKey(fixtureKey_.key);
        fixtureKey_.key = nullptr;
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, SettingsSubkey);
        if (!createdKey_) RestoreKey();
    }

    SettingsStore& Store() { return store_; }

    void PutRaw(const std::string& name, std::uint32_t type, const StoreBytes& data) {
        ASSERT_EQ(RegSetValueExA(fixtureKey_.key, name.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size())),
                  ERROR_SUCCESS);
    }

    // Windows 9x's RegSetValueExA measures a string value itself, up to its first zero.
    static bool CanPut(std::uint32_t type, const StoreBytes& data) {
        const bool windows9x = (GetVersion() & 0x80000000u) != 0;
        return !windows9x || type != REG_SZ || std::find(data.begin(), data.end(), 0) == data.end() - 1;
    }

    StoreBytes StoredBytes(const std::string& name, std::uint32_t& type) {
        Bytes data(1024);
        DWORD size = static_cast<DWORD>(data.size());
        DWORD storedType = 0;
        EXPECT_EQ(RegQueryValueExA(fixtureKey_.key, name.c_str(), nullptr, &storedType, data.data(), &size),
                  ERROR_SUCCESS);
        type = storedType;
        data.resize(size);
        return data;
    }

    void RemoveKey() {
        RegCloseKey(fixtureKey_.key);
        fixtureKey_.key = nullptr;
        ASSERT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, SettingsSubkey), ERROR_SUCCESS);
    }

    bool KeyExists() {
        KeyHolder probe;
        return RegOpenKeyA(HKEY_LOCAL_MACHINE, SettingsSubkey, &probe.key) == ERROR_SUCCESS;
    }

private:
    void RestoreKey() {
        KeyHolder restored;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, SettingsSubkey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &restored.key,
                            nullptr) != ERROR_SUCCESS) {
            return;
        }
        for (const SavedValue& value : savedValues_) {
            RegSetValueExA(restored.key, value.name.c_str(), 0, value.type, value.data.data(),
                           static_cast<DWORD>(value.data.size()));
        }
    }

    RegistrySettingsStore store_;
    KeyHolder fixtureKey_;
    bool createdKey_ = false;
    std::vector<SavedValue> savedValues_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Registry, SettingsStoreContract, RegistryBench);

// A 64-bit process has one view, so both ways of opening reach the same key, with write access.
class RegistryStore : public ::testing::Test {
protected:
    void SetUp() override { bench.SetUp(); }
    void TearDown() override { bench.TearDown(); }
    RegistryBench bench;
};

TEST_F(RegistryStore, TheSixtyFourBitViewReadsAndWritesTheSameKey) {
    bench.PutRaw("BootEnable", RegDword, StoreBytes{1, 0, 0, 0});
    RegistrySettingsStore wide(SettingsKeyView::SixtyFourBit);
    ASSERT_TRUE(wide.OpenSettingsKey());
    EXPECT_EQ(wide.ReadDwordValue("BootEnable"), 1);
    ASSERT_TRUE(wide.WriteStringValue("DiskLabel", "RAMDISK"));
    std::uint32_t type = 0;
    EXPECT_EQ(bench.StoredBytes("DiskLabel", type), (StoreBytes{'R', 'A', 'M', 'D', 'I', 'S', 'K', 0}));
}

// The 64-bit test program finds IsWow64Process, and it says no: the plain way of opening.
TEST(Wow64, AskingTheSystemFindsTheCallAndA64BitProcessIsNotUnderIt) {
    EXPECT_EQ(AskWow64(), Wow64Answer::No);
}

}  // namespace
}  // namespace qv
