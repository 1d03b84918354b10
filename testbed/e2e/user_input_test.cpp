// Real mouse and keyboard input reaching the configuration window and coming back on the screen.
#include <string>
#include <vector>

#include "e2e_fixture.h"
#include "user_actions.h"

namespace qve2e {
namespace {

using qvtest::AppWindow;

using UserInputTest = QvconfigTest;

TEST_F(UserInputTest, FocusIsOnOkWhenTheWindowOpens) {
    const AppWindow editor = OpenEditor();
    ASSERT_TRUE(editor);
    SaveScreenshot(editor, "editor");
    EXPECT_EQ(AwaitFocus(editor, "okButton"), "okButton");
}

TEST_F(UserInputTest, TabVisitsTheControlsInOrderPassingOverDisabledOnes) {
    const AppWindow editor = OpenEditor();
    ASSERT_TRUE(editor);
    ASSERT_EQ(AwaitFocus(editor, "okButton"), "okButton");
    std::vector<std::string> expected;
    for (const char* name : kEditorTabOrder) {
        if (qvtest::IsEnabled(editor.Control(name))) expected.push_back(name);
    }
    // One round, back to OK.
    std::vector<std::string> visited;
    for (std::size_t step = 1; step <= expected.size(); ++step) {
        qvtest::PressTab();
        const std::string& next = expected[step % expected.size()];
        visited.push_back(AwaitFocus(editor, next));
    }
    std::vector<std::string> expectedVisits(expected.begin() + 1, expected.end());
    expectedVisits.push_back(expected.front());
    EXPECT_EQ(visited, expectedVisits);
}

TEST_F(UserInputTest, ShiftTabFromOkGoesBackToTheLastControl) {
    const AppWindow editor = OpenEditor();
    ASSERT_TRUE(editor);
    ASSERT_EQ(AwaitFocus(editor, "okButton"), "okButton");
    qvtest::PressTab(true);
    EXPECT_EQ(AwaitFocus(editor, "startAtBootCheck"), "startAtBootCheck");
}

TEST_F(UserInputTest, TypedTextComesBackOnTheScreen) {
    const AppWindow editor = OpenEditor();
    ASSERT_TRUE(editor);
    HWND text2 = editor.Control("saveFileBox");
    SelectAllOf(text2);
    qvtest::TypeText("D:\\Images\\Ram_1.img");
    EXPECT_EQ(AwaitText(text2, "D:\\Images\\Ram_1.img"), "D:\\Images\\Ram_1.img");
    EXPECT_EQ(editor.FocusedControl(), "saveFileBox");
}

TEST_F(UserInputTest, TypingStopsAtTheLabelsLimit) {
    const AppWindow editor = OpenEditor();
    ASSERT_TRUE(editor);
    HWND label = editor.Control("diskLabelBox");
    ASSERT_TRUE(qvtest::IsEnabled(label)) << "the seeded key asks for a disk label";
    SelectAllOf(label);
    qvtest::TypeText("ABCDEFGHIJKL");
    EXPECT_EQ(AwaitText(label, "ABCDEFGHIJK"), "ABCDEFGHIJK");
}

TEST_F(UserInputTest, ClickingACheckBoxTicksAndClearsIt) {
    const AppWindow editor = OpenEditor();
    ASSERT_TRUE(editor);
    HWND boot = editor.Control("startAtBootCheck");
    ASSERT_EQ(qvtest::CheckState(boot), BST_UNCHECKED);
    qvtest::Click(boot);
    EXPECT_EQ(AwaitCheck(boot, BST_CHECKED), BST_CHECKED);
    EXPECT_EQ(editor.FocusedControl(), "startAtBootCheck");
    qvtest::Click(boot);
    EXPECT_EQ(AwaitCheck(boot, BST_UNCHECKED), BST_UNCHECKED);
}

// The click reaches the model, whose rule changes two other controls on the screen.
TEST_F(UserInputTest, TickingAutoSaveTicksSaveOnShutdownAndEnablesTheInterval) {
    qvtest::WriteDword("SaveImageOnExit", 0);
    const AppWindow editor = OpenEditor();
    ASSERT_TRUE(editor);
    qvtest::Click(editor.Control("autoSaveCheck"));
    EXPECT_EQ(AwaitCheck(editor.Control("autoSaveCheck"), BST_CHECKED), BST_CHECKED);
    EXPECT_EQ(AwaitCheck(editor.Control("saveOnShutdownCheck"), BST_CHECKED), BST_CHECKED);
    EXPECT_TRUE(qvtest::IsEnabled(editor.Control("autoSaveIntervalBox")));
}

TEST_F(UserInputTest, ClickingAScrollArrowMovesTheFocusToTheBar) {
    const AppWindow editor = OpenEditor();
    ASSERT_TRUE(editor);
    ClickUpperArrow(editor.Control("diskSizeStepper"));
    EXPECT_EQ(AwaitFocus(editor, "diskSizeStepper"), "diskSizeStepper");
}

// The interval field's lost-focus rule runs before the arrow's step: 601 becomes
// 600 first, and the upper arrow then makes it 604.
TEST_F(UserInputTest, LeavingTheIntervalForItsArrowNormalisesBeforeTheStep) {
    qvtest::WriteDword("AutoSaveEnabled", 1);
    const AppWindow editor = OpenEditor();
    ASSERT_TRUE(editor);
    HWND interval = editor.Control("autoSaveIntervalBox");
    ASSERT_TRUE(qvtest::IsEnabled(interval)) << "the seeded key turns AutoSave on";
    SelectAllOf(interval);
    qvtest::TypeText("601");
    ASSERT_EQ(AwaitText(interval, "601"), "601");
    ClickUpperArrow(editor.Control("autoSaveIntervalStepper"));
    EXPECT_EQ(AwaitText(interval, " 604"), " 604");
}

TEST_F(UserInputTest, EnterAtOpeningPressesOkAndEndsTheProgram) {
    const AppWindow editor = OpenEditor();
    ASSERT_TRUE(editor);
    ASSERT_EQ(AwaitFocus(editor, "okButton"), "okButton");
    qvtest::PressEnter();
    EXPECT_TRUE(Ends());
}

TEST_F(UserInputTest, EnterInATextBoxPressesNoButton) {
    const AppWindow editor = OpenEditor();
    ASSERT_TRUE(editor);
    qvtest::Click(editor.Control("saveFileBox"));
    ASSERT_EQ(AwaitFocus(editor, "saveFileBox"), "saveFileBox");
    qvtest::PressEnter();
    EXPECT_FALSE(Running().WaitForExit(1000)) << "Enter closed the window";
    EXPECT_EQ(editor.FocusedControl(), "saveFileBox");
}

// What the user typed is what OK saves.
TEST_F(UserInputTest, OkSavesTheTypedFileNameAndEndsTheProgram) {
    const AppWindow editor = OpenEditor();
    ASSERT_TRUE(editor);
    HWND text2 = editor.Control("saveFileBox");
    SelectAllOf(text2);
    qvtest::TypeText("D:\\saved.img");
    ASSERT_EQ(AwaitText(text2, "D:\\saved.img"), "D:\\saved.img");
    qvtest::Click(editor.Control("okButton"));
    EXPECT_TRUE(Ends());
    EXPECT_EQ(qvtest::ReadString("SaveImageFile"), "D:\\saved.img");
    EXPECT_EQ(qvtest::ValueType("SaveImageFile"), static_cast<DWORD>(REG_SZ));
}

}  // namespace
}  // namespace qve2e
