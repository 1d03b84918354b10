// FormView: turning user input (commands, scroll-bar actions, focus changes, keys) into calls on the model.
#include "platform/win32/form_view.h"

namespace qv {

namespace {

bool ShiftDown() { return (GetKeyState(VK_SHIFT) & 0x8000) != 0; }

}  // namespace

// The focus arrives at a child before the click or key that brought it there acts: the
// model's focus moves now, so the lost-focus rule of the control left runs first.
void FormView::OnChildFocused(HWND child) {
    const std::size_t row = RowOf(child);
    if (row < children_.size() && ObservedForm()) ObservedForm()->SetFocus(ControlAt(row));
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
                if (ObservedForm()) ObservedForm()->ClickButton(static_cast<Button&>(control));
            }
            break;
        case ControlKind::CheckBox:
            if (code == BN_CLICKED && !writing_) {
                TakeFocus(row);
                if (ObservedForm()) ObservedForm()->ClickCheckBox(static_cast<CheckBox&>(control));
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
    if (!window_ || !ObservedForm()) return;
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
    if (window_ && ObservedForm() && children_[row].window) MirrorValue(row);
}

// ---- Keyboard -------------------------------------------------------------------------------

bool FormView::TranslateKeyboard(const MSG& message) {
    if (message.message != WM_KEYDOWN && message.message != WM_CHAR) return false;
    FormView* view = FromAnyWindow(message.hwnd);
    return view && view->ObservedForm() && view->HandleKey(message);
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
        case VK_TAB:
            MoveFocusByTab(row, listOpen);
            return true;
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

// Tab and Shift+Tab: the model moves the focus (running the lost-focus rule), and the
// window follows with the new control's text selected, as a dialog's would be.
void FormView::MoveFocusByTab(std::size_t row, bool listOpen) {
    if (listOpen) SendMessageA(children_[row].window, CB_SHOWDROPDOWN, FALSE, 0);
    ObservedForm()->FocusNext(ShiftDown());
    if (!window_ || !ObservedForm()) return;
    // Keyboard users see where the focus is (Windows 2000's hidden focus rectangles;
    // older systems always show them and ignore the message).
    SendMessageA(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    MirrorFocus();
    Control* focused = ObservedForm()->Focused();
    HWND child = focused ? ControlWindow(*focused) : nullptr;
    if (focused && focused->Kind() == ControlKind::TextBox) SendMessageA(child, EM_SETSEL, 0, -1);
    if (focused && focused->Kind() == ControlKind::ComboBox) SendMessageA(child, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}

}  // namespace qv
