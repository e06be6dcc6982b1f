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

unsigned AnsiCodePage() {
    return 0;
}

namespace detail {

bool IsLeadByte(unsigned /*codePage*/, unsigned char /*byte*/) {
    return false;
}

}  // namespace detail
}  // namespace platform
