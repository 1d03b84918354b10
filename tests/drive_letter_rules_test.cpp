// Drive letter rules: typed characters end as a letter from "A" to "Z"; the arrows step it and stop at the ends.
#include <gtest/gtest.h>

#include <string>

#include "qvconfig/window/editor.h"
#include "tests/fakes/fake_services.h"

namespace qv {
namespace {

constexpr int Middle = 16384;  // where loading puts the drive letter's bar

class DriveLetter : public ::testing::Test {
protected:
    FakePlatform platform;
    Editor editor{platform.Services()};

    // The field showing `letter`, its bar where loading puts it, no edits yet.
    void Start(const std::string& letter) {
        editor.driveLetterBox.SetText(letter);
        editor.LastDriveScroll = Middle;
        editor.driveLetterStepper.SetValue(Middle);
        editor.SettingsChanged = false;
    }
    // The user deletes the letter and types `characters`.
    void Retype(const std::string& characters) {
        editor.SetFocus(editor.driveLetterBox);
        editor.driveLetterBox.UserEdited("");
        editor.driveLetterBox.Type(characters);
    }
};

TEST_F(DriveLetter, TypedCharacterEndsAsALetterFromAToZ) {
    const struct {
        std::string typed;
        const char* shown;
    } cases[] = {{"d", "D"}, {"C", "C"}, {"a", "A"}, {"b", "B"}, {"z", "Z"}, {"5", "A"}, {" ", "A"}, {"!", "A"},
                 {"@", "A"}, {"[", "Z"}, {"~", "Z"}, {"`", "Z"}, {"\xE9", "Z"}, {"\xC9", "Z"}, {"\xFF", "Z"}};
    for (const auto& c : cases) {
        Start("C");
        Retype(c.typed);
        EXPECT_EQ(editor.driveLetterBox.Text(), c.shown) << "typed code "
                                                         << static_cast<int>(static_cast<unsigned char>(c.typed[0]));
        EXPECT_EQ(editor.SettingsChanged, 1);
    }
}

TEST_F(DriveLetter, TheFieldTakesOneTypedCharacter) {
    Start("C");
    Retype("de");
    EXPECT_EQ(editor.driveLetterBox.Text(), "D");
}

TEST_F(DriveLetter, ArrowsStepOneLetterAndStopAtTheEnds) {
    const struct {
        const char* start;
        bool up;
        const char* shown;
        bool undone;
    } cases[] = {{"C", true, "D", false},  {"C", false, "B", false}, {"Y", true, "Z", false},
                 {"B", false, "A", false}, {"Z", true, "Z", true},   {"A", false, "A", true},
                 {"Z", false, "Y", false}, {"A", true, "B", false}};
    for (const auto& c : cases) {
        Start(c.start);
        c.up ? editor.ClickScrollUp(editor.driveLetterStepper) : editor.ClickScrollDown(editor.driveLetterStepper);
        const int expectedBar = c.undone ? Middle : (c.up ? Middle - 1 : Middle + 1);
        EXPECT_EQ(editor.driveLetterBox.Text(), c.shown) << c.start << (c.up ? " up" : " down");
        EXPECT_EQ(editor.driveLetterStepper.Value(), expectedBar) << c.start << (c.up ? " up" : " down");
        EXPECT_EQ(editor.LastDriveScroll, expectedBar);
        EXPECT_EQ(editor.SettingsChanged, 1);
    }
}

TEST_F(DriveLetter, AnyMovementOfTheBarIsOneLetter) {
    Start("M");
    editor.driveLetterStepper.ThumbReleased(0);
    EXPECT_EQ(editor.driveLetterBox.Text(), "N");
    editor.driveLetterStepper.ThumbReleased(32767);
    EXPECT_EQ(editor.driveLetterBox.Text(), "M");
    EXPECT_EQ(editor.LastDriveScroll, 32767);
}

TEST_F(DriveLetter, DeletingTheLetterLeavesTheFieldEmpty) {
    Start("C");
    editor.driveLetterBox.UserEdited("");
    EXPECT_EQ(editor.driveLetterBox.Text(), "");
    EXPECT_EQ(editor.SettingsChanged, 1);
}

TEST_F(DriveLetter, ArrowsOnAnEmptyFieldOnlySetTheBarBack) {
    for (const bool up : {true, false}) {
        Start("C");
        editor.driveLetterBox.UserEdited("");
        editor.SettingsChanged = false;
        up ? editor.ClickScrollUp(editor.driveLetterStepper) : editor.ClickScrollDown(editor.driveLetterStepper);
        EXPECT_EQ(editor.driveLetterBox.Text(), "");
        EXPECT_EQ(editor.driveLetterStepper.Value(), Middle);
        EXPECT_EQ(editor.LastDriveScroll, Middle);
        EXPECT_EQ(editor.SettingsChanged, 1);
    }
}

TEST_F(DriveLetter, TypingDoesNotMoveTheBarAndTheNextArrowStepsFromTheTypedLetter) {
    Start("C");
    editor.ClickScrollUp(editor.driveLetterStepper);
    Retype("q");
    EXPECT_EQ(editor.driveLetterStepper.Value(), Middle - 1);
    editor.ClickScrollUp(editor.driveLetterStepper);
    EXPECT_EQ(editor.driveLetterBox.Text(), "R");
}

TEST_F(DriveLetter, ACharacterAfterZPutInByCodeBecomesZ) {
    Start("C");
    editor.driveLetterBox.SetText(std::string(1, static_cast<char>('A' + 26)));
    EXPECT_EQ(editor.driveLetterBox.Text(), "Z");
}

}  // namespace
}  // namespace qv
