// What the editing-rule tests share: a recorder of the window's changes, in the order they happen.
#pragma once

#include <string>
#include <vector>

#include "qvconfig/window/form.h"

namespace qv {

// Records "Name.Text=...", "Name.Enabled=0/1" and "Name.Value=..." for every change
// the model reports while it is attached.
class ChangeLog : public FormObserver {
public:
    explicit ChangeLog(Form& form) : form_(form) { form_.SetObserver(this); }
    ~ChangeLog() override { form_.SetObserver(nullptr); }

    std::vector<std::string> entries;

    // Only the entries of one control, in order.
    std::vector<std::string> Of(const std::string& name) const {
        std::vector<std::string> mine;
        for (const std::string& entry : entries) {
            if (entry.compare(0, name.size() + 1, name + ".") == 0) mine.push_back(entry);
        }
        return mine;
    }

    void OnControlChanged(Control& control, ControlProperty property) override {
        const std::string name = control.Name();
        switch (property) {
            case ControlProperty::Text: entries.push_back(name + ".Text=" + control.Text()); break;
            case ControlProperty::Enabled: entries.push_back(name + ".Enabled=" + (control.Enabled() ? "1" : "0")); break;
            case ControlProperty::Value: entries.push_back(name + ".Value=" + ValueOf(control)); break;
            default: break;
        }
    }
    void OnShown() override {}
    void OnUnloaded() override {}

private:
    static std::string ValueOf(Control& control) {
        if (auto* box = dynamic_cast<CheckBox*>(&control)) return std::to_string(box->Value());
        if (auto* bar = dynamic_cast<ScrollBar*>(&control)) return std::to_string(bar->Value());
        return "?";
    }

    Form& form_;
};

}  // namespace qv
