#include "tools/launcher-check/config_scan.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <utility>

#include "common/limits.h"
#include "common/lower_string.h"
#include "common/name_match.h"
#include "ini/ini_section.h"
#include "ini/trim_string.h"
#include "platform/file.h"

namespace check {
namespace {

// The reader's line buffer holds this many bytes of a line; a longer line
// arrives in pieces, each read as a line of its own.
constexpr std::size_t kPieceSize = reclaunch::kIniTextSize - 1;

bool IsBlank(char ch) {
    return ch == ' ' || ch == '\t';
}

bool StartsWithByteOrderMark(const char* text) {
    return std::strncmp(text, "\xEF\xBB\xBF", 3) == 0;
}

std::string Lowered(const char* name) {
    platform::CString text(name);
    LowerString(text);
    return text.str();
}

class Scanner {
public:
    Scanner(const std::string& path, Subject subject, const char* lookedUpName)
        : m_path(path), m_subject(subject), m_lookedUpName(lookedUpName) {}

    void Piece(const char* piece, int line, bool continuesLine) {
        if (line == 1 && !continuesLine && StartsWithByteOrderMark(piece)) {
            Warn("byte_order_mark", line,
                 "the file starts with a UTF-8 byte-order mark, which the reader takes as "
                 "part of the first line: a section header there is no header");
        }
        // Trimmed in a copy: the caller still reads the piece's line end.
        char text[reclaunch::kIniTextSize] = {};
        std::memcpy(text, piece, std::min(std::strlen(piece), sizeof text - 1));
        TrimString(text);
        if (continuesLine && text[0] != '\0') {
            Warn("line_split", line,
                 "the line is longer than 1023 bytes: the reader cuts it there and reads "
                 "the rest as a line of its own");
        }
        if (text[0] == '\0' || text[0] == ';') {
            return;
        }
        if (text[0] == '[') {
            Header(text, line);
        } else {
            Item(line);
        }
    }

    ConfigScan Finish() {
        m_scan.opened = true;
        return std::move(m_scan);
    }

private:
    void Header(const char* text, int line) {
        CIniSection section;
        section.SetName(text);
        const std::string name = section.m_szName;
        m_scan.sections.push_back({line, {}});

        if (!name.empty() && (IsBlank(name.front()) || IsBlank(name.back()))) {
            Warn("blanks_in_header", line,
                 "the blanks inside the brackets belong to the section name: this is section '" +
                     name + "'");
        }
        const char* bracket = std::strchr(text, ']');
        if (bracket != nullptr && bracket[1] != '\0') {
            Warn("text_after_bracket", line,
                 "the text after the first ']' belongs to the section name: this is section '" +
                     name + "'");
        }
        if (name != m_lookedUpName && NameMatches(name.c_str(), m_lookedUpName)) {
            Warn("section_name_case", line,
                 "[" + name + "] is read as [" + m_lookedUpName +
                     "]: section names are matched without regard to letter case");
        }
        NoteSpelling(name, line);
    }

    // Section names that differ only in letter case: the reader keeps them
    // apart, the lookup does not.
    void NoteSpelling(const std::string& name, int line) {
        auto& spellings = m_spellings[Lowered(name.c_str())];
        for (const auto& [spelling, spellingLine] : spellings) {
            if (spelling == name) {
                return;  // noted with its first header already
            }
        }
        if (!spellings.empty()) {
            const auto& [firstName, firstLine] = spellings.front();
            Warn("sections_differ_in_case", line,
                 "[" + name + "] and [" + firstName + "] (line " + std::to_string(firstLine) +
                     ") differ only in letter case: the reader keeps two sections, a lookup by "
                     "name finds both");
        }
        spellings.emplace_back(name, line);
    }

    void Item(int line) {
        if (m_scan.sections.empty()) {
            m_scan.sections.push_back({0, {}});
            Warn("item_before_header", line,
                 "lines before the first section header belong to no section and are never "
                 "read");
        }
        m_scan.sections.back().itemLines.push_back(line);
    }

    void Warn(const char* code, int line, const std::string& message) {
        m_scan.warnings.push_back({code, m_subject, m_path, line, message});
    }

    const std::string& m_path;
    Subject m_subject;
    const char* m_lookedUpName;
    ConfigScan m_scan;
    // Each lowered name's spellings, with the line each was first seen on.
    std::map<std::string, std::vector<std::pair<std::string, int>>> m_spellings;
};

}  // namespace

int ConfigScan::HeaderLine(std::ptrdiff_t section) const {
    if (section < 0 || static_cast<std::size_t>(section) >= sections.size()) {
        return 0;
    }
    return sections[static_cast<std::size_t>(section)].headerLine;
}

int ConfigScan::ItemLine(std::ptrdiff_t section, std::ptrdiff_t item) const {
    if (section < 0 || static_cast<std::size_t>(section) >= sections.size() || item < 0) {
        return 0;
    }
    const std::vector<int>& items = sections[static_cast<std::size_t>(section)].itemLines;
    return static_cast<std::size_t>(item) < items.size() ? items[static_cast<std::size_t>(item)]
                                                         : 0;
}

ConfigScan ScanConfigFile(const std::string& path, Subject subject, const char* lookedUpName) {
    platform::CStdioFile file;
    if (!file.Open(path.c_str())) {
        return {};
    }
    Scanner scanner(path, subject, lookedUpName);
    char piece[reclaunch::kIniTextSize] = {};
    int line = 1;
    bool continuesLine = false;  // the piece before filled the buffer short of its line end
    while (file.ReadString(piece, sizeof piece) == platform::CStdioFile::ReadResult::kLine) {
        scanner.Piece(piece, line, continuesLine);
        const std::size_t length = std::strlen(piece);
        const bool endsLine = length > 0 && piece[length - 1] == '\n';
        if (endsLine) {
            ++line;
        }
        continuesLine = !endsLine && length == kPieceSize;
    }
    return scanner.Finish();
}

}  // namespace check
