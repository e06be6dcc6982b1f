// Working out what the launcher would do, with the launcher's own code.
#pragma once

#include "tools/launcher-check/facts.h"
#include "tools/launcher-check/options.h"

namespace check {

// Goes the launcher's way for the record in the chosen installation: the
// installation directory, the station and its site file, the record's game
// kind, then every entry of the game table. Reads files; starts nothing.
CheckFacts GatherFacts(const CheckOptions& options);

}  // namespace check
