// How a program without a console of its own tells a person why it could
// not start.
#pragma once

namespace platform {

// Shows `message`, one line, to whoever started this program: on its
// standard output when that leads to a file or a pipe; else in the console
// of the process that started it, if any; else in a message box. POSIX:
// standard output, which a process there always has.
void ShowStartupMessage(const char* message);

}  // namespace platform
