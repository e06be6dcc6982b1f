#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "hall/site_info.h"
#include "tests/support/case_name.h"
#include "tests/support/temp_dir.h"

namespace {

// Each member of the record with the key that fills it, as the site files
// name them.
struct Member {
    const char* name;
    const char* key;
    std::int32_t CSiteInfo::*number;
    platform::CString CSiteInfo::*text;
};

#define NUMBER(member, key) \
    { #member, key, &CSiteInfo::member, nullptr }
#define TEXT(member, key) \
    { #member, key, nullptr, &CSiteInfo::member }

const Member kMembers[] = {
    NUMBER(m_nImagePlazaID, "imageplazaid"),
    NUMBER(m_nImageSkinID, "imageskinid"),
    NUMBER(m_nImageGameFrameID, "imagegameframeid"),
    NUMBER(m_nUserStateID, "userstateid"),
    NUMBER(m_nServerListID, "serverlistid"),
    NUMBER(m_nImageFaceID, "imagefaceid"),
    NUMBER(m_nImageCustomFaceID, "imagecustomfaceid"),
    NUMBER(m_nImageUnitsID, "imageunitsid"),
    NUMBER(m_nImageUnitsTreeID, "imageunitstreeid"),
    NUMBER(m_nImageUnitsListID, "imageunitslistid"),
    TEXT(m_strMainPage, "mainpage"),
    TEXT(m_strMobileMainPage, "mobilemainpage"),
    TEXT(m_strClientLogin, "clientlogin"),
    TEXT(m_strHallAd, "hallad"),
    TEXT(m_strRoomAd, "roomad"),
    TEXT(m_strGameAd, "gamead"),
    TEXT(m_strLogonAd, "logonad"),
    TEXT(m_strRegPage, "regpage"),
    TEXT(m_strRegHelp, "reghelp"),
    TEXT(m_strWeixinLogon, "weixinlogon"),
    TEXT(m_strPasswordSafe, "passwordsafe"),
    TEXT(m_strFindPassword, "findpassword"),
    TEXT(m_strYhhwtk, "yhhwtk"),
    TEXT(m_strYhyszc, "yhyszc"),
    TEXT(m_strBtn1, "btn1"),
    TEXT(m_strBtn2, "btn2"),
    TEXT(m_strBtn3, "btn3"),
    TEXT(m_strBtn4, "btn4"),
    TEXT(m_strBtn5, "btn5"),
    TEXT(m_strBtn6, "btn6"),
    TEXT(m_strUserInfoBtn1, "userinfo_btn1"),
    TEXT(m_strUserInfoBtn2, "userinfo_btn2"),
    TEXT(m_strUserInfoBtn3, "userinfo_btn3"),
    TEXT(m_strUserInfoBtn4, "userinfo_btn4"),
    TEXT(m_strUserInfoBtn5, "userinfo_btn5"),
    TEXT(m_strUserInfoBtn6, "userinfo_btn6"),
    TEXT(m_strBtn1Tooltip, "btn1_tooltip"),
    TEXT(m_strBtn2Tooltip, "btn2_tooltip"),
    TEXT(m_strBtn3Tooltip, "btn3_tooltip"),
    TEXT(m_strBtn4Tooltip, "btn4_tooltip"),
    TEXT(m_strBtn5Tooltip, "btn5_tooltip"),
    TEXT(m_strBtn6Tooltip, "btn6_tooltip"),
    TEXT(m_strDownload, "download"),
    TEXT(m_strRule, "rule"),
    TEXT(m_strSelfHeadPath, "selfheadpath"),
    TEXT(m_strDefaultHeadPath, "defaultheadpath"),
    TEXT(m_strQingTaoPaoPath, "qingtaopaopath"),
    TEXT(m_strQingFuFenPath, "qingfufenpath"),
    TEXT(m_strMatchSignUrl, "matchsignurl"),
    TEXT(m_strUpdateDlgUrl, "updatedlgurl"),
};

#undef NUMBER
#undef TEXT

// The whole record as member name -> value text, so a test can compare
// every member at once and see which ones differ.
using Snapshot = std::map<std::string, std::string>;

Snapshot Take(const CSiteInfo& info) {
    Snapshot snapshot;
    snapshot["m_nStationID"] = std::to_string(info.m_nStationID);
    for (const Member& member : kMembers) {
        snapshot[member.name] = member.number != nullptr ? std::to_string(info.*(member.number))
                                                         : (info.*(member.text)).str();
    }
    snapshot["m_bLoaded"] = info.m_bLoaded ? "true" : "false";
    return snapshot;
}

Snapshot Defaults() {
    Snapshot snapshot;
    snapshot["m_nStationID"] = "1";
    for (const Member& member : kMembers) {
        snapshot[member.name] = member.number != nullptr ? "1" : "";
    }
    snapshot["m_bLoaded"] = "false";
    return snapshot;
}

using Overrides = std::vector<std::pair<std::string, std::string>>;

Snapshot DefaultsWith(const Overrides& overrides) {
    Snapshot snapshot = Defaults();
    for (const auto& [name, value] : overrides) {
        EXPECT_EQ(snapshot.count(name), 1U) << "no member " << name;
        snapshot[name] = value;
    }
    return snapshot;
}

TEST(HallSiteInfo, StartsWithItsDefaults) {
    EXPECT_EQ(Take(CSiteInfo()), Defaults());
}

TEST(HallSiteInfo, EveryKeyFillsExactlyItsOwnMember) {
    testutil::TempDir dir;
    std::string file = "[siteinfo]\n";
    Overrides expected{{"m_nStationID", "3"}, {"m_bLoaded", "true"}};
    int number = 100;
    for (const Member& member : kMembers) {
        const std::string value = member.number != nullptr ? std::to_string(number++)
                                                           : std::string("Value of ") + member.key;
        file += std::string(member.key) + "=" + value + "\n";
        expected.emplace_back(member.name, value);
    }
    testutil::WriteFile(dir / "site.ini", file);

    CSiteInfo info;
    info.Load((dir / "site.ini").c_str(), 3);
    EXPECT_EQ(Take(info), DefaultsWith(expected));
}

TEST(HallSiteInfo, EmptyValuesKeepEveryMember) {
    testutil::TempDir dir;
    std::string first = "[siteinfo]\n";
    std::string emptied = "[siteinfo]\n";
    for (const Member& member : kMembers) {
        first += std::string(member.key) + "=7\n";
        emptied += std::string(member.key) + "=\n" + member.key + "\n";
    }
    testutil::WriteFile(dir / "first.ini", first);
    testutil::WriteFile(dir / "emptied.ini", emptied);

    CSiteInfo info;
    info.Load((dir / "first.ini").c_str(), 1);
    const Snapshot loaded = Take(info);
    info.Load((dir / "emptied.ini").c_str(), 1);
    EXPECT_EQ(Take(info), loaded);
}

struct LoadCase {
    const char* name;
    const char* file;  // null: no file at the path
    std::int32_t station;
    Overrides expected;  // members that differ from the defaults
};

// Failure messages name the case rather than dump its bytes.
void PrintTo(const LoadCase& c, std::ostream* out) {
    *out << c.name;
}

class HallSiteInfoLoad : public ::testing::TestWithParam<LoadCase> {};

TEST_P(HallSiteInfoLoad, FillsTheRecord) {
    const LoadCase& c = GetParam();
    testutil::TempDir dir;
    const std::string path = dir / "config/siteinfo.ini";
    if (c.file != nullptr) {
        testutil::WriteFile(path, c.file);
    }
    CSiteInfo info;
    info.Load(path.c_str(), c.station);
    EXPECT_EQ(Take(info), DefaultsWith(c.expected));
}

const LoadCase kLoadCases[] = {
    {"NoFile", nullptr, 4, {{"m_nStationID", "4"}}},
    {"EmptyFile", "", 1, {{"m_bLoaded", "true"}}},
    {"NoSiteInfoSection", "[other]\nmainpage=x\n", 1, {{"m_bLoaded", "true"}}},
    {"KeysBeforeAnySection", "mainpage=x\n[siteinfo]\n", 1, {{"m_bLoaded", "true"}}},
    {"BlankInsideBrackets", "[ siteinfo ]\nmainpage=x\n", 1, {{"m_bLoaded", "true"}}},
    {"NamesIgnoreCase",
     "[SiteInfo]\nMainPage=Pages\\Index.Htm\nIMAGESKINID=4\n",
     1,
     {{"m_bLoaded", "true"}, {"m_strMainPage", "Pages\\Index.Htm"}, {"m_nImageSkinID", "4"}}},
    {"StationKeyIgnored",
     "[siteinfo]\nstationid=9\n",
     3,
     {{"m_nStationID", "3"}, {"m_bLoaded", "true"}}},
    {"NumberFromText",
     "[siteinfo]\nimageskinid=abc\n",
     1,
     {{"m_nImageSkinID", "0"}, {"m_bLoaded", "true"}}},
    {"EmptyNumber", "[siteinfo]\nimageskinid=\n", 1, {{"m_bLoaded", "true"}}},
    {"NumberWithTail",
     "[siteinfo]\nimageplazaid=-12px\nimagefaceid=+8\n",
     1,
     {{"m_nImagePlazaID", "-12"}, {"m_nImageFaceID", "8"}, {"m_bLoaded", "true"}}},
    {"NumberBeyondRange",
     "[siteinfo]\nimageplazaid=99999999999\nimagefaceid=-99999999999\n",
     1,
     {{"m_nImagePlazaID", "2147483647"}, {"m_nImageFaceID", "-2147483648"}, {"m_bLoaded", "true"}}},
    {"TreeBeforeList",
     "[siteinfo]\nimageunitstreeid=5\nimageunitslistid=6\n",
     1,
     {{"m_nImageUnitsTreeID", "5"}, {"m_nImageUnitsListID", "6"}, {"m_bLoaded", "true"}}},
    {"LaterEntryWins",
     "[siteinfo]\nmainpage=first\nmainpage=second\n",
     1,
     {{"m_strMainPage", "second"}, {"m_bLoaded", "true"}}},
    {"LaterSectionWins",
     "[siteinfo]\nmainpage=first\n[other]\nmainpage=x\n[SITEINFO]\nmainpage=last\n",
     1,
     {{"m_strMainPage", "last"}, {"m_bLoaded", "true"}}},
    {"EmptyLaterValueKeepsEarlier",
     "[siteinfo]\nmainpage=first\n[siteinfo]\nmainpage=\n",
     1,
     {{"m_strMainPage", "first"}, {"m_bLoaded", "true"}}},
    {"ValueKeepsLaterEquals",
     "[siteinfo]\nmainpage=a=b ; c\n",
     1,
     {{"m_strMainPage", "a=b ; c"}, {"m_bLoaded", "true"}}},
    {"ValueBytesKept",
     "[siteinfo]\nbtn1=\xc9\xe8\xd6\xc3 Ab\n",
     1,
     {{"m_strBtn1", "\xc9\xe8\xd6\xc3 Ab"}, {"m_bLoaded", "true"}}},
    {"UnknownKeysIgnored", "[siteinfo]\nbtn7=x\nbtn=y\nmainpage2=z\n", 1, {{"m_bLoaded", "true"}}},
    {"NegativeStation", "", -2, {{"m_nStationID", "-2"}, {"m_bLoaded", "true"}}},
};
INSTANTIATE_TEST_SUITE_P(Files, HallSiteInfoLoad, ::testing::ValuesIn(kLoadCases),
                         testutil::CaseName());

TEST(HallSiteInfo, AFailedLoadKeepsWhatAnEarlierLoadRead) {
    testutil::TempDir dir;
    testutil::WriteFile(dir / "site.ini", "[siteinfo]\nmainpage=kept\n");
    CSiteInfo info;
    info.Load((dir / "site.ini").c_str(), 2);
    info.Load((dir / "missing.ini").c_str(), 5);
    EXPECT_EQ(
        Take(info),
        DefaultsWith({{"m_nStationID", "5"}, {"m_strMainPage", "kept"}, {"m_bLoaded", "true"}}));
}

TEST(HallSiteInfo, NoPathLoadsNothing) {
    CSiteInfo info;
    info.Load(nullptr, 6);
    EXPECT_EQ(Take(info), DefaultsWith({{"m_nStationID", "6"}}));
}

}  // namespace
