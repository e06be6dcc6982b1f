// Operating-system services the launcher relies on. Each function mirrors the
// Windows call named in its comment; the names are our own, so no macro of
// <windows.h> can turn a call into another function. The Win32 backend calls
// that function, the POSIX backend gives the same behaviour on Linux. Paths
// are Windows-style throughout; the POSIX backend turns every '\' into '/'
// before a path reaches the OS (files, programs, current directories).
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// Mirrors GetModuleHandleA(NULL): the running executable's module, or null.
void* OwnModuleHandle();

// How a path came to be named in ANSI text, the only text the launcher works
// in. On Windows a name the ANSI code page can't hold (its characters become
// '?') or one longer than the 260-byte buffers can still be named by its
// short (8.3) name, which is plain ASCII; POSIX names are bytes and are used
// as they are.
struct PathNaming {
    enum class Name {
        kAsGiven,    // the name as the OS gave it
        kShortName,  // the short name, since the given one could not serve
        kNone,       // neither could: the path can't be named here
    };
    enum class Problem {
        kNone,
        kNotInCodePage,  // characters the ANSI code page can't hold
        kTooLong,        // longer than the buffers allow
    };
    Name name = Name::kAsGiven;
    Problem problem = Problem::kNone;  // why the given name did not serve
};

// Mirrors GetModuleFileNameA(NULL, buf, size): the executable's full path,
// NUL-terminated. Returns its length, or 0 when the OS can't tell it. When no
// exact name of it fits, returns `size`, as Windows does for a path it cut:
// buf then holds the first size - 1 bytes of a name that is not this
// program's. Windows: a path the code page can't hold, or one too long, is
// given with its folder's short name where that is exact and fits. POSIX:
// the kernel's record of the running executable (/proc/self/exe). `naming`,
// when given, tells how the name was found.
std::uint32_t OwnExecutablePath(char* buf, std::uint32_t size, PathNaming* naming = nullptr);

// The ANSI name under which to open the file that argument `index` of this
// process names, and to hand it on: `given`, the argument as the run-time
// split it, when that is exact and at most `maxLength` bytes long and its full
// path fits the 260-byte buffers; else, on Windows, the file's short name when
// that is exact and fits. When neither serves, `given` all the same, so that
// whatever becomes of it then is what became of it before. POSIX: `given`.
// A `given` that is not this process's argument `index` (a caller's own
// arguments) is taken as it is.
std::string ArgumentPathInAnsi(int index, const char* given, std::size_t maxLength,
                               PathNaming* naming = nullptr);

// The short (8.3) name of the existing file or folder that the ANSI text
// `path` names, in ANSI text: for a folder too deep for the names joined to
// it. "" when it has none that reads back exactly, or can't be found. POSIX:
// "", there are no short names.
std::string ShortPathInAnsi(const char* path);

// The code page of ANSI text: GetACP() on Windows; 0 on POSIX, where text is
// plain bytes.
unsigned AnsiCodePage();

// A path read character by character in `codePage` (0: plain bytes): where
// its last character starts, and where its last character that is a path
// separator ('\\' or '/') starts; npos for none. The trail byte of a
// double-byte character may be 0x5C or 0x2F and is then no separator (GBK
// 81 5C is one character), so every cut, join and check of a path reads it
// through this one scan.
struct PathCharacters {
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);
    std::size_t last = npos;
    std::size_t lastSeparator = npos;
    bool EndsWithSeparator() const { return last != npos && last == lastSeparator; }
};
PathCharacters ReadPathCharacters(const char* text, unsigned codePage);

// True when the last character of `text`, read in `codePage`, is a
// backslash (a '/' is none). Code page 0: plain bytes.
bool EndsWithBackslash(const char* text, unsigned codePage);

// Mirrors GetCommandLineA(): the process command line. POSIX: the process arguments
// joined back into one Windows-style command line, each quoted by the Windows
// rules where needed, so that SplitCommandLine() gives them back unchanged.
const char* OwnCommandLine();

// Start-up of the application framework for a console program (AfxWinInit).
bool InitFramework(void* module, const char* commandLine, int showCode);

// Sleep(ms).
void Sleep(std::uint32_t milliseconds);

