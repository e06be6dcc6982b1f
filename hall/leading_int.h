// The number at the start of a siteinfo value.
#pragma once

#include <cstdint>

// Reads the text as atoi does: leading white space skipped, an optional sign,
// then decimal digits up to the first other byte; no digits gives 0. Unlike
// atoi it is defined beyond the 32-bit range: the value is clamped to
// INT32_MIN or INT32_MAX, as the Microsoft run-time's atoi returns there.
std::int32_t ParseLeadingInt(const char* text);
