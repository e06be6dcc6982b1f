// The facts as one JSON document of a stable shape (see README.md here).
#pragma once

#include <string>

#include "tools/launcher-check/facts.h"

namespace check {

// The shape's version; raised whenever a member changes meaning or goes.
inline constexpr int kJsonFormat = 1;

std::string JsonReport(const CheckFacts& facts);

}  // namespace check
