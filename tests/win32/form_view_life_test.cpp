// FormView's life under Wine: each window's own view, either the form or the view going first, the first show, and a window that cannot be made.
#include "tests/win32/form_view_fixture.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "platform/win32/registry_settings_store.h"
#include "platform/win32/win32_driver_device.h"
#include "platform/win32/win32_installer_runner.h"
#include "platform/win32/win32_sleeper.h"
#include "platform/win32/win32_user_interface.h"
#include "qvconfig/notices/notices.h"
#include "qvconfig/startup/startup.h"
#include "qvconfig/window/editor.h"

namespace qv {
namespace {

// ---- Life: per window, in either order, and when a window cannot be made ----

TEST(FormViewHostShow, OnlyTheProgramsFirstWindowToShowGetsTheStartingShowCommand) {
    Win32UserInterface ui;
    FormViewHost host(ui, SW_SHOWMINNOACTIVE);
    LoggingForm neverShown, first, second;
    FormView neverShownView(neverShown, host), firstView(first, host), secondView(second, host);
    first.Show();
    second.Show();
    EXPECT_TRUE(IsIconic(firstView.Window()));
    EXPECT_FALSE(IsIconic(secondView.Window()));
    EXPECT_TRUE(IsWindowVisible(secondView.Window()));
}

TEST(FormViewLife, EachWindowFindsItsOwnViewAndEitherMayGoFirst) {
    Win32UserInterface ui;
    FormViewHost host(ui);
    for (const bool formGoesFirst : {true, false}) {
        SCOPED_TRACE(formGoesFirst ? "form first" : "view first");
        auto form = std::make_unique<LoggingForm>();
        auto view = std::make_unique<FormView>(*form, host);
        LoggingForm other;
        FormView otherView(other, host);
        HWND window = view->Window();
        HWND button = view->ControlWindow(form->button);
        SendMessageA(button, BM_CLICK, 0, 0);
        EXPECT_EQ(form->log, std::vector<std::string>{"button click"});
        EXPECT_TRUE(other.log.empty());
        if (formGoesFirst) {
            form.reset();
            EXPECT_EQ(view->ObservedForm(), nullptr);
            SendMessageA(button, BM_CLICK, 0, 0);  // nothing to tell
            SendMessageA(window, WM_CLOSE, 0, 0);  // no form to unload: the window just closes
            EXPECT_FALSE(IsWindow(window));
            view.reset();
        } else {
            view.reset();
            EXPECT_FALSE(IsWindow(window));
            form->text.SetText("heard by nobody");
            form->Show();
        }
    }
}

// Records the boxes it is asked to show instead of showing them.
class RecordingUserInterface : public Win32UserInterface {
public:
    using Box = std::tuple<std::string, std::string, std::uint32_t, MessageOwner>;
    std::vector<Box> boxes;
    MessageAnswer ShowMessage(const std::string& text, const std::string& caption, std::uint32_t flags,
                              MessageOwner owner) override {
        boxes.emplace_back(text, caption, flags, owner);
        return MessageAnswer::Ok;
    }
};

LRESULT CALLBACK RefusingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return message == WM_NCCREATE ? FALSE : DefWindowProcA(window, message, wParam, lParam);
}

// A class whose windows refuse to be made.
const char* RefusingClass() {
    static const char* const name = [] {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = RefusingProcedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "QuorvelRefusing";
        RegisterClassExA(&windowClass);
        return windowClass.lpszClassName;
    }();
    return name;
}

TEST(FormViewCreation, AWindowThatCannotBeMadeIsReportedAndEndsTheStartUp) {
    const std::string unusable[] = {std::string(300, 'Q'),  // longer than any class name can be
                                    RefusingClass()};
    for (const std::string& windowClass : unusable) {
        SCOPED_TRACE(windowClass);
        RecordingUserInterface ui;
        FormViewHost host(ui, SW_SHOWNORMAL, windowClass);
        RegistrySettingsStore store;
        Win32DriverDevice device;
        Win32InstallerRunner installer;
        Win32Sleeper sleeper;
        Application application(Services{store, device, installer, ui, sleeper}, host);
        EXPECT_THROW(application.Startup(""), WindowCreationFailed);
        EXPECT_FALSE(application.HasOpenWindows());  // the message loop does not wait
        EXPECT_EQ(ui.boxes, (std::vector<RecordingUserInterface::Box>{
                                {"Unable to create the Quorvel configuration window.", "Quorvel", MB_OK | MB_ICONSTOP,
                                 MessageOwner::Desktop}}));
        EXPECT_FALSE(application.GetEditor().IsLoaded());  // nothing after the failure ran
    }
}

}  // namespace
}  // namespace qv
