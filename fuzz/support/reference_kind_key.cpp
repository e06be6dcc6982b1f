#include "fuzz/support/reference_kind_key.h"

#include <cstddef>

namespace reference {
namespace {

bool IsSpace(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r';
}

bool IsDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

}  // namespace

KindKey ReadKindKey(const std::string& key) {
    std::size_t at = 0;
    while (at < key.size() && IsSpace(key[at])) {
        ++at;
    }
    bool negative = false;
    if (at < key.size() && (key[at] == '+' || key[at] == '-')) {
        negative = key[at] == '-';
        ++at;
    }
    if (at == key.size() || !IsDigit(key[at])) {
        return {KindKey::Status::kNoDigit};
    }
    // Past 2^31 the number is out of range whatever follows, so stop growing.
    constexpr std::int64_t kPastRange = std::int64_t{1} << 32;
    std::int64_t magnitude = 0;
    for (; at < key.size() && IsDigit(key[at]); ++at) {
        if (magnitude < kPastRange) {
            magnitude = magnitude * 10 + (key[at] - '0');
        }
    }
    const std::int64_t number = negative ? -magnitude : magnitude;
    if (number < INT32_MIN || number > INT32_MAX) {
        return {KindKey::Status::kOutOfRange};
    }
    return {KindKey::Status::kOk, static_cast<std::int32_t>(number)};
}

}  // namespace reference