// lstrcpynA: copies at most size - 1 bytes of src and always NUL-terminates
// when size > 0. Returns dst; a size of 0 or less writes nothing. A null dst
// or src gives null.
char* CopyBounded(char* dst, const char* src, int size);

// Mirrors StrToIntA: an optional minus sign, then decimal digits up to the first
// other byte; no leading blanks skipped, no plus sign taken; no digits gives
// 0. Overflow wraps modulo 2^32 as on Windows. A null text gives 0.
int DecimalPrefixToInt(const char* text);

// _vsnprintf_s(buf, size, _TRUNCATE, ...): formats into buf, always
// NUL-terminated. Returns the length written, or -1 when the text was cut
// (buf then holds its first size - 1 bytes). A null buf or format, or a size
// of 0, gives -1 and writes no more than an empty text.
int FormatBounded(char* buf, std::size_t size, const char* format, std::va_list args);

// CreateProcessA with no security attributes, no handle inheritance, flags
// 0, the inherited environment, the given current directory and zeroed
// start-up information; the thread handle is closed at once, the process
// handle is kept until exit. `commandLine` may be changed by the call, as
// CreateProcessA may. Returns false when nothing was started. POSIX: the
// command line is split by the Windows rules, the first token is the
// program and the rest its arguments. The call does not wait. `program`,
// when given, is the file to run (the application name), found beforehand
// by CheckProgram; the command line is handed on unchanged. An empty one is
// a program looked for and not found: nothing starts, and LastStartFailure
// tells so as the system tells of a program that is not there. Without it,
// the program is found by CheckProgram with the running program's own
// folder as the launcher's, and nothing starts when none is found:
// CreateProcessA is never left to search, since it searches the current
// folder.
bool StartProcess(char* commandLine, const char* currentDirectory, const char* program = nullptr);

// Why the last StartProcess of this process started nothing, as the system
// tells it: for the log of a launch that failed.
struct StartFailure {
    bool missing = false;  // the program, or a folder on its way, does not exist
    std::string text;      // the system's own words (FormatMessage, strerror)
};
StartFailure LastStartFailure();

// What StartProcess runs for `commandLine`: the program its first token
// names, and whether it can run. An absolute name is used as it is. A name
// without a root, bare ("poker") or below a folder ("clients\poker",
// ".\sub\game.exe"), is looked for below `launcherDir`, the launcher's
// folder, then (Windows) below the system folders, then below PATH's
// absolute folders; never below the current folder, where the client starts
// and where a record opened from a download folder may have a program lying
// next to it. Win32: ".exe" is added to a name without extension; the first
// file found is the one started, and it must be an executable image or a
// batch file (.bat, .cmd), which the system runs through the command
// interpreter; a drive-relative name ("C:game.exe") is never found. POSIX:
// the first file found that can run wins, a regular, executable ELF image
// or a script whose "#!" line names an interpreter that can run. Nothing is
// started.
struct ProgramCheck {
    enum class Status {
        kRunnable,
        kMissing,
        kNotRunnable,
        kInterpreterMissing,  // a script whose interpreter is no program that can run
        kInterpreterLineCr,   // a script whose "#!" line ends in CR: saved on Windows
    };
    enum class Kind {
        kImage,   // a program image the system loads itself
        kScript,  // a script run by the interpreter its "#!" line names
        kBatch,   // a batch file, run by the command interpreter
    };
    Status status = Status::kMissing;
    Kind kind = Kind::kImage;
    std::string path;         // the file found, as the OS would open it; "" when missing
    std::string interpreter;  // kScript: the interpreter its first line names
    bool searched = false;    // the name has no root, so folders were searched for it
};
ProgramCheck CheckProgram(const char* commandLine, const char* launcherDir);

// Splits a command line into arguments by the Windows (MSVC run-time) rules.
// The first argument is the program name: quotes in it only group blanks and
// backslashes are plain. An empty text has no arguments; a text that starts
// with a blank has an empty program name.
std::vector<std::string> SplitCommandLine(const char* commandLine);

// Joins arguments into one command line, quoting each by the Windows rules
// where needed, so that SplitCommandLine() gives them back unchanged. The one
// exception: a program name can't hold a double quote, so any is left out.
std::string JoinCommandLine(const std::vector<std::string>& args);

// The current directory of the process, as the OS gives it.
std::string GetCurrentDir();

}  // namespace platform
