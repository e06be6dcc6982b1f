// Starting a client program with CreateProcessA.
#include "platform/os.h"
#include "platform/win32/windows_api.h"

namespace platform {

bool StartProcess(char* commandLine, const char* currentDirectory, const char* program) {
    if (commandLine == nullptr) {
        return false;
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!::CreateProcessA(program, commandLine, nullptr, nullptr, FALSE, 0, nullptr,
                          currentDirectory, &startup, &started)) {
        return false;
    }
    ::CloseHandle(started.hThread);
    // The process handle stays open until the launcher exits, moments later;
    // nothing waits on it.
    return true;
}

}  // namespace platform
