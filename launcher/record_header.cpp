#include "launcher/record_header.h"

#include "platform/file.h"

std::int32_t DecodeRecordKind(const unsigned char* bytes, std::uint32_t count) {
    std::uint32_t value = 0;
    for (std::uint32_t i = 0; i < count && i < 4; ++i) {
        value |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
    }
    return static_cast<std::int32_t>(value);
}

bool ReadRecordKind(const char* recordPath, std::int32_t* kind) {
    // No sharing: nobody may change the record while its header is read.
    platform::CFile record;
    if (!record.Open(recordPath)) {
        return false;
    }
    unsigned char header[4] = {0, 0, 0, 0};
    std::uint32_t got = 0;
    while (got < sizeof header) {
        const std::uint32_t n = record.Read(header + got, sizeof header - got);
        if (n == 0) {
            break;  // a short record: the missing bytes count as 0
        }
        got += n;
    }
    // Closed here, before any client starts, so a client may open it exclusively.
    record.Close();
    *kind = DecodeRecordKind(header, got);
    return true;
}
