#include "ini/item_lines.h"

namespace {

enum class LineKind { kBlank, kComment, kHeader, kItem };

// Classifies a line (without its LF) as the loader does once it is trimmed:
// blanks and tabs go from the start, CRs too from the end, and a NUL ends
// the text.
LineKind Classify(std::string_view line) {
    line = line.substr(0, line.find('\0'));
    std::size_t first = 0;
    while (first < line.size() && (line[first] == ' ' || line[first] == '\t')) {
        ++first;
    }
    if (line.find_first_not_of(" \t\r", first) == std::string_view::npos) {
        return LineKind::kBlank;
    }
    switch (line[first]) {
        case ';':
            return LineKind::kComment;
        case '[':
            return LineKind::kHeader;
        default:
            return LineKind::kItem;
    }
}

}  // namespace

std::size_t CountItemLines(std::string_view text) {
    std::size_t items = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const LineKind kind = Classify(text.substr(0, end));
        if (kind == LineKind::kHeader) {
            break;
        }
        items += kind == LineKind::kItem ? 1 : 0;
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return items;
}
