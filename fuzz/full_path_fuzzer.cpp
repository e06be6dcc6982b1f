// CHallSingleton::GetFullPath on an arbitrary base and path. The result is
// the path itself, a rest of it, or a join of at most 259 bytes; where the
// rules settle the join, it is exactly that, and a join too long for the
// buffer is never cut into the name of another file.
//
// Input: a flags byte (bit 0: no base at all; bit 1: the next byte gives the
// base's length), then the base and the path, split at the first NUL unless
// a length is given. The path ends at the next NUL.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

#include "fuzz/support/check.h"
#include "fuzz/support/reference_full_path.h"
#include "hall/hall_singleton.h"

namespace {

constexpr std::size_t kPathLimit = 259;

struct Arguments {
    std::optional<std::string> base;
    std::string path;
};

std::string UpToNul(const std::string& text) {
    return text.substr(0, text.find('\0'));
}

Arguments Split(const std::string& input) {
    Arguments args;
    if (input.empty()) {
        return args;
    }
    const auto flags = static_cast<unsigned char>(input[0]);
    std::string rest = input.substr(1);
    std::string base;
    if ((flags & 2U) != 0 && !rest.empty()) {
        const std::size_t length = static_cast<unsigned char>(rest[0]);
        base = rest.substr(1, length);
        rest = rest.size() > length + 1 ? rest.substr(length + 1) : std::string();
    } else {
        const std::size_t nul = rest.find('\0');
        base = rest.substr(0, nul);
        rest = nul == std::string::npos ? std::string() : rest.substr(nul + 1);
    }
    if ((flags & 1U) == 0) {
        args.base = UpToNul(base);
    }
    args.path = UpToNul(rest);
    return args;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Arguments args = Split(std::string(reinterpret_cast<const char*>(data), size));
    const char* path = args.path.c_str();
    const char* result =
        CHallSingleton::GetFullPath(args.base ? args.base->c_str() : nullptr, path);
    FUZZ_CHECK(result != nullptr);

    const auto at = reinterpret_cast<std::uintptr_t>(result);
    const auto start = reinterpret_cast<std::uintptr_t>(path);
    const bool withinPath = at >= start && at <= start + args.path.size();
    FUZZ_CHECK(withinPath || std::strlen(result) <= kPathLimit);

    const reference::FullPath expected = reference::ResolveFullPath(args.base, args.path);
    using Kind = reference::FullPath::Kind;
    switch (expected.kind) {
        case Kind::kSuffix:
            FUZZ_CHECK(result == path + expected.offset);
            break;
        case Kind::kJoined:
            FUZZ_CHECK(!withinPath);
            FUZZ_CHECK(result == expected.text);
            break;
        case Kind::kTooLong:
            FUZZ_CHECK(!withinPath);
            FUZZ_CHECK(result[0] == '\0');  // no cut path that names another file
            break;
        case Kind::kUnsettled:
            break;
    }
    return 0;
}
