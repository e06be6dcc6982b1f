// The process-wide installation context: the installation directory and the
// site information of the chosen station.
#pragma once

#include <cstdint>

#include "hall/site_info.h"
#include "platform/string.h"

class CHallSingleton {
public:
    // The one instance, built and configured on first use.
    static CHallSingleton& GetInstance();

    // Computes the installation directory into m_strWorkDir and returns the
    // same text, which lies in a shared buffer until the next call.
    const char* InitWorkDir();

    // Joins `path` to `base`: absolute paths and empty bases unchanged, '.\'
    // and '..\' prefixes resolved. A result that is not `path` itself lies in
    // a shared buffer until the next call.
    static const char* GetFullPath(const char* base, const char* path);

    CHallSingleton(const CHallSingleton&) = delete;
    CHallSingleton& operator=(const CHallSingleton&) = delete;
    virtual ~CHallSingleton();

    platform::CString m_strWorkDir;
    CSiteInfo m_SiteInfo;
    bool m_bInit;
    platform::CString m_strReserved;
    std::int32_t m_nReserved;

private:
    friend class CHallSingletonTestAccess;
    CHallSingleton();
    // Computes the installation directory, then reads the station's site
    // information unless it is already in memory.
    void LoadConfig();
    // Chooses the station and loads its config\siteinfo_<station>.ini, both
    // resolved against m_strWorkDir.
    void LoadSiteConfiguration();
    // Reads config\StationID.ini: the last non-empty stationid wins; 1 by default.
    std::int32_t ChooseStation() const;
};
