// Process and file helpers for the tests and benchmarks: running a program
// to its end with its output captured, and making the odd files (FIFOs,
// unreadable files, files held open) that the launcher must survive. The OS
// parts are in posix/ and win32/ beside this header; never in the launcher.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace testsupport {

struct ProcessResult {
    bool started = false;
    bool timedOut = false;  // the process was killed after the time limit
    int exitCode = -1;
    std::string output;       // standard output, bytes as written
    std::string errorOutput;  // standard error
};

// Runs `commandLine` (split by the Windows rules; the first token is the
// program) in `currentDirectory` with the inherited environment plus
// `extraEnv` ("NAME=value" entries separated by '\n', may be empty), waits at
// most `timeoutMs` and returns what it printed and its exit code. An empty
// `currentDirectory` keeps this process's. Standard input is empty. Output is
// collected until the program ends; what programs it started write after
// that is not waited for. On timeout the program is killed (POSIX: with its
// process group). POSIX: a program ended by a signal gives 128 + the signal.
//
// `commandLine` and `currentDirectory` are ANSI text, or with kUtf8 UTF-8
// text, which on Windows reaches the program as the wide command line, so
// that it can name files the ANSI code page can't (POSIX: bytes either way).
enum class Text { kAnsi, kUtf8 };
ProcessResult RunAndWait(const std::string& commandLine, const std::string& currentDirectory,
                         const std::string& extraEnv, unsigned timeoutMs, Text text = Text::kAnsi);

// Sets an environment variable of this process (inherited by children).
void SetEnv(const std::string& name, const std::string& value);

// The most memory this process has held resident so far, in KiB; 0 where
// the OS can't tell.
std::uint64_t PeakResidentKiB();

// A FIFO at `path`; false where the OS has none.
bool MakeFifo(const std::string& path);

// Removes every access right from a file or folder (or gives them back).
// False where that can't be done, or where this process could still read
// it (as root on POSIX, which reads whatever the rights say).
bool SetAccessible(const std::string& path, bool accessible);
// Why a test that needs SetAccessible(path, false) skips.
inline constexpr char kAccessRightsDontBind[] =
    "access rights don't keep anyone out here (root, or no rights at all)";

// Holds a file open from this process as another program would: for writing
// (shared with readers and writers), or exclusively (no sharing at all).
// The file must exist; null when it can't be held. Released on destruction.
// POSIX: both modes take an exclusive advisory lock, which keeps out every
// opener of this system (see platform/posix/file.cpp).
class HeldFile {
public:
    enum class Mode { kWriting, kExclusive };
    virtual ~HeldFile() = default;
    virtual void Release() = 0;
};
std::unique_ptr<HeldFile> HoldOpen(const std::string& path, HeldFile::Mode mode);

// The name of this platform's executables: "launcher" or "launcher.exe".
std::string ExecutableName(const std::string& stem);

// A command line that starts a program every installation has, which ends
// at once with exit code 0 ("true"; "cmd.exe /c exit 0" on Windows).
std::string TrivialCommandLine();

// Sends signal-free termination to a process id that a test started
// indirectly (a client that must not linger). True when it was running.
bool KillProcess(long processId);

}  // namespace testsupport
