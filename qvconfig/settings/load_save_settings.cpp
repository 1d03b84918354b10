// LoadSettings and SaveSettings.
// In progress: filled in by its own change.
#include "qvconfig/window/editor.h"

namespace qv {

void Editor::LoadSettings() {}
void Editor::SaveSettings() {}
}  // namespace qv
