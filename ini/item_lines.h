#pragma once

#include <cstddef>
#include <string_view>

// How many of the lines of `text`, raw file bytes, the loader would make
// items of before the next section header: the lines that are neither blank
// nor a comment, up to the first header line. A line longer than the
// loader's buffer gives more than one item, so this is a close guess of the
// room a section needs, not a bound.
std::size_t CountItemLines(std::string_view text);
