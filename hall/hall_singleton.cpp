#include "hall/hall_singleton.h"

#include "common/limits.h"
#include "common/safe_format.h"
#include "hall/work_dir.h"
#include "platform/os.h"

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
    const std::uint32_t length =
        platform::GetModuleFileName(s_moduleDir, static_cast<std::uint32_t>(sizeof s_moduleDir));
    const char* commandLine = length == 0 ? platform::GetCommandLine() : nullptr;
    const char* workDir = ComputeWorkDir(s_moduleDir, length, commandLine);
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
    const std::int32_t station = ChooseStation();
    // "config\siteinfo_-2147483648.ini" is 31 bytes: it always fits.
    char siteFile[reclaunch::kMaxPath] = {};
    SafeFormat(siteFile, "config\\siteinfo_%d.ini", station);
    m_SiteInfo.Load(GetFullPath(m_strWorkDir, siteFile), station);
}
