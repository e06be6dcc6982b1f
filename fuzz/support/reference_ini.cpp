#include "fuzz/support/reference_ini.h"

namespace reference {
namespace {

constexpr std::size_t kLineLimit = 1023;  // a 1024-byte buffer less its NUL

bool IsBlank(char ch) {
    return ch == ' ' || ch == '\t';
}
bool IsTrailing(char ch) {
    return IsBlank(ch) || ch == '\r' || ch == '\n';
}

}  // namespace

std::string Trim(const std::string& text) {
    std::size_t begin = 0;
    while (begin < text.size() && IsBlank(text[begin])) {
        ++begin;
    }
    std::size_t end = text.size();
    while (end > begin && IsTrailing(text[end - 1])) {
        --end;
    }
    return text.substr(begin, end - begin);
}

std::string Cut(const std::string& text, std::size_t size) {
    return text.substr(0, size);
}

bool IsTrimmed(const std::string& text) {
    return Trim(text) == text;
}

Item ItemFromLine(const std::string& line) {
    Item item;
    const std::size_t equals = line.find('=');
    item.hasEquals = equals != std::string::npos;
    if (!item.hasEquals) {
        item.key = Trim(Cut(line, kLineLimit));
        return item;
    }
    item.key = Trim(Cut(line.substr(0, equals), kLineLimit));
    item.value = Trim(line.substr(equals + 1));
    return item;
}

std::string TrimmedValuePart(const std::string& line) {
    const std::size_t equals = line.find('=');
    return equals == std::string::npos ? std::string() : Trim(line.substr(equals + 1));
}

Item UncutItemFromLine(const std::string& line) {
    Item item;
    const std::size_t equals = line.find('=');
    item.hasEquals = equals != std::string::npos;
    item.key = Trim(line.substr(0, equals));
    item.value = TrimmedValuePart(line);
    return item;
}

std::string SectionName(const std::string& line) {
    std::string name = Trim(Cut(line, kLineLimit));
    if (!name.empty() && name.front() == '[') {
        name.erase(0, 1);
    }
    if (!name.empty() && name.back() == ']') {
        name.pop_back();
    }
    return name;
}

std::vector<Piece> LinePieces(const std::string& fileBytes) {
    std::string text;
    for (std::size_t i = 0; i < fileBytes.size(); ++i) {
        if (fileBytes[i] == '\r' && i + 1 < fileBytes.size() && fileBytes[i + 1] == '\n') {
            continue;  // the LF behind it stands for the pair
        }
        text += fileBytes[i];
    }
    std::vector<Piece> pieces;
    int line = 1;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = pos;
        while (end < text.size() && end - pos < kLineLimit && text[end] != '\n') {
            ++end;
        }
        if (end < text.size() && end - pos < kLineLimit) {
            ++end;  // the LF belongs to its line
        }
        const std::string piece = text.substr(pos, end - pos);
        pieces.push_back({piece.substr(0, piece.find('\0')), line});
        line += piece.back() == '\n' ? 1 : 0;
        pos = end;
    }
    return pieces;
}

Document LoadDocument(const std::string& fileBytes, std::size_t maxEntries) {
    Document document;
    std::size_t entries = 0;
    bool haveSection = false;
    const auto append = [&](Section section) {
        if (entries == maxEntries) {
            document.full = true;
            return false;
        }
        document.sections.push_back(std::move(section));
        ++entries;
        haveSection = true;
        return true;
    };
    for (const Piece& piece : LinePieces(fileBytes)) {
        const std::string line = Trim(piece.text);
        if (line.empty() || line[0] == ';') {
            continue;
        }
        if (line[0] == '[') {
            if (!append(Section{piece.line, SectionName(line), {}})) {
                return document;
            }
            continue;
        }
        if (!haveSection && !append(Section{})) {
            return document;
        }
        if (entries == maxEntries) {
            document.full = true;
            return document;
        }
        document.sections.back().items.push_back(ItemFromLine(line));
        document.sections.back().items.back().line = piece.line;
        ++entries;
    }
    return document;
}

}  // namespace reference
