#include "launcher/record_header.h"

#include "platform/file.h"
#include "platform/os.h"

std::int32_t DecodeRecordKind(const unsigned char* bytes, std::uint32_t count) {
    std::uint32_t value = 0;
    for (std::uint32_t i = 0; i < count && i < 4; ++i) {
        value |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
    }
    return static_cast<std::int32_t>(value);
}

namespace {

// Another program's open that keeps readers out (one that shares with
// nobody, as another launcher of the same record did, or a writer) is
// waited out for at most this long in all, a moment a double-click never
// notices: such opens are brief, and a double-click must not be lost to one.
constexpr std::uint32_t kShareRetryDelayMs = 10;
constexpr int kShareRetries = 20;

bool OpenRecord(platform::CFile& record, const char* recordPath, platform::OpenError& why) {
    for (int retry = 0;; ++retry) {
        if (record.Open(recordPath, &why)) {
            return true;
        }
        if (why != platform::OpenError::kSharing || retry == kShareRetries) {
            return false;
        }
        platform::Sleep(kShareRetryDelayMs);
    }
}

}  // namespace

bool ReadRecordHeader(const char* recordPath, unsigned char (&header)[4], std::uint32_t* count,
                      platform::OpenError* why, bool* backslashAsSeparator) {
    // Other readers may share the record (another launcher of it, a preview
    // pane, an indexer), but nobody may write it while its header is read.
    platform::CFile record(platform::Share::kReaders);
    platform::OpenError error = platform::OpenError::kNone;
    const bool open = OpenRecord(record, recordPath, error);
    if (why != nullptr) {
        *why = error;
    }
    if (backslashAsSeparator != nullptr) {
        *backslashAsSeparator = record.BackslashReadAsSeparator();
    }
    if (!open) {
        return false;
    }
    std::uint32_t got = 0;
    while (got < sizeof header) {
        const std::uint32_t n = record.Read(header + got, sizeof header - got);
        if (n == 0) {
            break;  // a short record
        }
        got += n;
    }
    // Closed here, before any client starts, so a client may open it exclusively.
    record.Close();
    *count = got;
    return true;
}

bool ReadRecordKind(const char* recordPath, std::int32_t* kind, platform::OpenError* why) {
    unsigned char header[4] = {0, 0, 0, 0};
    std::uint32_t got = 0;
    if (!ReadRecordHeader(recordPath, header, &got, why)) {
        return false;
    }
    // The bytes a short record lacks count as 0.
    *kind = DecodeRecordKind(header, got);
    return true;
}
