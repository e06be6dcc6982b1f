#include "fuzz/support/document_checks.h"

#include <cstddef>
#include <cstring>

#include "fuzz/support/check.h"

namespace fuzz {
namespace {

bool EndsInside(const char* buffer, std::size_t size) {
    return std::memchr(buffer, '\0', size) != nullptr;
}

}  // namespace

void CheckItemBuffer(const CIniItem& item) {
    constexpr std::size_t kSize = sizeof item.m_szText;
    FUZZ_CHECK(EndsInside(item.m_szText, kSize));
    const std::size_t keyLength = std::strlen(item.GetKey());
    FUZZ_CHECK(item.GetKey() == item.m_szText);
    const char* value = item.GetValue();
    if (item.m_nKeyLen < 0) {
        FUZZ_CHECK(item.m_nKeyLen == -1);
        FUZZ_CHECK(value[0] == '\0');
        return;
    }
    const auto keyLen = static_cast<std::size_t>(item.m_nKeyLen);
    FUZZ_CHECK(keyLen == keyLength);
    FUZZ_CHECK(keyLen <= kSize - 2);  // room for the value's NUL
    FUZZ_CHECK(value == item.m_szText + keyLen + 1);
    FUZZ_CHECK(EndsInside(value, kSize - keyLen - 1));
}

void CheckSectionBuffers(const CIniSection& section) {
    FUZZ_CHECK(EndsInside(section.m_szName, sizeof section.m_szName));
    for (std::ptrdiff_t i = 0; i < section.m_arrItems.GetSize(); ++i) {
        CheckItemBuffer(section.m_arrItems[i]);
    }
}

}  // namespace fuzz
