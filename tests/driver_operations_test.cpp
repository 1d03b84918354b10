// StartDisk, StopDisk, SaveImageNow and the driver buttons, against the fake installer, device and clock.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "qvconfig/window/editor.h"
#include "tests/fakes/fake_services.h"

namespace qv {
namespace {

const std::string kDir = "C:\\Program Files\\Quorvel";
const std::string kInstallBoot =
    "\"C:\\Program Files\\Quorvel\\tarnset.exe\" -ie \"C:\\Program Files\\Quorvel\\qvdriver.inf\"";
const std::string kInstall =
    "\"C:\\Program Files\\Quorvel\\tarnset.exe\" -id \"C:\\Program Files\\Quorvel\\qvdriver.inf\"";
const std::string kEnable = "\"C:\\Program Files\\Quorvel\\tarnset.exe\" -e";
const std::string kUninstall = "\"C:\\Program Files\\Quorvel\\tarnset.exe\" -u";
const std::string kInstaller = "C:\\Program Files\\Quorvel\\tarnset.exe";

struct Buttons {
    bool enable;
    bool disable;
    bool save;
    bool operator==(const Buttons& other) const {
        return enable == other.enable && disable == other.disable && save == other.save;
    }
};
std::ostream& operator<<(std::ostream& out, const Buttons& b) {
    return out << "{Enable " << b.enable << ", Disable " << b.disable << ", Save " << b.save << "}";
}
constexpr Buttons kStopped{true, false, false};
constexpr Buttons kRunning{false, true, true};

class DriverOperations : public ::testing::Test {
protected:
    DriverOperations() : editor(platform.Services()) {
        editor.InstallDir = kDir;
        SetButtons(kStopped);
        editor.SettingsChanged = false;
    }
    ~DriverOperations() override { EXPECT_EQ(platform.device.openHandles, 0); }

    void SetButtons(Buttons b) {
        editor.enableButton.SetEnabled(b.enable);
        editor.disableButton.SetEnabled(b.disable);
        editor.saveDiskImageButton.SetEnabled(b.save);
    }
    Buttons CurrentButtons() const {
        return {editor.enableButton.Enabled(), editor.disableButton.Enabled(), editor.saveDiskImageButton.Enabled()};
    }
    void SetBoot(bool boot) {
        editor.startAtBootCheck.SetValue(boot ? CheckBox::Ticked : CheckBox::Cleared);
        editor.SettingsChanged = false;
    }
    // The driver appears once the installer has run the step that starts it.
    void InstallerStartsDriver() {
        platform.installer.onRun = [this](const ProcessCommand& command) {
            if (command.commandLine == kEnable || command.commandLine == kInstallBoot) {
                platform.device.loaded = true;
            }
        };
    }
    std::vector<std::string> CommandLines() const {
        std::vector<std::string> lines;
        for (const ProcessCommand& run : platform.installer.runs) lines.push_back(run.commandLine);
        return lines;
    }
    void ExpectOneMessage(const std::string& text, const std::string& caption, std::uint32_t flags) {
        ASSERT_EQ(platform.ui.messages.size(), 1u);
        const ShownMessage& shown = platform.ui.messages[0];
        EXPECT_EQ(shown.text, text);
        EXPECT_EQ(shown.caption, caption);
        EXPECT_EQ(shown.flags, flags);
        EXPECT_EQ(shown.owner, MessageOwner::Program);
        // A failure is what shows an error box, and the window remembers it.
        EXPECT_EQ(editor.MetFailure(), flags == 48u);
    }

