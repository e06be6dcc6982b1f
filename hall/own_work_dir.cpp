#include "hall/work_dir.h"
#include "platform/os.h"

const char* FindOwnWorkDir(char (&buffer)[reclaunch::kMaxPath], WorkDirSource* source,
                           platform::PathNaming* naming) {
    const std::uint32_t length =
        platform::OwnExecutablePath(buffer, static_cast<std::uint32_t>(sizeof buffer), naming);
    if (source != nullptr) {
        *source = length == 0 ? WorkDirSource::kCommandLine : WorkDirSource::kExecutablePath;
    }
    const char* commandLine = length == 0 ? platform::OwnCommandLine() : nullptr;
    return ComputeWorkDir(buffer, length, commandLine);
}
