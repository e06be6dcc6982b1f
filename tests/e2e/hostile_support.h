// Shared pieces of the hostile-file runs: what a started client must have
// been given, and the large or odd file contents the launcher must survive.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "tests/e2e/installation.h"

namespace hostile {

// Every client started got exactly itself, the keyword and `record`.
void ExpectRecordPassedExactly(const e2e::LaunchResult& run, const std::string& record);

// `size` bytes of every value, NULs and line ends included; the same for the
// same seed.
std::string Garbage(std::size_t size, std::uint32_t seed);

// One line of 10 MiB (an item whose value runs on), with no line end; made
// once per process.
const std::string& TenMegabyteLine();

// `head`, then `fillerLine` (with its line end) more times than a document
// may hold sections and items.
std::string PastTheCeiling(const std::string& head, const std::string& fillerLine);

// True when the programs under test are built with AddressSanitizer, which
// reserves more address space than any small limit allows.
bool AddressSanitized();

}  // namespace hostile
