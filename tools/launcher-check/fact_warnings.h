// Warnings that follow from the gathered facts rather than from the raw lines:
// files that don't open, keys that don't read as meant, kinds listed twice.
#pragma once

#include "tools/launcher-check/facts.h"

namespace check {

// Adds them to facts.warnings, then orders all warnings as the launcher
// meets their causes: station file, site file, record, game table; by line.
void AddFactWarnings(CheckFacts& facts);

}  // namespace check
