#include "tests/e2e/check_tool.h"

#include <algorithm>
#include <filesystem>

#include "platform/os.h"

namespace e2e {
namespace fs = std::filesystem;

namespace {

// The test program stands in <build>/tests; the tool is built in
// <build>/tools/launcher-check.
fs::path BuiltTool() {
    return BuildFolder() / "tools" / "launcher-check" /
           testsupport::ExecutableName("launcher-check");
}

}  // namespace

CheckTool::CheckTool(const Installation& installation)
    : m_installation(installation),
      m_path((fs::path(installation.dir()) / testsupport::ExecutableName("launcher-check"))
                 .string()),
      m_reports((fs::path(installation.root()) / "check-client-reports").string()) {
    fs::create_directories(m_reports);
    fs::copy_file(BuiltTool(), m_path, fs::copy_options::overwrite_existing);
}

CheckRun CheckTool::Run(const std::vector<std::string>& args) const {
    std::vector<std::string> commandLine = {m_path};
    commandLine.insert(commandLine.end(), args.begin(), args.end());
    CheckRun run;
    run.process = testsupport::RunAndWait(platform::JoinCommandLine(commandLine),
                                                m_installation.workDir(),
                                                "RECLAUNCH_CLIENT_REPORTS=" + m_reports, 60000);
    run.report = nlohmann::json::parse(run.process.output, nullptr, false);
    if (run.report.is_discarded()) {
        run.report = nullptr;
    }
    return run;
}

CheckRun CheckTool::RunAndCollectClients(const std::vector<std::string>& args,
                                         std::size_t expectedClients) const {
    CheckRun run = Run(args);
    run.clients = CollectClientReports(m_reports, expectedClients);
    return run;
}

std::filesystem::path PathOf(const nlohmann::json& text) {
    std::string path = text.is_string() ? text.get<std::string>() : std::string();
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

std::vector<nlohmann::json> Entries(const nlohmann::json& report) {
    std::vector<nlohmann::json> entries;
    if (!report.is_object() || !report.contains("game_table")) {
        return entries;
    }
    for (const nlohmann::json& section : report.at("game_table").at("sections")) {
        for (const nlohmann::json& entry : section.at("entries")) {
            entries.push_back(entry);
        }
    }
    return entries;
}

std::vector<nlohmann::json> WarningsWithCode(const nlohmann::json& report,
                                             const std::string& code) {
    std::vector<nlohmann::json> found;
    if (!report.is_object() || !report.contains("warnings")) {
        return found;
    }
    for (const nlohmann::json& warning : report.at("warnings")) {
        if (warning.at("code") == code) {
            found.push_back(warning);
        }
    }
    return found;
}

}  // namespace e2e
