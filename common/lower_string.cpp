#include "common/lower_string.h"

#include <string>

void LowerString(platform::CString& text) {
    std::string lowered = text.str();
    for (char& ch : lowered) {
        if (ch >= 'A' && ch <= 'Z') {
            ch = static_cast<char>(ch + ('a' - 'A'));
        }
    }
    text = platform::CString(lowered.data(), lowered.size());
}
