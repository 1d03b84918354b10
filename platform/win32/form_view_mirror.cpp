// FormView: mirroring the model into the windows, showing them, and drawing what the model colours.
#include "platform/win32/form_view.h"

#include <string>

namespace qv {

namespace {

COLORREF ToColorRef(const Colour& colour) {
    switch (colour.kind) {
        case Colour::Kind::Highlight: return GetSysColor(COLOR_HIGHLIGHT);
        case Colour::Kind::Rgb: return RGB(colour.red, colour.green, colour.blue);
        case Colour::Kind::Default: break;
    }
    return GetSysColor(COLOR_BTNTEXT);
}

}  // namespace

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
    if (!window_ || !ObservedForm()) return;
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
    if (!window_ || !ObservedForm() || !IsWindowVisible(window_)) return;
    Control* focused = ObservedForm()->Focused();
    HWND child = focused ? ControlWindow(*focused) : nullptr;
    if (!child) return;
    HWND current = GetFocus();
    if (current != child && !(current && GetParent(current) == child)) ::SetFocus(child);
}

void FormView::OnShown() {
    if (!window_) return;
    ShowWindow(window_, host_.NextShowCommand());
    SetForegroundWindow(window_);
    UpdateWindow(window_);
    MirrorFocus();
}

void FormView::OnUnloaded() {
    if (window_) DestroyWindow(window_);
}

LRESULT FormView::OnColour(HDC dc, HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
    const std::size_t row = RowOf(child);
    if (row < children_.size()) {
        const Control& control = ControlAt(row);
        if (control.Kind() == ControlKind::Label && control.Layout().colour.kind != Colour::Kind::Default) {
            SetTextColor(dc, ToColorRef(control.Layout().colour));
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
            SetTextColor(dc, control.Enabled() ? ToColorRef(control.Layout().colour) : GetSysColor(COLOR_GRAYTEXT));
            TextOutA(dc, area.left + margin, area.top, text.c_str(), static_cast<int>(text.size()));
        }
        SelectObject(dc, oldFont);
    }
    EndPaint(frame, &paint);
}

}  // namespace qv
