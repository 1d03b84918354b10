// The settings-store contract as one typed suite, run against every store: sizes, zero bytes and types as the registry keeps them.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/settings_store.h"
#include "tests/fakes/memory_settings_store.h"

namespace qv {

using StoreBytes = std::vector<std::uint8_t>;

// A bench gives the suite a store over a key that exists at the start of each test,
// and the registry editor's view of that key:
//   void SetUp(); void TearDown();
//   SettingsStore& Store();
//   void PutRaw(const std::string& name, std::uint32_t type, const StoreBytes& bytes);
//   bool CanPut(std::uint32_t type, const StoreBytes& bytes);  // the system can store them
//   StoreBytes StoredBytes(const std::string& name, std::uint32_t& type);
//   void RemoveKey();   // the key is gone until TearDown
//   bool KeyExists();
template <class Bench>
class SettingsStoreContract : public ::testing::Test {
protected:
    void SetUp() override { bench.SetUp(); }
    void TearDown() override { bench.TearDown(); }
    SettingsStore& Store() { return bench.Store(); }
    StoreBytes Stored(const std::string& name, std::uint32_t expectedType) {
        std::uint32_t type = 0;
        StoreBytes bytes = bench.StoredBytes(name, type);
        EXPECT_EQ(type, expectedType) << name;
        return bytes;
    }
    Bench bench;
};

TYPED_TEST_SUITE_P(SettingsStoreContract);

TYPED_TEST_P(SettingsStoreContract, StringsUpTo254CharactersAreWrittenWholeAndLongerOnesCut) {
    struct Row {
        std::string written;
        std::string kept;
    };
    const Row rows[] = {
        {"", ""},
        {"QVDRIVER", "QVDRIVER"},
        {std::string(254, 'q'), std::string(254, 'q')},
        {std::string(254, 'q') + "overflow", std::string(254, 'q')},
    };
    ASSERT_TRUE(this->Store().OpenSettingsKey());
    for (const Row& row : rows) {
        ASSERT_TRUE(this->Store().WriteStringValue("DiskLabel", row.written));
        StoreBytes expected(row.kept.begin(), row.kept.end());
        expected.push_back(0);
        EXPECT_EQ(this->Stored("DiskLabel", RegSz), expected) << row.written.size() << " characters";
        EXPECT_EQ(this->Store().ReadStringValue("DiskLabel"), row.kept) << row.written.size() << " characters";
    }
}

TYPED_TEST_P(SettingsStoreContract, StringReadsTakeAnyTypeOfAtMost255BytesAndDropEveryZeroByte) {
    struct Row {
        const char* name;
        std::uint32_t type;
        StoreBytes bytes;
        std::optional<std::string> read;
    };
    StoreBytes zeroEnded(255, 'q');
    zeroEnded.push_back(0);
    // 255 bytes fit. (A string type of 255 bytes with no zero at its end is left out:
    // Windows NT's ANSI read wants room to add one, Windows 9x's does not.)
    const Row rows[] = {
        {"Fits", RegBinary, StoreBytes(255, 'y'), std::string(255, 'y')},
        {"TooLong", RegSz, StoreBytes(256, 'y'), std::nullopt},
        {"TooLongWithItsZero", RegSz, zeroEnded, std::nullopt},
        {"Inner", RegSz, StoreBytes{'a', 'b', 0, 'c', 'd', 0}, std::string("abcd")},
        {"Binary", RegBinary, StoreBytes{'h', 'i'}, std::string("hi")},
        {"Number", RegDword, StoreBytes{0xFE, 0xFF, 0xFF, 0xFF}, std::string("\xFE\xFF\xFF\xFF")},
    };
    // Windows 9x cannot store some of them: its registry ends a string at its first zero.
    std::vector<const Row*> stored;
    for (const Row& row : rows) {
        if (!this->bench.CanPut(row.type, row.bytes)) continue;
        this->bench.PutRaw(row.name, row.type, row.bytes);
        stored.push_back(&row);
    }
    ASSERT_TRUE(this->Store().OpenSettingsKey());
    for (const Row* row : stored) EXPECT_EQ(this->Store().ReadStringValue(row->name), row->read) << row->name;
    EXPECT_EQ(this->Store().ReadStringValue("Missing"), std::nullopt);
}

TYPED_TEST_P(SettingsStoreContract, NumberReadsTakeAnyTypeOfAtMostFourBytes) {
    struct Row {
        const char* name;
        std::uint32_t type;
        StoreBytes bytes;
        std::optional<std::int32_t> read;
    };
    const Row rows[] = {
        {"Three", RegBinary, StoreBytes{0x01, 0x02, 0x83}, 0x830201},
        {"Five", RegBinary, StoreBytes{1, 2, 3, 4, 5}, std::nullopt},
        {"Text", RegSz, StoreBytes{'1', 0}, '1'},
        {"Empty", RegBinary, StoreBytes{}, 0},
    };
    for (const Row& row : rows) this->bench.PutRaw(row.name, row.type, row.bytes);
    ASSERT_TRUE(this->Store().OpenSettingsKey());
    for (const Row& row : rows) EXPECT_EQ(this->Store().ReadDwordValue(row.name), row.read) << row.name;
    EXPECT_EQ(this->Store().ReadDwordValue("Missing"), std::nullopt);
}

TYPED_TEST_P(SettingsStoreContract, NumbersAreFourLittleEndianBytes) {
    ASSERT_TRUE(this->Store().OpenSettingsKey());
    ASSERT_TRUE(this->Store().WriteDwordValue("UserDriveLetter", -2));
    EXPECT_EQ(this->Stored("UserDriveLetter", RegDword), (StoreBytes{0xFE, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(this->Store().ReadDwordValue("UserDriveLetter"), -2);
}

TYPED_TEST_P(SettingsStoreContract, ClosedStoreNeitherReadsNorWrites) {
    this->bench.PutRaw("BootEnable", RegDword, StoreBytes{1, 0, 0, 0});
    ASSERT_TRUE(this->Store().OpenSettingsKey());
    this->Store().CloseSettingsKey();
    EXPECT_EQ(this->Store().ReadDwordValue("BootEnable"), std::nullopt);
    EXPECT_EQ(this->Store().ReadStringValue("BootEnable"), std::nullopt);
    EXPECT_FALSE(this->Store().WriteDwordValue("BootEnable", 0));
    EXPECT_FALSE(this->Store().WriteStringValue("DiskLabel", "x"));
    EXPECT_EQ(this->Stored("BootEnable", RegDword), (StoreBytes{1, 0, 0, 0}));
}

TYPED_TEST_P(SettingsStoreContract, OpenFailsWithoutTheKeyAndNeverCreatesIt) {
    this->bench.RemoveKey();
    EXPECT_FALSE(this->Store().OpenSettingsKey());
    EXPECT_FALSE(this->Store().WriteStringValue("DiskLabel", "x"));
    EXPECT_FALSE(this->bench.KeyExists());
}

REGISTER_TYPED_TEST_SUITE_P(SettingsStoreContract, StringsUpTo254CharactersAreWrittenWholeAndLongerOnesCut,
                            StringReadsTakeAnyTypeOfAtMost255BytesAndDropEveryZeroByte,
                            NumberReadsTakeAnyTypeOfAtMostFourBytes, NumbersAreFourLittleEndianBytes,
                            ClosedStoreNeitherReadsNorWrites, OpenFailsWithoutTheKeyAndNeverCreatesIt);

}  // namespace qv
