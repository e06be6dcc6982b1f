#include "tools/deploy-config/deployment.h"

#include <cstdint>
#include <cstdio>
#include <limits>

namespace deploy {
namespace {

bool ReadWhole(const std::string& path, std::string* content) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return false;
    }
    content->clear();
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        content->append(buffer, got);
    }
    // A folder opens on some systems and fails at the first read.
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    return !failed;
}

bool WriteWhole(const std::string& path, const std::string& content) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    return std::fclose(file) == 0 && written;
}

// A full path: a drive and a separator, a UNC path, or a POSIX root. A
// relative one would be taken from whichever folder the installer runs in.
bool IsFullPath(const std::string& path) {
    const auto separator = [](char ch) { return ch == '\\' || ch == '/'; };
    if (path.size() >= 3 && path[1] == ':' && separator(path[2])) {
        return true;
    }
    return !path.empty() && separator(path[0]);
}

}  // namespace

std::string StationProblem(const std::string& station) {
    // The station choice reads decimal digits up to the first other byte and
    // wraps beyond 32 bits: anything but a plain number in range would be
    // read as another station than the one asked for. A minus sign is read
    // too, but no site is numbered below 0: a sign is taken for a typing slip.
    const bool digitsOnly =
        !station.empty() && station.find_first_not_of("0123456789") == std::string::npos;
    const std::size_t first = station.find_first_not_of('0');
    const std::string value = first == std::string::npos ? "0" : station.substr(first);
    if (!digitsOnly || value.size() > 10 ||
        std::stoll(value) > std::numeric_limits<std::int32_t>::max()) {
        return "STATIONID=" + station +
               " is not a station number: give decimal digits, at most 2147483647";
    }
    return "";
}

std::string TableProblem(const std::string& path, std::string* content) {
    if (!IsFullPath(path)) {
        return "GAMETABLE=" + path + " is not a full path: give the game table file's full path";
    }
    if (!ReadWhole(path, content)) {
        return "GAMETABLE=" + path + " can't be read: no such file, or not readable";
    }
    return "";
}

std::string LogFailuresProblem(const std::string& value) {
    if (value != "0" && value != "1") {
        return "LOGFAILURES=" + value + " is neither 1 (log failed launches) nor 0 (don't)";
    }
    return "";
}

namespace {

// The launcher's settings with the failure log switched by `value`.
std::string LogSwitchFile(const std::string& value) {
    return "; The launcher's own settings, written by the installer (LOGFAILURES).\r\n"
           "\r\n"
           "[log]\r\n"
           "; failures=1: a launch that starts no game client, or fewer than the game\r\n"
           "; table lists for the record's kind, leaves one entry in the system's log.\r\n"
           "failures=" +
           value + "\r\n";
}

// Judges every value asked for, reading the table into `table`.
std::string Judge(const Request& request, std::string* table) {
    std::string problems;
    for (const std::string& problem :
         {request.station.empty() ? "" : StationProblem(request.station),
          request.table.empty() ? "" : TableProblem(request.table, table),
          request.logFailures.empty() ? "" : LogFailuresProblem(request.logFailures)}) {
        problems += problem.empty() ? "" : problem + "\n";
    }
    return problems;
}

}  // namespace

std::string RequestProblems(const Request& request) {
    std::string table;
    return Judge(request, &table);
}

std::string SiteFileNote(const std::string& station, const std::string& configDir) {
    if (station.empty() || !StationProblem(station).empty()) {
        return "";
    }
    // The station choice reads the number, whatever zeros lead it.
    const std::string name = "siteinfo_" + std::to_string(std::stoll(station)) + ".ini";
    // The package installs the site file of station 1 (reclaunch.wxs).
    std::string content;
    if (name == "siteinfo_1.ini" || ReadWhole(configDir + name, &content)) {
        return "";
    }
    return "STATIONID=" + station + ": " + configDir + name +
           " does not open (missing, or not readable). Until it does, every launch waits "
           "100 ms for the reader's second attempt at it, and the station's site information "
           "keeps its defaults.";
}

std::string Apply(const Request& request, const std::string& configDir) {
    std::string table;
    std::string problems = Judge(request, &table);
    if (!problems.empty()) {
        return problems;
    }
    const std::string folder = configDir + "/";
    if (!request.station.empty() &&
        !WriteWhole(folder + "StationID.ini",
                    "[stationid]\r\nstationid=" + request.station + "\r\n")) {
        return "can't write " + folder + "StationID.ini\n";
    }
    if (!request.table.empty() && !WriteWhole(folder + "GameKindID.ini", table)) {
        return "can't write " + folder + "GameKindID.ini\n";
    }
    if (!request.logFailures.empty() &&
        !WriteWhole(folder + "reclaunch.ini", LogSwitchFile(request.logFailures))) {
        return "can't write " + folder + "reclaunch.ini\n";
    }
    return "";
}

}  // namespace deploy
