#include "hall/work_dir.h"

#include <cstring>

#include "platform/os.h"

namespace {

bool IsSeparator(char ch) {
    return ch == '\\' || ch == '/';
}

// The executable's path without its file name and without the separator
// before it: 'C:\Game\Launcher.exe' gives 'C:\Game'. A path without any
// separator stays whole.
const char* DirectoryOfModulePath(char (&buffer)[reclaunch::kMaxPath]) {
    // Older Windows versions leave a path cut to fit unterminated.
    buffer[reclaunch::kMaxPath - 1] = '\0';
    char* lastSeparator = nullptr;
    for (char* ch = buffer; *ch != '\0'; ++ch) {
        if (IsSeparator(*ch)) {
            lastSeparator = ch;
        }
    }
    if (lastSeparator != nullptr) {
        *lastSeparator = '\0';
    }
    return buffer;
}

// The directory of the command line's first token, keeping its trailing
// separator: '"C:\Program Files\Game\Launcher.exe" x' gives
// 'C:\Program Files\Game\'. A quoted token ends at the next double quote, an
// unquoted one at the first blank (a tab does not end it).
//
// A token that never ends (an opening quote without a closing one, or no
// blank at all) runs to the end of the copied text.
//
// A token without any separator (the launcher started by its bare name)
// gives ".": the callers join "config\..." names to this text, and an empty
// directory would turn the game table path "%s\config\GameKindID.ini" into
// "\config\GameKindID.ini", the root of the current drive. "." keeps every
// configuration path relative to the current directory.
const char* DirectoryOfCommandLine(char (&buffer)[reclaunch::kMaxPath], const char* commandLine) {
    platform::CopyBounded(buffer, commandLine == nullptr ? "" : commandLine,
                          static_cast<int>(sizeof buffer));
    const bool quoted = buffer[0] == '"';
    const char tokenEnd = quoted ? '"' : ' ';
    char* const tokenStart = quoted ? buffer + 1 : buffer;

    char* lastSeparator = nullptr;
    for (char* ch = tokenStart; *ch != '\0' && *ch != tokenEnd; ++ch) {
        if (IsSeparator(*ch)) {
            lastSeparator = ch;
        }
    }
    if (lastSeparator != nullptr) {
        lastSeparator[1] = '\0';
    } else {
        std::memcpy(tokenStart, ".", 2);
    }
    return tokenStart;
}

}  // namespace

const char* ComputeWorkDir(char (&buffer)[reclaunch::kMaxPath], std::uint32_t moduleLength,
                           const char* commandLine) {
    if (moduleLength != 0) {
        return DirectoryOfModulePath(buffer);
    }
    return DirectoryOfCommandLine(buffer, commandLine);
}
