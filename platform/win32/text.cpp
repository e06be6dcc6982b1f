// The Windows text helpers: KERNEL32, SHLWAPI and the C run-time's own.
#include <cstdarg>
#include <cstdio>

#include "platform/os.h"
#include "platform/win32/windows_api.h"

#include <shlwapi.h>

namespace platform {

char* CopyBounded(char* dst, const char* src, int size) {
    if (dst == nullptr || src == nullptr) {
        return nullptr;
    }
    // lstrcpynA takes the size as unsigned: a negative one would not bound it.
    if (size <= 0) {
        return dst;
    }
    return ::lstrcpynA(dst, src, size);
}

int DecimalPrefixToInt(const char* text) {
    return text == nullptr ? 0 : ::StrToIntA(text);
}

int FormatBounded(char* buf, std::size_t size, const char* format, std::va_list args) {
    // These would reach the run-time's invalid-parameter handler, which ends
    // the process.
    if (buf == nullptr || size == 0) {
        return -1;
    }
    if (format == nullptr) {
        buf[0] = '\0';
        return -1;
    }
    return ::_vsnprintf_s(buf, size, _TRUNCATE, format, args);
}

}  // namespace platform
