// After a silent install: Wine's Control Panel lists the applet, opening it shows the configuration
// window of the installed program, and that window drives the driver that the setup installed.
#include <windows.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "qvconfig/window/editor.h"
#include "setup_fixture.h"
#include "testbed/e2e/driver_buttons.h"
#include "testbed/harness/input.h"
#include "testbed/harness/list_view.h"
#include "testbed/harness/message_box.h"
#include "testbed/harness/processes.h"
#include "testbed/harness/program.h"
#include "testbed/harness/windows.h"

namespace qvsetup {
namespace {

using qve2e::AwaitButtons;
using qve2e::kRunning;
using qve2e::kStopped;

const std::string kEditorCaption = qv::EditorLayout().caption;
// The applet's name in the Control Panel: its string 1.
const std::string kAppletName = "Quorvel";
constexpr int kWindowTimeoutMs = 30000;
constexpr std::uint32_t kImagePages = 1280;  // 5 MB, the smallest disk

// The Control Panel's list of applets: the list view of the window that control.exe shows.
HWND AppletList(DWORD controlPanel) {
    HWND list = nullptr;
    qvtest::WaitUntil(
        [&] {
            for (HWND top : qvtest::TopLevelWindows(controlPanel)) {
                if ((list = FindWindowExA(top, nullptr, "SysListView32", nullptr))) return true;
            }
            return false;
        },
        kWindowTimeoutMs);
    return list;
}

int IndexOf(const std::vector<std::string>& items, const std::string& item) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i] == item) return static_cast<int>(i);
    }
    return -1;
}

// The settings a user would have made: a small disk on R:, so that saving its image is
// quick, saved into the install directory on shutdown; no AutoSave, no start at boot.
void SeedSettingsForTheDriver(const std::string& imageFile) {
    qvtest::StoredSettings settings = qvtest::SensibleSettings();
    settings.SizeIn4kPages = kImagePages;
    settings.LoadImageFile = imageFile;
    settings.SaveImageFile = imageFile;
    ASSERT_TRUE(qvtest::WriteSettings(settings));
}

TEST_F(SetupTest, TheControlPanelOpensTheInstalledProgramWhichDrivesTheInstalledDriver) {
    ASSERT_EQ(InstallSilently(), 0u);
    const std::string imageFile = kDefaultInstallDir + "\\saved image.img";
    SeedSettingsForTheDriver(imageFile);

    qvtest::Program control(qvtest::SystemDirectory() + "\\control.exe", "");
    ASSERT_TRUE(control.Started());
    HWND list = AppletList(control.Id());
    ASSERT_NE(list, nullptr) << "the Control Panel shows no list";
    std::vector<std::string> applets;
    EXPECT_TRUE(qvtest::WaitUntil([&] { return IndexOf(applets = qvtest::ListViewItems(list), kAppletName) >= 0; },
                                  kWindowTimeoutMs))
        << "applets listed: " << ::testing::PrintToString(applets);
    const int index = IndexOf(applets, kAppletName);
    ASSERT_GE(index, 0);
    SaveScreenshot(GetAncestor(list, GA_ROOT), "control-panel");

    // Opened as a user opens it: a double click on its icon.
    const auto item = qvtest::ListViewItemRect(list, index);
    ASSERT_TRUE(item.has_value());
    qvtest::BringToFront(GetAncestor(list, GA_ROOT));
    qvtest::DoubleClickAt(list, (item->left + item->right) / 2, (item->top + item->bottom) / 2);
    std::set<DWORD> shown;
    ASSERT_TRUE(qvtest::WaitUntil(
        [&] { return (shown = qvtest::InstancesShowing(InstalledProgram(), kEditorCaption)).size() == 1; },
        kWindowTimeoutMs))
        << "shown by:" << qvtest::WhoShows(kEditorCaption);
    const qvtest::AppWindow editor = qvtest::FindAppWindow(*shown.begin(), kEditorCaption, kWindowTimeoutMs);
    ASSERT_TRUE(editor);
    qvtest::BringToFront(editor.Handle());
    EXPECT_EQ(AwaitButtons(editor, kStopped), kStopped) << "after loading";

    qvtest::PostClick(editor.Control("enableButton"));
    EXPECT_EQ(AwaitButtons(editor, kRunning), kRunning) << "after Enable";
    EXPECT_TRUE(qve2e::DeviceLoaded());
    SaveScreenshot(editor.Handle(), "installed-configuration-window");

    qvtest::PostClick(editor.Control("saveDiskImageButton"));
    HWND saved = qvtest::FindMessageBox(*shown.begin(), qve2e::kSavedCaption, qve2e::kOperationTimeoutMs);
    ASSERT_NE(saved, nullptr) << "no box \"" << qve2e::kSavedCaption << "\"";
    EXPECT_EQ(qvtest::MessageBoxText(saved), qve2e::kSavedText);
    EXPECT_EQ(qve2e::FileSize(imageFile), kImagePages * 4096ull);
    qvtest::PressMessageBoxButton(saved, IDOK);

    qvtest::PostClick(editor.Control("disableButton"));
    EXPECT_EQ(AwaitButtons(editor, kStopped), kStopped) << "after Disable";
    EXPECT_FALSE(qve2e::DeviceLoaded());
    qvtest::EndProcesses(shown);
}

}  // namespace
}  // namespace qvsetup
