// Form: controls made from the table, focus moves with their lost-focus rules, load and unload.
#include "qvconfig/window/form.h"

#include <cstring>
#include <stdexcept>

namespace qv {

namespace {
std::unique_ptr<Control> MakeControl(Form& form, const ControlRow& layout) {
    switch (layout.kind) {
        case ControlKind::Label: return std::make_unique<Label>(form, layout);
        case ControlKind::Frame: return std::make_unique<Frame>(form, layout);
        case ControlKind::Button: return std::make_unique<Button>(form, layout);
        case ControlKind::CheckBox: return std::make_unique<CheckBox>(form, layout);
        case ControlKind::TextBox: return std::make_unique<TextBox>(form, layout);
        case ControlKind::ComboBox: return std::make_unique<ComboBox>(form, layout);
        case ControlKind::ScrollBar: return std::make_unique<ScrollBar>(form, layout);
    }
    throw std::logic_error("unknown control kind");
}
}  // namespace

Form::Form(const FormLayout& layout) : layout_(layout) {
    controls_.reserve(layout.controlCount);
    for (std::size_t i = 0; i < layout.controlCount; ++i) {
        controls_.push_back(MakeControl(*this, layout.controls[i]));
    }
}

// The observer outlives nothing it would still reach through this form.
Form::~Form() { SetObserver(nullptr); }

void Form::SetObserver(FormObserver* observer) {
    if (observer_ == observer) return;
    if (observer_) observer_->form_ = nullptr;
    if (observer) observer->StopObserving();
    observer_ = observer;
    if (observer_) observer_->form_ = this;
}

FormObserver::~FormObserver() { StopObserving(); }

void FormObserver::StopObserving() {
    if (form_) form_->SetObserver(nullptr);
}

Control* Form::Find(const std::string& name) const {
    for (const auto& control : controls_) {
        if (name == control->Name()) return control.get();
    }
    return nullptr;
}

Control& Form::Require(const char* name) const {
    Control* control = Find(name);
    if (!control) throw std::logic_error(std::string("no control named ") + name);
    return *control;
}

void Form::Load() {
    if (loaded_) return;
    loaded_ = true;
    OnLoad();
}

void Form::Show() {
    Load();
    if (shown_ || unloaded_) return;
    shown_ = true;
    if (!focused_) {
        for (Control* control : FocusOrder()) {
            if (control->CanTakeFocus()) {
                focused_ = control;
                break;
            }
        }
    }
    if (observer_) observer_->OnShown();
}

void Form::Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    shown_ = false;
    if (observer_) observer_->OnUnloaded();
}

void Form::SetFocus(Control& control) {
    if (focused_ == &control) return;
    Control* losing = focused_;
    focused_ = &control;
    if (losing && losing->OnLostFocus) losing->OnLostFocus();
}

std::vector<Control*> Form::FocusOrder() const {
    std::vector<Control*> order;
    for (std::size_t i = 0; i < layout_.focusCount; ++i) order.push_back(&Require(layout_.focusOrder[i]));
    return order;
}

void Form::FocusNext(bool backwards) {
    const std::vector<Control*> order = FocusOrder();
    if (order.empty()) return;
    const std::size_t count = order.size();
    std::size_t start = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (order[i] == focused_) start = i;
    }
    for (std::size_t step = 1; step <= count; ++step) {
        const std::size_t i = backwards ? (start + count - step) % count : (start + step) % count;
        if (order[i]->CanTakeFocus()) {
            SetFocus(*order[i]);
            return;
        }
    }
}

void Form::ClickButton(Button& button) {
    if (!button.Enabled()) return;
    SetFocus(button);
    button.Click();
}

void Form::ClickCheckBox(CheckBox& box) {
    if (!box.Enabled()) return;
    SetFocus(box);
    box.UserClick();
}

void Form::ClickScrollUp(ScrollBar& bar) {
    if (!bar.Enabled()) return;
    SetFocus(bar);
    bar.LineUp();
}

void Form::ClickScrollDown(ScrollBar& bar) {
    if (!bar.Enabled()) return;
    SetFocus(bar);
    bar.LineDown();
}

void Form::NotifyControlChanged(Control& control, ControlProperty property) {
    if (observer_) observer_->OnControlChanged(control, property);
}

}  // namespace qv
