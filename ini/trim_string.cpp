#include "ini/trim_string.h"

#include <cstring>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Line ends go only at the end: a leading CR or LF is kept as text.
bool IsTrailingSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

void TrimString(char* text) {
    if (text != nullptr) {
        TrimString(text, std::strlen(text));
    }
}

std::size_t TrimString(char* text, std::size_t length) {
    std::size_t begin = 0;
    while (begin < length && IsBlank(text[begin])) {
        ++begin;
    }
    std::size_t end = length;
    while (end > begin && IsTrailingSpace(text[end - 1])) {
        --end;
    }
    const std::size_t trimmed = end - begin;
    if (begin > 0) {
        std::memmove(text, text + begin, trimmed);
    }
    text[trimmed] = '\0';
    return trimmed;
}
