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
    {"Label4", L, "Quorvel", 112, 0, 205, 34, true},
    {"Label5", L, kOwnTest, 184, 32, 55, 15, true, true},
    {"Label8", L, kOwnTest, 104, 48, 225, 17, true},
    {"Frame5", F, "Driver Status", 8, 64, 425, 81, true},
    {"Frame4", F, "Basic Settings", 8, 144, 209, 97, true},
    {"Frame1", F, "Hard Disk Settings", 224, 144, 209, 89, true},
    {"Frame3", F, "Save Image Settings", 8, 248, 209, 121, true},
    {"Frame2", F, "Load Image Settings", 224, 240, 209, 129, true},
    {"Command1", B, "OK", 16, 376, 97, 33, true},
    {"Command3", B, "Save Settings", 120, 376, 97, 33, true},
    {"Command2", B, "Cancel", 224, 376, 97, 33, true},
    {"Command6", B, "Save Disk  Image", 328, 376, 97, 33, false},
    {"Command4", B, "Enable", 72, 80, 113, 33, true},
    {"Command5", B, "Disable", 256, 80, 113, 33, false},
    {"Label7", L, "Configuration changes will take effect the next time the driver is enabled. ", 16, 120, 409, 17, true},
    {"Label3", L, "Disk Type:", 16, 168, 65, 17, true},
    {"Combo1", D, "Hard Disk", 80, 160, 121, 23, true},
    {"Label14", L, "Drive Letter:", 32, 192, 73, 17, true},
    {"DriveLetterText", T, "Z", 112, 184, 57, 25, true},
    {"VScroll2", S, "", 168, 184, 17, 25, true},
    {"BootCheck", C, "Start Driver at Boot", 48, 216, 137, 17, true},
    {"Label6", L, "Disk Size:", 240, 176, 57, 17, true},
    {"Text3", T, "10", 304, 168, 57, 25, true},
    {"VScroll1", S, "", 360, 168, 17, 25, true},
    {"Label12", L, "MB", 384, 176, 25, 17, true},
    {"Fat32Enable", C, "FAT32 format ", 280, 200, 97, 17, false},
    {"SaveCheckBox", C, "AutoSave", 16, 272, 81, 17, true},
    {"AutoSaveTime", T, "600", 96, 272, 57, 25, false},
    {"VScroll3", S, "", 152, 272, 17, 25, true},
    {"Label11", L, "sec", 176, 272, 25, 17, true},
    {"SaveImage", C, "Save Disk Image on Shutdown", 16, 304, 193, 17, true},
    {"Label1", L, " Filename:", 16, 320, 65, 17, true},
    {"Text2", T, "c:\\qvdriver.img", 16, 336, 185, 25, true},
    {"DiskLabelCheckBox", C, "Disk Label:", 232, 261, 89, 17, true},
    {"DiskLabelText", T, "QVDRIVER", 328, 256, 89, 24, false},
    {"TempDirCheckBox", C, "Create TEMP directory", 232, 285, 161, 13, true},
    {"LoadImage", C, "Load Disk Image at Startup", 232, 301, 193, 17, true},
    {"Label2", L, "Filename:", 232, 320, 65, 17, true},
    {"Text1", T, "c:\\qvdriver.img", 232, 336, 185, 25, false},
};

inline constexpr ExpectedForm kEditorForm{"Quorvel Configuration Utility", 441, 413, kEditorControls,
                                          static_cast<int>(std::size(kEditorControls))};

// The order in which Tab moves the focus, disabled controls aside.
inline constexpr const char* kEditorTabOrder[] = {
    "Command1",        "Command2",    "Command3",     "Fat32Enable",  "VScroll1",  "Text3",
    "DiskLabelText",   "DiskLabelCheckBox", "TempDirCheckBox", "Text1", "LoadImage", "VScroll3",
    "AutoSaveTime",    "SaveCheckBox", "Text2",       "SaveImage",    "VScroll2",  "DriveLetterText",
    "Combo1",          "Command4",    "Command5",     "Command6",     "BootCheck",
};

// The three text boxes that centre their text; the others align it left.
inline constexpr const char* kCentredTextBoxes[] = {"DriveLetterText", "Text3", "AutoSaveTime"};

struct TypingLimit {
    const char* name;
    int characters;  // 0: none
};
inline constexpr TypingLimit kTypingLimits[] = {
    {"DriveLetterText", 1}, {"DiskLabelText", 11}, {"Text1", 254},
    {"Text2", 254},         {"Text3", 0},          {"AutoSaveTime", 0},
};

inline constexpr ExpectedControl kLoadFailControls[] = {
    {"Label1", L, "Quorvel", 48, 8, kFollowsText, kFollowsText, true},
    {"Label2", L,
     "Quorvel was unable to load the requested image file because the RAM disk size and the image file size "
     "were not compatible.",
     32, 64, 337, 49, true},
    {"Label3", L, "Please check the image file size and Quorvel settings.", 40, 128, 337, 25, true},
    {"OKButton", B, "OK", 144, 160, 97, 33, true},
};
inline constexpr ExpectedForm kLoadFailForm{"Quorvel Image Load Error", 402, 213, kLoadFailControls,
                                            static_cast<int>(std::size(kLoadFailControls))};

// Two blanks after "created." and "ant" belong to the message as it stands.
inline constexpr ExpectedControl kNoDriveControls[] = {
    {"Label1", L, "Quorvel", 48, 8, kFollowsText, kFollowsText, true},
    {"Label2", L,
     "Quorvel was unable to assign the requested drive letter. A RAM disk was not created.  Please check the "
     "drive letter settings for any conflicts with other drivers ant try again.",
     32, 64, 337, 81, true},
    {"Command1", B, "OK", 144, 152, 113, 41, true},
};
inline constexpr ExpectedForm kNoDriveForm{"Quorvel Drive Letter Allocation Error", 403, 210, kNoDriveControls,
                                           static_cast<int>(std::size(kNoDriveControls))};

}  // namespace qve2e
