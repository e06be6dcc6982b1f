#include "tools/deploy-config/installer_session.h"

#include <vector>

#include "platform/win32/windows_api.h"

#include <msiquery.h>

namespace deploy {

std::string InstallerProperty(unsigned long session, const char* name) {
    DWORD size = 0;
    char none[1] = {};
    // The first call tells the length; ERROR_MORE_DATA unless it is empty.
    if (::MsiGetPropertyA(session, name, none, &size) != ERROR_MORE_DATA) {
        return "";
    }
    std::vector<char> value(size + 1);
    size = static_cast<DWORD>(value.size());
    if (::MsiGetPropertyA(session, name, value.data(), &size) != ERROR_SUCCESS) {
        return "";
    }
    return std::string(value.data(), size);
}

namespace {

void Message(unsigned long session, INSTALLMESSAGE kind, const std::string& message) {
    const MSIHANDLE record = ::MsiCreateRecord(1);
    // Field 0 is the template: "[1]" shows field 1 as it is, brackets and all.
    ::MsiRecordSetStringA(record, 0, "[1]");
    ::MsiRecordSetStringA(record, 1, message.c_str());
    ::MsiProcessMessage(session, kind, record);
    ::MsiCloseHandle(record);
}

}  // namespace

void InstallerError(unsigned long session, const std::string& message) {
    Message(session, static_cast<INSTALLMESSAGE>(INSTALLMESSAGE_ERROR | MB_OK), message);
}

void InstallerLog(unsigned long session, const std::string& message) {
    Message(session, INSTALLMESSAGE_INFO, message);
}

}  // namespace deploy
