// The words of both reports for each value of the enums they tell about: one
// table per enum, each row a value, its stable code (JSON) and its text for
// people. The launcher itself has no words.
#pragma once

#include <cstddef>
#include <string>

#include "common/enum_table.h"
#include "common/result_codes.h"
#include "launcher/game_table.h"
#include "launcher/launch_causes.h"
#include "platform/os.h"
#include "tools/launcher-check/facts.h"

namespace check {

template <class Enum>
struct EnumText {
    Enum value;
    const char* code;
    const char* text;
};

// The text of a verdict is its reason (VerdictReason); an entry for the
// kind that starts nothing has the words of its cause, as the launcher's
// failure log gives them.
inline constexpr EnumText<EntryVerdict> kVerdictTexts[] = {
    {EntryVerdict::kStart, "start", "starts a client"},
    {EntryVerdict::kEmptyValue, "empty_value", "no client named (empty value or no '=')"},
    {EntryVerdict::kKeyNoDigit, "key_no_digit", "the key is no number"},
    {EntryVerdict::kKeyOutOfRange, "key_out_of_range", "the key is outside the 32-bit range"},
    {EntryVerdict::kOtherKind, "other_kind", "another kind"},
    {EntryVerdict::kClientPathUnquotable, "client_path_unquotable",
     WordsOfVerdict(EntryVerdict::kClientPathUnquotable)},
    {EntryVerdict::kRecordPathUnquotable, "record_path_unquotable",
     WordsOfVerdict(EntryVerdict::kRecordPathUnquotable)},
    {EntryVerdict::kRecordPathTooLong, "record_path_too_long",
     WordsOfVerdict(EntryVerdict::kRecordPathTooLong)},
    {EntryVerdict::kCommandLineTooLong, "command_line_too_long",
     WordsOfVerdict(EntryVerdict::kCommandLineTooLong)},
    {EntryVerdict::kBatchPercentInCommandLine, "batch_percent_in_command_line",
     WordsOfVerdict(EntryVerdict::kBatchPercentInCommandLine)},
    {EntryVerdict::kBatchNameWithoutRoot, "batch_name_without_root",
     WordsOfVerdict(EntryVerdict::kBatchNameWithoutRoot)},
};

inline constexpr EnumText<InstallationSource> kSourceTexts[] = {
    {InstallationSource::kExecutablePath, "executable_path",
     "found from this program's own path, as the launcher finds its own"},
    {InstallationSource::kCommandLine, "command_line",
     "found from the command line: this program's own path was not available"},
    {InstallationSource::kOption, "install_option", "given with --install"},
};

// The text follows the program's path, which is "" when it is missing.
inline constexpr EnumText<platform::ProgramCheck::Status> kProgramTexts[] = {
    {platform::ProgramCheck::Status::kRunnable, "runnable", ", can run"},
    {platform::ProgramCheck::Status::kMissing, "missing", "not found"},
    {platform::ProgramCheck::Status::kNotRunnable, "not_runnable",
     ", but it is no program that can run"},
    {platform::ProgramCheck::Status::kInterpreterMissing, "interpreter_missing",
     ", a script whose interpreter is missing or can't run: it cannot start"},
    {platform::ProgramCheck::Status::kInterpreterLineCr, "interpreter_line_cr",
     ", a script whose first line ends in CR (saved with Windows line ends): the system looks "
     "for an interpreter whose name ends in CR, and it cannot start"},
};

inline constexpr EnumText<platform::ProgramCheck::Kind> kProgramKindTexts[] = {
    {platform::ProgramCheck::Kind::kImage, "image", nullptr},
    {platform::ProgramCheck::Kind::kScript, "script", nullptr},
    {platform::ProgramCheck::Kind::kBatch, "batch_file", nullptr},
};

// The text labels a warning in the text report.
inline constexpr EnumText<Subject> kSubjectTexts[] = {
    {Subject::kInstallation, "installation", "installation"},
    {Subject::kStationFile, "station_file", "StationID.ini"},
    {Subject::kSiteFile, "site_file", "site file"},
    {Subject::kRecord, "record", "record"},
    {Subject::kGameTable, "game_table", "game table"},
};

// How a name the OS gave was put in ANSI text; the reports word each in place.
inline constexpr EnumText<platform::PathNaming::Name> kNameTexts[] = {
    {platform::PathNaming::Name::kAsGiven, "as_given", nullptr},
    {platform::PathNaming::Name::kShortName, "short_name", nullptr},
    {platform::PathNaming::Name::kNone, "none", nullptr},
};

// Why the name as given could not serve; no code (JSON null) when it could.
inline constexpr EnumText<platform::PathNaming::Problem> kProblemTexts[] = {
    {platform::PathNaming::Problem::kNone, nullptr, ""},
    {platform::PathNaming::Problem::kNotInCodePage, "not_in_code_page",
     "it holds characters the ANSI code page can't hold"},
    {platform::PathNaming::Problem::kTooLong, "too_long",
     "it is too long for the launcher's 260-byte buffers"},
};

template <class Enum, std::size_t N>
constexpr bool ListsEveryValue(const EnumText<Enum> (&table)[N], Enum last) {
    return reclaunch::IndexedByValue(table, &EnumText<Enum>::value, last);
}
static_assert(ListsEveryValue(kVerdictTexts, EntryVerdict::kBatchNameWithoutRoot));
static_assert(ListsEveryValue(kSourceTexts, InstallationSource::kOption));
static_assert(ListsEveryValue(kProgramTexts, platform::ProgramCheck::Status::kInterpreterLineCr));
static_assert(ListsEveryValue(kProgramKindTexts, platform::ProgramCheck::Kind::kBatch));
static_assert(ListsEveryValue(kSubjectTexts, Subject::kGameTable));
static_assert(ListsEveryValue(kNameTexts, platform::PathNaming::Name::kNone));
static_assert(ListsEveryValue(kProblemTexts, platform::PathNaming::Problem::kTooLong));

template <class Enum, std::size_t N>
constexpr const EnumText<Enum>& TextOf(const EnumText<Enum> (&table)[N], Enum value) {
    return table[static_cast<std::size_t>(value)];
}

// Why an entry starts a client, is another kind's, or is skipped.
inline std::string VerdictReason(EntryVerdict verdict) {
    const char* text = TextOf(kVerdictTexts, verdict).text;
    return verdict == EntryVerdict::kStart || verdict == EntryVerdict::kOtherKind
               ? text
               : std::string("skipped: ") + text;
}

// What loading a configuration file gave; `incomplete` is the warning for a
// file read only in part, or null.
struct LoadResultText {
    HRESULT value;
    const char* code;
    const char* text;
    const char* incomplete;
};
inline constexpr LoadResultText kLoadResultTexts[] = {
    {E_FAIL, "not_opened", "does not open", nullptr},
    {S_OK, "ok", "loaded", nullptr},
    {E_READFAULT, "read_error", "read up to a read error",
     "reading stopped at a read error: only the lines before it count"},
    {E_TOOMANYITEMS, "too_many_entries",
     "read in part: more sections and items (131,072), or more bytes (128 MiB), than the "
     "reader takes",
     "the file holds more sections and items (131,072), or more bytes (128 MiB), than the "
     "reader takes: only the first ones count"},
};
// Any other result (the loader gives none for a path it was given) reads as
// the first row's.
constexpr const LoadResultText& TextOfLoad(HRESULT result) {
    for (const LoadResultText& row : kLoadResultTexts) {
        if (row.value == result) {
            return row;
        }
    }
    return kLoadResultTexts[0];
}

}  // namespace check
