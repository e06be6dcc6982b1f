// A launcher installation in a temporary folder for end-to-end runs: the real
// launcher binary beside a config folder, copies of the recording client, and
// records to open.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/testing.h"
#include "tests/support/temp_dir.h"

namespace e2e {

// What one started client was given, as the recording client wrote it down.
struct ClientReport {
    std::string commandLine;  // raw, as the OS handed it over
    std::string executable;   // the client's own path
    std::string currentDir;
    std::vector<std::string> args;
    std::string recordHead;  // the first bytes of the file the last argument names
};

struct LaunchResult {
    testsupport::ProcessResult process;
    std::vector<ClientReport> clients;
};

class Installation {
public:
    // `folderName` is the installation folder below a fresh temporary folder;
    // `program` the build's launcher program copied into it.
    explicit Installation(const std::string& folderName = "game",
                          const std::string& program = "launcher");

    const std::string& dir() const { return m_dir; }
    const std::string& root() const { return m_rootPath; }
    std::string launcherPath() const;

    // Writes config/<name> with exactly these bytes.
    void WriteConfig(const std::string& name, const std::string& bytes) const;
    // Copies the recording client to <root>/<relativePath> (".exe" added on
    // Windows) and returns its full path.
    std::string AddClient(const std::string& relativePath) const;
    // Writes a record file below the temporary folder and returns its path.
    std::string WriteRecord(const std::string& relativePath, const std::string& bytes) const;

    // Runs the launcher with these arguments from `currentDir` (default: a
    // work folder that is not the installation), waits for it to end and for
    // `expectedClients` clients to report, and collects every report.
    LaunchResult Launch(const std::vector<std::string>& args, std::size_t expectedClients,
                        const std::string& currentDir = "") const;
    // The same run, without waiting for the clients: their reports come into
    // reports().
    testsupport::ProcessResult Run(const std::vector<std::string>& args,
                                         const std::string& currentDir = "") const;
    const std::string& reports() const { return m_reports; }

    std::string workDir() const { return m_rootPath + "/work"; }

private:
    testutil::TempDir m_root;
    std::string m_rootPath;
    std::string m_dir;
    std::string m_reports;
    std::string m_program;
};

// The build folder: the test programs stand in its tests/ folder, the
// launcher in launcher/ and the tools below tools/.
std::filesystem::path BuildFolder();

// Waits until `expected` clients have written a report into `folder` (or a
// generous time has passed), then, when `settle`, a little longer for any
// nobody expected; returns every report and removes them.
std::vector<ClientReport> CollectClientReports(const std::string& folder, std::size_t expected,
                                               bool settle = true);
// How long to keep watching for clients nobody expects.
void Settle();

// A launcher run that ended as every run must: exit code 0, nothing printed.
void ExpectSilentSuccess(const LaunchResult& run);

// `text` with each %a, %b and %c replaced by the path of a recording client
// of that name, added to the installation for the marks that occur.
std::string Expand(std::string text, const Installation& inst);

// True on Windows, whose volumes (Wine's too) give every file a short name:
// a record path too long for the client is handed on by it.
bool OnWindows();

// Quotes one argument by the Windows rules, so the launcher gets it back whole.
std::string QuoteArgument(const std::string& arg);

// The bytes of a little-endian kind id.
std::string KindBytes(std::int32_t kind);

}  // namespace e2e
