#include "tools/launcher-check/reports.h"

#include <algorithm>

#include "hall/site_info_keys.h"
#include "tools/launcher-check/enum_texts.h"

namespace check {
namespace {

constexpr const char kIndent[] = "               ";

// `text` padded with blanks to `width`.
std::string Padded(std::string text, std::size_t width) {
    text.resize(std::max(width, text.size()), ' ');
    return text;
}

// "Label          text": the label column is as wide as kIndent.
std::string Row(const char* label, const std::string& text) {
    return Padded(label, sizeof kIndent - 1) + text + "\n";
}

std::string More(const std::string& text) {
    return kIndent + text + "\n";
}

// "1 item", "2 items".
std::string Count(std::size_t count, const char* noun) {
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

std::string Installation(const CheckFacts& facts) {
    if (facts.installSource != InstallationSource::kOption && facts.installDir.empty()) {
        return Row("Installation", "none") +
               More(
                   "this program's path can't be named within the launcher's buffers: no "
                   "configuration is read");
    }
    std::string text = Row("Installation", facts.installDir) +
                       More(TextOf(kSourceTexts, facts.installSource).text);
    if (facts.installNaming.name == platform::PathNaming::Name::kShortName) {
        text += More(std::string("by its folder's short name: ") +
                     TextOf(kProblemTexts, facts.installNaming.problem).text);
    }
    if (ConfigByShortName(facts)) {
        text += More(
            "its configuration files are named through the folder's short name: on its long "
            "name their paths would be longer than 259 bytes");
    }
    text += More(facts.failuresLogged
                     ? "failed launches are logged: config\\reclaunch.ini has [log] failures=1"
                     : "failed launches are not logged: config\\reclaunch.ini has no [log] "
                       "failures=1");
    return text;
}

std::string Station(const CheckFacts& facts) {
    const StationChoice& station = facts.station;
    const std::string file = station.stationFile.str();
    std::string text = Row("Station", std::to_string(station.station));
    if (file.empty()) {
        return text + More("the default: the path of config\\StationID.ini does not fit");
    }
    if (station.sectionIndex >= 0) {
        const int line = facts.stationLines.Line(station.sectionIndex, station.itemIndex);
        const std::string where = line > 0 ? ", line " + std::to_string(line) : "";
        text += More("chosen in " + file + where + ": [" + station.sectionName.str() + "] " +
                     station.key.str() + "=" + station.value.str());
    } else if (station.stationFileResult == E_FAIL) {
        text += More("the default: " + file + " does not open");
    } else {
        text +=
            More("the default: " + file + " has no non-empty stationid in a [stationid] section");
    }
    if (station.stationFileResult != E_FAIL && station.stationFileResult != S_OK) {
        text += More(std::string("the file was ") + TextOfLoad(station.stationFileResult).text);
    }
    return text;
}

std::string Site(const CheckFacts& facts) {
    const std::string file = facts.station.siteFile.str();
    if (file.empty()) {
        return Row("Site file", "its path does not fit: the defaults stand");
    }
    const CSiteInfo& site = facts.site;
    std::string text = Row(
        "Site file", file + (site.m_bLoaded ? ": loaded" : ": does not open, the defaults stand"));
    text += More(Padded("stationid", 22) + std::to_string(site.m_nStationID));
    for (const SiteInfoKey& key : AllSiteInfoKeys()) {
        const std::string value = key.number != nullptr ? std::to_string(site.*(key.number))
                                                        : "\"" + (site.*(key.text)).str() + "\"";
        text += More(Padded(key.name, 22) + value);
    }
    return text;
}

std::string Record(const RecordFacts& record, const LaunchPlan& plan) {
    std::string text = Row("Record", record.path);
    if (record.naming.name == platform::PathNaming::Name::kShortName) {
        text += More("opened and handed on as " + record.openedAs +
                     ", its short name: " + TextOf(kProblemTexts, record.naming.problem).text);
    }
    if (plan.recordShortForCommandLine) {
        text += More("handed on as " + plan.recordPath + ", its short name: with the name " +
                     record.openedAs + " a client's command line would be longer than 259 bytes");
    }
    if (record.opened && record.readFrom != record.openedAs) {
        text += More("read from " + record.readFrom + ": no file is named " + record.openedAs +
                     " itself, so each '\\' is read as a folder separator");
    }
    if (!record.opened) {
        return text + More(std::string("does not open: ") +
                           TextOfCause(RecordCause(record.openError)).words +
                           ": the launcher starts nothing");
    }
    if (record.header.empty()) {
        return text + More("empty: game kind 0");
    }
    return text + More("first bytes " + HeaderHex(record, " ") + ": game kind " +
                       std::to_string(record.kind));
}

std::string Entry(const CheckFacts& facts, std::size_t index) {
    const GameTableEntry& entry = facts.plan.entries[index];
    const int line = EntryLine(facts, entry);
    const std::string where = line > 0 ? "line " + std::to_string(line) : "an entry";
    const std::string key = entry.key;
    const std::string item = *entry.value == '\0' ? key : key + "=" + entry.value;
    std::string text = "    " + where + ": " + item + "\n";
    const std::string indent = "        ";
    if (entry.verdict == EntryVerdict::kOtherKind) {
        return text + indent + "another kind (" + std::to_string(*entry.keyKind) + ")\n";
    }
    text += indent + VerdictReason(entry.verdict) + "\n";
    if (const ClientLaunch* launch = LaunchOf(facts, index)) {
        text += indent + "command line: " + entry.commandLine + "\n";
        const platform::ProgramCheck& program = launch->program;
        text +=
            indent + "program: " + program.path + TextOf(kProgramTexts, program.status).text + "\n";
        if (program.kind == platform::ProgramCheck::Kind::kScript) {
            text += indent + "interpreter: " + program.interpreter + "\n";
        }
        if (facts.ran) {
            text += indent + (launch->started.value_or(false) ? "started" : "did not start") + "\n";
        }
    }
    return text;
}

std::string GameTable(const CheckFacts& facts) {
    const LaunchPlan& plan = facts.plan;
    if (plan.tablePath.empty()) {
        return Row("Game table", "its path does not fit: the launcher starts nothing");
    }
    if (!facts.tableConsulted) {
        return Row("Game table", plan.tablePath + ": not read, since the record does not open");
    }
    std::string text = Row("Game table", plan.tablePath + ": " + TextOfLoad(plan.loadResult).text);
    if (plan.loadResult == E_FAIL) {
        text += More(TextOfCause(TableCause(plan.table->LastOpenError())).words);
    }
    text += More("clients start in the current folder, " + facts.runFolder +
                 "; a client named without a full path is looked for below the launcher's "
                 "folder, " +
                 facts.installDir +
                 ", then below the system folders (Windows) and PATH, never below the current "
                 "folder");
    const auto& sections = plan.table->m_arrSections;
    if (plan.loadResult == E_FAIL) {
        return text;
    }
    if (sections.GetSize() == 0) {
        text += More("no sections");
    }
    for (std::ptrdiff_t s = 0; s < sections.GetSize(); ++s) {
        const CIniSection& section = sections[s];
        const int line = facts.tableLines.Line(s);
        const std::string where = line > 0 ? "section '" + std::string(section.m_szName) +
                                                 "' (line " + std::to_string(line) + ")"
                                           : "lines before any section header";
        if (!IsGameKindSection(section.m_szName)) {
            text += "  " + where + ": not searched, " +
                    Count(static_cast<std::size_t>(section.m_arrItems.GetSize()), "item") + "\n";
            continue;
        }
        text += "  " + where + ": searched\n";
        for (std::size_t i = 0; i < plan.entries.size(); ++i) {
            if (plan.entries[i].sectionIndex == s) {
                text += Entry(facts, i);
            }
        }
    }
    return text;
}

std::string Result(const CheckFacts& facts) {
    const std::string clients = Count(static_cast<std::size_t>(ClientsStarting(facts)), "client");
    const std::string verb = facts.ran ? " started" : " would start";
    std::string text =
        Row("Result", clients + verb + " (exit code " + std::to_string(ExitCodeFor(facts)) + ")");
    if (const auto failure = LaunchFailureOf(facts)) {
        text += More("the failure log would say: " + CauseText(*failure));
    }
    return text;
}

std::string Warnings(const std::vector<Warning>& warnings) {
    if (warnings.empty()) {
        return Row("Warnings", "none");
    }
    std::string text = Row("Warnings", std::to_string(warnings.size()));
    for (const Warning& warning : warnings) {
        const std::string where =
            warning.line > 0 ? ", line " + std::to_string(warning.line) : std::string();
        text += "  " + std::string(TextOf(kSubjectTexts, warning.subject).text) + where + " [" +
                warning.code + "]\n      " + warning.message + "\n";
    }
    return text;
}

}  // namespace

std::string TextReport(const CheckFacts& facts) {
    // One block per step, in the launcher's order, a blank line between.
    return "What the launcher would do with " + facts.record.path + "\n\n" + Installation(facts) +
           "\n" + Station(facts) + "\n" + Site(facts) + "\n" + Record(facts.record, facts.plan) +
           "\n" + GameTable(facts) + "\n" + Result(facts) + "\n" + Warnings(facts.warnings);
}

}  // namespace check
