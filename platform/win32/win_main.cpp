// WinMain of qvconfig.exe: the Win32 services, a view for every window, start-up and the message loop.
#include <windows.h>
#include <commctrl.h>

#include "platform/win32/form_view.h"
#include "platform/win32/late_calls.h"
#include "platform/win32/registry_settings_store.h"
#include "platform/win32/win32_driver_device.h"
#include "platform/win32/win32_installer_runner.h"
#include "platform/win32/win32_sleeper.h"
#include "platform/win32/win32_user_interface.h"
#include "qvconfig/startup/startup.h"

namespace {

// Handles the program's window events until its last window is closed. A window that
// closes wakes the loop (FormView posts a null message), so the test below runs then.
void RunMessageLoop(const qv::Application& application) {
    MSG message;
    while (application.HasOpenWindows() && GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (qv::FormView::TranslateKeyboard(message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

class Win32ProcessSetup : public qv::ProcessSetup {
public:
    void LimitLibrarySearch() override { qv::LimitLibrarySearch(); }
    void StartCommonControls() override { InitCommonControls(); }
};

// The services, the views and the application, made once the process is set up.
int RunApplication(int showCommand) {
    const std::string argumentText = qv::ArgumentText(GetCommandLineA());

    qv::RegistrySettingsStore store;
    qv::Win32DriverDevice device;
    qv::Win32InstallerRunner installer;
    qv::Win32UserInterface ui;
    qv::Win32Sleeper sleeper;
    qv::FormViewHost host(ui, showCommand);
    qv::Application application(qv::Services{store, device, installer, ui, sleeper}, host);

    qv::ExitStatus status = qv::ExitStatus::Done;
    try {
        status = application.Startup(argumentText);
    } catch (const qv::WindowCreationFailed&) {
        // The host has reported it; nothing is on the screen to wait for.
        return static_cast<int>(qv::ExitStatus::Failed);
    }
    RunMessageLoop(application);
    return static_cast<int>(status);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
    Win32ProcessSetup process;
    return qv::RunProgram(process, [showCommand] { return RunApplication(showCommand); });
}
