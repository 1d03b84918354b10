// RegistrySettingsStore against the real key HKLM\Software\Quorvel: sizes, zero bytes and types as the registry keeps them.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/registry_settings_store.h"

namespace qv {
namespace {

constexpr const char* SettingsSubkey = "Software\\Quorvel";

using Bytes = std::vector<BYTE>;

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
class RegistryStore : public ::testing::Test {
protected:
    void SetUp() override {
        DWORD disposition = 0;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, SettingsSubkey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  &fixtureKey_.key, &disposition),
                  ERROR_SUCCESS);
        createdKey_ = disposition == REG_CREATED_NEW_KEY;
        savedValues_ = SaveValues(fixtureKey_.key);
    }

    void TearDown() override {
        store_.CloseSettingsKey();
        if (fixtureKey_.key) RegCloseKey(fixtureKey_.key);
        fixtureKey_.key = nullptr;
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, SettingsSubkey);
        if (!createdKey_) RestoreKey();
    }

    void PutRaw(const char* name, DWORD type, const Bytes& data) {
        ASSERT_EQ(RegSetValueExA(fixtureKey_.key, name, 0, type, data.data(), static_cast<DWORD>(data.size())),
                  ERROR_SUCCESS);
    }

    Bytes StoredBytes(const char* name, DWORD* type) {
        Bytes data(1024);
        DWORD size = static_cast<DWORD>(data.size());
        EXPECT_EQ(RegQueryValueExA(fixtureKey_.key, name, nullptr, type, data.data(), &size), ERROR_SUCCESS);
        data.resize(size);
        return data;
    }

    void RemoveKey() {
        RegCloseKey(fixtureKey_.key);
        fixtureKey_.key = nullptr;
        ASSERT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, SettingsSubkey), ERROR_SUCCESS);
    }

    RegistrySettingsStore store_;

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

    KeyHolder fixtureKey_;
    bool createdKey_ = false;
    std::vector<SavedValue> savedValues_;
};

TEST_F(RegistryStore, StringOf254CharactersRoundTripsWithSize255) {
    const std::string text(254, 'q');
    ASSERT_TRUE(store_.OpenSettingsKey());
    ASSERT_TRUE(store_.WriteStringValue("DiskLabel", text));
    DWORD type = 0;
    EXPECT_EQ(StoredBytes("DiskLabel", &type).size(), 255u);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(store_.ReadStringValue("DiskLabel"), text);
}

TEST_F(RegistryStore, LongerStringIsWrittenAsItsFirst254Characters) {
    ASSERT_TRUE(store_.OpenSettingsKey());
    ASSERT_TRUE(store_.WriteStringValue("DiskLabel", std::string(254, 'q') + "tail"));
    DWORD type = 0;
    EXPECT_EQ(StoredBytes("DiskLabel", &type).size(), 255u);
    EXPECT_EQ(store_.ReadStringValue("DiskLabel"), std::string(254, 'q'));
}

TEST_F(RegistryStore, StringOf256BytesReadsAsAbsent) {
    Bytes data(255, 'q');
    data.push_back(0);
    PutRaw("DiskLabel", REG_SZ, data);
    ASSERT_TRUE(store_.OpenSettingsKey());
    EXPECT_EQ(store_.ReadStringValue("DiskLabel"), std::nullopt);
}

TEST_F(RegistryStore, ZeroBytesInsideAStringAreDropped) {
    PutRaw("DiskLabel", REG_SZ, Bytes{'a', 'b', 0, 'c', 'd', 0});
    ASSERT_TRUE(store_.OpenSettingsKey());
    EXPECT_EQ(store_.ReadStringValue("DiskLabel"), "abcd");
}

TEST_F(RegistryStore, EmptyStringIsOneZeroByte) {
    ASSERT_TRUE(store_.OpenSettingsKey());
    ASSERT_TRUE(store_.WriteStringValue("DiskLabel", ""));
    DWORD type = 0;
    EXPECT_EQ(StoredBytes("DiskLabel", &type), Bytes{0});
    EXPECT_EQ(store_.ReadStringValue("DiskLabel"), "");
}

TEST_F(RegistryStore, BinaryOfThreeBytesReadsAsANumberAndOfFiveAsAbsent) {
    PutRaw("Three", REG_BINARY, Bytes{0x01, 0x02, 0x83});
    PutRaw("Five", REG_BINARY, Bytes{1, 2, 3, 4, 5});
    ASSERT_TRUE(store_.OpenSettingsKey());
    EXPECT_EQ(store_.ReadDwordValue("Three"), 0x830201);
    EXPECT_EQ(store_.ReadDwordValue("Five"), std::nullopt);
    EXPECT_EQ(store_.ReadDwordValue("Missing"), std::nullopt);
}

TEST_F(RegistryStore, NumbersRoundTripAsFourLittleEndianBytes) {
    ASSERT_TRUE(store_.OpenSettingsKey());
    ASSERT_TRUE(store_.WriteDwordValue("UserDriveLetter", -2));
    DWORD type = 0;
    EXPECT_EQ(StoredBytes("UserDriveLetter", &type), (Bytes{0xFE, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(store_.ReadDwordValue("UserDriveLetter"), -2);
}

TEST_F(RegistryStore, ClosedStoreNeitherReadsNorWrites) {
    PutRaw("BootEnable", REG_DWORD, Bytes{1, 0, 0, 0});
    ASSERT_TRUE(store_.OpenSettingsKey());
    store_.CloseSettingsKey();
    EXPECT_EQ(store_.ReadDwordValue("BootEnable"), std::nullopt);
    EXPECT_FALSE(store_.WriteDwordValue("BootEnable", 0));
}

// A 64-bit process has one view, so both ways of opening reach the same key, with write access.
TEST_F(RegistryStore, TheSixtyFourBitViewReadsAndWritesTheSameKey) {
    PutRaw("BootEnable", REG_DWORD, Bytes{1, 0, 0, 0});
    RegistrySettingsStore wide(SettingsKeyView::SixtyFourBit);
    ASSERT_TRUE(wide.OpenSettingsKey());
    EXPECT_EQ(wide.ReadDwordValue("BootEnable"), 1);
    ASSERT_TRUE(wide.WriteStringValue("DiskLabel", "RAMDISK"));
    DWORD type = 0;
    EXPECT_EQ(StoredBytes("DiskLabel", &type), (Bytes{'R', 'A', 'M', 'D', 'I', 'S', 'K', 0}));
}

// The 64-bit test program finds IsWow64Process, and it says no: the plain way of opening.
TEST(Wow64, AskingTheSystemFindsTheCallAndA64BitProcessIsNotUnderIt) {
    EXPECT_EQ(AskWow64(), Wow64Answer::No);
}

TEST_F(RegistryStore, OpenFailsWithoutTheKeyAndNeverCreatesIt) {
    RemoveKey();
    EXPECT_FALSE(store_.OpenSettingsKey());
    KeyHolder probe;
    EXPECT_NE(RegOpenKeyA(HKEY_LOCAL_MACHINE, SettingsSubkey, &probe.key), ERROR_SUCCESS);
}

}  // namespace
}  // namespace qv
