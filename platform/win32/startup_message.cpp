#include "platform/startup_message.h"

#include <string>

#include "platform/win32/windows_api.h"

// In a file of its own: only the windowless programs link it, so only they
// load user32.dll for the message box.
namespace platform {
namespace {

bool WriteLine(HANDLE out, const char* message) {
    // As a console program's text-mode output ends a line.
    const std::string line = std::string(message) + "\r\n";
    DWORD written = 0;
    return ::WriteFile(out, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) != 0 &&
           written == line.size();
}

// A GUI program started with its output redirected (`launcherw ... > file`,
// or a pipe of the program that started it) has a standard output of its
// own; one started from a console has at most a stale console handle.
bool LeadsToFileOrPipe(HANDLE out) {
    if (out == nullptr || out == INVALID_HANDLE_VALUE) {
        return false;
    }
    const DWORD type = ::GetFileType(out);
    return type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE;
}

bool WriteToParentConsole(const char* message) {
    if (::AttachConsole(ATTACH_PARENT_PROCESS) == 0) {
        return false;
    }
    bool written = false;
    HANDLE console =
        ::CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                      nullptr, OPEN_EXISTING, 0, nullptr);
    if (console != INVALID_HANDLE_VALUE) {
        written = WriteLine(console, message);
        ::CloseHandle(console);
    }
    ::FreeConsole();
    return written;
}

}  // namespace

void ShowStartupMessage(const char* message) {
    HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
    if (LeadsToFileOrPipe(out) && WriteLine(out, message)) {
        return;
    }
    if (WriteToParentConsole(message)) {
        return;
    }
    ::MessageBoxA(nullptr, message, "Reclaunch", MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

}  // namespace platform
