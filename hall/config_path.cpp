#include "hall/config_path.h"

#include <string>

#include "hall/hall_singleton.h"
#include "platform/os.h"

const char* JoinConfigPath(const char* workDir, const char* name, bool* byShortName) {
    if (byShortName != nullptr) {
        *byShortName = false;
    }
    if (workDir == nullptr || workDir[0] == '\0') {
        return "";  // no installation: nothing below the current folder either
    }
    const char* joined = CHallSingleton::GetFullPath(workDir, name);
    if (joined[0] != '\0') {
        return joined;
    }
    // Too long as given: a deeper folder still has a short name that fits.
    const std::string shortDir = platform::ShortPathInAnsi(workDir);
    if (shortDir.empty()) {
        return joined;
    }
    joined = CHallSingleton::GetFullPath(shortDir.c_str(), name);
    if (byShortName != nullptr) {
        *byShortName = joined[0] != '\0';
    }
    return joined;
}
