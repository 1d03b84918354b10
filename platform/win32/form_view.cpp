// FormView: builds a form's window from its table, mirrors the model into it and turns user input into model calls.
#include "platform/win32/form_view.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "platform/win32/win32_user_interface.h"

namespace qv {

namespace {

constexpr char kFormClass[] = "QuorvelForm";
constexpr int kApplicationIcon = 1;  // the icon resource of qvconfig.exe (res/qvconfig.rc)
constexpr DWORD kTopLevelStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return text;
}

COLORREF ToColorRef(const Colour& colour) {
    switch (colour.kind) {
        case Colour::Kind::Highlight: return GetSysColor(COLOR_HIGHLIGHT);
        case Colour::Kind::Rgb: return RGB(colour.red, colour.green, colour.blue);
        case Colour::Kind::Default: break;
    }
    return GetSysColor(COLOR_BTNTEXT);
}

DWORD AlignmentStyle(ControlKind kind, Alignment alignment) {
    if (kind == ControlKind::TextBox) {
        return alignment == Alignment::Center ? ES_CENTER : alignment == Alignment::Right ? ES_RIGHT : ES_LEFT;
    }
    return alignment == Alignment::Center ? SS_CENTER : alignment == Alignment::Right ? SS_RIGHT : SS_LEFT;
}

// The window class and style of a row's child window. Check boxes are not automatic:
// the model owns their value. Scroll bars take the focus when clicked (WS_TABSTOP).
// Labels notify clicks (the web link) and let tool tips see the mouse; they show
// their text as it is (no accelerator prefix) and wrap their words within the box.
struct ChildClass {
    const char* className;
    DWORD style;
    DWORD exStyle;
};

ChildClass ClassOf(const ControlSpec& spec) {
    switch (spec.kind) {
        case ControlKind::Frame: return {"BUTTON", BS_GROUPBOX, 0};
        case ControlKind::Button: return {"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
        case ControlKind::CheckBox: return {"BUTTON", BS_CHECKBOX | WS_TABSTOP, 0};
        case ControlKind::TextBox:
            return {"EDIT", ES_AUTOHSCROLL | AlignmentStyle(spec.kind, spec.alignment) | WS_TABSTOP,
                    WS_EX_CLIENTEDGE};
        case ControlKind::ComboBox: return {"COMBOBOX", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 0};
        case ControlKind::ScrollBar: return {"SCROLLBAR", SBS_VERT | WS_TABSTOP, 0};
        case ControlKind::Label:
            return {"STATIC", AlignmentStyle(spec.kind, spec.alignment) | SS_NOTIFY | SS_NOPREFIX, 0};
    }
    return {"STATIC", 0, 0};
}

// Children whose messages the view sees first: those that take the focus (a
// combo box reports its focus itself) and frames, whose captions it draws.
bool NeedsSubclass(ControlKind kind) {
    return kind != ControlKind::Label && kind != ControlKind::ComboBox;
}

bool SameFont(const FontSpec& a, const FontSpec& b) {
    return std::strcmp(a.face, b.face) == 0 && a.points == b.points && a.bold == b.bold &&
           a.italic == b.italic && a.underline == b.underline;
}

bool ShiftDown() { return (GetKeyState(VK_SHIFT) & 0x8000) != 0; }

}  // namespace

struct FormView::Child {
    HWND window = nullptr;
    HFONT font = nullptr;  // not owned: one of fonts_
};

// While the view writes into its own children, their notifications are its own echo.
class FormView::WriteGuard {
public:
    explicit WriteGuard(FormView& view) : view_(view), saved_(view.writing_) { view_.writing_ = true; }
    ~WriteGuard() { view_.writing_ = saved_; }
    WriteGuard(const WriteGuard&) = delete;
    WriteGuard& operator=(const WriteGuard&) = delete;

private:
    FormView& view_;
    bool saved_;
};

// ---- Building the window -------------------------------------------------------------

FormView::FormView(Form& form, int showCommand)
    : form_(&form), showCommand_(showCommand), userEditRow_(form.Controls().size()) {
    HDC screen = GetDC(nullptr);
    dpiX_ = GetDeviceCaps(screen, LOGPIXELSX);
    dpiY_ = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    faceBrush_ = GetSysColorBrush(COLOR_BTNFACE);

    Views().push_back(this);
    CreateTopLevel();
    CreateChildren();
    CreateToolTips();
    MirrorAll();
    form.SetObserver(this);
}

FormView::~FormView() {
    // The form may be gone already: nothing below touches it.
    form_ = nullptr;
    if (window_) DestroyWindow(window_);
    for (HFONT font : fonts_) DeleteObject(font);
    auto& views = Views();
    views.erase(std::remove(views.begin(), views.end(), this), views.end());
}

std::vector<FormView*>& FormView::Views() {
    static std::vector<FormView*> views;
    return views;
}

int FormView::ToPixelsX(int twips) const { return MulDiv(twips, dpiX_, 1440); }
int FormView::ToPixelsY(int twips) const { return MulDiv(twips, dpiY_, 1440); }

void FormView::CreateTopLevel() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    static bool registered = false;
    if (!registered) {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = instance;
        windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(kApplicationIcon));
        windowClass.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(kApplicationIcon), IMAGE_ICON,
                                                            GetSystemMetrics(SM_CXSMICON),
                                                            GetSystemMetrics(SM_CYSMICON), 0));
        windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kFormClass;
        registered = RegisterClassExA(&windowClass) != 0;
    }
    const FormSpec& spec = form_->Spec();
    RECT outer{0, 0, ToPixelsX(spec.clientWidth), ToPixelsY(spec.clientHeight)};
    AdjustWindowRectEx(&outer, kTopLevelStyle, FALSE, 0);
    CreateWindowExA(0, kFormClass, spec.caption, kTopLevelStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                    outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, instance, this);
}

