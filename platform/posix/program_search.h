// Finding the program a client command line names, on POSIX. StartProcess
// and CheckProgram both find it here, so what the check reports is what the
// start runs.
#pragma once

#include <string>

#include "platform/os.h"

namespace platform::posix {

// What kind of file `path` is: missing, a program execve can run (a regular,
// executable ELF image, or a script whose interpreter can run), a script
// whose interpreter can't, or something else.
ProgramCheck ExamineProgram(const std::string& path);

// A program named without a root, bare ("poker") or below a folder
// ("clients/poker"): looked for below the launcher's folder (`launcherDir`,
// when not empty) first, then below the absolute folders of PATH. Never
// below the current folder, which a relative name, or an empty or relative
// PATH entry, would stand for: a record opened from a download folder must
// not run a program lying next to it. The first file that can run wins; one
// found on the way that can't is reported when none can.
ProgramCheck SearchProgram(const std::string& name, const std::string& launcherDir);

// The folder of the running program ("/" at the root; "" when unknown).
// With the process's other facts, in os.cpp.
std::string OwnFolder();

}  // namespace platform::posix
