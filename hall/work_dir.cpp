#include "hall/work_dir.h"

#include <cstring>

#include "platform/os.h"

namespace {

// A path that was cut names another file, and its folder may be a parent
// of ours or a folder whose name merely begins like ours: the installation
// directory is then none at all, and no configuration path is formed from it.
const char* NoDirectory(char (&buffer)[reclaunch::kMaxPath]) {
    buffer[0] = '\0';
    return buffer;
}

bool IsSeparator(char ch) {
    return ch == '\\' || ch == '/';
}

// The executable's path without its file name and without the separator
// before it: 'C:\Game\Launcher.exe' gives 'C:\Game'. A path without any
// separator stays whole. A POSIX root, '/launcher', gives '/': an empty text
// would stand for no directory at all.
const char* DirectoryOfModulePath(char (&buffer)[reclaunch::kMaxPath]) {
    // Older Windows versions leave a path cut to fit unterminated.
    buffer[reclaunch::kMaxPath - 1] = '\0';
    char* lastSeparator = nullptr;
    for (char* ch = buffer; *ch != '\0'; ++ch) {
        if (IsSeparator(*ch)) {
            lastSeparator = ch;
        }
    }
    if (lastSeparator == buffer) {
        lastSeparator[1] = '\0';
    } else if (lastSeparator != nullptr) {
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
// blank at all) runs to the end of the text. When the text was longer than
// the buffer, the token was cut, and no directory is given.
//
// A token without any separator (the launcher started by its bare name)
// gives ".": the callers join "config\..." names to this text, and an empty
// directory would turn the game table path "%s\config\GameKindID.ini" into
// "\config\GameKindID.ini", the root of the current drive. "." keeps every
// configuration path relative to the current directory.
const char* DirectoryOfCommandLine(char (&buffer)[reclaunch::kMaxPath], const char* commandLine) {
    if (commandLine == nullptr) {
        commandLine = "";
    }
    platform::CopyBounded(buffer, commandLine, static_cast<int>(sizeof buffer));
    const bool quoted = buffer[0] == '"';
    const char tokenEnd = quoted ? '"' : ' ';
    char* const tokenStart = quoted ? buffer + 1 : buffer;

    char* lastSeparator = nullptr;
    char* ch = tokenStart;
    for (; *ch != '\0' && *ch != tokenEnd; ++ch) {
        if (IsSeparator(*ch)) {
            lastSeparator = ch;
        }
    }
    if (*ch == '\0' && std::strlen(commandLine) >= sizeof buffer) {
        return NoDirectory(buffer);  // the token was cut: its folder is another one
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
    if (moduleLength >= sizeof buffer) {
        return NoDirectory(buffer);  // cut, as the platform reports it
    }
    if (moduleLength != 0) {
        return DirectoryOfModulePath(buffer);
    }
    return DirectoryOfCommandLine(buffer, commandLine);
}
