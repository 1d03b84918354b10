// The fixture of the end-to-end tests: a seeded settings key, qvconfig.exe started with a
// command line, its windows found, and screenshots saved into the build tree.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "expected_forms.h"
#include "testbed/harness/input.h"
#include "testbed/harness/message_box.h"
#include "testbed/harness/program.h"
#include "testbed/harness/registry.h"
#include "testbed/harness/windows.h"

namespace qve2e {

inline const std::string kUsageCaption = "Invalid Command Line Parameters";
inline const std::string kUsageText = "Usage: qvconfig [stop] [start] [save]";
inline const std::string kRegistryReadFailedCaption = "Registry Read Failed";

// The exit statuses of qvconfig.exe.
constexpr DWORD kStatusDone = 0;
constexpr DWORD kStatusFailed = 1;
constexpr DWORD kStatusUsage = 2;

// Waits: for a window to open (a cold Wine start is slow), for the program to end,
// and for the program to react to one piece of input.
constexpr int kOpenTimeoutMs = 20000;
constexpr int kExitTimeoutMs = 10000;
constexpr int kReactTimeoutMs = 8000;

// Settings a user might have: a 64 MB hard disk on R:, image saved on exit to
// C:\qvdriver.img, no AutoSave, a TEMP directory and the label RAMDISK, no boot start.
void SeedSensibleSettings();
// The key as a setup creates it: only InstallDir and Executable, no settings.
void SeedSetupsKey();

class QvconfigTest : public ::testing::Test {
protected:
    // The windows of the programs started from here on carry their title bars.
    static void SetUpTestSuite();
    // Each test starts from the sensible settings; a test may change them before Start.
    void SetUp() override;
    // A program still running (a failed test) is ended, its boxes and windows with it.
    void TearDown() override;

    // Starts qvconfig.exe with this argument text.
    qvtest::Program& Start(const std::string& arguments, const qvtest::Surroundings& surroundings = {});
    qvtest::Program& Running() { return *program_; }
    // Starts it and waits for its window of that caption. A "Registry Read Failed" box
    // (the key is seeded, so it should never come) fails the test and is answered.
    qvtest::AppWindow Open(const std::string& arguments, const std::string& caption);
    qvtest::AppWindow OpenEditor() { return Open("", kEditorForm.caption); }

    // True when the program ended within the exit timeout.
    bool Ends() { return program_->WaitForExit(kExitTimeoutMs); }

    // Saves the window into <build>/screenshots/<name>.png.
    void SaveScreenshot(const qvtest::AppWindow& window, const std::string& name);

private:
    std::unique_ptr<qvtest::Program> program_;
};

}  // namespace qve2e
