// Drive letter rules: the field holds one upper-case letter from "A" to "Z", stepped by its arrows.
#include <string>

#include "qvconfig/window/editor.h"
#include "qvconfig/window/steppers.h"

namespace qv {

namespace {

constexpr unsigned char FirstLetter = 'A';
constexpr unsigned char LastLetter = 'Z';

// Characters are compared by their single-byte code: an accented letter is above "Z".
unsigned char FirstCode(const TextBox& field) {
    return static_cast<unsigned char>(field.Text().front());
}

std::string UpperCase(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

void ShowLetter(TextBox& field, unsigned char code) {
    field.SetText(std::string(1, static_cast<char>(code)));
    field.Refresh();
}

// The letter one code higher, unless the field already shows "Z".
bool StepLetterUp(TextBox& field) {
    if (FirstCode(field) >= LastLetter) return false;
    ShowLetter(field, static_cast<unsigned char>(FirstCode(field) + 1));
    return true;
}

// The letter one code lower, unless the field already shows "A".
bool StepLetterDown(TextBox& field) {
    if (FirstCode(field) <= FirstLetter) return false;
    ShowLetter(field, static_cast<unsigned char>(FirstCode(field) - 1));
    return true;
}

}  // namespace

// Each write below runs this rule again, which then finds an upper-case letter in range.
void Editor::OnDriveLetterChanged() {
    if (!driveLetterBox.Text().empty()) {
        driveLetterBox.SetText(UpperCase(driveLetterBox.Text()));
        if (FirstCode(driveLetterBox) > LastLetter) ShowLetter(driveLetterBox, LastLetter);
        if (FirstCode(driveLetterBox) < FirstLetter) ShowLetter(driveLetterBox, FirstLetter);
    }
    SettingsChanged = true;
}

// Any movement of the bar is one letter in its direction; a step past "Z" or "A",
// or any step while the field is empty, is undone.
void Editor::OnDriveLetterStepped() {
    const bool frozen = driveLetterBox.Text().empty();
    TakeStep(driveLetterStepper, LastDriveScroll, frozen, [&] { return StepLetterUp(driveLetterBox); },
             [&] { return StepLetterDown(driveLetterBox); });
    SettingsChanged = true;
}

}  // namespace qv
