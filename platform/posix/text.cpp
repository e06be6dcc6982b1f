// The Windows text helpers the launcher uses, with the same results on POSIX.
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "platform/os.h"

namespace platform {

char* CopyBounded(char* dst, const char* src, int size) {
    if (dst == nullptr || src == nullptr) {
        return nullptr;
    }
    if (size <= 0) {
        return dst;
    }
    const std::size_t length = ::strnlen(src, static_cast<std::size_t>(size) - 1);
    std::memmove(dst, src, length);
    dst[length] = '\0';
    return dst;
}

int DecimalPrefixToInt(const char* text) {
    if (text == nullptr) {
        return 0;
    }
    const bool negative = *text == '-';
    if (negative) {
        ++text;
    }
    // Unsigned arithmetic wraps modulo 2^32 as Windows does, without the
    // undefined behaviour of a signed overflow.
    std::uint32_t value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10u + static_cast<std::uint32_t>(*text - '0');
    }
    if (negative) {
        value = 0u - value;
    }
    return static_cast<std::int32_t>(value);
}

int FormatBounded(char* buf, std::size_t size, const char* format, std::va_list args) {
    if (buf == nullptr || size == 0) {
        return -1;
    }
    if (format == nullptr) {
        buf[0] = '\0';
        return -1;
    }
    const int length = std::vsnprintf(buf, size, format, args);
    if (length < 0) {
        buf[0] = '\0';
        return -1;
    }
    if (static_cast<std::size_t>(length) >= size) {
        return -1;  // cut: buf holds the first size - 1 bytes and a NUL
    }
    return length;
}

}  // namespace platform
