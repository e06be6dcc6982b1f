#include "tools/launcher-check/json_report.h"

#include <cstdio>
#include <nlohmann/json.hpp>

#include "hall/site_info_keys.h"

namespace check {
namespace {

// Members stay in the order written, so the document reads like the report.
using Json = nlohmann::ordered_json;

Json LineOrNull(int line) {
    return line > 0 ? Json(line) : Json(nullptr);
}

const char* LoadResultCode(HRESULT result) {
    if (result == S_OK) {
        return "ok";
    }
    if (result == E_READFAULT) {
        return "read_error";
    }
    if (result == E_TOOMANYITEMS) {
        return "too_many_entries";
    }
    return "not_opened";
}

const char* SourceCode(InstallationSource source) {
    switch (source) {
        case InstallationSource::kExecutablePath:
            return "executable_path";
        case InstallationSource::kCommandLine:
            return "command_line";
        case InstallationSource::kOption:
            break;
    }
    return "install_option";
}

const char* VerdictCode(EntryVerdict verdict) {
    switch (verdict) {
        case EntryVerdict::kStart:
            return "start";
        case EntryVerdict::kEmptyValue:
            return "empty_value";
        case EntryVerdict::kKeyNoDigit:
            return "key_no_digit";
        case EntryVerdict::kKeyOutOfRange:
            return "key_out_of_range";
        case EntryVerdict::kOtherKind:
            return "other_kind";
        case EntryVerdict::kClientPathUnquotable:
            return "client_path_unquotable";
        case EntryVerdict::kRecordPathUnquotable:
            return "record_path_unquotable";
        case EntryVerdict::kRecordPathTooLong:
            return "record_path_too_long";
        case EntryVerdict::kCommandLineTooLong:
            break;
    }
    return "command_line_too_long";
}

const char* ProgramCode(platform::ProgramCheck::Status status) {
    switch (status) {
        case platform::ProgramCheck::Status::kRunnable:
            return "runnable";
        case platform::ProgramCheck::Status::kNotRunnable:
            return "not_runnable";
        case platform::ProgramCheck::Status::kMissing:
            break;
    }
    return "missing";
}

const char* SubjectCode(Subject subject) {
    switch (subject) {
        case Subject::kInstallation:
            return "installation";
        case Subject::kStationFile:
            return "station_file";
        case Subject::kSiteFile:
            return "site_file";
        case Subject::kRecord:
            return "record";
        case Subject::kGameTable:
            break;
    }
    return "game_table";
}

Json Station(const StationFacts& station) {
    Json chosenBy = nullptr;
    if (station.chosenByEntry) {
        chosenBy = {{"section", station.sectionName},
                    {"section_index", station.sectionIndex},
                    {"item_index", station.itemIndex},
                    {"line", LineOrNull(station.line)},
                    {"key", station.key},
                    {"value", station.value}};
    }
    return {{"file", station.file},
            {"file_result", LoadResultCode(station.fileResult)},
            {"station", station.station},
            {"chosen_by", chosenBy}};
}

Json Site(const SiteFacts& site) {
    Json values = {{"stationid", site.info.m_nStationID}};
    for (const SiteInfoKey& key : AllSiteInfoKeys()) {
        values[key.name] = key.number != nullptr ? Json(site.info.*(key.number))
                                                 : Json((site.info.*(key.text)).str());
    }
    return {{"file", site.file}, {"loaded", site.loaded}, {"values", values}};
}

// How a name the OS gave was put in ANSI text: "as_given", "short_name" or
// "none", and why the given name did not serve.
Json Naming(const platform::PathNaming& naming) {
    using Name = platform::PathNaming::Name;
    using Problem = platform::PathNaming::Problem;
    const char* name = naming.name == Name::kAsGiven     ? "as_given"
                       : naming.name == Name::kShortName ? "short_name"
                                                         : "none";
    const Json problem = naming.problem == Problem::kNone            ? Json(nullptr)
                         : naming.problem == Problem::kNotInCodePage ? Json("not_in_code_page")
                                                                     : Json("too_long");
    return {{"name", name}, {"problem", problem}};
}

Json Record(const RecordFacts& record) {
    std::string hex;
    for (const unsigned char byte : record.header) {
        char pair[3] = {};
        std::snprintf(pair, sizeof pair, "%02x", byte);
        hex += pair;
    }
    return {{"path", record.path},
            {"opened_as", record.openedAs},
            {"naming", Naming(record.naming)},
            {"opened", record.opened},
            {"header_hex", record.opened ? Json(hex) : Json(nullptr)},
            {"kind", record.opened ? Json(record.kind) : Json(nullptr)}};
}

Json Program(const EntryFacts& entry) {
    if (entry.verdict != EntryVerdict::kStart) {
        return nullptr;
    }
    return {{"status", ProgramCode(entry.program.status)},
            {"path", entry.program.path.empty() ? Json(nullptr) : Json(entry.program.path)}};
}

Json Entry(const EntryFacts& entry) {
    const bool starts = entry.verdict == EntryVerdict::kStart;
    return {{"item_index", entry.itemIndex},
            {"line", LineOrNull(entry.line)},
            {"key", entry.key},
            {"value", entry.value},
            {"key_kind", KeyIsNumber(entry.verdict) ? Json(entry.keyKind) : Json(nullptr)},
            {"verdict", VerdictCode(entry.verdict)},
            {"reason", DescribeVerdict(entry.verdict)},
            {"command_line", starts ? Json(entry.commandLine) : Json(nullptr)},
            {"program", Program(entry)},
            {"started", entry.started ? Json(*entry.started) : Json(nullptr)}};
}

Json GameTable(const GameTableFacts& table) {
    Json sections = Json::array();
    for (const SectionFacts& section : table.sections) {
        Json entries = Json::array();
        for (const EntryFacts& entry : section.entries) {
            entries.push_back(Entry(entry));
        }
        sections.push_back({{"index", section.index},
                            {"line", LineOrNull(section.line)},
                            {"name", section.name},
                            {"searched", section.searched},
                            {"item_count", section.itemCount},
                            {"entries", entries}});
    }
    return {
        {"path", table.path.empty() ? Json(nullptr) : Json(table.path)},
        {"consulted", table.consulted},
        {"load_result", table.consulted ? Json(LoadResultCode(table.loadResult)) : Json(nullptr)},
        {"sections", sections}};
}

// The matching entries again, in the order the launcher starts them.
Json Launches(const GameTableFacts& table) {
    Json launches = Json::array();
    for (const SectionFacts& section : table.sections) {
        for (const EntryFacts& entry : section.entries) {
            if (entry.verdict == EntryVerdict::kStart) {
                launches.push_back(
                    {{"line", LineOrNull(entry.line)},
                     {"command_line", entry.commandLine},
                     {"program", Program(entry)},
                     {"started", entry.started ? Json(*entry.started) : Json(nullptr)}});
            }
        }
    }
    return launches;
}

Json Warnings(const std::vector<Warning>& warnings) {
    Json list = Json::array();
    for (const Warning& warning : warnings) {
        list.push_back({{"code", warning.code},
                        {"about", SubjectCode(warning.subject)},
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
         {{"dir", facts.installation.dir},
          {"found_from", SourceCode(facts.installation.source)},
          {"naming", Naming(facts.installation.naming)}}},
        {"station", Station(facts.station)},
        {"site", Site(facts.site)},
        {"record", Record(facts.record)},
        {"game_table", GameTable(facts.gameTable)},
        {"launches", Launches(facts.gameTable)},
        {"ran", facts.ran},
        {"clients_starting", ClientsStarting(facts)},
        {"exit_code", ExitCodeFor(facts)},
        {"warnings", Warnings(facts.warnings)},
    };
    // Configuration texts are bytes of the installation's code page; those
    // that are no UTF-8 come out as U+FFFD rather than break the document.
    return document.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

}  // namespace check
