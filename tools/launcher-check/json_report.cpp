#include "tools/launcher-check/reports.h"

#include <nlohmann/json.hpp>

#include "hall/site_info_keys.h"
#include "tools/launcher-check/enum_texts.h"

namespace check {
namespace {

// Members stay in the order written, so the document reads like the report.
using Json = nlohmann::ordered_json;

Json LineOrNull(int line) {
    return line > 0 ? Json(line) : Json(nullptr);
}

Json Station(const CheckFacts& facts) {
    const StationChoice& station = facts.station;
    Json chosenBy = nullptr;
    if (station.sectionIndex >= 0) {
        chosenBy = {
            {"section", station.sectionName.str()},
            {"section_index", station.sectionIndex},
            {"item_index", station.itemIndex},
            {"line", LineOrNull(facts.stationLines.Line(station.sectionIndex, station.itemIndex))},
            {"key", station.key.str()},
            {"value", station.value.str()}};
    }
    return {{"file", station.stationFile.str()},
            {"file_result", TextOfLoad(station.stationFileResult).code},
            {"station", station.station},
            {"chosen_by", chosenBy}};
}

Json Site(const CheckFacts& facts) {
    const CSiteInfo& site = facts.site;
    Json values = {{"stationid", site.m_nStationID}};
    for (const SiteInfoKey& key : AllSiteInfoKeys()) {
        values[key.name] =
            key.number != nullptr ? Json(site.*(key.number)) : Json((site.*(key.text)).str());
    }
    return {{"file", facts.station.siteFile.str()}, {"loaded", site.m_bLoaded}, {"values", values}};
}

// How a name the OS gave was put in ANSI text, and why the given name did
// not serve.
Json Naming(const platform::PathNaming& naming) {
    const char* problem = TextOf(kProblemTexts, naming.problem).code;
    return {{"name", TextOf(kNameTexts, naming.name).code},
            {"problem", problem != nullptr ? Json(problem) : Json(nullptr)}};
}

Json Record(const RecordFacts& record, const LaunchPlan& plan) {
    return {{"path", record.path},
            {"opened_as", record.openedAs},
            {"read_from", record.opened ? Json(record.readFrom) : Json(nullptr)},
            {"handed_on_as", plan.recordPath},
            {"short_for_command_line", plan.recordShortForCommandLine},
            {"naming", Naming(record.naming)},
            {"opened", record.opened},
            {"cause",
             record.opened ? Json(nullptr) : Json(TextOfCause(RecordCause(record.openError)).code)},
            {"header_hex", record.opened ? Json(HeaderHex(record, "")) : Json(nullptr)},
            {"kind", record.opened ? Json(record.kind) : Json(nullptr)}};
}

Json Program(const ClientLaunch* launch) {
    if (launch == nullptr) {
        return nullptr;
    }
    const platform::ProgramCheck& program = launch->program;
    const bool script = program.kind == platform::ProgramCheck::Kind::kScript;
    return {{"status", TextOf(kProgramTexts, program.status).code},
            {"path", program.path.empty() ? Json(nullptr) : Json(program.path)},
            {"kind", program.path.empty() ? Json(nullptr)
                                          : Json(TextOf(kProgramKindTexts, program.kind).code)},
            {"interpreter", script ? Json(program.interpreter) : Json(nullptr)}};
}

Json Started(const ClientLaunch* launch) {
    return launch != nullptr && launch->started ? Json(*launch->started) : Json(nullptr);
}

Json Entry(const CheckFacts& facts, std::size_t index) {
    const GameTableEntry& entry = facts.plan.entries[index];
    const ClientLaunch* launch = LaunchOf(facts, index);
    return {{"item_index", entry.itemIndex},
            {"line", LineOrNull(EntryLine(facts, entry))},
            {"key", entry.key},
            {"value", entry.value},
            {"key_kind", entry.keyKind ? Json(*entry.keyKind) : Json(nullptr)},
            {"verdict", TextOf(kVerdictTexts, entry.verdict).code},
            {"reason", VerdictReason(entry.verdict)},
            {"command_line", launch != nullptr ? Json(entry.commandLine) : Json(nullptr)},
            {"program", Program(launch)},
            {"started", Started(launch)}};
}

Json GameTable(const CheckFacts& facts) {
    const LaunchPlan& plan = facts.plan;
    Json sections = Json::array();
    const auto& document = plan.table->m_arrSections;
    for (std::ptrdiff_t s = 0; facts.tableConsulted && s < document.GetSize(); ++s) {
        const CIniSection& section = document[s];
        Json entries = Json::array();
        for (std::size_t i = 0; i < plan.entries.size(); ++i) {
            if (plan.entries[i].sectionIndex == s) {
                entries.push_back(Entry(facts, i));
            }
        }
        sections.push_back({{"index", s},
                            {"line", LineOrNull(facts.tableLines.Line(s))},
                            {"name", section.m_szName},
                            {"searched", IsGameKindSection(section.m_szName)},
                            {"item_count", section.m_arrItems.GetSize()},
                            {"entries", entries}});
    }
    return {{"path", plan.tablePath.empty() ? Json(nullptr) : Json(plan.tablePath)},
            {"consulted", facts.tableConsulted},
            {"load_result",
             facts.tableConsulted ? Json(TextOfLoad(plan.loadResult).code) : Json(nullptr)},
            {"cause", facts.tableConsulted && plan.loadResult == E_FAIL
                          ? Json(TextOfCause(TableCause(plan.table->LastOpenError())).code)
                          : Json(nullptr)},
            {"sections", sections}};
}

// The matching entries again, in the order the launcher starts them.
Json Launches(const CheckFacts& facts) {
    Json launches = Json::array();
    for (const ClientLaunch& launch : facts.launches) {
        const GameTableEntry& entry = facts.plan.entries[launch.entry];
        launches.push_back({{"line", LineOrNull(EntryLine(facts, entry))},
                            {"command_line", entry.commandLine},
                            {"program", Program(&launch)},
                            {"started", Started(&launch)}});
    }
    return launches;
}

// What the launcher's failure log would say of the launch; null when every
// client listed for the kind would start (or did).
Json LaunchFailure(const CheckFacts& facts) {
    const auto failure = LaunchFailureOf(facts);
    if (!failure) {
        return nullptr;
    }
    return {{"cause", TextOfCause(failure->cause).code}, {"text", CauseText(*failure)}};
}

Json Warnings(const std::vector<Warning>& warnings) {
    Json list = Json::array();
    for (const Warning& warning : warnings) {
        list.push_back({{"code", warning.code},
                        {"about", TextOf(kSubjectTexts, warning.subject).code},
                        {"file", warning.file.empty() ? Json(nullptr) : Json(warning.file)},
                        {"line", LineOrNull(warning.line)},
                        {"message", warning.message}});
    }
    return list;
}

}  // namespace

std::string JsonReport(const CheckFacts& facts) {
    const Json document = {
        {"format", kJsonFormat},
        {"installation",
         {{"dir", facts.installDir},
          {"found_from", TextOf(kSourceTexts, facts.installSource).code},
          {"naming", Naming(facts.installNaming)},
          {"config_by_short_name", ConfigByShortName(facts)},
          {"failures_logged", facts.failuresLogged}}},
        {"run_folder", facts.runFolder},
        {"station", Station(facts)},
        {"site", Site(facts)},
        {"record", Record(facts.record, facts.plan)},
        {"game_table", GameTable(facts)},
        {"launches", Launches(facts)},
        {"ran", facts.ran},
        {"clients_starting", ClientsStarting(facts)},
        {"exit_code", ExitCodeFor(facts)},
        {"launch_failure", LaunchFailure(facts)},
        {"warnings", Warnings(facts.warnings)},
    };
    // Configuration texts are bytes of the installation's code page; those
    // that are no UTF-8 come out as U+FFFD rather than break the document.
    return document.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

}  // namespace check
