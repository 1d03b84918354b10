// ConnectToDriver, StartDisk, StopDisk, SaveImageNow and the three driver buttons that run them.
#include <cstdint>
#include <string>

#include "qvconfig/driver/driver_interface.h"
#include "qvconfig/window/editor.h"

namespace qv {
namespace {

constexpr const char* StartCaption = "Quorvel Driver Start";
constexpr const char* EnableCaption = "Quorvel Driver Enable";
constexpr const char* DisableCaption = "Quorvel Driver Disable";

// After a start the device needs a moment to appear: it is tried once a second.
constexpr int ProbeAttempts = 30;
constexpr std::uint32_t ProbePauseMs = 1000;

// Runs one installer step with the window's install directory and tells the user when
// it went wrong: `failureText` for a non-zero exit code, the program's path when it
// could not be started at all. True when the step ran and ended with exit code 0.
bool RunInstallerStep(Editor& editor, InstallerRunner& installer, InstallerSwitch which,
                      const char* caption, const char* failureText) {
    const InstallerResult result = installer.Run(InstallerCommand(editor.InstallDir, which));
    if (!result.started) {
        editor.ShowFailure("Cannot run the Quorvel installer " + InstallerPath(editor.InstallDir) + ".",
                           caption);
        return false;
    }
    if (result.exitCode != 0) {
        editor.ShowFailure(failureText, caption);
        return false;
    }
    return true;
}

// The installer steps that install and start the driver: one run when it is to start
// at boot, otherwise an install followed by a start.
bool InstallAndEnable(Editor& editor, InstallerRunner& installer) {
    constexpr const char* installFailed = "Error installing Quorvel driver.";
    if (editor.startAtBootCheck.IsTicked()) {
        return RunInstallerStep(editor, installer, InstallerSwitch::InstallAndEnable, EnableCaption,
                                installFailed);
    }
    return RunInstallerStep(editor, installer, InstallerSwitch::Install, EnableCaption, installFailed) &&
           RunInstallerStep(editor, installer, InstallerSwitch::Enable, EnableCaption,
                            "Error starting Quorvel driver.");
}

// Waits for the device to open in the command form. The pause follows every attempt,
// the successful one included, so the driver has settled before it is used.
bool WaitForDevice(DriverDevice& device, Sleeper& sleeper) {
    for (int attempts = 0; attempts < ProbeAttempts;) {
        const std::unique_ptr<DeviceHandle> handle = device.Open(DeviceOpenForm::Command);
        ++attempts;
        sleeper.Sleep(ProbePauseMs);
        if (handle) return true;
    }
    return false;
}

// The status request: the driver runs only when the call succeeds with a value above 0.
bool ReportsRunning(DeviceHandle& handle) {
    std::int32_t status = 0;
    return handle.IoControl(StatusRequest.code, &status, StatusRequest.outputSize) && status > 0;
}

// The driver's state shows only in which of the three buttons are enabled.
void ShowDriverRunning(Editor& editor, bool running) {
    editor.enableButton.SetEnabled(!running);
    editor.disableButton.SetEnabled(running);
    editor.saveDiskImageButton.SetEnabled(running);
}

}  // namespace

// True when the driver was started and its device answered. A Cancel at the save
// question is the user's choice, not a failure: it returns false without an error box.
bool Editor::StartDisk() {
    if (SettingsChanged) {
        const MessageAnswer answer = services_.ui.ShowMessage(
            "Save current settings before starting driver?", StartCaption, mb::YesNoCancel,
            MessageOwner::Program);
        if (answer == MessageAnswer::Cancel) return false;
        if (answer == MessageAnswer::Yes) {
            SaveSettings();
            SettingsChanged = false;
        }
    }
    if (!InstallAndEnable(*this, services_.installer)) return false;
    if (!WaitForDevice(services_.device, services_.sleeper)) {
        // Undo the install. Its outcome changes nothing for the user, who learns that the
        // driver did not start; so neither its exit code nor a failure to run it is reported.
        services_.installer.Run(InstallerCommand(InstallDir, InstallerSwitch::Uninstall));
        ShowFailure("Error initializing Quorvel driver.\r\nThe driver did not start.", EnableCaption);
        return false;
    }
    ShowDriverRunning(*this, true);
    return true;
}

// Done when the installer's unload ran and the driver is then gone or not running;
// anything else is a failure with its error box.
void Editor::StopDisk() {
    if (!RunInstallerStep(*this, services_.installer, InstallerSwitch::Uninstall, DisableCaption,
                          "Error disabling Quorvel driver.")) {
        return;
    }
    const std::unique_ptr<DeviceHandle> handle = services_.device.Open(DeviceOpenForm::Status);
    if (handle && ReportsRunning(*handle)) {
        ShowFailure("Error disabling Quorvel driver - driver still loaded!", DisableCaption);
        return;
    }
    ShowDriverRunning(*this, false);
}

// Done when the driver said it saved the image; anything else is a failure with its box.
void Editor::SaveImageNow() {
    const std::unique_ptr<DeviceHandle> handle = services_.device.Open(DeviceOpenForm::Command);
    if (!handle) {
        ShowFailure("Cannot open the Quorvel device.", "Open Quorvel Driver");
        return;
    }
    std::int32_t unused = 0;
    if (!handle->IoControl(SaveImageRequest.code, &unused, SaveImageRequest.outputSize)) {
        ShowFailure("The IOCTL call to save the disk image failed.", "Quorvel IOCTL Failed");
        return;
    }
    services_.ui.ShowMessage("Disk image saved.", "Quorvel Disk Image Saved",
                             mb::Ok | mb::IconInformation, MessageOwner::Program);
}

// The three buttons stay disabled while the driver is asked, so none is ever
// offered on a guess; the device is closed when the handle goes out of scope.
void Editor::ConnectToDriver() {
    enableButton.SetEnabled(false);
    disableButton.SetEnabled(false);
    saveDiskImageButton.SetEnabled(false);
    const auto handle = services_.device.Open(DeviceOpenForm::Status);
    if (!handle) {
        enableButton.SetEnabled(true);
        return;
    }
    ShowDriverRunning(*this, ReportsRunning(*handle));
}

void Editor::OnEnableClicked() { StartDisk(); }

// Only Disable shows the busy pointer; Enable and Save Disk Image leave it alone.
void Editor::OnDisableClicked() {
    services_.ui.SetBusyPointer();
    StopDisk();
    services_.ui.ClearBusyPointer();
}

void Editor::OnSaveDiskImageClicked() { SaveImageNow(); }

}  // namespace qv
