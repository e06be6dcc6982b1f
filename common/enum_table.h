// Tables with one row per value of an enum, looked up by the value itself.
#pragma once

#include <cstddef>

namespace reclaunch {

// True when `table` lists every value of its enum once, in order, up to
// `last`, so that a value's number is its row's index.
template <class Row, std::size_t N, class Enum>
constexpr bool IndexedByValue(const Row (&table)[N], Enum Row::*value, Enum last) {
    for (std::size_t i = 0; i < N; ++i) {
        if (static_cast<std::size_t>(table[i].*value) != i) {
            return false;
        }
    }
    return N == static_cast<std::size_t>(last) + 1;
}

}  // namespace reclaunch
