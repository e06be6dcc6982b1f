// Test helpers on POSIX: running a program with its output captured, and
// making the odd files the launcher must survive.
#include "tests/support/testing.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/os.h"
#include "platform/posix/native_path.h"

extern char** environ;

namespace testsupport {
namespace {

using Clock = std::chrono::steady_clock;

class Descriptor {
public:
    Descriptor() = default;
    explicit Descriptor(int fd) : m_fd(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { Close(); }

    int Get() const { return m_fd; }
    void Reset(int fd) {
        Close();
        m_fd = fd;
    }
    void Close() {
        if (m_fd >= 0) {
            ::close(m_fd);
            m_fd = -1;
        }
    }

private:
    int m_fd = -1;
};

struct Pipe {
    Descriptor read;
    Descriptor write;

    bool Open() {
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) != 0) {
            return false;
        }
        read.Reset(ends[0]);
        write.Reset(ends[1]);
        return true;
    }
};

std::string NameOf(const std::string& entry) {
    return entry.substr(0, entry.find('='));
}

// This process's environment with the "NAME=value" lines of `extraEnv`
// replacing or adding entries.
std::vector<std::string> MergedEnvironment(const std::string& extraEnv) {
    std::vector<std::string> entries;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        entries.emplace_back(*entry);
    }
    std::size_t start = 0;
    while (start < extraEnv.size()) {
        std::size_t end = extraEnv.find('\n', start);
        if (end == std::string::npos) {
            end = extraEnv.size();
        }
        const std::string line = extraEnv.substr(start, end - start);
        start = end + 1;
        if (line.empty()) {
            continue;
        }
        const std::string name = NameOf(line);
        const auto same = std::find_if(entries.begin(), entries.end(),
                                       [&](const std::string& e) { return NameOf(e) == name; });
        if (same != entries.end()) {
            *same = line;
        } else {
            entries.push_back(line);
        }
    }
    return entries;
}

std::vector<char*> PointersTo(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    pointers.reserve(texts.size() + 1);
    for (std::string& text : texts) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

// Starts the program with its output going into the pipes; -1 on failure.
pid_t Spawn(std::vector<std::string>& args, const std::string& currentDirectory,
            std::vector<std::string>& environment, Pipe& out, Pipe& err) {
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    if (::posix_spawn_file_actions_init(&actions) != 0) {
        return -1;
    }
    if (::posix_spawnattr_init(&attributes) != 0) {
        ::posix_spawn_file_actions_destroy(&actions);
        return -1;
    }
    const std::string directory = platform::posix::NativePath(currentDirectory);
    bool ready = ::posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0) == 0 &&
                 ::posix_spawn_file_actions_adddup2(&actions, out.write.Get(), 1) == 0 &&
                 ::posix_spawn_file_actions_adddup2(&actions, err.write.Get(), 2) == 0 &&
                 (directory.empty() ||
                  ::posix_spawn_file_actions_addchdir_np(&actions, directory.c_str()) == 0);
    // Its own process group, so that a timeout kills what it started too.
    ready = ready && ::posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP) == 0 &&
            ::posix_spawnattr_setpgroup(&attributes, 0) == 0;

    pid_t child = -1;
    if (ready) {
        std::vector<char*> argv = PointersTo(args);
        std::vector<char*> envp = PointersTo(environment);
        const bool searchPath = args[0].find('/') == std::string::npos;
        const int result =
            searchPath
                ? ::posix_spawnp(&child, argv[0], &actions, &attributes, argv.data(), envp.data())
                : ::posix_spawn(&child, argv[0], &actions, &attributes, argv.data(), envp.data());
        if (result != 0) {
            child = -1;
        }
    }
    ::posix_spawnattr_destroy(&attributes);
    ::posix_spawn_file_actions_destroy(&actions);
    return child;
}

// Output pipes being read, and where their bytes go.
struct Streams {
    pollfd watched[2];
    std::string* sinks[2];
};

// Waits at most `timeoutMs` for output and reads one chunk from each pipe
// that has some (or marks it done at its end). False when none had any.
bool ReadAvailable(Streams& streams, int timeoutMs) {
    const int ready = ::poll(streams.watched, 2, timeoutMs);
    if (ready <= 0) {
        return ready < 0 && errno == EINTR;
    }
    for (int i = 0; i < 2; ++i) {
        pollfd& pipe = streams.watched[i];
        if (pipe.fd < 0 || pipe.revents == 0) {
            continue;
        }
        char chunk[65536];
        const ssize_t got = ::read(pipe.fd, chunk, sizeof chunk);
        if (got > 0) {
            streams.sinks[i]->append(chunk, static_cast<std::size_t>(got));
        } else if (got == 0 || errno != EINTR) {
            pipe.fd = -1;  // at its end; poll skips negative entries
        }
    }
    return true;
}

