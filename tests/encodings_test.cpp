// The conversions between stored values and the window: worked values, edge cases and overflows.
#include <gtest/gtest.h>

#include <cfloat>
#include <cstdint>
#include <limits>

#include "qvconfig/settings/encodings.h"
#include "qvconfig/settings/numbers.h"

namespace qv {
namespace {

constexpr std::int32_t Int32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t Int32Min = std::numeric_limits<std::int32_t>::min();

// A value typed, its stored number, and the text shown when that number is read back.
struct RoundTripCase {
    const char* entered;
    std::int32_t stored;
    const char* shown;
};

TEST(SizeEncoding, MegabytesToPagesAndBack) {
    const RoundTripCase cases[] = {
        {"10", 2560, " 10"},
        {"1.44", 369, " 1.441406"},  // 368.64 pages, not 368
        {"2.88", 737, " 2.878906"},
        {"4095", 1048320, " 4095"},
        {"-1", -256, "-1"},
        {"", 0, " 0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SizePagesFromText(c.entered), c.stored) << c.entered;
        EXPECT_EQ(NumberToText(SizeMegabytesFromPages(c.stored)), c.shown) << c.stored;
    }
}

TEST(SizeEncoding, ExtremesSaturateInsteadOfOverflowing) {
    EXPECT_EQ(SizePagesFromText("1e999"), Int32Max);
    EXPECT_EQ(SizePagesFromText("-1e999"), Int32Min);
    EXPECT_EQ(SizePagesFromText("8388608"), Int32Max);  // 2^31 pages
    EXPECT_EQ(SizeMegabytesFromPages(Int32Max), 8388608.0f);
    EXPECT_EQ(SizeMegabytesFromPages(Int32Min), -8388608.0f);
}

TEST(AutoSaveEncoding, SecondsToUnitsOfFourAndBack) {
    const RoundTripCase cases[] = {
        {"600", 150, " 600"},
        {"602", 150, " 600"},  // 150.5 goes to the even 150
        {"606", 152, " 608"},  // 151.5 goes to the even 152
        {"6", 2, " 8"},        // 1.5 goes to 2
        {"abc", 0, " 0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AutoSaveTriggerFromText(c.entered), c.stored) << c.entered;
        EXPECT_EQ(NumberToText(AutoSaveSecondsFromStored(c.stored)), c.shown) << c.stored;
    }
}

TEST(AutoSaveEncoding, ProductWithFourSaturatesIn32Bits) {
    EXPECT_EQ(AutoSaveSecondsFromStored(1000000), 4000000.0f);
    // 2^31 - 1 seconds, whose nearest single-precision number is 2^31.
    EXPECT_EQ(AutoSaveSecondsFromStored(536870912), 2147483648.0f);
    EXPECT_EQ(AutoSaveSecondsFromStored(Int32Max), 2147483648.0f);
    EXPECT_EQ(AutoSaveSecondsFromStored(-536870913), -2147483648.0f);
    EXPECT_EQ(AutoSaveSecondsFromStored(Int32Min), -2147483648.0f);
    EXPECT_EQ(AutoSaveTriggerFromText("1e999"), Int32Max);
    EXPECT_EQ(AutoSaveTriggerFromText("-1e999"), Int32Min);
}

TEST(DriveLetterEncoding, LettersAreOffsetsFromA) {
    const std::pair<const char*, std::int32_t> letters[] = {{"A", 0}, {"C", 2}, {"Z", 25}};
    for (const auto& [letter, stored] : letters) {
        EXPECT_EQ(DriveLetterToStored(letter), stored) << letter;
        EXPECT_EQ(DriveLetterFromStored(stored), letter) << stored;
    }
}

TEST(DriveLetterEncoding, StoredNumbersKeepTheirLow8Bits) {
    const std::pair<std::int32_t, unsigned char> cases[] = {
        {281, 'Z'}, {256, 'A'}, {-256, 'A'}, {32, 'a'}, {190, 255},
        {191, 255}, {255, 255}, {-1, 255},  // past code 255: still above "Z"
    };
    for (const auto& [stored, code] : cases) {
        EXPECT_EQ(DriveLetterFromStored(stored), std::string(1, static_cast<char>(code))) << stored;
    }
}

TEST(DriveLetterEncoding, FirstCharacterCodeIsAByte) {
    EXPECT_EQ(DriveLetterToStored("ZZ"), 25);
    EXPECT_EQ(DriveLetterToStored("a"), 32);
    EXPECT_EQ(DriveLetterToStored("1"), -16);
    EXPECT_EQ(DriveLetterToStored(std::string(1, '\0')), -65);
    EXPECT_EQ(DriveLetterToStored("\x80"), 63);
    EXPECT_EQ(DriveLetterToStored("\xff"), 190);
    EXPECT_EQ(DriveLetterToStored(""), std::nullopt);
}

TEST(CheckBoxEncoding, OnlyOneTicksAndOnlyUncheckedStoresZero) {
    EXPECT_TRUE(CheckBoxTickedFromStored(1));
    for (std::int32_t stored : {0, 2, -1, 257, Int32Min}) EXPECT_FALSE(CheckBoxTickedFromStored(stored)) << stored;
    EXPECT_EQ(CheckBoxToStored(0), 0);
    EXPECT_EQ(CheckBoxToStored(1), 1);
    EXPECT_EQ(CheckBoxToStored(2), 1);  // grayed
}

TEST(DiskTypeEncoding, ExactCodesSelectTheList) {
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"", 0},     {"HDC", 0},     {"FDC14", 1},   {"FDC28", 2},          {"hdc", std::nullopt},
        {"Fdc14", std::nullopt},     {"HDC ", std::nullopt},                {"FDC", std::nullopt},
        {" ", std::nullopt},
    };
    for (const auto& [stored, index] : cases) EXPECT_EQ(DiskTypeListIndexFromStored(stored), index) << '"' << stored << '"';
    EXPECT_EQ(DiskTypeToStored(-1), "HDC");
    EXPECT_EQ(DiskTypeToStored(0), "HDC");
    EXPECT_EQ(DiskTypeToStored(1), "FDC14");
    EXPECT_EQ(DiskTypeToStored(2), "FDC28");
}

TEST(InstallDirEncoding, OuterBlanksGo) {
    EXPECT_EQ(InstallDirFromStored("  C:\\Program Files\\Quorvel  "), "C:\\Program Files\\Quorvel");
    EXPECT_EQ(InstallDirFromStored("C:\\Q"), "C:\\Q");
    EXPECT_EQ(InstallDirFromStored("\tC:\\Q\t"), "\tC:\\Q\t");
    EXPECT_EQ(InstallDirFromStored("   "), "");
}

}  // namespace
}  // namespace qv
