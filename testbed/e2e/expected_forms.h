// What the windows must show, written down independently of the program's own tables:
// each control's kind, text and box in pixels at 96 DPI, relative to the client area
// (a control inside a frame has the frame's offset added).
#pragma once

#include <iterator>

namespace qve2e {

enum class Kind { Label, Frame, Button, CheckBox, TextBox, DropDown, ScrollBar };

// Marks what a row does not fix: a text that a test checks on its own, or a size
// that follows the text (the notices' product label).
constexpr const char* kOwnTest = nullptr;
constexpr int kFollowsText = -1;

struct ExpectedControl {
    const char* name;
    Kind kind;
    const char* text;
    int left, top, width, height;
    bool enabledWithSetupsKey;  // after loading the key a setup leaves, with no driver
    // A one-line label whose text is wider than its box grows around the box's centre.
    bool growsAroundCentre = false;
};

struct ExpectedForm {
    const char* caption;
    int clientWidth, clientHeight;
    const ExpectedControl* controls;
    int count;
};

constexpr auto L = Kind::Label;
constexpr auto F = Kind::Frame;
constexpr auto B = Kind::Button;
constexpr auto C = Kind::CheckBox;
constexpr auto T = Kind::TextBox;
constexpr auto D = Kind::DropDown;
constexpr auto S = Kind::ScrollBar;

// As the key a setup leaves (no settings, only the installation's values) loads: the
// settings of a fresh installation, a 10 MB hard disk, too small for FAT32, with the
// fields of the unticked boxes disabled. With no driver only "Enable" of the three
// driver buttons is usable.
inline constexpr ExpectedControl kEditorControls[] = {
    {"productName", L, "Quorvel", 112, 0, 205, 34, true},
    {"version", L, kOwnTest, 184, 32, 55, 15, true, true},
    {"webLink", L, kOwnTest, 104, 48, 225, 17, true},
    {"driverStatusFrame", F, "Driver Status", 8, 64, 425, 81, true},
    {"basicFrame", F, "Basic Settings", 8, 144, 209, 97, true},
    {"hardDiskFrame", F, "Hard Disk Settings", 224, 144, 209, 89, true},
    {"saveImageFrame", F, "Save Image Settings", 8, 248, 209, 121, true},
    {"loadImageFrame", F, "Load Image Settings", 224, 240, 209, 129, true},
    {"okButton", B, "OK", 16, 376, 97, 33, true},
    {"saveSettingsButton", B, "Save Settings", 120, 376, 97, 33, true},
    {"cancelButton", B, "Cancel", 224, 376, 97, 33, true},
    {"saveDiskImageButton", B, "Save Disk  Image", 328, 376, 97, 33, false},
    {"enableButton", B, "Enable", 72, 80, 113, 33, true},
    {"disableButton", B, "Disable", 256, 80, 113, 33, false},
    {"restartNote", L, "Configuration changes will take effect the next time the driver is enabled. ", 16, 120, 409, 17, true},
    {"diskTypeLabel", L, "Disk Type:", 16, 168, 65, 17, true},
    {"diskTypeList", D, "Hard Disk", 80, 160, 121, 23, true},
    {"driveLetterLabel", L, "Drive Letter:", 32, 192, 73, 17, true},
    {"driveLetterBox", T, "Z", 112, 184, 57, 25, true},
    {"driveLetterStepper", S, "", 168, 184, 17, 25, true},
    {"startAtBootCheck", C, "Start Driver at Boot", 48, 216, 137, 17, true},
    {"diskSizeLabel", L, "Disk Size:", 240, 176, 57, 17, true},
    {"diskSizeBox", T, "10", 304, 168, 57, 25, true},
    {"diskSizeStepper", S, "", 360, 168, 17, 25, true},
    {"megabytesLabel", L, "MB", 384, 176, 25, 17, true},
    {"fat32Check", C, "FAT32 format ", 280, 200, 97, 17, false},
    {"autoSaveCheck", C, "AutoSave", 16, 272, 81, 17, true},
    {"autoSaveIntervalBox", T, "600", 96, 272, 57, 25, false},
    {"autoSaveIntervalStepper", S, "", 152, 272, 17, 25, true},
    {"secondsLabel", L, "sec", 176, 272, 25, 17, true},
    {"saveOnShutdownCheck", C, "Save Disk Image on Shutdown", 16, 304, 193, 17, true},
    {"saveFileLabel", L, " Filename:", 16, 320, 65, 17, true},
    {"saveFileBox", T, "c:\\qvdriver.img", 16, 336, 185, 25, true},
    {"diskLabelCheck", C, "Disk Label:", 232, 261, 89, 17, true},
    {"diskLabelBox", T, "QVDRIVER", 328, 256, 89, 24, false},
    {"tempDirCheck", C, "Create TEMP directory", 232, 285, 161, 13, true},
    {"loadAtStartupCheck", C, "Load Disk Image at Startup", 232, 301, 193, 17, true},
    {"loadFileLabel", L, "Filename:", 232, 320, 65, 17, true},
    {"loadFileBox", T, "c:\\qvdriver.img", 232, 336, 185, 25, false},
};

inline constexpr ExpectedForm kEditorForm{"Quorvel Configuration Utility", 441, 413, kEditorControls,
                                          static_cast<int>(std::size(kEditorControls))};

// The order in which Tab moves the focus, disabled controls aside.
inline constexpr const char* kEditorTabOrder[] = {
    "okButton",        "cancelButton",    "saveSettingsButton",     "fat32Check",  "diskSizeStepper",  "diskSizeBox",
    "diskLabelBox",   "diskLabelCheck", "tempDirCheck", "loadFileBox", "loadAtStartupCheck", "autoSaveIntervalStepper",
    "autoSaveIntervalBox",    "autoSaveCheck", "saveFileBox",       "saveOnShutdownCheck",    "driveLetterStepper",  "driveLetterBox",
    "diskTypeList",          "enableButton",    "disableButton",     "saveDiskImageButton",     "startAtBootCheck",
};

// The three text boxes that centre their text; the others align it left.
inline constexpr const char* kCentredTextBoxes[] = {"driveLetterBox", "diskSizeBox", "autoSaveIntervalBox"};

struct TypingLimit {
    const char* name;
    int characters;  // 0: none
};
inline constexpr TypingLimit kTypingLimits[] = {
    {"driveLetterBox", 1}, {"diskLabelBox", 11}, {"loadFileBox", 254},
    {"saveFileBox", 254},         {"diskSizeBox", 0},          {"autoSaveIntervalBox", 0},
};

inline constexpr ExpectedControl kLoadFailControls[] = {
    {"productName", L, "Quorvel", 48, 8, kFollowsText, kFollowsText, true},
    {"message", L,
     "Quorvel was unable to load the requested image file because the RAM disk size and the image file size "
     "were not compatible.",
     32, 64, 337, 49, true},
    {"note", L, "Please check the image file size and Quorvel settings.", 40, 128, 337, 25, true},
    {"okButton", B, "OK", 144, 160, 97, 33, true},
};
inline constexpr ExpectedForm kLoadFailForm{"Quorvel Image Load Error", 402, 213, kLoadFailControls,
                                            static_cast<int>(std::size(kLoadFailControls))};

// Two blanks after "created." and "ant" belong to the message as it stands.
inline constexpr ExpectedControl kNoDriveControls[] = {
    {"productName", L, "Quorvel", 48, 8, kFollowsText, kFollowsText, true},
    {"message", L,
     "Quorvel was unable to assign the requested drive letter. A RAM disk was not created.  Please check the "
     "drive letter settings for any conflicts with other drivers ant try again.",
     32, 64, 337, 81, true},
    {"okButton", B, "OK", 144, 152, 113, 41, true},
};
inline constexpr ExpectedForm kNoDriveForm{"Quorvel Drive Letter Allocation Error", 403, 210, kNoDriveControls,
                                           static_cast<int>(std::size(kNoDriveControls))};

}  // namespace qve2e
