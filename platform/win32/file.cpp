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

}  // namespace

NativeFile OpenForReading(const char* path, Share share) {
    if (path == nullptr) {
        return kNoFile;
    }
    const DWORD shareMode = share == Share::kNone ? 0 : FILE_SHARE_READ;
    HANDLE file = ::CreateFileA(path, GENERIC_READ, shareMode, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return kNoFile;
    }
    if (!IsPlainDiskFile(file)) {
        ::CloseHandle(file);
        return kNoFile;
    }
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
