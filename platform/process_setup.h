// ProcessSetup: what the program makes safe and ready in its own process before anything else runs.
#pragma once

namespace qv {

// Each step is taken once, at start-up, and reports nothing: a system without the calls a
// step needs goes on as it always has.
class ProcessSetup {
public:
    virtual ~ProcessSetup() = default;
    // Limits later library loads to the system directory and takes the current directory
    // out of their search, so that no library planted beside the program (a Downloads
    // folder) or in the current directory runs with the program's rights.
    virtual void LimitLibrarySearch() = 0;
    // Makes the common controls' window classes ready for the program's windows.
    virtual void StartCommonControls() = 0;
};

}  // namespace qv
