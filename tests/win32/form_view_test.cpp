// FormView under Wine: windows made from the tables, model changes mirrored without echo, user input turned into model calls.
#include "tests/win32/form_view_fixture.h"

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

struct ToolTipSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK FindToolTips(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<ToolTipSearch*>(data);
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpiA(name, TOOLTIPS_CLASSA) == 0 && GetWindow(window, GW_OWNER) == search->owner) search->found = window;
    return !search->found;
}

HWND ToolTipsOf(HWND owner) {
    ToolTipSearch search{owner, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), FindToolTips, reinterpret_cast<LPARAM>(&search));
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
    EXPECT_EQ(form.log, (Log{"text change abc", "check click 1", "stepper change 5"}));
}

TEST_F(FormViewTest, DropDownShowsItemsSelectionAndTextOfTheModel) {
    for (const char* item : {"Hard Disk", "1.44MB Floppy", "2.88MB Floppy"}) form.combo.AddItem(item, -1);
    EXPECT_EQ(SendMessageA(Child(form.combo), CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(TextOf(Child(form.combo)), "list");  // items alone leave the text
    form.combo.SetListIndex(2);
    EXPECT_EQ(SendMessageA(Child(form.combo), CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(TextOf(Child(form.combo)), "2.88MB Floppy");
    EXPECT_EQ(form.log, (Log{"list click 2"}));
}

// ---- Window -> model ----

TEST_F(FormViewTest, TextTheUserPutsInReachesTheModelOnce) {
    SetWindowTextA(Child(form.text), "xyz");  // as an edit by the user would arrive
    EXPECT_EQ(form.text.Text(), "xyz");
    EXPECT_EQ(form.log, (Log{"text change xyz"}));
}

TEST_F(FormViewTest, DropDownPickAndEditReachTheModel) {
    for (const char* item : {"Hard Disk", "1.44MB Floppy"}) form.combo.AddItem(item, -1);
    SendMessageA(Child(form.combo), CB_SETCURSEL, 1, 0);
    Command(form.combo, CBN_SELCHANGE);
    EXPECT_EQ(form.combo.ListIndex(), 1);
    SetWindowTextA(Child(form.combo), "Hard Disk");
    Command(form.combo, CBN_EDITCHANGE);
    EXPECT_EQ(form.combo.ListIndex(), 0);
    EXPECT_EQ(form.log, (Log{"list click 1", "list change Hard Disk"}));
}

TEST_F(FormViewTest, ClicksReachTheModelAndTheModelOwnsTheCheckMark) {
    SendMessageA(Child(form.check), BM_CLICK, 0, 0);
    SendMessageA(Child(form.check), BM_CLICK, 0, 0);
    SendMessageA(Child(form.button), BM_CLICK, 0, 0);
    Command(form.label, STN_CLICKED);
    EXPECT_EQ(SendMessageA(Child(form.check), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(form.log, (Log{"check click 1", "check click 0", "button click", "label click"}));
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
    EXPECT_EQ(form.log, (Log{"text lost focus", "button click", "text lost focus", "stepper change 1"}));
}

TEST_F(FormViewTest, TabFollowsTheFocusOrderAndSkipsDisabledControls) {
    form.check.SetEnabled(false);
    EXPECT_TRUE(Key(form.button, VK_TAB));
    EXPECT_EQ(GetFocus(), Child(form.text));
    EXPECT_TRUE(Key(form.text, VK_TAB));
    EXPECT_EQ(form.Focused(), &form.bar);
    EXPECT_EQ(GetFocus(), Child(form.bar));
    EXPECT_EQ(form.log, (Log{"text lost focus"}));
}

TEST_F(FormViewTest, EnterPressesOnlyAFocusedButtonAndEscapeNothing) {
    SetFocus(Child(form.text));
    EXPECT_TRUE(Key(form.text, VK_RETURN));
    EXPECT_TRUE(Key(form.text, VK_ESCAPE));
    EXPECT_FALSE(Key(form.text, 'A'));
    SetFocus(Child(form.button));
    EXPECT_TRUE(Key(form.button, VK_RETURN));
    EXPECT_EQ(form.log, (Log{"text lost focus", "button click"}));
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

}  // namespace
}  // namespace qv
