// Which program a client command line starts on Windows. The launcher looks
// for it itself and hands CreateProcessA the file found as the application
// name, since CreateProcessA's own search of the first token takes the
// current folder, where a record opened from a download folder may have a
// program lying next to it. Nothing is started here.
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/os.h"
#include "platform/win32/windows_api.h"

namespace platform {
namespace {

bool IsSeparator(char ch) {
    return ch == '\\' || ch == '/';
}

PathCharacters ReadPath(const std::string& path) {
    return ReadPathCharacters(path.c_str(), ::GetACP());
}

// A quoted first token runs to the next double quote; an unquoted one to the
// first blank or tab.
std::string FirstToken(const char* commandLine) {
    const char* start = commandLine;
    const bool quoted = *start == '"';
    if (quoted) {
        ++start;
    }
    const char* end = start;
    while (*end != '\0' && (quoted ? *end != '"' : (*end != ' ' && *end != '\t'))) {
        ++end;
    }
    return std::string(start, end);
}

// "C:\game.exe", "\\server\share\game.exe" and "\game.exe" (the root of the
// current drive) name one file wherever the launcher runs.
bool IsAbsolute(const std::string& name) {
    return (!name.empty() && IsSeparator(name[0])) ||
           (name.size() > 2 && name[1] == ':' && IsSeparator(name[2]));
}

// "C:game.exe" lies below the current folder of drive C:, which is the
// process's own current folder when that is on C:.
bool IsDriveRelative(const std::string& name) {
    return name.size() > 1 && name[1] == ':' && !IsAbsolute(name);
}

// Where the file name starts: after the last separator character, or after
// a drive's colon ("C:game").
std::size_t FileStart(const std::string& name) {
    const std::size_t separator = ReadPath(name).lastSeparator;
    if (separator != PathCharacters::npos) {
        return separator + 1;
    }
    return name.size() > 1 && name[1] == ':' ? 2 : 0;
}

// A file name without an extension is looked for with ".exe" added.
std::string WithExtension(const std::string& name) {
    const std::size_t dot = name.find('.', FileStart(name));
    return dot == std::string::npos ? name + ".exe" : name;
}

// The system runs a batch file through the command interpreter.
bool IsBatchFile(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < FileStart(path)) {
        return false;
    }
    const std::string extension = path.substr(dot);
    return ::lstrcmpiA(extension.c_str(), ".bat") == 0 ||
           ::lstrcmpiA(extension.c_str(), ".cmd") == 0;
}

std::string Join(const std::string& folder, const std::string& name) {
    if (folder.empty() || ReadPath(folder).EndsWithSeparator()) {
        return folder + name;
    }
    return folder + "\\" + name;
}

std::string FolderFrom(UINT (*query)(LPSTR, UINT)) {
    char folder[MAX_PATH] = {};
    const UINT length = query(folder, MAX_PATH);
    return length == 0 || length >= MAX_PATH ? std::string() : std::string(folder, length);
}

// The folders a name without a root is looked for below, in order: the
// launcher's, the system folders, then PATH's. Not the current folder, which
// CreateProcessA would search second, nor a PATH entry that is no full path,
// which names a folder below the current one.
std::vector<std::string> SearchFolders(const char* launcherDir) {
    std::vector<std::string> folders;
    if (launcherDir != nullptr && *launcherDir != '\0') {
        folders.push_back(launcherDir);
    }
    folders.push_back(FolderFrom(::GetSystemDirectoryA));
    folders.push_back(FolderFrom(::GetWindowsDirectoryA));
    const char* path = std::getenv("PATH");
    const std::string list = path != nullptr ? path : "";
    for (std::size_t start = 0; start < list.size();) {
        std::size_t end = list.find(';', start);
        if (end == std::string::npos) {
            end = list.size();
        }
        const std::string folder = list.substr(start, end - start);
        if (IsAbsolute(folder)) {
            folders.push_back(folder);
        }
        start = end + 1;
    }
    return folders;
}

ProgramCheck Examine(const std::string& path) {
    ProgramCheck check;
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return check;
    }
    check.path = path;
    check.status = ProgramCheck::Status::kNotRunnable;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return check;
    }
    if (IsBatchFile(path)) {
        check.kind = ProgramCheck::Kind::kBatch;
        check.status = ProgramCheck::Status::kRunnable;
        return check;
    }
    DWORD binaryType = 0;
    if (::GetBinaryTypeA(path.c_str(), &binaryType) != FALSE) {
        check.status = ProgramCheck::Status::kRunnable;
    }
    return check;
}

}  // namespace

ProgramCheck CheckProgram(const char* commandLine, const char* launcherDir) {
    if (commandLine == nullptr) {
        return {};
    }
    const std::string token = FirstToken(commandLine);
    if (token.empty()) {
        return {};
    }
    const std::string name = WithExtension(token);
    if (IsAbsolute(name)) {
        return Examine(name);  // used as it is
    }
    ProgramCheck found;
    found.searched = true;
    if (IsDriveRelative(name)) {
        return found;  // it can't be named without the current folder
    }
    // Bare ("game.exe") or below a folder ("sub\game.exe", ".\game.exe"):
    // the first file found is the one started, whether or not it can run.
    for (const std::string& folder : SearchFolders(launcherDir)) {
        if (folder.empty()) {
            continue;
        }
        ProgramCheck check = Examine(Join(folder, name));
        if (check.status != ProgramCheck::Status::kMissing) {
            check.searched = true;
            return check;
        }
    }
    return found;
}

}  // namespace platform
