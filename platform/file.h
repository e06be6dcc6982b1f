// The framework's file objects: a binary file opened for reading, sharing
// the file with nobody or with readers only, and a text file read line by
// line, shared with readers only.
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

// What other openers may do with a file while one of ours holds it open:
// nothing (Win32 share mode 0; POSIX: an exclusive advisory lock), or read
// it too, but not write it (Win32 FILE_SHARE_READ; POSIX: a shared advisory
// lock, and the open fails while a writer holds an exclusive one).
enum class Share { kNone, kReaders };

// Binary file, opened for reading with the sharing given at construction.
// Only regular files open: a directory, FIFO or device never does, and
// opening never blocks. Its names come from outside, and are handed on as
// they are: on POSIX, where '\' is a byte of a file name, a name holding one
// is read as it stands where a file has that name, and else with each '\'
// read as a folder separator, as the system's own paths are.
class CFile {
public:
    explicit CFile(Share share = Share::kNone) : m_share(share) {}
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    virtual ~CFile();

    // `why`, when given, receives the cause of a failure (kNone on success).
    bool Open(const char* path, OpenError* why = nullptr);
    // Reads up to `count` bytes into `dest`; returns the count read.
    std::uint32_t Read(void* dest, std::uint32_t count);
    void Close();
    bool IsOpen() const { return m_hFile != kNoFile; }
    // True when the file opened is the one the name gives with each '\'
    // read as a folder separator, since no file has the name as it stands
    // (POSIX only; always false on Windows, where '\' is a separator).
    bool BackslashReadAsSeparator() const { return m_bBackslashAsSeparator; }

private:
    NativeFile m_hFile = kNoFile;
    Share m_share;
    bool m_bBackslashAsSeparator = false;
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
    // How many bytes of the file the reads have taken so far (a CR LF pair
    // counts two): the offset of the next byte to deliver.
    std::uint64_t GetPosition() const { return m_nFileRead - (m_nEnd - m_nPos); }
    void Close();
    bool IsOpen() const { return m_hFile != kNoFile; }

private:
    bool Fill();

    NativeFile m_hFile = kNoFile;
    static constexpr std::uint32_t kBufferSize = 64 * 1024;
    char* m_pBuffer = nullptr;  // read-ahead, allocated on open
    std::uint32_t m_nPos = 0;
    std::uint32_t m_nEnd = 0;
    std::uint64_t m_nFileRead = 0;  // bytes read from the file into the buffer
    bool m_bEof = false;
    bool m_bError = false;
};

// Backend primitives behind both objects (platform/<os>/file.cpp).
namespace detail {
// kNoFile on failure, with its cause in `why`. POSIX reads each '\' of
// `path` as a folder separator; given `backslashAsSeparator`, it first reads
// a name holding one as it stands, and sets it when no file has that name
// and the separator reading was taken (see CFile). Win32 sets it false.
NativeFile OpenForReading(const char* path, Share share, OpenError& why,
                          bool* backslashAsSeparator = nullptr);
// Returns bytes read (0 at end of file) or -1 on error.
long ReadFile(NativeFile file, void* dest, std::uint32_t count);
void CloseFile(NativeFile file);
}  // namespace detail

}  // namespace platform
