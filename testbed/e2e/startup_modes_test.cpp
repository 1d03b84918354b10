// The command line's words as a user meets them: the usage box, splash, and the ways the window closes.
#include <string>

#include "e2e_fixture.h"

namespace qve2e {
namespace {

using qvtest::AppWindow;

// Argument texts that are none of the words: a different case, a trailing blank,
// two words, a quoted word.
struct NotAWord {
    const char* arguments;
    const char* name;
};

class UsageTest : public QvconfigTest, public ::testing::WithParamInterface<NotAWord> {};

TEST_P(UsageTest, ShowsTheUsageBoxAndEndsWhenItIsClosed) {
    const DWORD id = Start(GetParam().arguments).Id();
    HWND box = qvtest::FindMessageBox(id, kUsageCaption, kOpenTimeoutMs);
    ASSERT_NE(box, nullptr) << "no usage box for [" << GetParam().arguments << "]";
    EXPECT_EQ(qvtest::MessageBoxText(box), kUsageText);
    EXPECT_EQ(qvtest::TopLevelCaptions(id), std::vector<std::string>{kUsageCaption}) << "no other window";

    qvtest::PressMessageBoxButton(box, IDOK);
    EXPECT_TRUE(Ends());
    EXPECT_EQ(Running().ExitCode(), kStatusUsage);
}

INSTANTIATE_TEST_SUITE_P(Texts, UsageTest,
                         ::testing::Values(NotAWord{"START", "Upper"}, NotAWord{"Start", "Capitalised"},
                                           NotAWord{"start ", "TrailingBlank"}, NotAWord{"start save", "TwoWords"},
                                           NotAWord{"\"start\"", "Quoted"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(QvconfigTest, SplashEndsAtOnceWithoutAWindow) {
    qvtest::Program& program = Start("splash");
    bool sawWindow = false;
    const bool ended = qvtest::WaitUntil(
        [&] {
            sawWindow = sawWindow || !qvtest::TopLevelWindows(program.Id()).empty();
            return program.HasExited();
        },
        kExitTimeoutMs);
    EXPECT_TRUE(ended);
    EXPECT_FALSE(sawWindow);
    EXPECT_EQ(program.ExitCode(), kStatusDone);
}

// No word and "install" both open the configuration window, and end with status 0.
class OpensEditorTest : public QvconfigTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(OpensEditorTest, OpensTheConfigurationWindowAlone) {
    const AppWindow editor = Open(GetParam(), kEditorForm.caption);
    ASSERT_TRUE(editor);
    EXPECT_EQ(qvtest::TopLevelCaptions(Running().Id()), std::vector<std::string>{kEditorForm.caption});
    qvtest::PostClick(editor.Control("okButton"));
    EXPECT_TRUE(Ends());
    EXPECT_EQ(Running().ExitCode(), kStatusDone);
}

INSTANTIATE_TEST_SUITE_P(Words, OpensEditorTest, ::testing::Values("", "install"),
                         [](const auto& info) { return std::string(*info.param ? info.param : "NoWord"); });

// After an edit, neither Cancel nor the close command saves or asks: the program ends
// (a question would hold it open) and the key is as it was.
void TypeIntoSaveFileName(const AppWindow& editor) {
    HWND text2 = editor.Control("saveFileBox");
    ASSERT_TRUE(qvtest::ClickToFocus(text2, kReactTimeoutMs));
    qvtest::PressKey(VK_END);
    qvtest::TypeText("x");
    EXPECT_TRUE(qvtest::WaitUntil(
        [&] {
            const std::string text = qvtest::WindowText(text2);
            return !text.empty() && text.back() == 'x';
        },
        kReactTimeoutMs));
}

TEST_F(QvconfigTest, CancelEndsTheProgramWithoutSavingOrAsking) {
    const AppWindow editor = OpenEditor();
    ASSERT_TRUE(editor);
    TypeIntoSaveFileName(editor);
    qvtest::PostClick(editor.Control("cancelButton"));
    EXPECT_TRUE(Ends());
    EXPECT_EQ(Running().ExitCode(), kStatusDone);
    EXPECT_EQ(qvtest::ReadString("SaveImageFile"), "C:\\qvdriver.img");
}

TEST_F(QvconfigTest, CloseCommandEndsTheProgramWithoutSavingOrAsking) {
    const AppWindow editor = OpenEditor();
    ASSERT_TRUE(editor);
    TypeIntoSaveFileName(editor);
    qvtest::PostClose(editor.Handle());
    EXPECT_TRUE(Ends());
    EXPECT_EQ(Running().ExitCode(), kStatusDone);
    EXPECT_EQ(qvtest::ReadString("SaveImageFile"), "C:\\qvdriver.img");
}

}  // namespace
}  // namespace qve2e