// Reads both pipes until the child has ended or the deadline has passed (the
// child is then killed). Returns the child's wait status.
int Collect(pid_t child, const Pipe& out, const Pipe& err, unsigned timeoutMs,
            ProcessResult& result) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    Streams streams{{{out.read.Get(), POLLIN, 0}, {err.read.Get(), POLLIN, 0}},
                    {&result.output, &result.errorOutput}};
    int status = 0;
    for (;;) {
        if (::waitpid(child, &status, WNOHANG) == child) {
            break;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) {
            ::kill(-child, SIGKILL);
            while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
            }
            result.timedOut = true;
            break;
        }
        // The child's end can't be polled for, and programs it started may
        // hold the pipes open: look at it again every few milliseconds.
        ReadAvailable(streams, static_cast<int>(std::min<long long>(left, 10)));
    }
    // All the child wrote is in the pipes now. Take what is there without
    // waiting for their end, which programs it started may put off for ever.
    while (ReadAvailable(streams, 0)) {
    }
    return status;
}

class HeldDescriptor final : public HeldFile {
public:
    explicit HeldDescriptor(int fd) : m_fd(fd) {}
    ~HeldDescriptor() override { Release(); }
    void Release() override { m_fd.Close(); }

private:
    Descriptor m_fd;
};

}  // namespace

ProcessResult RunAndWait(const std::string& commandLine, const std::string& currentDirectory,
                         const std::string& extraEnv, unsigned timeoutMs, Text /*text*/) {
    ProcessResult result;
    std::vector<std::string> args = platform::SplitCommandLine(commandLine.c_str());
    if (args.empty() || args[0].empty()) {
        return result;
    }
    args[0] = platform::posix::NativePath(args[0]);
    std::vector<std::string> environment = MergedEnvironment(extraEnv);
    Pipe out;
    Pipe err;
    if (!out.Open() || !err.Open()) {
        return result;
    }
    const pid_t child = Spawn(args, currentDirectory, environment, out, err);
    // Only the child may keep the write ends, or the pipes never end.
    out.write.Close();
    err.write.Close();
    if (child < 0) {
        return result;
    }
    result.started = true;
    const int status = Collect(child, out, err, timeoutMs, result);
    if (!result.timedOut) {
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    return result;
}

void SetEnv(const std::string& name, const std::string& value) {
    ::setenv(name.c_str(), value.c_str(), 1);
}

std::uint64_t PeakResidentKiB() {
    rusage usage{};
    if (::getrusage(RUSAGE_SELF, &usage) != 0 || usage.ru_maxrss < 0) {
        return 0;
    }
    return static_cast<std::uint64_t>(usage.ru_maxrss);  // KiB on Linux
}

bool MakeFifo(const std::string& path) {
    return ::mkfifo(platform::posix::NativePath(path).c_str(), 0644) == 0;
}

bool SetAccessible(const std::string& path, bool accessible) {
    const std::string native = platform::posix::NativePath(path);
    struct stat info {};
    if (::stat(native.c_str(), &info) != 0) {
        return false;
    }
    const mode_t usual = S_ISDIR(info.st_mode) ? 0755 : 0644;
    if (::chmod(native.c_str(), accessible ? usual : 0) != 0) {
        return false;
    }
    if (accessible) {
        return true;
    }
    // Root (or a process with CAP_DAC_OVERRIDE) reads whatever the rights
    // say: then they were not taken away at all.
    const int probe = ::open(native.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (probe < 0) {
        return true;
    }
    ::close(probe);
    ::chmod(native.c_str(), usual);
    return false;
}

std::unique_ptr<HeldFile> HoldOpen(const std::string& path, HeldFile::Mode mode) {
    const int access = mode == HeldFile::Mode::kWriting ? O_WRONLY : O_RDONLY;
    const int fd = ::open(platform::posix::NativePath(path).c_str(), access | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return nullptr;
    }
    auto held = std::make_unique<HeldDescriptor>(fd);
    // A writer keeps out readers that share only with readers, as Windows
    // share modes do: in the lock emulation that takes an exclusive lock.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        return nullptr;
    }
    return held;
}

std::string ExecutableName(const std::string& stem) {
    return stem;
}

std::string TrivialCommandLine() {
    return "true";
}

bool KillProcess(long processId) {
    // 0 and negative ids name process groups, or every process we may signal.
    if (processId <= 0) {
        return false;
    }
    return ::kill(static_cast<pid_t>(processId), SIGKILL) == 0;
}

}  // namespace testsupport
