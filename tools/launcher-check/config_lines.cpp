#include "tools/launcher-check/config_lines.h"

#include <cstring>

#include "common/lower_string.h"
#include "common/name_match.h"

namespace check {
namespace {

bool IsBlank(char ch) {
    return ch == ' ' || ch == '\t';
}

}  // namespace

void ConfigLines::OnLine(const IniLine& line) {
    // The mark is ordinary text to the reader, so it leads the first line.
    if (line.number == 1 && !line.continued && !line.indented &&
        std::strncmp(line.text, "\xEF\xBB\xBF", 3) == 0) {
        Warn("byte_order_mark", line.number,
             "the file starts with a UTF-8 byte-order mark, which the reader takes as part of "
             "the first line: a section header there is no header");
    }
    if (line.continued && line.kind != IniLine::Kind::kBlank) {
        Warn("line_split", line.number,
             "the line is longer than 1023 bytes: the reader cuts it there and reads the rest as "
             "a line of its own");
    }
    if (line.kind == IniLine::Kind::kHeader) {
        Header(line);
    } else if (line.kind == IniLine::Kind::kItem) {
        if (line.item == 0 && m_lines.count({line.section, -1}) == 0) {
            Warn("item_before_header", line.number,
                 "lines before the first section header belong to no section and are never "
                 "read");
        }
        m_lines[{line.section, line.item}] = line.number;
    }
}

void ConfigLines::Header(const IniLine& line) {
    m_lines[{line.section, -1}] = line.number;
    const std::string name = line.sectionName;
    if (!name.empty() && (IsBlank(name.front()) || IsBlank(name.back()))) {
        Warn("blanks_in_header", line.number,
             "the blanks inside the brackets belong to the section name: this is section '" + name +
                 "'");
    }
    const char* bracket = std::strchr(line.text, ']');
    if (bracket != nullptr && bracket[1] != '\0') {
        Warn("text_after_bracket", line.number,
             "the text after the first ']' belongs to the section name: this is section '" + name +
                 "'");
    }
    if (name != m_lookedUpName && NameMatches(name.c_str(), m_lookedUpName)) {
        Warn("section_name_case", line.number,
             "[" + name + "] is read as [" + m_lookedUpName +
                 "]: section names are matched without regard to letter case");
    }
    // Names that differ only in letter case: the reader keeps them apart, a
    // lookup by name does not. Each spelling is told once.
    if (!m_names.insert(name).second) {
        return;
    }
    platform::CString lowered(name.c_str());
    LowerString(lowered);
    const auto [first, isFirst] = m_firstSpellings.try_emplace(lowered.str(), name, line.number);
    if (!isFirst) {
        const auto& [firstName, firstLine] = first->second;
        Warn("sections_differ_in_case", line.number,
             "[" + name + "] and [" + firstName + "] (line " + std::to_string(firstLine) +
                 ") differ only in letter case: the reader keeps two sections, a lookup by name "
                 "finds both");
    }
}

void ConfigLines::Warn(const char* code, int line, std::string message) {
    m_warnings.push_back({code, m_subject, "", line, std::move(message)});
}

int ConfigLines::Line(std::ptrdiff_t section, std::ptrdiff_t item) const {
    const auto found = m_lines.find({section, item});
    return found == m_lines.end() ? 0 : found->second;
}

}  // namespace check
