#include "fuzz/support/reference_full_path.h"

namespace reference {
namespace {

constexpr std::size_t kPathLimit = 259;  // a 260-byte buffer less its NUL

bool IsSeparator(char ch) {
    return ch == '\\' || ch == '/';
}

bool StartsWith(const std::string& text, std::size_t at, const char* prefix) {
    return text.compare(at, std::string::traits_type::length(prefix), prefix) == 0;
}

// `path` is the caller's path with its first `offset` bytes dropped.
FullPath Resolve(const std::optional<std::string>& base, const std::string& whole,
                 std::size_t offset) {
    const std::string path = whole.substr(offset);
    const bool absolute =
        (!path.empty() && IsSeparator(path[0])) || (path.size() >= 2 && path[1] == ':');
    if (absolute || !base.has_value() || base->empty()) {
        return {FullPath::Kind::kSuffix, offset, {}};
    }
    std::string work = *base;
    if (!IsSeparator(work.back())) {
        work += '\\';
    }
    if (base->size() > kPathLimit || work.size() > kPathLimit) {
        return {FullPath::Kind::kUnsettled, 0, {}};
    }
    if (StartsWith(path, 0, "..\\") || StartsWith(path, 0, "../")) {
        // Up one level: the separator before the final one ends the base.
        for (std::size_t i = work.size() - 1; i-- > 0;) {
            if (IsSeparator(work[i])) {
                return Resolve(work.substr(0, i + 1), whole, offset + 3);
            }
        }
        return {FullPath::Kind::kSuffix, offset + 3, {}};
    }
    std::size_t rest = offset;
    if (StartsWith(path, 0, ".\\") || StartsWith(path, 0, "./")) {
        rest += 2;
    }
    const std::string joined = work + whole.substr(rest);
    if (joined.size() > kPathLimit) {
        return {FullPath::Kind::kTooLong, 0, {}};
    }
    return {FullPath::Kind::kJoined, 0, joined};
}

}  // namespace

FullPath ResolveFullPath(const std::optional<std::string>& base, const std::string& path) {
    return Resolve(base, path, 0);
}

}  // namespace reference
