// qvseed: writes the harness's sensible settings into the settings key, for the scripts that open the program.
// Usage: qvseed [INSTALLDIR [EXECUTABLE]]
// The installation's two values are written too when they are given.
#include <cstdio>

#include "testbed/harness/registry.h"

int main(int argc, char** argv) {
    qvtest::StoredSettings settings = qvtest::SensibleSettings();
    if (argc > 1) settings.InstallDir = argv[1];
    bool seeded = qvtest::WriteSettings(settings);
    if (argc > 2) seeded = qvtest::WriteString("Executable", argv[2]) && seeded;
    if (!seeded) std::fprintf(stderr, "qvseed: could not write the settings key\n");
    return seeded ? 0 : 1;
}
