// ConnectToDriver.
// In progress: filled in by its own change.
#include "qvconfig/window/editor.h"

namespace qv {
void Editor::ConnectToDriver() {}
}  // namespace qv
