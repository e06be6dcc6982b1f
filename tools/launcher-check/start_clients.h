// --run: starting the clients the launcher would start.
#pragma once

#include "tools/launcher-check/facts.h"

namespace check {

// Starts the client of every matching entry in file order, each exactly as
// the launcher starts it, and notes in each entry whether it started.
void StartClients(CheckFacts& facts);

}  // namespace check
