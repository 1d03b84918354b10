// Drive letter rules.
// In progress: filled in by its own change.
#include "qvconfig/window/editor.h"

namespace qv {

void Editor::DriveLetterText_Change() {}
void Editor::VScroll2_Change() {}
}  // namespace qv
