// A second, plain reading of the path-joining rules for the fuzzers: what
// CHallSingleton::GetFullPath must give for a base and a path.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace reference {

struct FullPath {
    enum class Kind {
        kSuffix,     // path itself or a rest of it: `offset` bytes dropped from the front
        kJoined,     // `text`, a join of at most 259 bytes
        kTooLong,    // the join has more than 259 bytes: no usable path
        kUnsettled,  // the base does not fit its 260-byte buffer
    };
    Kind kind;
    std::size_t offset = 0;
    std::string text;
};

FullPath ResolveFullPath(const std::optional<std::string>& base, const std::string& path);

}  // namespace reference
