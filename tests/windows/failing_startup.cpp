// Runs the launcher's entry with a start-up step that fails, so a test can
// read the message from a real process's standard output, byte for byte.
// Argument: "module" (no module handle) or "framework" (initialisation fails).
#include <cstring>

#include "launcher/entry.h"

namespace {

int g_module = 0;
void* NoModule() {
    return nullptr;
}
void* SomeModule() {
    return &g_module;
}
const char* CommandLine() {
    return "failing_startup";
}
bool FrameworkFails(void*, const char*, int) {
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return 2;
    }
    const bool noModule = std::strcmp(argv[1], "module") == 0;
    const StartupServices services = {noModule ? NoModule : SomeModule, CommandLine,
                                      FrameworkFails};
    return RunLauncher(1, argv, services);
}
