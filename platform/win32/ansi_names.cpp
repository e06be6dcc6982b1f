// Naming paths in ANSI text on Windows. The launcher works in ANSI text
// throughout, but Windows keeps names in UTF-16: a name holding characters
// the ANSI code page lacks reaches an ANSI program with '?' in their place,
// and opens nothing. Such a name, or one too long for the 260-byte buffers,
// can still be named by its short (8.3) name, which is plain ASCII, unless
// the volume keeps no short names.
#include <string>
#include <vector>

#include "platform/lead_byte.h"
#include "platform/os.h"
#include "platform/path_limits.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/windows_api.h"

namespace platform {
namespace {

using Name = PathNaming::Name;
using Problem = PathNaming::Problem;
using win32::ToUtf8;
using win32::Widen;

// The longest path any wide call returns (\\?\ paths included).
constexpr DWORD kMaxWidePath = 32768;

// The ANSI form of `wide`, '?' standing for what the code page can't hold.
// `exact`: it holds every character as itself, so it reads back the same.
std::string ToAnsi(const std::wstring& wide, bool* exact) {
    *exact = true;
    if (wide.empty()) {
        return {};
    }
    const int size = static_cast<int>(wide.size());
    BOOL usedDefault = FALSE;
    const int length = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size,
                                             nullptr, 0, nullptr, &usedDefault);
    if (length <= 0) {
        *exact = false;
        return {};
    }
    std::string ansi(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, ansi.data(), length,
                          nullptr, &usedDefault);
    *exact = usedDefault == FALSE && Widen(ansi, CP_ACP, MB_ERR_INVALID_CHARS) == wide;
    return ansi;
}

// Runs one of the wide calls that fill a caller's buffer and report the
// size they need when it is too small; "" when the call fails.
template <typename Call>
std::wstring FillWide(Call call) {
    std::wstring text(kMaxPath, L'\0');
    for (;;) {
        const DWORD length = call(text.data(), static_cast<DWORD>(text.size()));
        if (length == 0) {
            return {};
        }
        if (length < text.size()) {
            text.resize(length);
            return text;
        }
        if (text.size() >= kMaxWidePath) {
            return {};
        }
        text.resize(length > text.size() ? length : text.size() * 2);
    }
}

std::wstring OwnPathWide() {
    // GetModuleFileNameW returns the buffer size when it cut the path.
    return FillWide([](wchar_t* buf, DWORD size) {
        const DWORD length = ::GetModuleFileNameW(nullptr, buf, size);
        return length >= size ? size : length;
    });
}

std::wstring FullPathWide(const std::wstring& path) {
    return FillWide([&path](wchar_t* buf, DWORD size) {
        return ::GetFullPathNameW(path.c_str(), size, buf, nullptr);
    });
}

// The short name of an existing file or folder: each part of the path that
// has one is replaced by it. "" when the file can't be found.
std::wstring ShortNameWide(const std::wstring& path) {
    return FillWide(
        [&path](wchar_t* buf, DWORD size) { return ::GetShortPathNameW(path.c_str(), buf, size); });
}

// Whether the ANSI name `ansi` of the file at `wide` can be opened by the
// ANSI calls and handed on: at most `maxLength` bytes, and a full path that
// fits MAX_PATH.
bool Serves(const std::string& ansi, const std::wstring& wide, std::size_t maxLength) {
    const std::wstring full = FullPathWide(wide);
    return ansi.size() <= maxLength && !full.empty() && full.size() < kMaxPath;
}

// Argument `index` of the wide command line, when `given` is the same
// argument of the ANSI one: both are split by the run-time's rules, which
// look only at blanks, quotes and backslashes, all ASCII and so the same in
// UTF-8 as in UTF-16.
bool WideArgument(int index, const char* given, std::wstring* wide) {
    const std::vector<std::string> ansiArgs = SplitCommandLine(::GetCommandLineA());
    const auto at = static_cast<std::size_t>(index);
    if (index < 0 || at >= ansiArgs.size() || ansiArgs[at] != given) {
        return false;
    }
    const std::vector<std::string> wideArgs = SplitCommandLine(ToUtf8(::GetCommandLineW()).c_str());
    if (wideArgs.size() != ansiArgs.size()) {
        return false;
    }
    *wide = Widen(wideArgs[at], CP_UTF8, 0);
    return true;
}

void Report(PathNaming* naming, Name name, Problem problem) {
    if (naming != nullptr) {
        *naming = {name, problem};
    }
}

}  // namespace

