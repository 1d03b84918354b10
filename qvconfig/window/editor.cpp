// Editor: its controls bound to their rules, the buttons that close the window, and the web link.
#include "qvconfig/window/editor.h"

#include "platform/show_command.h"

namespace qv {

Editor::Editor(Services services)
    : Form(EditorLayout()),
      Label4(Get<Label>("Label4")),
      Label5(Get<Label>("Label5")),
      Label8(Get<Label>("Label8")),
      Frame1(Get<Frame>("Frame1")),
      Frame2(Get<Frame>("Frame2")),
      Frame3(Get<Frame>("Frame3")),
      Frame4(Get<Frame>("Frame4")),
      Frame5(Get<Frame>("Frame5")),
      Command1(Get<Button>("Command1")),
      Command2(Get<Button>("Command2")),
      Command3(Get<Button>("Command3")),
      Command4(Get<Button>("Command4")),
      Command5(Get<Button>("Command5")),
      Command6(Get<Button>("Command6")),
      Label7(Get<Label>("Label7")),
      Label3(Get<Label>("Label3")),
      Combo1(Get<ComboBox>("Combo1")),
      Label14(Get<Label>("Label14")),
      DriveLetterText(Get<TextBox>("DriveLetterText")),
      VScroll2(Get<ScrollBar>("VScroll2")),
      BootCheck(Get<CheckBox>("BootCheck")),
      Label6(Get<Label>("Label6")),
      Text3(Get<TextBox>("Text3")),
      VScroll1(Get<ScrollBar>("VScroll1")),
      Label12(Get<Label>("Label12")),
      Fat32Enable(Get<CheckBox>("Fat32Enable")),
      SaveCheckBox(Get<CheckBox>("SaveCheckBox")),
      AutoSaveTime(Get<TextBox>("AutoSaveTime")),
      VScroll3(Get<ScrollBar>("VScroll3")),
      Label11(Get<Label>("Label11")),
      SaveImage(Get<CheckBox>("SaveImage")),
      Label1(Get<Label>("Label1")),
      Text2(Get<TextBox>("Text2")),
      DiskLabelCheckBox(Get<CheckBox>("DiskLabelCheckBox")),
      DiskLabelText(Get<TextBox>("DiskLabelText")),
      TempDirCheckBox(Get<CheckBox>("TempDirCheckBox")),
      LoadImage(Get<CheckBox>("LoadImage")),
      Label2(Get<Label>("Label2")),
      Text1(Get<TextBox>("Text1")),
      services_(services) {
    BindHandlers();
}

void Editor::BindHandlers() {
    Command1.OnClick = [this] { Command1_Click(); };
    Command2.OnClick = [this] { Command2_Click(); };
    Command3.OnClick = [this] { Command3_Click(); };
    Command4.OnClick = [this] { Command4_Click(); };
    Command5.OnClick = [this] { Command5_Click(); };
    Command6.OnClick = [this] { Command6_Click(); };
    Label8.OnClick = [this] { Label8_Click(); };

    Combo1.OnClick = [this] { Combo1_Click(); };
    Combo1.OnChange = [this] { Combo1_Change(); };
    Text3.OnChange = [this] { Text3_Change(); };
    Text3.OnLostFocus = [this] { Text3_LostFocus(); };
    VScroll1.OnChange = [this] { VScroll1_Change(); };
    Fat32Enable.OnClick = [this] { Fat32Enable_Click(); };

    DriveLetterText.OnChange = [this] { DriveLetterText_Change(); };
    VScroll2.OnChange = [this] { VScroll2_Change(); };

    LoadImage.OnClick = [this] { LoadImage_Click(); };
    DiskLabelCheckBox.OnClick = [this] { DiskLabelCheckBox_Click(); };
    TempDirCheckBox.OnClick = [this] { TempDirCheckBox_Click(); };
    SaveImage.OnClick = [this] { SaveImage_Click(); };
    SaveCheckBox.OnClick = [this] { SaveCheckBox_Click(); };
    BootCheck.OnClick = [this] { BootCheck_Click(); };
    Text1.OnChange = [this] { Text1_Change(); };
    Text2.OnChange = [this] { Text2_Change(); };
    DiskLabelText.OnChange = [this] { DiskLabelText_Change(); };
    AutoSaveTime.OnLostFocus = [this] { AutoSaveTime_LostFocus(); };
    VScroll3.OnChange = [this] { VScroll3_Change(); };
}

void Editor::Form_Load() { LoadSettings(); }

void Editor::RunShellExecute(const std::string& sTopic, const std::string& sFile,
                             const std::string& sParams, const std::string& sDirectory,
                             std::int32_t nShowCmd) {
    services_.ui.OpenWithShell(sTopic, sFile, sParams, sDirectory, nShowCmd);
}

// The web link opens the product's page; nothing is reported when the shell
// cannot open it, and the pointer comes back in every case.
void Editor::Label8_Click() {
    services_.ui.SetBusyPointer();
    RunShellExecute("Open", Label8.Text(), "", "", ShowNormal);
    services_.ui.ClearBusyPointer();
}

// OK saves and closes, also when the save failed (its message has been shown).
void Editor::ShowFailure(const std::string& text, const std::string& caption) {
    ShowError(services_.ui, text, caption);
    metFailure_ = true;
}

void Editor::Command1_Click() {
    SaveSettings();
    Unload();
}

// Cancel closes without saving and without asking.
void Editor::Command2_Click() { Unload(); }

// Save Settings saves and keeps the window open; the edits count as saved even
// when the save failed, since its message has told the user.
void Editor::Command3_Click() {
    SaveSettings();
    SettingsChanged = 0;
}

}  // namespace qv