    FakePlatform platform;
    Editor editor;
};

// --- StartDisk: the save question -------------------------------------------------

struct QuestionCase {
    MessageAnswer answer;
    bool started;
    bool saved;
    std::int16_t settingsChangedAfter;
};

class SaveQuestion : public DriverOperations, public ::testing::WithParamInterface<QuestionCase> {};

TEST_P(SaveQuestion, IsAskedForUnsavedEditsAndDecidesTheStart) {
    const QuestionCase c = GetParam();
    InstallerStartsDriver();
    editor.SettingsChanged = true;
    platform.ui.answers = {c.answer};

    EXPECT_EQ(editor.StartDisk(), c.started);

    ASSERT_GE(platform.ui.messages.size(), 1u);
    const ShownMessage& question = platform.ui.messages[0];
    EXPECT_EQ(question.text, "Save current settings before starting driver?");
    EXPECT_EQ(question.caption, "Quorvel Driver Start");
    EXPECT_EQ(question.flags, 3u);
    EXPECT_EQ(question.owner, MessageOwner::Program);
    EXPECT_EQ(platform.ui.messages.size(), 1u);
    EXPECT_EQ(!platform.store.WrittenNames().empty(), c.saved);
    EXPECT_EQ(editor.SettingsChanged, c.settingsChangedAfter);
    EXPECT_EQ(platform.installer.runs.size(), c.started ? 2u : 0u);
    EXPECT_EQ(CurrentButtons(), c.started ? kRunning : kStopped);
    EXPECT_FALSE(editor.MetFailure()) << "an answer is no failure, Cancel included";
}

INSTANTIATE_TEST_SUITE_P(Answers, SaveQuestion,
                         ::testing::Values(QuestionCase{MessageAnswer::Cancel, false, false, 1},
                                           QuestionCase{MessageAnswer::No, true, false, 1},
                                           QuestionCase{MessageAnswer::Yes, true, true, 0}));

TEST_F(DriverOperations, CancelTouchesNeitherDeviceNorClock) {
    editor.SettingsChanged = true;
    platform.ui.answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(editor.StartDisk());
    EXPECT_TRUE(platform.device.log.empty());
    EXPECT_TRUE(platform.sleeper.pauses.empty());
}

// A windowless start with the driver already running: no question, the installer still runs.
TEST_F(DriverOperations, SavedSettingsAndRunningDriverStillRunTheInstaller) {
    platform.device.loaded = true;
    SetBoot(true);
    EXPECT_TRUE(editor.StartDisk());
    EXPECT_TRUE(platform.ui.messages.empty());
    EXPECT_EQ(CommandLines(), (std::vector<std::string>{kInstallBoot}));
}

// --- StartDisk: installer runs and the probe -------------------------------------

struct RunsCase {
    bool boot;
    std::vector<std::string> commandLines;
};

class InstallerRuns : public DriverOperations, public ::testing::WithParamInterface<RunsCase> {};

TEST_P(InstallerRuns, PrecedeTheProbeThatFindsTheDevice) {
    const RunsCase c = GetParam();
    SetBoot(c.boot);
    InstallerStartsDriver();

    EXPECT_TRUE(editor.StartDisk());

    EXPECT_EQ(CommandLines(), c.commandLines);
    for (const ProcessCommand& run : platform.installer.runs) EXPECT_EQ(run.application, kInstaller);
    EXPECT_EQ(platform.device.log, (std::vector<std::string>{"open command", "close"}));
    EXPECT_EQ(platform.sleeper.pauses, (std::vector<std::uint32_t>{1000}));
    EXPECT_TRUE(platform.ui.messages.empty());
    EXPECT_EQ(CurrentButtons(), kRunning);
    EXPECT_FALSE(editor.MetFailure());
}

INSTANTIATE_TEST_SUITE_P(BootOption, InstallerRuns,
                         ::testing::Values(RunsCase{true, {kInstallBoot}},
                                           RunsCase{false, {kInstall, kEnable}}));

TEST_F(DriverOperations, DeviceOnTheLastAttemptCostsThirtyPauses) {
    platform.device.loaded = true;
    platform.device.commandOpenFailures = 29;
    EXPECT_TRUE(editor.StartDisk());
    EXPECT_EQ(platform.sleeper.pauses, std::vector<std::uint32_t>(30, 1000));
    EXPECT_EQ(platform.installer.runs.size(), 2u);
    EXPECT_EQ(CurrentButtons(), kRunning);
}

struct NoDeviceCase {
    const char* name;
    std::deque<std::uint32_t> exitCodes;
    bool uninstallStarts;
};
std::ostream& operator<<(std::ostream& out, const NoDeviceCase& c) { return out << c.name; }

class DeviceNeverAppears : public DriverOperations,
                           public ::testing::WithParamInterface<NoDeviceCase> {};

TEST_P(DeviceNeverAppears, ThirtyAttemptsThenUninstallAndOneMessage) {
    const NoDeviceCase c = GetParam();
    platform.installer.exitCodes = c.exitCodes;
    if (!c.uninstallStarts) {
        platform.installer.onRun = [this](const ProcessCommand& command) {
            if (command.commandLine == kEnable) platform.installer.canStart = false;
        };
    }

    EXPECT_FALSE(editor.StartDisk());

    EXPECT_EQ(platform.sleeper.pauses, std::vector<std::uint32_t>(30, 1000));
    EXPECT_EQ(platform.device.log, std::vector<std::string>(30, "open command"));
    EXPECT_EQ(CommandLines(), (std::vector<std::string>{kInstall, kEnable, kUninstall}));
    ExpectOneMessage("Error initializing Quorvel driver.\r\nThe driver did not start.",
                     "Quorvel Driver Enable", 48);
    EXPECT_EQ(CurrentButtons(), kStopped);
}

INSTANTIATE_TEST_SUITE_P(UninstallOutcome, DeviceNeverAppears,
                         ::testing::Values(NoDeviceCase{"Succeeds", {0, 0, 0}, true},
                                           NoDeviceCase{"Fails", {0, 0, 7}, true},
                                           NoDeviceCase{"CannotStart", {0, 0}, false}),
                         [](const auto& info) { return std::string(info.param.name); });

struct StartFailureCase {
    const char* name;
    bool boot;
    std::deque<std::uint32_t> exitCodes;
    std::size_t runs;
    const char* text;
};
std::ostream& operator<<(std::ostream& out, const StartFailureCase& c) { return out << c.name; }

class StartFailure : public DriverOperations,
                     public ::testing::WithParamInterface<StartFailureCase> {};

TEST_P(StartFailure, ShowsItsMessageAndEndsBeforeTheProbe) {
    const StartFailureCase c = GetParam();
    SetBoot(c.boot);
    platform.device.loaded = true;
    platform.installer.exitCodes = c.exitCodes;

    EXPECT_FALSE(editor.StartDisk());

    EXPECT_EQ(platform.installer.runs.size(), c.runs);
    ExpectOneMessage(c.text, "Quorvel Driver Enable", 48);
    EXPECT_TRUE(platform.device.log.empty());
    EXPECT_TRUE(platform.sleeper.pauses.empty());
    EXPECT_EQ(CurrentButtons(), kStopped);
}

INSTANTIATE_TEST_SUITE_P(
    ExitCodes, StartFailure,
    ::testing::Values(
        StartFailureCase{"BootInstall", true, {1}, 1, "Error installing Quorvel driver."},
        StartFailureCase{"Install", false, {2}, 1, "Error installing Quorvel driver."},
        StartFailureCase{"InstallStillActiveCode", false, {259}, 1, "Error installing Quorvel driver."},
        StartFailureCase{"Enable", false, {0, 5}, 2, "Error starting Quorvel driver."},
        StartFailureCase{"EnableNegative", false, {0, 0xFFFFFFFFu}, 2, "Error starting Quorvel driver."}),
    [](const auto& info) { return std::string(info.param.name); });

// --- An installer that cannot be started ----------------------------------------

TEST_F(DriverOperations, InstallerThatCannotStartIsNamedUnderTheOperationsCaption) {
    const std::string text = "Cannot run the Quorvel installer " + kInstaller + ".";
    for (bool boot : {true, false}) {
        SCOPED_TRACE(boot ? "start with boot" : "start without boot");
        FakePlatform fresh;
        fresh.installer.canStart = false;
        fresh.device.loaded = true;
        Editor start(fresh.Services());
        start.InstallDir = kDir;
        start.startAtBootCheck.SetValue(boot ? CheckBox::Ticked : CheckBox::Cleared);
        start.SettingsChanged = false;
        EXPECT_FALSE(start.StartDisk());
        EXPECT_EQ(fresh.installer.runs.size(), 1u);
        ASSERT_EQ(fresh.ui.messages.size(), 1u);
        EXPECT_EQ(fresh.ui.messages[0].text, text);
        EXPECT_EQ(fresh.ui.messages[0].caption, "Quorvel Driver Enable");
        EXPECT_EQ(fresh.ui.messages[0].flags, 48u);
        EXPECT_TRUE(start.MetFailure());
        EXPECT_TRUE(fresh.sleeper.pauses.empty());
    }

    SetButtons(kRunning);
    platform.installer.canStart = false;
    platform.device.loaded = true;
    editor.StopDisk();
    ExpectOneMessage(text, "Quorvel Driver Disable", 48);
    EXPECT_TRUE(platform.device.log.empty());
    EXPECT_EQ(CurrentButtons(), kRunning);
}

// --- StopDisk ---------------------------------------------------------------------

struct StopCase {
    const char* name;
    std::uint32_t exitCode;
    bool loaded;
    bool statusCallSucceeds;
    std::int32_t status;
    const char* message;  // nullptr: none
    Buttons after;
    std::vector<std::string> deviceLog;
};
std::ostream& operator<<(std::ostream& out, const StopCase& c) { return out << c.name; }

class StopDisk : public DriverOperations, public ::testing::WithParamInterface<StopCase> {};

TEST_P(StopDisk, UninstallsThenAsksTheDriver) {
    const StopCase c = GetParam();
    SetButtons(kRunning);
    platform.installer.exitCodes = {c.exitCode};
    platform.device.loaded = c.loaded;
    platform.device.statusCallSucceeds = c.statusCallSucceeds;
    platform.device.status = c.status;

    editor.StopDisk();

    EXPECT_EQ(CommandLines(), (std::vector<std::string>{kUninstall}));
    if (c.message) {
        ExpectOneMessage(c.message, "Quorvel Driver Disable", 48);
    } else {
        EXPECT_TRUE(platform.ui.messages.empty());
        EXPECT_FALSE(editor.MetFailure());
    }
    EXPECT_EQ(CurrentButtons(), c.after);
    EXPECT_EQ(platform.device.log, c.deviceLog);
    EXPECT_TRUE(platform.sleeper.pauses.empty());
}

const std::vector<std::string> kStatusAsked{"open status", "ioctl 19", "close"};

INSTANTIATE_TEST_SUITE_P(
    Outcomes, StopDisk,
    ::testing::Values(
        StopCase{"UninstallFails", 3, true, true, 1, "Error disabling Quorvel driver.", kRunning, {}},
        StopCase{"DeviceGone", 0, false, true, 1, nullptr, kStopped, {"open status"}},
        StopCase{"StillRunning", 0, true, true, 1,
                 "Error disabling Quorvel driver - driver still loaded!", kRunning, kStatusAsked},
        StopCase{"StatusZero", 0, true, true, 0, nullptr, kStopped, kStatusAsked},
        StopCase{"StatusNegative", 0, true, true, -5, nullptr, kStopped, kStatusAsked},
        StopCase{"StatusCallFails", 0, true, false, 1, nullptr, kStopped, kStatusAsked}),
    [](const auto& info) { return std::string(info.param.name); });

// --- SaveImageNow -----------------------------------------------------------------

struct SaveCase {
    const char* name;
    bool loaded;
    bool saveSucceeds;
    const char* text;
    const char* caption;
    std::uint32_t flags;
    std::vector<std::string> deviceLog;
};
std::ostream& operator<<(std::ostream& out, const SaveCase& c) { return out << c.name; }

class SaveImageNow : public DriverOperations, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(SaveImageNow, ReportsItsOutcomeAndLeavesTheButtons) {
    const SaveCase c = GetParam();
    for (Buttons before : {kRunning, kStopped}) {
        SCOPED_TRACE(::testing::PrintToString(before));
        platform.ui.messages.clear();
        platform.device.log.clear();
        platform.device.loaded = c.loaded;
        platform.device.saveSucceeds = c.saveSucceeds;
        SetButtons(before);

        editor.SaveImageNow();

        ExpectOneMessage(c.text, c.caption, c.flags);
        EXPECT_EQ(platform.device.log, c.deviceLog);
        EXPECT_EQ(CurrentButtons(), before);
    }
    EXPECT_TRUE(platform.installer.runs.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, SaveImageNow,
    ::testing::Values(
        SaveCase{"NoDevice", false, true, "Cannot open the Quorvel device.", "Open Quorvel Driver", 48,
                 {"open command"}},
        SaveCase{"RequestFails", true, false, "The IOCTL call to save the disk image failed.",
                 "Quorvel IOCTL Failed", 48, {"open command", "ioctl 16", "close"}},
        SaveCase{"Saved", true, true, "Disk image saved.", "Quorvel Disk Image Saved", 64,
                 {"open command", "ioctl 16", "close"}}),
    [](const auto& info) { return std::string(info.param.name); });

// --- The buttons --------------------------------------------------------------------

TEST_F(DriverOperations, DisableShowsTheBusyPointerAroundTheWholeOperation) {
    SetButtons(kRunning);
    platform.installer.onRun = [this](const ProcessCommand&) { platform.ui.log.push_back("run"); };
    editor.disableButton.Click();
    EXPECT_EQ(platform.ui.log, (std::vector<std::string>{"busy", "run", "clear"}));
    EXPECT_EQ(CurrentButtons(), kStopped);
}

TEST_F(DriverOperations, DisableRestoresThePointerAfterAFailure) {
    platform.installer.exitCodes = {1};
    editor.disableButton.Click();
    EXPECT_EQ(platform.ui.log, (std::vector<std::string>{"busy", "clear"}));
}

TEST_F(DriverOperations, EnableAndSaveRunTheirOperationsAndLeaveThePointer) {
    platform.device.loaded = true;
    editor.enableButton.Click();
    EXPECT_EQ(platform.installer.runs.size(), 2u);
    EXPECT_EQ(CurrentButtons(), kRunning);
    editor.saveDiskImageButton.Click();
    EXPECT_EQ(platform.device.log.back(), "close");
    ASSERT_EQ(platform.ui.messages.size(), 1u);
    EXPECT_EQ(platform.ui.messages[0].text, "Disk image saved.");
    EXPECT_TRUE(platform.ui.log.empty());
}

}  // namespace
}  // namespace qv
