// Which program a client command line would start on POSIX, found as
// StartProcess finds it. Nothing is started.
#include <string>
#include <vector>

#include "platform/os.h"
#include "platform/posix/native_path.h"
#include "platform/posix/program_search.h"

namespace platform {

ProgramCheck CheckProgram(const char* commandLine, const char* launcherDir) {
    if (commandLine == nullptr) {
        return {};
    }
    const std::vector<std::string> args = SplitCommandLine(commandLine);
    if (args.empty() || args[0].empty()) {
        return {};
    }
    const std::string program = posix::NativePath(args[0]);
    if (program[0] == '/') {
        return posix::ExamineProgram(program);  // an absolute name is used as it is
    }
    return posix::SearchProgram(program,
                                posix::NativePath(launcherDir == nullptr ? "" : launcherDir));
}

}  // namespace platform
