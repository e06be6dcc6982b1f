// Paths reach the platform layer in Windows form ('C:\Game\x.ini' or
// 'config\x.ini'). The POSIX calls take '/' as the only separator, so every
// '\' becomes '/' right before a path is handed to the OS. A '\' inside a
// POSIX file name can therefore not be named; the launcher never needs one.
#pragma once

#include <algorithm>
#include <string>

namespace platform::posix {

inline std::string NativePath(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

}  // namespace platform::posix
