#include "common/safe_format.h"

#include <cstdarg>
#include <cstring>

#include "platform/os.h"

bool SafeFormat(char (&buffer)[reclaunch::kMaxPath], const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    const int written = platform::FormatBounded(buffer, sizeof buffer, format, args);
    va_end(args);
    if (written < 0) {
        std::memset(buffer, 0, sizeof buffer);
        return false;
    }
    return true;
}
