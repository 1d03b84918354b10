// Start-up reads the argument text, picks the mode by exact whole-word match, and opens or runs what it names.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "qvconfig/notices/notices.h"
#include "qvconfig/startup/startup.h"
#include "qvconfig/window/editor.h"
#include "tests/fakes/fake_services.h"

namespace qv {
namespace {

TEST(ArgumentText, IsWhatFollowsTheProgramNameAndItsBlanksUntrimmed) {
    const struct {
        const char* commandLine;
        const char* argumentText;
    } cases[] = {
        {"qvconfig start", "start"},
        {"qvconfig", ""},
        {"qvconfig   ", ""},
        {"qvconfig \t start", "start"},
        {"qvconfig\tstop", "stop"},
        {"qvconfig start ", "start "},
        {"qvconfig start save", "start save"},
        {"qvconfig \"start\"", "\"start\""},
        {"\"C:\\Program Files\\Quorvel\\qvconfig.exe\" save", "save"},
        {"\"C:\\Program Files\\Quorvel\\qvconfig.exe\"", ""},
        {"\"C:\\a b\\qvconfig.exe\"  badload  ", "badload  "},
        {"\"C:\\a b\\qvconfig.exe\"start", "start"},
        {"C:\\Quorvel\\qvconfig.exe START", "START"},
        {"\"unterminated start", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ArgumentText(c.commandLine), c.argumentText) << "[" << c.commandLine << "]";
    }
}

TEST(ChooseMode, ComparesTheWholeTextCaseSensitively) {
    const struct {
        const char* text;
        StartupMode mode;
    } cases[] = {
        {"splash", StartupMode::Splash},
        {"badload", StartupMode::BadLoad},
        {"install", StartupMode::Install},
        {"nodriveletter", StartupMode::NoDriveLetter},
        {"start", StartupMode::Start},
        {"stop", StartupMode::Stop},
        {"save", StartupMode::Save},
        {"", StartupMode::Empty},
        {"START", StartupMode::Usage},
        {"Start", StartupMode::Usage},
        {"start ", StartupMode::Usage},
        {" start", StartupMode::Usage},
        {"start save", StartupMode::Usage},
        {"\"start\"", StartupMode::Usage},
        {"sta", StartupMode::Usage},
        {"starts", StartupMode::Usage},
        {"nomem", StartupMode::Usage},
        {" ", StartupMode::Usage},
        {"/?", StartupMode::Usage},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ChooseMode(c.text), c.mode) << "[" << c.text << "]";
    }
}

// Records each window it is given a view of, and whether that came before the load step.
class RecordingHost : public WindowHost {
public:
    struct Attached {
        Form* form;
        std::string caption;
        bool loadedWhenAttached;
    };
    std::vector<Attached> attached;

    void Attach(Form& form) override {
        attached.push_back(Attached{&form, form.Layout().caption, form.IsLoaded()});
    }
};

// One run of the program: its platform, its window host and its application.
struct Session {
    FakePlatform platform;
    RecordingHost host;
    Application app{platform.Services(), host};

