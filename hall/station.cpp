#include "common/result_codes.h"
#include "hall/hall_singleton.h"
#include "common/name_match.h"
#include "ini/ini_file_parse.h"
#include "platform/os.h"

std::int32_t CHallSingleton::ChooseStation() const {
    std::int32_t station = 1;
    CIniFileParse document;
    const HRESULT result = document.LoadFile(GetFullPath(m_strWorkDir, "config\\StationID.ini"));
    // After a read error the lines read so far still count.
    if (result == E_FAIL) {
        return station;
    }
    // Every match replaces the one before: the last non-empty stationid of
    // the last [stationid] section wins.
    for (std::ptrdiff_t s = 0; s < document.m_arrSections.GetSize(); ++s) {
        const CIniSection& section = document.m_arrSections[s];
        if (!NameMatches(section.m_szName, "stationid")) {
            continue;
        }
        for (std::ptrdiff_t i = 0; i < section.m_arrItems.GetSize(); ++i) {
            const CIniItem& item = section.m_arrItems[i];
            const char* value = item.GetValue();
            if (value[0] != '\0' && NameMatches(item.GetKey(), "stationid")) {
                station = platform::StrToInt(value);
            }
        }
    }
    return station;
}
