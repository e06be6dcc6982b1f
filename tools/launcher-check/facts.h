// Everything launcher-check found out about one record in one installation:
// plain data, gathered once and then written out as text or JSON.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/result_codes.h"
#include "hall/site_info.h"
#include "launcher/game_table.h"
#include "platform/os.h"

namespace check {

enum class InstallationSource { kExecutablePath, kCommandLine, kOption };

struct InstallationFacts {
    std::string dir;  // as the launcher would hold it; "" for none
    InstallationSource source = InstallationSource::kExecutablePath;
    platform::PathNaming naming;  // how this program's own path was named
};

// Line numbers count from 1; 0 stands for "not known" or "no line".
struct StationFacts {
    std::string file;
    HRESULT fileResult = E_FAIL;
    std::int32_t station = 1;
    bool chosenByEntry = false;  // otherwise the default 1 stands
    std::ptrdiff_t sectionIndex = -1;
    std::ptrdiff_t itemIndex = -1;
    int line = 0;
    std::string sectionName;
    std::string key;
    std::string value;
};

struct SiteFacts {
    std::string file;  // "" when the joined path would not fit
    bool loaded = false;
    CSiteInfo info;
};

struct RecordFacts {
    std::string path;             // as given, like the launcher's first argument
    std::string openedAs;         // the name the launcher opens and hands on
    platform::PathNaming naming;  // why that is not `path`, where it isn't
    bool opened = false;
    std::vector<unsigned char> header;  // the bytes present, at most four
    std::int32_t kind = 0;              // valid when opened
};

struct EntryFacts {
    std::ptrdiff_t itemIndex = 0;
    int line = 0;
    std::string key;
    std::string value;
    EntryVerdict verdict = EntryVerdict::kEmptyValue;
    std::int32_t keyKind = 0;        // valid when KeyIsNumber(verdict)
    std::string commandLine;         // on kStart
    platform::ProgramCheck program;  // on kStart
    std::optional<bool> started;     // on kStart, when the clients were started
};

struct SectionFacts {
    std::ptrdiff_t index = 0;
    int line = 0;  // 0 for the unnamed section of lines before any header
    std::string name;
    bool searched = false;
    std::size_t itemCount = 0;
    std::vector<EntryFacts> entries;  // of searched sections only
};

struct GameTableFacts {
    std::string path;  // "" when it would not fit
    // The launcher reads the table only for a record that opened and a path
    // that fits; loadResult and sections tell about it only then.
    bool consulted = false;
    HRESULT loadResult = E_FAIL;
    std::vector<SectionFacts> sections;
};

// What the warning is about.
enum class Subject { kInstallation, kStationFile, kSiteFile, kRecord, kGameTable };

struct Warning {
    std::string code;  // stable, for scripts
    Subject subject = Subject::kGameTable;
    std::string file;  // the file it is about, or ""
    int line = 0;
    std::string message;
};

struct CheckFacts {
    InstallationFacts installation;
    StationFacts station;
    SiteFacts site;
    RecordFacts record;
    GameTableFacts gameTable;
    bool ran = false;  // the matching clients were started (--run)
    std::vector<Warning> warnings;
};

// True for the verdicts given after the key was read as a number.
bool KeyIsNumber(EntryVerdict verdict);

// The clients that would start (or, after --run, did start).
int ClientsStarting(const CheckFacts& facts);

// 0 when a client would start (or did), 1 when none.
int ExitCodeFor(const CheckFacts& facts);

}  // namespace check
