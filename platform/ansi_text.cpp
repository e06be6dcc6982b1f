// Reading ANSI text character by character, where a character may take two
// bytes.
#include "platform/lead_byte.h"
#include "platform/os.h"

namespace platform {

bool EndsWithBackslash(const char* text, unsigned codePage) {
    if (text == nullptr) {
        return false;
    }
    bool lastIsBackslash = false;
    for (const char* p = text; *p != '\0'; ++p) {
        const auto byte = static_cast<unsigned char>(*p);
        if (codePage != 0 && p[1] != '\0' && detail::IsLeadByte(codePage, byte)) {
            ++p;  // the trail byte belongs to this character, whatever its value
            lastIsBackslash = false;
            continue;
        }
        lastIsBackslash = byte == '\\';
    }
    return lastIsBackslash;
}

}  // namespace platform
