// Disk type and size rules: the stepper's walk over the grid, normalisation on leaving the box, FAT32 and floppy types.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "qvconfig/settings/numbers.h"
#include "qvconfig/window/editor.h"
#include "qvconfig/window/steppers.h"
#include "tests/editor_rules_support.h"
#include "tests/fakes/fake_services.h"

namespace qv {
namespace {

constexpr int HardDisk = 0;
constexpr int Floppy144 = 1;
constexpr int Floppy288 = 2;
constexpr int Middle = 16384;  // any bar position away from both ends

// The disk type list with its three items, `type` selected, FAT32 as given, the size
// box holding `size` and the stepper positioned in the middle; no edits yet.
void PrepareSizeGroup(Editor& editor, const std::string& size, bool fat32, int type) {
    if (editor.diskTypeList.Items().empty()) {
        for (const char* item : {"Hard Disk", "1.44MB Floppy", "2.88MB Floppy"}) editor.diskTypeList.AddItem(item, -1);
    }
    editor.diskTypeList.SetListIndex(type);
    editor.fat32Check.SetValue(fat32 ? CheckBox::Ticked : CheckBox::Cleared);
    editor.diskSizeBox.SetText(size);
    editor.LastSizeScroll = Middle;
    editor.diskSizeStepper.SetValue(Middle);
    editor.SettingsChanged = false;
}

class DiskSize : public ::testing::Test {
protected:
    FakePlatform platform;
    Editor editor{platform.Services()};

