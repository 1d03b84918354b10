// Editor: the configuration window, its controls, members, operations and event handlers.
#pragma once

#include <cstdint>
#include <string>

#include "platform/services.h"
#include "qvconfig/window/form.h"

namespace qv {

// The window's declaration: every control of the configuration window, one row each.
const FormLayout& EditorLayout();

// The address that the web-link label shows and opens.
extern const char* const ProductWebAddress;

class Editor : public Form {
public:
    explicit Editor(Services services);

    // Public operations, in the order of their slots.
    // Asks the shell to carry out `sTopic` on `sFile` with the desktop window as owner.
    void RunShellExecute(const std::string& sTopic, const std::string& sFile,
                         const std::string& sParams, const std::string& sDirectory,
                         std::int32_t nShowCmd);
    bool StartDisk();
    void StopDisk();
    void SaveImageNow();
    void LoadSettings();
    void ConnectToDriver();

    // Failures of a load, a save or a driver operation: the error box (OK with the
    // exclamation icon, owned by the program's window), remembered for the life of
    // the window so that a windowless run can end with a status that says so.
    void ShowFailure(const std::string& text, const std::string& caption);
    bool MetFailure() const { return metFailure_; }

    // Members.
    std::int16_t SettingsChanged = 0;
    std::int16_t LastSizeScroll = 0;
    std::int16_t LastDriveScroll = 0;
    std::int16_t LastAutoSaveScroll = 0;
    std::string InstallDir;

    // Controls placed directly on the window.
    Label& Label4;                // "Quorvel", the product name
    Label& Label5;                // "Version 1.5"
    Label& Label8;                // the web link
    Frame& Frame1;                // "Hard Disk Settings"
    Frame& Frame2;                // "Load Image Settings"
    Frame& Frame3;                // "Save Image Settings"
    Frame& Frame4;                // "Basic Settings"
    Frame& Frame5;                // "Driver Status"
    Button& Command1;             // "OK"
    Button& Command2;             // "Cancel"
    Button& Command3;             // "Save Settings"
    Button& Command4;             // "Enable"
    Button& Command5;             // "Disable"
    Button& Command6;             // "Save Disk  Image"
    Label& Label7;                // "Configuration changes will take effect ..."
    // Basic Settings
    Label& Label3;                // "Disk Type:"
    ComboBox& Combo1;             // the disk type list
    Label& Label14;               // "Drive Letter:"
    TextBox& DriveLetterText;     // the drive letter
    ScrollBar& VScroll2;          // the drive letter's stepper
    CheckBox& BootCheck;          // "Start Driver at Boot"
    // Hard Disk Settings
    Label& Label6;                // "Disk Size:"
    TextBox& Text3;               // the size in MB
    ScrollBar& VScroll1;          // the size's stepper
    Label& Label12;               // "MB"
    CheckBox& Fat32Enable;        // "FAT32 format "
    // Save Image Settings
    CheckBox& SaveCheckBox;       // "AutoSave"
    TextBox& AutoSaveTime;        // the AutoSave interval in seconds
    ScrollBar& VScroll3;          // the interval's stepper
    Label& Label11;               // "sec"
    CheckBox& SaveImage;          // "Save Disk Image on Shutdown"
    Label& Label1;                // " Filename:" of the save
    TextBox& Text2;               // the image file saved to
    // Load Image Settings
    CheckBox& DiskLabelCheckBox;  // "Disk Label:"
    TextBox& DiskLabelText;       // the volume label
    CheckBox& TempDirCheckBox;    // "Create TEMP directory"
    CheckBox& LoadImage;          // "Load Disk Image at Startup"
    Label& Label2;                // "Filename:" of the load
    TextBox& Text1;               // the image file loaded from

protected:
    void Form_Load() override;

private:
    void BindHandlers();
    void SaveSettings();

    // Buttons and the web link (window/editor.cpp, driver/driver_operations.cpp).
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Label8_Click();

    // Disk type and size (window/disk_size_rules.cpp).
    void ApplyDiskTypeRule();
    void Combo1_Click();
    void Combo1_Change();
    void Text3_Change();
    void Text3_LostFocus();
    void VScroll1_Change();
    void Fat32Enable_Click();

    // Drive letter (window/drive_letter_rules.cpp).
    void DriveLetterText_Change();
    void VScroll2_Change();

    // Image, AutoSave, label, TEMP directory and boot (window/image_option_rules.cpp).
    void LoadImage_Click();
    void DiskLabelCheckBox_Click();
    void TempDirCheckBox_Click();
    void SaveImage_Click();
    void SaveCheckBox_Click();
    void BootCheck_Click();
    void Text1_Change();
    void Text2_Change();
    void DiskLabelText_Change();
    void AutoSaveTime_LostFocus();
    void VScroll3_Change();

    Services services_;
    bool metFailure_ = false;
};

}  // namespace qv
