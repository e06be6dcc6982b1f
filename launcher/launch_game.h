#pragma once

#include <cstdint>

// Starts the game client of every game-table entry for `kind`, in file
// order, each with the record path on its command line. Reports nothing.
void LaunchGameByKind(std::int32_t kind, const char* recordPath);

// Starts one client as the launcher starts each: with the command line as
// built (the buffer may be changed by the start), in the launcher's own
// current directory. False when nothing was started.
bool StartClient(char* commandLine);
