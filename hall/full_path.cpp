#include <cstring>

#include "common/limits.h"
#include "common/safe_format.h"
#include "hall/hall_singleton.h"
#include "platform/os.h"

namespace {

// The joined path of the last call; valid until the next join.
char s_fullPath[reclaunch::kMaxPath];

// What a path that does not fit the 260-byte buffers resolves to. A cut path
// would name another file; no file open accepts an empty path (CreateFileA
// and POSIX open both fail on it), so the load fails and the caller keeps
// its defaults.
const char kNoFile[] = "";

bool IsSeparator(char ch) {
    return ch == '\\' || ch == '/';
}

bool IsAbsolute(const char* path) {
    return IsSeparator(path[0]) || (path[0] != '\0' && path[1] == ':');
}

bool StartsWithParent(const char* path) {
    return path[0] == '.' && path[1] == '.' && IsSeparator(path[2]);
}

bool StartsWithCurrent(const char* path) {
    return path[0] == '.' && IsSeparator(path[1]);
}

}  // namespace

const char* CHallSingleton::GetFullPath(const char* base, const char* path) {
    if (path == nullptr) {
        return kNoFile;
    }
    if (IsAbsolute(path) || base == nullptr || base[0] == '\0') {
        return path;
    }

    char work[reclaunch::kMaxPath];
    if (std::strlen(base) >= sizeof work) {
        return kNoFile;
    }
    platform::CopyBounded(work, base, static_cast<int>(sizeof work));

    // The separator is added unless the base already ends in the character
    // '\' or '/': 0x5C may be the trail byte of its last character ('乗').
    const unsigned codePage = platform::AnsiCodePage();
    std::size_t length = std::strlen(work);
    if (!platform::ReadPathCharacters(work, codePage).EndsWithSeparator()) {
        if (length + 1 >= sizeof work) {
            return kNoFile;
        }
        work[length++] = '\\';
        work[length] = '\0';
    }

    if (StartsWithParent(path)) {
        const char* rest = path + 3;
        // Look for the separator before the last directory level; the final
        // separator itself is at length - 1.
        work[length - 1] = '\0';
        const std::size_t parent = platform::ReadPathCharacters(work, codePage).lastSeparator;
        if (parent != platform::PathCharacters::npos) {
            work[parent + 1] = '\0';
            return GetFullPath(work, rest);
        }
        // Nothing left to go up from ('C:\', 'Game\'): the rest stands alone.
        return rest;
    }
    if (StartsWithCurrent(path)) {
        path += 2;
    }

    // Joined in a local buffer first, so a path that lies in s_fullPath
    // itself is read before it is overwritten.
    char joined[reclaunch::kMaxPath] = {};
    if (!SafeFormat(joined, "%s%s", work, path)) {
        return kNoFile;
    }
    std::memcpy(s_fullPath, joined, sizeof s_fullPath);
    return s_fullPath;
}
