// FormView: building a form's windows from its table: the window class, the form window, one child per row, tool tips.
#include "platform/win32/form_view.h"

#include <commctrl.h>

#include <cmath>
#include <cstring>

#include "platform/win32/res/resource_ids.h"

namespace qv {

namespace {

constexpr DWORD kTopLevelStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// The class stays registered for the life of the process: a later view finds it there.
void RegisterFormClass(HINSTANCE instance, const char* name, WNDPROC procedure) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (GetClassInfoExA(instance, name, &windowClass)) return;
    windowClass = WNDCLASSEXA{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(QV_APPLICATION_ICON));
    windowClass.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(QV_APPLICATION_ICON), IMAGE_ICON,
                                                        GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                                        0));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = name;
    if (!RegisterClassExA(&windowClass)) throw WindowCreationFailed();
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

ChildClass ClassOf(const ControlRow& layout) {
    switch (layout.kind) {
        case ControlKind::Frame: return {"BUTTON", BS_GROUPBOX, 0};
        case ControlKind::Button: return {"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
        case ControlKind::CheckBox: return {"BUTTON", BS_CHECKBOX | WS_TABSTOP, 0};
        case ControlKind::TextBox:
            return {"EDIT", ES_AUTOHSCROLL | AlignmentStyle(layout.kind, layout.alignment) | WS_TABSTOP,
                    WS_EX_CLIENTEDGE};
        case ControlKind::ComboBox: return {"COMBOBOX", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 0};
        case ControlKind::ScrollBar: return {"SCROLLBAR", SBS_VERT | WS_TABSTOP, 0};
        case ControlKind::Label:
            return {"STATIC", AlignmentStyle(layout.kind, layout.alignment) | SS_NOTIFY | SS_NOPREFIX, 0};
    }
    return {"STATIC", 0, 0};
}

// Children whose messages the view sees first: those that take the focus (a
// combo box reports its focus itself) and frames, whose captions it draws.
bool NeedsSubclass(ControlKind kind) {
    return kind != ControlKind::Label && kind != ControlKind::ComboBox;
}

bool SameFont(const Font& a, const Font& b) {
    return std::strcmp(a.face, b.face) == 0 && a.points == b.points && a.bold == b.bold &&
           a.italic == b.italic && a.underline == b.underline;
}

// A one-line label whose text is wider than its box would lose its end ("Version 1.5"
// would show as "Version"): the box grows to the text, around its centre for a
// centred label and to the right otherwise. Boxes that fit, and labels of more than
// one line (which wrap their words), keep the table's size.
void FitLabelToText(HWND label, const std::string& text, HFONT font, const RECT& tableBox, Alignment alignment) {
    HDC dc = GetDC(label);
    if (!dc) return;
    HGDIOBJ previous = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
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

void FormView::Create() {
    CreateTopLevel();
    CreateChildren();
    CreateToolTips();
    MirrorAll();
}

int FormView::ToPixelsX(int twips) const { return MulDiv(twips, dpiX_, 1440); }
int FormView::ToPixelsY(int twips) const { return MulDiv(twips, dpiY_, 1440); }

void FormView::CreateTopLevel() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    const char* className = host_.WindowClass().c_str();
    RegisterFormClass(instance, className, WindowProc);
    const FormLayout& layout = ObservedForm()->Layout();
    RECT outer{0, 0, ToPixelsX(layout.clientWidth), ToPixelsY(layout.clientHeight)};
    AdjustWindowRectEx(&outer, kTopLevelStyle, FALSE, 0);
    if (!CreateWindowExA(0, className, layout.caption, kTopLevelStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                         outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, instance, this)) {
        throw WindowCreationFailed();
    }
}

RECT FormView::PixelBox(const ControlRow& layout) const {
    int left = layout.box.left;
    int top = layout.box.top;
    if (layout.frame) {
        const TwipsBox& frame = ObservedForm()->Get<Frame>(layout.frame).Layout().box;
        left += frame.left;
        top += frame.top;
    }
    const int x = ToPixelsX(left);
    const int y = ToPixelsY(top);
    return RECT{x, y, x + ToPixelsX(layout.box.width), y + ToPixelsY(layout.box.height)};
}

void FormView::CreateChildren() {
    children_.resize(ObservedForm()->Controls().size());
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
    const ControlRow& layout = ControlAt(row).Layout();
    const ChildClass childClass = ClassOf(layout);
    const RECT box = PixelBox(layout);
    int height = box.bottom - box.top;
    // A drop-down's height includes its open list.
    if (layout.kind == ControlKind::ComboBox) height += ToPixelsY(1440);
    HWND child = CreateWindowExA(
        childClass.exStyle, childClass.className, layout.text,
        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | childClass.style, box.left, box.top, box.right - box.left,
        height, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(FirstControlId + static_cast<int>(row))),
        GetModuleHandleA(nullptr), nullptr);
    if (!child) throw WindowCreationFailed();
    children_[row].window = child;
    if (NeedsSubclass(layout.kind)) {
        const LONG_PTR original = SetWindowLongPtrA(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ChildProc));
        SetWindowLongPtrA(child, GWLP_USERDATA, original);
    }
    ApplyFont(row);
    if (layout.kind == ControlKind::TextBox && layout.typingLimit > 0) {
        SendMessageA(child, EM_LIMITTEXT, static_cast<WPARAM>(layout.typingLimit), 0);
    }
    if (layout.kind == ControlKind::ScrollBar) {
        SetScrollRange(child, SB_CTL, ScrollBar::Min, ScrollBar::Max, FALSE);
    }
    if (layout.kind == ControlKind::ComboBox) FitComboHeight(row);
    if (layout.kind == ControlKind::Label) FitLabelToText(row);
}

void FormView::ApplyFont(std::size_t row) {
    const Font& layout = ControlAt(row).Layout().font;
    HFONT font = nullptr;
    for (std::size_t i = 0; i < row && !font; ++i) {
        if (SameFont(ControlAt(i).Layout().font, layout)) font = children_[i].font;
    }
    if (!font) {
        const int height = -static_cast<int>(std::lround(layout.points * dpiY_ / 72.0));
        font = CreateFontA(height, 0, 0, 0, layout.bold ? FW_BOLD : FW_NORMAL, layout.italic, layout.underline, FALSE,
                           DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, layout.face);
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
    const RECT box = PixelBox(ControlAt(row).Layout());
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

void FormView::FitLabelToText(std::size_t row) {
    const ControlRow& layout = ControlAt(row).Layout();
    HWND label = children_[row].window;
    qv::FitLabelToText(label, WindowText(label), children_[row].font, PixelBox(layout), layout.alignment);
}

// One tool-tip window for the form; the first comctl32 knows only the first TOOLINFO size.
void FormView::CreateToolTips() {
    for (std::size_t row = 0; row < children_.size(); ++row) {
        const char* tip = ControlAt(row).Layout().tooltip;
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

}  // namespace qv
