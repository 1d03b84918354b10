// LoadSettings and SaveSettings: the settings key into the window's controls, and back.
#include <cstdint>
#include <optional>
#include <string>

#include "qvconfig/settings/disk_settings.h"
#include "qvconfig/settings/encodings.h"
#include "qvconfig/settings/numbers.h"
#include "qvconfig/window/editor.h"
#include "qvconfig/window/size_group.h"
#include "qvconfig/window/steppers.h"

namespace qv {

namespace {

constexpr const char* FallbackInstallDir = "C:\\Program Files\\Quorvel";
constexpr const char* DefaultImageFile = "c:\\qvdriver.img";
constexpr std::int16_t DriveScrollCentre = 16384;

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

// The fifteen values the window loads, each absent when it cannot be read;
// nullopt when the key itself cannot be opened.
std::optional<DiskSettings> ReadStoredSettings(SettingsStore& store) {
    OpenedSettingsKey key(store);
    if (!key.IsOpen()) return std::nullopt;
    namespace n = value_name;
    DiskSettings s;
    s.DiskType = store.ReadStringValue(n::DiskType);
    s.InstallDir = store.ReadStringValue(n::InstallDir);
    s.LoadImageOnStart = store.ReadDwordValue(n::LoadImageOnStart);
    s.LoadImageFile = store.ReadStringValue(n::LoadImageFile);
    s.SaveImageOnExit = store.ReadDwordValue(n::SaveImageOnExit);
    s.SaveImageFile = store.ReadStringValue(n::SaveImageFile);
    s.SizeIn4kPages = store.ReadDwordValue(n::SizeIn4kPages);
    s.DiskFormatFAT32 = store.ReadDwordValue(n::DiskFormatFAT32);
    s.AutoSaveEnabled = store.ReadDwordValue(n::AutoSaveEnabled);
    s.AutoSaveTrigger = store.ReadDwordValue(n::AutoSaveTrigger);
    s.UserDriveLetter = store.ReadDwordValue(n::UserDriveLetter);
    s.MakeTempDir = store.ReadDwordValue(n::MakeTempDir);
    s.DiskLabel = store.ReadStringValue(n::DiskLabel);
    s.UseDiskLabel = store.ReadDwordValue(n::UseDiskLabel);
    s.BootEnable = store.ReadDwordValue(n::BootEnable);
    return s;
}

// ---- Showing the settings ---------------------------------------------------------
// Every write goes through the control's setter, so the editing rules run on the
// loaded values in this order, exactly as for the user.

int CheckBoxValueFromStored(std::int32_t stored) {
    return CheckBoxTickedFromStored(stored) ? CheckBox::Ticked : CheckBox::Cleared;
}

void ShowCheckBox(CheckBox& box, const std::optional<std::int32_t>& stored) {
    if (stored) box.SetValue(CheckBoxValueFromStored(*stored));
}

// A box that governs a field: the box first, so that its rule runs on the loaded
// value, then the field made editable only while the box is ticked.
void ShowCheckBoxWithField(CheckBox& box, Control& field, const std::optional<std::int32_t>& stored) {
    if (!stored) return;
    box.SetValue(CheckBoxValueFromStored(*stored));
    field.SetEnabled(CheckBoxTickedFromStored(*stored));
}

void ShowText(TextBox& box, const std::optional<std::string>& stored) {
    if (stored) box.SetText(*stored);
}

void ShowDiskType(ComboBox& list, const std::optional<std::string>& stored) {
    if (!stored) return;
    if (const auto index = DiskTypeListIndexFromStored(*stored)) list.SetListIndex(*index);
}

// A stored FAT32 choice also settles whether it may be changed: only for a hard
// disk above 32 MB. Without a stored choice the size box's rule has the last word.
void ShowFat32(Editor& e, const std::optional<std::int32_t>& stored) {
    if (!stored) return;
    e.Fat32Enable.SetValue(CheckBoxValueFromStored(*stored));
    e.Fat32Enable.SetEnabled(Fat32Available(e.Combo1, e.Text3));
}

void PlaceSteppers(Editor& e, double megabytes, double seconds) {
    PositionStepper(e.VScroll1, e.LastSizeScroll, megabytes);
    PlaceStepperAt(e.VScroll2, e.LastDriveScroll, DriveScrollCentre);
    PositionStepper(e.VScroll3, e.LastAutoSaveScroll, seconds);
}

// Shows the stored settings; an absent value leaves its controls as they are.
void ShowStoredSettings(Editor& e, const DiskSettings& s) {
    ShowDiskType(e.Combo1, s.DiskType);
    if (s.InstallDir) e.InstallDir = InstallDirFromStored(*s.InstallDir);
    ShowCheckBoxWithField(e.LoadImage, e.Text1, s.LoadImageOnStart);
    ShowText(e.Text1, s.LoadImageFile);
    ShowCheckBox(e.SaveImage, s.SaveImageOnExit);
    ShowText(e.Text2, s.SaveImageFile);
    float megabytes = 0;
    if (s.SizeIn4kPages) {
        megabytes = SizeMegabytesFromPages(*s.SizeIn4kPages);
        e.Text3.SetText(NumberToText(megabytes));
    }
    // Whether or not a size was stored.
    EnableSizeGroup(e);
    ShowFat32(e, s.DiskFormatFAT32);
    ShowCheckBoxWithField(e.SaveCheckBox, e.AutoSaveTime, s.AutoSaveEnabled);
    float seconds = 0;
    if (s.AutoSaveTrigger) {
        seconds = AutoSaveSecondsFromStored(*s.AutoSaveTrigger);
        e.AutoSaveTime.SetText(NumberToText(seconds));
    }
    if (s.UserDriveLetter) e.DriveLetterText.SetText(DriveLetterFromStored(*s.UserDriveLetter));
    ShowCheckBox(e.TempDirCheckBox, s.MakeTempDir);
    ShowText(e.DiskLabelText, s.DiskLabel);
    ShowCheckBoxWithField(e.DiskLabelCheckBox, e.DiskLabelText, s.UseDiskLabel);
    ShowCheckBox(e.BootCheck, s.BootEnable);
    PlaceSteppers(e, megabytes, seconds);
}

// With no key to read, the window shows the settings of a fresh installation.
void ShowDefaultSettings(Editor& e) {
    e.Combo1.SetListIndex(ListIndexOf(DiskType::HDC));
    e.DriveLetterText.SetText("Z");
    e.Fat32Enable.SetEnabled(true);
    e.Fat32Enable.SetValue(CheckBox::Cleared);
    e.LoadImage.SetValue(CheckBox::Cleared);
    e.SaveImage.SetValue(CheckBox::Cleared);
    e.Text1.SetText(DefaultImageFile);
    e.Text1.SetEnabled(false);
    e.Text2.SetText(DefaultImageFile);
    e.Text3.SetText("10");
    e.Text3.SetEnabled(true);
    e.SaveCheckBox.SetValue(CheckBox::Cleared);
    e.AutoSaveTime.SetText("600");
    PositionStepper(e.VScroll3, e.LastAutoSaveScroll, TextToNumber(e.AutoSaveTime.Text()));
    e.AutoSaveTime.SetEnabled(false);
    PositionStepper(e.VScroll1, e.LastSizeScroll, TextToNumber(e.Text3.Text()));
    PlaceStepperAt(e.VScroll2, e.LastDriveScroll, DriveScrollCentre);
    e.DiskLabelText.SetText("QVDRIVER");
    e.DiskLabelText.SetEnabled(false);
    e.DiskLabelCheckBox.SetValue(CheckBox::Cleared);
    e.TempDirCheckBox.SetValue(CheckBox::Cleared);
    e.BootCheck.SetValue(CheckBox::Cleared);
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
    s.DiskType = DiskTypeToStored(e.Combo1.ListIndex());
    s.LoadImageOnStart = CheckBoxToStored(e.LoadImage.Value());
    s.LoadImageFile = e.Text1.Text();
    s.SaveImageOnExit = CheckBoxToStored(e.SaveImage.Value());
    s.SaveImageFile = e.Text2.Text();
    s.SizeIn4kPages = SizePagesFromText(e.Text3.Text());
    s.AutoSaveEnabled = CheckBoxToStored(e.SaveCheckBox.Value());
    s.DiskFormatFAT32 = CheckBoxToStored(e.Fat32Enable.Value());
    s.AutoSaveTrigger = AutoSaveTriggerFromText(e.AutoSaveTime.Text());
    s.UserDriveLetter = DriveLetterToStored(e.DriveLetterText.Text());
    s.MakeTempDir = CheckBoxToStored(e.TempDirCheckBox.Value());
    s.UseDiskLabel = CheckBoxToStored(e.DiskLabelCheckBox.Value());
    s.DiskLabel = e.DiskLabelText.Text();
    s.BootEnable = CheckBoxToStored(e.BootCheck.Value());
    return s;
}

// Writes the present fields and remembers whether every write succeeded; a failed
// write does not stop the ones after it.
class ValueWriter {
public:
    explicit ValueWriter(SettingsStore& store) : store_(store) {}
    void Write(const char* name, const std::optional<std::string>& text) {
        if (text) allWritten_ = store_.WriteStringValue(name, *text) && allWritten_;
    }
    void Write(const char* name, const std::optional<std::int32_t>& number) {
        if (number) allWritten_ = store_.WriteDwordValue(name, *number) && allWritten_;
    }
    bool AllWritten() const { return allWritten_; }

private:
    SettingsStore& store_;
    bool allWritten_ = true;
};

// Writes the fourteen settings in the save order (InstallDir and Executable belong to
// the installation and are never written). False when the key could not be opened
// or any value could not be written.
bool WriteStoredSettings(SettingsStore& store, const DiskSettings& s) {
    OpenedSettingsKey key(store);
    if (!key.IsOpen()) return false;
    namespace n = value_name;
    ValueWriter w(store);
    w.Write(n::DiskType, s.DiskType);
    w.Write(n::LoadImageOnStart, s.LoadImageOnStart);
    w.Write(n::LoadImageFile, s.LoadImageFile);
    w.Write(n::SaveImageOnExit, s.SaveImageOnExit);
    w.Write(n::SaveImageFile, s.SaveImageFile);
    w.Write(n::SizeIn4kPages, s.SizeIn4kPages);
    w.Write(n::AutoSaveEnabled, s.AutoSaveEnabled);
    w.Write(n::DiskFormatFAT32, s.DiskFormatFAT32);
    w.Write(n::AutoSaveTrigger, s.AutoSaveTrigger);
    w.Write(n::UserDriveLetter, s.UserDriveLetter);
    w.Write(n::MakeTempDir, s.MakeTempDir);
    w.Write(n::UseDiskLabel, s.UseDiskLabel);
    w.Write(n::DiskLabel, s.DiskLabel);
    w.Write(n::BootEnable, s.BootEnable);
    return w.AllWritten();
}

}  // namespace

void Editor::LoadSettings() {
    ShowVersion(Label5);
    InsertDiskKinds(Combo1);
    if (const auto stored = ReadStoredSettings(services_.store)) {
        ShowStoredSettings(*this, *stored);
    } else {
        ShowDefaultSettings(*this);
        ShowError(services_.ui, "Unable to open Quorvel registry key.", "Registry Read Failed");
        InstallDir = FallbackInstallDir;
    }
    // The rules that the load set off have raised the flag; what the window shows now is saved.
    SettingsChanged = 0;
    ConnectToDriver();
}

// A key that cannot be opened and a value that cannot be written are told the same
// way, once: the user must not believe the settings are saved. The callers go on.
void Editor::SaveSettings() {
    if (WriteStoredSettings(services_.store, SettingsShownBy(*this))) return;
    ShowError(services_.ui, "Unable to save Quorvel settings.", "Save Settings Failed");
}

}  // namespace qv
