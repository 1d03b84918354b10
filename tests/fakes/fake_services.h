// Scriptable, recording fakes of the platform services, and a bundle that makes an Editor.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/process_setup.h"
#include "platform/services.h"
#include "tests/fakes/memory_settings_store.h"

namespace qv {

struct ShownMessage {
    std::string text;
    std::string caption;
    std::uint32_t flags;
    MessageOwner owner;
};

struct LoggedMessage {
    std::string line;
    LogEntryKind kind;
};

class FakeUserInterface : public UserInterface {
public:
    // Answers given to the message boxes in turn; Ok once they run out.
    std::deque<MessageAnswer> answers;
    std::vector<ShownMessage> messages;
    bool visibleDesktop = true;
    std::vector<LoggedMessage> logged;
    // "busy", "clear", "shell VERB FILE SHOW" in order.
    std::vector<std::string> log;

    MessageAnswer ShowMessage(const std::string& text, const std::string& caption,
                              std::uint32_t flags, MessageOwner owner) override;
    void SetBusyPointer() override { log.push_back("busy"); }
    void ClearBusyPointer() override { log.push_back("clear"); }
    bool HasVisibleDesktop() override { return visibleDesktop; }
    void LogMessage(const std::string& line, LogEntryKind kind) override { logged.push_back({line, kind}); }
    void OpenWithShell(const std::string& verb, const std::string& file, const std::string& parameters,
                      const std::string& directory, int showCommand) override;
};

// A driver that is loaded or not, with a status value and request outcomes to script.
class FakeDriverDevice : public DriverDevice {
public:
    bool loaded = false;
    // Attempts to open in the command form that fail before one succeeds (when loaded).
    int commandOpenFailures = 0;
    std::int32_t status = 1;
    bool statusCallSucceeds = true;
    bool saveSucceeds = true;
    // "open status", "open command", "ioctl 19", "ioctl 16", "close" in order.
    std::vector<std::string> log;
    int openHandles = 0;

    std::unique_ptr<DeviceHandle> Open(DeviceOpenForm form) override;
};

class FakeInstallerRunner : public InstallerRunner {
public:
    // Exit codes for the runs in turn; 0 once they run out.
    std::deque<std::uint32_t> exitCodes;
    bool canStart = true;
    std::vector<ProcessCommand> runs;
    // Called after each run, to change the world as an installer would.
    std::function<void(const ProcessCommand&)> onRun;

    InstallerResult Run(const ProcessCommand& command) override;
};

class FakeSleeper : public Sleeper {
public:
    std::vector<std::uint32_t> pauses;
    void Sleep(std::uint32_t milliseconds) override { pauses.push_back(milliseconds); }
};

// Records each start-up step in order.
struct RecordingProcessSetup : ProcessSetup {
    std::vector<std::string> log;
    void LimitLibrarySearch() override { log.push_back("limit library search"); }
    void StartCommonControls() override { log.push_back("start common controls"); }
};

// Owns one of each fake; Services() hands them to an Editor or an Application.
struct FakePlatform {
    MemorySettingsStore store;
    FakeDriverDevice device;
    FakeInstallerRunner installer;
    FakeUserInterface ui;
    FakeSleeper sleeper;

    qv::Services Services() { return qv::Services{store, device, installer, ui, sleeper}; }
};

}  // namespace qv
