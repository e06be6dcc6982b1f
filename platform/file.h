// The framework's file objects: a binary file opened for reading with no
// sharing, and a text file read line by line, shared with readers only.
#pragma once

#include <cstdint>
#include <string_view>

namespace platform {

// An open OS file: a file descriptor on POSIX, a HANDLE on Win32.
using NativeFile = std::intptr_t;
inline constexpr NativeFile kNoFile = -1;

// Why a file did not open, as far as the OS tells.
enum class OpenError {
    kNone,      // it opened
    kMissing,   // no such file, or a folder on its way is missing
    kNotAFile,  // a folder, FIFO, device or other thing that is no regular file
    kSharing,   // another opener holds it in a way that keeps this one out
    kNoAccess,  // the access rights keep this process out
    kOther,     // anything else: a name too long, too many links, no memory
};

// Binary file, opened for reading with no sharing granted to other openers
// (Win32 share mode 0; POSIX: an exclusive advisory lock). Only regular files
// open: a directory, FIFO or device never does, and opening never blocks.
class CFile {
public:
    CFile() = default;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    virtual ~CFile();

    // `why`, when given, receives the cause of a failure (kNone on success).
    bool Open(const char* path, OpenError* why = nullptr);
    // Reads up to `count` bytes into `dest`; returns the count read.
    std::uint32_t Read(void* dest, std::uint32_t count);
    void Close();
    bool IsOpen() const { return m_hFile != kNoFile; }

private:
    NativeFile m_hFile = kNoFile;
};

// Text file opened for reading in text mode, shared with readers but not
// with writers (Win32 FILE_SHARE_READ; POSIX: a shared advisory lock, and the
// open fails while a writer holds an exclusive one).
class CStdioFile {
public:
    enum class ReadResult { kLine, kEndOfFile, kError };

    CStdioFile() = default;
    CStdioFile(const CStdioFile&) = delete;
    CStdioFile& operator=(const CStdioFile&) = delete;
    virtual ~CStdioFile();

    // `why`, when given, receives the cause of a failure (kNone on success).
    bool Open(const char* path, OpenError* why = nullptr);
    // Reads the next bytes up to and including LF, at most size - 1 of them,
    // followed by a NUL; a CR LF pair arrives as one LF. kEndOfFile when no
    // byte was left; kError for a read failure (never reported as the end),
    // which also drops the part of the line read before it. A closed file, a
    // null buffer or one with room for no byte (size < 2) give kError too.
    // `length`, when given, receives the count of bytes delivered (0 unless
    // kLine): a NUL among them ends the C string early, not the piece.
    ReadResult ReadString(char* buf, std::uint32_t size, std::uint32_t* length = nullptr);
    // The bytes read ahead from the file and not delivered yet, as they lie
    // in the file (CR LF not joined); valid until the next read. Empty before
    // the first read and once a read has taken all.
    std::string_view ReadAhead() const { return {m_pBuffer + m_nPos, m_nEnd - m_nPos}; }
    void Close();
    bool IsOpen() const { return m_hFile != kNoFile; }

private:
    bool Fill();

    NativeFile m_hFile = kNoFile;
    static constexpr std::uint32_t kBufferSize = 64 * 1024;
    char* m_pBuffer = nullptr;  // read-ahead, allocated on open
    std::uint32_t m_nPos = 0;
    std::uint32_t m_nEnd = 0;
    bool m_bEof = false;
    bool m_bError = false;
};

// Backend primitives behind both objects (platform/<os>/file.cpp).
namespace detail {
enum class Share { kNone, kReaders };
// kNoFile on failure, with its cause in `why`.
NativeFile OpenForReading(const char* path, Share share, OpenError& why);
// Returns bytes read (0 at end of file) or -1 on error.
long ReadFile(NativeFile file, void* dest, std::uint32_t count);
void CloseFile(NativeFile file);
}  // namespace detail

}  // namespace platform
