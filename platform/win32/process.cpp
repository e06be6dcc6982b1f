// Starting a client program with CreateProcessA, always given the file to
// run: left to search by itself, CreateProcessA would search the current
// folder.
#include <cstdint>
#include <string>

#include "platform/os.h"
#include "platform/path_limits.h"
#include "platform/win32/windows_api.h"

namespace platform {
namespace {

// The running program's folder, as the ANSI calls name it; "" when its path
// can't be named.
std::string OwnFolder() {
    char path[kMaxPath] = {};
    const std::uint32_t length = OwnExecutablePath(path, kMaxPath);
    if (length == 0 || length >= kMaxPath) {
        return {};
    }
    const std::size_t separator = ReadPathCharacters(path, ::GetACP()).lastSeparator;
    return separator == PathCharacters::npos ? std::string() : std::string(path, separator);
}

}  // namespace

bool StartProcess(char* commandLine, const char* currentDirectory, const char* program) {
    if (commandLine == nullptr) {
        return false;
    }
    std::string found;
    if (program == nullptr) {
        found = CheckProgram(commandLine, OwnFolder().c_str()).path;
        if (found.empty()) {
            return false;
        }
        program = found.c_str();
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
