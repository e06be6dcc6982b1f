// Registration of the file-reading benchmarks.
#pragma once

#include <string>
#include <vector>

#include "bench/tables.h"

namespace bench {

struct NamedFile {
    std::string name;  // "game_table/10000", "site_file"
    TableFile file;
};

// LoadFile, the plain line loop and inih, each on every file.
void RegisterLoadBenchmarks(const std::vector<NamedFile>& files);

}  // namespace bench
