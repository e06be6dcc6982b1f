// Test helpers on Win32: running a program with its output captured, and
// holding files open as another program would.
#include "tests/support/testing.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/win32/wide_text.h"
#include "platform/win32/windows_api.h"

#include <psapi.h>

namespace testsupport {
namespace {

class Handle {
public:
    Handle() = default;
    explicit Handle(HANDLE handle) : m_handle(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { Close(); }

    HANDLE Get() const { return m_handle; }
    HANDLE* Receive() {
        Close();
        return &m_handle;
    }
    bool IsValid() const { return m_handle != nullptr && m_handle != INVALID_HANDLE_VALUE; }
    void Close() {
        if (IsValid()) {
            ::CloseHandle(m_handle);
        }
        m_handle = nullptr;
    }

private:
    HANDLE m_handle = nullptr;
};

// A pipe whose write end the child inherits; the read end stays ours alone.
struct Pipe {
    Handle read;
    Handle write;

    bool Open() {
        SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
        return ::CreatePipe(read.Receive(), write.Receive(), &inheritable, 1 << 16) != 0 &&
               ::SetHandleInformation(read.Get(), HANDLE_FLAG_INHERIT, 0) != 0;
    }
};

std::string NameOf(const std::string& entry) {
    // Entries such as "=C:=C:\dir" start with '=': the name runs to the next one.
    return entry.substr(0, entry.find('=', 1));
}

bool SameName(const std::string& a, const std::string& b) {
    return ::lstrcmpiA(NameOf(a).c_str(), NameOf(b).c_str()) == 0;
}

// This process's environment with the "NAME=value" lines of `extraEnv`
// replacing or adding entries, as a sorted environment block.
std::string EnvironmentBlock(const std::string& extraEnv) {
    std::vector<std::string> entries;
    if (char* strings = ::GetEnvironmentStringsA()) {
        for (const char* entry = strings; *entry != '\0'; entry += std::strlen(entry) + 1) {
            entries.emplace_back(entry);
        }
        ::FreeEnvironmentStringsA(strings);
    }
    std::size_t start = 0;
    while (start < extraEnv.size()) {
        std::size_t end = extraEnv.find('\n', start);
        if (end == std::string::npos) {
            end = extraEnv.size();
        }
        const std::string line = extraEnv.substr(start, end - start);
        start = end + 1;
        if (line.empty()) {
            continue;
        }
        const auto same = std::find_if(entries.begin(), entries.end(),
                                       [&](const std::string& e) { return SameName(e, line); });
        if (same != entries.end()) {
            *same = line;
        } else {
            entries.push_back(line);
        }
    }
    std::sort(entries.begin(), entries.end(), [](const std::string& a, const std::string& b) {
        return ::lstrcmpiA(NameOf(a).c_str(), NameOf(b).c_str()) < 0;
    });
    std::string block;
    for (const std::string& entry : entries) {
        block += entry;
        block += '\0';
    }
    block += '\0';
    if (entries.empty()) {
        block += '\0';
    }
    return block;
}

// Appends what the pipe holds now; false once its writers are all gone.
bool ReadAvailable(HANDLE pipe, std::string& sink) {
    DWORD available = 0;
    if (!::PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr)) {
        return false;
    }
    char chunk[65536];
    while (available > 0) {
        DWORD got = 0;
        const DWORD asked = std::min<DWORD>(available, sizeof chunk);
        if (!::ReadFile(pipe, chunk, asked, &got, nullptr) || got == 0) {
            return false;
        }
        sink.append(chunk, got);
        available -= got;
    }
    return true;
}

class HeldHandle final : public HeldFile {
public:
    explicit HeldHandle(HANDLE handle) : m_handle(handle) {}
    void Release() override { m_handle.Close(); }

private:
    Handle m_handle;
};

template <typename StartupInfo>
void StandardHandles(StartupInfo& startup, HANDLE input, HANDLE output, HANDLE error) {
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input;
    startup.hStdOutput = output;
    startup.hStdError = error;
}

}  // namespace

ProcessResult RunAndWait(const std::string& commandLine, const std::string& currentDirectory,
                         const std::string& extraEnv, unsigned timeoutMs, Text text) {
    ProcessResult result;
    Pipe out;
    Pipe err;
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    Handle input(::CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               &inheritable, OPEN_EXISTING, 0, nullptr));
    if (!out.Open() || !err.Open() || !input.IsValid()) {
        return result;
    }
    std::string environment = EnvironmentBlock(extraEnv);
    PROCESS_INFORMATION started{};
    BOOL ok = FALSE;
    if (text == Text::kAnsi) {
        STARTUPINFOA startup{};
        StandardHandles(startup, input.Get(), out.write.Get(), err.write.Get());
        std::string writableLine = commandLine;  // CreateProcessA may change it
        ok = ::CreateProcessA(
            nullptr, writableLine.data(), nullptr, nullptr, TRUE, 0, environment.data(),
            currentDirectory.empty() ? nullptr : currentDirectory.c_str(), &startup, &started);
    } else {
        STARTUPINFOW startup{};
        StandardHandles(startup, input.Get(), out.write.Get(), err.write.Get());
        std::wstring writableLine = platform::win32::Widen(commandLine, CP_UTF8);
        const std::wstring directory = platform::win32::Widen(currentDirectory, CP_UTF8);
        ok = ::CreateProcessW(nullptr, writableLine.data(), nullptr, nullptr, TRUE, 0,
                              environment.data(), directory.empty() ? nullptr : directory.c_str(),
                              &startup, &started);
    }
    // Only the child may keep the write ends, or the pipes never end.
    out.write.Close();
    err.write.Close();
    input.Close();
    if (!ok) {
        return result;
    }
    result.started = true;
    Handle process(started.hProcess);
    Handle thread(started.hThread);

    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;) {
        ReadAvailable(out.read.Get(), result.output);
        ReadAvailable(err.read.Get(), result.errorOutput);
        // The pipes can't be waited on together with the process; look at
        // them again every few milliseconds.
        if (::WaitForSingleObject(process.Get(), 10) == WAIT_OBJECT_0) {
            break;
        }
        if (::GetTickCount64() >= deadline) {
            ::TerminateProcess(process.Get(), 1);
            ::WaitForSingleObject(process.Get(), INFINITE);
            result.timedOut = true;
            break;
        }
    }
    // All the child wrote is in the pipes now; programs it started may keep
    // them open, so take what is there without waiting for their end.
    ReadAvailable(out.read.Get(), result.output);
    ReadAvailable(err.read.Get(), result.errorOutput);
    DWORD exitCode = 0;
    if (!result.timedOut && ::GetExitCodeProcess(process.Get(), &exitCode)) {
        result.exitCode = static_cast<int>(exitCode);
    }
    return result;
}

