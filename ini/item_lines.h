#pragma once

#include <cstddef>
#include <string_view>

// How many items the loader would make of `text`, raw file bytes, before the
// next section header: the lines that are neither blank nor a comment, up to
// the first header line. A line longer than the loader's buffer counts as the
// pieces it is read in, each classified on its own, as the loader does; so a
// header hidden in a long line's rest ends the count too.
std::size_t CountItemLines(std::string_view text);
