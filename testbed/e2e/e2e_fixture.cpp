// The fixture of the end-to-end tests: seeding the key, starting qvconfig.exe, finding its windows.
#include "e2e_fixture.h"

#include "testbed/harness/screenshot.h"

namespace qve2e {

void SeedSensibleSettings() {
    ASSERT_TRUE(qvtest::DeleteSettingsKey());
    qvtest::StoredSettings settings = qvtest::SensibleSettings();
    settings.InstallDir = "C:\\Program Files\\Quorvel";
    ASSERT_TRUE(qvtest::WriteSettings(settings));
}

void SeedSetupsKey() {
    ASSERT_TRUE(qvtest::DeleteSettingsKey());
    ASSERT_TRUE(qvtest::CreateSettingsKey());
    ASSERT_TRUE(qvtest::WriteString("InstallDir", "C:\\Program Files\\Quorvel"));
    ASSERT_TRUE(qvtest::WriteString("Executable", "C:\\Program Files\\Quorvel\\qvconfig.exe"));
}

void QvconfigTest::SetUpTestSuite() { EXPECT_TRUE(qvtest::DrawTitleBarsUnderWine()); }

void QvconfigTest::SetUp() { SeedSensibleSettings(); }

void QvconfigTest::TearDown() {
    if (program_) program_->Kill();
    program_.reset();
}

qvtest::Program& QvconfigTest::Start(const std::string& arguments, const qvtest::Surroundings& surroundings) {
    program_ = std::make_unique<qvtest::Program>(qvtest::BuiltPath("QV_CONFIG_EXE", QV_CONFIG_EXE), arguments,
                                                 surroundings);
    EXPECT_TRUE(program_->Started()) << "cannot start " << program_->CommandLine();
    return *program_;
}

qvtest::AppWindow QvconfigTest::Open(const std::string& arguments, const std::string& caption) {
    const DWORD id = Start(arguments).Id();
    qvtest::AppWindow window;
    qvtest::WaitUntil(
        [&] {
            window = qvtest::FindAppWindow(id, caption, 0);
            if (HWND box = qvtest::FindMessageBox(id, kRegistryReadFailedCaption, 0)) {
                ADD_FAILURE() << "loading could not open the seeded key: " << qvtest::MessageBoxText(box);
                qvtest::PressMessageBoxButton(box, IDOK);
                Sleep(200);
            }
            return static_cast<bool>(window) || program_->HasExited();
        },
        kOpenTimeoutMs);
    EXPECT_TRUE(window) << "no window \"" << caption << "\" for " << program_->CommandLine();
    if (window) qvtest::BringToFront(window.Handle());
    return window;
}

void QvconfigTest::SaveScreenshot(const qvtest::AppWindow& window, const std::string& name) {
    const std::string path =
        qvtest::SaveScreenshot(window.Handle(), qvtest::BuiltPath("QV_SCREENSHOT_DIR", QV_SCREENSHOT_DIR), name);
    EXPECT_FALSE(path.empty()) << "could not save the screenshot " << name;
    RecordProperty("screenshot", path);
}

}  // namespace qve2e
