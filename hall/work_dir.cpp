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

// The executable's path without its file name and without the separator
// before it: 'C:\Game\Launcher.exe' gives 'C:\Game'. A path without any
// separator stays whole. A POSIX root, '/launcher', gives '/': an empty text
// would stand for no directory at all. The separator is the last character
// that is one: the trail byte of '乗' (GBK 81 5C) is none.
const char* DirectoryOfModulePath(char (&buffer)[reclaunch::kMaxPath]) {
    // Older Windows versions leave a path cut to fit unterminated.
    buffer[reclaunch::kMaxPath - 1] = '\0';
    const std::size_t separator =
        platform::ReadPathCharacters(buffer, platform::AnsiCodePage()).lastSeparator;
    if (separator == 0) {
        buffer[1] = '\0';
    } else if (separator != platform::PathCharacters::npos) {
        buffer[separator] = '\0';
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

    // Quotes and blanks are ASCII, never a trail byte in the double-byte
    // code pages the launcher meets (their trail bytes start at 0x40).
    char* ch = tokenStart;
    while (*ch != '\0' && *ch != tokenEnd) {
        ++ch;
    }
    if (*ch == '\0' && std::strlen(commandLine) >= sizeof buffer) {
        return NoDirectory(buffer);  // the token was cut: its folder is another one
    }
    *ch = '\0';
    const std::size_t separator =
        platform::ReadPathCharacters(tokenStart, platform::AnsiCodePage()).lastSeparator;
    if (separator != platform::PathCharacters::npos) {
        tokenStart[separator + 1] = '\0';
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
