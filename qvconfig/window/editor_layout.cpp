// The configuration window's controls as data: one row each, and the keyboard focus order.
#include "qvconfig/window/editor.h"

#include <iterator>

namespace qv {

const char* const ProductWebAddress = "http://www.quorvel.com/";

namespace {

constexpr Font Arial9Bold{"Arial", 9.0, true, false, false};
constexpr Font Arial825Bold{"Arial", 8.25, true, false, false};
constexpr Font ProductFont{"Arial", 21.75, true, true, false};
constexpr Font LinkFont{"MS Sans Serif", 9.75, false, false, true};

constexpr auto L = ControlKind::Label;
constexpr auto F = ControlKind::Frame;
constexpr auto B = ControlKind::Button;
constexpr auto C = ControlKind::CheckBox;
constexpr auto T = ControlKind::TextBox;
constexpr auto D = ControlKind::ComboBox;
constexpr auto S = ControlKind::ScrollBar;
constexpr auto Left = Alignment::Left;
constexpr auto Centre = Alignment::Center;

const ControlRow kControls[] = {
    // name, kind, caption or text, tool tip, {left, top, width, height}, frame, font, colour, alignment, typing limit
    {"productName", L, "Quorvel", nullptr, {1680, 0, 3075, 510}, nullptr, ProductFont, Rgb(255, 0, 0), Centre, 0},
    {"version", L, "Version 0", nullptr, {2760, 480, 825, 225}, nullptr, Arial9Bold, DefaultColour, Centre, 0},
    {"webLink", L, ProductWebAddress, "Quorvel web page", {1560, 720, 3375, 255}, nullptr, LinkFont, Rgb(0, 0, 192), Centre, 0},
    {"driverStatusFrame", F, "Driver Status", nullptr, {120, 960, 6375, 1215}, nullptr, Arial825Bold, HighlightColour, Left, 0},
    {"basicFrame", F, "Basic Settings", nullptr, {120, 2160, 3135, 1455}, nullptr, Arial825Bold, HighlightColour, Left, 0},
    {"hardDiskFrame", F, "Hard Disk Settings", nullptr, {3360, 2160, 3135, 1335}, nullptr, Arial825Bold, HighlightColour, Left, 0},
    {"saveImageFrame", F, "Save Image Settings", nullptr, {120, 3720, 3135, 1815}, nullptr, Arial825Bold, HighlightColour, Left, 0},
    {"loadImageFrame", F, "Load Image Settings", nullptr, {3360, 3600, 3135, 1935}, nullptr, Arial825Bold, HighlightColour, Left, 0},
    {"okButton", B, "OK", "Save Quorvel configuration and exit.", {240, 5640, 1455, 495}, nullptr, Arial9Bold, DefaultColour, Centre, 0},
    {"saveSettingsButton", B, "Save Settings", "Save Quorvel configuration.", {1800, 5640, 1455, 495}, nullptr, Arial9Bold, DefaultColour, Centre, 0},
    {"cancelButton", B, "Cancel", "Exit without saving changes.", {3360, 5640, 1455, 495}, nullptr, Arial9Bold, DefaultColour, Centre, 0},
    {"saveDiskImageButton", B, "Save Disk  Image", "Save disk image to file.", {4920, 5640, 1455, 495}, nullptr, Arial825Bold, DefaultColour, Centre, 0},
    // Driver Status
    {"enableButton", B, "Enable", "Start the Quorvel driver.", {960, 240, 1695, 495}, "driverStatusFrame", Arial9Bold, DefaultColour, Centre, 0},
    {"disableButton", B, "Disable", "Stop the Quorvel driver.", {3720, 240, 1695, 495}, "driverStatusFrame", Arial9Bold, DefaultColour, Centre, 0},
    {"restartNote", L, "Configuration changes will take effect the next time the driver is enabled. ", nullptr, {120, 840, 6135, 255}, "driverStatusFrame", Arial825Bold, DefaultColour, Centre, 0},
    // Basic Settings
    {"diskTypeLabel", L, "Disk Type:", nullptr, {120, 360, 975, 255}, "basicFrame", Arial9Bold, DefaultColour, Left, 0},
    {"diskTypeList", D, "", "Select disk type.", {1080, 240, 1815, 345}, "basicFrame", Arial9Bold, DefaultColour, Left, 0},
    {"driveLetterLabel", L, "Drive Letter:", nullptr, {360, 720, 1095, 255}, "basicFrame", Arial9Bold, DefaultColour, Left, 0},
    {"driveLetterBox", T, "", "Select RAM drive letter.", {1560, 600, 855, 375}, "basicFrame", Arial9Bold, DefaultColour, Centre, 1},
    {"driveLetterStepper", S, "", nullptr, {2400, 600, 255, 375}, "basicFrame", Arial9Bold, DefaultColour, Left, 0},
    {"startAtBootCheck", C, "Start Driver at Boot", nullptr, {600, 1080, 2055, 255}, "basicFrame", Arial9Bold, DefaultColour, Left, 0},
    // Hard Disk Settings
    {"diskSizeLabel", L, "Disk Size:", nullptr, {240, 480, 855, 255}, "hardDiskFrame", Arial9Bold, DefaultColour, Left, 0},
    {"diskSizeBox", T, "", "Enter RAM disk size in MB.", {1200, 360, 855, 375}, "hardDiskFrame", Arial9Bold, DefaultColour, Centre, 0},
    {"diskSizeStepper", S, "", nullptr, {2040, 360, 255, 375}, "hardDiskFrame", Arial9Bold, DefaultColour, Left, 0},
    {"megabytesLabel", L, "MB", nullptr, {2400, 480, 375, 255}, "hardDiskFrame", Arial9Bold, DefaultColour, Left, 0},
    {"fat32Check", C, "FAT32 format ", "Format disk using FAT32.", {840, 840, 1455, 255}, "hardDiskFrame", Arial9Bold, DefaultColour, Left, 0},
    // Save Image Settings
    {"autoSaveCheck", C, "AutoSave", "Enable disk image save (if modified) at fixed time interval.", {120, 360, 1215, 255}, "saveImageFrame", Arial9Bold, DefaultColour, Left, 0},
    {"autoSaveIntervalBox", T, "", "Enter time interval for AutoSave check.", {1320, 360, 855, 375}, "saveImageFrame", Arial9Bold, DefaultColour, Centre, 0},
    {"autoSaveIntervalStepper", S, "", nullptr, {2160, 360, 255, 375}, "saveImageFrame", Arial9Bold, DefaultColour, Left, 0},
    {"secondsLabel", L, "sec", nullptr, {2520, 360, 375, 255}, "saveImageFrame", Arial9Bold, DefaultColour, Left, 0},
    {"saveOnShutdownCheck", C, "Save Disk Image on Shutdown", "Enable disk image save for AutoSave or driver shutdown.", {120, 840, 2895, 255}, "saveImageFrame", Arial9Bold, DefaultColour, Left, 0},
    {"saveFileLabel", L, " Filename:", nullptr, {120, 1080, 975, 255}, "saveImageFrame", Arial9Bold, DefaultColour, Left, 0},
    {"saveFileBox", T, "", "Enter filename for disk image save.", {120, 1320, 2775, 375}, "saveImageFrame", Arial9Bold, DefaultColour, Left, 254},
    // Load Image Settings
    {"diskLabelCheck", C, "Disk Label:", "Create a disk label for the RAM disk.", {120, 315, 1335, 255}, "loadImageFrame", Arial9Bold, DefaultColour, Left, 0},
    {"diskLabelBox", T, "", "Enter a disk label.", {1560, 240, 1335, 360}, "loadImageFrame", Arial9Bold, DefaultColour, Left, 11},
    {"tempDirCheck", C, "Create TEMP directory", "Create a TEMP directory in the RAM disk.", {120, 675, 2415, 195}, "loadImageFrame", Arial9Bold, DefaultColour, Left, 0},
    {"loadAtStartupCheck", C, "Load Disk Image at Startup", "Enable disk image load when driver starts.", {120, 915, 2895, 255}, "loadImageFrame", Arial9Bold, DefaultColour, Left, 0},
    {"loadFileLabel", L, "Filename:", nullptr, {120, 1200, 975, 255}, "loadImageFrame", Arial9Bold, DefaultColour, Left, 0},
    {"loadFileBox", T, "", "Enter filename for disk image load.", {120, 1440, 2775, 375}, "loadImageFrame", Arial9Bold, DefaultColour, Left, 254},
};

const char* const kFocusOrder[] = {
    "okButton", "cancelButton", "saveSettingsButton", "fat32Check", "diskSizeStepper", "diskSizeBox",
    "diskLabelBox", "diskLabelCheck", "tempDirCheck", "loadFileBox", "loadAtStartupCheck", "autoSaveIntervalStepper",
    "autoSaveIntervalBox", "autoSaveCheck", "saveFileBox", "saveOnShutdownCheck", "driveLetterStepper", "driveLetterBox",
    "diskTypeList", "enableButton", "disableButton", "saveDiskImageButton", "startAtBootCheck",
};

const FormLayout kEditorLayout{
    "Quorvel Configuration Utility", 6615, 6195,
    kControls, std::size(kControls), kFocusOrder, std::size(kFocusOrder),
};

}  // namespace

const FormLayout& EditorLayout() { return kEditorLayout; }

}  // namespace qv
