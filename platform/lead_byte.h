// The one thing about double-byte code pages the portable text rules need
// from a backend.
#pragma once

namespace platform::detail {

// True when `byte` starts a double-byte character in `codePage`
// (IsDBCSLeadByteEx). POSIX: never, since its text is plain bytes.
bool IsLeadByte(unsigned codePage, unsigned char byte);

}  // namespace platform::detail