void SetEnv(const std::string& name, const std::string& value) {
    // The run-time's copy (getenv) and the OS's (children) are separate;
    // the OS's is set last, since "NAME=" would remove it in _putenv.
    const std::string entry = name + "=" + value;
    ::_putenv(entry.c_str());
    ::SetEnvironmentVariableA(name.c_str(), value.c_str());
}

std::uint64_t PeakResidentKiB() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!::K32GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters)) {
        return 0;
    }
    return counters.PeakWorkingSetSize / 1024;
}

bool MakeFifo(const std::string& /*path*/) {
    return false;
}

bool SetAccessible(const std::string& /*path*/, bool /*accessible*/) {
    return false;
}

std::unique_ptr<HeldFile> HoldOpen(const std::string& path, HeldFile::Mode mode) {
    const bool writing = mode == HeldFile::Mode::kWriting;
    const DWORD access = writing ? GENERIC_WRITE : GENERIC_READ;
    const DWORD share = writing ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0;
    HANDLE file = ::CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    return std::make_unique<HeldHandle>(file);
}

std::string ExecutableName(const std::string& stem) {
    return stem + ".exe";
}

std::string TrivialCommandLine() {
    return "cmd.exe /c exit 0";
}

bool KillProcess(long processId) {
    // 0 is the idle process; negative ids name nothing.
    if (processId <= 0) {
        return false;
    }
    Handle process(::OpenProcess(PROCESS_TERMINATE, FALSE, static_cast<DWORD>(processId)));
    return process.IsValid() && ::TerminateProcess(process.Get(), 1) != 0;
}

}  // namespace testsupport
