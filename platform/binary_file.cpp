// The binary file object: plain reads straight from the OS file.
#include "platform/file.h"

namespace platform {

CFile::~CFile() {
    Close();
}

bool CFile::Open(const char* path, OpenError* why) {
    Close();
    OpenError error = OpenError::kNone;
    m_hFile = detail::OpenForReading(path, m_share, error, &m_bBackslashAsSeparator);
    if (why != nullptr) {
        *why = error;
    }
    return IsOpen();
}

std::uint32_t CFile::Read(void* dest, std::uint32_t count) {
    if (!IsOpen() || dest == nullptr) {
        return 0;
    }
    auto* out = static_cast<char*>(dest);
    std::uint32_t total = 0;
    // A read may deliver less than asked (a signal, a pipe-backed file system);
    // only the end of the file or an error stops us short of `count`.
    while (total < count) {
        const long got = detail::ReadFile(m_hFile, out + total, count - total);
        if (got <= 0) {
            break;
        }
        total += static_cast<std::uint32_t>(got);
    }
    return total;
}

void CFile::Close() {
    if (IsOpen()) {
        detail::CloseFile(m_hFile);
        m_hFile = kNoFile;
    }
}

}  // namespace platform
