// The control model: labels, frames, buttons, check boxes, text boxes, the editable
// drop-down list and vertical scroll bars, with the event model the editing rules need.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qv {

class Form;

enum class ControlKind { Label, Frame, Button, CheckBox, TextBox, ComboBox, ScrollBar };
enum class Alignment { Left, Center, Right };

// Position and size in twips (1/1440 inch), relative to the client area or, for a
// control inside a frame, to the frame's outer top-left corner.
struct TwipsBox {
    int left;
    int top;
    int width;
    int height;
};

struct Font {
    const char* face;
    double points;
    bool bold;
    bool italic;
    bool underline;
};

struct Colour {
    enum class Kind { Default, Highlight, Rgb };
    Kind kind;
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};
constexpr Colour DefaultColour{Colour::Kind::Default, 0, 0, 0};
constexpr Colour HighlightColour{Colour::Kind::Highlight, 0, 0, 0};
constexpr Colour Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return Colour{Colour::Kind::Rgb, r, g, b};
}

// One row of a window's control table.
struct ControlRow {
    const char* name;
    ControlKind kind;
    const char* text;     // caption or initial text; "" for a scroll bar
    const char* tooltip;  // nullptr: no tool tip
    TwipsBox box;
    const char* frame;  // name of the enclosing frame; nullptr: placed on the window
    Font font;
    Colour colour;
    Alignment alignment;
    int typingLimit;  // text boxes: most characters the user can type; 0: no limit
};

enum class ControlProperty { Text, Enabled, Value, ListIndex, Items, Repaint };

// A handler bound to a control event; empty means the event has no rule.
using Handler = std::function<void()>;

class Control {
public:
    Control(Form& form, const ControlRow& layout);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const ControlRow& Layout() const { return layout_; }
    const char* Name() const { return layout_.name; }
    ControlKind Kind() const { return layout_.kind; }
    Form& Owner() const { return form_; }

    // Caption of a label, frame, button or check box; text of a text box or the list.
    const std::string& Text() const { return text_; }

    bool Enabled() const { return enabled_; }
    // Enabling or disabling runs no rule.
    void SetEnabled(bool enabled);

    // Asks the view to repaint the control now.
    void Refresh();

    // Labels and frames never take the focus; the others do while enabled.
    bool CanTakeFocus() const;

    Handler OnLostFocus;

protected:
    void Notify(ControlProperty property);
    // Stores a new text; true when it differs from the old one.
    bool StoreText(const std::string& text);

private:
    Form& form_;
    const ControlRow& layout_;
    std::string text_;
    bool enabled_ = true;
};

class Label : public Control {
public:
    using Control::Control;
    void SetCaption(const std::string& caption);
    // The user clicks the label.
    void Click();
    Handler OnClick;
};

class Frame : public Control {
public:
    using Control::Control;
};

class Button : public Control {
public:
    using Control::Control;
    // The button is pressed (by the user, or by code as if the user had).
    void Click();
    Handler OnClick;
};

class CheckBox : public Control {
public:
    static constexpr int Cleared = 0;
    static constexpr int Ticked = 1;
    static constexpr int Grayed = 2;

    using Control::Control;
    int Value() const { return value_; }
    bool IsTicked() const { return value_ == Ticked; }
    // Sets the value; runs the click rule when the value changes, whoever set it.
    void SetValue(int value);
    // The user clicks the box: a ticked box is cleared, any other is ticked.
    void UserClick();
    Handler OnClick;

private:
    int value_ = Cleared;
};

class TextBox : public Control {
public:
    using Control::Control;
    int TypingLimit() const { return Layout().typingLimit; }
    // Text put in by code: never cut; runs the change rule when the text changes.
    void SetText(const std::string& text);
    // The user types or pastes `characters` at the end of the text; what would pass
    // the typing limit is refused.
    void Type(const std::string& characters);
    // The text as the user left it after an edit in the view (the view's own box
    // enforces the typing limit); runs the change rule when it changed.
    void UserEdited(const std::string& text);
    Handler OnChange;
};

class ComboBox : public Control {
public:
    using Control::Control;
    const std::vector<std::string>& Items() const { return items_; }
    int ListIndex() const { return listIndex_; }
    // Inserts an item at `position` (at the end when out of range). Runs no rule.
    void AddItem(const std::string& item, int position);
    // Selects an item (-1: none) by code or by the user's pick; the text becomes the
    // item's. Runs the item-selected rule when the index changes.
    void SetListIndex(int index);
    // The user edits the text field: the index becomes that of an item with exactly
    // this text, or -1. Runs the text-changed rule when the text changed.
    void UserEdited(const std::string& text);
    Handler OnClick;   // item selected
    Handler OnChange;  // text edited

private:
    std::vector<std::string> items_;
    int listIndex_ = -1;
};

class ScrollBar : public Control {
public:
    static constexpr int Min = 0;
    static constexpr int Max = 32767;
    static constexpr int SmallChange = 1;
    static constexpr int LargeChange = 1;

    using Control::Control;
    int Value() const { return value_; }
    // Sets the value, kept within Min..Max; runs the change rule when it changed.
    // Every change is one event, however large.
    void SetValue(int value);
    // User actions, each one value change: the upper arrow lowers the value.
    void LineUp() { SetValue(value_ - SmallChange); }
    void LineDown() { SetValue(value_ + SmallChange); }
    void PageUp() { SetValue(value_ - LargeChange); }
    void PageDown() { SetValue(value_ + LargeChange); }
    void Home() { SetValue(Min); }
    void End() { SetValue(Max); }
    // A thumb drag, reported once when the thumb is released at `position`.
    void ThumbReleased(int position) { SetValue(position); }
    Handler OnChange;

private:
    int value_ = 0;
};

}  // namespace qv