    bool UsageShown() const {
        for (const ShownMessage& message : platform.ui.messages) {
            if (message.caption == "Invalid Command Line Parameters") return true;
        }
        return false;
    }
};

TEST(Startup, AnyOtherTextShowsTheUsageBoxOwnedByTheDesktopAndOpensNothing) {
    for (const char* text : {"START", "Start", "start ", "start save", "\"start\"", "nomem"}) {
        SCOPED_TRACE(text);
        Session s;
        s.app.Startup(text);
        ASSERT_EQ(s.platform.ui.messages.size(), 1u);
        const ShownMessage& usage = s.platform.ui.messages[0];
        EXPECT_EQ(usage.text, "Usage: qvconfig [stop] [start] [save]");
        EXPECT_EQ(usage.caption, "Invalid Command Line Parameters");
        EXPECT_EQ(usage.flags, 0x10u);
        EXPECT_EQ(usage.owner, MessageOwner::Desktop);
        EXPECT_TRUE(s.host.attached.empty());
        EXPECT_FALSE(s.app.HasOpenWindows());
        EXPECT_TRUE(s.platform.installer.runs.empty());
        EXPECT_TRUE(s.platform.device.log.empty());
    }
}

TEST(Startup, SplashEndsWithNothingShownOrTouched) {
    Session s;
    s.app.Startup("splash");
    EXPECT_TRUE(s.host.attached.empty());
    EXPECT_TRUE(s.platform.ui.messages.empty());
    EXPECT_TRUE(s.platform.store.log.empty());
    EXPECT_TRUE(s.platform.device.log.empty());
    EXPECT_FALSE(s.app.HasOpenWindows());
}

TEST(Startup, InstallAndTheEmptyTextOpenTheConfigurationWindow) {
    for (const char* text : {"install", ""}) {
        SCOPED_TRACE(text);
        Session s;
        s.app.Startup(text);
        ASSERT_EQ(s.host.attached.size(), 1u);
        EXPECT_EQ(s.host.attached[0].caption, "Quorvel Configuration Utility");
        EXPECT_FALSE(s.host.attached[0].loadedWhenAttached);
        Editor& editor = s.app.GetEditor();
        EXPECT_EQ(s.host.attached[0].form, &editor);
        EXPECT_TRUE(editor.IsLoaded());
        EXPECT_TRUE(editor.IsShown());
        EXPECT_EQ(editor.Focused(), &editor.okButton);
        EXPECT_TRUE(s.app.HasOpenWindows());
        EXPECT_FALSE(s.UsageShown());
    }
}

TEST(Startup, TheProgramEndsWhenTheConfigurationWindowIsCancelled) {
    Session s;
    s.app.Startup("");
    Editor& editor = s.app.GetEditor();
    editor.ClickButton(editor.cancelButton);
    EXPECT_FALSE(s.app.HasOpenWindows());
}

TEST(Startup, BadLoadAndNoDriveLetterOpenTheirNoticeUntilOk) {
    const struct {
        const char* word;
        const char* caption;
    } cases[] = {
        {"badload", "Quorvel Image Load Error"},
        {"nodriveletter", "Quorvel Drive Letter Allocation Error"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.word);
        Session s;
        s.app.Startup(c.word);
        ASSERT_EQ(s.host.attached.size(), 1u);
        EXPECT_EQ(s.host.attached[0].caption, c.caption);
        EXPECT_FALSE(s.host.attached[0].loadedWhenAttached);
        auto& notice = static_cast<Notice&>(*s.host.attached[0].form);
        EXPECT_TRUE(notice.IsShown());
        EXPECT_EQ(notice.Focused(), &notice.okButton);
        EXPECT_TRUE(s.app.HasOpenWindows());
        // A notice needs neither the settings nor the driver.
        EXPECT_TRUE(s.platform.store.log.empty());
        EXPECT_TRUE(s.platform.device.log.empty());
        EXPECT_TRUE(s.platform.ui.messages.empty());

        notice.ClickButton(notice.okButton);
        EXPECT_FALSE(s.app.HasOpenWindows());
    }
}

TEST(Startup, DriverWordsLoadTheConfigurationWindowNeverShowItAndCloseIt) {
    for (const char* word : {"start", "stop", "save"}) {
        SCOPED_TRACE(word);
        Session s;
        s.app.Startup(word);
        ASSERT_EQ(s.host.attached.size(), 1u);
        EXPECT_EQ(s.host.attached[0].caption, "Quorvel Configuration Utility");
        EXPECT_FALSE(s.host.attached[0].loadedWhenAttached);
        Editor& editor = s.app.GetEditor();
        EXPECT_EQ(s.host.attached[0].form, &editor);
        EXPECT_TRUE(editor.IsLoaded());
        EXPECT_FALSE(editor.IsShown());
        EXPECT_TRUE(editor.IsUnloaded());
        EXPECT_FALSE(s.app.HasOpenWindows());
        EXPECT_FALSE(s.UsageShown());
    }
}

// What the configuration window looks like while an operation's installer runs.
struct WindowDuringRun {
    bool loaded;
    bool shown;
    bool unloaded;
};

bool Asked(const Session& s, const std::string& text) {
    for (const ShownMessage& message : s.platform.ui.messages) {
        if (message.text == text) return true;
    }
    return false;
}

TEST(Startup, StartRunsTheInstallerOnTheHiddenLoadedWindowWithoutAskingToSave) {
    Session s;
    std::vector<WindowDuringRun> seen;
    s.platform.installer.onRun = [&](const ProcessCommand&) {
        Editor& editor = s.app.GetEditor();
        seen.push_back(WindowDuringRun{editor.IsLoaded(), editor.IsShown(), editor.IsUnloaded()});
    };
    s.app.Startup("start");
    ASSERT_FALSE(seen.empty());
    for (const WindowDuringRun& window : seen) {
        EXPECT_TRUE(window.loaded);
        EXPECT_FALSE(window.shown);
        EXPECT_FALSE(window.unloaded);
    }
    EXPECT_FALSE(Asked(s, "Save current settings before starting driver?"));
    EXPECT_FALSE(s.UsageShown());
    EXPECT_FALSE(s.app.HasOpenWindows());
}

TEST(Startup, StopRunsTheInstallersUnloadStep) {
    Session s;
    s.app.Startup("stop");
    ASSERT_EQ(s.platform.installer.runs.size(), 1u);
    EXPECT_NE(s.platform.installer.runs[0].commandLine.find(" -u"), std::string::npos)
        << s.platform.installer.runs[0].commandLine;
    EXPECT_FALSE(s.app.HasOpenWindows());
}

TEST(Startup, SaveWithoutTheDriverReportsTheMissingDeviceAndNoUsage) {
    Session s;
    s.app.Startup("save");
    EXPECT_TRUE(Asked(s, "Cannot open the Quorvel device."));
    EXPECT_FALSE(s.UsageShown());
    EXPECT_TRUE(s.platform.installer.runs.empty());
    EXPECT_FALSE(s.app.HasOpenWindows());
}

// The exit status: 0 for a window, a notice and splash, and for a driver word whose
// run did what was asked; 1 for one whose run showed an error box; 2 for no word.
struct StatusCase {
    const char* name;
    const char* text;
    std::function<void(FakePlatform&)> world;
    ExitStatus status;
};
std::ostream& operator<<(std::ostream& out, const StatusCase& c) { return out << c.name; }

class StartupStatus : public ::testing::TestWithParam<StatusCase> {};

TEST_P(StartupStatus, TellsWhetherTheRunMetAFailure) {
    const StatusCase& c = GetParam();
    Session s;
    if (c.world) c.world(s.platform);
    EXPECT_EQ(s.app.Startup(c.text), c.status);
    bool errorShown = false;
    for (const ShownMessage& message : s.platform.ui.messages) errorShown |= message.flags == 48u;
    if (c.status == ExitStatus::Failed) {
        EXPECT_TRUE(errorShown) << "a failure always has its box";
    }
}

void DriverAppearsWhenStarted(FakePlatform& p) {
    p.installer.onRun = [&p](const ProcessCommand& run) {
        if (run.commandLine.find(" -e") != std::string::npos) p.device.loaded = true;
    };
}
void DriverRunning(FakePlatform& p) { p.device.loaded = true; }
void DriverUnloadedByUninstall(FakePlatform& p) {
    p.device.loaded = true;
    p.installer.onRun = [&p](const ProcessCommand& run) {
        if (run.commandLine.find(" -u") != std::string::npos) p.device.loaded = false;
    };
}

INSTANTIATE_TEST_SUITE_P(
    Runs, StartupStatus,
    ::testing::Values(
        StatusCase{"Splash", "splash", nullptr, ExitStatus::Done},
        StatusCase{"BadLoad", "badload", nullptr, ExitStatus::Done},
        StatusCase{"NoDriveLetter", "nodriveletter", nullptr, ExitStatus::Done},
        StatusCase{"Install", "install", nullptr, ExitStatus::Done},
        StatusCase{"Window", "", nullptr, ExitStatus::Done},
        StatusCase{"WindowWithoutKey", "", [](FakePlatform& p) { p.store.keyExists = false; },
                   ExitStatus::Done},
        StatusCase{"Usage", "Start", nullptr, ExitStatus::UsageError},
        StatusCase{"UsageTwoWords", "start save", nullptr, ExitStatus::UsageError},
        StatusCase{"StartDone", "start", DriverAppearsWhenStarted, ExitStatus::Done},
        StatusCase{"StartInstallFails", "start", [](FakePlatform& p) { p.installer.exitCodes = {3}; },
                   ExitStatus::Failed},
        StatusCase{"StartEnableFails", "start", [](FakePlatform& p) { p.installer.exitCodes = {0, 5}; },
                   ExitStatus::Failed},
        StatusCase{"StartInstallerMissing", "start", [](FakePlatform& p) { p.installer.canStart = false; },
                   ExitStatus::Failed},
        StatusCase{"StartDeviceNeverAppears", "start", nullptr, ExitStatus::Failed},
        StatusCase{"StartWithoutKey", "start",
                   [](FakePlatform& p) {
                       p.store.keyExists = false;
                       DriverAppearsWhenStarted(p);
                   },
                   ExitStatus::Failed},
        StatusCase{"StopDone", "stop", DriverUnloadedByUninstall, ExitStatus::Done},
        StatusCase{"StopDriverStaysLoaded", "stop", DriverRunning, ExitStatus::Failed},
        StatusCase{"StopDriverGone", "stop", nullptr, ExitStatus::Done},
        StatusCase{"StopStatusZero", "stop",
                   [](FakePlatform& p) {
                       p.device.loaded = true;
                       p.device.status = 0;
                   },
                   ExitStatus::Done},
        StatusCase{"StopUninstallFails", "stop", [](FakePlatform& p) { p.installer.exitCodes = {6}; },
                   ExitStatus::Failed},
        StatusCase{"StopInstallerMissing", "stop", [](FakePlatform& p) { p.installer.canStart = false; },
                   ExitStatus::Failed},
        StatusCase{"SaveDone", "save", DriverRunning, ExitStatus::Done},
        StatusCase{"SaveWithoutDriver", "save", nullptr, ExitStatus::Failed},
        StatusCase{"SaveRequestFails", "save",
                   [](FakePlatform& p) {
                       p.device.loaded = true;
                       p.device.saveSucceeds = false;
                   },
                   ExitStatus::Failed}),
    [](const auto& info) { return std::string(info.param.name); });

void UnattendedSave(FakePlatform& p) { p.ui.visibleDesktop = false; DriverRunning(p); }
void UnattendedStopFails(FakePlatform& p) { p.ui.visibleDesktop = false; p.installer.exitCodes = {6}; }
void UnattendedWithoutKey(FakePlatform& p) { p.ui.visibleDesktop = false; p.store.keyExists = false; }

// Without a visible desktop, the windowless words show nothing: they log what they would
// have shown, each entry of the kind that its box's icon says, and end with the same
// status. On a visible desktop, the tests above hold.
struct MessageRouteCase {
    const char* word;
    void (*world)(FakePlatform&);
    std::vector<std::string> loggedLines;
    LogEntryKind kind;  // of every logged line
    ExitStatus status;
};

TEST(Startup, WithoutAVisibleDesktopTheWindowlessWordsLogWhatTheyWouldHaveShown) {
    const MessageRouteCase cases[] = {
        {"save", UnattendedSave, {"Quorvel Disk Image Saved: Disk image saved."}, LogEntryKind::Information,
         ExitStatus::Done},
        {"stop", UnattendedStopFails, {"Quorvel Driver Disable: Error disabling Quorvel driver."},
         LogEntryKind::Warning, ExitStatus::Failed},
        {"save", UnattendedWithoutKey,
         {"Registry Read Failed: Unable to open Quorvel registry key.",
          "Open Quorvel Driver: Cannot open the Quorvel device."},
         LogEntryKind::Warning, ExitStatus::Failed},
    };
    for (const MessageRouteCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << &c - cases);
        Session s;
        c.world(s.platform);
        EXPECT_EQ(s.app.Startup(c.word), c.status);
        EXPECT_TRUE(s.platform.ui.messages.empty());
        std::vector<std::string> logged;
        for (const LoggedMessage& entry : s.platform.ui.logged) {
            logged.push_back(entry.line);
            EXPECT_EQ(entry.kind, c.kind);
        }
        EXPECT_EQ(logged, c.loggedLines);
    }
}

// WinMain makes its services, its windows and its application inside `run`. (No end-to-end
// test: Wine loads the visual-styles library while the process starts, before WinMain, and
// nothing later that it takes by bare name from beside the program.)
TEST(RunProgram, LimitsTheLibrarySearchThenStartsTheCommonControlsThenRuns) {
    RecordingProcessSetup process;
    const int status = RunProgram(process, [&process] {
        process.log.push_back("run");
        return 2;
    });
    EXPECT_EQ(process.log, (std::vector<std::string>{"limit library search", "start common controls", "run"}));
    EXPECT_EQ(status, 2);
}

TEST(Startup, NoWordOpensTheMemoryNotice) {
    for (const char* text : {"splash", "badload", "install", "nodriveletter", "start", "stop",
                             "save", "", "nomem", "Nomem"}) {
        Session s;
        s.app.Startup(text);
        for (const auto& window : s.host.attached) {
            EXPECT_NE(window.caption, "Quorvel Memory Allocation Error") << "[" << text << "]";
        }
    }
}

}  // namespace
}  // namespace qv
