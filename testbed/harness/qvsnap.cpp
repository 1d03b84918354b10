// qvsnap: starts a program, waits for its window, saves a screenshot of it as PNG and closes it.
// Usage: qvsnap PROGRAM.EXE "WINDOW CAPTION" OUT.PNG
// A message box that the program shows before its window is reported and answered with OK.
#include <cstdio>
#include <string>

#include "testbed/harness/input.h"
#include "testbed/harness/message_box.h"
#include "testbed/harness/png.h"
#include "testbed/harness/program.h"
#include "testbed/harness/screenshot.h"
#include "testbed/harness/windows.h"

namespace {

constexpr int kOpenTimeoutMs = 30000;
constexpr int kExitTimeoutMs = 10000;

// Waits for the window, answering any message box that comes first.
HWND AwaitWindow(qvtest::Program& program, const std::string& caption) {
    HWND window = nullptr;
    qvtest::WaitUntil(
        [&] {
            window = qvtest::FindTopLevel(program.Id(), caption, 0);
            if (window) return true;
            for (HWND box : qvtest::TopLevelWindows(program.Id(), "#32770")) {
                std::printf("%s: %s\n", qvtest::Caption(box).c_str(), qvtest::MessageBoxText(box).c_str());
                qvtest::PressMessageBoxButton(box, IDOK);
                Sleep(200);
            }
            return program.HasExited();
        },
        kOpenTimeoutMs);
    return window;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: qvsnap PROGRAM.EXE \"WINDOW CAPTION\" OUT.PNG\n");
        return 2;
    }
    qvtest::Program program(qvtest::WindowsPath(argv[1]), "");
    if (!program.Started()) {
        std::fprintf(stderr, "qvsnap: cannot start %s\n", argv[1]);
        return 1;
    }
    HWND window = AwaitWindow(program, argv[2]);
    if (!window) {
        std::fprintf(stderr, "qvsnap: no window \"%s\" appeared\n", argv[2]);
        return 1;
    }
    const qvtest::Image image = qvtest::CaptureWindow(window);
    const bool written = image.width > 0 && qvtest::WritePng(qvtest::WindowsPath(argv[3]), image);
    qvtest::PostClose(window);
    const bool ended = program.WaitForExit(kExitTimeoutMs);
    if (!written) std::fprintf(stderr, "qvsnap: could not write %s\n", argv[3]);
    if (!ended) std::fprintf(stderr, "qvsnap: the program did not end after its window was closed\n");
    return written && ended ? 0 : 1;
}
