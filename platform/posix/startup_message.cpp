#include "platform/startup_message.h"

#include <cstdio>

namespace platform {

void ShowStartupMessage(const char* message) {
    std::printf("%s\n", message);
}

}  // namespace platform
