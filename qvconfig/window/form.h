// Form: a window of the model, owning its controls (made from its table), its focus and its life.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "qvconfig/window/controls.h"

namespace qv {

// A window's declaration: caption, client area in twips, control table and focus order.
struct FormLayout {
    const char* caption;
    int clientWidth;   // twips
    int clientHeight;  // twips
    const ControlRow* controls;
    std::size_t controlCount;
    const char* const* focusOrder;  // names of the controls that take the focus, in order
    std::size_t focusCount;
};

class Form;

// What a view of the form hears: every change of the model, as it happens. The form
// and its observer may die in either order: a form that goes first lets its observer
// go (ObservedForm() is then null), and an observer that goes first takes itself off
// its form.
class FormObserver {
public:
    FormObserver() = default;
    virtual ~FormObserver();
    FormObserver(const FormObserver&) = delete;
    FormObserver& operator=(const FormObserver&) = delete;

    virtual void OnControlChanged(Control& control, ControlProperty property) = 0;
    virtual void OnShown() = 0;
    virtual void OnUnloaded() = 0;

    // The form this observer is attached to; null when none, or when it is gone.
    Form* ObservedForm() const { return form_; }
    // Takes this observer off its form, which reports nothing more to it.
    void StopObserving();

private:
    friend class Form;
    Form* form_ = nullptr;
};

class Form {
public:
    explicit Form(const FormLayout& layout);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const FormLayout& Layout() const { return layout_; }
    const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }
    Control* Find(const std::string& name) const;
    // The control of that name and kind; a missing one is a fault of the table.
    template <class T>
    T& Get(const char* name) const {
        return dynamic_cast<T&>(Require(name));
    }

    // Runs the load step once: the window's creation. The view may attach before or after.
    void Load();
    bool IsLoaded() const { return loaded_; }
    // Shows the window and puts the focus on the first control of the focus order
    // that can take it, without running any lost-focus rule.
    void Show();
    bool IsShown() const { return shown_; }
    // Closes (unloads) the window; nothing is asked. Safe to call twice.
    void Unload();
    bool IsUnloaded() const { return unloaded_; }

    // Focus. Moving it runs the lost-focus rule of the control that loses it before
    // anything else happens (the caller acts on the new control afterwards).
    Control* Focused() const { return focused_; }
    void SetFocus(Control& control);
    // Tab and Shift+Tab: the next (previous) control of the focus order that can take it.
    void FocusNext(bool backwards = false);
    std::vector<Control*> FocusOrder() const;

    // User actions that involve the focus, as a user makes them.
    void ClickButton(Button& button);
    void ClickCheckBox(CheckBox& box);
    void ClickScrollUp(ScrollBar& bar);
    void ClickScrollDown(ScrollBar& bar);

    // One observer at a time; the one it replaces, and an observer that was watching
    // another form, are let go first. Null detaches.
    void SetObserver(FormObserver* observer);
    void NotifyControlChanged(Control& control, ControlProperty property);

protected:
    // The window's load step; the default has nothing to load.
    virtual void OnLoad() {}

private:
    Control& Require(const char* name) const;

    const FormLayout& layout_;
    std::vector<std::unique_ptr<Control>> controls_;
    Control* focused_ = nullptr;
    FormObserver* observer_ = nullptr;
    bool loaded_ = false;
    bool shown_ = false;
    bool unloaded_ = false;
};

}  // namespace qv
