#include "launcher/entry.h"
#include "platform/app.h"

// The framework's application object: built before main, destroyed at exit
// after the hall singleton, whose destruction is registered later.
static platform::CWinApp theApp;

int main(int argc, char** argv) {
    return RunLauncher(argc, argv, PlatformStartupServices());
}
