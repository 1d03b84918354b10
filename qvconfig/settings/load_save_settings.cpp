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

constexpr std::int16_t DriveScrollCentre = 16384;

// The settings of a fresh installation, as the window shows them: all of them when
// there is no key, and each one that the key lacks in place of its stored value.
struct FallbackSettings {
    int diskTypeListIndex;
    int loadImage;  // check box values
    const char* loadImageFile;
    int saveImage;
    const char* saveImageFile;
    const char* size;  // megabytes
    int autoSave;
    int fat32;
    const char* autoSaveTime;  // seconds
    const char* driveLetter;
    int tempDir;
    int useDiskLabel;
    const char* diskLabel;
    int boot;
    const char* installDir;
};

constexpr FallbackSettings Fallback{
    ListIndexOf(DiskType::HDC),       // diskTypeList: "Hard Disk"
    CheckBox::Cleared,                // loadAtStartupCheck
    "c:\\qvdriver.img",               // loadFileBox
    CheckBox::Cleared,                // saveOnShutdownCheck
    "c:\\qvdriver.img",               // saveFileBox
    "10",                             // diskSizeBox
    CheckBox::Cleared,                // autoSaveCheck
    CheckBox::Cleared,                // fat32Check
    "600",                            // autoSaveIntervalBox
    "Z",                              // driveLetterBox
    CheckBox::Cleared,                // tempDirCheck
    CheckBox::Cleared,                // diskLabelCheck
    "QVDRIVER",                       // diskLabelBox
    CheckBox::Cleared,                // startAtBootCheck
    "C:\\Program Files\\Quorvel",     // InstallDir
};

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
// loaded values in this order, exactly as for the user. A value that the key lacks
// is shown as its fallback, through the same setter.

bool IsTicked(int checkBoxValue) { return checkBoxValue == CheckBox::Ticked; }

int CheckBoxValue(const std::optional<std::int32_t>& stored, int fallback) {
    if (!stored) return fallback;
    return CheckBoxTickedFromStored(*stored) ? CheckBox::Ticked : CheckBox::Cleared;
}

std::string TextValue(const std::optional<std::string>& stored, const char* fallback) {
    return stored ? *stored : fallback;
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
        stored ? DiskTypeListIndexFromStored(*stored) : Fallback.diskTypeListIndex;
    if (index) list.SetListIndex(*index);
}

// A number box shows the stored number, or its fallback text; either way the value
// it shows, for its stepper.
float ShowNumber(TextBox& box, const std::optional<float>& stored, const char* fallback) {
    if (!stored) {
        box.SetText(fallback);
        return ToSingle(TextToNumber(fallback));
    }
    box.SetText(NumberToText(*stored));
    return *stored;
}

// A stored FAT32 choice also settles whether it may be changed: only for a hard
// disk above 32 MB. Without a stored choice the size box's rule has the last word.
void ShowFat32(Editor& e, const std::optional<std::int32_t>& stored) {
    e.fat32Check.SetValue(CheckBoxValue(stored, Fallback.fat32));
    if (stored) e.fat32Check.SetEnabled(Fat32Available(e.diskTypeList, e.diskSizeBox));
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

// Shows the stored settings, and the fallback of each value the key lacks.
void ShowStoredSettings(Editor& e, const DiskSettings& s) {
    ShowDiskType(e.diskTypeList, s.DiskType);
    e.InstallDir = s.InstallDir ? InstallDirFromStored(*s.InstallDir) : Fallback.installDir;
    ShowCheckBoxWithField(e.loadAtStartupCheck, e.loadFileBox, CheckBoxValue(s.LoadImageOnStart, Fallback.loadImage));
    e.loadFileBox.SetText(TextValue(s.LoadImageFile, Fallback.loadImageFile));
    e.saveOnShutdownCheck.SetValue(CheckBoxValue(s.SaveImageOnExit, Fallback.saveImage));
    e.saveFileBox.SetText(TextValue(s.SaveImageFile, Fallback.saveImageFile));
    const float megabytes =
        ShowNumber(e.diskSizeBox, StoredAsSingle(s.SizeIn4kPages, SizeMegabytesFromPages), Fallback.size);
    // Whether or not a size was stored.
    EnableSizeGroup(e);
    ShowFat32(e, s.DiskFormatFAT32);
    ShowCheckBoxWithField(e.autoSaveCheck, e.autoSaveIntervalBox, CheckBoxValue(s.AutoSaveEnabled, Fallback.autoSave));
    const float seconds = ShowNumber(
        e.autoSaveIntervalBox, StoredAsSingle(s.AutoSaveTrigger, AutoSaveSecondsFromStored), Fallback.autoSaveTime);
    e.driveLetterBox.SetText(s.UserDriveLetter ? DriveLetterFromStored(*s.UserDriveLetter)
                                                : std::string(Fallback.driveLetter));
    e.tempDirCheck.SetValue(CheckBoxValue(s.MakeTempDir, Fallback.tempDir));
    e.diskLabelBox.SetText(TextValue(s.DiskLabel, Fallback.diskLabel));
    ShowCheckBoxWithField(e.diskLabelCheck, e.diskLabelBox,
                          CheckBoxValue(s.UseDiskLabel, Fallback.useDiskLabel));
    e.startAtBootCheck.SetValue(CheckBoxValue(s.BootEnable, Fallback.boot));
    PlaceSteppers(e, megabytes, seconds);
}

// With no key to read, the window shows the settings of a fresh installation, in an
// order of its own.
void ShowFallbackSettings(Editor& e) {
    e.diskTypeList.SetListIndex(Fallback.diskTypeListIndex);
    e.driveLetterBox.SetText(Fallback.driveLetter);
    e.fat32Check.SetEnabled(true);
    e.fat32Check.SetValue(Fallback.fat32);
    e.loadAtStartupCheck.SetValue(Fallback.loadImage);
    e.saveOnShutdownCheck.SetValue(Fallback.saveImage);
    e.loadFileBox.SetText(Fallback.loadImageFile);
    e.loadFileBox.SetEnabled(IsTicked(Fallback.loadImage));
    e.saveFileBox.SetText(Fallback.saveImageFile);
    e.diskSizeBox.SetText(Fallback.size);
    e.diskSizeBox.SetEnabled(true);
    e.autoSaveCheck.SetValue(Fallback.autoSave);
    e.autoSaveIntervalBox.SetText(Fallback.autoSaveTime);
    PositionStepper(e.autoSaveIntervalStepper, e.LastAutoSaveScroll, TextToNumber(e.autoSaveIntervalBox.Text()));
    e.autoSaveIntervalBox.SetEnabled(IsTicked(Fallback.autoSave));
    PositionStepper(e.diskSizeStepper, e.LastSizeScroll, TextToNumber(e.diskSizeBox.Text()));
    PlaceStepperAt(e.driveLetterStepper, e.LastDriveScroll, DriveScrollCentre);
    e.diskLabelBox.SetText(Fallback.diskLabel);
    e.diskLabelBox.SetEnabled(IsTicked(Fallback.useDiskLabel));
    e.diskLabelCheck.SetValue(Fallback.useDiskLabel);
    e.tempDirCheck.SetValue(Fallback.tempDir);
    e.startAtBootCheck.SetValue(Fallback.boot);
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
    ShowVersion(version);
    InsertDiskKinds(diskTypeList);
    if (const auto stored = ReadStoredSettings(services_.store)) {
        ShowStoredSettings(*this, *stored);
    } else {
        ShowFallbackSettings(*this);
        ShowFailure("Unable to open Quorvel registry key.", "Registry Read Failed");
        InstallDir = Fallback.installDir;
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
