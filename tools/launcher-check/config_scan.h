// A second look at a configuration file, line by line as the INI reader reads
// it, for what the loaded document no longer shows: where each section and
// item stands, and the traps of the format that silently change what a line
// means.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "tools/launcher-check/facts.h"

namespace check {

// Where one section of the loaded document stands in the file.
struct SectionLines {
    int headerLine = 0;  // 0 for the unnamed section of lines before any header
    std::vector<int> itemLines;
};

struct ConfigScan {
    bool opened = false;
    std::vector<SectionLines> sections;  // in document order
    std::vector<Warning> warnings;

    // The line of a section's header or of one of its items; 0 when unknown.
    int HeaderLine(std::ptrdiff_t section) const;
    int ItemLine(std::ptrdiff_t section, std::ptrdiff_t item) const;
};

// Scans the file at `path`; `lookedUpName` is the (lower-case) section name
// the system reads from it. A file that does not open gives an empty scan.
ConfigScan ScanConfigFile(const std::string& path, Subject subject, const char* lookedUpName);

}  // namespace check
