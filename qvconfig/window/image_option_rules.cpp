// Image, AutoSave, label, TEMP directory and boot rules: the check boxes' dependencies and the AutoSave interval.
#include <cmath>

#include "qvconfig/settings/numbers.h"
#include "qvconfig/window/editor.h"
#include "qvconfig/window/steppers.h"

namespace qv {

namespace {

// The interval is a whole number of 4-second units from 20 to 32764 seconds.
constexpr double IntervalUnit = 4;
constexpr double LongestTypedInterval = 32767;
constexpr const char* LongestTypedIntervalText = "32767";
constexpr double ShortestInterval = 20;
constexpr const char* ShortestIntervalText = "20";
// A step up is taken while the interval is at most this, a step down while at least this.
constexpr double LongestSteppable = 32763;
constexpr double ShortestSteppable = 24;

double IntervalOf(const TextBox& field) { return TextToNumber(field.Text()); }

void ShowInterval(TextBox& field, double seconds) {
    field.SetText(NumberToText(seconds));
    field.Refresh();
}

}  // namespace

// Loading an image excludes a volume label and a TEMP directory.
void Editor::LoadImage_Click() {
    if (LoadImage.IsTicked()) {
        Text1.SetEnabled(true);
        DiskLabelText.SetEnabled(false);
        DiskLabelCheckBox.SetValue(CheckBox::Cleared);
        TempDirCheckBox.SetValue(CheckBox::Cleared);
    } else {
        Text1.SetEnabled(false);
    }
    SettingsChanged = 1;
}

void Editor::DiskLabelCheckBox_Click() {
    if (DiskLabelCheckBox.IsTicked()) {
        DiskLabelText.SetEnabled(true);
        LoadImage.SetValue(CheckBox::Cleared);
        Text1.SetEnabled(false);
    } else {
        DiskLabelText.SetEnabled(false);
    }
    SettingsChanged = 1;
}

void Editor::TempDirCheckBox_Click() {
    if (TempDirCheckBox.IsTicked()) {
        LoadImage.SetValue(CheckBox::Cleared);
        Text1.SetEnabled(false);
    }
    SettingsChanged = 1;
}

// AutoSave saves into the shutdown image, so it cannot stay on without it; ticking
// the shutdown save does not turn AutoSave on.
void Editor::SaveImage_Click() {
    if (!SaveImage.IsTicked()) {
        AutoSaveTime.SetEnabled(false);
        SaveCheckBox.SetValue(CheckBox::Cleared);
    }
    SettingsChanged = 1;
}

void Editor::SaveCheckBox_Click() {
    if (SaveCheckBox.IsTicked()) {
        AutoSaveTime.SetEnabled(true);
        SaveImage.SetValue(CheckBox::Ticked);
    } else {
        AutoSaveTime.SetEnabled(false);
    }
    SettingsChanged = 1;
}

void Editor::BootCheck_Click() { SettingsChanged = 1; }

// File names and the label are taken as typed.
void Editor::Text1_Change() { SettingsChanged = 1; }
void Editor::Text2_Change() { SettingsChanged = 1; }
void Editor::DiskLabelText_Change() { SettingsChanged = 1; }

// Leaving the interval field brings it into range, down to whole 4-second units, and
// positions its stepper; typing alone changes nothing.
void Editor::AutoSaveTime_LostFocus() {
    if (IntervalOf(AutoSaveTime) > LongestTypedInterval) AutoSaveTime.SetText(LongestTypedIntervalText);
    if (IntervalOf(AutoSaveTime) < ShortestInterval) AutoSaveTime.SetText(ShortestIntervalText);
    AutoSaveTime.SetText(NumberToText(std::floor(IntervalOf(AutoSaveTime) / IntervalUnit) * IntervalUnit));
    PositionStepper(VScroll3, LastAutoSaveScroll, IntervalOf(AutoSaveTime));
    AutoSaveTime.Refresh();
    SettingsChanged = 1;
}

// Any movement of the bar is one 4-second step; steps past the ends, and every step
// while AutoSave is off, are undone.
void Editor::VScroll3_Change() {
    const auto longer = [&] {
        if (IntervalOf(AutoSaveTime) > LongestSteppable) return false;
        ShowInterval(AutoSaveTime, IntervalOf(AutoSaveTime) + IntervalUnit);
        return true;
    };
    const auto shorter = [&] {
        if (IntervalOf(AutoSaveTime) < ShortestSteppable) return false;
        ShowInterval(AutoSaveTime, IntervalOf(AutoSaveTime) - IntervalUnit);
        return true;
    };
    TakeStep(VScroll3, LastAutoSaveScroll, !AutoSaveTime.Enabled(), longer, shorter);
    SettingsChanged = 1;
}

}  // namespace qv
