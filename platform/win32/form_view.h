// FormView: the passive Win32 view of a Form (the configuration window and the notices alike).
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "qvconfig/startup/startup.h"
#include "qvconfig/window/form.h"

namespace qv {

// Contract:
// - The constructor builds the top-level window (hidden) and one child window per row
//   of the form's table, in table order, with control ID FirstControlId + row index;
//   it becomes the form's observer. The window exists before the form loads, so that
//   every write of the load step is mirrored.
// - Model -> window: every change the form reports is written into its child at once.
//   The view's own writes never come back as user input.
// - Window -> model: typing, clicks, drop-down picks, scroll-bar actions and focus
//   changes become the model's user-action calls. A child that receives the focus
//   moves the model's focus first, so a lost-focus rule runs before the click that
//   took the focus away.
// - The title bar's close command unloads the form (nothing asked, nothing saved);
//   unloading the form destroys the window.
// - The view never outlives its window's messages: destroying the view destroys the
//   window without touching the form, which may already be gone.
class FormView : public FormObserver {
public:
    static constexpr int FirstControlId = 1000;

    // `showCommand` is used the first time the window is shown (WinMain's nCmdShow).
    FormView(Form& form, int showCommand = SW_SHOWNORMAL);
    ~FormView() override;
    FormView(const FormView&) = delete;
    FormView& operator=(const FormView&) = delete;

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
    struct Child;
    class WriteGuard;

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ChildProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static FormView* FromWindow(HWND window);
    static std::vector<FormView*>& Views();

    // Building the window.
    void CreateTopLevel();
    void CreateChildren();
    void CreateChild(std::size_t row);
    void ApplyFont(std::size_t row);
    void FitComboHeight(std::size_t row);
    void FitLabelToText(std::size_t row);
    void CreateToolTips();
    RECT PixelBox(const ControlSpec& spec) const;
    int ToPixelsX(int twips) const;
    int ToPixelsY(int twips) const;

    // Model -> window.
    void MirrorAll();
    void MirrorText(std::size_t row);
    void MirrorValue(std::size_t row);
    void MirrorListIndex(std::size_t row);
    void MirrorItems(std::size_t row);
    void Repaint(std::size_t row);
    void MirrorFocus();

    // Window -> model.
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(int id, int code, HWND child);
    void OnScroll(int code, int position, HWND bar);
    void OnChildFocused(HWND child);
    void TakeFocus(std::size_t row);
    LRESULT OnColour(HDC dc, HWND child, UINT message, WPARAM wParam, LPARAM lParam);
    bool HandleKey(const MSG& message);
    void PaintFrame(HWND frame);

    // Row indexes; children_.size() when not one of ours.
    std::size_t RowOf(HWND child) const;
    std::size_t RowOfControl(const Control& control) const;
    Control& ControlAt(std::size_t row) const;
    bool IsOurs(HWND window) const;

    Form* form_;
    int showCommand_;
    HWND window_ = nullptr;
    HWND toolTips_ = nullptr;
    int dpiX_ = 96;
    int dpiY_ = 96;
    bool writing_ = false;          // the view is writing into its own children
    std::size_t userEditRow_;       // the combo box whose text the user is editing
    std::vector<Child> children_;
    std::vector<HFONT> fonts_;      // one per row, owned
    HBRUSH faceBrush_ = nullptr;    // not owned (system brush)
};

// Gives every form that the application creates its FormView.
class FormViewHost : public WindowHost {
public:
    explicit FormViewHost(int showCommand = SW_SHOWNORMAL) : showCommand_(showCommand) {}
    void Attach(Form& form) override;

private:
    int showCommand_;
    std::vector<std::unique_ptr<FormView>> views_;
};

}  // namespace qv
