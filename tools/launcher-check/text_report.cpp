#include "tools/launcher-check/text_report.h"

#include <cstdio>

#include "hall/site_info_keys.h"

namespace check {
namespace {

constexpr const char kIndent[] = "               ";

// "Label          text": the label column is as wide as kIndent.
std::string Row(const char* label, const std::string& text) {
    std::string row = label;
    row.resize(sizeof kIndent - 1, ' ');
    return row + text + "\n";
}

std::string More(const std::string& text) {
    return kIndent + text + "\n";
}

// "1 item", "2 items".
std::string Count(std::size_t count, const char* noun) {
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

std::string Hex(const std::vector<unsigned char>& bytes) {
    std::string text;
    for (const unsigned char byte : bytes) {
        char pair[4] = {};
        std::snprintf(pair, sizeof pair, "%02x", byte);
        text += (text.empty() ? "" : " ") + std::string(pair);
    }
    return text;
}

std::string Unread(HRESULT result) {
    if (result == E_READFAULT) {
        return "read up to a read error";
    }
    if (result == E_TOOMANYITEMS) {
        return "read in part: more sections and items than the reader keeps";
    }
    return result == E_FAIL ? "does not open" : "loaded";
}

// Why a name the OS gave could not serve as it was.
std::string Why(const platform::PathNaming& naming) {
    return naming.problem == platform::PathNaming::Problem::kNotInCodePage
               ? "it holds characters the ANSI code page can't hold"
               : "it is too long for the launcher's 260-byte buffers";
}

std::string Installation(const InstallationFacts& installation) {
    const char* how = "found from this program's own path, as the launcher finds its own";
    if (installation.source == InstallationSource::kCommandLine) {
        how = "found from the command line: this program's own path was not available";
    } else if (installation.source == InstallationSource::kOption) {
        how = "given with --install";
    }
    if (installation.source != InstallationSource::kOption && installation.dir.empty()) {
        return Row("Installation", "none") +
               More(
                   "this program's path can't be named within the launcher's buffers: no "
                   "configuration is read");
    }
    std::string text = Row("Installation", installation.dir) + More(how);
    if (installation.naming.name == platform::PathNaming::Name::kShortName) {
        text += More("by its folder's short name: " + Why(installation.naming));
    }
    return text;
}

std::string Station(const StationFacts& station) {
    std::string text = Row("Station", std::to_string(station.station));
    if (station.file.empty()) {
        return text + More("the default: the path of config\\StationID.ini does not fit");
    }
    if (station.chosenByEntry) {
        const std::string where = station.line > 0 ? ", line " + std::to_string(station.line) : "";
        text += More("chosen in " + station.file + where + ": [" + station.sectionName + "] " +
                     station.key + "=" + station.value);
    } else if (station.fileResult == E_FAIL) {
        text += More("the default: " + station.file + " does not open");
    } else {
        text += More("the default: " + station.file +
                     " has no non-empty stationid in a [stationid] section");
    }
    if (station.fileResult != E_FAIL && station.fileResult != S_OK) {
        text += More("the file was " + Unread(station.fileResult));
    }
    return text;
}

std::string Site(const SiteFacts& site) {
    if (site.file.empty()) {
        return Row("Site file", "its path does not fit: the defaults stand");
    }
    std::string text =
        Row("Site file",
            site.file + (site.loaded ? ": loaded" : ": does not open, the defaults stand"));
    std::string name = "stationid";
    name.resize(22, ' ');
    text += More(name + std::to_string(site.info.m_nStationID));
    for (const SiteInfoKey& key : AllSiteInfoKeys()) {
        name = key.name;
        name.resize(22, ' ');
        const std::string value = key.number != nullptr
                                      ? std::to_string(site.info.*(key.number))
                                      : "\"" + (site.info.*(key.text)).str() + "\"";
        text += More(name + value);
    }
    return text;
}

std::string Record(const RecordFacts& record) {
    std::string text = Row("Record", record.path);
    if (record.naming.name == platform::PathNaming::Name::kShortName) {
        text += More("opened and handed on as " + record.openedAs +
                     ", its short name: " + Why(record.naming));
    }
    if (!record.opened) {
        return text + More(
                          "does not open (missing, a folder or no regular file, or held open by "
                          "another program): the launcher starts nothing");
    }
    if (record.header.empty()) {
        return text + More("empty: game kind 0");
    }
    return text +
           More("first bytes " + Hex(record.header) + ": game kind " + std::to_string(record.kind));
}

std::string Program(const platform::ProgramCheck& program) {
    switch (program.status) {
        case platform::ProgramCheck::Status::kRunnable:
            return program.path + ", can run";
        case platform::ProgramCheck::Status::kNotRunnable:
            return program.path + ", but it is no program that can run";
        case platform::ProgramCheck::Status::kMissing:
            break;
    }
    return "not found";
}

std::string Entry(const EntryFacts& entry, bool ran) {
    const std::string where = entry.line > 0 ? "line " + std::to_string(entry.line) : "an entry";
    const std::string item = entry.value.empty() ? entry.key : entry.key + "=" + entry.value;
    std::string text = "    " + where + ": " + item + "\n";
    const std::string indent = "        ";
    if (entry.verdict == EntryVerdict::kOtherKind) {
        return text + indent + "another kind (" + std::to_string(entry.keyKind) + ")\n";
    }
    text += indent + DescribeVerdict(entry.verdict) + "\n";
    if (entry.verdict == EntryVerdict::kStart) {
        text += indent + "command line: " + entry.commandLine + "\n";
        text += indent + "program: " + Program(entry.program) + "\n";
        if (ran) {
            text += indent + (entry.started.value_or(false) ? "started" : "did not start") + "\n";
        }
    }
    return text;
}

std::string GameTable(const CheckFacts& facts) {
    const GameTableFacts& table = facts.gameTable;
    if (table.path.empty()) {
        return Row("Game table", "its path does not fit: the launcher starts nothing");
    }
    if (!table.consulted) {
        return Row("Game table", table.path + ": not read, since the record does not open");
    }
    std::string text = Row("Game table", table.path + ": " + Unread(table.loadResult));
    if (table.loadResult != E_FAIL && table.sections.empty()) {
        text += More("no sections");
    }
    for (const SectionFacts& section : table.sections) {
        const std::string where = section.line > 0 ? "section '" + section.name + "' (line " +
                                                         std::to_string(section.line) + ")"
                                                   : "lines before any section header";
        if (!section.searched) {
            text += "  " + where + ": not searched, " + Count(section.itemCount, "item") + "\n";
            continue;
        }
        text += "  " + where + ": searched\n";
        for (const EntryFacts& entry : section.entries) {
            text += Entry(entry, facts.ran);
        }
    }
    return text;
}

std::string Result(const CheckFacts& facts) {
    const std::string clients = Count(static_cast<std::size_t>(ClientsStarting(facts)), "client");
    const std::string verb = facts.ran ? " started" : " would start";
    return Row("Result",
               clients + verb + " (exit code " + std::to_string(ExitCodeFor(facts)) + ")");
}

const char* SubjectLabel(Subject subject) {
    switch (subject) {
        case Subject::kInstallation:
            return "installation";
        case Subject::kStationFile:
            return "StationID.ini";
        case Subject::kSiteFile:
            return "site file";
        case Subject::kRecord:
            return "record";
        case Subject::kGameTable:
            break;
    }
    return "game table";
}

std::string Warnings(const std::vector<Warning>& warnings) {
    if (warnings.empty()) {
        return Row("Warnings", "none");
    }
    std::string text = Row("Warnings", std::to_string(warnings.size()));
    for (const Warning& warning : warnings) {
        const std::string where =
            warning.line > 0 ? ", line " + std::to_string(warning.line) : std::string();
        text += "  " + std::string(SubjectLabel(warning.subject)) + where + " [" + warning.code +
                "]\n      " + warning.message + "\n";
    }
    return text;
}

}  // namespace

std::string TextReport(const CheckFacts& facts) {
    // One block per step, in the launcher's order, a blank line between.
    return "What the launcher would do with " + facts.record.path + "\n\n" +
           Installation(facts.installation) + "\n" + Station(facts.station) + "\n" +
           Site(facts.site) + "\n" + Record(facts.record) + "\n" + GameTable(facts) + "\n" +
           Result(facts) + "\n" + Warnings(facts.warnings);
}

}  // namespace check
