// What the launcher would do for one record in one installation: the game
// table it reads, what loading it gave, and its verdict on every entry.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/result_codes.h"
#include "ini/ini_file_parse.h"
#include "launcher/game_table.h"
#include "platform/os.h"

// Names the record within `maxLength` bytes where it can, as
// platform::ArgumentPathInAnsi does the launcher's argument: the name as
// given when it fits, else its short name when that does.
using RecordNamer = std::function<std::string(std::size_t maxLength, platform::PathNaming*)>;

struct LaunchPlan {
    // "<installation>\config\GameKindID.ini"; "" when the installation
    // directory is too long for it, and then nothing is read.
    std::string tablePath;
    bool tableByShortName = false;  // built on the folder's short name
    // The record's name on the clients' command lines, and whether it is the
    // short name taken since the one given made a command line too long.
    std::string recordPath;
    bool recordShortForCommandLine = false;
    platform::PathNaming recordNaming;
    // What loading the table gave; E_FAIL also when nothing was read.
    HRESULT loadResult = E_FAIL;
    // The table as loaded: every section, searched or not. The entries
    // point into it.
    std::unique_ptr<CIniFileParse> table = std::make_unique<CIniFileParse>();
    // Every item of every gamekindid section, judged, in file order: the
    // kStart ones are the clients to start, in this order, each with its
    // program as the start finds it.
    std::vector<GameTableEntry> entries;
};

// Plans the launch of `kind` with `recordPath` in the installation at
// `installDir`, the launcher's folder. Starts nothing, but finds the program
// of each client to start (platform::CheckProgram); a batch file whose
// command line the command interpreter would read otherwise than the system
// does is not started (EntryVerdict). `observer`, when given, hears every
// line of the table as it is read. When the record's name makes the command
// line of a matching client too long, `renameRecord`, when given, is asked
// for a name short enough for every such client, and the table is judged
// again with it: a name that fits is always used as it is.
LaunchPlan PlanLaunch(std::int32_t kind, const char* recordPath, const char* installDir,
                      IniLoadObserver* observer = nullptr,
                      const RecordNamer& renameRecord = nullptr);
