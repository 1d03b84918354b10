// The windows as they open: captions, texts, kinds, boxes in pixels, enabled states, styles.
#include <cstring>
#include <string>
#include <vector>

#include "e2e_fixture.h"

namespace qve2e {
namespace {

using qvtest::AppWindow;

// What is wrong with the window's class and style for a control of this kind; "" when nothing.
std::string KindFault(HWND control, Kind kind) {
    const std::string cls = qvtest::ClassName(control);
    const LONG style = qvtest::Style(control);
    const LONG buttonType = style & BS_TYPEMASK;
    auto is = [&](const char* expected) { return _stricmp(cls.c_str(), expected) == 0; };
    switch (kind) {
        case Kind::Label: return is("Static") ? "" : "not a static control: " + cls;
        case Kind::Frame: return is("Button") && buttonType == BS_GROUPBOX ? "" : "not a group box: " + cls;
        case Kind::Button:
            // A default push button would take Enter from every other control.
            return is("Button") && buttonType == BS_PUSHBUTTON ? "" : "not a plain push button: " + cls;
        case Kind::CheckBox:
            return is("Button") && (buttonType == BS_CHECKBOX || buttonType == BS_AUTOCHECKBOX)
                       ? ""
                       : "not a check box: " + cls;
        case Kind::TextBox: return is("Edit") ? "" : "not an edit control: " + cls;
        case Kind::DropDown:
            return is("ComboBox") && (style & 3) == CBS_DROPDOWN ? "" : "not an editable drop-down list: " + cls;
        case Kind::ScrollBar: return is("ScrollBar") && (style & SBS_VERT) ? "" : "not a vertical scroll bar: " + cls;
    }
    return "unknown kind";
}

std::string BoxText(const RECT& r) {
    return std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right - r.left) + ", " +
           std::to_string(r.bottom - r.top);
}

void ExpectCaptionAndClientArea(const AppWindow& window, const ExpectedForm& form) {
    EXPECT_EQ(qvtest::Caption(window.Handle()), form.caption);
    const SIZE client = qvtest::ClientSize(window.Handle());
    EXPECT_EQ(client.cx, form.clientWidth);
    EXPECT_EQ(client.cy, form.clientHeight);
}

void ExpectKindsAndTexts(const AppWindow& window, const ExpectedForm& form) {
    for (int i = 0; i < form.count; ++i) {
        const ExpectedControl& row = form.controls[i];
        SCOPED_TRACE(row.name);
        HWND control = window.Control(row.name);
        ASSERT_NE(control, nullptr) << "no window for the control";
        EXPECT_EQ(KindFault(control, row.kind), "");
        if (row.text != kOwnTest) {
            EXPECT_EQ(qvtest::WindowText(control), row.text);
        }
    }
}

void ExpectBoxes(const AppWindow& window, const ExpectedForm& form) {
    for (int i = 0; i < form.count; ++i) {
        const ExpectedControl& row = form.controls[i];
        HWND control = window.Control(row.name);
        if (!control) continue;  // reported by ExpectKindsAndTexts
        const RECT box = qvtest::RectInClient(control, window.Handle());
        RECT expected{row.left, row.top, row.left + row.width, row.top + row.height};
        if (row.growsAroundCentre && box.right - box.left > row.width) {
            // Wider than the table's box, but on the same line and centred on the same point.
            const int grown = box.right - box.left;
            expected.left = row.left - (grown - row.width) / 2;
            expected.right = expected.left + grown;
        }
        if (row.width == kFollowsText) {
            // Only the corner is fixed; the size comes from the text.
            expected.right = row.left + (box.right - box.left);
            expected.bottom = row.top + (box.bottom - box.top);
        }
        EXPECT_EQ(BoxText(box), BoxText(expected)) << row.name << " (left, top, width, height)";
    }
}

// The form's controls are the window's only children (a drop-down list's own edit
// field and list are inside it, not beside it).
void ExpectNoOtherControls(const AppWindow& window, const ExpectedForm& form) {
    int children = 0;
    for (HWND child = GetWindow(window.Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsWindowVisible(child)) ++children;
    }
    EXPECT_EQ(children, form.count);
}

class EditorLayoutTest : public QvconfigTest {
protected:
    // The key as a setup leaves it: the window shows a fresh installation's settings.
    void SetUp() override { SeedSetupsKey(); }
};

TEST_F(EditorLayoutTest, CaptionClientAreaAndFixedBorder) {
    const AppWindow editor = OpenEditor();
    ASSERT_TRUE(editor);
    ExpectCaptionAndClientArea(editor, kEditorForm);
    const LONG style = qvtest::Style(editor.Handle());
    EXPECT_TRUE(style & WS_SYSMENU) << "the title bar offers the close command";
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME) << "the border is fixed";
    SaveScreenshot(editor, "editor-initial");
}

TEST_F(EditorLayoutTest, EveryControlShowsItsInitialText) {
    const AppWindow editor = OpenEditor();
    ASSERT_TRUE(editor);
    ExpectKindsAndTexts(editor, kEditorForm);
    ExpectNoOtherControls(editor, kEditorForm);
}

