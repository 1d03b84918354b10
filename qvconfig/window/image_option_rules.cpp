// Image, AutoSave, label, TEMP directory and boot rules.
// In progress: filled in by its own change.
#include "qvconfig/window/editor.h"

namespace qv {

void Editor::LoadImage_Click() {}
void Editor::DiskLabelCheckBox_Click() {}
void Editor::TempDirCheckBox_Click() {}
void Editor::SaveImage_Click() {}
void Editor::SaveCheckBox_Click() {}
void Editor::BootCheck_Click() {}
void Editor::Text1_Change() {}
void Editor::Text2_Change() {}
void Editor::DiskLabelText_Change() {}
void Editor::AutoSaveTime_LostFocus() {}
void Editor::VScroll3_Change() {}
}  // namespace qv
