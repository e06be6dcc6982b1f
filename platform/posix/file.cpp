// OS files on POSIX. Only regular files open, and opening never blocks (a
// FIFO without a writer, a terminal). Windows share modes are emulated with
// flock advisory locks, which every opener in this system takes: no sharing
// is an exclusive lock, sharing with readers a shared one, and a program that
// holds the file for writing takes an exclusive lock (as the tests' HoldOpen
// does, tests/support/posix/testing.cpp).
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <string>

#include "platform/file.h"
#include "platform/posix/native_path.h"

namespace platform::detail {
namespace {

int OpenNonBlocking(const std::string& path) {
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

bool IsRegularFile(int fd) {
    struct stat info {};
    return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
}

// Reads on a regular file ignore O_NONBLOCK, but mandatory locks and some
// network file systems don't; the file is read as a blocking one. Of the
// status flags F_SETFL changes, the file was opened with O_NONBLOCK alone.
bool MakeBlocking(int fd) {
    return ::fcntl(fd, F_SETFL, 0) == 0;
}

OpenError ErrorFromErrno(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return OpenError::kMissing;
        case EACCES:
        case EPERM:
            return OpenError::kNoAccess;
        default:
            return OpenError::kOther;
    }
}

// False only when another opener's lock excludes us. A file system without
// flock support (ENOLCK, EOPNOTSUPP, EINVAL) can't share-check: the file opens.
bool TakeShareLock(int fd, Share share) {
    const int operation = (share == Share::kNone ? LOCK_EX : LOCK_SH) | LOCK_NB;
    int result;
    do {
        result = ::flock(fd, operation);
    } while (result != 0 && errno == EINTR);
    return result == 0 || errno != EWOULDBLOCK;
}

}  // namespace

NativeFile OpenForReading(const char* path, Share share, OpenError& why,
                          bool* backslashAsSeparator) {
    why = OpenError::kMissing;
    if (backslashAsSeparator != nullptr) {
        *backslashAsSeparator = false;
    }
    if (path == nullptr) {
        return kNoFile;
    }
    const std::string native = posix::NativePath(path);
    // A name from outside may hold a '\' as a byte of a file name; it is read
    // so only where a file has the name as it stands, since Windows-style
    // paths rely on '\' as a separator.
    const bool asItStandsFirst = backslashAsSeparator != nullptr && native != path;
    int fd = OpenNonBlocking(asItStandsFirst ? std::string(path) : native);
    if (fd < 0 && asItStandsFirst && ErrorFromErrno(errno) == OpenError::kMissing) {
        *backslashAsSeparator = true;
        fd = OpenNonBlocking(native);
    }
    if (fd < 0) {
        why = ErrorFromErrno(errno);
        return kNoFile;
    }
    if (!IsRegularFile(fd)) {
        why = OpenError::kNotAFile;
    } else if (!MakeBlocking(fd)) {
        why = OpenError::kOther;
    } else if (!TakeShareLock(fd, share)) {
        why = OpenError::kSharing;
    } else {
        why = OpenError::kNone;
        return fd;
    }
    ::close(fd);
    return kNoFile;
}

long ReadFile(NativeFile file, void* dest, std::uint32_t count) {
    // Keeps the count within what one read(2) may return.
    const std::size_t asked = std::min<std::size_t>(count, SSIZE_MAX);
    ssize_t got;
    do {
        got = ::read(static_cast<int>(file), dest, asked);
    } while (got < 0 && errno == EINTR);
    return got < 0 ? -1L : static_cast<long>(got);
}

void CloseFile(NativeFile file) {
    // Not retried on EINTR: Linux has released the descriptor either way.
    ::close(static_cast<int>(file));
}

}  // namespace platform::detail
