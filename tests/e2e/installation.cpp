#include "tests/e2e/installation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/os.h"

namespace e2e {
namespace fs = std::filesystem;

namespace {

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
        } else if (name == "head") {
            report.recordHead = value;
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
    return files;
}

// After the launcher ends, how long to keep watching for clients nobody
// expects. Slow hosts (Wine) may ask for more with RECLAUNCH_TEST_SETTLE_MS.
std::chrono::milliseconds SettleTime() {
    const char* setting = std::getenv("RECLAUNCH_TEST_SETTLE_MS");
    return std::chrono::milliseconds(setting != nullptr ? std::atoi(setting) : 300);
}

}  // namespace

fs::path BuildFolder() {
    char self[4096] = {};
    platform::OwnExecutablePath(self, sizeof self);
    return fs::path(self).parent_path().parent_path();
}

void Settle() {
    std::this_thread::sleep_for(SettleTime());
}

std::vector<ClientReport> CollectClientReports(const std::string& folder, std::size_t expected,
                                               bool settle) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::seconds(30);
    while (ReportFiles(folder).size() < expected && Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (settle) {
        Settle();
    }
    auto files = ReportFiles(folder);
    std::sort(files.begin(), files.end());
    std::vector<ClientReport> reports;
    for (const fs::path& file : files) {
        reports.push_back(ParseReport(testutil::ReadFile(file.string())));
        fs::remove(file);
    }
    return reports;
}

void ExpectSilentSuccess(const LaunchResult& run) {
    EXPECT_TRUE(run.process.started);
    EXPECT_FALSE(run.process.timedOut);
    EXPECT_EQ(run.process.exitCode, 0);
    EXPECT_EQ(run.process.output, "");
    EXPECT_EQ(run.process.errorOutput, "");
}

std::string Expand(std::string text, const Installation& inst) {
    for (const char* name : {"a", "b", "c"}) {
        const std::string mark = std::string("%") + name;
        if (text.find(mark) == std::string::npos) {
            continue;
        }
        const std::string path = inst.AddClient(std::string("clients/") + name);
        for (auto at = text.find(mark); at != std::string::npos; at = text.find(mark)) {
            text.replace(at, mark.size(), path);
        }
    }
    return text;
}

bool OnWindows() {
    return testsupport::ExecutableName("x") != "x";
}

std::string QuoteArgument(const std::string& arg) {
    // Quoted as the second of two arguments: "x" then a blank, then the rest.
    return platform::JoinCommandLine({"x", arg}).substr(2);
}

std::string KindBytes(std::int32_t kind) {
    const auto value = static_cast<std::uint32_t>(kind);
    std::string bytes;
    for (int i = 0; i < 4; ++i) {
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    return bytes;
}

Installation::Installation(const std::string& folderName, const std::string& program)
    : m_rootPath(m_root.path().string()),
      m_dir((m_root.path() / folderName).string()),
      m_reports((m_root.path() / "reports").string()),
      m_program(program) {
    fs::create_directories(fs::path(m_dir) / "config");
    fs::create_directories(m_reports);
    fs::create_directories(workDir());
    const fs::path launcher =
        BuildFolder() / "launcher" / testsupport::ExecutableName(m_program);
    fs::copy_file(launcher, launcherPath());
}

std::string Installation::launcherPath() const {
    return (fs::path(m_dir) / testsupport::ExecutableName(m_program)).string();
}

void Installation::WriteConfig(const std::string& name, const std::string& bytes) const {
    testutil::WriteFile((fs::path(m_dir) / "config" / name).string(), bytes);
}

std::string Installation::AddClient(const std::string& relativePath) const {
    const fs::path target = fs::path(m_rootPath) / testsupport::ExecutableName(relativePath);
    fs::create_directories(target.parent_path());
    fs::copy_file(BuildFolder() / "tests" / testsupport::ExecutableName("record_client"),
                  target, fs::copy_options::overwrite_existing);
    return target.string();
}

std::string Installation::WriteRecord(const std::string& relativePath,
                                      const std::string& bytes) const {
    // Joined as text: a path object may re-encode the name's bytes on Windows.
    std::string path = m_rootPath + "/" + relativePath;
    testutil::WriteFile(path, bytes);
    return path;
}

testsupport::ProcessResult Installation::Run(const std::vector<std::string>& args,
                                                   const std::string& currentDir) const {
    std::vector<std::string> argv = {launcherPath()};
    argv.insert(argv.end(), args.begin(), args.end());
    return testsupport::RunAndWait(platform::JoinCommandLine(argv),
                                         currentDir.empty() ? workDir() : currentDir,
                                         "RECLAUNCH_CLIENT_REPORTS=" + m_reports, 60000);
}

LaunchResult Installation::Launch(const std::vector<std::string>& args, std::size_t expectedClients,
                                  const std::string& currentDir) const {
    LaunchResult result;
    result.process = Run(args, currentDir);
    result.clients = CollectClientReports(m_reports, expectedClients);
    return result;
}

}  // namespace e2e
