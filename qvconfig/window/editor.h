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
    // Asks the shell to carry out `topic` on `file` with the desktop window as owner.
    void RunShellExecute(const std::string& topic, const std::string& file,
                         const std::string& parameters, const std::string& directory,
                         std::int32_t showCommand);
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
    bool SettingsChanged = false;
    std::int16_t LastSizeScroll = 0;
    std::int16_t LastDriveScroll = 0;
    std::int16_t LastAutoSaveScroll = 0;
    std::string InstallDir;

    // Controls placed directly on the window.
    Label& productName;
    Label& version;
    Label& webLink;
    Frame& hardDiskFrame;
    Frame& loadImageFrame;
    Frame& saveImageFrame;
    Frame& basicFrame;
    Frame& driverStatusFrame;
    Button& okButton;
    Button& cancelButton;
    Button& saveSettingsButton;
    Button& enableButton;
    Button& disableButton;
    Button& saveDiskImageButton;
    Label& restartNote;
    // Basic Settings
    Label& diskTypeLabel;
    ComboBox& diskTypeList;
    Label& driveLetterLabel;
    TextBox& driveLetterBox;
    ScrollBar& driveLetterStepper;
    CheckBox& startAtBootCheck;
    // Hard Disk Settings
    Label& diskSizeLabel;
    TextBox& diskSizeBox;
    ScrollBar& diskSizeStepper;
    Label& megabytesLabel;
    CheckBox& fat32Check;
    // Save Image Settings
    CheckBox& autoSaveCheck;
    TextBox& autoSaveIntervalBox;
    ScrollBar& autoSaveIntervalStepper;
    Label& secondsLabel;
    CheckBox& saveOnShutdownCheck;
    Label& saveFileLabel;
    TextBox& saveFileBox;
    // Load Image Settings
    CheckBox& diskLabelCheck;
    TextBox& diskLabelBox;
    CheckBox& tempDirCheck;
    CheckBox& loadAtStartupCheck;
    Label& loadFileLabel;
    TextBox& loadFileBox;

protected:
    void OnLoad() override;

private:
    void BindHandlers();
    void SaveSettings();

    // Buttons and the web link (window/editor.cpp, driver/driver_operations.cpp).
    void OnOkClicked();
    void OnCancelClicked();
    void OnSaveSettingsClicked();
    void OnEnableClicked();
    void OnDisableClicked();
    void OnSaveDiskImageClicked();
    void OnWebLinkClicked();

    // Disk type and size (window/disk_size_rules.cpp).
    void ApplyDiskTypeRule();
    void OnDiskTypePicked();
    void OnDiskTypeEdited();
    void OnDiskSizeChanged();
    void OnDiskSizeLostFocus();
    void OnDiskSizeStepped();
    void OnFat32Clicked();

    // Drive letter (window/drive_letter_rules.cpp).
    void OnDriveLetterChanged();
    void OnDriveLetterStepped();

    // Image, AutoSave, label, TEMP directory and boot (window/image_option_rules.cpp).
    void OnLoadAtStartupClicked();
    void OnDiskLabelCheckClicked();
    void OnTempDirClicked();
    void OnSaveOnShutdownClicked();
    void OnAutoSaveClicked();
    void OnStartAtBootClicked();
    void OnLoadFileChanged();
    void OnSaveFileChanged();
    void OnDiskLabelChanged();
    void OnAutoSaveIntervalLostFocus();
    void OnAutoSaveIntervalStepped();

    Services services_;
    bool metFailure_ = false;
};

}  // namespace qv
