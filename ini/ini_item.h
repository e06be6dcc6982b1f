// One item line of an INI document: key and value in one 1024-byte buffer.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/limits.h"
#include "platform/array.h"

class CIniItem {
public:
    CIniItem();
    virtual ~CIniItem();
    CIniItem(const CIniItem&) = default;
    CIniItem& operator=(const CIniItem&) = default;

    // Splits `line` at its first '=' into key and value, or keeps it whole
    // when it has none. The caller's text is changed: its first '=' becomes a
    // NUL and the part behind it is trimmed. Texts too long for the buffer
    // are cut so that key and value each end with a NUL inside it; a key of
    // 1023 bytes is cut to 1022 to leave room for an empty value. A null line
    // makes key and value read empty and keeps m_nKeyLen. Always returns 0.
    std::int32_t SetLine(char* line);
    // The same for a line of known `length` (line[length] is its NUL), so a
    // loader that has measured the line doesn't measure it again.
    std::int32_t SetLine(char* line, std::size_t length);

    // The key, or the whole trimmed line when it had no '='.
    const char* GetKey() const { return m_szText; }
    // The value; one shared "" when the line had no '='.
    const char* GetValue() const;

    // The key, a NUL, the value, a NUL; or the whole line, a NUL, a NUL.
    char m_szText[reclaunch::kIniTextSize];
    // Length of the key, or -1 when the line had no '='.
    std::int32_t m_nKeyLen;
};

// An item holds only bytes and a length: it may move by copying its bytes.
template <>
struct platform::IsTriviallyRelocatable<CIniItem> : std::true_type {};
