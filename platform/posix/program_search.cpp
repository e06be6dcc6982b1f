#include "platform/posix/program_search.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <utility>
#include <vector>

namespace platform::posix {
namespace {

constexpr int kMaxInterpreterDepth = 4;  // as the kernel nests "#!" scripts

// The first line of a file, as much of it as the kernel reads for "#!"
// (256 bytes); "" when it can't be read.
std::string FirstLine(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return {};
    }
    char head[256] = {};
    const ssize_t got = ::read(fd, head, sizeof head);
    ::close(fd);
    const std::string text(head, got > 0 ? static_cast<std::size_t>(got) : 0U);
    return text.substr(0, text.find('\n'));
}

// The interpreter a "#!" line names, read as the kernel reads it: blanks
// after "#!" skipped, then up to the next blank or tab. A CR at the end of
// the line is no blank, so "#!/bin/sh\r" names "/bin/sh\r".
std::string InterpreterOf(const std::string& line) {
    const std::size_t start = line.find_first_not_of(" \t", 2);
    if (start == std::string::npos) {
        return {};
    }
    return line.substr(start, line.find_first_of(" \t", start) - start);
}

ProgramCheck Examine(const std::string& path, int depth) {
    ProgramCheck check;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return check;  // missing, or a folder on the way is
    }
    check.path = path;
    check.status = ProgramCheck::Status::kNotRunnable;
    if (!S_ISREG(info.st_mode) || ::access(path.c_str(), X_OK) != 0) {
        return check;
    }
    // The two kinds of file execve runs; glibc's spawn runs nothing else.
    const std::string line = FirstLine(path);
    if (line.compare(0, 4,
                     "\x7f"
                     "ELF") == 0) {
        check.status = ProgramCheck::Status::kRunnable;
        return check;
    }
    if (line.compare(0, 2, "#!") != 0) {
        return check;
    }
    check.kind = ProgramCheck::Kind::kScript;
    check.interpreter = InterpreterOf(line);
    if (!check.interpreter.empty() && check.interpreter.back() == '\r') {
        check.interpreter.pop_back();
        check.status = ProgramCheck::Status::kInterpreterLineCr;
        return check;
    }
    const bool interpreterRuns =
        !check.interpreter.empty() && depth < kMaxInterpreterDepth &&
        Examine(check.interpreter, depth + 1).status == ProgramCheck::Status::kRunnable;
    check.status = interpreterRuns ? ProgramCheck::Status::kRunnable
                                   : ProgramCheck::Status::kInterpreterMissing;
    return check;
}

// The launcher's folder, then PATH's absolute folders (the C library's
// default when PATH is not set).
std::vector<std::string> SearchFolders(const std::string& launcherDir) {
    std::vector<std::string> folders;
    if (!launcherDir.empty()) {
        folders.push_back(launcherDir);
    }
    const char* path = std::getenv("PATH");
    const std::string list = path != nullptr ? path : "/bin:/usr/bin";
    for (std::size_t start = 0; start <= list.size();) {
        std::size_t end = list.find(':', start);
        if (end == std::string::npos) {
            end = list.size();
        }
        const std::string folder = list.substr(start, end - start);
        if (!folder.empty() && folder[0] == '/') {
            folders.push_back(folder);
        }
        start = end + 1;
    }
    return folders;
}

}  // namespace

ProgramCheck ExamineProgram(const std::string& path) {
    return Examine(path, 0);
}

ProgramCheck SearchProgram(const std::string& name, const std::string& launcherDir) {
    ProgramCheck found;
    found.searched = true;
    for (const std::string& folder : SearchFolders(launcherDir)) {
        std::string candidate = folder;
        candidate.append(1, '/').append(name);
        ProgramCheck check = ExamineProgram(candidate);
        check.searched = true;
        if (check.status == ProgramCheck::Status::kRunnable) {
            return check;
        }
        if (check.status != ProgramCheck::Status::kMissing && found.path.empty()) {
            found = std::move(check);
        }
    }
    return found;
}

}  // namespace platform::posix
