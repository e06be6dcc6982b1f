#pragma once

#include <cstdint>

// Starts the game client of every game-table entry for `kind`, in file
// order, each with the record path on its command line. Reports nothing.
void LaunchGameByKind(std::int32_t kind, const char* recordPath);
