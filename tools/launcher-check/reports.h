// The two ways of writing the facts out.
#pragma once

#include <string>

#include "tools/launcher-check/facts.h"

namespace check {

// For people: one block per step of the launcher.
std::string TextReport(const CheckFacts& facts);

// One JSON document of a stable shape (README.md here). kJsonFormat is
// raised whenever a member changes meaning or goes.
inline constexpr int kJsonFormat = 1;
std::string JsonReport(const CheckFacts& facts);

}  // namespace check
