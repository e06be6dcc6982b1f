#include "hall/hall_singleton.h"

#include "common/limits.h"
#include "hall/station.h"
#include "hall/work_dir.h"

namespace {

// The directory text InitWorkDir returns; valid until its next call.
char s_moduleDir[reclaunch::kMaxPath];

}  // namespace

CHallSingleton& CHallSingleton::GetInstance() {
    // Built on first use, after the framework's application object, so it
    // is destroyed before that object at exit.
    static CHallSingleton instance;
    if (!instance.m_bInit) {
        // Set only once LoadConfig has returned: if it throws, the next call
        // tries again.
        instance.LoadConfig();
        instance.m_bInit = true;
    }
    return instance;
}

CHallSingleton::CHallSingleton() : m_bInit(false), m_nReserved(0) {}

CHallSingleton::~CHallSingleton() = default;

const char* CHallSingleton::InitWorkDir() {
    const char* workDir = FindOwnWorkDir(s_moduleDir, nullptr);
    m_strWorkDir = workDir;
    return workDir;
}

void CHallSingleton::LoadConfig() {
    InitWorkDir();
    if (m_SiteInfo.m_bLoaded) {
        return;
    }
    LoadSiteConfiguration();
}

void CHallSingleton::LoadSiteConfiguration() {
    const StationChoice choice = SelectStation(m_strWorkDir);
    m_SiteInfo.Load(choice.siteFile, choice.station);
}
