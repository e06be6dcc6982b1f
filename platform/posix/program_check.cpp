// Which program a client command line would start on POSIX, found as
// StartProcess finds it: posix_spawn for a path, posix_spawnp (PATH) for a
// bare name. Nothing is started.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/os.h"
#include "platform/posix/native_path.h"

namespace platform {
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

ProgramCheck Examine(const std::string& path) {
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

// The folders posix_spawnp searches: PATH, or the C library's default when
// PATH is not set. An empty entry stands for the current directory.
std::vector<std::string> SearchFolders() {
    const char* path = std::getenv("PATH");
    std::string list = path != nullptr ? path : "/bin:/usr/bin";
    std::vector<std::string> folders;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = list.find(':', start);
        const std::string folder = list.substr(start, end - start);
        folders.push_back(folder.empty() ? "." : folder);
        if (end == std::string::npos) {
            return folders;
        }
        start = end + 1;
    }
}

}  // namespace

ProgramCheck CheckProgram(const char* commandLine, const char* /*launcherDir*/) {
    if (commandLine == nullptr) {
        return {};
    }
    const std::vector<std::string> args = SplitCommandLine(commandLine);
    if (args.empty() || args[0].empty()) {
        return {};
    }
    const std::string program = posix::NativePath(args[0]);
    if (program.find('/') != std::string::npos) {
        return Examine(program);
    }
    // Like execvp: the first file that runs wins; a file found on the way
    // that can't run is what is reported when none does.
    ProgramCheck found;
    for (const std::string& folder : SearchFolders()) {
        const ProgramCheck check = Examine(folder + "/" + program);
        if (check.status == ProgramCheck::Status::kRunnable) {
            return check;
        }
        if (check.status == ProgramCheck::Status::kNotRunnable && found.path.empty()) {
            found = check;
        }
    }
    return found;
}

}  // namespace platform
