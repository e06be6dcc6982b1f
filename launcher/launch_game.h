#pragma once

#include <cstdint>
#include <string>

// Starts the game client of every game-table entry for `kind`, in file
// order, each with the record path on its command line. Reports nothing.
void LaunchGameByKind(std::int32_t kind, const char* recordPath);

// Starts one client as the launcher starts each: the command line in a
// zero-filled buffer of its own (the start may write into it), and the
// launcher's own current directory. False when nothing was started.
bool StartClient(const std::string& commandLine);
