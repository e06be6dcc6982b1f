#pragma once

#include <cstddef>
#include <string_view>

// Trims a NUL-terminated text in place: blanks and tabs at both ends, CR and
// LF at the end only. Bytes from 0x80 up are never removed, and a CR or LF at
// the start shields the blanks behind it. A null text is left alone.
void TrimString(char* text);

// The same for the first `length` bytes of `text` (none of them a NUL), so
// callers that know the length don't measure again, and a cut and a trim are
// one step. Writes the NUL behind the trimmed text; returns its length.
std::size_t TrimString(char* text, std::size_t length);

// The part of `text` that trimming keeps, without changing it: for a reader
// that must classify a line where it lies (the loader's read-ahead).
std::string_view TrimmedText(std::string_view text);
