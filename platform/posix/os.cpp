// The process's identity and surroundings on POSIX: its executable, its
// command line, its current directory, and pausing.
#include "platform/os.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "platform/posix/program_search.h"

namespace platform {
namespace {

// Stands in for the module handle: POSIX has none, but callers test for null.
const char kModuleToken = 0;

std::string ReadLink(const char* linkPath) {
    std::string target(256, '\0');
    for (;;) {
        const ssize_t length = ::readlink(linkPath, target.data(), target.size());
        if (length < 0) {
            return {};
        }
        if (static_cast<std::size_t>(length) < target.size()) {
            target.resize(static_cast<std::size_t>(length));
            return target;
        }
        target.resize(target.size() * 2);  // possibly cut: try a larger buffer
    }
}

std::string ReadWholeFile(const char* path) {
    std::string bytes;
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return bytes;
    }
    char chunk[4096];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got > 0) {
            bytes.append(chunk, static_cast<std::size_t>(got));
        } else if (got == 0 || errno != EINTR) {
            break;
        }
    }
    ::close(fd);
    return bytes;
}

// glibc hands each start-up function the program's arguments. Only where
// they lie is kept: the kernel lays them out as NUL-terminated strings one
// after the other, as /proc/self/cmdline reads them, while main may rearrange
// argv itself (GoogleTest takes its flags out). Other C libraries pass none.
int s_argumentCount = 0;
const char* s_arguments = nullptr;
#ifdef __GLIBC__
void KeepArguments(int argc, char** argv, char** /*environment*/) {
    s_argumentCount = argc;
    s_arguments = argc > 0 ? argv[0] : nullptr;
}
[[gnu::section(".init_array"), gnu::used]] void (*const s_keepArguments)(int, char**,
                                                                         char**) = KeepArguments;
#endif

// The arguments as the kernel keeps them, from start-up or from /proc.
std::string RawArguments() {
    if (s_arguments == nullptr) {
        return ReadWholeFile("/proc/self/cmdline");
    }
    const char* end = s_arguments;
    for (int i = 0; i < s_argumentCount; ++i) {
        end += std::strlen(end) + 1;
    }
    return std::string(s_arguments, static_cast<std::size_t>(end - s_arguments));
}

std::string BuildCommandLine() {
    // The kernel keeps the arguments as NUL-terminated strings, one after the other.
    const std::string raw = RawArguments();
    std::vector<std::string> args;
    for (std::size_t start = 0; start < raw.size();) {
        std::size_t end = raw.find('\0', start);
        if (end == std::string::npos) {
            end = raw.size();
        }
        args.emplace_back(raw, start, end - start);
        start = end + 1;
    }
    return JoinCommandLine(args);
}

// Read once: like a module's file name on Windows, it is the path the program
// was started from, for the whole run.
const std::string& ExecutablePath() {
    static const std::string path = ReadLink("/proc/self/exe");
    return path;
}

}  // namespace

void* OwnModuleHandle() {
    return const_cast<char*>(&kModuleToken);
}

std::uint32_t OwnExecutablePath(char* buf, std::uint32_t size, PathNaming* naming) {
    if (naming != nullptr) {
        *naming = PathNaming{};
    }
    if (buf == nullptr || size == 0) {
        return 0;
    }
    const std::string& path = ExecutablePath();
    const std::size_t stored = std::min<std::size_t>(path.size(), size - 1);
    std::memcpy(buf, path.data(), stored);
    buf[stored] = '\0';
    if (stored < path.size()) {
        // Cut, as Windows reports a cut path: the text names another file.
        if (naming != nullptr) {
            *naming = {PathNaming::Name::kNone, PathNaming::Problem::kTooLong};
        }
        return size;
    }
    return static_cast<std::uint32_t>(stored);
}

namespace posix {

std::string OwnFolder() {
    const std::string& path = ExecutablePath();
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash == 0 ? 1 : slash);
}

}  // namespace posix

const char* OwnCommandLine() {
    static const std::string commandLine = BuildCommandLine();
    return commandLine.c_str();
}

bool InitFramework(void* module, const char* /*commandLine*/, int /*showCode*/) {
    return module != nullptr;
}

void Sleep(std::uint32_t milliseconds) {
    timespec left{};
    left.tv_sec = static_cast<time_t>(milliseconds / 1000);
    left.tv_nsec = static_cast<long>(milliseconds % 1000) * 1000000L;
    while (::nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
}

std::string GetCurrentDir() {
    std::string dir(256, '\0');
    for (;;) {
        if (::getcwd(dir.data(), dir.size()) != nullptr) {
            dir.resize(std::strlen(dir.c_str()));
            return dir;
        }
        if (errno != ERANGE) {
            return {};
        }
        dir.resize(dir.size() * 2);
    }
}

}  // namespace platform
