// Start-up services for the launcher's entry that fail on demand, so tests
// can drive each start-up failure through the entry's seam.
#pragma once

#include "launcher/entry.h"

namespace startup_fakes {

inline int g_module = 0;
inline void* NoModule() {
    return nullptr;
}
inline void* SomeModule() {
    return &g_module;
}
inline const char* CommandLine() {
    return "launcher";
}
inline bool FrameworkFails(void*, const char*, int) {
    return false;
}
inline bool FrameworkStarts(void*, const char*, int) {
    return true;
}

}  // namespace startup_fakes
