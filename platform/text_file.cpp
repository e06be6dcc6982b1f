// The text file object: a read-ahead buffer over the OS file, delivering one
// line (or one piece of a long line) per call. Text mode means one thing only:
// a CR LF pair in the file reads as a single LF. That holds for the stream as
// a whole, so a pair split by the end of the read-ahead buffer or by the end
// of the caller's buffer still arrives as one LF.
#include <algorithm>
#include <cstring>
#include <new>

#include "platform/file.h"

namespace platform {

CStdioFile::~CStdioFile() {
    Close();
}

bool CStdioFile::Open(const char* path, OpenError* why) {
    Close();
    OpenError error = OpenError::kNone;
    m_hFile = detail::OpenForReading(path, Share::kReaders, error);
    if (m_hFile != kNoFile) {
        m_pBuffer = new (std::nothrow) char[kBufferSize];
        if (m_pBuffer == nullptr) {
            Close();
            error = OpenError::kOther;
        }
    }
    if (why != nullptr) {
        *why = error;
    }
    return IsOpen();
}

void CStdioFile::Close() {
    if (IsOpen()) {
        detail::CloseFile(m_hFile);
        m_hFile = kNoFile;
    }
    delete[] m_pBuffer;
    m_pBuffer = nullptr;
    m_nPos = 0;
    m_nEnd = 0;
    m_nFileRead = 0;
    m_bEof = false;
    m_bError = false;
}

// Refills the empty read-ahead buffer; false at the end of the file or on a
// read error (both are remembered, so the file is not read past either).
bool CStdioFile::Fill() {
    if (m_bEof || m_bError) {
        return false;
    }
    const long got = detail::ReadFile(m_hFile, m_pBuffer, kBufferSize);
    if (got < 0) {
        m_bError = true;
        return false;
    }
    if (got == 0) {
        m_bEof = true;
        return false;
    }
    m_nPos = 0;
    m_nEnd = static_cast<std::uint32_t>(got);
    m_nFileRead += m_nEnd;
    return true;
}

CStdioFile::ReadResult CStdioFile::ReadString(char* buf, std::uint32_t size,
                                              std::uint32_t* length) {
    if (length != nullptr) {
        *length = 0;
    }
    if (buf == nullptr || size == 0) {
        return ReadResult::kError;
    }
    buf[0] = '\0';
    // With room for no byte the reader could never move on: a caller looping
    // until the end of the file would loop for ever.
    if (!IsOpen() || size < 2) {
        return ReadResult::kError;
    }

    const std::uint32_t limit = size - 1;
    std::uint32_t stored = 0;
    bool lineEnded = false;
    while (stored < limit && !lineEnded) {
        if (m_nPos == m_nEnd && !Fill()) {
            break;
        }
        const char* start = m_pBuffer + m_nPos;
        const std::uint32_t take = std::min(m_nEnd - m_nPos, limit - stored);
        const auto* lf = static_cast<const char*>(std::memchr(start, '\n', take));
        if (lf == nullptr) {
            std::memcpy(buf + stored, start, take);
            stored += take;
            m_nPos += take;
            continue;
        }
        // The LF fits: it lies within the room left.
        const auto beforeLf = static_cast<std::uint32_t>(lf - start);
        std::memcpy(buf + stored, start, beforeLf);
        stored += beforeLf;
        m_nPos += beforeLf + 1;
        // The bytes of one call are contiguous in the file, so a CR just
        // stored is the byte right before this LF, even across a refill.
        if (stored > 0 && buf[stored - 1] == '\r') {
            buf[stored - 1] = '\n';
        } else {
            buf[stored++] = '\n';
        }
        lineEnded = true;
    }

    // A piece cut at the limit right after a CR: when an LF follows in the
    // file, the pair belongs to this piece as its one LF.
    if (stored == limit && buf[stored - 1] == '\r' && (m_nPos < m_nEnd || Fill()) &&
        m_pBuffer[m_nPos] == '\n') {
        buf[stored - 1] = '\n';
        ++m_nPos;
    }

    if (!lineEnded && stored < limit) {  // the bytes ran out before the line ended
        if (m_bError) {
            // What was gathered is an unknown part of a line: don't pass it on.
            buf[0] = '\0';
            return ReadResult::kError;
        }
        if (stored == 0) {
            return ReadResult::kEndOfFile;
        }
    }
    buf[stored] = '\0';
    if (length != nullptr) {
        *length = stored;
    }
    return ReadResult::kLine;
}

}  // namespace platform
