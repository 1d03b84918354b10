// Driver operations and the driver buttons.
// In progress: filled in by its own change.
#include "qvconfig/window/editor.h"

namespace qv {

bool Editor::StartDisk() { return false; }
void Editor::StopDisk() {}
void Editor::SaveImageNow() {}
void Editor::Command4_Click() {}
void Editor::Command5_Click() {}
void Editor::Command6_Click() {}
}  // namespace qv
