// Image, AutoSave, label, TEMP directory and boot rules: check-box dependencies and the AutoSave interval.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "qvconfig/window/editor.h"
#include "tests/editor_rules_support.h"
#include "tests/fakes/fake_services.h"

namespace qv {
namespace {

// --- Check-box dependencies -----------------------------------------------------

// Which boxes are ticked and which fields enabled, read from the window.
struct OptionState {
    bool loadImage, diskLabel, tempDir, saveImage, autoSave;
    bool text1, diskLabelText, autoSaveTime, text2;

    static OptionState Of(const Editor& e) {
        return {e.LoadImage.IsTicked(),    e.DiskLabelCheckBox.IsTicked(), e.TempDirCheckBox.IsTicked(),
                e.SaveImage.IsTicked(),    e.SaveCheckBox.IsTicked(),      e.Text1.Enabled(),
                e.DiskLabelText.Enabled(), e.AutoSaveTime.Enabled(),       e.Text2.Enabled()};
    }
    bool operator==(const OptionState& o) const {
        return loadImage == o.loadImage && diskLabel == o.diskLabel && tempDir == o.tempDir &&
               saveImage == o.saveImage && autoSave == o.autoSave && text1 == o.text1 &&
               diskLabelText == o.diskLabelText && autoSaveTime == o.autoSaveTime && text2 == o.text2;
    }
};

std::ostream& operator<<(std::ostream& out, const OptionState& s) {
    return out << "ticked: LoadImage " << s.loadImage << " DiskLabel " << s.diskLabel << " TempDir " << s.tempDir
               << " SaveImage " << s.saveImage << " AutoSave " << s.autoSave << "; enabled: Text1 " << s.text1
               << " DiskLabelText " << s.diskLabelText << " AutoSaveTime " << s.autoSaveTime << " Text2 "
               << s.text2;
}

using Action = std::function<void(Editor&)>;

// The user clicks the check box of that name.
Action Click(const char* box) {
    return [box](Editor& e) { e.ClickCheckBox(e.Get<CheckBox>(box)); };
}

struct DependencyCase {
    const char* what;
    std::vector<const char*> tickedFirst;  // ticked in this order, as loading would
    Action act;
    OptionState expected;
};

TEST(ImageOptions, CheckBoxDependenciesHoldInBothDirections) {
    const Action clearSaveThenTickAutoSave = [](Editor& e) {
        e.ClickCheckBox(e.SaveImage);  // clears both and disables the interval
        e.ClickCheckBox(e.SaveCheckBox);
    };
    const Action clearSaveThenTickItAgain = [](Editor& e) {
        e.ClickCheckBox(e.SaveImage);
        e.ClickCheckBox(e.SaveImage);
    };
    // clang-format off
    // expected, ticked: LoadImage DiskLabel TempDir SaveImage AutoSave; enabled: Text1 DiskLabelText AutoSaveTime Text2
    const DependencyCase cases[] = {
        {"ticking AutoSave ticks the shutdown save, enables the interval", {"SaveCheckBox"}, clearSaveThenTickAutoSave, {0, 0, 0, 1, 1, 1, 1, 1, 1}},
        {"clearing the shutdown save clears AutoSave",                     {"SaveCheckBox"}, Click("SaveImage"),        {0, 0, 0, 0, 0, 1, 1, 0, 1}},
        {"ticking the shutdown save again leaves AutoSave cleared",        {"SaveCheckBox"}, clearSaveThenTickItAgain,  {0, 0, 0, 1, 0, 1, 1, 0, 1}},
        {"clearing AutoSave keeps the shutdown save",                      {"SaveCheckBox"}, Click("SaveCheckBox"),     {0, 0, 0, 1, 0, 1, 1, 0, 1}},
        {"loading an image clears the label and the TEMP directory", {"DiskLabelCheckBox", "TempDirCheckBox"}, Click("LoadImage"), {1, 0, 0, 0, 0, 1, 0, 1, 1}},
        {"a label clears loading an image",                                {"LoadImage"}, Click("DiskLabelCheckBox"),   {0, 1, 0, 0, 0, 0, 1, 1, 1}},
        {"a TEMP directory clears loading an image",                       {"LoadImage"}, Click("TempDirCheckBox"),     {0, 0, 1, 0, 0, 0, 0, 1, 1}},
        {"clearing the label disables its field",                  {"DiskLabelCheckBox"}, Click("DiskLabelCheckBox"),   {0, 0, 0, 0, 0, 0, 0, 1, 1}},
        {"clearing the TEMP directory changes nothing else", {"DiskLabelCheckBox", "TempDirCheckBox"}, Click("TempDirCheckBox"), {0, 1, 0, 0, 0, 0, 1, 1, 1}},
        {"clearing loading an image disables its file name",               {"LoadImage"}, Click("LoadImage"),           {0, 0, 0, 0, 0, 0, 0, 1, 1}},
    };
    // clang-format on
    for (const auto& c : cases) {
        FakePlatform p;
        Editor e(p.Services());
        for (const char* box : c.tickedFirst) e.Get<CheckBox>(box).SetValue(CheckBox::Ticked);
        c.act(e);
        EXPECT_EQ(OptionState::Of(e), c.expected) << c.what;
    }
}

TEST(ImageOptions, LoadingAnImageRunsTheClearedBoxesRulesInOrder) {
    FakePlatform p;
    Editor e(p.Services());
    e.DiskLabelCheckBox.SetValue(CheckBox::Ticked);
    e.TempDirCheckBox.SetValue(CheckBox::Ticked);
    ChangeLog log(e);
    e.LoadImage.SetValue(CheckBox::Ticked);
    const std::vector<std::string> expected{"LoadImage.Value=1", "Text1.Enabled=1", "DiskLabelText.Enabled=0",
                                            "DiskLabelCheckBox.Value=0", "TempDirCheckBox.Value=0"};
    EXPECT_EQ(log.entries, expected);
}

TEST(ImageOptions, ALabelClearsLoadingAnImageWhoseRuleDisablesItsFileName) {
    FakePlatform p;
    Editor e(p.Services());
    e.LoadImage.SetValue(CheckBox::Ticked);
    ChangeLog log(e);
    e.DiskLabelCheckBox.SetValue(CheckBox::Ticked);
    const std::vector<std::string> expected{"DiskLabelCheckBox.Value=1", "DiskLabelText.Enabled=1",
                                            "LoadImage.Value=0", "Text1.Enabled=0"};
    EXPECT_EQ(log.entries, expected);
}

TEST(ImageOptions, EveryClickAndTextEditSetsSettingsChanged) {
    const struct {
        const char* what;
        Action act;
    } cases[] = {
        {"BootCheck on", Click("BootCheck")},
        {"LoadImage on", Click("LoadImage")},
        {"DiskLabelCheckBox on", Click("DiskLabelCheckBox")},
        {"TempDirCheckBox on", Click("TempDirCheckBox")},
        {"SaveImage on", Click("SaveImage")},
        {"SaveCheckBox on", Click("SaveCheckBox")},
        {"Text1 typed", [](Editor& e) { e.Text1.Type("x"); }},
        {"Text2 typed", [](Editor& e) { e.Text2.Type("x"); }},
        {"DiskLabelText typed", [](Editor& e) { e.DiskLabelText.Type("x"); }},
    };
    for (const auto& c : cases) {
        for (const bool twice : {false, true}) {
            FakePlatform p;
            Editor e(p.Services());
            if (twice) c.act(e);  // the second click clears the box again
            e.SettingsChanged = 0;
            c.act(e);
            EXPECT_EQ(e.SettingsChanged, 1) << c.what << (twice ? ", second time" : "");
        }
    }
}

TEST(ImageOptions, TheLabelFieldRefusesATwelfthTypedCharacterButKeepsALongerLoadedLabel) {
    FakePlatform p;
    Editor e(p.Services());
    e.DiskLabelText.UserEdited("");
    e.DiskLabelText.Type("ABCDEFGHIJKL");
    EXPECT_EQ(e.DiskLabelText.Text(), "ABCDEFGHIJK");
    e.DiskLabelText.SetText("TWELVE CHARS");
    EXPECT_EQ(e.DiskLabelText.Text(), "TWELVE CHARS");
}

// --- AutoSave interval ------------------------------------------------------------

class AutoSaveInterval : public ::testing::Test {
protected:
    FakePlatform platform;
    Editor editor{platform.Services()};

