// The editing rules as real input meets them: normalising before the next action, one step per scroll action, typing limits, the floppy freeze.
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "e2e_fixture.h"
#include "user_actions.h"

namespace qve2e {
namespace {

using qvtest::AppWindow;

// Time for input that should change nothing to have been handled.
constexpr DWORD kSettleMs = 500;

// The bar's arrows fill it at this size, and what lies between them is trough.
void ClickInTrough(HWND scrollBar) { qvtest::Click(scrollBar); }

// The messages a scroll bar sends while its thumb is dragged from `from` to `to` and
// released. The bars of this window are too short to draw a thumb, so no mouse can
// grab one; the view sees what it would see from a bar that has one.
void DragThumb(const AppWindow& window, HWND scrollBar, int from, int to) {
    const auto send = [&](int code, int position) {
        PostMessageA(window.Handle(), WM_VSCROLL, MAKEWPARAM(code, position), reinterpret_cast<LPARAM>(scrollBar));
    };
    for (int step = 1; step <= 4; ++step) send(SB_THUMBTRACK, from + (to - from) * step / 4);
    send(SB_THUMBPOSITION, to);
    send(SB_ENDSCROLL, 0);
}

// Opens the drop-down with its button and clicks the item at `index` in the list.
bool PickFromDropDown(DWORD processId, HWND combo, int index) {
    RECT closed{};
    GetClientRect(combo, &closed);
    qvtest::ClickAt(combo, closed.right - 6, closed.bottom / 2);
    HWND list = nullptr;
    qvtest::WaitUntil(
        [&] {
            const std::vector<HWND> lists = qvtest::TopLevelWindows(processId, "ComboLBox");
            list = lists.empty() ? nullptr : lists.front();
            return list != nullptr;
        },
        kReactTimeoutMs);
    DWORD_PTR itemHeight = 0;
    if (!list || !SendMessageTimeoutA(combo, CB_GETITEMHEIGHT, 0, 0, SMTO_ABORTIFHUNG, qvtest::kSendTimeoutMs,
                                      &itemHeight)) {
        return false;
    }
    RECT items{};
    GetClientRect(list, &items);
    const int height = static_cast<int>(itemHeight);
    qvtest::ClickAt(list, items.right / 2, index * height + height / 2);
    return true;
}

// Typing a size and leaving the box brings it onto the grid; the upper arrow clicked
// straight from the box steps from that normalised size, not from the typed one.
struct SizeEntry {
    const char* name;
    std::uint32_t fat32;
    const char* typed;
    const char* afterLeaving;
    const char* afterUpperArrow;
};

// Both rows would end elsewhere if the arrow stepped before the box was normalised:
// 2047 would step to 2049 and be capped at 2048 with the bar one further (FAT32 off);
// 3073 would step to 3077.5 and end at 3073.5 (FAT32 on).
const SizeEntry kSizeEntries[] = {
    {"Fat32Off", 0, "2047", " 2046", " 2048"},
    {"Fat32On", 1, "3073", " 3069", " 3072"},
};

void PrintTo(const SizeEntry& entry, std::ostream* out) { *out << entry.name; }

class EditingRulesSizeEntryTest : public QvconfigTest, public ::testing::WithParamInterface<SizeEntry> {};

TEST_P(EditingRulesSizeEntryTest, LeavingTheBoxNormalisesAndTheArrowStepsFromTheNormalisedSize) {
    const SizeEntry& entry = GetParam();
    qvtest::WriteDword("DiskFormatFAT32", entry.fat32);
    const AppWindow editor = OpenEditor();
    ASSERT_TRUE(editor);
    HWND size = editor.Control("diskSizeBox");
    HWND bar = editor.Control("diskSizeStepper");

    SelectAllOf(size);
    qvtest::TypeText(entry.typed);
    ASSERT_EQ(AwaitText(size, entry.typed), entry.typed);
    qvtest::PressTab();
    EXPECT_EQ(AwaitText(size, entry.afterLeaving), entry.afterLeaving);

    // Back by the keyboard, which selects the box's text: a second click on the same
    // spot so soon would be a double click, from which an edit box takes no focus.
    qvtest::PressTab(true);
    ASSERT_EQ(AwaitFocus(editor, "diskSizeBox"), "diskSizeBox");
    qvtest::TypeText(entry.typed);
    ASSERT_EQ(AwaitText(size, entry.typed), entry.typed);
    ClickUpperArrow(bar);
    EXPECT_EQ(AwaitText(size, entry.afterUpperArrow), entry.afterUpperArrow);
    // The normalised size placed the bar at 32767 minus it; the arrow then took it one lower.
    const int normalisedPosition = 32767 - std::stoi(entry.afterLeaving);
    EXPECT_EQ(qvtest::ScrollPosition(bar), normalisedPosition - 1);
    EXPECT_EQ(editor.FocusedControl(), "diskSizeStepper");
    SaveScreenshot(editor, std::string("editing-size-") + entry.name);
}

INSTANTIATE_TEST_SUITE_P(TypedThenStepped, EditingRulesSizeEntryTest, ::testing::ValuesIn(kSizeEntries),
                         [](const ::testing::TestParamInfo<SizeEntry>& info) { return std::string(info.param.name); });

// A field typed into and left by a click on "Save Settings": the value saved is the
// normalised one. Saved as typed, 5 seconds would store 1 and 2047 MB 524032 pages.
struct SavedEntry {
    const char* name;
    const char* field;
    const char* typed;
    const char* shown;
    const char* storedName;
    std::uint32_t stored;
};

const SavedEntry kSavedEntries[] = {
    {"Interval", "autoSaveIntervalBox", "5", " 20", "AutoSaveTrigger", 5},
    {"Size", "diskSizeBox", "2047", " 2046", "SizeIn4kPages", 2046 * 256},
};

void PrintTo(const SavedEntry& entry, std::ostream* out) { *out << entry.name; }

class EditingRulesSaveTest : public QvconfigTest, public ::testing::WithParamInterface<SavedEntry> {};

TEST_P(EditingRulesSaveTest, ClickingSaveSettingsNormalisesTheTypedFieldBeforeSaving) {
    const SavedEntry& entry = GetParam();
    qvtest::WriteDword("AutoSaveEnabled", 1);
    qvtest::WriteDword("AutoSaveTrigger", 37);
    const AppWindow editor = OpenEditor();
    ASSERT_TRUE(editor);
    HWND field = editor.Control(entry.field);
    ASSERT_TRUE(qvtest::IsEnabled(field));
    SelectAllOf(field);
    qvtest::TypeText(entry.typed);
    ASSERT_EQ(AwaitText(field, entry.typed), entry.typed);

    qvtest::Click(editor.Control("saveSettingsButton"));
    const std::string storedName = entry.storedName;
    EXPECT_EQ(Await(std::optional<std::uint32_t>(entry.stored), [&] { return qvtest::ReadDword(storedName); }),
              entry.stored);
    EXPECT_EQ(qvtest::WindowText(field), entry.shown);
    EXPECT_EQ(editor.FocusedControl(), "saveSettingsButton");
}

INSTANTIATE_TEST_SUITE_P(TypedThenSaved, EditingRulesSaveTest, ::testing::ValuesIn(kSavedEntries),
                         [](const ::testing::TestParamInfo<SavedEntry>& info) { return std::string(info.param.name); });

using EditingRulesTest = QvconfigTest;

// The seeded 64 MB sit on the whole-megabyte part of the grid, so one step is 1 MB.
TEST_F(EditingRulesTest, ATroughClickAndAThumbDragOfAnyLengthAreOneStepEach) {
    const AppWindow editor = OpenEditor();
    ASSERT_TRUE(editor);
    HWND size = editor.Control("diskSizeBox");
    HWND bar = editor.Control("diskSizeStepper");
    ASSERT_EQ(qvtest::WindowText(size), " 64");
    const int loaded = qvtest::ScrollPosition(bar);

    ClickInTrough(bar);
    EXPECT_EQ(AwaitText(size, " 65"), " 65");
    EXPECT_EQ(qvtest::ScrollPosition(bar), loaded - 1);

    DragThumb(editor, bar, loaded - 1, 100);
    EXPECT_EQ(AwaitText(size, " 66"), " 66");
    EXPECT_EQ(Await(100, [&] { return qvtest::ScrollPosition(bar); }), 100);

    DragThumb(editor, bar, 100, 32000);
    EXPECT_EQ(AwaitText(size, " 65"), " 65");
    Sleep(kSettleMs);
    EXPECT_EQ(qvtest::WindowText(size), " 65") << "the drag took more than one step";
    EXPECT_EQ(qvtest::ScrollPosition(bar), 32000);
}

TEST_F(EditingRulesTest, TheDriveLetterTakesOneCharacterAndShowsItInUpperCase) {
    const AppWindow editor = OpenEditor();
    ASSERT_TRUE(editor);
    HWND letter = editor.Control("driveLetterBox");
    ASSERT_EQ(qvtest::WindowText(letter), "R");
    SelectAllOf(letter);
    qvtest::TypeText("d");
    EXPECT_EQ(AwaitText(letter, "D"), "D");

    qvtest::PressKey(VK_END);
    qvtest::TypeText("e");
    Sleep(kSettleMs);
    EXPECT_EQ(qvtest::WindowText(letter), "D");
    SaveScreenshot(editor, "editing-drive-letter");
}

// A floppy's capacity follows from its type: the size group stays as it was but can
// no longer be edited, and the size's arrows are undone.
TEST_F(EditingRulesTest, ChoosingAFloppyDisablesTheSizeGroupAndFreezesItsArrows) {
    qvtest::WriteDword("DiskFormatFAT32", 1);
    const AppWindow editor = OpenEditor();
    ASSERT_TRUE(editor);
    HWND combo = editor.Control("diskTypeList");
    HWND size = editor.Control("diskSizeBox");
    HWND bar = editor.Control("diskSizeStepper");
    ASSERT_EQ(qvtest::ComboItems(combo)[1], "1.44MB Floppy");

    ASSERT_TRUE(PickFromDropDown(Running().Id(), combo, 1)) << "the list did not open";
    EXPECT_EQ(AwaitText(combo, "1.44MB Floppy"), "1.44MB Floppy");
    for (const char* name : {"diskSizeBox", "fat32Check", "diskSizeLabel", "megabytesLabel"}) {
        EXPECT_FALSE(Await(false, [&] { return qvtest::IsEnabled(editor.Control(name)); })) << name;
    }
    EXPECT_EQ(qvtest::WindowText(size), " 64");
    EXPECT_EQ(qvtest::CheckState(editor.Control("fat32Check")), BST_CHECKED);

    const int frozen = qvtest::ScrollPosition(bar);
    ClickUpperArrow(bar);
    ASSERT_EQ(AwaitFocus(editor, "diskSizeStepper"), "diskSizeStepper");
    ClickInTrough(bar);
    Sleep(kSettleMs);
    EXPECT_EQ(qvtest::WindowText(size), " 64");
    EXPECT_EQ(qvtest::ScrollPosition(bar), frozen);
    SaveScreenshot(editor, "editing-floppy");
}

}  // namespace
}  // namespace qve2e
