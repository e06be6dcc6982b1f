#include "tests/e2e/check_tool.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>

#include "platform/os.h"

namespace e2e {
namespace fs = std::filesystem;

namespace {

// The test program stands in <build>/tests; the tool is built in
// <build>/tools/launcher-check.
fs::path BuiltTool() {
    char self[4096] = {};
    platform::GetModuleFileName(self, sizeof self);
    return fs::path(self).parent_path().parent_path() / "tools" / "launcher-check" /
           platform::testing::ExecutableName("launcher-check");
}

std::string Unescape(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x') {
            out += static_cast<char>(std::stoi(text.substr(i + 2, 2), nullptr, 16));
            i += 3;
        } else {
            out += text[i];
        }
    }
    return out;
}

// The recording client's report: one "name=value" line per fact.
ClientReport ParseReport(const std::string& text) {
    ClientReport report;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const auto eq = line.find('=');
        const std::string name = line.substr(0, eq);
        const std::string value = Unescape(line.substr(eq + 1));
        if (name == "commandline") {
            report.commandLine = value;
        } else if (name == "exe") {
            report.executable = value;
        } else if (name == "cwd") {
            report.currentDir = value;
        } else if (name.rfind("arg", 0) == 0 && name != "argc") {
            report.args.push_back(value);
        }
    }
    return report;
}

std::vector<fs::path> ReportFiles(const std::string& folder) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() == ".txt") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// How long to keep watching for clients nobody expects; slow hosts (Wine)
// may ask for more with RECLAUNCH_TEST_SETTLE_MS, as for the launcher.
std::chrono::milliseconds SettleTime() {
    const char* setting = std::getenv("RECLAUNCH_TEST_SETTLE_MS");
    return std::chrono::milliseconds(setting != nullptr ? std::atoi(setting) : 300);
}

}  // namespace

CheckTool::CheckTool(const Installation& installation)
    : m_installation(installation),
      m_path((fs::path(installation.dir()) / platform::testing::ExecutableName("launcher-check"))
                 .string()),
      m_reports((fs::path(installation.root()) / "check-client-reports").string()) {
    fs::create_directories(m_reports);
    fs::copy_file(BuiltTool(), m_path, fs::copy_options::overwrite_existing);
}

CheckRun CheckTool::Run(const std::vector<std::string>& args) const {
    std::vector<std::string> commandLine = {m_path};
    commandLine.insert(commandLine.end(), args.begin(), args.end());
    CheckRun run;
    run.process = platform::testing::RunAndWait(platform::JoinCommandLine(commandLine),
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
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::seconds(30);
    while (ReportFiles(m_reports).size() < expectedClients && Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::this_thread::sleep_for(SettleTime());
    for (const fs::path& file : ReportFiles(m_reports)) {
        run.clients.push_back(ParseReport(testutil::ReadFile(file.string())));
        fs::remove(file);
    }
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
