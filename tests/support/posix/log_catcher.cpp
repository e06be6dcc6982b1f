// Runs a program with a system log of its own and tells what reached it:
//
//   log_catcher none|empty|full -- <program> [arguments...]
//
// In a private mount namespace /dev becomes a tmpfs with the usual device
// nodes bound back and, but for "none", a datagram socket bound at /dev/log
// ("full": its queue filled first). Prints exit=, elapsed_us= and output=
// (the bytes the program wrote), then entry=<datagram> for each entry.
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Root must get its namespace: only another user may skip (exit code 77).
void Check(bool done, const char* what) {
    if (!done) {
        const bool root = ::geteuid() == 0;
        std::printf("%s=%s: %s\n", root ? "error" : "skip", what, std::strerror(errno));
        std::exit(root ? 1 : 77);
    }
}

void PrivateDev() {
    Check(::unshare(CLONE_NEWNS) == 0 &&
              ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0,
          "unshare -m");
    char dev[] = "/tmp/log_catcher.XXXXXX";
    Check(::mkdtemp(dev) != nullptr && ::mount("tmpfs", dev, "tmpfs", 0, "mode=755") == 0, "tmpfs");
    // The nodes the launcher and its clients may open.
    for (const std::string node : {"null", "urandom"}) {
        const std::string to = dev + ("/" + node);
        ::close(::open(to.c_str(), O_CREAT | O_WRONLY, 0666));
        Check(::mount(("/dev/" + node).c_str(), to.c_str(), nullptr, MS_BIND, nullptr) == 0,
              "bind a device node");
    }
    Check(::mount(dev, "/dev", nullptr, MS_MOVE, nullptr) == 0, "move the tmpfs onto /dev");
    ::rmdir(dev);
}

}  // namespace

int main(int, char** argv) {
    const std::string mode = argv[1];
    PrivateDev();
    sockaddr_un log{};
    log.sun_family = AF_UNIX;
    std::strcpy(log.sun_path, "/dev/log");
    const auto* address = reinterpret_cast<const sockaddr*>(&log);
    const int reader = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    Check(mode == "none" || ::bind(reader, address, sizeof log) == 0, "bind /dev/log");
    const int filler = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    while (mode == "full" && ::sendto(filler, "", 0, MSG_DONTWAIT, address, sizeof log) == 0) {
    }

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        const int output = ::open("/dev/output", O_CREAT | O_WRONLY | O_TRUNC, 0600);
        ::dup2(output, 1);
        ::dup2(output, 2);
        ::execv(argv[3], argv + 3);
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    struct stat output {};
    ::stat("/dev/output", &output);
    std::printf("exit=%d\nelapsed_us=%lld\noutput=%lld\n",
                WIFEXITED(status) ? WEXITSTATUS(status) : -1,
                static_cast<long long>(
                    std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count()),
                static_cast<long long>(output.st_size));
    char datagram[65536];
    for (ssize_t got; (got = ::recv(reader, datagram, sizeof datagram, 0)) >= 0;) {
        if (got > 0) {  // the filler's are empty
            std::printf("entry=%.*s\n", static_cast<int>(got), datagram);
        }
    }
    return 0;
}
