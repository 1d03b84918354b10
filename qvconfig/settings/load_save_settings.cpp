// LoadSettings and SaveSettings: the settings key into the window's controls, and back.
#include <cstdint>
#include <optional>
#include <string>

#include "qvconfig/settings/disk_settings.h"
#include "qvconfig/settings/encodings.h"
#include "qvconfig/settings/numbers.h"
#include "qvconfig/settings/settings_key_values.h"
#include "qvconfig/window/editor.h"
#include "qvconfig/window/size_group.h"
#include "qvconfig/window/steppers.h"

namespace qv {

namespace {

constexpr std::int16_t DriveScrollCentre = 16384;

using S = DiskSettings;

// The loaded window starts every check box from the table's cleared value.
static_assert(ShowsCleared.value == CheckBox::Cleared, "a fresh check box is cleared");

// Keeps the settings key open for one load or one save and closes it on every way out.
class OpenedSettingsKey {
public:
    explicit OpenedSettingsKey(SettingsStore& store) : store_(store), open_(store.OpenSettingsKey()) {}
    ~OpenedSettingsKey() {
        if (open_) store_.CloseSettingsKey();
    }
    OpenedSettingsKey(const OpenedSettingsKey&) = delete;
    OpenedSettingsKey& operator=(const OpenedSettingsKey&) = delete;
    bool IsOpen() const { return open_; }

private:
    SettingsStore& store_;
    bool open_;
};

// ---- Reading -------------------------------------------------------------------

// Every value the window loads, each absent when it cannot be read; nullopt when the
// key itself cannot be opened.
std::optional<DiskSettings> ReadStoredSettings(SettingsStore& store) {
    OpenedSettingsKey key(store);
    if (!key.IsOpen()) return std::nullopt;
    DiskSettings s;
    for (const SettingsKeyValue& value : SettingsKeyValues) {
        if (value.type == StoredType::Text) {
            s.*value.text = store.ReadStringValue(value.name);
        } else {
            s.*value.number = store.ReadDwordValue(value.name);
        }
    }
    return s;
}

// ---- Showing the settings ---------------------------------------------------------
// Every write goes through the control's setter, so the editing rules run on the
// loaded values in this order, exactly as for the user. A value that the key lacks
// is shown as a fresh installation shows it, through the same setter.

bool IsTicked(int checkBoxValue) { return checkBoxValue == CheckBox::Ticked; }

int CheckBoxValue(const DiskSettings& s, NumberField field) {
    const std::optional<std::int32_t>& stored = s.*field;
    if (!stored) return FreshValueOf(field);
    return CheckBoxTickedFromStored(*stored) ? CheckBox::Ticked : CheckBox::Cleared;
}

std::string TextValue(const DiskSettings& s, TextField field) {
    const std::optional<std::string>& stored = s.*field;
    return stored ? *stored : FreshText(field);
}

// A box that governs a field: the box first, so that its rule runs on the loaded
// value, then the field made editable only while the box is ticked.
void ShowCheckBoxWithField(CheckBox& box, Control& field, int value) {
    box.SetValue(value);
    field.SetEnabled(IsTicked(value));
}

// A stored text that names no disk kind leaves the list as it was.
void ShowDiskType(ComboBox& list, const std::optional<std::string>& stored) {
    const std::optional<int> index =
        stored ? DiskTypeListIndexFromStored(*stored) : FreshValueOf(&S::DiskType);
    if (index) list.SetListIndex(*index);
}

// A number box shows the stored number, or a fresh installation's text; either way
// the value it shows, for its stepper.
float ShowNumber(TextBox& box, const std::optional<float>& stored, const char* fresh) {
    if (!stored) {
        box.SetText(fresh);
        return ToSingle(TextToNumber(fresh));
    }
    box.SetText(NumberToText(*stored));
    return *stored;
}

// A stored FAT32 choice also settles whether it may be changed: only for a hard
// disk above 32 MB. Without a stored choice the size box's rule has the last word.
void ShowFat32(Editor& e, const DiskSettings& s) {
    e.fat32Check.SetValue(CheckBoxValue(s, &S::DiskFormatFAT32));
    if (s.DiskFormatFAT32) e.fat32Check.SetEnabled(Fat32Available(e.diskTypeList, e.diskSizeBox));
}

void PlaceSteppers(Editor& e, double megabytes, double seconds) {
    PositionStepper(e.diskSizeStepper, e.LastSizeScroll, megabytes);
    PlaceStepperAt(e.driveLetterStepper, e.LastDriveScroll, DriveScrollCentre);
    PositionStepper(e.autoSaveIntervalStepper, e.LastAutoSaveScroll, seconds);
}

// A stored number in the window's single precision, or nothing for a value the key lacks.
std::optional<float> StoredAsSingle(const std::optional<std::int32_t>& stored,
                                    float (*convert)(std::int32_t)) {
    if (!stored) return std::nullopt;
    return convert(*stored);
}

// Shows the stored settings, and a fresh installation's value for each one the key lacks.
void ShowStoredSettings(Editor& e, const DiskSettings& s) {
    ShowDiskType(e.diskTypeList, s.DiskType);
    e.InstallDir = s.InstallDir ? InstallDirFromStored(*s.InstallDir) : FreshText(&S::InstallDir);
    ShowCheckBoxWithField(e.loadAtStartupCheck, e.loadFileBox, CheckBoxValue(s, &S::LoadImageOnStart));
    e.loadFileBox.SetText(TextValue(s, &S::LoadImageFile));
    e.saveOnShutdownCheck.SetValue(CheckBoxValue(s, &S::SaveImageOnExit));
    e.saveFileBox.SetText(TextValue(s, &S::SaveImageFile));
    const float megabytes = ShowNumber(e.diskSizeBox, StoredAsSingle(s.SizeIn4kPages, SizeMegabytesFromPages),
                                       FreshText(&S::SizeIn4kPages));
    // Whether or not a size was stored.
    EnableSizeGroup(e);
    ShowFat32(e, s);
    ShowCheckBoxWithField(e.autoSaveCheck, e.autoSaveIntervalBox, CheckBoxValue(s, &S::AutoSaveEnabled));
    const float seconds = ShowNumber(e.autoSaveIntervalBox, StoredAsSingle(s.AutoSaveTrigger, AutoSaveSecondsFromStored),
                                     FreshText(&S::AutoSaveTrigger));
    e.driveLetterBox.SetText(s.UserDriveLetter ? DriveLetterFromStored(*s.UserDriveLetter)
                                               : std::string(FreshText(&S::UserDriveLetter)));
    e.tempDirCheck.SetValue(CheckBoxValue(s, &S::MakeTempDir));
    e.diskLabelBox.SetText(TextValue(s, &S::DiskLabel));
    ShowCheckBoxWithField(e.diskLabelCheck, e.diskLabelBox, CheckBoxValue(s, &S::UseDiskLabel));
    e.startAtBootCheck.SetValue(CheckBoxValue(s, &S::BootEnable));
    PlaceSteppers(e, megabytes, seconds);
}

// With no key to read, the window shows the settings of a fresh installation, in an
// order of its own.
void ShowFreshSettings(Editor& e) {
    e.diskTypeList.SetListIndex(FreshValueOf(&S::DiskType));
    e.driveLetterBox.SetText(FreshText(&S::UserDriveLetter));
    e.fat32Check.SetEnabled(true);
    e.fat32Check.SetValue(FreshValueOf(&S::DiskFormatFAT32));
    e.loadAtStartupCheck.SetValue(FreshValueOf(&S::LoadImageOnStart));
    e.saveOnShutdownCheck.SetValue(FreshValueOf(&S::SaveImageOnExit));
    e.loadFileBox.SetText(FreshText(&S::LoadImageFile));
    e.loadFileBox.SetEnabled(IsTicked(FreshValueOf(&S::LoadImageOnStart)));
    e.saveFileBox.SetText(FreshText(&S::SaveImageFile));
    e.diskSizeBox.SetText(FreshText(&S::SizeIn4kPages));
    e.diskSizeBox.SetEnabled(true);
    e.autoSaveCheck.SetValue(FreshValueOf(&S::AutoSaveEnabled));
    e.autoSaveIntervalBox.SetText(FreshText(&S::AutoSaveTrigger));
    PositionStepper(e.autoSaveIntervalStepper, e.LastAutoSaveScroll, TextToNumber(e.autoSaveIntervalBox.Text()));
    e.autoSaveIntervalBox.SetEnabled(IsTicked(FreshValueOf(&S::AutoSaveEnabled)));
    PositionStepper(e.diskSizeStepper, e.LastSizeScroll, TextToNumber(e.diskSizeBox.Text()));
    PlaceStepperAt(e.driveLetterStepper, e.LastDriveScroll, DriveScrollCentre);
    e.diskLabelBox.SetText(FreshText(&S::DiskLabel));
    e.diskLabelBox.SetEnabled(IsTicked(FreshValueOf(&S::UseDiskLabel)));
    e.diskLabelCheck.SetValue(FreshValueOf(&S::UseDiskLabel));
    e.tempDirCheck.SetValue(FreshValueOf(&S::MakeTempDir));
    e.startAtBootCheck.SetValue(FreshValueOf(&S::BootEnable));
}

void ShowVersion(Label& label) {
    label.SetCaption("Version " + std::to_string(QV_VERSION_MAJOR) + "." + std::to_string(QV_VERSION_MINOR));
}

// A second load finds the kinds already in the list and does not repeat them.
void InsertDiskKinds(ComboBox& list) {
    if (!list.Items().empty()) return;
    for (const DiskKind& kind : DiskKinds) list.AddItem(kind.listEntry, ListIndexOf(kind.type));
}

// ---- Saving ---------------------------------------------------------------------

// The values as the window shows them, whether or not their controls are enabled.
// An empty drive-letter field has no letter to store: that field stays absent.
DiskSettings SettingsShownBy(const Editor& e) {
    DiskSettings s;
    s.DiskType = DiskTypeToStored(e.diskTypeList.ListIndex());
    s.LoadImageOnStart = CheckBoxToStored(e.loadAtStartupCheck.Value());
    s.LoadImageFile = e.loadFileBox.Text();
    s.SaveImageOnExit = CheckBoxToStored(e.saveOnShutdownCheck.Value());
    s.SaveImageFile = e.saveFileBox.Text();
    s.SizeIn4kPages = SizePagesFromText(e.diskSizeBox.Text());
    s.AutoSaveEnabled = CheckBoxToStored(e.autoSaveCheck.Value());
    s.DiskFormatFAT32 = CheckBoxToStored(e.fat32Check.Value());
    s.AutoSaveTrigger = AutoSaveTriggerFromText(e.autoSaveIntervalBox.Text());
    s.UserDriveLetter = DriveLetterToStored(e.driveLetterBox.Text());
    s.MakeTempDir = CheckBoxToStored(e.tempDirCheck.Value());
    s.UseDiskLabel = CheckBoxToStored(e.diskLabelCheck.Value());
    s.DiskLabel = e.diskLabelBox.Text();
    s.BootEnable = CheckBoxToStored(e.startAtBootCheck.Value());
    return s;
}

// Writes the values that the program writes (InstallDir belongs to the installation).
// False when the key could not be opened or any value could not be written.
bool WriteStoredSettings(SettingsStore& store, const DiskSettings& s) {
    OpenedSettingsKey key(store);
    if (!key.IsOpen()) return false;
    return WritePresentFields(
        s, Which::WrittenByTheProgram,
        [&store](const char* name, const std::string& text) { return store.WriteStringValue(name, text); },
        [&store](const char* name, std::int32_t number) { return store.WriteDwordValue(name, number); });
}

}  // namespace

void Editor::LoadSettings() {
    ShowVersion(version);
    InsertDiskKinds(diskTypeList);
    if (const auto stored = ReadStoredSettings(services_.store)) {
        ShowStoredSettings(*this, *stored);
    } else {
        ShowFreshSettings(*this);
        ShowFailure("Unable to open Quorvel registry key.", "Registry Read Failed");
        InstallDir = FreshText(&S::InstallDir);
    }
    // The rules that the load set off have raised the flag; what the window shows now is saved.
    SettingsChanged = false;
    ConnectToDriver();
}

// A key that cannot be opened and a value that cannot be written are told the same
// way, once: the user must not believe the settings are saved. The callers go on.
void Editor::SaveSettings() {
    if (WriteStoredSettings(services_.store, SettingsShownBy(*this))) return;
    ShowFailure("Unable to save Quorvel settings.", "Save Settings Failed");
}

}  // namespace qv
