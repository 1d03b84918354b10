// The control model keeps the event model: rules run on real changes only, nest, and follow the focus.
#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "qvconfig/window/form.h"

namespace qv {
namespace {

constexpr Font kFont{"Arial", 9.0, true, false, false};
constexpr TwipsBox kBox{0, 0, 100, 100};
constexpr ControlRow Row(const char* name, ControlKind kind, const char* text, int typingLimit = 0) {
    return ControlRow{name, kind, text, nullptr, kBox, nullptr, kFont, DefaultColour, Alignment::Left, typingLimit};
}

const ControlRow kControls[] = {
    Row("Box", ControlKind::TextBox, "start", 3),
    Row("Free", ControlKind::TextBox, "", 0),
    Row("Tick", ControlKind::CheckBox, "Tick"),
    Row("Bar", ControlKind::ScrollBar, ""),
    Row("Go", ControlKind::Button, "Go"),
    Row("Stop", ControlKind::Button, "Stop"),
    Row("List", ControlKind::ComboBox, "List"),
    Row("Caption", ControlKind::Label, "Caption"),
    Row("Group", ControlKind::Frame, "Group"),
};
// The order names a label and a frame too: the focus passes over them.
const char* const kOrder[] = {"Go", "Caption", "Box", "Tick", "Group", "Bar", "Stop", "List", "Free"};
const FormLayout kLayout{"Test", 1500, 1500, kControls, std::size(kControls), kOrder, std::size(kOrder)};

// Records what a view of the form would hear, in order.
class RecordingView : public FormObserver {
public:
    std::vector<std::string> heard;
    void OnControlChanged(Control& control, ControlProperty property) override {
        heard.push_back(std::string(control.Name()) + ":" + std::to_string(static_cast<int>(property)));
    }
    void OnShown() override { heard.push_back("shown"); }
    void OnUnloaded() override { heard.push_back("unloaded"); }
};

class ControlModel : public ::testing::Test {
protected:
    Form form{kLayout};
    TextBox& box = form.Get<TextBox>("Box");
    TextBox& free = form.Get<TextBox>("Free");
    CheckBox& tick = form.Get<CheckBox>("Tick");
    ScrollBar& bar = form.Get<ScrollBar>("Bar");
    Button& go = form.Get<Button>("Go");
    Button& stop = form.Get<Button>("Stop");
    ComboBox& list = form.Get<ComboBox>("List");
    std::string log;