RECT FormView::PixelBox(const ControlSpec& spec) const {
    int left = spec.box.left;
    int top = spec.box.top;
    if (spec.frame) {
        const TwipsBox& frame = form_->Get<Frame>(spec.frame).Spec().box;
        left += frame.left;
        top += frame.top;
    }
    const int x = ToPixelsX(left);
    const int y = ToPixelsY(top);
    return RECT{x, y, x + ToPixelsX(spec.box.width), y + ToPixelsY(spec.box.height)};
}

void FormView::CreateChildren() {
    children_.resize(form_->Controls().size());
    WriteGuard guard(*this);
    for (std::size_t row = 0; row < children_.size(); ++row) CreateChild(row);
    // Frames lie beneath everything else, so that the controls inside them get the
    // clicks and their painting is never covered by the frame's.
    for (std::size_t row = 0; row < children_.size(); ++row) {
        if (ControlAt(row).Kind() == ControlKind::Frame) {
            SetWindowPos(children_[row].window, HWND_BOTTOM, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
}

void FormView::CreateChild(std::size_t row) {
    const ControlSpec& spec = ControlAt(row).Spec();
    const ChildClass childClass = ClassOf(spec);
    const RECT box = PixelBox(spec);
    int height = box.bottom - box.top;
    // A drop-down's height includes its open list.
    if (spec.kind == ControlKind::ComboBox) height += ToPixelsY(1440);
    HWND child = CreateWindowExA(
        childClass.exStyle, childClass.className, spec.text,
        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | childClass.style, box.left, box.top, box.right - box.left,
        height, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(FirstControlId + static_cast<int>(row))),
        GetModuleHandleA(nullptr), nullptr);
    children_[row].window = child;
    if (!child) return;
    if (NeedsSubclass(spec.kind)) {
        const LONG_PTR original = SetWindowLongPtrA(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ChildProc));
        SetWindowLongPtrA(child, GWLP_USERDATA, original);
    }
    ApplyFont(row);
    if (spec.kind == ControlKind::TextBox && spec.typingLimit > 0) {
        SendMessageA(child, EM_LIMITTEXT, static_cast<WPARAM>(spec.typingLimit), 0);
    }
    if (spec.kind == ControlKind::ScrollBar) {
        SetScrollRange(child, SB_CTL, ScrollBar::Min, ScrollBar::Max, FALSE);
    }
    if (spec.kind == ControlKind::ComboBox) FitComboHeight(row);
    if (spec.kind == ControlKind::Label) FitLabelToText(row);
}

void FormView::ApplyFont(std::size_t row) {
    const FontSpec& spec = ControlAt(row).Spec().font;
    HFONT font = nullptr;
    for (std::size_t i = 0; i < row && !font; ++i) {
        if (SameFont(ControlAt(i).Spec().font, spec)) font = children_[i].font;
    }
    if (!font) {
        const int height = -static_cast<int>(std::lround(spec.points * dpiY_ / 72.0));
        font = CreateFontA(height, 0, 0, 0, spec.bold ? FW_BOLD : FW_NORMAL, spec.italic, spec.underline, FALSE,
                           DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, spec.face);
        if (font) fonts_.push_back(font);
    }
    children_[row].font = font;
    if (font) SendMessageA(children_[row].window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

// A drop-down sizes its closed box from its font; bring it to the table's height. The
// text field's height that CB_SETITEMHEIGHT sets is not quite the one it reports on
// every system, so a second request corrects by what the first one missed.
void FormView::FitComboHeight(std::size_t row) {
    HWND combo = children_[row].window;
    const RECT box = PixelBox(ControlAt(row).Spec());
    const int wanted = box.bottom - box.top;
    const auto closedHeight = [combo] {
        RECT rect;
        GetWindowRect(combo, &rect);
        return static_cast<int>(rect.bottom - rect.top);
    };
    const LRESULT itemHeight = SendMessageA(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    if (itemHeight == CB_ERR) return;
    int request = static_cast<int>(itemHeight);
    for (int attempt = 0; attempt < 2 && closedHeight() != wanted; ++attempt) {
        request += wanted - closedHeight();
        if (request <= 0) return;
        SendMessageA(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), request);
    }
}

// A one-line label whose text is wider than its box would lose its end ("Version 1.5"
// would show as "Version"): the box grows to the text, around its centre for a
// centred label and to the right otherwise. Boxes that fit, and labels of more than
// one line (which wrap their words), keep the table's size.
namespace {
void FitLabelToText(HWND label, HFONT font, const RECT& tableBox, Alignment alignment) {
    HDC dc = GetDC(label);
    if (!dc) return;
    HGDIOBJ previous = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    const std::string text = WindowText(label);
    SIZE extent{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, previous);
    ReleaseDC(label, dc);

    const int width = tableBox.right - tableBox.left;
    const int height = tableBox.bottom - tableBox.top;
    const bool oneLine = height < 2 * metrics.tmHeight;
    const int needed = extent.cx > width && oneLine ? extent.cx : width;
    const int left = alignment == Alignment::Center ? tableBox.left - (needed - width) / 2 : tableBox.left;
    SetWindowPos(label, nullptr, left, tableBox.top, needed, height, SWP_NOZORDER | SWP_NOACTIVATE);
}
}  // namespace

void FormView::FitLabelToText(std::size_t row) {
    const ControlSpec& spec = ControlAt(row).Spec();
    qv::FitLabelToText(children_[row].window, children_[row].font, PixelBox(spec), spec.alignment);
}

// One tool-tip window for the form; the first comctl32 knows only the first TOOLINFO size.
void FormView::CreateToolTips() {
    for (std::size_t row = 0; row < children_.size(); ++row) {
        const char* tip = ControlAt(row).Spec().tooltip;
        if (!tip || !children_[row].window) continue;
        if (!toolTips_) {
            toolTips_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                                        GetModuleHandleA(nullptr), nullptr);
            if (!toolTips_) return;
        }
        HWND tools[] = {children_[row].window, nullptr};
        // The mouse over a drop-down's text field is over the field's own window.
        if (ControlAt(row).Kind() == ControlKind::ComboBox) tools[1] = GetWindow(tools[0], GW_CHILD);
        for (HWND tool : tools) {
            if (!tool) continue;
            TOOLINFOA info{};
            info.cbSize = TTTOOLINFOA_V1_SIZE;
            info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
            info.hwnd = window_;
            info.uId = reinterpret_cast<UINT_PTR>(tool);
            info.lpszText = const_cast<char*>(tip);
            SendMessageA(toolTips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
        }
    }
}

// ---- Lookups -----------------------------------------------------------------------------

Control& FormView::ControlAt(std::size_t row) const { return *form_->Controls()[row]; }

std::size_t FormView::RowOfControl(const Control& control) const {
    if (!form_) return children_.size();
    const auto& controls = form_->Controls();
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

bool FormView::IsOurs(HWND window) const {
    return window_ && window && (window == window_ || IsChild(window_, window));
}

FormView* FormView::FromWindow(HWND window) {
    if (!window) return nullptr;
    for (FormView* view : Views()) {
        if (view->window_ == window) return view;
    }
    return nullptr;
}

// ---- Model -> window ------------------------------------------------------------------------

void FormView::MirrorAll() {
    for (std::size_t row = 0; row < children_.size(); ++row) {
        if (!children_[row].window) continue;
        MirrorItems(row);
        MirrorText(row);
        MirrorValue(row);
        EnableWindow(children_[row].window, ControlAt(row).Enabled());
    }
}

void FormView::OnControlChanged(Control& control, ControlProperty property) {
    if (!window_ || !form_) return;
    const std::size_t row = RowOfControl(control);
    if (row >= children_.size() || !children_[row].window) return;
    switch (property) {
        case ControlProperty::Text: MirrorText(row); break;
        case ControlProperty::Enabled:
            EnableWindow(children_[row].window, control.Enabled());
            if (control.Kind() == ControlKind::Frame) InvalidateRect(children_[row].window, nullptr, FALSE);
            break;
        case ControlProperty::Value: MirrorValue(row); break;
        case ControlProperty::ListIndex: MirrorListIndex(row); break;
        case ControlProperty::Items: MirrorItems(row); break;
        case ControlProperty::Repaint: Repaint(row); break;
    }
}

// Writes only what differs: a write of the same text would still move a text box's caret.
void FormView::MirrorText(std::size_t row) {
    const Control& control = ControlAt(row);
    HWND child = children_[row].window;
    if (control.Kind() == ControlKind::ScrollBar || WindowText(child) == control.Text()) return;
    WriteGuard guard(*this);
    SetWindowTextA(child, control.Text().c_str());
    if (control.Kind() == ControlKind::Frame) InvalidateRect(child, nullptr, FALSE);
    if (control.Kind() == ControlKind::Label) FitLabelToText(row);
}

void FormView::MirrorValue(std::size_t row) {
    const Control& control = ControlAt(row);
    HWND child = children_[row].window;
    WriteGuard guard(*this);
    if (control.Kind() == ControlKind::CheckBox) {
        SendMessageA(child, BM_SETCHECK, static_cast<WPARAM>(static_cast<const CheckBox&>(control).Value()), 0);
    } else if (control.Kind() == ControlKind::ScrollBar) {
        const int value = static_cast<const ScrollBar&>(control).Value();
        if (GetScrollPos(child, SB_CTL) != value) SetScrollPos(child, SB_CTL, value, TRUE);
    }
}

// While the user types into the drop-down, its text already shows the model's; selecting
// the matching item now would select the whole text under the user's fingers.
void FormView::MirrorListIndex(std::size_t row) {
    if (row == userEditRow_) return;
    const auto& combo = static_cast<const ComboBox&>(ControlAt(row));
    HWND child = children_[row].window;
    if (SendMessageA(child, CB_GETCURSEL, 0, 0) != combo.ListIndex()) {
        WriteGuard guard(*this);
        SendMessageA(child, CB_SETCURSEL, static_cast<WPARAM>(combo.ListIndex()), 0);
    }
    MirrorText(row);  // no selection empties the text field
}

void FormView::MirrorItems(std::size_t row) {
    if (ControlAt(row).Kind() != ControlKind::ComboBox) return;
    const auto& combo = static_cast<const ComboBox&>(ControlAt(row));
    HWND child = children_[row].window;
    {
        WriteGuard guard(*this);
        SendMessageA(child, CB_RESETCONTENT, 0, 0);
        for (const std::string& item : combo.Items()) {
            SendMessageA(child, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        }
    }
    MirrorListIndex(row);
    MirrorText(row);
}

void FormView::Repaint(std::size_t row) {
    RedrawWindow(children_[row].window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// The model's focus is the truth; the window's focus follows it.
void FormView::MirrorFocus() {
    if (!window_ || !form_ || !IsWindowVisible(window_)) return;
    Control* focused = form_->Focused();
    HWND child = focused ? ControlWindow(*focused) : nullptr;
    if (!child) return;
    HWND current = GetFocus();
    if (current != child && !(current && GetParent(current) == child)) ::SetFocus(child);
}

void FormView::OnShown() {
    if (!window_) return;
    static bool firstShow = true;
    ShowWindow(window_, firstShow ? showCommand_ : SW_SHOW);
    firstShow = false;
    SetForegroundWindow(window_);
    UpdateWindow(window_);
    MirrorFocus();
}

void FormView::OnUnloaded() {
    if (window_) DestroyWindow(window_);
}

// ---- Window -> model -------------------------------------------------------------------------

LRESULT CALLBACK FormView::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* view = static_cast<FormView*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        view->window_ = window;
    }
    FormView* view = FromWindow(window);
    if (!view) return DefWindowProcA(window, message, wParam, lParam);
    return view->Handle(message, wParam, lParam);
}

LRESULT FormView::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = window_;
    if (message == WM_NCDESTROY) {
        window_ = nullptr;
        toolTips_ = nullptr;
        for (Child& child : children_) child.window = nullptr;
        // Wakes the message loop, which then sees whether any window is left open.
        PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
        return DefWindowProcA(window, message, wParam, lParam);
    }
    if (!form_) return DefWindowProcA(window, message, wParam, lParam);
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
            if (Win32UserInterface::BusyPointerShown()) {
                SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32514)));  // IDC_WAIT
                return TRUE;
            }
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
            form_->Unload();
            return 0;
        default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK FormView::ChildProc(HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(child, GWLP_USERDATA));
    FormView* view = FromWindow(GetParent(child));
    if (view && view->form_) {
        const std::size_t row = view->RowOf(child);
        const bool frame = row < view->children_.size() && view->ControlAt(row).Kind() == ControlKind::Frame;
        if (message == WM_SETFOCUS) view->OnChildFocused(child);
        if (frame && message == WM_PAINT) {
            view->PaintFrame(child);
            return 0;
        }
        if (frame && message == WM_ERASEBKGND) return 1;
        if (frame && (message == WM_SETTEXT || message == WM_ENABLE || message == WM_UPDATEUISTATE)) {
            const LRESULT result = CallWindowProcA(original, child, message, wParam, lParam);
            InvalidateRect(child, nullptr, FALSE);
            return result;
        }
    }
    return CallWindowProcA(original, child, message, wParam, lParam);
}

// The focus arrives at a child before the click or key that brought it there acts: the
// model's focus moves now, so the lost-focus rule of the control left runs first.
void FormView::OnChildFocused(HWND child) {
    const std::size_t row = RowOf(child);
    if (row < children_.size() && form_) form_->SetFocus(ControlAt(row));
}

// A click on a control that did not take the focus by itself (a message sent by another
// program) moves the focus first, as a real click would.
void FormView::TakeFocus(std::size_t row) {
    HWND child = children_[row].window;
    if (child && GetFocus() != child && IsWindowVisible(window_)) ::SetFocus(child);
}

void FormView::OnCommand(int id, int code, HWND child) {
    const std::size_t row = RowOf(child);
    if (row >= children_.size() || id != FirstControlId + static_cast<int>(row)) return;
    Control& control = ControlAt(row);
    switch (control.Kind()) {
        case ControlKind::TextBox:
            if (code == EN_CHANGE && !writing_) static_cast<TextBox&>(control).UserEdited(WindowText(child));
            break;
        case ControlKind::ComboBox: {
            auto& combo = static_cast<ComboBox&>(control);
            if (code == CBN_SETFOCUS) {
                OnChildFocused(child);
            } else if (code == CBN_EDITCHANGE && !writing_) {
                userEditRow_ = row;
                combo.UserEdited(WindowText(child));
                userEditRow_ = children_.size();
            } else if (code == CBN_SELCHANGE && !writing_) {
                const LRESULT index = SendMessageA(child, CB_GETCURSEL, 0, 0);
                if (index != CB_ERR) combo.SetListIndex(static_cast<int>(index));
            }
            break;
        }
        case ControlKind::Button:
            if (code == BN_CLICKED && !writing_) {
                TakeFocus(row);
                if (form_) form_->ClickButton(static_cast<Button&>(control));
            }
            break;
        case ControlKind::CheckBox:
            if (code == BN_CLICKED && !writing_) {
                TakeFocus(row);
                if (form_) form_->ClickCheckBox(static_cast<CheckBox&>(control));
            }
            break;
        case ControlKind::Label:
            if (code == STN_CLICKED) static_cast<Label&>(control).Click();
            break;
        case ControlKind::Frame:
        case ControlKind::ScrollBar: break;
    }
}

// Each arrow, trough or key action is one value change; a thumb drag is one change,
// when the thumb is released. The bar then shows the model's value, whatever the rule did.
void FormView::OnScroll(int code, int position, HWND bar) {
    const std::size_t row = RowOf(bar);
    if (row >= children_.size() || ControlAt(row).Kind() != ControlKind::ScrollBar) return;
    if (code == SB_THUMBTRACK || code == SB_ENDSCROLL) return;
    TakeFocus(row);
    if (!window_ || !form_) return;
    auto& scrollBar = static_cast<ScrollBar&>(ControlAt(row));
    switch (code) {
        case SB_LINEUP: scrollBar.LineUp(); break;
        case SB_LINEDOWN: scrollBar.LineDown(); break;
        case SB_PAGEUP: scrollBar.PageUp(); break;
        case SB_PAGEDOWN: scrollBar.PageDown(); break;
        case SB_TOP: scrollBar.Home(); break;
        case SB_BOTTOM: scrollBar.End(); break;
        case SB_THUMBPOSITION: scrollBar.ThumbReleased(position); break;
        default: return;
    }
    if (window_ && form_ && children_[row].window) MirrorValue(row);
}

LRESULT FormView::OnColour(HDC dc, HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
    const std::size_t row = RowOf(child);
    if (row < children_.size()) {
        const Control& control = ControlAt(row);
        if (control.Kind() == ControlKind::Label && control.Spec().colour.kind != Colour::Kind::Default) {
            SetTextColor(dc, ToColorRef(control.Spec().colour));
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(faceBrush_);
        }
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

// A frame's etched border and its caption in the frame's own colour: a themed group
// box would ignore any colour the window gives it, so the view draws the frame itself.
void FormView::PaintFrame(HWND frame) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(frame, &paint);
    const std::size_t row = RowOf(frame);
    if (dc && row < children_.size()) {
        const Control& control = ControlAt(row);
        RECT area;
        GetClientRect(frame, &area);
        HGDIOBJ oldFont = SelectObject(dc, children_[row].font ? children_[row].font : GetStockObject(DEFAULT_GUI_FONT));
        TEXTMETRICA metrics;
        GetTextMetricsA(dc, &metrics);
        RECT strip{area.left, area.top, area.right, area.top + metrics.tmHeight};
        FillRect(dc, &strip, faceBrush_);
        RECT edge = area;
        edge.top += metrics.tmHeight / 2;
        DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
        const std::string& text = control.Text();
        if (!text.empty()) {
            SIZE extent;
            GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
            const int margin = MulDiv(8, dpiX_, 96);
            const int gap = MulDiv(2, dpiX_, 96);
            RECT caption{area.left + margin - gap, area.top, area.left + margin + extent.cx + gap,
                         area.top + metrics.tmHeight};
            FillRect(dc, &caption, faceBrush_);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, control.Enabled() ? ToColorRef(control.Spec().colour) : GetSysColor(COLOR_GRAYTEXT));
            TextOutA(dc, area.left + margin, area.top, text.c_str(), static_cast<int>(text.size()));
        }
        SelectObject(dc, oldFont);
    }
    EndPaint(frame, &paint);
}

// ---- Keyboard -------------------------------------------------------------------------------

bool FormView::TranslateKeyboard(const MSG& message) {
    if (message.message != WM_KEYDOWN && message.message != WM_CHAR) return false;
    for (FormView* view : Views()) {
        if (view->form_ && view->IsOurs(message.hwnd)) return view->HandleKey(message);
    }
    return false;
}

bool FormView::HandleKey(const MSG& message) {
    const WPARAM key = message.wParam;
    const bool typedControl = message.message == WM_CHAR && (key == '\t' || key == '\r' || key == 27);
    if (typedControl) return true;  // never typed into a box
    if (message.message != WM_KEYDOWN) return false;
    const std::size_t row = RowOf(message.hwnd);
    const bool inCombo = row < children_.size() && ControlAt(row).Kind() == ControlKind::ComboBox;
    const bool listOpen = inCombo && SendMessageA(children_[row].window, CB_GETDROPPEDSTATE, 0, 0);
    switch (key) {
        case VK_TAB: {
            if (listOpen) SendMessageA(children_[row].window, CB_SHOWDROPDOWN, FALSE, 0);
            form_->FocusNext(ShiftDown());
            if (!window_ || !form_) return true;
            // Keyboard users see where the focus is (Windows 2000's hidden focus rectangles;
            // older systems always show them and ignore the message).
            SendMessageA(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
            MirrorFocus();
            Control* focused = form_->Focused();
            HWND child = focused ? ControlWindow(*focused) : nullptr;
            if (focused && focused->Kind() == ControlKind::TextBox) SendMessageA(child, EM_SETSEL, 0, -1);
            if (focused && focused->Kind() == ControlKind::ComboBox) SendMessageA(child, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
            return true;
        }
        case VK_RETURN:
            if (listOpen) return false;  // Enter closes the open list
            if (row < children_.size() && ControlAt(row).Kind() == ControlKind::Button) {
                OnCommand(FirstControlId + static_cast<int>(row), BN_CLICKED, children_[row].window);
            }
            return true;  // no default button: Enter elsewhere presses nothing
        case VK_ESCAPE:
            return !listOpen;  // no cancel button
        default: return false;
    }
}

// ---- Host -----------------------------------------------------------------------------------

void FormViewHost::Attach(Form& form) { views_.push_back(std::make_unique<FormView>(form, showCommand_)); }

}  // namespace qv
