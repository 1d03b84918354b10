// Win32Sleeper: a plain Sleep, which handles no window events meanwhile.
#include "platform/win32/win32_sleeper.h"

#include <windows.h>

namespace qv {

void Win32Sleeper::Sleep(std::uint32_t milliseconds) { ::Sleep(milliseconds); }

}  // namespace qv
