// What the FormView tests share: a small form of every control kind that logs its rules, and a view of it.
#pragma once

#include "platform/win32/form_view.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "platform/win32/win32_user_interface.h"

namespace qv {

constexpr Font kFont{"Arial", 9.0, true, false, false};
constexpr auto kLeft = Alignment::Left;

inline const ControlRow kRows[] = {
    {"group", ControlKind::Frame, "Group", nullptr, {120, 120, 3000, 2000}, nullptr, kFont, HighlightColour, kLeft, 0},
    {"label", ControlKind::Label, "Caption", "Label tip", {120, 240, 1200, 255}, "group", kFont, Rgb(255, 0, 0), kLeft, 0},
    {"text", ControlKind::TextBox, "text", "Text tip", {120, 600, 1200, 375}, "group", kFont, DefaultColour, Alignment::Center, 3},
    {"check", ControlKind::CheckBox, "Check", nullptr, {120, 1080, 1500, 255}, "group", kFont, DefaultColour, kLeft, 0},
    {"stepper", ControlKind::ScrollBar, "", nullptr, {1440, 600, 255, 375}, "group", kFont, DefaultColour, kLeft, 0},
    {"list", ControlKind::ComboBox, "list", "Combo tip", {3240, 240, 1815, 345}, nullptr, kFont, DefaultColour, kLeft, 0},
    {"button", ControlKind::Button, "OK", nullptr, {3240, 1200, 1455, 495}, nullptr, kFont, DefaultColour, Alignment::Center, 0},
};
inline const char* const kFocusOrder[] = {"button", "text", "check", "stepper", "list"};
inline const FormLayout kLayout{"View Test", 5400, 2400, kRows, std::size(kRows), kFocusOrder, std::size(kFocusOrder)};

// A form whose every rule writes one line into the log.
class LoggingForm : public Form {
public:
    LoggingForm() : Form(kLayout) {
        text.OnChange = [this] { log.push_back("text change " + text.Text()); };
        text.OnLostFocus = [this] { log.push_back("text lost focus"); };
        check.OnClick = [this] { log.push_back("check click " + std::to_string(check.Value())); };
        bar.OnChange = [this] { log.push_back("stepper change " + std::to_string(bar.Value())); };
        combo.OnClick = [this] { log.push_back("list click " + std::to_string(combo.ListIndex())); };
        combo.OnChange = [this] { log.push_back("list change " + combo.Text()); };
        button.OnClick = [this] { log.push_back("button click"); };
        label.OnClick = [this] { log.push_back("label click"); };
    }
    std::vector<std::string> log;
    Label& label = Get<Label>("label");
    TextBox& text = Get<TextBox>("text");
    CheckBox& check = Get<CheckBox>("check");
    ScrollBar& bar = Get<ScrollBar>("stepper");
    ComboBox& combo = Get<ComboBox>("list");
    Button& button = Get<Button>("button");
};

inline std::string TextOf(HWND window) {
    char buffer[512] = {};
    GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
}

inline std::string ClassOf(HWND window) {
    char buffer[64] = {};
    GetClassNameA(window, buffer, sizeof buffer);
    return buffer;
}

class FormViewTest : public ::testing::Test {
protected:
    FormViewTest() : view(form, host) {
        form.Show();
        SetForegroundWindow(view.Window());
    }
    HWND Child(const Control& control) const { return view.ControlWindow(control); }
    void Command(const Control& control, int code) {
        SendMessageA(view.Window(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Child(control)), code),
                     reinterpret_cast<LPARAM>(Child(control)));
    }
    void Scroll(int code, int position = 0) {
        SendMessageA(view.Window(), WM_VSCROLL, MAKEWPARAM(code, position), reinterpret_cast<LPARAM>(Child(form.bar)));
    }
    bool Key(const Control& control, WPARAM key) {
        MSG message{Child(control), WM_KEYDOWN, key, 0, 0, {0, 0}};
        return FormView::TranslateKeyboard(message);
    }
    using Log = std::vector<std::string>;

    Win32UserInterface ui;
    FormViewHost host{ui};
    LoggingForm form;
    FormView view;
};

}  // namespace qv
