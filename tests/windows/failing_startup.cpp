// Runs the launcher's entry with a start-up step that fails, so a test can
// read the message from a real process's standard output, byte for byte.
// Argument: "module" (no module handle) or "framework" (initialisation fails),
// then "windowless" to report as the windowless launcher does. Built twice:
// as a console program and as a GUI program (failing_startup_windowless).
#include <cstring>

#include "launcher/entry.h"
#include "platform/startup_message.h"
#include "tests/support/startup_fakes.h"

using namespace startup_fakes;  // NOLINT: the fakes are this program's whole vocabulary

int main(int argc, char** argv) {
    if (argc < 2) {
        return 2;
    }
    const bool noModule = std::strcmp(argv[1], "module") == 0;
    const bool windowless = argc > 2 && std::strcmp(argv[2], "windowless") == 0;
    const StartupServices services = {
        noModule ? NoModule : SomeModule, CommandLine, FrameworkFails,
        windowless ? platform::ShowStartupMessage : PrintStartupMessage};
    return RunLauncher(1, argv, services);
}
