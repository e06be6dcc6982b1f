#include "launcher/log_switch.h"

#include <cstring>
#include <string>

#include "common/name_match.h"
#include "hall/config_path.h"
#include "ini/ini_file_parse.h"

bool FailureLogOn(const char* installDir) {
    const std::string path = JoinConfigPath(installDir, kLogSwitchFile);
    CIniFileParse settings;
    if (path.empty() || settings.LoadFileOnce(path.c_str()) == E_FAIL) {
        return false;
    }
    // The last failures key of any [log] section decides, as a later line
    // overrides an earlier one.
    bool on = false;
    for (std::ptrdiff_t s = 0; s < settings.m_arrSections.GetSize(); ++s) {
        const CIniSection& section = settings.m_arrSections[s];
        if (!NameMatches(section.m_szName, "log")) {
            continue;
        }
        for (std::ptrdiff_t i = 0; i < section.m_arrItems.GetSize(); ++i) {
            const CIniItem& item = section.m_arrItems[i];
            if (NameMatches(item.GetKey(), "failures")) {
                on = std::strcmp(item.GetValue(), "1") == 0;
            }
        }
    }
    return on;
}
