#include "ini/ini_item.h"

#include <cstring>

#include "ini/trim_string.h"

namespace {

constexpr std::size_t kSize = reclaunch::kIniTextSize;
// Key and value share the buffer with a NUL each.
constexpr std::size_t kKeyValueRoom = kSize - 2;

constexpr char kEmptyValue[] = "";

// Copies `length` bytes of `src`, cut to what fits before the buffer's last
// NUL, and trims the copy. Returns the trimmed length.
std::size_t CopyCutTrim(char* dst, const char* src, std::size_t length) {
    if (length > kSize - 1) {
        length = kSize - 1;
    }
    std::memcpy(dst, src, length);
    return TrimString(dst, length);
}

}  // namespace

CIniItem::CIniItem() : m_szText{}, m_nKeyLen(-1) {}

CIniItem::~CIniItem() = default;

std::int32_t CIniItem::SetLine(char* line) {
    return SetLine(line, line != nullptr ? std::strlen(line) : 0);
}

std::int32_t CIniItem::SetLine(char* line, std::size_t lineLen) {
    if (line == nullptr) {
        m_szText[0] = m_szText[1] = m_szText[2] = '\0';
        // A value left from an earlier line must not outlive its key.
        if (m_nKeyLen >= 0 && static_cast<std::size_t>(m_nKeyLen) <= kKeyValueRoom) {
            m_szText[m_nKeyLen + 1] = '\0';
        }
        return 0;
    }

    auto* equals = static_cast<char*>(std::memchr(line, '=', lineLen));
    if (equals == nullptr) {
        const std::size_t length = CopyCutTrim(m_szText, line, lineLen);
        m_nKeyLen = -1;
        if (length < kSize - 1) {
            m_szText[length + 1] = '\0';
        }
        return 0;
    }

    *equals = '\0';
    const auto keyPart = static_cast<std::size_t>(equals - line);
    std::size_t keyLen = CopyCutTrim(m_szText, line, keyPart);
    if (keyLen > kKeyValueRoom) {
        // A 1023-byte key would leave no byte for the value's NUL.
        keyLen = TrimString(m_szText, kKeyValueRoom);
    }
    m_nKeyLen = static_cast<std::int32_t>(keyLen);

    char* value = equals + 1;
    const std::size_t valueLen = TrimString(value, lineLen - keyPart - 1);
    char* dest = m_szText + keyLen + 1;
    const std::size_t room = kKeyValueRoom - keyLen;
    if (valueLen <= room) {
        std::memcpy(dest, value, valueLen + 1);
    } else {
        std::memcpy(dest, value, room);
        TrimString(dest, room);  // the cut may leave blanks at the new end
    }
    return 0;
}

const char* CIniItem::GetValue() const {
    if (m_nKeyLen < 0 || static_cast<std::size_t>(m_nKeyLen) > kKeyValueRoom) {
        return kEmptyValue;
    }
    return m_szText + m_nKeyLen + 1;
}
