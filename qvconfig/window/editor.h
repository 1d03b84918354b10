// Editor: the configuration window, its controls, members, operations and event handlers.
#pragma once

#include <cstdint>
#include <string>

#include "platform/services.h"
#include "qvconfig/window/form.h"

namespace qv {

// The window's declaration: every control of the configuration window, one row each.
const FormSpec& EditorSpec();

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
    Label& Label4;
    Label& Label5;
    Label& Label8;
    Frame& Frame1;
    Frame& Frame2;
    Frame& Frame3;
    Frame& Frame4;
    Frame& Frame5;
    Button& Command1;
    Button& Command2;
    Button& Command3;
    Button& Command4;
    Button& Command5;
    Button& Command6;
    Label& Label7;
    // Basic Settings
    Label& Label3;
    ComboBox& Combo1;
    Label& Label14;
    TextBox& DriveLetterText;
    ScrollBar& VScroll2;
    CheckBox& BootCheck;
    // Hard Disk Settings
    Label& Label6;
    TextBox& Text3;
    ScrollBar& VScroll1;
    Label& Label12;
    CheckBox& Fat32Enable;
    // Save Image Settings
    CheckBox& SaveCheckBox;
    TextBox& AutoSaveTime;
    ScrollBar& VScroll3;
    Label& Label11;
    CheckBox& SaveImage;
    Label& Label1;
    TextBox& Text2;
    // Load Image Settings
    CheckBox& DiskLabelCheckBox;
    TextBox& DiskLabelText;
    CheckBox& TempDirCheckBox;
    CheckBox& LoadImage;
    Label& Label2;
    TextBox& Text1;

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
