#include "ini/item_lines.h"

#include <algorithm>

#include "common/limits.h"
#include "ini/trim_string.h"

namespace {

enum class LineKind { kBlank, kComment, kHeader, kItem };

// Classifies a line (without its LF) as the loader does once it is trimmed;
// a NUL ends the text.
LineKind Classify(std::string_view line) {
    const std::string_view text = TrimmedText(line.substr(0, line.find('\0')));
    if (text.empty()) {
        return LineKind::kBlank;
    }
    switch (text.front()) {
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
    // The loader reads a line in pieces of at most this many bytes, its LF
    // included, and classifies each piece on its own.
    constexpr std::size_t kPiece = reclaunch::kIniTextSize - 1;
    std::size_t items = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        std::size_t delivered = line.size();
        if (end != std::string_view::npos) {
            if (!line.empty() && line.back() == '\r') {
                line.remove_suffix(1);  // CR LF reads as one LF
            }
            delivered = line.size() + 1;
        }
        for (std::size_t at = 0; at < delivered; at += kPiece) {
            const LineKind kind = Classify(line.substr(std::min(at, line.size()), kPiece));
            if (kind == LineKind::kHeader) {
                return items;
            }
            items += kind == LineKind::kItem ? 1 : 0;
        }
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return items;
}
