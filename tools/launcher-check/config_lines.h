// What the INI reader saw of one configuration file while the launcher's own
// code loaded it: where each section and item stands, and the traps of the
// format that silently change what a line means.
#pragma once

#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "ini/ini_load_observer.h"

namespace check {

// What a warning is about.
enum class Subject { kInstallation, kStationFile, kSiteFile, kRecord, kGameTable };

struct Warning {
    std::string code;  // stable, for scripts
    Subject subject = Subject::kGameTable;
    std::string file;  // the file it is about, or ""
    int line = 0;      // counting from 1; 0 for the file as a whole
    std::string message;
};

class ConfigLines : public IniLoadObserver {
public:
    // `lookedUpName` is the (lower-case) section name the system reads.
    ConfigLines(Subject subject, const char* lookedUpName)
        : m_subject(subject), m_lookedUpName(lookedUpName) {}

    void OnLine(const IniLine& line) override;

    // The line of a section's header (item -1) or of one of its items; 0
    // when unknown, and for the unnamed section's header.
    int Line(std::ptrdiff_t section, std::ptrdiff_t item = -1) const;

    Subject GetSubject() const { return m_subject; }
    // The traps met, their file not yet named.
    const std::vector<Warning>& Traps() const { return m_warnings; }

private:
    void Header(const IniLine& line);
    void Warn(const char* code, int line, std::string message);

    Subject m_subject;
    const char* m_lookedUpName;
    std::map<std::pair<std::ptrdiff_t, std::ptrdiff_t>, int> m_lines;
    std::vector<Warning> m_warnings;
    // Section names seen, and the first spelling (with its line) of each
    // name lowered.
    std::set<std::string> m_names;
    std::map<std::string, std::pair<std::string, int>> m_firstSpellings;
};

}  // namespace check
