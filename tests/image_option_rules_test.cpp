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
        return {e.loadAtStartupCheck.IsTicked(),    e.diskLabelCheck.IsTicked(), e.tempDirCheck.IsTicked(),
                e.saveOnShutdownCheck.IsTicked(),    e.autoSaveCheck.IsTicked(),      e.loadFileBox.Enabled(),
                e.diskLabelBox.Enabled(), e.autoSaveIntervalBox.Enabled(),       e.saveFileBox.Enabled()};
    }
    bool operator==(const OptionState& o) const {
        return loadImage == o.loadImage && diskLabel == o.diskLabel && tempDir == o.tempDir &&
               saveImage == o.saveImage && autoSave == o.autoSave && text1 == o.text1 &&
               diskLabelText == o.diskLabelText && autoSaveTime == o.autoSaveTime && text2 == o.text2;
    }
};

std::ostream& operator<<(std::ostream& out, const OptionState& s) {
    return out << "ticked: loadAtStartupCheck " << s.loadImage << " DiskLabel " << s.diskLabel << " TempDir " << s.tempDir
               << " saveOnShutdownCheck " << s.saveImage << " AutoSave " << s.autoSave << "; enabled: loadFileBox " << s.text1
               << " diskLabelBox " << s.diskLabelText << " autoSaveIntervalBox " << s.autoSaveTime << " saveFileBox "
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
        e.ClickCheckBox(e.saveOnShutdownCheck);  // clears both and disables the interval
        e.ClickCheckBox(e.autoSaveCheck);
    };
    const Action clearSaveThenTickItAgain = [](Editor& e) {
        e.ClickCheckBox(e.saveOnShutdownCheck);
        e.ClickCheckBox(e.saveOnShutdownCheck);
    };
    // clang-format off
    // expected, ticked: loadAtStartupCheck DiskLabel TempDir saveOnShutdownCheck AutoSave; enabled: loadFileBox diskLabelBox autoSaveIntervalBox saveFileBox
    const DependencyCase cases[] = {
        {"ticking AutoSave ticks the shutdown save, enables the interval", {"autoSaveCheck"}, clearSaveThenTickAutoSave, {0, 0, 0, 1, 1, 1, 1, 1, 1}},
        {"clearing the shutdown save clears AutoSave",                     {"autoSaveCheck"}, Click("saveOnShutdownCheck"),        {0, 0, 0, 0, 0, 1, 1, 0, 1}},
        {"ticking the shutdown save again leaves AutoSave cleared",        {"autoSaveCheck"}, clearSaveThenTickItAgain,  {0, 0, 0, 1, 0, 1, 1, 0, 1}},
        {"clearing AutoSave keeps the shutdown save",                      {"autoSaveCheck"}, Click("autoSaveCheck"),     {0, 0, 0, 1, 0, 1, 1, 0, 1}},
        {"loading an image clears the label and the TEMP directory", {"diskLabelCheck", "tempDirCheck"}, Click("loadAtStartupCheck"), {1, 0, 0, 0, 0, 1, 0, 1, 1}},
        {"a label clears loading an image",                                {"loadAtStartupCheck"}, Click("diskLabelCheck"),   {0, 1, 0, 0, 0, 0, 1, 1, 1}},
        {"a TEMP directory clears loading an image",                       {"loadAtStartupCheck"}, Click("tempDirCheck"),     {0, 0, 1, 0, 0, 0, 0, 1, 1}},
        {"clearing the label disables its field",                  {"diskLabelCheck"}, Click("diskLabelCheck"),   {0, 0, 0, 0, 0, 0, 0, 1, 1}},
        {"clearing the TEMP directory changes nothing else", {"diskLabelCheck", "tempDirCheck"}, Click("tempDirCheck"), {0, 1, 0, 0, 0, 0, 1, 1, 1}},
        {"clearing loading an image disables its file name",               {"loadAtStartupCheck"}, Click("loadAtStartupCheck"),           {0, 0, 0, 0, 0, 0, 0, 1, 1}},
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
    e.diskLabelCheck.SetValue(CheckBox::Ticked);
    e.tempDirCheck.SetValue(CheckBox::Ticked);
    ChangeLog log(e);
    e.loadAtStartupCheck.SetValue(CheckBox::Ticked);
    const std::vector<std::string> expected{"loadAtStartupCheck.Value=1", "loadFileBox.Enabled=1", "diskLabelBox.Enabled=0",
                                            "diskLabelCheck.Value=0", "tempDirCheck.Value=0"};
    EXPECT_EQ(log.entries, expected);
}

TEST(ImageOptions, ALabelClearsLoadingAnImageWhoseRuleDisablesItsFileName) {
    FakePlatform p;
    Editor e(p.Services());
    e.loadAtStartupCheck.SetValue(CheckBox::Ticked);
    ChangeLog log(e);
    e.diskLabelCheck.SetValue(CheckBox::Ticked);
    const std::vector<std::string> expected{"diskLabelCheck.Value=1", "diskLabelBox.Enabled=1",
                                            "loadAtStartupCheck.Value=0", "loadFileBox.Enabled=0"};
    EXPECT_EQ(log.entries, expected);
}

