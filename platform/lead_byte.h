// The one thing about double-byte code pages the portable text rules need
// from a backend.
#pragma once

namespace platform::detail {

// True when `byte` starts a double-byte character in `codePage`
// (IsDBCSLeadByteEx). POSIX: the same for the double-byte code pages,
// though its own text is plain bytes (code page 0).
bool IsLeadByte(unsigned codePage, unsigned char byte);

}  // namespace platform::detail
