// launcherw: the launcher as the desktop runs it to open a record. The same
// entry as the console program, linked as a GUI program, so opening a record
// shows no console window; a start-up failure is still shown to a person.
#include "launcher/entry.h"
#include "platform/app.h"
#include "platform/memory.h"
#include "platform/startup_message.h"

static platform::CWinApp theApp;

int main(int argc, char** argv) {
    platform::ReuseFreedMemory();
    StartupServices services = PlatformStartupServices();
    services.reportFailure = platform::ShowStartupMessage;
    return RunLauncher(argc, argv, services);
}
