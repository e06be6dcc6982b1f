// Starting a client program with CreateProcessA, always given the file to
// run: left to search by itself, CreateProcessA would search the current
// folder.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/os.h"
#include "platform/path_limits.h"
#include "platform/win32/windows_api.h"

namespace platform {
namespace {

// The error of the last start that failed, as GetLastError told it, and
// the program it named, which the system's words may stand in for ("%1").
DWORD lastStartError = ERROR_SUCCESS;
std::string lastStartProgram;

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
        lastStartError = ERROR_INVALID_PARAMETER;
        return false;
    }
    const std::string found =
        program != nullptr ? program : CheckProgram(commandLine, OwnFolder().c_str()).path;
    if (found.empty()) {
        // As CreateProcessA fails for a program that is not there.
        lastStartError = ERROR_FILE_NOT_FOUND;
        const std::vector<std::string> args = SplitCommandLine(commandLine);
        lastStartProgram = args.empty() ? "" : args[0];
        return false;
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!::CreateProcessA(found.c_str(), commandLine, nullptr, nullptr, FALSE, 0, nullptr,
                          currentDirectory, &startup, &started)) {
        lastStartError = ::GetLastError();
        lastStartProgram = found;
        return false;
    }
    ::CloseHandle(started.hThread);
    // The process handle stays open until the launcher exits, moments later;
    // nothing waits on it.
    return true;
}

StartFailure LastStartFailure() {
    // The system's words in the ANSI code page, like every text here.
    char* words = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, lastStartError, 0, reinterpret_cast<char*>(&words), 0, nullptr);
    std::string text =
        length > 0 ? std::string(words, length) : "error " + std::to_string(lastStartError);
    ::LocalFree(words);
    if (const std::size_t at = text.find("%1"); at != std::string::npos) {
        text.replace(at, 2, lastStartProgram);
    }
    // The message ends with a line break.
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
        text.pop_back();
    }
    const bool missing = lastStartError == ERROR_FILE_NOT_FOUND ||
                         lastStartError == ERROR_PATH_NOT_FOUND ||
                         lastStartError == ERROR_BAD_NETPATH;
    return {missing, text};
}

}  // namespace platform
