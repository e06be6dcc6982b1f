#include "tools/launcher-check/enum_texts.h"

namespace check {
namespace {

using Program = platform::ProgramCheck::Status;

constexpr EnumText<EntryVerdict> kVerdicts[] = {
    {EntryVerdict::kStart, "start", "starts a client"},
    {EntryVerdict::kEmptyValue, "empty_value", "skipped: no client named (empty value or no '=')"},
    {EntryVerdict::kKeyNoDigit, "key_no_digit", "skipped: the key is no number"},
    {EntryVerdict::kKeyOutOfRange, "key_out_of_range",
     "skipped: the key is outside the 32-bit range"},
    {EntryVerdict::kOtherKind, "other_kind", "another kind"},
    {EntryVerdict::kClientPathUnquotable, "client_path_unquotable",
     "skipped: the client path holds a double quote"},
    {EntryVerdict::kRecordPathUnquotable, "record_path_unquotable",
     "skipped: the record path holds a double quote or ends with a backslash"},
    {EntryVerdict::kRecordPathTooLong, "record_path_too_long",
     "skipped: the record path is longer than 246 bytes"},
    {EntryVerdict::kCommandLineTooLong, "command_line_too_long",
     "skipped: the client command line is longer than 259 bytes"},
};

constexpr EnumText<InstallationSource> kSources[] = {
    {InstallationSource::kExecutablePath, "executable_path",
     "found from this program's own path, as the launcher finds its own"},
    {InstallationSource::kCommandLine, "command_line",
     "found from the command line: this program's own path was not available"},
    {InstallationSource::kOption, "install_option", "given with --install"},
};

constexpr EnumText<Program> kPrograms[] = {
    {Program::kRunnable, "runnable", ", can run"},
    {Program::kMissing, "missing", "not found"},
    {Program::kNotRunnable, "not_runnable", ", but it is no program that can run"},
};

constexpr EnumText<Subject> kSubjects[] = {
    {Subject::kStationFile, "station_file", "StationID.ini"},
    {Subject::kSiteFile, "site_file", "site file"},
    {Subject::kRecord, "record", "record"},
    {Subject::kGameTable, "game_table", "game table"},
};

constexpr LoadResultText kLoadResults[] = {
    {E_FAIL, "not_opened", "does not open", nullptr},
    {S_OK, "ok", "loaded", nullptr},
    {E_READFAULT, "read_error", "read up to a read error",
     "reading stopped at a read error: only the lines before it count"},
    {E_TOOMANYITEMS, "too_many_entries",
     "read in part: more sections and items than the reader keeps",
     "the file holds more sections and items than the reader keeps: only the first ones count"},
};

// A table lists every value of its enum once, in the enum's order, up to `last`.
template <class Enum, std::size_t N>
constexpr bool ListsEveryValue(const EnumText<Enum> (&table)[N], Enum last) {
    for (std::size_t i = 0; i < N; ++i) {
        if (static_cast<std::size_t>(table[i].value) != i) {
            return false;
        }
    }
    return N == static_cast<std::size_t>(last) + 1;
}

static_assert(ListsEveryValue(kVerdicts, EntryVerdict::kCommandLineTooLong));
static_assert(ListsEveryValue(kSources, InstallationSource::kOption));
static_assert(ListsEveryValue(kPrograms, Program::kNotRunnable));
static_assert(ListsEveryValue(kSubjects, Subject::kGameTable));

template <class Enum, std::size_t N>
const EnumText<Enum>& Row(const EnumText<Enum> (&table)[N], Enum value) {
    return table[static_cast<std::size_t>(value)];
}

}  // namespace

const EnumText<EntryVerdict>& TextOf(EntryVerdict verdict) {
    return Row(kVerdicts, verdict);
}

const EnumText<InstallationSource>& TextOf(InstallationSource source) {
    return Row(kSources, source);
}

const EnumText<Program>& TextOf(Program status) {
    return Row(kPrograms, status);
}

const EnumText<Subject>& TextOf(Subject subject) {
    return Row(kSubjects, subject);
}

const LoadResultText& TextOfLoad(HRESULT result) {
    for (const LoadResultText& row : kLoadResults) {
        if (row.value == result) {
            return row;
        }
    }
    return kLoadResults[0];
}

}  // namespace check
