// Reading ANSI text character by character, where a character may take two
// bytes.
#include "platform/lead_byte.h"
#include "platform/os.h"

namespace platform {

PathCharacters ReadPathCharacters(const char* text, unsigned codePage) {
    PathCharacters found;
    if (text == nullptr) {
        return found;
    }
    for (const char* p = text; *p != '\0'; ++p) {
        const auto start = static_cast<std::size_t>(p - text);
        found.last = start;
        const auto byte = static_cast<unsigned char>(*p);
        // A lead byte with nothing after it stands alone.
        if (codePage != 0 && p[1] != '\0' && detail::IsLeadByte(codePage, byte)) {
            ++p;  // the trail byte belongs to this character, whatever its value
            continue;
        }
        if (byte == '\\' || byte == '/') {
            found.lastSeparator = start;
        }
    }
    return found;
}

bool EndsWithBackslash(const char* text, unsigned codePage) {
    const PathCharacters found = ReadPathCharacters(text, codePage);
    return found.EndsWithSeparator() && text[found.last] == '\\';
}

}  // namespace platform
