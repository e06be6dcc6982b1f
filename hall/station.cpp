#include "hall/station.h"

#include "common/limits.h"
#include "common/name_match.h"
#include "common/safe_format.h"
#include "hall/config_path.h"
#include "hall/hall_singleton.h"
#include "ini/ini_file_parse.h"
#include "platform/os.h"

StationChoice SelectStation(const char* workDir, IniLoadObserver* observer) {
    StationChoice choice;
    if (workDir == nullptr || workDir[0] == '\0') {
        // No installation directory: nothing is read, least of all a config
        // folder below the current one.
        return choice;
    }
    // Copied at once: the joined path lies in a buffer the next join reuses.
    choice.stationFile =
        JoinConfigPath(workDir, "config\\StationID.ini", &choice.stationFileByShortName);

    CIniFileParse document;
    choice.stationFileResult = document.LoadFile(choice.stationFile, observer);
    // After a read error the lines read so far still count.
    if (choice.stationFileResult != E_FAIL) {
        // Every match replaces the one before: the last non-empty stationid
        // of the last [stationid] section wins.
        for (std::ptrdiff_t s = 0; s < document.m_arrSections.GetSize(); ++s) {
            const CIniSection& section = document.m_arrSections[s];
            if (!NameMatches(section.m_szName, "stationid")) {
                continue;
            }
            for (std::ptrdiff_t i = 0; i < section.m_arrItems.GetSize(); ++i) {
                const CIniItem& item = section.m_arrItems[i];
                const char* value = item.GetValue();
                if (value[0] != '\0' && NameMatches(item.GetKey(), "stationid")) {
                    choice.station = platform::DecimalPrefixToInt(value);
                    choice.sectionIndex = s;
                    choice.itemIndex = i;
                    choice.sectionName = section.m_szName;
                    choice.key = item.GetKey();
                    choice.value = value;
                }
            }
        }
    }

    // "config\siteinfo_-2147483648.ini" is 31 bytes: it always fits.
    char siteFile[reclaunch::kMaxPath] = {};
    SafeFormat(siteFile, "config\\siteinfo_%d.ini", choice.station);
    choice.siteFile = JoinConfigPath(workDir, siteFile, &choice.siteFileByShortName);
    return choice;
}

std::int32_t CHallSingleton::ChooseStation() const {
    return SelectStation(m_strWorkDir).station;
}
