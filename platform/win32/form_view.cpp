// FormView: its life, the window procedures that find it in the window's user data, its lookups, and the host.
#include "platform/win32/form_view.h"

#include <algorithm>

namespace qv {

// ---- Life -----------------------------------------------------------------------------------

FormView::FormView(Form& form, FormViewHost& host) : host_(host), userEditRow_(form.Controls().size()) {
    HDC screen = GetDC(nullptr);
    dpiX_ = GetDeviceCaps(screen, LOGPIXELSX);
    dpiY_ = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    faceBrush_ = GetSysColorBrush(COLOR_BTNFACE);

    form.SetObserver(this);
    try {
        Create();
    } catch (...) {
        Release();
        throw;
    }
}

FormView::~FormView() { Release(); }

// Off the form first: destroying the window moves the focus, and no rule may run then.
void FormView::Release() {
    StopObserving();
    if (window_) DestroyWindow(window_);
    for (HFONT font : fonts_) DeleteObject(font);
    fonts_.clear();
}

// ---- Messages -------------------------------------------------------------------------------

// The view rides in the window's user data from the first message that carries it.
LRESULT CALLBACK FormView::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* view = static_cast<FormView*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (view) {
            view->window_ = window;
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(view));
        }
    }
    FormView* view = FromWindow(window);
    if (!view) return DefWindowProcA(window, message, wParam, lParam);
    return view->Handle(message, wParam, lParam);
}

FormView* FormView::FromWindow(HWND window) {
    return window ? reinterpret_cast<FormView*>(GetWindowLongPtrA(window, GWLP_USERDATA)) : nullptr;
}

// Any window of the thread: the view of the form window it lies in, if it lies in one.
// Only a window of a class with our procedure holds a view in its user data.
FormView* FormView::FromAnyWindow(HWND window) {
    while (window && (GetWindowLongA(window, GWL_STYLE) & WS_CHILD)) window = GetParent(window);
    if (!window || reinterpret_cast<WNDPROC>(GetClassLongPtrA(window, GCLP_WNDPROC)) != WindowProc) return nullptr;
    return FromWindow(window);
}

LRESULT FormView::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = window_;
    Form* form = ObservedForm();
    if (message == WM_NCDESTROY) {
        OnDestroyed();
        return DefWindowProcA(window, message, wParam, lParam);
    }
    if (!form) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_COMMAND:
            if (lParam) OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_VSCROLL:
            if (lParam) OnScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return OnColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), message, wParam, lParam);
        case WM_SETCURSOR:
            if (host_.ShowBusyPointer()) return TRUE;
            break;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) {
                MirrorFocus();
                return 0;
            }
            break;
        case WM_SETFOCUS:
            MirrorFocus();
            return 0;
        case WM_CLOSE:
            // The title bar's close command: like Cancel, it saves nothing and asks nothing.
            form->Unload();
            return 0;
        default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The window's last message: the view forgets its windows, and the window its view.
void FormView::OnDestroyed() {
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    window_ = nullptr;
    toolTips_ = nullptr;
    for (Child& child : children_) child.window = nullptr;
    // Wakes the message loop, which then sees whether any window is left open.
    PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
}

// A subclassed child keeps its own procedure in its user data; its view is its parent's.
LRESULT CALLBACK FormView::ChildProc(HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(child, GWLP_USERDATA));
    FormView* view = FromWindow(GetParent(child));
    if (view && view->ObservedForm()) return view->HandleChild(child, original, message, wParam, lParam);
    return CallWindowProcA(original, child, message, wParam, lParam);
}

LRESULT FormView::HandleChild(HWND child, WNDPROC original, UINT message, WPARAM wParam, LPARAM lParam) {
    const std::size_t row = RowOf(child);
    const bool frame = row < children_.size() && ControlAt(row).Kind() == ControlKind::Frame;
    if (message == WM_SETFOCUS) OnChildFocused(child);
    if (frame && message == WM_PAINT) {
        PaintFrame(child);
        return 0;
    }
    if (frame && message == WM_ERASEBKGND) return 1;
    if (frame && (message == WM_SETTEXT || message == WM_ENABLE || message == WM_UPDATEUISTATE)) {
        const LRESULT result = CallWindowProcA(original, child, message, wParam, lParam);
        InvalidateRect(child, nullptr, FALSE);
        return result;
    }
    return CallWindowProcA(original, child, message, wParam, lParam);
}

// ---- Lookups --------------------------------------------------------------------------------

std::string FormView::WindowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return text;
}

Control& FormView::ControlAt(std::size_t row) const { return *ObservedForm()->Controls()[row]; }

std::size_t FormView::RowOfControl(const Control& control) const {
    const Form* form = ObservedForm();
    if (!form) return children_.size();
    const auto& controls = form->Controls();
    for (std::size_t row = 0; row < controls.size() && row < children_.size(); ++row) {
        if (controls[row].get() == &control) return row;
    }
    return children_.size();
}

HWND FormView::ControlWindow(const Control& control) const {
    const std::size_t row = RowOfControl(control);
    return row < children_.size() ? children_[row].window : nullptr;
}

std::size_t FormView::RowOf(HWND child) const {
    for (std::size_t row = 0; row < children_.size(); ++row) {
        if (child && children_[row].window == child) return row;
    }
    // A drop-down's text field stands for the drop-down.
    HWND parent = child ? GetParent(child) : nullptr;
    if (parent && parent != window_) return RowOf(parent);
    return children_.size();
}

// ---- Host -----------------------------------------------------------------------------------

namespace {
constexpr char kCreationFailedText[] = "Unable to create the Quorvel configuration window.";
constexpr char kCreationFailedCaption[] = "Quorvel";
}  // namespace

void FormViewHost::Attach(Form& form) {
    try {
        views_.push_back(std::make_unique<FormView>(form, *this));
    } catch (const WindowCreationFailed&) {
        ui_.ShowMessage(kCreationFailedText, kCreationFailedCaption, mb::Ok | mb::IconStop, MessageOwner::Desktop);
        throw;
    }
}

int FormViewHost::NextShowCommand() {
    const int command = shownOne_ ? SW_SHOW : showCommand_;
    shownOne_ = true;
    return command;
}

}  // namespace qv
