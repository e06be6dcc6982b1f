// The Application Event Log. The message texts are the message table of
// launcher.exe, which the installer registers for the source; the fields
// are its insertion strings.
#include <string>
#include <vector>

#include "platform/os.h"
#include "platform/system_log.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/windows_api.h"

namespace platform {

bool WriteSystemLog(const LogEntry& entry) {
    // Wide strings, read through the ANSI code page the names are in: the
    // ANSI call would read them in the code page of the log's service.
    std::vector<std::wstring> fields;
    fields.reserve(entry.fields.size());
    for (const std::string& field : entry.fields) {
        fields.push_back(win32::Widen(field, AnsiCodePage()));
    }
    std::vector<LPCWSTR> strings;
    for (const std::wstring& field : fields) {
        strings.push_back(field.c_str());
    }
    const HANDLE source = ::RegisterEventSourceW(nullptr, L"reclaunch");
    if (source == nullptr) {
        return false;
    }
    const WORD type = entry.level == LogLevel::kError ? EVENTLOG_ERROR_TYPE : EVENTLOG_WARNING_TYPE;
    const BOOL reported =
        ::ReportEventW(source, type, 0, entry.eventId, nullptr, static_cast<WORD>(strings.size()),
                       0, strings.data(), nullptr);
    ::DeregisterEventSource(source);
    return reported != FALSE;
}

}  // namespace platform
