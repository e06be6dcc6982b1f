// The INI files the benchmarks read (game tables of a chosen number of lines
// and a site file with every key of the site information record) and the
// three readers they compare.
#pragma once

#include <cstddef>
#include <string>

namespace bench {

struct TableFile {
    std::string path;
    std::size_t lines = 0;  // lines in the file, blank and comment lines included
    std::size_t bytes = 0;
};

// Writes a game table of `lines` lines into `folder`: one [gamekindid]
// header, a comment line now and then, and kind=client lines with paths as
// long as real installations use; CR LF line ends, as Windows editors save.
TableFile WriteGameTable(const std::string& folder, std::size_t lines);

// Writes a siteinfo file with its [siteinfo] header and all 50 keys.
TableFile WriteSiteFile(const std::string& folder);

// A fresh folder below the system's temporary folder, and its removal.
std::string MakeScratchFolder(const char* stem);
void RemoveFolder(const std::string& folder);

// Each reads the file at `path` whole and returns what it counted (0: could
// not): our loader a fresh document's sections and items, inih its pairs, the
// floor (each line into a 1024-byte buffer, nothing else) its lines.
std::size_t LoadDocument(const char* path);
std::size_t ParseWithInih(const char* path);
std::size_t ReadLines(const char* path);

}  // namespace bench
