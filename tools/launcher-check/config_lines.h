// What the INI reader saw of one configuration file while the launcher's own
// code loaded it: where each section and item stands, and the traps of the
// format that silently change what a line means.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "ini/ini_load_observer.h"

namespace check {

// What a warning is about.
enum class Subject { kStationFile, kSiteFile, kRecord, kGameTable };

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

    // The line of a section's header or of one of its items; 0 when unknown
    // (and for the unnamed section of lines before any header).
    int HeaderLine(std::ptrdiff_t section) const;
    int ItemLine(std::ptrdiff_t section, std::ptrdiff_t item) const;

    // The traps met, about `file`.
    std::vector<Warning> Warnings(const std::string& file) const;

private:
    struct Section {
        int headerLine = 0;
        std::vector<int> itemLines;
    };

    void Header(const IniLine& line);
    void Warn(const char* code, int line, std::string message);

    Subject m_subject;
    const char* m_lookedUpName;
    std::vector<Section> m_sections;  // in document order
    std::vector<Warning> m_warnings;
    // Each lowered section name's spellings, with the line each was first seen on.
    std::map<std::string, std::vector<std::pair<std::string, int>>> m_spellings;
};

}  // namespace check
