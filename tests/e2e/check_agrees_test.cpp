// launcher-check against the launcher: random installations, each checked
// with --json and then opened by the real launcher with recording clients.
// The clients the check says would start must be exactly the clients that
// start, with the same command lines and programs. A fixed seed keeps a
// failure reproducible; RECLAUNCH_AGREEMENT_RUNS asks for more installations.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "platform/os.h"
#include "tests/e2e/check_tool.h"
#include "tests/e2e/installation.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using e2e::Installation;

// What a started client shows of itself: its program, then its arguments
// (on Windows the raw command line, which the launcher hands over as it is).
using Started = std::pair<std::string, std::vector<std::string>>;

std::string Canonical(const fs::path& path) {
    std::error_code error;
    const fs::path found = fs::weakly_canonical(path, error);
    return (error ? path : found).lexically_normal().string();
}

std::vector<std::string> Arguments(const std::string& commandLine) {
    if (e2e::OnWindows()) {
        return {commandLine};
    }
    std::vector<std::string> args = platform::SplitCommandLine(commandLine.c_str());
    std::replace(args[0].begin(), args[0].end(), '\\', '/');  // as the POSIX start names it
    return args;
}

// One random installation: a game table drawn from the forms a table takes
// in the field, clients that start and clients that can't.
class RandomInstallation {
public:
    RandomInstallation(std::mt19937& random, const Installation& inst)
        : m_random(random), m_inst(inst) {}

    std::string Table() {
        const char* headers[] = {"[gamekindid]", "[GameKindID]", "[GAMEKINDID]", "[ gamekindid ]",
                                 "[other]"};
        const char* keys[] = {"5", "05", "+5", "5abc", "x5", "7", "99999999999", " 5"};
        const std::string eol = Pick(2) == 0 ? "\r\n" : "\n";
        std::string table = Pick(4) == 0 ? "5=" + Client() + eol : "";
        for (int section = 0, sections = 1 + Pick(3); section < sections; ++section) {
            table.append(headers[Pick(5)]).append(eol);
            for (int line = 0, lines = 1 + Pick(5); line < lines; ++line) {
                const int form = Pick(10);
                table += keys[Pick(8)];
                if (form == 1) {
                    table += "=";
                } else if (form > 1) {
                    table.append("=").append(Client());
                }
                if (form == 2) {  // a line the reader splits
                    table.append(1100, ' ').append("x");
                }
                table += eol;
            }
        }
        return table;
    }

    // One client by a name without a root: `shape` 0 to 5 stand for bare or
    // below a folder, lying beside the launcher, in the current folder or in both.
    std::string NoRootTable(int shape) {
        const std::string name = shape % 2 == 0 ? "a" : "sub/a";
        for (const char* folder : {"game/", "work/"}) {
            if (((1 + shape / 2) & (*folder == 'g' ? 1 : 2)) != 0) {
                m_inst.AddClient(folder + name);
            }
        }
        return "[gamekindid]\n5=" + std::string(shape % 2 == 0 ? "a" : "sub\\a") + "\n";
    }

private:
    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(m_random); }

    // A client path in one of its forms, the program laid out as it names it.
    std::string Client() {
        std::string name(1, static_cast<char>('a' + Pick(3)));
        switch (Pick(10)) {
            case 0:  // below the launcher's folder, with a decoy in the current one
                m_inst.AddClient("game/sub/" + name);
                m_inst.AddClient("work/sub/" + name);
                return ".\\sub\\" + name;
            case 1:
                m_inst.AddClient("clients/" + name);
                return "..\\clients\\" + name;
            case 2:  // a bare name, beside the launcher
                m_inst.AddClient("game/" + name);
                return name;
            case 3:
                return m_inst.root() + "/clients/missing";
            case 4:
                return "\"" + m_inst.AddClient("clients/" + name) + "\"";
            case 5:
            case 6:
                return CannotStart(name);
            default:
                return m_inst.AddClient("clients/" + name);
        }
    }

    // A program that is there but can't run: a text file, or on POSIX a
    // script whose interpreter is missing or whose first line ends in CR.
    std::string CannotStart(const std::string& name) {
        static int drawn = 0;  // each form in turn, across installations
        const int kind = e2e::OnWindows() ? 0 : drawn++ % 3;
        std::string path = m_inst.root() + "/broken/" + name + std::to_string(kind) +
                           (e2e::OnWindows() ? ".exe" : "");
        const char* texts[] = {"plain text\n", "#!/bin/sh\r\nexit 0\r\n",
                               "#!/no/such/sh\nexit 0\n"};
        fs::create_directories(fs::path(path).parent_path());
        testutil::WriteFile(path, texts[kind]);
        fs::permissions(path, fs::perms::owner_all, fs::perm_options::add);
        return path;
    }

    std::mt19937& m_random;
    const Installation& m_inst;
};

