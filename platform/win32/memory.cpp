#include "platform/memory.h"

namespace platform {

// The Windows heap commits and keeps memory on its own terms; neither hint
// was measured to pay there.
void PrepareForWriting(void* /*begin*/, std::size_t /*bytes*/) noexcept {}

void ReuseFreedMemory() noexcept {}

}  // namespace platform
