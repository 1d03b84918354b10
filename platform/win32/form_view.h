// FormView: the passive Win32 view of a Form (the configuration window and the notices alike), and its host.
#pragma once

#include <windows.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/win32_user_interface.h"
#include "qvconfig/window/form.h"
#include "qvconfig/window/window_host.h"

namespace qv {

class FormViewHost;

// A form's window, or one of its controls' windows, could not be made.
class WindowCreationFailed : public std::runtime_error {
public:
    WindowCreationFailed() : std::runtime_error("window creation failed") {}
};

// Contract:
// - The constructor registers the host's window class if needed, builds the top-level
//   window (hidden) and one child window per row of the form's table, in table order,
//   with control ID FirstControlId + row index, and becomes the form's observer. The
//   window exists before the form loads, so that every write of the load step is
//   mirrored. When the class cannot be registered or a window cannot be created, it
//   throws WindowCreationFailed and leaves no window and no observer behind.
// - Each window keeps its view in its user data (set at WM_NCCREATE); nothing else
//   finds a view.
// - Model -> window: every change the form reports is written into its child at once.
//   The view's own writes never come back as user input.
// - Window -> model: typing, clicks, drop-down picks, scroll-bar actions and focus
//   changes become the model's user-action calls. A child that receives the focus
//   moves the model's focus first, so a lost-focus rule runs before the click that
//   took the focus away.
// - The title bar's close command unloads the form (nothing asked, nothing saved);
//   unloading the form destroys the window.
// - The form and the view may die in either order: a view whose form is gone leaves
//   its window to the defaults, and a view that dies first takes itself off the form
//   before it destroys its window.
class FormView : public FormObserver {
public:
    static constexpr int FirstControlId = 1000;

    // The host supplies the window class, the show command and the busy pointer; it
    // outlives the view.
    FormView(Form& form, FormViewHost& host);
    ~FormView() override;

    HWND Window() const { return window_; }
    // The child window of a table row; nullptr when the window is gone.
    HWND ControlWindow(const Control& control) const;

    // The keyboard rules of every view, applied before a message is translated and
    // dispatched: Tab and Shift+Tab move the focus along the form's focus order; Enter
    // presses a focused push button and nothing else; Esc does nothing. Returns true
    // when the message was used up.
    static bool TranslateKeyboard(const MSG& message);

    void OnControlChanged(Control& control, ControlProperty property) override;
    void OnShown() override;
    void OnUnloaded() override;

private:
    struct Child {
        HWND window = nullptr;
        HFONT font = nullptr;  // not owned: one of fonts_
    };

    // While the view writes into its own children, their notifications are its own echo.
    class WriteGuard {
    public:
        explicit WriteGuard(FormView& view) : view_(view), saved_(view.writing_) { view_.writing_ = true; }
        ~WriteGuard() { view_.writing_ = saved_; }
        WriteGuard(const WriteGuard&) = delete;
        WriteGuard& operator=(const WriteGuard&) = delete;

    private:
        FormView& view_;
        bool saved_;
    };

    // Messages (form_view.cpp).
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ChildProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static FormView* FromWindow(HWND window);
    static FormView* FromAnyWindow(HWND window);
    static std::string WindowText(HWND window);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleChild(HWND child, WNDPROC original, UINT message, WPARAM wParam, LPARAM lParam);
    void OnDestroyed();
    void Release();

    // Building the windows from the table (form_view_create.cpp).
    void Create();
    void CreateTopLevel();
    void CreateChildren();
    void CreateChild(std::size_t row);
    void ApplyFont(std::size_t row);
    void FitComboHeight(std::size_t row);
    void FitLabelToText(std::size_t row);
    void CreateToolTips();
    RECT PixelBox(const ControlRow& layout) const;
    int ToPixelsX(int twips) const;
    int ToPixelsY(int twips) const;

    // Model -> window (form_view_mirror.cpp).
    void MirrorAll();
    void MirrorText(std::size_t row);
    void MirrorValue(std::size_t row);
    void MirrorListIndex(std::size_t row);
    void MirrorItems(std::size_t row);
    void Repaint(std::size_t row);
    void MirrorFocus();
    LRESULT OnColour(HDC dc, HWND child, UINT message, WPARAM wParam, LPARAM lParam);
    void PaintFrame(HWND frame);

    // Window -> model (form_view_input.cpp).
    void OnCommand(int id, int code, HWND child);
    void OnScroll(int code, int position, HWND bar);
    void OnChildFocused(HWND child);
    void TakeFocus(std::size_t row);
    bool HandleKey(const MSG& message);
    void MoveFocusByTab(std::size_t row, bool listOpen);

    // Row indexes; children_.size() when not one of ours.
    std::size_t RowOf(HWND child) const;
    std::size_t RowOfControl(const Control& control) const;
    Control& ControlAt(std::size_t row) const;

    FormViewHost& host_;
    HWND window_ = nullptr;
    HWND toolTips_ = nullptr;
    int dpiX_ = 96;
    int dpiY_ = 96;
    bool writing_ = false;          // the view is writing into its own children
    std::size_t userEditRow_;       // the combo box whose text the user is editing
    std::vector<Child> children_;
    std::vector<HFONT> fonts_;      // one per distinct font, owned
    HBRUSH faceBrush_ = nullptr;    // not owned (system brush)
};

// What the program's views share, and the maker of a view for every form that the
// application creates.
// - The window class: registered by the first view that needs it.
// - The show command: WinMain's, for the first window of the program that shows
//   (a program hands it to its first ShowWindow, whichever window that is); later
//   windows show plainly.
// - The busy pointer: the user-interface service holds it, for every window.
// - A form whose window cannot be made is reported in a message box (stop icon,
//   owned by the desktop), and Attach throws WindowCreationFailed, which ends the
//   start-up: the program then ends with a non-zero status.
class FormViewHost : public WindowHost {
public:
    // packaging/quorvel.nsi reads this line: its setups find a running program by the class.
    static constexpr const char* FormClass = "QuorvelForm";

    explicit FormViewHost(Win32UserInterface& ui, int showCommand = SW_SHOWNORMAL, std::string windowClass = FormClass)
        : ui_(ui), showCommand_(showCommand), windowClass_(std::move(windowClass)) {}
    void Attach(Form& form) override;

    const std::string& WindowClass() const { return windowClass_; }
    // The show command for a window about to show; each call counts as a show.
    int NextShowCommand();
    // The pointer has moved over one of the views' windows: see Win32UserInterface.
    bool ShowBusyPointer() const { return ui_.ShowBusyPointer(); }

private:
    Win32UserInterface& ui_;
    int showCommand_;
    bool shownOne_ = false;
    std::string windowClass_;
    std::vector<std::unique_ptr<FormView>> views_;
};

}  // namespace qv
