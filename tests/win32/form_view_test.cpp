// FormView under Wine: windows made from the tables, model changes mirrored without echo, user input turned into model calls.
#include "platform/win32/form_view.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "platform/win32/registry_settings_store.h"
#include "platform/win32/win32_driver_device.h"
#include "platform/win32/win32_installer_runner.h"
#include "platform/win32/win32_sleeper.h"
#include "platform/win32/win32_user_interface.h"
#include "qvconfig/notices/notices.h"
#include "qvconfig/window/editor.h"

namespace qv {
namespace {

constexpr Font kFont{"Arial", 9.0, true, false, false};
constexpr auto kLeft = Alignment::Left;

const ControlRow kRows[] = {
    {"Frame1", ControlKind::Frame, "Group", nullptr, {120, 120, 3000, 2000}, nullptr, kFont, HighlightColour, kLeft, 0},
    {"Label1", ControlKind::Label, "Caption", "Label tip", {120, 240, 1200, 255}, "Frame1", kFont, Rgb(255, 0, 0), kLeft, 0},
    {"Text1", ControlKind::TextBox, "Text1", "Text tip", {120, 600, 1200, 375}, "Frame1", kFont, DefaultColour, Alignment::Center, 3},
    {"Check1", ControlKind::CheckBox, "Check", nullptr, {120, 1080, 1500, 255}, "Frame1", kFont, DefaultColour, kLeft, 0},
    {"VScroll1", ControlKind::ScrollBar, "", nullptr, {1440, 600, 255, 375}, "Frame1", kFont, DefaultColour, kLeft, 0},
    {"Combo1", ControlKind::ComboBox, "Combo1", "Combo tip", {3240, 240, 1815, 345}, nullptr, kFont, DefaultColour, kLeft, 0},
    {"Command1", ControlKind::Button, "OK", nullptr, {3240, 1200, 1455, 495}, nullptr, kFont, DefaultColour, Alignment::Center, 0},
};
const char* const kFocusOrder[] = {"Command1", "Text1", "Check1", "VScroll1", "Combo1"};
const FormLayout kLayout{"View Test", 5400, 2400, kRows, std::size(kRows), kFocusOrder, std::size(kFocusOrder)};

// A form whose every rule writes one line into the log.
class LoggingForm : public Form {
public:
    LoggingForm() : Form(kLayout) {
        text.OnChange = [this] { log.push_back("Text1 change " + text.Text()); };
        text.OnLostFocus = [this] { log.push_back("Text1 lost focus"); };
        check.OnClick = [this] { log.push_back("Check1 click " + std::to_string(check.Value())); };
        bar.OnChange = [this] { log.push_back("VScroll1 change " + std::to_string(bar.Value())); };
        combo.OnClick = [this] { log.push_back("Combo1 click " + std::to_string(combo.ListIndex())); };
        combo.OnChange = [this] { log.push_back("Combo1 change " + combo.Text()); };
        button.OnClick = [this] { log.push_back("Command1 click"); };
        label.OnClick = [this] { log.push_back("Label1 click"); };
    }
    std::vector<std::string> log;
    Label& label = Get<Label>("Label1");
    TextBox& text = Get<TextBox>("Text1");
    CheckBox& check = Get<CheckBox>("Check1");
    ScrollBar& bar = Get<ScrollBar>("VScroll1");
    ComboBox& combo = Get<ComboBox>("Combo1");
    Button& button = Get<Button>("Command1");
};

std::string TextOf(HWND window) {
    char buffer[512] = {};
    GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
}

std::string ClassOf(HWND window) {
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

// ---- Windows made from the tables ----

struct Expected {
    const char* className;
    LONG typeBits;  // the low style bits that choose the kind of button or list
    bool tabStop;
};

Expected ExpectedFor(const ControlRow& row) {
    switch (row.kind) {
        case ControlKind::Frame: return {"Button", BS_GROUPBOX, false};
        case ControlKind::Button: return {"Button", BS_PUSHBUTTON, true};
        case ControlKind::CheckBox: return {"Button", BS_CHECKBOX, true};  // not automatic
        case ControlKind::TextBox: return {"Edit", row.alignment == Alignment::Center ? ES_CENTER : ES_LEFT, true};
        case ControlKind::ComboBox: return {"ComboBox", CBS_DROPDOWN, true};
        case ControlKind::ScrollBar: return {"ScrollBar", SBS_VERT, true};
        case ControlKind::Label: return {"Static", row.alignment == Alignment::Center ? SS_CENTER : SS_LEFT, false};
    }
    return {"", 0, false};
}

int Pixels(int twips, int dpi) { return MulDiv(twips, dpi, 1440); }

TEST(FormViewLayout, EveryRowIsAChildWithItsIdClassAndPixelBox) {
    HDC screen = GetDC(nullptr);
    const int dpiX = GetDeviceCaps(screen, LOGPIXELSX);
    const int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    for (const FormLayout* layout : {&EditorLayout(), &LoadFailLayout(), &NoDriveLayout(), &NomemLayout()}) {
        Form form(*layout);
        Win32UserInterface ui;
        FormViewHost host(ui);
        FormView view(form, host);
        SCOPED_TRACE(layout->caption);
        EXPECT_EQ(TextOf(view.Window()), layout->caption);
        RECT client;
        GetClientRect(view.Window(), &client);
        EXPECT_EQ(client.right, Pixels(layout->clientWidth, dpiX));
        EXPECT_EQ(client.bottom, Pixels(layout->clientHeight, dpiY));
        EXPECT_EQ(GetWindowLongA(view.Window(), GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0);
        for (std::size_t row = 0; row < layout->controlCount; ++row) {
            const ControlRow& rowLayout = layout->controls[row];
            SCOPED_TRACE(rowLayout.name);
            HWND child = GetDlgItem(view.Window(), FormView::FirstControlId + static_cast<int>(row));
            ASSERT_NE(child, nullptr);
            const Expected expected = ExpectedFor(rowLayout);
            const LONG style = GetWindowLongA(child, GWL_STYLE);
            EXPECT_STRCASEEQ(ClassOf(child).c_str(), expected.className);
            EXPECT_EQ(style & 0x0F, expected.typeBits);
            EXPECT_EQ((style & WS_TABSTOP) != 0, expected.tabStop);
            if (rowLayout.kind != ControlKind::ScrollBar) {
                EXPECT_EQ(TextOf(child), rowLayout.text);
            }
            int left = rowLayout.box.left;
            int top = rowLayout.box.top;
            if (rowLayout.frame) {
                left += form.Get<Frame>(rowLayout.frame).Layout().box.left;
                top += form.Get<Frame>(rowLayout.frame).Layout().box.top;
            }
            RECT box;
            GetWindowRect(child, &box);
            MapWindowPoints(nullptr, view.Window(), reinterpret_cast<POINT*>(&box), 2);
            EXPECT_EQ(box.left, Pixels(left, dpiX));
            EXPECT_EQ(box.top, Pixels(top, dpiY));
            EXPECT_EQ(box.right - box.left, Pixels(rowLayout.box.width, dpiX));
            EXPECT_EQ(box.bottom - box.top, Pixels(rowLayout.box.height, dpiY));
        }
    }
}

TEST_F(FormViewTest, TypingLimitAndAlignmentComeFromTheRow) {
    EXPECT_EQ(SendMessageA(Child(form.text), EM_GETLIMITTEXT, 0, 0), 3);
    EXPECT_TRUE(GetWindowLongA(Child(form.text), GWL_STYLE) & ES_CENTER);
    // Text put in by code is not cut.
    form.text.SetText("longer than three");
    EXPECT_EQ(TextOf(Child(form.text)), "longer than three");
}

HWND ToolTipsOf(HWND owner) {
    struct Search {
        HWND owner;
        HWND found;
    } search{owner, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            char name[64] = {};
            GetClassNameA(window, name, sizeof name);
            if (lstrcmpiA(name, TOOLTIPS_CLASSA) == 0 && GetWindow(window, GW_OWNER) == s->owner) s->found = window;
            return !s->found;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST_F(FormViewTest, EveryRowWithATipHasItsToolAndTheDropDownsFieldToo) {
    HWND tips = ToolTipsOf(view.Window());
    ASSERT_NE(tips, nullptr);
    std::vector<std::pair<HWND, std::string>> tools;
    const LRESULT count = SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
        char text[128] = {};
        TOOLINFOA info{};
        info.cbSize = TTTOOLINFOA_V1_SIZE;
        info.lpszText = text;
        SendMessageA(tips, TTM_ENUMTOOLSA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
        tools.emplace_back(reinterpret_cast<HWND>(info.uId), text);
    }
    HWND comboField = GetWindow(Child(form.combo), GW_CHILD);
    EXPECT_EQ(tools, (std::vector<std::pair<HWND, std::string>>{{Child(form.label), "Label tip"},
                                                                 {Child(form.text), "Text tip"},
                                                                 {Child(form.combo), "Combo tip"},
                                                                 {comboField, "Combo tip"}}));
}

// ---- Model -> window, without echo ----

TEST_F(FormViewTest, CodeWritesShowAtOnceAndRunEachRuleOnce) {
    form.text.SetText("abc");
    form.check.SetValue(CheckBox::Ticked);
    form.bar.SetValue(5);
    form.label.SetCaption("New caption");
    form.check.SetEnabled(false);
    EXPECT_EQ(TextOf(Child(form.text)), "abc");
    EXPECT_EQ(SendMessageA(Child(form.check), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(GetScrollPos(Child(form.bar), SB_CTL), 5);
    EXPECT_EQ(TextOf(Child(form.label)), "New caption");
    EXPECT_FALSE(IsWindowEnabled(Child(form.check)));
    EXPECT_EQ(form.log, (Log{"Text1 change abc", "Check1 click 1", "VScroll1 change 5"}));
}

TEST_F(FormViewTest, DropDownShowsItemsSelectionAndTextOfTheModel) {
    for (const char* item : {"Hard Disk", "1.44MB Floppy", "2.88MB Floppy"}) form.combo.AddItem(item, -1);
    EXPECT_EQ(SendMessageA(Child(form.combo), CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(TextOf(Child(form.combo)), "Combo1");  // items alone leave the text
    form.combo.SetListIndex(2);
    EXPECT_EQ(SendMessageA(Child(form.combo), CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(TextOf(Child(form.combo)), "2.88MB Floppy");
    EXPECT_EQ(form.log, (Log{"Combo1 click 2"}));
}

// ---- Window -> model ----

TEST_F(FormViewTest, TextTheUserPutsInReachesTheModelOnce) {
    SetWindowTextA(Child(form.text), "xyz");  // as an edit by the user would arrive
    EXPECT_EQ(form.text.Text(), "xyz");
    EXPECT_EQ(form.log, (Log{"Text1 change xyz"}));
}

TEST_F(FormViewTest, DropDownPickAndEditReachTheModel) {
    for (const char* item : {"Hard Disk", "1.44MB Floppy"}) form.combo.AddItem(item, -1);
    SendMessageA(Child(form.combo), CB_SETCURSEL, 1, 0);
    Command(form.combo, CBN_SELCHANGE);
    EXPECT_EQ(form.combo.ListIndex(), 1);
    SetWindowTextA(Child(form.combo), "Hard Disk");
    Command(form.combo, CBN_EDITCHANGE);
    EXPECT_EQ(form.combo.ListIndex(), 0);
    EXPECT_EQ(form.log, (Log{"Combo1 click 1", "Combo1 change Hard Disk"}));
}

TEST_F(FormViewTest, ClicksReachTheModelAndTheModelOwnsTheCheckMark) {
    SendMessageA(Child(form.check), BM_CLICK, 0, 0);
    SendMessageA(Child(form.check), BM_CLICK, 0, 0);
    SendMessageA(Child(form.button), BM_CLICK, 0, 0);
    Command(form.label, STN_CLICKED);
    EXPECT_EQ(SendMessageA(Child(form.check), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(form.log, (Log{"Check1 click 1", "Check1 click 0", "Command1 click", "Label1 click"}));
}

struct ScrollCase {
    int code;
    int position;
    int before;
    int after;
};

TEST_F(FormViewTest, EachScrollActionIsOneChangeAndADragCountsAtRelease) {
    const ScrollCase cases[] = {
        {SB_LINEUP, 0, 10, 9},       {SB_LINEDOWN, 0, 10, 11},    {SB_PAGEUP, 0, 10, 9},
        {SB_PAGEDOWN, 0, 10, 11},    {SB_TOP, 0, 10, 0},          {SB_BOTTOM, 0, 10, 32767},
        {SB_THUMBTRACK, 300, 10, 10}, {SB_THUMBPOSITION, 300, 10, 300}, {SB_ENDSCROLL, 0, 10, 10},
        {SB_LINEUP, 0, 0, 0},
    };
    for (const ScrollCase& c : cases) {
        SCOPED_TRACE(c.code);
        form.bar.SetValue(c.before);
        form.log.clear();
        Scroll(c.code, c.position);
        EXPECT_EQ(form.bar.Value(), c.after);
        EXPECT_EQ(GetScrollPos(Child(form.bar), SB_CTL), c.after);
        EXPECT_EQ(form.log.size(), c.before == c.after ? 0u : 1u);
    }
}

// ---- Focus and keys ----

TEST_F(FormViewTest, OpensWithTheFocusOnTheFirstControlOfTheOrder) {
    EXPECT_EQ(form.Focused(), &form.button);
    EXPECT_EQ(GetFocus(), Child(form.button));
}

TEST_F(FormViewTest, LostFocusRuleRunsBeforeTheClickThatTookTheFocus) {
    SetFocus(Child(form.text));
    EXPECT_EQ(form.Focused(), &form.text);
    SendMessageA(Child(form.button), BM_CLICK, 0, 0);
    SetFocus(Child(form.text));
    Scroll(SB_LINEDOWN);
    EXPECT_EQ(form.Focused(), &form.bar);
    EXPECT_EQ(form.log, (Log{"Text1 lost focus", "Command1 click", "Text1 lost focus", "VScroll1 change 1"}));
}

TEST_F(FormViewTest, TabFollowsTheFocusOrderAndSkipsDisabledControls) {
    form.check.SetEnabled(false);
    EXPECT_TRUE(Key(form.button, VK_TAB));
    EXPECT_EQ(GetFocus(), Child(form.text));
    EXPECT_TRUE(Key(form.text, VK_TAB));
    EXPECT_EQ(form.Focused(), &form.bar);
    EXPECT_EQ(GetFocus(), Child(form.bar));
    EXPECT_EQ(form.log, (Log{"Text1 lost focus"}));
}

TEST_F(FormViewTest, EnterPressesOnlyAFocusedButtonAndEscapeNothing) {
    SetFocus(Child(form.text));
    EXPECT_TRUE(Key(form.text, VK_RETURN));
    EXPECT_TRUE(Key(form.text, VK_ESCAPE));
    EXPECT_FALSE(Key(form.text, 'A'));
    SetFocus(Child(form.button));
    EXPECT_TRUE(Key(form.button, VK_RETURN));
    EXPECT_EQ(form.log, (Log{"Text1 lost focus", "Command1 click"}));
}

TEST_F(FormViewTest, BusyPointerShowsOverTheWindowsUntilCleared) {
    const auto pointerOverText = [this] {
        SendMessageA(Child(form.text), WM_SETCURSOR, reinterpret_cast<WPARAM>(Child(form.text)),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    };
    HCURSOR wait = LoadCursorA(nullptr, MAKEINTRESOURCEA(32514));
    ui.SetBusyPointer();
    EXPECT_EQ(pointerOverText(), wait);
    ui.ClearBusyPointer();
    EXPECT_NE(pointerOverText(), wait);
}

TEST_F(FormViewTest, CloseCommandUnloadsTheFormAndUnloadingDestroysTheWindow) {
    HWND window = view.Window();
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(form.IsUnloaded());
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(view.Window(), nullptr);
    form.text.SetText("after close");  // mirrored nowhere, harmlessly
}

// ---- Life: per window, in either order, and when a window cannot be made ----

TEST(FormViewHostShow, OnlyTheProgramsFirstWindowToShowGetsTheStartingShowCommand) {
    Win32UserInterface ui;
    FormViewHost host(ui, SW_SHOWMINNOACTIVE);
    LoggingForm neverShown, first, second;
    FormView neverShownView(neverShown, host), firstView(first, host), secondView(second, host);
    first.Show();
    second.Show();
    EXPECT_TRUE(IsIconic(firstView.Window()));
    EXPECT_FALSE(IsIconic(secondView.Window()));
    EXPECT_TRUE(IsWindowVisible(secondView.Window()));
}

TEST(FormViewLife, EachWindowFindsItsOwnViewAndEitherMayGoFirst) {
    Win32UserInterface ui;
    FormViewHost host(ui);
    for (const bool formGoesFirst : {true, false}) {
        SCOPED_TRACE(formGoesFirst ? "form first" : "view first");
        auto form = std::make_unique<LoggingForm>();
        auto view = std::make_unique<FormView>(*form, host);
        LoggingForm other;
        FormView otherView(other, host);
        HWND window = view->Window();
        HWND button = view->ControlWindow(form->button);
        SendMessageA(button, BM_CLICK, 0, 0);
        EXPECT_EQ(form->log, std::vector<std::string>{"Command1 click"});
        EXPECT_TRUE(other.log.empty());
        if (formGoesFirst) {
            form.reset();
            EXPECT_EQ(view->ObservedForm(), nullptr);
            SendMessageA(button, BM_CLICK, 0, 0);  // nothing to tell
            SendMessageA(window, WM_CLOSE, 0, 0);  // no form to unload: the window just closes
            EXPECT_FALSE(IsWindow(window));
            view.reset();
        } else {
            view.reset();
            EXPECT_FALSE(IsWindow(window));
            form->text.SetText("heard by nobody");
            form->Show();
        }
    }
}

// Records the boxes it is asked to show instead of showing them.
class RecordingUserInterface : public Win32UserInterface {
public:
    using Box = std::tuple<std::string, std::string, std::uint32_t, MessageOwner>;
    std::vector<Box> boxes;
    MessageAnswer ShowMessage(const std::string& text, const std::string& caption, std::uint32_t flags,
                              MessageOwner owner) override {
        boxes.emplace_back(text, caption, flags, owner);
        return MessageAnswer::Ok;
    }
};

// A class whose windows refuse to be made.
const char* RefusingClass() {
    static const char* const name = [] {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
            return message == WM_NCCREATE ? FALSE : DefWindowProcA(window, message, wParam, lParam);
        };
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "QuorvelRefusing";
        RegisterClassExA(&windowClass);
        return windowClass.lpszClassName;
    }();
    return name;
}

TEST(FormViewCreation, AWindowThatCannotBeMadeIsReportedAndEndsTheStartUp) {
    const std::string unusable[] = {std::string(300, 'Q'),  // longer than any class name can be
                                    RefusingClass()};
    for (const std::string& windowClass : unusable) {
        SCOPED_TRACE(windowClass);
        RecordingUserInterface ui;
        FormViewHost host(ui, SW_SHOWNORMAL, windowClass);
        RegistrySettingsStore store;
        Win32DriverDevice device;
        Win32InstallerRunner installer;
        Win32Sleeper sleeper;
        Application application(Services{store, device, installer, ui, sleeper}, host);
        EXPECT_THROW(application.Startup(""), WindowCreationFailed);
        EXPECT_FALSE(application.HasOpenWindows());  // the message loop does not wait
        EXPECT_EQ(ui.boxes, (std::vector<RecordingUserInterface::Box>{
                                {"Unable to create the Quorvel configuration window.", "Quorvel", MB_OK | MB_ICONSTOP,
                                 MessageOwner::Desktop}}));
        EXPECT_FALSE(application.GetEditor().IsLoaded());  // nothing after the failure ran
    }
}

}  // namespace
}  // namespace qv
