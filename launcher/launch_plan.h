// What the launcher would do for one record in one installation: the game
// table it reads, what loading it gave, and its verdict on every entry.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/result_codes.h"
#include "ini/ini_file_parse.h"
#include "launcher/game_table.h"

struct LaunchPlan {
    // "<installation>\config\GameKindID.ini"; "" when the installation
    // directory is too long for it, and then nothing is read.
    std::string tablePath;
    // What loading the table gave; E_FAIL also when nothing was read.
    HRESULT loadResult = E_FAIL;
    // The table as loaded: every section, searched or not. The entries
    // point into it.
    std::unique_ptr<CIniFileParse> table = std::make_unique<CIniFileParse>();
    // Every item of every gamekindid section, judged, in file order: the
    // kStart ones are the clients to start, in this order.
    std::vector<GameTableEntry> entries;
};

// Plans the launch of `kind` with `recordPath` in the installation at
// `installDir`. Starts nothing; `observer`, when given, hears every line of
// the table as it is read.
LaunchPlan PlanLaunch(std::int32_t kind, const char* recordPath, const char* installDir,
                      IniLoadObserver* observer = nullptr);
