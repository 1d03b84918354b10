// The in-memory settings key keeps the registry's byte semantics that loading and saving rely on.
#include <gtest/gtest.h>

#include "tests/fakes/memory_settings_store.h"

namespace qv {
namespace {

using Bytes = std::vector<std::uint8_t>;

class MemoryStore : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(store.OpenSettingsKey()); }
    MemorySettingsStore store;
};

TEST_F(MemoryStore, StringOf254CharactersIsWrittenWithSize255AndReadsBackWhole) {
    const std::string text(254, 'x');
    ASSERT_TRUE(store.WriteStringValue("DiskLabel", text));
    EXPECT_EQ(store.values["DiskLabel"].type, RegSz);
    EXPECT_EQ(store.values["DiskLabel"].bytes.size(), 255u);
    EXPECT_EQ(store.ReadStringValue("DiskLabel"), text);
}

TEST_F(MemoryStore, LongerStringIsWrittenAsItsFirst254Characters) {
    const std::string text = std::string(254, 'x') + "overflow";
    ASSERT_TRUE(store.WriteStringValue("DiskLabel", text));
    EXPECT_EQ(store.values["DiskLabel"].bytes.size(), 255u);
    EXPECT_EQ(store.ReadStringValue("DiskLabel"), std::string(254, 'x'));
}

TEST_F(MemoryStore, EmptyStringIsOneZeroByte) {
    ASSERT_TRUE(store.WriteStringValue("DiskLabel", ""));
    EXPECT_EQ(store.values["DiskLabel"].bytes, Bytes{0});
    EXPECT_EQ(store.ReadStringValue("DiskLabel"), "");
}

TEST_F(MemoryStore, StringReadsAreLimitedTo255Bytes) {
    store.PutRaw("Fits", RegSz, Bytes(255, 'y'));
    store.PutRaw("TooLong", RegSz, Bytes(256, 'y'));
    EXPECT_EQ(store.ReadStringValue("Fits"), std::string(255, 'y'));
    EXPECT_EQ(store.ReadStringValue("TooLong"), std::nullopt);
}

TEST_F(MemoryStore, ZeroBytesAreDroppedWhereverTheyStand) {
    store.PutRaw("DiskLabel", RegSz, Bytes{'a', 'b', 0, 'c', 'd', 0});
    EXPECT_EQ(store.ReadStringValue("DiskLabel"), "abcd");
}

TEST_F(MemoryStore, NumberReadsTakeAnyTypeOfAtMostFourBytes) {
    store.PutRaw("Three", RegBinary, Bytes{0x01, 0x02, 0x83});
    store.PutRaw("Five", RegBinary, Bytes{1, 2, 3, 4, 5});
    store.PutRaw("Text", RegSz, Bytes{'1', 0});
    store.PutRaw("Empty", RegBinary, Bytes{});
    EXPECT_EQ(store.ReadDwordValue("Three"), 0x830201);
    EXPECT_EQ(store.ReadDwordValue("Five"), std::nullopt);
    EXPECT_EQ(store.ReadDwordValue("Text"), '1');
    EXPECT_EQ(store.ReadDwordValue("Empty"), 0);
    EXPECT_EQ(store.ReadDwordValue("Missing"), std::nullopt);
}

TEST_F(MemoryStore, NumbersAreFourLittleEndianBytes) {
    ASSERT_TRUE(store.WriteDwordValue("UserDriveLetter", -2));
    EXPECT_EQ(store.values["UserDriveLetter"].type, RegDword);
    EXPECT_EQ(store.values["UserDriveLetter"].bytes, (Bytes{0xFE, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(store.ReadDwordValue("UserDriveLetter"), -2);
    EXPECT_EQ(store.ReadStringValue("UserDriveLetter"), "\xFE\xFF\xFF\xFF");
}

TEST_F(MemoryStore, NothingIsReadOrWrittenWithoutAnOpenKey) {
    store.PutDword("BootEnable", 1);
    store.CloseSettingsKey();
    EXPECT_EQ(store.ReadDwordValue("BootEnable"), std::nullopt);
    EXPECT_FALSE(store.WriteDwordValue("BootEnable", 0));
    store.keyExists = false;
    EXPECT_FALSE(store.OpenSettingsKey());
    EXPECT_FALSE(store.WriteStringValue("DiskLabel", "x"));
    EXPECT_EQ(store.values["BootEnable"].bytes, (Bytes{1, 0, 0, 0}));
}

}  // namespace
}  // namespace qv
