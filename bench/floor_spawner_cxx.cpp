// The floor as the launcher is built: a C++ program carrying the launcher's
// whole library, its start-up (the framework's application object) and its
// link, that still only starts the client. Against floor_spawner_pie it shows
// what the C++ run-time and the program's size cost, apart from the work.
#include "bench/floor_spawn.h"
#include "launcher/entry.h"
#include "platform/app.h"

static platform::CWinApp theApp;

int main(int argc, char** argv) {
    // Never called: keeps the launcher's code, and so its size, in the program.
    int (*volatile keep)(int, char**, const StartupServices&) = RunLauncher;
    static_cast<void>(keep);
    return FloorSpawn(argc, argv);
}
