#include "launcher/record_header.h"

#include "platform/file.h"

std::int32_t DecodeRecordKind(const unsigned char* bytes, std::uint32_t count) {
    std::uint32_t value = 0;
    for (std::uint32_t i = 0; i < count && i < 4; ++i) {
        value |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
    }
    return static_cast<std::int32_t>(value);
}

bool ReadRecordHeader(const char* recordPath, unsigned char (&header)[4], std::uint32_t* count,
                      platform::OpenError* why) {
    // No sharing: nobody may change the record while its header is read.
    platform::CFile record;
    if (!record.Open(recordPath, why)) {
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
