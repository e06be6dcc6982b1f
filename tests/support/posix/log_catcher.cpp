// Runs a program with a system log of its own, and tells what reached it:
//
//   log_catcher none|empty|full -- <program> [arguments...]
//
// In a private mount namespace, /dev becomes a fresh tmpfs with the usual
// device nodes bound back; "empty" and "full" bind a datagram socket at
// /dev/log ("full" first fills its queue), "none" leaves the log absent.
// The program's output goes to a file; printed on standard output:
//   exit=<code>  elapsed_us=<the run>  output=<bytes it wrote>  entry=<datagram>...
// Exit code 77 where this user may not make a mount namespace (not root).
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

[[noreturn]] void Fail(const char* what) {
    std::printf("error=%s: %s\n", what, std::strerror(errno));
    std::exit(::geteuid() == 0 ? 1 : 77);
}

// A tmpfs over /dev holding only what a program needs of it.
void PrivateDev() {
    if (::unshare(CLONE_NEWNS) != 0 ||
        ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        Fail("unshare -m");
    }
    char dev[] = "/tmp/log_catcher.XXXXXX";
    if (::mkdtemp(dev) == nullptr || ::mount("tmpfs", dev, "tmpfs", 0, "mode=755") != 0) {
        Fail("tmpfs");
    }
    for (const char* node : {"null", "zero", "full", "random", "urandom", "tty"}) {
        const std::string from = std::string("/dev/") + node;
        const std::string to = std::string(dev) + "/" + node;
        if (::access(from.c_str(), F_OK) != 0) {
            continue;
        }
        ::close(::open(to.c_str(), O_CREAT | O_WRONLY, 0666));
        if (::mount(from.c_str(), to.c_str(), nullptr, MS_BIND, nullptr) != 0) {
            Fail("bind a device node");
        }
    }
    ::symlink("/proc/self/fd", (std::string(dev) + "/fd").c_str());
    if (::mount(dev, "/dev", nullptr, MS_MOVE, nullptr) != 0) {
        Fail("move the tmpfs onto /dev");
    }
    ::rmdir(dev);
}

int BindLog() {
    const int log = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, "/dev/log");
    if (log < 0 || ::bind(log, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        Fail("bind /dev/log");
    }
    return log;
}

// Sends datagrams until the log's queue takes no more; returns how many.
int FillQueue() {
    const int sender = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, "/dev/log");
    int sent = 0;
    while (::sendto(sender, "filler", 6, MSG_DONTWAIT, reinterpret_cast<sockaddr*>(&address),
                    sizeof address) == 6) {
        ++sent;
    }
    ::close(sender);
    return sent;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4 || std::strcmp(argv[2], "--") != 0) {
        std::printf("usage: log_catcher none|empty|full -- <program> [arguments...]\n");
        return 2;
    }
    const std::string mode = argv[1];
    PrivateDev();
    const int log = mode == "none" ? -1 : BindLog();
    const int filled = mode == "full" ? FillQueue() : 0;

    const std::string outputFile = "/dev/program-output";
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        const int output = ::open(outputFile.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0600);
        ::dup2(output, 1);
        ::dup2(output, 2);
        ::execv(argv[3], argv + 3);
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    const auto elapsed = std::chrono::steady_clock::now() - start;

    struct stat output {};
    ::stat(outputFile.c_str(), &output);
    std::printf("exit=%d\nelapsed_us=%lld\noutput=%lld\nfilled=%d\n",
                WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status),
                static_cast<long long>(
                    std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count()),
                static_cast<long long>(output.st_size), filled);
    char datagram[65536];
    for (ssize_t got; log >= 0 && (got = ::recv(log, datagram, sizeof datagram, 0)) >= 0;) {
        const std::string text(datagram, static_cast<std::size_t>(got));
        if (text != "filler") {
            std::printf("entry=%s\n", text.c_str());
        }
    }
    return 0;
}
