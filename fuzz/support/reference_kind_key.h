// A second, plain reading of how a game-table key gives a game kind.
#pragma once

#include <cstdint>
#include <string>

namespace reference {

struct KindKey {
    enum class Status { kOk, kNoDigit, kOutOfRange };
    Status status;
    std::int32_t kind = 0;  // on kOk
};

// White space skipped, an optional sign, then decimal digits up to the first
// other byte; at least one digit, and a number within the signed 32 bits.
KindKey ReadKindKey(const std::string& key);

}  // namespace reference
