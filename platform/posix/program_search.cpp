#include "platform/posix/program_search.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <utility>
#include <vector>

namespace platform::posix {
namespace {

// The first bytes of the two kinds of file execve runs: an ELF image, and a
// script naming its interpreter. glibc's spawn runs nothing else.
bool StartsLikeAProgram(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return false;
    }
    char magic[4] = {};
    const ssize_t got = ::read(fd, magic, sizeof magic);
    ::close(fd);
    if (got >= 4 && magic[0] == '\x7f' && magic[1] == 'E' && magic[2] == 'L' && magic[3] == 'F') {
        return true;
    }
    return got >= 2 && magic[0] == '#' && magic[1] == '!';
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
    ProgramCheck check;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return check;  // missing, or a folder on the way is
    }
    check.path = path;
    const bool runnable =
        S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0 && StartsLikeAProgram(path);
    check.status = runnable ? ProgramCheck::Status::kRunnable : ProgramCheck::Status::kNotRunnable;
    return check;
}

ProgramCheck FindBareProgram(const std::string& name, const std::string& launcherDir) {
    ProgramCheck found;
    for (const std::string& folder : SearchFolders(launcherDir)) {
        std::string candidate = folder;
        candidate.append(1, '/').append(name);
        ProgramCheck check = ExamineProgram(candidate);
        if (check.status == ProgramCheck::Status::kRunnable) {
            return check;
        }
        if (check.status == ProgramCheck::Status::kNotRunnable && found.path.empty()) {
            found = std::move(check);
        }
    }
    return found;
}

}  // namespace platform::posix
