#include "hall/site_info_keys.h"

#include <cstring>

namespace {

constexpr SiteInfoKey Number(const char* name, std::int32_t CSiteInfo::*member) {
    return {name, member, nullptr};
}

constexpr SiteInfoKey Text(const char* name, platform::CString CSiteInfo::*member) {
    return {name, nullptr, member};
}

// In the order of the record's members. "stationid" is not here: the station
// comes from StationID.ini, never from the site file.
const SiteInfoKey kSiteInfoKeys[] = {
    Number("imageplazaid", &CSiteInfo::m_nImagePlazaID),
    Number("imageskinid", &CSiteInfo::m_nImageSkinID),
    Number("imagegameframeid", &CSiteInfo::m_nImageGameFrameID),
    Number("userstateid", &CSiteInfo::m_nUserStateID),
    Number("serverlistid", &CSiteInfo::m_nServerListID),
    Number("imagefaceid", &CSiteInfo::m_nImageFaceID),
    Number("imagecustomfaceid", &CSiteInfo::m_nImageCustomFaceID),
    Number("imageunitsid", &CSiteInfo::m_nImageUnitsID),
    Number("imageunitstreeid", &CSiteInfo::m_nImageUnitsTreeID),
    Number("imageunitslistid", &CSiteInfo::m_nImageUnitsListID),
    Text("mainpage", &CSiteInfo::m_strMainPage),
    Text("mobilemainpage", &CSiteInfo::m_strMobileMainPage),
    Text("clientlogin", &CSiteInfo::m_strClientLogin),
    Text("hallad", &CSiteInfo::m_strHallAd),
    Text("roomad", &CSiteInfo::m_strRoomAd),
    Text("gamead", &CSiteInfo::m_strGameAd),
    Text("logonad", &CSiteInfo::m_strLogonAd),
    Text("regpage", &CSiteInfo::m_strRegPage),
    Text("reghelp", &CSiteInfo::m_strRegHelp),
    Text("weixinlogon", &CSiteInfo::m_strWeixinLogon),
    Text("passwordsafe", &CSiteInfo::m_strPasswordSafe),
    Text("findpassword", &CSiteInfo::m_strFindPassword),
    Text("yhhwtk", &CSiteInfo::m_strYhhwtk),
    Text("yhyszc", &CSiteInfo::m_strYhyszc),
    Text("btn1", &CSiteInfo::m_strBtn1),
    Text("btn2", &CSiteInfo::m_strBtn2),
    Text("btn3", &CSiteInfo::m_strBtn3),
    Text("btn4", &CSiteInfo::m_strBtn4),
    Text("btn5", &CSiteInfo::m_strBtn5),
    Text("btn6", &CSiteInfo::m_strBtn6),
    Text("userinfo_btn1", &CSiteInfo::m_strUserInfoBtn1),
    Text("userinfo_btn2", &CSiteInfo::m_strUserInfoBtn2),
    Text("userinfo_btn3", &CSiteInfo::m_strUserInfoBtn3),
    Text("userinfo_btn4", &CSiteInfo::m_strUserInfoBtn4),
    Text("userinfo_btn5", &CSiteInfo::m_strUserInfoBtn5),
    Text("userinfo_btn6", &CSiteInfo::m_strUserInfoBtn6),
    Text("btn1_tooltip", &CSiteInfo::m_strBtn1Tooltip),
    Text("btn2_tooltip", &CSiteInfo::m_strBtn2Tooltip),
    Text("btn3_tooltip", &CSiteInfo::m_strBtn3Tooltip),
    Text("btn4_tooltip", &CSiteInfo::m_strBtn4Tooltip),
    Text("btn5_tooltip", &CSiteInfo::m_strBtn5Tooltip),
    Text("btn6_tooltip", &CSiteInfo::m_strBtn6Tooltip),
    Text("download", &CSiteInfo::m_strDownload),
    Text("rule", &CSiteInfo::m_strRule),
    Text("selfheadpath", &CSiteInfo::m_strSelfHeadPath),
    Text("defaultheadpath", &CSiteInfo::m_strDefaultHeadPath),
    Text("qingtaopaopath", &CSiteInfo::m_strQingTaoPaoPath),
    Text("qingfufenpath", &CSiteInfo::m_strQingFuFenPath),
    Text("matchsignurl", &CSiteInfo::m_strMatchSignUrl),
    Text("updatedlgurl", &CSiteInfo::m_strUpdateDlgUrl),
};

static_assert(sizeof kSiteInfoKeys / sizeof kSiteInfoKeys[0] == 50,
              "every number and text of the record but the station has one key");

}  // namespace

const SiteInfoKey* FindSiteInfoKey(const char* lowerKey) {
    for (const SiteInfoKey& key : kSiteInfoKeys) {
        if (std::strcmp(key.name, lowerKey) == 0) {
            return &key;
        }
    }
    return nullptr;
}

SiteInfoKeyList AllSiteInfoKeys() {
    return {kSiteInfoKeys, sizeof kSiteInfoKeys / sizeof kSiteInfoKeys[0]};
}