    // AutoSave on, the interval field holding `interval` with its stepper positioned
    // for it, the focus elsewhere, no edits yet.
    void Start(const std::string& interval) {
        editor.SaveCheckBox.SetValue(CheckBox::Ticked);
        TypeAndLeave(interval);
        editor.SettingsChanged = 0;
    }
    // The user empties the field, types `typed` and leaves it for "OK".
    void TypeAndLeave(const std::string& typed) {
        editor.SetFocus(editor.AutoSaveTime);
        editor.AutoSaveTime.UserEdited("");
        editor.AutoSaveTime.Type(typed);
        editor.SetFocus(editor.Command1);
    }
};

TEST_F(AutoSaveInterval, LeavingTheFieldBringsItToWholeUnitsFrom20To32764) {
    const struct {
        const char* typed;
        const char* shown;
    } cases[] = {{"601", " 600"}, {"23", " 20"},       {"5", " 20"},         {"-8", " 20"},
                 {"abc", " 20"},  {"", " 20"},         {"99999", " 32764"},  {"32767", " 32764"},
                 {"600", " 600"}, {"20.5", " 20"},     {"1e400", " 32764"}, {"&H100", " 256"}};
    Start("600");
    for (const auto& c : cases) {
        TypeAndLeave(c.typed);
        EXPECT_EQ(editor.AutoSaveTime.Text(), c.shown) << "typed \"" << c.typed << "\"";
        const int position = 32767 - std::stoi(c.shown);
        EXPECT_EQ(editor.LastAutoSaveScroll, position) << c.typed;
        EXPECT_EQ(editor.VScroll3.Value(), position) << c.typed;
    }
}

TEST_F(AutoSaveInterval, ArrowsStepFourSecondsAndAreUndonePastTheEnds) {
    const struct {
        const char* start;
        bool up;
        const char* shown;
        bool undone;
    } cases[] = {{"600", true, " 604", false},     {"600", false, " 596", false}, {"24", false, " 20", false},
                 {"20", false, " 20", true},       {"32764", true, " 32764", true},
                 {"32760", true, " 32764", false}, {"32764", false, " 32760", false}, {"20", true, " 24", false}};
    for (const auto& c : cases) {
        Start(c.start);
        const int before = editor.VScroll3.Value();
        c.up ? editor.ClickScrollUp(editor.VScroll3) : editor.ClickScrollDown(editor.VScroll3);
        const int expectedBar = c.undone ? before : (c.up ? before - 1 : before + 1);
        EXPECT_EQ(editor.AutoSaveTime.Text(), c.shown) << c.start << (c.up ? " up" : " down");
        EXPECT_EQ(editor.VScroll3.Value(), expectedBar) << c.start << (c.up ? " up" : " down");
        EXPECT_EQ(editor.LastAutoSaveScroll, expectedBar);
        EXPECT_EQ(editor.SettingsChanged, 1);
    }
}

TEST_F(AutoSaveInterval, AnyMovementOfTheBarIsOneStep) {
    Start("600");
    editor.VScroll3.ThumbReleased(0);
    EXPECT_EQ(editor.AutoSaveTime.Text(), " 604");
    EXPECT_EQ(editor.LastAutoSaveScroll, 0);
}

TEST_F(AutoSaveInterval, ArrowsAreUndoneWhileAutoSaveIsOff) {
    Start("600");
    editor.ClickCheckBox(editor.SaveCheckBox);
    const int before = editor.VScroll3.Value();
    for (const bool up : {true, false}) {
        editor.SettingsChanged = 0;
        up ? editor.ClickScrollUp(editor.VScroll3) : editor.ClickScrollDown(editor.VScroll3);
        EXPECT_EQ(editor.AutoSaveTime.Text(), " 600");
        EXPECT_EQ(editor.VScroll3.Value(), before);
        EXPECT_EQ(editor.LastAutoSaveScroll, before);
        EXPECT_EQ(editor.SettingsChanged, 1);
    }
}

TEST_F(AutoSaveInterval, TypingDoesNotMarkAnEditButLeavingTheFieldDoes) {
    Start("600");
    editor.SetFocus(editor.AutoSaveTime);
    editor.AutoSaveTime.Type("1");
    EXPECT_EQ(editor.SettingsChanged, 0);
    editor.SetFocus(editor.Command1);
    EXPECT_EQ(editor.SettingsChanged, 1);

    editor.SettingsChanged = 0;
    editor.SetFocus(editor.AutoSaveTime);
    editor.SetFocus(editor.Command1);
    EXPECT_EQ(editor.SettingsChanged, 1);
}

TEST_F(AutoSaveInterval, TypingThenClickingTheUpperArrowNormalisesFirstThenSteps) {
    Start("600");
    editor.SetFocus(editor.AutoSaveTime);
    editor.AutoSaveTime.UserEdited("");
    editor.AutoSaveTime.Type("1001");
    editor.ClickScrollUp(editor.VScroll3);
    EXPECT_EQ(editor.AutoSaveTime.Text(), " 1004");
    EXPECT_EQ(editor.LastAutoSaveScroll, 32767 - 1000 - 1);
    EXPECT_EQ(editor.VScroll3.Value(), editor.LastAutoSaveScroll);
}

}  // namespace
}  // namespace qv
