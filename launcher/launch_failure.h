// What went wrong with a launch that started no client, or fewer than the
// game table lists for the record's kind.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "launcher/launch_causes.h"
#include "launcher/launch_plan.h"
#include "platform/os.h"

// How the starts of a plan's clients went.
struct StartTally {
    std::size_t started = 0;
    // The plan's first entry whose start failed, and why (no words where the
    // start was only foreseen); -1 for none.
    std::ptrdiff_t firstFailed = -1;
    platform::StartFailure failure;
};

struct LaunchFailure {
    LaunchCause cause = LaunchCause::kClientCannotStart;
    std::string detail;       // what the cause concerns: the client, the system's words
    std::size_t listed = 0;   // the table's entries for the kind
    std::size_t started = 0;  // the clients started
};

// The failure of a record that did not open.
LaunchFailure RecordFailure(platform::OpenError why);

// Why the launch of `plan` for `kind` started no client, or fewer than the
// table lists, the first cause in file order; nothing when every client
// listed started. `installDir` tells a missing installation from one too
// long for the table's path.
std::optional<LaunchFailure> FindLaunchFailure(const LaunchPlan& plan, std::int32_t kind,
                                               const char* installDir, const StartTally& tally);

// The cause in words, with what it concerns and, when the table lists more
// than one client for the kind, how many did not start: "<words>: <detail>;
// 1 of 2 clients did not start".
std::string CauseText(const LaunchFailure& failure);
