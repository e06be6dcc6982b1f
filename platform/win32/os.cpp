// The process's identity and surroundings, from KERNEL32.
#include "platform/os.h"

#include <string>

#include "platform/win32/windows_api.h"

namespace platform {

void* OwnModuleHandle() {
    return ::GetModuleHandleA(nullptr);
}

const char* OwnCommandLine() {
    return ::GetCommandLineA();
}

bool InitFramework(void* module, const char* /*commandLine*/, int /*showCode*/) {
    return module != nullptr;
}

void Sleep(std::uint32_t milliseconds) {
    ::Sleep(milliseconds);
}

std::string GetCurrentDir() {
    std::string dir;
    DWORD needed = ::GetCurrentDirectoryA(0, nullptr);  // with the NUL
    while (needed != 0) {
        dir.resize(needed);
        const DWORD length = ::GetCurrentDirectoryA(needed, dir.data());
        if (length < needed) {  // fitted (0 on failure)
            dir.resize(length);
            return dir;
        }
        needed = length;  // changed in between: the size it needs now
    }
    return {};
}

}  // namespace platform
