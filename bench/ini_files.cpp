#include "bench/ini_files.h"

#include <ini.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "common/result_codes.h"
#include "ini/ini_file_parse.h"

namespace bench {
namespace fs = std::filesystem;

namespace {

// The 50 keys of the site information record, blank-separated.
const char kSiteKeys[] =
    "imageplazaid imageskinid imagegameframeid userstateid serverlistid imagefaceid "
    "imagecustomfaceid imageunitsid imageunitstreeid imageunitslistid mainpage "
    "mobilemainpage clientlogin hallad roomad gamead logonad regpage reghelp "
    "weixinlogon passwordsafe findpassword yhhwtk yhyszc btn1 btn2 btn3 btn4 btn5 "
    "btn6 userinfo_btn1 userinfo_btn2 userinfo_btn3 userinfo_btn4 userinfo_btn5 "
    "userinfo_btn6 btn1_tooltip btn2_tooltip btn3_tooltip btn4_tooltip btn5_tooltip "
    "btn6_tooltip download rule selfheadpath defaultheadpath qingtaopaopath "
    "qingfufenpath matchsignurl updatedlgurl";

int CountPair(void* user, const char* /*section*/, const char* /*name*/, const char* /*value*/) {
    ++*static_cast<std::size_t*>(user);
    return 1;
}

TableFile Finish(const std::string& path, std::size_t lines) {
    TableFile file;
    file.path = path;
    file.lines = lines;
    file.bytes = static_cast<std::size_t>(fs::file_size(path));
    return file;
}

}  // namespace

TableFile WriteGameTable(const std::string& folder, std::size_t lines) {
    const std::string path = folder + "/GameKindID_" + std::to_string(lines) + ".ini";
    std::ofstream out(path, std::ios::binary);
    out << "[gamekindid]\r\n";
    char line[128];
    for (std::size_t i = 1; i < lines; ++i) {
        if (i % 16 == 0) {
            std::snprintf(line, sizeof line, "; kinds from %zu\r\n", 100 + i);
        } else {
            std::snprintf(line, sizeof line, "%zu=C:\\Game\\Kind%zu\\GameClient.exe\r\n", 100 + i,
                          100 + i);
        }
        out << line;
    }
    if (!out) {
        throw std::runtime_error("can't write " + path);
    }
    out.close();
    return Finish(path, lines);
}

TableFile WriteSiteFile(const std::string& folder) {
    const std::string path = folder + "/siteinfo_1.ini";
    std::ofstream out(path, std::ios::binary);
    out << "[siteinfo]\r\n";
    std::size_t lines = 1;
    std::size_t n = 0;
    std::istringstream keys(kSiteKeys);
    for (std::string key; keys >> key;) {
        // Ten numbers first, then texts: page addresses, captions, paths.
        if (n++ < 10) {
            out << key << '=' << n << "\r\n";
        } else {
            out << key << "=https://www.example.com/hall/" << key << ".html\r\n";
        }
        ++lines;
    }
    if (!out) {
        throw std::runtime_error("can't write " + path);
    }
    out.close();
    return Finish(path, lines);
}

std::string MakeScratchFolder(const char* stem) {
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const fs::path folder =
        fs::temp_directory_path() / (std::string(stem) + "-" + std::to_string(stamp));
    fs::create_directories(folder);
    return folder.string();
}

void RemoveFolder(const std::string& folder) {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

std::size_t LoadDocument(const char* path) {
    CIniFileParse document;
    if (document.LoadFile(path) != S_OK) {
        return 0;
    }
    std::size_t entries = 0;
    for (std::ptrdiff_t s = 0; s < document.m_arrSections.GetSize(); ++s) {
        entries += 1 + static_cast<std::size_t>(document.m_arrSections[s].m_arrItems.GetSize());
    }
    return entries;
}

std::size_t ParseWithInih(const char* path) {
    std::size_t pairs = 0;
    return ini_parse(path, CountPair, &pairs) < 0 ? 0 : pairs;
}

std::size_t ReadLines(const char* path) {
    std::FILE* in = std::fopen(path, "r");
    if (in == nullptr) {
        return 0;
    }
    char line[1024];
    std::size_t lines = 0;
    while (std::fgets(line, sizeof line, in) != nullptr) {
        ++lines;
    }
    std::fclose(in);
    return lines;
}

}  // namespace bench
