// Starting a client program on POSIX. The Windows command line is split by
// the Windows rules; its first token names the program, found as
// CheckProgram finds it (never below the current folder) unless the caller
// found it already. The call does not wait for the program.
#include <spawn.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "platform/os.h"
#include "platform/posix/native_path.h"
#include "platform/posix/program_search.h"

extern char** environ;  // the inherited environment, as the child gets it

namespace platform {
namespace {

// The error of the last start that failed, as errno tells it.
int lastStartError = 0;

}  // namespace

bool StartProcess(char* commandLine, const char* currentDirectory, const char* givenProgram) {
    if (commandLine == nullptr) {
        lastStartError = EINVAL;
        return false;
    }
    std::vector<std::string> args = SplitCommandLine(commandLine);
    if (args.empty() || args[0].empty()) {
        lastStartError = ENOENT;
        return false;
    }
    const std::string program = givenProgram != nullptr
                                    ? posix::NativePath(givenProgram)
                                    : CheckProgram(commandLine, posix::OwnFolder().c_str()).path;
    if (program.empty()) {
        lastStartError = ENOENT;  // as the start of a program that is not there fails
        return false;
    }
    args[0] = posix::NativePath(args[0]);  // the client gets its name as written
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    if (const int error = ::posix_spawn_file_actions_init(&actions); error != 0) {
        lastStartError = error;
        return false;
    }
    const std::string directory =
        currentDirectory == nullptr ? std::string() : posix::NativePath(currentDirectory);
    int result = 0;
    if (!directory.empty()) {
        result = ::posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
    }
    // Every file the launcher opens is close-on-exec, so the child inherits
    // nothing but the standard streams. glibc reports a failed chdir or exec
    // (missing program, not executable) as the result of the call.
    if (result == 0) {
        pid_t child = 0;
        result = ::posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
    }
    ::posix_spawn_file_actions_destroy(&actions);
    // The child is not waited for: the launcher ends at once, and the child
    // then passes to init, which reaps it.
    lastStartError = result;
    return result == 0;
}

StartFailure LastStartFailure() {
    return {lastStartError == ENOENT || lastStartError == ENOTDIR, std::strerror(lastStartError)};
}

}  // namespace platform
