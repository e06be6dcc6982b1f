// OS files on Win32. Only disk files open: a directory, pipe, console or
// other device never does.
#include <string>

#include "platform/file.h"
#include "platform/win32/windows_api.h"

namespace platform::detail {
namespace {

bool IsPlainDiskFile(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info{};
    return ::GetFileType(file) == FILE_TYPE_DISK &&
           ::GetFileInformationByHandle(file, &info) != 0 &&
           (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// CreateFileA refuses a folder with "access denied", as it refuses a file
// whose rights keep us out: the folder is told apart by its attributes.
OpenError ErrorFromLastError(DWORD error, const char* path) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
        case ERROR_INVALID_DRIVE:
            return OpenError::kMissing;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return OpenError::kSharing;
        case ERROR_ACCESS_DENIED: {
            const DWORD attributes = ::GetFileAttributesA(path);
            return attributes != INVALID_FILE_ATTRIBUTES &&
                           (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0
                       ? OpenError::kNotAFile
                       : OpenError::kNoAccess;
        }
        default:
            return OpenError::kOther;
    }
}

}  // namespace

NativeFile OpenForReading(const char* path, Share share, OpenError& why,
                          bool* backslashAsSeparator) {
    why = OpenError::kMissing;
    if (backslashAsSeparator != nullptr) {
        *backslashAsSeparator = false;  // '\' is a separator, and only that
    }
    if (path == nullptr) {
        return kNoFile;
    }
    const DWORD shareMode = share == Share::kNone ? 0 : FILE_SHARE_READ;
    HANDLE file = ::CreateFileA(path, GENERIC_READ, shareMode, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        why = ErrorFromLastError(::GetLastError(), path);
        return kNoFile;
    }
    if (!IsPlainDiskFile(file)) {
        ::CloseHandle(file);
        why = OpenError::kNotAFile;
        return kNoFile;
    }
    why = OpenError::kNone;
    return reinterpret_cast<NativeFile>(file);
}

long ReadFile(NativeFile file, void* dest, std::uint32_t count) {
    // The count read must fit a (32-bit) long.
    const DWORD asked = count < 0x40000000u ? count : 0x40000000u;
    DWORD got = 0;
    if (!::ReadFile(reinterpret_cast<HANDLE>(file), dest, asked, &got, nullptr)) {
        return -1;
    }
    return static_cast<long>(got);
}

void CloseFile(NativeFile file) {
    ::CloseHandle(reinterpret_cast<HANDLE>(file));
}

}  // namespace platform::detail
