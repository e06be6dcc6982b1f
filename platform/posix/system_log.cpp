// The system log on POSIX: one datagram to /dev/log, as syslog(3) sends it,
// but on a non-blocking socket of our own. syslog(3) waits while the log's
// queue is full; a launch must never wait for a log.
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "platform/system_log.h"

namespace platform {
namespace {

constexpr const char kLogSocket[] = "/dev/log";
constexpr int kFacilityUser = 1 << 3;
constexpr int kSeverityError = 3;
constexpr int kSeverityWarning = 4;

}  // namespace

bool WriteSystemLog(const LogEntry& entry) {
    const int severity = entry.level == LogLevel::kError ? kSeverityError : kSeverityWarning;
    // "<PRI>TAG[PID]: MSG": the log adds the time and the host.
    const std::string datagram = "<" + std::to_string(kFacilityUser + severity) + ">reclaunch[" +
                                 std::to_string(::getpid()) + "]: " + entry.line;
    const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return false;
    }
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, kLogSocket, sizeof kLogSocket);
    // A full queue gives EAGAIN, a missing or stopped log ENOENT or
    // ECONNREFUSED: the entry is lost either way, at once.
    const ssize_t sent = ::sendto(fd, datagram.data(), datagram.size(), MSG_DONTWAIT | MSG_NOSIGNAL,
                                  reinterpret_cast<const sockaddr*>(&address), sizeof address);
    ::close(fd);
    return sent == static_cast<ssize_t>(datagram.size());
}

}  // namespace platform
