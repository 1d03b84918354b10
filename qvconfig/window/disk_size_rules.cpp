// Disk type and size rules.
// In progress: filled in by its own change.
#include "qvconfig/window/editor.h"

namespace qv {

void Editor::ApplyDiskTypeRule() {}
void Editor::Combo1_Click() {}
void Editor::Combo1_Change() {}
void Editor::Text3_Change() {}
void Editor::Text3_LostFocus() {}
void Editor::VScroll1_Change() {}
void Editor::Fat32Enable_Click() {}
}  // namespace qv
