// Which program a client command line would start on Windows, found as
// CreateProcessA finds the first token when no application name is given.
// Nothing is started.
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

bool IsRooted(const std::string& name) {
    return (!name.empty() && IsSeparator(name[0])) || (name.size() > 1 && name[1] == ':');
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

// The folders CreateProcessA searches for a name that is not rooted, in order.
std::vector<std::string> SearchFolders(const char* launcherDir) {
    std::vector<std::string> folders;
    if (launcherDir != nullptr && *launcherDir != '\0') {
        folders.push_back(launcherDir);
    }
    char current[MAX_PATH] = {};
    const DWORD currentLength = ::GetCurrentDirectoryA(MAX_PATH, current);
    if (currentLength != 0 && currentLength < MAX_PATH) {
        folders.emplace_back(current, currentLength);
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
        if (end > start) {
            folders.push_back(list.substr(start, end - start));
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
    // A name with a folder is not searched: it is taken as it stands, and a
    // relative one lies below the current folder, where the client starts.
    if (IsRooted(name) || FileStart(name) != 0) {
        return Examine(name);
    }
    // The first file found is the one started, whether or not it can run.
    for (const std::string& folder : SearchFolders(launcherDir)) {
        if (folder.empty()) {
            continue;
        }
        const ProgramCheck check = Examine(Join(folder, name));
        if (check.status != ProgramCheck::Status::kMissing) {
            return check;
        }
    }
    return {};
}

}  // namespace platform
