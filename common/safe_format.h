#pragma once

#include <cstddef>

#include "common/limits.h"

// printf-style formatting into a caller's zero-filled 260-byte buffer. The
// text must fit in 259 bytes and its NUL. Returns false when it does not: the
// buffer then holds no usable text (it is left all zero), since a cut path
// would name another file.
#if defined(__GNUC__)
__attribute__((format(printf, 2, 3)))
#endif
bool SafeFormat(char (&buffer)[reclaunch::kMaxPath], const char* format, ...);