std::vector<Started> Predicted(const nlohmann::json& report) {
    std::vector<Started> started;
    const fs::path runFolder = report.at("run_folder").get<std::string>();
    for (const nlohmann::json& launch : report.at("launches")) {
        if (launch.at("program").at("status") == "runnable") {
            const fs::path program = e2e::PathOf(launch.at("program").at("path"));
            started.emplace_back(Canonical(program.is_absolute() ? program : runFolder / program),
                                 Arguments(launch.at("command_line").get<std::string>()));
        }
    }
    return started;
}

std::vector<Started> Seen(const std::vector<e2e::ClientReport>& clients) {
    std::vector<Started> started;
    started.reserve(clients.size());
    for (const e2e::ClientReport& client : clients) {
        started.emplace_back(
            Canonical(client.executable),
            e2e::OnWindows() ? std::vector<std::string>{client.commandLine} : client.args);
    }
    return started;
}

TEST(CheckAgreesWithLauncher, OnRandomInstallations) {
    const char* setting = std::getenv("RECLAUNCH_AGREEMENT_RUNS");
    const int runs = setting != nullptr ? std::atoi(setting) : 24;
    std::mt19937 random(20);
    struct Run {
        std::unique_ptr<Installation> inst;
        std::string table;
        std::string record;
        std::vector<Started> predicted;
        std::unique_ptr<e2e::CheckTool> check;
    };
    std::vector<Run> done;
    for (int i = 0; i < runs; ++i) {
        Run run{std::make_unique<Installation>(), {}, {}, {}, {}};
        RandomInstallation shape(random, *run.inst);
        run.table = i < 6 ? shape.NoRootTable(i) : shape.Table();
        run.inst->WriteConfig("GameKindID.ini", run.table);
        // Present, so that no reader waits for a second attempt.
        run.inst->WriteConfig("StationID.ini", "[stationid]\nstationid=1\n");
        run.inst->WriteConfig("siteinfo_1.ini", "[siteinfo]\n");
        run.record = run.inst->WriteRecord(i % 2 == 0 ? "r.rec" : "records with blanks/r.rec",
                                           e2e::KindBytes(5));
        // Every program is copied before any starts: a copy still open for
        // writing in one process can't be started from another (ETXTBSY).
        run.check = std::make_unique<e2e::CheckTool>(*run.inst);
        done.push_back(std::move(run));
    }
    // Each installation is checked, then opened; several at a time, since a
    // process takes long to start under Wine.
    using Outcome = std::pair<e2e::CheckRun, testsupport::ProcessResult>;
    constexpr std::size_t kAtATime = 2;  // the machine's cores
    std::vector<std::future<Outcome>> outcomes;
    for (const Run& run : done) {
        outcomes.push_back(std::async(std::launch::async, [&run] {
            e2e::CheckRun check = run.check->Run({"--json", run.record});
            return Outcome{std::move(check), run.inst->Run({run.record})};
        }));
        if (outcomes.size() >= kAtATime) {
            outcomes[outcomes.size() - kAtATime].wait();
        }
    }
    for (std::size_t i = 0; i < done.size(); ++i) {
        const Outcome outcome = outcomes[i].get();
        ASSERT_TRUE(outcome.first.report.is_object()) << outcome.first.process.errorOutput;
        done[i].predicted = Predicted(outcome.first.report);
        EXPECT_EQ(outcome.first.process.exitCode, done[i].predicted.empty() ? 1 : 0);
        e2e::ExpectSilentSuccess({outcome.second, {}});
    }
    // The launchers have all ended; one wait covers the clients of them all.
    std::vector<std::vector<e2e::ClientReport>> reports;
    reports.reserve(done.size());
    for (const Run& run : done) {
        reports.push_back(
            e2e::CollectClientReports(run.inst->reports(), run.predicted.size(), false));
    }
    e2e::Settle();
    std::size_t started = 0;
    for (std::size_t i = 0; i < done.size(); ++i) {
        Run& run = done[i];
        SCOPED_TRACE(run.table);
        for (e2e::ClientReport& late : e2e::CollectClientReports(run.inst->reports(), 0, false)) {
            reports[i].push_back(std::move(late));
        }
        std::vector<Started> seen = Seen(reports[i]);
        std::sort(seen.begin(), seen.end());
        std::sort(run.predicted.begin(), run.predicted.end());
        EXPECT_EQ(seen, run.predicted);
        started += seen.size();
    }
    EXPECT_GT(started, done.size() / 2);  // the draw starts clients, not only skips
}

}  // namespace
