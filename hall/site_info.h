// The site information record of one station, read from its siteinfo file.
#pragma once

#include <cstdint>

#include "ini/ini_load_observer.h"
#include "platform/string.h"

struct CSiteInfo {
    CSiteInfo();

    // Sets the station, then fills the record from the file's [siteinfo]
    // sections. A file that does not open leaves every other member as it is.
    // `observer`, when given, hears every line of the file as it is read.
    void Load(const char* path, std::int32_t station, IniLoadObserver* observer = nullptr);

    std::int32_t m_nStationID;
    std::int32_t m_nImagePlazaID;
    std::int32_t m_nImageSkinID;
    std::int32_t m_nImageGameFrameID;
    std::int32_t m_nUserStateID;
    std::int32_t m_nServerListID;
    std::int32_t m_nImageFaceID;
    std::int32_t m_nImageCustomFaceID;
    std::int32_t m_nImageUnitsID;
    std::int32_t m_nImageUnitsTreeID;
    std::int32_t m_nImageUnitsListID;

    platform::CString m_strMainPage;
    platform::CString m_strMobileMainPage;
    platform::CString m_strClientLogin;
    platform::CString m_strHallAd;
    platform::CString m_strRoomAd;
    platform::CString m_strGameAd;
    platform::CString m_strLogonAd;
    platform::CString m_strRegPage;
    platform::CString m_strRegHelp;
    platform::CString m_strWeixinLogon;
    platform::CString m_strPasswordSafe;
    platform::CString m_strFindPassword;
    platform::CString m_strYhhwtk;
    platform::CString m_strYhyszc;
    platform::CString m_strBtn1;
    platform::CString m_strBtn2;
    platform::CString m_strBtn3;
    platform::CString m_strBtn4;
    platform::CString m_strBtn5;
    platform::CString m_strBtn6;
    platform::CString m_strUserInfoBtn1;
    platform::CString m_strUserInfoBtn2;
    platform::CString m_strUserInfoBtn3;
    platform::CString m_strUserInfoBtn4;
    platform::CString m_strUserInfoBtn5;
    platform::CString m_strUserInfoBtn6;
    platform::CString m_strBtn1Tooltip;
    platform::CString m_strBtn2Tooltip;
    platform::CString m_strBtn3Tooltip;
    platform::CString m_strBtn4Tooltip;
    platform::CString m_strBtn5Tooltip;
    platform::CString m_strBtn6Tooltip;
    platform::CString m_strDownload;
    platform::CString m_strRule;
    platform::CString m_strSelfHeadPath;
    platform::CString m_strDefaultHeadPath;
    platform::CString m_strQingTaoPaoPath;
    platform::CString m_strQingFuFenPath;
    platform::CString m_strMatchSignUrl;
    platform::CString m_strUpdateDlgUrl;

    bool m_bLoaded;
};
