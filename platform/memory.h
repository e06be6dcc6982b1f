// Memory the OS maps in page by page as it is first written.
#pragma once

#include <cstddef>

namespace platform {

// Maps in at once every page of `bytes` at `begin` that is about to be
// written, where the OS would otherwise stop the program at each page's first
// write. A fresh process pays for every page it touches, and a fault per page
// costs several times more than one request for all of them. Only a hint: the
// memory's content is unchanged, and where the OS can't, nothing happens.
void PrepareForWriting(void* begin, std::size_t bytes) noexcept;

// For a process that lives for a few loads, as the launcher does: blocks of
// up to 256 KiB (about 250 items) come from the heap, and up to 1 MiB freed
// at its top stays there, so each load reuses the pages the one before it
// freed rather than having them unmapped and fresh ones mapped in. Larger
// blocks are mapped on their own as before, so a large table still grows
// without copying. Call before the first allocation worth keeping.
void ReuseFreedMemory() noexcept;

}  // namespace platform
