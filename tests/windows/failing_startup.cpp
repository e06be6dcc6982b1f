// Runs the launcher's entry with a start-up step that fails, so a test can
// read the message from a real process's standard output, byte for byte.
// Argument: "module" (no module handle) or "framework" (initialisation fails).
#include <cstring>

#include "launcher/entry.h"
#include "tests/support/startup_fakes.h"

using namespace startup_fakes;  // NOLINT: the fakes are this program's whole vocabulary

int main(int argc, char** argv) {
    if (argc < 2) {
        return 2;
    }
    const bool noModule = std::strcmp(argv[1], "module") == 0;
    const StartupServices services = {noModule ? NoModule : SomeModule, CommandLine,
                                      FrameworkFails};
    return RunLauncher(1, argv, services);
}
