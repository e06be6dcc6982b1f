// Choosing the station of an installation from its config\StationID.ini,
// and naming the station's site file. The hall singleton and the
// launcher-check tool both choose through here, so they can't disagree.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/result_codes.h"
#include "ini/ini_load_observer.h"
#include "platform/string.h"

struct StationChoice {
    // config\StationID.ini resolved against the installation directory, and
    // what loading it gave (only E_FAIL keeps the file out).
    platform::CString stationFile;
    HRESULT stationFileResult = E_FAIL;
    // The paths are built on the folder's short name: on its long name they
    // would not fit (JoinConfigPath).
    bool stationFileByShortName = false;
    bool siteFileByShortName = false;

    // 1 unless an entry chose another.
    std::int32_t station = 1;

    // The entry that chose the station: the last non-empty stationid of the
    // last [stationid] section. Indexes are -1 while the default stands.
    std::ptrdiff_t sectionIndex = -1;
    std::ptrdiff_t itemIndex = -1;
    platform::CString sectionName;
    platform::CString key;
    platform::CString value;

    // config\siteinfo_<station>.ini resolved against the installation
    // directory; "" when the joined path would not fit.
    platform::CString siteFile;
};

// Reads the station of the installation at `workDir`; 1 when the file is
// missing or names none. An empty `workDir` is no installation: no file is
// read and both paths stay empty. `observer`, when given, hears every line
// of StationID.ini as it is read.
StationChoice SelectStation(const char* workDir, IniLoadObserver* observer = nullptr);
