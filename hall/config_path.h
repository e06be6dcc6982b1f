// Naming the installation's configuration files (the game table,
// StationID.ini, the site file): the one rule for which name of the
// installation folder they are joined to.
#pragma once

// Joins `name` (a relative "config\..." name) to the installation folder
// `workDir` as GetFullPath does. A folder whose name as given leaves the
// joined path too long for the 260-byte buffers is taken by its short name
// (Windows) when that fits; `byShortName`, when given, tells whether it
// was. "" when no name of the folder fits, or there is no folder. The result
// lies in GetFullPath's shared buffer until its next call.
const char* JoinConfigPath(const char* workDir, const char* name, bool* byShortName = nullptr);
