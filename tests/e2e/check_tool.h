// launcher-check in an end-to-end installation: the real binary copied beside
// the installation's launcher, run to its end, its JSON report read back, and
// the reports of any clients it started collected.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "tests/e2e/installation.h"

namespace e2e {

struct CheckRun {
    testsupport::ProcessResult process;
    nlohmann::json report;  // the parsed standard output; null when it was no JSON
    std::vector<ClientReport> clients;
};

class CheckTool {
public:
    // Copies the built launcher-check into the installation's folder.
    explicit CheckTool(const Installation& installation);

    const std::string& path() const { return m_path; }

    // Runs it with `args` from the installation's work folder, where the
    // launcher runs too, and returns as soon as it has ended.
    CheckRun Run(const std::vector<std::string>& args) const;

    // The same, then waits for `expectedClients` clients to report and a
    // little longer for any nobody expected, and collects their reports.
    CheckRun RunAndCollectClients(const std::vector<std::string>& args,
                                  std::size_t expectedClients) const;

private:
    const Installation& m_installation;
    std::string m_path;
    std::string m_reports;
};

// A path from a report, for comparing with std::filesystem paths. The
// launcher joins configuration paths with '\', a plain name byte on POSIX;
// no path in these tests holds one otherwise, so each becomes '/'.
std::filesystem::path PathOf(const nlohmann::json& text);

// Every entry of every searched section of a report's game table, in order.
std::vector<nlohmann::json> Entries(const nlohmann::json& report);

// The report's warnings with this code.
std::vector<nlohmann::json> WarningsWithCode(const nlohmann::json& report, const std::string& code);

}  // namespace e2e
