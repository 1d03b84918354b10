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
void Editor::OnLoadAtStartupClicked() {
    if (loadAtStartupCheck.IsTicked()) {
        loadFileBox.SetEnabled(true);
        diskLabelBox.SetEnabled(false);
        diskLabelCheck.SetValue(CheckBox::Cleared);
        tempDirCheck.SetValue(CheckBox::Cleared);
    } else {
        loadFileBox.SetEnabled(false);
    }
    SettingsChanged = true;
}

void Editor::OnDiskLabelCheckClicked() {
    if (diskLabelCheck.IsTicked()) {
        diskLabelBox.SetEnabled(true);
        loadAtStartupCheck.SetValue(CheckBox::Cleared);
        loadFileBox.SetEnabled(false);
    } else {
        diskLabelBox.SetEnabled(false);
    }
    SettingsChanged = true;
}

void Editor::OnTempDirClicked() {
    if (tempDirCheck.IsTicked()) {
        loadAtStartupCheck.SetValue(CheckBox::Cleared);
        loadFileBox.SetEnabled(false);
    }
    SettingsChanged = true;
}

// AutoSave saves into the shutdown image, so it cannot stay on without it; ticking
// the shutdown save does not turn AutoSave on.
void Editor::OnSaveOnShutdownClicked() {
    if (!saveOnShutdownCheck.IsTicked()) {
        autoSaveIntervalBox.SetEnabled(false);
        autoSaveCheck.SetValue(CheckBox::Cleared);
    }
    SettingsChanged = true;
}

void Editor::OnAutoSaveClicked() {
    if (autoSaveCheck.IsTicked()) {
        autoSaveIntervalBox.SetEnabled(true);
        saveOnShutdownCheck.SetValue(CheckBox::Ticked);
    } else {
        autoSaveIntervalBox.SetEnabled(false);
    }
    SettingsChanged = true;
}

void Editor::OnStartAtBootClicked() { SettingsChanged = true; }

// File names and the label are taken as typed.
void Editor::OnLoadFileChanged() { SettingsChanged = true; }
void Editor::OnSaveFileChanged() { SettingsChanged = true; }
void Editor::OnDiskLabelChanged() { SettingsChanged = true; }

// Leaving the interval field brings it into range, down to whole 4-second units, and
// positions its stepper; typing alone changes nothing.
void Editor::OnAutoSaveIntervalLostFocus() {
    if (IntervalOf(autoSaveIntervalBox) > LongestTypedInterval) autoSaveIntervalBox.SetText(LongestTypedIntervalText);
    if (IntervalOf(autoSaveIntervalBox) < ShortestInterval) autoSaveIntervalBox.SetText(ShortestIntervalText);
    autoSaveIntervalBox.SetText(NumberToText(std::floor(IntervalOf(autoSaveIntervalBox) / IntervalUnit) * IntervalUnit));
    PositionStepper(autoSaveIntervalStepper, LastAutoSaveScroll, IntervalOf(autoSaveIntervalBox));
    autoSaveIntervalBox.Refresh();
    SettingsChanged = true;
}

// Any movement of the bar is one 4-second step; steps past the ends, and every step
// while AutoSave is off, are undone.
void Editor::OnAutoSaveIntervalStepped() {
    const auto longer = [&] {
        if (IntervalOf(autoSaveIntervalBox) > LongestSteppable) return false;
        ShowInterval(autoSaveIntervalBox, IntervalOf(autoSaveIntervalBox) + IntervalUnit);
        return true;
    };
    const auto shorter = [&] {
        if (IntervalOf(autoSaveIntervalBox) < ShortestSteppable) return false;
        ShowInterval(autoSaveIntervalBox, IntervalOf(autoSaveIntervalBox) - IntervalUnit);
        return true;
    };
    TakeStep(autoSaveIntervalStepper, LastAutoSaveScroll, !autoSaveIntervalBox.Enabled(), longer, shorter);
    SettingsChanged = true;
}

}  // namespace qv