std::uint32_t OwnExecutablePath(char* buf, std::uint32_t size, PathNaming* naming) {
    Report(naming, Name::kAsGiven, Problem::kNone);
    if (buf == nullptr || size == 0) {
        return 0;
    }
    const std::wstring wide = OwnPathWide();
    if (wide.empty()) {
        buf[0] = '\0';
        return 0;
    }
    bool exact = false;
    const std::string ansi = ToAnsi(wide, &exact);
    const auto store = [buf, size](const std::string& text) {
        CopyBounded(buf, text.c_str(), static_cast<int>(size));
        return text.size() < size ? static_cast<std::uint32_t>(text.size()) : size;
    };
    if (exact && ansi.size() < size) {
        return store(ansi);
    }
    const Problem problem = exact ? Problem::kTooLong : Problem::kNotInCodePage;

    // Only the folder matters to the callers: its short name, and the file
    // name as near as the code page comes.
    const std::wstring shortPath = ShortNameWide(wide);
    const std::size_t fileStart = shortPath.find_last_of(L"\\/");
    if (fileStart != std::wstring::npos) {
        bool folderExact = false;
        bool fileExact = false;
        const std::string folder = ToAnsi(shortPath.substr(0, fileStart + 1), &folderExact);
        const std::string file = ToAnsi(shortPath.substr(fileStart + 1), &fileExact);
        if (folderExact && folder.size() + file.size() < size) {
            Report(naming, Name::kShortName, problem);
            return store(folder + file);
        }
    }
    Report(naming, Name::kNone, problem);
    store(ansi);
    return size;  // as for a cut path: the text names no file of ours
}

std::string ArgumentPathInAnsi(int index, const char* given, std::size_t maxLength,
                               PathNaming* naming) {
    Report(naming, Name::kAsGiven, Problem::kNone);
    if (given == nullptr) {
        return {};
    }
    std::wstring wide;
    if (!WideArgument(index, given, &wide)) {
        return given;
    }
    bool exact = false;
    const std::string ansi = ToAnsi(wide, &exact);
    if (exact && Serves(ansi, wide, maxLength)) {
        return given;
    }
    const Problem problem = exact ? Problem::kTooLong : Problem::kNotInCodePage;
    // The short form of the path as given keeps a relative path relative;
    // that of the full path also shortens the folders above it.
    for (const std::wstring& candidate : {ShortNameWide(wide), ShortNameWide(FullPathWide(wide))}) {
        bool shortExact = false;
        const std::string shortName = ToAnsi(candidate, &shortExact);
        if (!candidate.empty() && shortExact && Serves(shortName, candidate, maxLength)) {
            Report(naming, Name::kShortName, problem);
            return shortName;
        }
    }
    Report(naming, Name::kNone, problem);
    return given;
}

std::string ShortPathInAnsi(const char* path) {
    if (path == nullptr || *path == '\0') {
        return {};
    }
    const std::wstring wide = Widen(path, CP_ACP, MB_ERR_INVALID_CHARS);
    if (wide.empty()) {
        return {};
    }
    bool exact = false;
    const std::string shortName = ToAnsi(ShortNameWide(wide), &exact);
    return exact ? shortName : std::string();
}

unsigned AnsiCodePage() {
    return ::GetACP();
}

namespace detail {

bool IsLeadByte(unsigned codePage, unsigned char byte) {
    return ::IsDBCSLeadByteEx(codePage, byte) != FALSE;
}

}  // namespace detail
}  // namespace platform
