#include "ini/ini_section.h"

#include <cstring>

#include "ini/trim_string.h"
#include "platform/os.h"

CIniSection::CIniSection() : m_szName{} {}

CIniSection::~CIniSection() = default;

std::int32_t CIniSection::SetName(const char* line) {
    if (line == nullptr || line[0] == '\0') {
        std::memset(m_szName, 0, sizeof m_szName);
        m_arrItems.RemoveAll();
        return 0;
    }

    // The header line is the caller's and stays unchanged: trim a copy.
    char work[reclaunch::kIniTextSize];
    platform::CopyBounded(work, line, static_cast<int>(sizeof work));
    std::size_t length = TrimString(work, std::strlen(work));

    const char* name = work;
    if (length > 0 && name[0] == '[') {
        ++name;
        --length;
    }
    if (length > 0 && name[length - 1] == ']') {
        --length;
    }
    std::memcpy(m_szName, name, length);
    m_szName[length] = '\0';
    return 0;
}

CIniItem& CIniSection::AddItem() {
    return m_arrItems.AppendNew();
}
