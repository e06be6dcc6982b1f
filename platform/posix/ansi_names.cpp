// POSIX file names are bytes in no code page: every name is exact as given,
// and there are no short names to fall back on.
#include "platform/lead_byte.h"
#include "platform/os.h"

namespace platform {

std::string ArgumentPathInAnsi(int /*index*/, const char* given, std::size_t /*maxLength*/,
                               PathNaming* naming) {
    if (naming != nullptr) {
        *naming = PathNaming{};
    }
    return given == nullptr ? std::string() : std::string(given);
}

std::string ShortPathInAnsi(const char* /*path*/) {
    return {};
}

unsigned AnsiCodePage() {
    return 0;
}

namespace detail {

// POSIX text is plain bytes (code page 0). The lead bytes of the Windows
// double-byte code pages are known all the same, so that the rules that read
// text by character hold, and are tested, alike on both systems.
bool IsLeadByte(unsigned codePage, unsigned char byte) {
    switch (codePage) {
        case 932:  // Shift JIS
            return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
        case 936:  // GBK
        case 949:  // Unified Hangul Code
        case 950:  // Big5
            return byte >= 0x81 && byte <= 0xFE;
        default:
            return false;
    }
}

}  // namespace detail
}  // namespace platform
