#include "launcher/entry.h"
#include "platform/app.h"
#include "platform/memory.h"

// The framework's application object: built before main, destroyed at exit
// after the hall singleton, whose destruction is registered later.
static platform::CWinApp theApp;

int main(int argc, char** argv) {
    // Three files are loaded one after the other, each freed before the next.
    platform::ReuseFreedMemory();
    return RunLauncher(argc, argv, PlatformStartupServices());
}
