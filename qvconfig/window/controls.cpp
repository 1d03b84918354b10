// The control model's setters: each runs its control's rule at once, and only on a real change.
#include "qvconfig/window/controls.h"

#include <algorithm>

#include "qvconfig/window/form.h"

namespace qv {

namespace {
void Run(const Handler& handler) {
    if (handler) handler();
}
}  // namespace

Control::Control(Form& form, const ControlRow& layout)
    : form_(form), layout_(layout), text_(layout.text ? layout.text : "") {}

void Control::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    Notify(ControlProperty::Enabled);
}

void Control::Refresh() { Notify(ControlProperty::Repaint); }

bool Control::CanTakeFocus() const {
    return enabled_ && Kind() != ControlKind::Label && Kind() != ControlKind::Frame;
}

void Control::Notify(ControlProperty property) { form_.NotifyControlChanged(*this, property); }

bool Control::StoreText(const std::string& text) {
    if (text_ == text) return false;
    text_ = text;
    Notify(ControlProperty::Text);
    return true;
}

void Label::SetCaption(const std::string& caption) { StoreText(caption); }

void Label::Click() { Run(OnClick); }

void Button::Click() { Run(OnClick); }

void CheckBox::SetValue(int value) {
    if (value_ == value) return;
    value_ = value;
    Notify(ControlProperty::Value);
    Run(OnClick);
}

void CheckBox::UserClick() { SetValue(value_ == Ticked ? Cleared : Ticked); }

void TextBox::SetText(const std::string& text) {
    if (StoreText(text)) Run(OnChange);
}

void TextBox::Type(const std::string& characters) {
    std::string text = Text();
    for (char c : characters) {
        if (TypingLimit() > 0 && text.size() >= static_cast<std::size_t>(TypingLimit())) break;
        text += c;
    }
    UserEdited(text);
}

void TextBox::UserEdited(const std::string& text) { SetText(text); }

void ComboBox::AddItem(const std::string& item, int position) {
    if (position < 0 || position > static_cast<int>(items_.size())) {
        items_.push_back(item);
    } else {
        items_.insert(items_.begin() + position, item);
    }
    Notify(ControlProperty::Items);
}

void ComboBox::SetListIndex(int index) {
    if (index < -1 || index >= static_cast<int>(items_.size())) index = -1;
    if (listIndex_ == index) return;
    listIndex_ = index;
    if (index >= 0) StoreText(items_[static_cast<std::size_t>(index)]);
    Notify(ControlProperty::ListIndex);
    Run(OnClick);
}

void ComboBox::UserEdited(const std::string& text) {
    const auto match = std::find(items_.begin(), items_.end(), text);
    const int index = match == items_.end() ? -1 : static_cast<int>(match - items_.begin());
    const bool indexChanged = listIndex_ != index;
    listIndex_ = index;
    const bool textChanged = StoreText(text);
    if (indexChanged) Notify(ControlProperty::ListIndex);
    if (textChanged) Run(OnChange);
}

void ScrollBar::SetValue(int value) {
    value = std::clamp(value, Min, Max);
    if (value_ == value) return;
    value_ = value;
    Notify(ControlProperty::Value);
    Run(OnChange);
}

}  // namespace qv