    void Start(const std::string& size, bool fat32, int type = HardDisk) {
        PrepareSizeGroup(editor, size, fat32, type);
    }
    void Up() { editor.ClickScrollUp(editor.diskSizeStepper); }
    void Down() { editor.ClickScrollDown(editor.diskSizeStepper); }
    double Size() const { return TextToNumber(editor.diskSizeBox.Text()); }
    // The user empties the size box, types `typed` and leaves the box for "OK".
    void TypeAndLeave(const std::string& typed) {
        editor.SetFocus(editor.diskSizeBox);
        editor.diskSizeBox.SetText("");
        editor.diskSizeBox.Type(typed);
        editor.SetFocus(editor.okButton);
    }
    void Refocus() {
        editor.SetFocus(editor.diskSizeBox);
        editor.SetFocus(editor.okButton);
    }
};

// --- Stepping ---------------------------------------------------------------

struct ArrowCase {
    bool fat32;
    const char* start;
    bool up;
    const char* shown;
    bool undone;  // the bar went back to where it was
};

std::ostream& operator<<(std::ostream& out, const ArrowCase& c) {
    return out << (c.up ? "up" : "down") << " at \"" << c.start << "\", FAT32 " << (c.fat32 ? "on" : "off");
}

class DiskSizeArrow : public DiskSize, public ::testing::WithParamInterface<ArrowCase> {};

TEST_P(DiskSizeArrow, StepsOneGridPlaceOrIsUndone) {
    const ArrowCase& c = GetParam();
    Start(c.start, c.fat32);
    c.up ? Up() : Down();
    EXPECT_EQ(editor.diskSizeBox.Text(), c.shown);
    const int expectedBar = c.undone ? Middle : (c.up ? Middle - 1 : Middle + 1);
    EXPECT_EQ(editor.diskSizeStepper.Value(), expectedBar);
    EXPECT_EQ(editor.LastSizeScroll, expectedBar);
    EXPECT_EQ(editor.SettingsChanged, 1);
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, DiskSizeArrow,
    ::testing::Values(ArrowCase{false, " 1023", true, " 1024", false}, ArrowCase{false, " 1024", true, " 1026", false},
                      // At the FAT16 top the size stays but the stepper follows the bar.
                      ArrowCase{false, " 2048", true, " 2048", false}, ArrowCase{false, " 2048", false, " 2046", false},
                      ArrowCase{false, " 1024", false, " 1023", false}, ArrowCase{false, " 6", false, " 5", false},
                      ArrowCase{false, " 5", false, " 5", true}, ArrowCase{true, " 5", false, " 5", true},
                      ArrowCase{true, " 5.5", false, " 5.5", true}, ArrowCase{true, " 3078", false, " 3073.5", false},
                      ArrowCase{true, " 3073.5", false, " 3072", false}, ArrowCase{true, " 3072", false, " 3069", false},
                      ArrowCase{true, " 2052", false, " 2049", false}, ArrowCase{true, " 2049", false, " 2048", false},
                      ArrowCase{true, " 2048", false, " 2046", false}, ArrowCase{true, " 1024", false, " 1023", false},
                      ArrowCase{true, " 3069", true, " 3072", false}, ArrowCase{true, " 3072", true, " 3073.5", false},
                      ArrowCase{true, " 4090.5", true, " 4095", false}, ArrowCase{true, " 4095", true, " 4099.5", false},
                      ArrowCase{true, " 4099.5", true, " 4099.5", false}));

// The grid with FAT32 on, from 2046 to the stepper's top 4099.5.
std::vector<double> Fat32GridFrom2046() {
    std::vector<double> grid{2046, 2048};
    for (double s = 2049; s <= 3072; s += 3) grid.push_back(s);
    for (double s = 3073.5; s <= 4095; s += 4.5) grid.push_back(s);
    grid.push_back(4099.5);
    return grid;
}

TEST_F(DiskSize, Fat32UpArrowsWalkTheWholeGridAndBackDown) {
    const std::vector<double> grid = Fat32GridFrom2046();
    Start(" 2046", true);
    for (std::size_t i = 1; i < grid.size(); ++i) {
        Up();
        ASSERT_EQ(Size(), grid[i]) << "up step " << i;
        ASSERT_EQ(editor.LastSizeScroll, editor.diskSizeStepper.Value());
    }
    Up();
    EXPECT_EQ(editor.diskSizeBox.Text(), " 4099.5");
    EXPECT_EQ(editor.LastSizeScroll, editor.diskSizeStepper.Value());
    for (std::size_t i = grid.size() - 1; i-- > 0;) {
        Down();
        ASSERT_EQ(Size(), grid[i]) << "down step to " << grid[i];
    }
    EXPECT_EQ(editor.diskSizeBox.Text(), " 2046");
}

TEST_F(DiskSize, AnyMovementOfTheBarIsOneStep) {
    Start(" 100", false);
    editor.diskSizeStepper.ThumbReleased(Middle - 500);
    EXPECT_EQ(editor.diskSizeBox.Text(), " 101");
    editor.diskSizeStepper.ThumbReleased(Middle + 700);
    EXPECT_EQ(editor.diskSizeBox.Text(), " 100");
    EXPECT_EQ(editor.LastSizeScroll, Middle + 700);
}

// --- Normalisation on leaving the box ---------------------------------------

struct LeaveCase {
    bool fat32;
    const char* typed;
    const char* shown;
    int position;  // the stepper's position: 32767 - size, halves to even
};

std::ostream& operator<<(std::ostream& out, const LeaveCase& c) {
    return out << "\"" << c.typed << "\", FAT32 " << (c.fat32 ? "on" : "off");
}

class DiskSizeLeave : public DiskSize, public ::testing::WithParamInterface<LeaveCase> {};

TEST_P(DiskSizeLeave, BringsTheSizeOntoTheGridAndPositionsTheStepper) {
    const LeaveCase& c = GetParam();
    Start(" 100", c.fat32);
    TypeAndLeave(c.typed);
    EXPECT_EQ(editor.diskSizeBox.Text(), c.shown);
    EXPECT_EQ(editor.LastSizeScroll, c.position);
    EXPECT_EQ(editor.diskSizeStepper.Value(), c.position);
    EXPECT_EQ(editor.SettingsChanged, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Fat32On, DiskSizeLeave,
    ::testing::Values(LeaveCase{true, "3073", " 3069", 29698}, LeaveCase{true, "4094", " 4090.5", 28676},
                      LeaveCase{true, "5000", " 4095", 28672}, LeaveCase{true, "1500.7", " 1500", 31267},
                      LeaveCase{true, "2047", " 2046", 30721}, LeaveCase{true, "3000", " 3000", 29767},
                      LeaveCase{true, "1023.9", " 1023", 31744}, LeaveCase{true, "4095.9", " 4095", 28672},
                      LeaveCase{true, "", " 5", 32762}, LeaveCase{true, "1e400", " 4095", 28672},
                      LeaveCase{true, "-1e400", " 5", 32762}));

INSTANTIATE_TEST_SUITE_P(
    Fat32Off, DiskSizeLeave,
    ::testing::Values(LeaveCase{false, "2047", " 2046", 30721}, LeaveCase{false, "3000", " 2048", 30719},
                      LeaveCase{false, "1023.9", " 1023", 31744}, LeaveCase{false, "3073", " 2048", 30719},
                      LeaveCase{false, "", " 5", 32762}, LeaveCase{false, "abc", " 5", 32762},
                      LeaveCase{false, "-250", " 5", 32762}, LeaveCase{false, "-2.5", " 5", 32762},
                      LeaveCase{false, "4.9", " 5", 32762}, LeaveCase{false, "12abc", " 12", 32755},
                      LeaveCase{false, "1 0 0", " 100", 32667}, LeaveCase{false, "1e400", " 2048", 30719},
                      LeaveCase{false, "-1e400", " 5", 32762}));

TEST_F(DiskSize, SteppedFractionIsDroppedWhenTheBoxIsLeft) {
    Start(" 3072", true);
    Up();
    ASSERT_EQ(editor.diskSizeBox.Text(), " 3073.5");
    Refocus();
    EXPECT_EQ(editor.diskSizeBox.Text(), " 3069");

    Start(" 4095", true);
    Up();
    ASSERT_EQ(editor.diskSizeBox.Text(), " 4099.5");
    Refocus();
    EXPECT_EQ(editor.diskSizeBox.Text(), " 4095");
}

TEST_F(DiskSize, ALiteralMaximumGainsItsLeadingBlank) {
    Start(" 100", false);
    ChangeLog log(editor);
    TypeAndLeave("3000");
    const std::vector<std::string> expected{"diskSizeBox.Text=", "diskSizeBox.Text=3000", "diskSizeBox.Text= 3000",
                                            "diskSizeBox.Text=2048", "diskSizeBox.Text= 2048"};
    EXPECT_EQ(log.Of("diskSizeBox"), expected);
}

TEST_F(DiskSize, TypingThenClickingAnArrowNormalisesFirstThenSteps) {
    Start(" 100", false);
    editor.SetFocus(editor.diskSizeBox);
    editor.diskSizeBox.SetText("");
    editor.diskSizeBox.Type("2047");
    ChangeLog log(editor);
    Up();
    const std::vector<std::string> expected{"diskSizeBox.Text= 2047", "diskSizeBox.Text= 2046", "diskSizeBox.Text= 2048"};
    EXPECT_EQ(log.Of("diskSizeBox"), expected);
    EXPECT_EQ(editor.LastSizeScroll, 32767 - 2046 - 1);
    EXPECT_EQ(editor.diskSizeStepper.Value(), editor.LastSizeScroll);
}

TEST_F(DiskSize, TypingThenClickingAButtonNormalisesBeforeTheButtonActs) {
    Start(" 100", true);
    std::string seenByButton;
    editor.cancelButton.OnClick = [&] { seenByButton = editor.diskSizeBox.Text(); };
    editor.SetFocus(editor.diskSizeBox);
    editor.diskSizeBox.SetText("");
    editor.diskSizeBox.Type("5000");
    editor.ClickButton(editor.cancelButton);
    EXPECT_EQ(seenByButton, " 4095");
}

// --- FAT32 -----------------------------------------------------------------

TEST_F(DiskSize, Fat32IsAvailableOnlyAbove32) {
    const struct {
        const char* size;
        bool available;
    } cases[] = {{" 32", false}, {" 32.5", true}, {" 33", true}, {"", false}, {"abc", false}};
    Start(" 100", false);
    for (const auto& c : cases) {
        editor.diskSizeBox.SetText(c.size);
        EXPECT_EQ(editor.fat32Check.Enabled(), c.available) << "size \"" << c.size << "\"";
    }
}

TEST_F(DiskSize, Fat32AvailabilityFollowsEveryKeystroke) {
    Start(" 100", false);
    editor.SetFocus(editor.diskSizeBox);
    editor.diskSizeBox.SetText("");
    const bool expected[] = {false, true, true};  // 4, 40, 400
    for (const bool available : expected) {
        editor.diskSizeBox.Type(editor.diskSizeBox.Text().empty() ? "4" : "0");
        EXPECT_EQ(editor.fat32Check.Enabled(), available) << editor.diskSizeBox.Text();
    }
}

TEST_F(DiskSize, TurningFat32OffBringsTheSizeDownToTheFat16Maximum) {
    Start(" 3000", true);
    editor.ClickCheckBox(editor.fat32Check);
    EXPECT_EQ(editor.diskSizeBox.Text(), "2048");
    EXPECT_EQ(editor.diskSizeStepper.Value(), Middle);  // the stepper is not repositioned
    editor.ClickCheckBox(editor.fat32Check);
    EXPECT_EQ(editor.fat32Check.Value(), CheckBox::Ticked);
    EXPECT_EQ(editor.diskSizeBox.Text(), "2048");
}

TEST_F(DiskSize, TurningFat32OffAtExactly2048ChangesNothing) {
    Start(" 2048", true);
    editor.ClickCheckBox(editor.fat32Check);
    EXPECT_EQ(editor.diskSizeBox.Text(), " 2048");
    EXPECT_EQ(editor.SettingsChanged, 1);
}

// --- Disk type ---------------------------------------------------------------

TEST(DiskType, FloppyTypesFreezeTheSizeGroupWithoutChangingValues) {
    for (const int floppy : {Floppy144, Floppy288}) {
        FakePlatform p;
        Editor e(p.Services());
        PrepareSizeGroup(e, " 100", true, HardDisk);
        const Control* const sizeGroup[] = {&e.diskSizeBox, &e.fat32Check, &e.diskSizeLabel, &e.megabytesLabel};

        e.diskTypeList.SetListIndex(floppy);
        for (const Control* c : sizeGroup) {
            EXPECT_FALSE(c->Enabled()) << c->Name() << " with type " << floppy;
        }
        e.ClickScrollUp(e.diskSizeStepper);
        e.ClickScrollDown(e.diskSizeStepper);
        e.diskSizeStepper.ThumbReleased(0);
        EXPECT_EQ(e.diskSizeStepper.Value(), Middle);
        EXPECT_EQ(e.LastSizeScroll, Middle);
        EXPECT_EQ(e.diskSizeBox.Text(), " 100");
        EXPECT_EQ(e.fat32Check.Value(), CheckBox::Ticked);

        e.diskTypeList.SetListIndex(HardDisk);
        for (const Control* c : sizeGroup) {
            EXPECT_TRUE(c->Enabled()) << c->Name();
        }
    }
}

TEST_F(DiskSize, HardDiskAgainOffersFat32OnlyAbove32) {
    Start(" 20", false, Floppy144);
    editor.diskTypeList.SetListIndex(HardDisk);
    EXPECT_TRUE(editor.diskSizeBox.Enabled());
    EXPECT_FALSE(editor.fat32Check.Enabled());
}

TEST_F(DiskSize, EditingTheTypeFieldToNoItemSelectsHardDisk) {
    Start(" 100", false, Floppy288);
    editor.diskTypeList.UserEdited("Ram");
    EXPECT_EQ(editor.diskTypeList.ListIndex(), HardDisk);
    EXPECT_EQ(editor.diskTypeList.Text(), "Hard Disk");
    EXPECT_TRUE(editor.diskSizeBox.Enabled());
}

TEST_F(DiskSize, TheTextRuleDoesNotConsultTheType) {
    Start(" 20", false, Floppy144);
    editor.diskSizeBox.SetText(" 100");
    EXPECT_TRUE(editor.fat32Check.Enabled());
}

// --- Unsaved edits -----------------------------------------------------------

TEST(DiskSizeEvents, EveryEventSetsSettingsChangedAlsoWhenNothingChanged) {
    const struct {
        const char* what;
        const char* size;
        int type;
        std::function<void(Editor&)> act;
    } cases[] = {
        {"picking a type", " 100", HardDisk, [](Editor& e) { e.diskTypeList.SetListIndex(Floppy144); }},
        {"editing the type field", " 100", HardDisk, [](Editor& e) { e.diskTypeList.UserEdited("x"); }},
        {"typing a size", " 100", HardDisk, [](Editor& e) { e.diskSizeBox.Type("0"); }},
        {"leaving the box unchanged", " 100", HardDisk,
         [](Editor& e) {
             e.SetFocus(e.diskSizeBox);
             e.SetFocus(e.okButton);
         }},
        {"up arrow at the top", " 2048", HardDisk, [](Editor& e) { e.ClickScrollUp(e.diskSizeStepper); }},
        {"down arrow at 5, undone", " 5", HardDisk, [](Editor& e) { e.ClickScrollDown(e.diskSizeStepper); }},
        {"arrow on a floppy, undone", " 100", Floppy288, [](Editor& e) { e.ClickScrollUp(e.diskSizeStepper); }},
        {"FAT32 on, no size change", " 100", HardDisk, [](Editor& e) { e.ClickCheckBox(e.fat32Check); }},
    };
    for (const auto& c : cases) {
        FakePlatform p;
        Editor e(p.Services());
        PrepareSizeGroup(e, c.size, false, c.type);
        c.act(e);
        EXPECT_EQ(e.SettingsChanged, 1) << c.what;
    }
}

// --- Stepper positions stay within the bar's range ----------------------------

TEST(StepperPosition, Is32767MinusTheValueKeptWithinTheBar) {
    const struct {
        double value;
        int position;
    } cases[] = {{5, 32762},      {600, 32167},  {4099.5, 28668}, {4090.5, 28676}, {32767, 0},
                 {40000, 0},      {1e308, 0},    {-100, 32767},   {-1e308, 32767}};
    for (const auto& c : cases) EXPECT_EQ(StepperPosition(c.value), c.position) << c.value;
}

TEST(StepperPosition, KeepsTheRememberedValueEqualToTheBar) {
    FakePlatform p;
    Editor e(p.Services());
    for (const double size : {100000.0, -5000.0, 100.0}) {
        PositionStepper(e.diskSizeStepper, e.LastSizeScroll, size);
        EXPECT_EQ(e.LastSizeScroll, e.diskSizeStepper.Value()) << size;
    }
}

}  // namespace
}  // namespace qv
