// InstallerRunner: running the driver's installer as a hidden process and waiting for it.
#pragma once

#include <cstdint>
#include <string>

namespace qv {

// A program to start: the explicit path of the executable and the whole command
// line passed to it (its own path quoted first, then the arguments).
struct ProcessCommand {
    std::string application;
    std::string commandLine;
};

struct InstallerResult {
    bool started = false;       // false: the program could not be started at all
    std::uint32_t exitCode = 0; // meaningful only when started
};

class InstallerRunner {
public:
    virtual ~InstallerRunner() = default;
    // Starts `command` with its window hidden and waits until it ends, handling the
    // program's window events meanwhile (the windows repaint but take no input).
    // Returns the exit code of exactly this run.
    virtual InstallerResult Run(const ProcessCommand& command) = 0;
};

}  // namespace qv