TEST(ImageOptions, EveryClickAndTextEditSetsSettingsChanged) {
    const struct {
        const char* what;
        Action act;
    } cases[] = {
        {"startAtBootCheck on", Click("startAtBootCheck")},
        {"loadAtStartupCheck on", Click("loadAtStartupCheck")},
        {"diskLabelCheck on", Click("diskLabelCheck")},
        {"tempDirCheck on", Click("tempDirCheck")},
        {"saveOnShutdownCheck on", Click("saveOnShutdownCheck")},
        {"autoSaveCheck on", Click("autoSaveCheck")},
        {"loadFileBox typed", [](Editor& e) { e.loadFileBox.Type("x"); }},
        {"saveFileBox typed", [](Editor& e) { e.saveFileBox.Type("x"); }},
        {"diskLabelBox typed", [](Editor& e) { e.diskLabelBox.Type("x"); }},
    };
    for (const auto& c : cases) {
        for (const bool twice : {false, true}) {
            FakePlatform p;
            Editor e(p.Services());
            if (twice) c.act(e);  // the second click clears the box again
            e.SettingsChanged = false;
            c.act(e);
            EXPECT_EQ(e.SettingsChanged, 1) << c.what << (twice ? ", second time" : "");
        }
    }
}

TEST(ImageOptions, TheLabelFieldRefusesATwelfthTypedCharacterButKeepsALongerLoadedLabel) {
    FakePlatform p;
    Editor e(p.Services());
    e.diskLabelBox.UserEdited("");
    e.diskLabelBox.Type("ABCDEFGHIJKL");
    EXPECT_EQ(e.diskLabelBox.Text(), "ABCDEFGHIJK");
    e.diskLabelBox.SetText("TWELVE CHARS");
    EXPECT_EQ(e.diskLabelBox.Text(), "TWELVE CHARS");
}

// --- AutoSave interval ------------------------------------------------------------

class AutoSaveInterval : public ::testing::Test {
protected:
    FakePlatform platform;
    Editor editor{platform.Services()};

    // AutoSave on, the interval field holding `interval` with its stepper positioned
    // for it, the focus elsewhere, no edits yet.
    void Start(const std::string& interval) {
        editor.autoSaveCheck.SetValue(CheckBox::Ticked);
        TypeAndLeave(interval);
        editor.SettingsChanged = false;
    }
    // The user empties the field, types `typed` and leaves it for "OK".
    void TypeAndLeave(const std::string& typed) {
        editor.SetFocus(editor.autoSaveIntervalBox);
        editor.autoSaveIntervalBox.UserEdited("");
        editor.autoSaveIntervalBox.Type(typed);
        editor.SetFocus(editor.okButton);
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
        EXPECT_EQ(editor.autoSaveIntervalBox.Text(), c.shown) << "typed \"" << c.typed << "\"";
        const int position = 32767 - std::stoi(c.shown);
        EXPECT_EQ(editor.LastAutoSaveScroll, position) << c.typed;
        EXPECT_EQ(editor.autoSaveIntervalStepper.Value(), position) << c.typed;
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
        const int before = editor.autoSaveIntervalStepper.Value();
        c.up ? editor.ClickScrollUp(editor.autoSaveIntervalStepper) : editor.ClickScrollDown(editor.autoSaveIntervalStepper);
        const int expectedBar = c.undone ? before : (c.up ? before - 1 : before + 1);
        EXPECT_EQ(editor.autoSaveIntervalBox.Text(), c.shown) << c.start << (c.up ? " up" : " down");
        EXPECT_EQ(editor.autoSaveIntervalStepper.Value(), expectedBar) << c.start << (c.up ? " up" : " down");
        EXPECT_EQ(editor.LastAutoSaveScroll, expectedBar);
        EXPECT_EQ(editor.SettingsChanged, 1);
    }
}

TEST_F(AutoSaveInterval, AnyMovementOfTheBarIsOneStep) {
    Start("600");
    editor.autoSaveIntervalStepper.ThumbReleased(0);
    EXPECT_EQ(editor.autoSaveIntervalBox.Text(), " 604");
    EXPECT_EQ(editor.LastAutoSaveScroll, 0);
}

TEST_F(AutoSaveInterval, ArrowsAreUndoneWhileAutoSaveIsOff) {
    Start("600");
    editor.ClickCheckBox(editor.autoSaveCheck);
    const int before = editor.autoSaveIntervalStepper.Value();
    for (const bool up : {true, false}) {
        editor.SettingsChanged = false;
        up ? editor.ClickScrollUp(editor.autoSaveIntervalStepper) : editor.ClickScrollDown(editor.autoSaveIntervalStepper);
        EXPECT_EQ(editor.autoSaveIntervalBox.Text(), " 600");
        EXPECT_EQ(editor.autoSaveIntervalStepper.Value(), before);
        EXPECT_EQ(editor.LastAutoSaveScroll, before);
        EXPECT_EQ(editor.SettingsChanged, 1);
    }
}

TEST_F(AutoSaveInterval, TypingDoesNotMarkAnEditButLeavingTheFieldDoes) {
    Start("600");
    editor.SetFocus(editor.autoSaveIntervalBox);
    editor.autoSaveIntervalBox.Type("1");
    EXPECT_FALSE(editor.SettingsChanged);
    editor.SetFocus(editor.okButton);
    EXPECT_EQ(editor.SettingsChanged, 1);

    editor.SettingsChanged = false;
    editor.SetFocus(editor.autoSaveIntervalBox);
    editor.SetFocus(editor.okButton);
    EXPECT_EQ(editor.SettingsChanged, 1);
}

TEST_F(AutoSaveInterval, TypingThenClickingTheUpperArrowNormalisesFirstThenSteps) {
    Start("600");
    editor.SetFocus(editor.autoSaveIntervalBox);
    editor.autoSaveIntervalBox.UserEdited("");
    editor.autoSaveIntervalBox.Type("1001");
    editor.ClickScrollUp(editor.autoSaveIntervalStepper);
    EXPECT_EQ(editor.autoSaveIntervalBox.Text(), " 1004");
    EXPECT_EQ(editor.LastAutoSaveScroll, 32767 - 1000 - 1);
    EXPECT_EQ(editor.autoSaveIntervalStepper.Value(), editor.LastAutoSaveScroll);
}

}  // namespace
}  // namespace qv
