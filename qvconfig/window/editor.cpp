// Editor: its controls bound to their rules, the buttons that close the window, and the web link.
#include "qvconfig/window/editor.h"

#include "platform/show_command.h"

namespace qv {

Editor::Editor(Services services)
    : Form(EditorLayout()),
      productName(Get<Label>("productName")),
      version(Get<Label>("version")),
      webLink(Get<Label>("webLink")),
      hardDiskFrame(Get<Frame>("hardDiskFrame")),
      loadImageFrame(Get<Frame>("loadImageFrame")),
      saveImageFrame(Get<Frame>("saveImageFrame")),
      basicFrame(Get<Frame>("basicFrame")),
      driverStatusFrame(Get<Frame>("driverStatusFrame")),
      okButton(Get<Button>("okButton")),
      cancelButton(Get<Button>("cancelButton")),
      saveSettingsButton(Get<Button>("saveSettingsButton")),
      enableButton(Get<Button>("enableButton")),
      disableButton(Get<Button>("disableButton")),
      saveDiskImageButton(Get<Button>("saveDiskImageButton")),
      restartNote(Get<Label>("restartNote")),
      diskTypeLabel(Get<Label>("diskTypeLabel")),
      diskTypeList(Get<ComboBox>("diskTypeList")),
      driveLetterLabel(Get<Label>("driveLetterLabel")),
      driveLetterBox(Get<TextBox>("driveLetterBox")),
      driveLetterStepper(Get<ScrollBar>("driveLetterStepper")),
      startAtBootCheck(Get<CheckBox>("startAtBootCheck")),
      diskSizeLabel(Get<Label>("diskSizeLabel")),
      diskSizeBox(Get<TextBox>("diskSizeBox")),
      diskSizeStepper(Get<ScrollBar>("diskSizeStepper")),
      megabytesLabel(Get<Label>("megabytesLabel")),
      fat32Check(Get<CheckBox>("fat32Check")),
      autoSaveCheck(Get<CheckBox>("autoSaveCheck")),
      autoSaveIntervalBox(Get<TextBox>("autoSaveIntervalBox")),
      autoSaveIntervalStepper(Get<ScrollBar>("autoSaveIntervalStepper")),
      secondsLabel(Get<Label>("secondsLabel")),
      saveOnShutdownCheck(Get<CheckBox>("saveOnShutdownCheck")),
      saveFileLabel(Get<Label>("saveFileLabel")),
      saveFileBox(Get<TextBox>("saveFileBox")),
      diskLabelCheck(Get<CheckBox>("diskLabelCheck")),
      diskLabelBox(Get<TextBox>("diskLabelBox")),
      tempDirCheck(Get<CheckBox>("tempDirCheck")),
      loadAtStartupCheck(Get<CheckBox>("loadAtStartupCheck")),
      loadFileLabel(Get<Label>("loadFileLabel")),
      loadFileBox(Get<TextBox>("loadFileBox")),
      services_(services) {
    BindHandlers();
}

void Editor::BindHandlers() {
    okButton.OnClick = [this] { OnOkClicked(); };
    cancelButton.OnClick = [this] { OnCancelClicked(); };
    saveSettingsButton.OnClick = [this] { OnSaveSettingsClicked(); };
    enableButton.OnClick = [this] { OnEnableClicked(); };
    disableButton.OnClick = [this] { OnDisableClicked(); };
    saveDiskImageButton.OnClick = [this] { OnSaveDiskImageClicked(); };
    webLink.OnClick = [this] { OnWebLinkClicked(); };

    diskTypeList.OnClick = [this] { OnDiskTypePicked(); };
    diskTypeList.OnChange = [this] { OnDiskTypeEdited(); };
    diskSizeBox.OnChange = [this] { OnDiskSizeChanged(); };
    diskSizeBox.OnLostFocus = [this] { OnDiskSizeLostFocus(); };
    diskSizeStepper.OnChange = [this] { OnDiskSizeStepped(); };
    fat32Check.OnClick = [this] { OnFat32Clicked(); };

    driveLetterBox.OnChange = [this] { OnDriveLetterChanged(); };
    driveLetterStepper.OnChange = [this] { OnDriveLetterStepped(); };

    loadAtStartupCheck.OnClick = [this] { OnLoadAtStartupClicked(); };
    diskLabelCheck.OnClick = [this] { OnDiskLabelCheckClicked(); };
    tempDirCheck.OnClick = [this] { OnTempDirClicked(); };
    saveOnShutdownCheck.OnClick = [this] { OnSaveOnShutdownClicked(); };
    autoSaveCheck.OnClick = [this] { OnAutoSaveClicked(); };
    startAtBootCheck.OnClick = [this] { OnStartAtBootClicked(); };
    loadFileBox.OnChange = [this] { OnLoadFileChanged(); };
    saveFileBox.OnChange = [this] { OnSaveFileChanged(); };
    diskLabelBox.OnChange = [this] { OnDiskLabelChanged(); };
    autoSaveIntervalBox.OnLostFocus = [this] { OnAutoSaveIntervalLostFocus(); };
    autoSaveIntervalStepper.OnChange = [this] { OnAutoSaveIntervalStepped(); };
}

void Editor::OnLoad() { LoadSettings(); }

void Editor::RunShellExecute(const std::string& topic, const std::string& file,
                             const std::string& parameters, const std::string& directory,
                             std::int32_t showCommand) {
    services_.ui.OpenWithShell(topic, file, parameters, directory, showCommand);
}

// The web link opens the product's page; nothing is reported when the shell
// cannot open it, and the pointer comes back in every case.
void Editor::OnWebLinkClicked() {
    services_.ui.SetBusyPointer();
    RunShellExecute("Open", webLink.Text(), "", "", ShowNormal);
    services_.ui.ClearBusyPointer();
}

// OK saves and closes, also when the save failed (its message has been shown).
void Editor::ShowFailure(const std::string& text, const std::string& caption) {
    ShowError(services_.ui, text, caption);
    metFailure_ = true;
}

void Editor::OnOkClicked() {
    SaveSettings();
    Unload();
}

// Cancel closes without saving and without asking.
void Editor::OnCancelClicked() { Unload(); }

// Save Settings saves and keeps the window open; the edits count as saved even
// when the save failed, since its message has told the user.
void Editor::OnSaveSettingsClicked() {
    SaveSettings();
    SettingsChanged = false;
}

}  // namespace qv
