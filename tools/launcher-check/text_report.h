// The facts as a report for people: one block per step of the launcher.
#pragma once

#include <string>

#include "tools/launcher-check/facts.h"

namespace check {

std::string TextReport(const CheckFacts& facts);

}  // namespace check
