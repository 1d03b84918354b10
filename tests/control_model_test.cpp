// The control model keeps the event model: rules run on real changes only, nest, and follow the focus.
#include <gtest/gtest.h>

#include "qvconfig/window/form.h"

namespace qv {
namespace {

constexpr FontSpec kFont{"Arial", 9.0, true, false, false};
const ControlSpec kControls[] = {
    {"Box", ControlKind::TextBox, "start", nullptr, {0, 0, 100, 100}, nullptr, kFont, DefaultColour, Alignment::Left, 3},
    {"Tick", ControlKind::CheckBox, "Tick", nullptr, {0, 0, 100, 100}, nullptr, kFont, DefaultColour, Alignment::Left, 0},
    {"Bar", ControlKind::ScrollBar, "", nullptr, {0, 0, 100, 100}, nullptr, kFont, DefaultColour, Alignment::Left, 0},
    {"Go", ControlKind::Button, "Go", nullptr, {0, 0, 100, 100}, nullptr, kFont, DefaultColour, Alignment::Left, 0},
};
const char* const kOrder[] = {"Go", "Box", "Tick", "Bar"};
const FormSpec kSpec{"Test", 1500, 1500, kControls, 4, kOrder, 4};

TEST(ControlModel, SetterRunsRuleOnlyOnRealChange) {
    Form form(kSpec);
    auto& box = form.Get<TextBox>("Box");
    int runs = 0;
    box.OnChange = [&] { ++runs; };
    box.SetText("start");
    EXPECT_EQ(runs, 0);
    box.SetText("other");
    EXPECT_EQ(runs, 1);
}

TEST(ControlModel, LostFocusRunsBeforeTheClickThatMovedTheFocus) {
    Form form(kSpec);
    std::string log;
    form.Get<TextBox>("Box").OnLostFocus = [&] { log += "lost;"; };
    form.Get<Button>("Go").OnClick = [&] { log += "click;"; };
    form.SetFocus(form.Get<TextBox>("Box"));
    form.ClickButton(form.Get<Button>("Go"));
    EXPECT_EQ(log, "lost;click;");
}

TEST(ControlModel, TypingLimitStopsTypingButNotCode) {
    Form form(kSpec);
    auto& box = form.Get<TextBox>("Box");
    box.SetText("");
    box.Type("abcdef");
    EXPECT_EQ(box.Text(), "abc");
    box.SetText("abcdef");
    EXPECT_EQ(box.Text(), "abcdef");
}

}  // namespace
}  // namespace qv