    // A handler that logs its name and the value it sees when it runs.
    Handler Logs(const std::string& name, const std::function<std::string()>& seen = {}) {
        return [this, name, seen] { log += name + (seen ? "=" + seen() : "") + ";"; };
    }
};

// --- A setter runs the rule at once, to its end, and only on a real change ---

TEST_F(ControlModel, TextBoxChangeRuleRunsOnlyWhenTheTextReallyChanges) {
    box.OnChange = Logs("change", [&] { return box.Text(); });
    box.SetText("start");
    EXPECT_EQ(log, "");
    box.SetText("other");
    EXPECT_EQ(log, "change=other;");
    box.SetText("other");
    EXPECT_EQ(log, "change=other;");
    box.SetText("");
    EXPECT_EQ(log, "change=other;change=;");
}

TEST_F(ControlModel, CheckBoxClickRuleRunsOnEveryValueChangeWhoeverMadeIt) {
    tick.OnClick = Logs("click", [&] { return std::to_string(tick.Value()); });
    EXPECT_EQ(tick.Value(), CheckBox::Cleared);
    tick.SetValue(CheckBox::Cleared);
    EXPECT_EQ(log, "");
    tick.SetValue(CheckBox::Ticked);
    tick.SetValue(CheckBox::Ticked);
    EXPECT_EQ(log, "click=1;");
    EXPECT_TRUE(tick.IsTicked());
    tick.UserClick();
    EXPECT_EQ(log, "click=1;click=0;");
    EXPECT_FALSE(tick.IsTicked());
    tick.UserClick();
    EXPECT_EQ(log, "click=1;click=0;click=1;");
}

TEST_F(ControlModel, AUserClickTicksAGreyedBox) {
    tick.SetValue(CheckBox::Grayed);
    EXPECT_FALSE(tick.IsTicked());
    tick.UserClick();
    EXPECT_EQ(tick.Value(), CheckBox::Ticked);
}

TEST_F(ControlModel, ScrollBarChangeIsOneEventWhateverItsSizeAndStaysInRange) {
    bar.OnChange = Logs("change", [&] { return std::to_string(bar.Value()); });
    const struct {
        std::function<void()> act;
        const char* expectedLog;
        int expectedValue;
    } steps[] = {
        {[&] { bar.SetValue(0); }, "", 0},
        {[&] { bar.LineUp(); }, "", 0},
        {[&] { bar.PageUp(); }, "", 0},
        {[&] { bar.LineDown(); }, "change=1;", 1},
        {[&] { bar.PageDown(); }, "change=2;", 2},
        {[&] { bar.LineUp(); }, "change=1;", 1},
        {[&] { bar.ThumbReleased(30000); }, "change=30000;", 30000},
        {[&] { bar.SetValue(40000); }, "change=32767;", 32767},
        {[&] { bar.LineDown(); }, "", 32767},
        {[&] { bar.End(); }, "", 32767},
        {[&] { bar.Home(); }, "change=0;", 0},
        {[&] { bar.SetValue(-5); }, "", 0},
        {[&] { bar.SetValue(32767); }, "change=32767;", 32767},
        {[&] { bar.SetValue(-1); }, "change=0;", 0},
    };
    int step = 0;
    for (const auto& s : steps) {
        log.clear();
        s.act();
        EXPECT_EQ(log, s.expectedLog) << "step " << step;
        EXPECT_EQ(bar.Value(), s.expectedValue) << "step " << step;
        ++step;
    }
}

TEST_F(ControlModel, ComboSelectionRunsTheClickRuleAndEditingTheChangeRule) {
    list.AddItem("Hard Disk", 0);
    list.AddItem("2.88MB Floppy", 1);
    list.AddItem("1.44MB Floppy", 1);
    ASSERT_EQ(list.Items(), (std::vector<std::string>{"Hard Disk", "1.44MB Floppy", "2.88MB Floppy"}));
    list.OnClick = Logs("click", [&] { return std::to_string(list.ListIndex()) + "," + list.Text(); });
    list.OnChange = Logs("change", [&] { return std::to_string(list.ListIndex()) + "," + list.Text(); });
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(list.Text(), "List");

    list.SetListIndex(1);
    EXPECT_EQ(log, "click=1,1.44MB Floppy;");
    list.SetListIndex(1);
    EXPECT_EQ(log, "click=1,1.44MB Floppy;");

    log.clear();
    list.UserEdited("Hard Disk");
    EXPECT_EQ(log, "change=0,Hard Disk;");
    list.UserEdited("Hard Disk");
    EXPECT_EQ(log, "change=0,Hard Disk;");

    log.clear();
    list.UserEdited("Hard");
    EXPECT_EQ(log, "change=-1,Hard;");

    // Out of range selects nothing and leaves the text as it is.
    log.clear();
    list.SetListIndex(2);
    list.SetListIndex(7);
    EXPECT_EQ(log, "click=2,2.88MB Floppy;click=-1,2.88MB Floppy;");
}

TEST_F(ControlModel, EnablingOrDisablingRunsNoRule) {
    int runs = 0;
    go.OnClick = [&] { ++runs; };
    box.OnChange = [&] { ++runs; };
    go.SetEnabled(false);
    go.SetEnabled(true);
    box.SetEnabled(false);
    EXPECT_EQ(runs, 0);
    EXPECT_FALSE(box.Enabled());
}

// --- The view hears every change at once, and only real ones ---

TEST_F(ControlModel, TheViewHearsEachRealChangeBeforeTheRuleRuns) {
    RecordingView view;
    form.SetObserver(&view);
    std::vector<std::string> heardWhenRuleRan;
    box.OnChange = [&] { heardWhenRuleRan = view.heard; };
    box.SetText("start");
    form.Get<Label>("Caption").SetCaption("Caption");
    go.SetEnabled(true);
    EXPECT_TRUE(view.heard.empty());
    box.SetText("new");
    const std::string textChanged = "Box:" + std::to_string(static_cast<int>(ControlProperty::Text));
    EXPECT_EQ(heardWhenRuleRan, std::vector<std::string>{textChanged});
    box.Refresh();
    EXPECT_EQ(view.heard.back(), "Box:" + std::to_string(static_cast<int>(ControlProperty::Repaint)));
}

// --- Rules nest ---

TEST_F(ControlModel, ARuleThatChangesAnotherControlRunsThatRuleBeforeGoingOn) {
    tick.OnClick = [&] {
        log += "tick-begin;";
        bar.SetValue(5);
        log += "tick-end;";
    };
    bar.OnChange = [&] {
        log += "bar-begin;";
        box.SetText("x");
        log += "bar-end;";
    };
    box.OnChange = Logs("box", [&] { return box.Text(); });
    tick.UserClick();
    EXPECT_EQ(log, "tick-begin;bar-begin;box=x;bar-end;tick-end;");
}

TEST_F(ControlModel, ARuleThatChangesItsOwnControlRunsAgainNestedUntilNothingChanges) {
    // A rule that brings its value into range: the nested run sees a value in range and stops.
    bar.OnChange = [&] {
        log += "run" + std::to_string(bar.Value()) + ";";
        if (bar.Value() > 10) bar.SetValue(10);
        log += "end" + std::to_string(bar.Value()) + ";";
    };
    bar.ThumbReleased(20);
    EXPECT_EQ(log, "run20;run10;end10;end10;");
}

// --- Moving the focus runs the lost-focus rule before anything else ---

TEST_F(ControlModel, LostFocusRunsBeforeTheClickThatMovedTheFocus) {
    box.OnLostFocus = [&] { log += "lost;"; };
    go.OnClick = [&] { log += "click;"; };
    form.SetFocus(box);
    form.ClickButton(go);
    EXPECT_EQ(log, "lost;click;");
    EXPECT_EQ(form.Focused(), &go);
}

TEST_F(ControlModel, LostFocusRunsBeforeAScrollArrowOrACheckBoxClick) {
    box.OnLostFocus = Logs("lost", [&] { return std::to_string(bar.Value()) + "," + std::to_string(tick.Value()); });
    bar.OnChange = Logs("bar", [&] { return std::to_string(bar.Value()); });
    tick.OnClick = Logs("tick", [&] { return std::to_string(tick.Value()); });

    form.SetFocus(box);
    form.ClickScrollDown(bar);
    EXPECT_EQ(form.Focused(), &bar);
    form.SetFocus(box);
    form.ClickScrollUp(bar);
    form.SetFocus(box);
    form.ClickCheckBox(tick);
    EXPECT_EQ(form.Focused(), &tick);
    EXPECT_EQ(log, "lost=0,0;bar=1;lost=1,0;bar=0;lost=0,0;tick=1;");
}

TEST_F(ControlModel, ClickingWhereTheFocusAlreadyIsRunsNoLostFocusRule) {
    box.OnLostFocus = Logs("lost");
    bar.OnLostFocus = Logs("bar-lost");
    bar.OnChange = Logs("bar");
    form.SetFocus(bar);
    form.ClickScrollDown(bar);
    form.SetFocus(box);
    form.SetFocus(box);
    EXPECT_EQ(log, "bar;bar-lost;");
}

TEST_F(ControlModel, TabRunsTheLostFocusRuleToo) {
    box.OnLostFocus = Logs("lost");
    form.SetFocus(box);
    form.FocusNext();
    EXPECT_EQ(log, "lost;");
    EXPECT_EQ(form.Focused(), &tick);
}

TEST_F(ControlModel, ADisabledControlCannotBeClicked) {
    box.OnLostFocus = Logs("lost");
    go.OnClick = Logs("click");
    tick.OnClick = Logs("tick");
    bar.OnChange = Logs("bar");
    form.SetFocus(box);
    go.SetEnabled(false);
    tick.SetEnabled(false);
    bar.SetEnabled(false);
    form.ClickButton(go);
    form.ClickCheckBox(tick);
    form.ClickScrollUp(bar);
    form.ClickScrollDown(bar);
    EXPECT_EQ(log, "");
    EXPECT_EQ(form.Focused(), &box);
}

// --- The typing limit stops the user, never code ---

TEST_F(ControlModel, TypingLimitStopsTypingAndPastingButNotCode) {
    box.SetText("");
    int changes = 0;
    box.OnChange = [&] { ++changes; };
    box.Type("a");
    box.Type("bcdef");  // a paste: one change, cut at the limit
    EXPECT_EQ(box.Text(), "abc");
    EXPECT_EQ(changes, 2);
    box.Type("g");
    EXPECT_EQ(box.Text(), "abc");
    EXPECT_EQ(changes, 2);

    box.SetText("abcdef");
    EXPECT_EQ(box.Text(), "abcdef");
    box.Type("x");
    EXPECT_EQ(box.Text(), "abcdef");
    EXPECT_EQ(changes, 3);
}

TEST_F(ControlModel, NoTypingLimitLetsEverythingIn) {
    const std::string longText(300, 'x');
    free.Type(longText);
    EXPECT_EQ(free.Text(), longText);
}

// --- The focus order ---

TEST_F(ControlModel, ShowingPutsTheFocusOnTheFirstControlThatCanTakeIt) {
    go.SetEnabled(false);
    form.Show();
    EXPECT_EQ(form.Focused(), &box);
}

TEST_F(ControlModel, TabSkipsDisabledAndUnfocusableControlsAndWraps) {
    free.SetEnabled(false);
    tick.SetEnabled(false);
    form.Show();
    std::vector<std::string> visited;
    for (int i = 0; i < 7; ++i) {
        visited.push_back(form.Focused()->Name());
        form.FocusNext();
    }
    EXPECT_EQ(visited, (std::vector<std::string>{"Go", "Box", "Bar", "Stop", "List", "Go", "Box"}));

    visited.clear();
    for (int i = 0; i < 6; ++i) {
        form.FocusNext(true);
        visited.push_back(form.Focused()->Name());
    }
    EXPECT_EQ(visited, (std::vector<std::string>{"Box", "Go", "List", "Stop", "Bar", "Box"}));
}

TEST_F(ControlModel, LabelsAndFramesNeverTakeTheFocus) {
    for (const auto& control : form.Controls()) {
        const bool passive = control->Kind() == ControlKind::Label || control->Kind() == ControlKind::Frame;
        EXPECT_EQ(control->CanTakeFocus(), !passive) << control->Name();
    }
}

TEST_F(ControlModel, UnloadingEndsTheWindowOnceAndShowingItAgainDoesNothing) {
    RecordingView view;
    form.SetObserver(&view);
    form.Show();
    form.Unload();
    form.Unload();
    form.Show();
    EXPECT_EQ(view.heard, (std::vector<std::string>{"shown", "unloaded"}));
    EXPECT_TRUE(form.IsUnloaded());
    EXPECT_FALSE(form.IsShown());
}

// --- A form and its view may die in either order (ASan sees any use of the dead one) ---

enum class FirstToGo { Form, Observer, ObserverAfterMovingToAnotherForm };

TEST(FormAndObserverLifetime, WhicheverGoesFirstTheOtherNeverReachesIt) {
    for (const FirstToGo first : {FirstToGo::Form, FirstToGo::Observer, FirstToGo::ObserverAfterMovingToAnotherForm}) {
        SCOPED_TRACE(static_cast<int>(first));
        auto form = std::make_unique<Form>(kLayout);
        auto view = std::make_unique<RecordingView>();
        form->SetObserver(view.get());
        EXPECT_EQ(view->ObservedForm(), form.get());
        if (first == FirstToGo::Form) {
            form.reset();
            EXPECT_EQ(view->ObservedForm(), nullptr);
            view.reset();
            continue;
        }
        Form other(kLayout);
        if (first == FirstToGo::ObserverAfterMovingToAnotherForm) other.SetObserver(view.get());
        view.reset();
        form->Get<TextBox>("Box").SetText("heard by nobody");
        form->Show();
        form->Unload();
        other.Show();
    }
}

}  // namespace
}  // namespace qv
