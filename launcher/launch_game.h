#pragma once

#include <cstdint>
#include <string>

#include "launcher/launch_failure.h"
#include "launcher/launch_plan.h"

// What a launch planned and how its starts went.
struct LaunchOutcome {
    LaunchPlan plan;
    StartTally tally;
};

// Starts the game client of every game-table entry for `kind`, in file
// order, each with the record path on its command line. Reports nothing;
// the outcome tells the caller how it went. `renameRecord`: see PlanLaunch.
LaunchOutcome LaunchGameByKind(std::int32_t kind, const char* recordPath,
                               const RecordNamer& renameRecord = nullptr);

// Starts one client as the launcher starts each: the command line in a
// zero-filled buffer of its own (the start may write into it), and the
// launcher's own current directory. False when nothing was started.
// `program`, when given, is the file to run, found beforehand as the start
// would find it ("" when none was found: nothing starts); the command line
// is handed on unchanged.
bool StartClient(const std::string& commandLine, const char* program = nullptr);
