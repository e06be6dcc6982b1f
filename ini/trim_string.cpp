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

std::string_view TrimmedText(std::string_view text) {
    std::size_t begin = 0;
    while (begin < text.size() && IsBlank(text[begin])) {
        ++begin;
    }
    std::size_t end = text.size();
    while (end > begin && IsTrailingSpace(text[end - 1])) {
        --end;
    }
    return text.substr(begin, end - begin);
}

std::size_t TrimString(char* text, std::size_t length) {
    const std::string_view kept = TrimmedText({text, length});
    if (kept.data() != text) {
        std::memmove(text, kept.data(), kept.size());
    }
    text[kept.size()] = '\0';
    return kept.size();
}
