#include "hall/site_info.h"

#include "common/lower_string.h"
#include "common/name_match.h"
#include "common/result_codes.h"
#include "hall/leading_int.h"
#include "hall/site_info_keys.h"
#include "ini/ini_file_parse.h"

namespace {

void ApplyItem(CSiteInfo& info, const CIniItem& item) {
    const char* value = item.GetValue();
    if (value[0] == '\0') {
        return;  // an empty value keeps what the member held
    }
    platform::CString key(item.GetKey());
    LowerString(key);
    if (key == "stationid") {
        return;  // the station comes from StationID.ini
    }
    const SiteInfoKey* target = FindSiteInfoKey(key);
    if (target == nullptr) {
        return;
    }
    if (target->number != nullptr) {
        info.*(target->number) = ParseLeadingInt(value);
    } else {
        info.*(target->text) = value;
    }
}

}  // namespace

CSiteInfo::CSiteInfo()
    : m_nStationID(1),
      m_nImagePlazaID(1),
      m_nImageSkinID(1),
      m_nImageGameFrameID(1),
      m_nUserStateID(1),
      m_nServerListID(1),
      m_nImageFaceID(1),
      m_nImageCustomFaceID(1),
      m_nImageUnitsID(1),
      m_nImageUnitsTreeID(1),
      m_nImageUnitsListID(1),
      m_bLoaded(false) {}

void CSiteInfo::Load(const char* path, std::int32_t station, IniLoadObserver* observer) {
    m_nStationID = station;

    CIniFileParse document;
    const HRESULT result = document.LoadFile(path, observer);
    // Neither means a file was read. A read error or the item ceiling after a
    // successful open still leaves the lines read so far, which are applied.
    if (result == E_FAIL || result == E_INVALIDARG) {
        return;
    }
    for (std::ptrdiff_t s = 0; s < document.m_arrSections.GetSize(); ++s) {
        const CIniSection& section = document.m_arrSections[s];
        if (!NameMatches(section.m_szName, "siteinfo")) {
            continue;
        }
        for (std::ptrdiff_t i = 0; i < section.m_arrItems.GetSize(); ++i) {
            ApplyItem(*this, section.m_arrItems[i]);
        }
    }
    m_bLoaded = true;
}
