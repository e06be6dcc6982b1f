// What the installer's deployment properties ask of an installation's
// configuration: a station (STATIONID), a game table file (GAMETABLE) and
// the failure log on or off (LOGFAILURES).
// An empty value asks for nothing. Each value is judged before anything is
// written, so a value that can't be used changes nothing.
#pragma once

#include <string>

namespace deploy {

struct Request {
    std::string station;      // decimal station number, or ""
    std::string table;        // full path of a game table file, or ""
    std::string logFailures;  // "1" the failure log on, "0" off, or ""
};

// Why `station` can't be written into StationID.ini, or "" when it can: the
// station choice must read back exactly this number.
std::string StationProblem(const std::string& station);

// Why the file at `path` can't serve as the game table, or "" when it can;
// `content` then holds its bytes.
std::string TableProblem(const std::string& path, std::string* content);

// Why `value` can't switch the failure log, or "" when it can: "1" or "0".
std::string LogFailuresProblem(const std::string& value);

// Why the request as a whole can't be used ("" when it can), one line each.
std::string RequestProblems(const Request& request);

// A note for the installer's log when a usable `station` has no site file in
// the configuration folder `configDir` (given with its closing separator, as
// the installer gives folders), nor gets one from the package: the site file
// it misses, and what that costs every launch. "" when there is nothing to note.
std::string SiteFileNote(const std::string& station, const std::string& configDir);

// Writes what the request asks into the configuration folder `configDir`:
// StationID.ini naming the station, GameKindID.ini a copy of the table,
// reclaunch.ini the failure log's switch.
// Returns why it failed, or "".
std::string Apply(const Request& request, const std::string& configDir);

}  // namespace deploy