TEST_F(EditorLayoutTest, EveryControlHasItsBoxInPixels) {
    const AppWindow editor = OpenEditor();
    ASSERT_TRUE(editor);
    ExpectBoxes(editor, kEditorForm);
}

TEST_F(EditorLayoutTest, EnabledStatesAfterLoadingTheSetupsKeyWithNoDriver) {
    const AppWindow editor = OpenEditor();
    ASSERT_TRUE(editor);
    for (const ExpectedControl& row : kEditorControls) {
        HWND control = editor.Control(row.name);
        ASSERT_NE(control, nullptr) << row.name;
        EXPECT_EQ(qvtest::IsEnabled(control), row.enabledWithSetupsKey) << row.name;
    }
}

TEST_F(EditorLayoutTest, VersionLabelNamesTheRelease) {
    const AppWindow editor = OpenEditor();
    ASSERT_TRUE(editor);
    HWND label = editor.Control("version");
    EXPECT_EQ(qvtest::WindowText(label), "Version 1.5");
    // The whole text is shown: its box is at least as wide as the text in the label's
    // own font (Arial 9 pt bold), measured here at the screen's 96 DPI.
    HDC dc = GetDC(nullptr);
    HFONT font = CreateFontA(-12, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Arial");
    HGDIOBJ previous = SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentPoint32A(dc, "Version 1.5", 11, &extent);
    SelectObject(dc, previous);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    const RECT box = qvtest::RectInClient(label, editor.Handle());
    EXPECT_GE(box.right - box.left, extent.cx);
    SaveScreenshot(editor, "editor-version-label");
}

TEST_F(EditorLayoutTest, WebLinkShowsAnAddress) {
    const AppWindow editor = OpenEditor();
    ASSERT_TRUE(editor);
    const std::string address = qvtest::WindowText(editor.Control("webLink"));
    EXPECT_TRUE(address.rfind("http://", 0) == 0 || address.rfind("https://", 0) == 0) << address;
}

TEST_F(EditorLayoutTest, DiskKindsAreListedAndHardDiskIsChosen) {
    const AppWindow editor = OpenEditor();
    ASSERT_TRUE(editor);
    HWND combo = editor.Control("diskTypeList");
    EXPECT_EQ(qvtest::ComboItems(combo), (std::vector<std::string>{"Hard Disk", "1.44MB Floppy", "2.88MB Floppy"}));
    EXPECT_EQ(qvtest::ComboSelection(combo), 0);
}

TEST_F(EditorLayoutTest, TextBoxesAlignAndLimitTyping) {
    const AppWindow editor = OpenEditor();
    ASSERT_TRUE(editor);
    for (const ExpectedControl& row : kEditorControls) {
        if (row.kind != Kind::TextBox) continue;
        bool centred = false;
        for (const char* name : kCentredTextBoxes) centred = centred || std::strcmp(name, row.name) == 0;
        EXPECT_EQ((qvtest::Style(editor.Control(row.name)) & ES_CENTER) != 0, centred) << row.name;
    }
    for (const TypingLimit& limit : kTypingLimits) {
        DWORD_PTR characters = 0;
        SendMessageTimeoutA(editor.Control(limit.name), EM_GETLIMITTEXT, 0, 0, SMTO_ABORTIFHUNG,
                            qvtest::kSendTimeoutMs, &characters);
        if (limit.characters) {
            EXPECT_EQ(characters, static_cast<DWORD_PTR>(limit.characters)) << limit.name;
        } else {
            EXPECT_GT(characters, 254u) << limit.name << " has no typing limit";
        }
    }
}

// A notice, opened by its word, as it stands and as OK closes it.
struct NoticeCase {
    const char* word;
    const ExpectedForm* form;
    const char* okButton;
    const char* screenshot;
};

class NoticeTest : public QvconfigTest, public ::testing::WithParamInterface<NoticeCase> {};

TEST_P(NoticeTest, ShowsItsTextsAndEndsTheProgramOnOk) {
    const NoticeCase& notice = GetParam();
    const AppWindow window = Open(notice.word, notice.form->caption);
    ASSERT_TRUE(window);
    SaveScreenshot(window, notice.screenshot);
    ExpectCaptionAndClientArea(window, *notice.form);
    ExpectKindsAndTexts(window, *notice.form);
    ExpectBoxes(window, *notice.form);
    ExpectNoOtherControls(window, *notice.form);
    EXPECT_EQ(window.FocusedControl(), notice.okButton) << "the notice opens with the focus on OK";

    qvtest::Click(window.Control(notice.okButton));
    EXPECT_TRUE(Ends()) << "OK closes the notice, the program's only window";
    EXPECT_EQ(Running().ExitCode(), kStatusDone);
}

INSTANTIATE_TEST_SUITE_P(Words, NoticeTest,
                         ::testing::Values(NoticeCase{"badload", &kLoadFailForm, "okButton", "notice-loadfail"},
                                           NoticeCase{"nodriveletter", &kNoDriveForm, "okButton", "notice-nodrive"}),
                         [](const auto& info) { return std::string(info.param.word); });

}  // namespace
}  // namespace qve2e
