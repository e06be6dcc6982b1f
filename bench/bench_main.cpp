// The INI and path benchmarks. The files are written once into a scratch
// folder before the first benchmark and removed after the last.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/load_bench.h"
#include "bench/tables.h"
#include "common/limits.h"

int main(int argc, char** argv) {
    const std::string folder = bench::MakeScratchFolder("reclaunch-bench");
    std::vector<bench::NamedFile> files;
    for (const std::size_t lines : {std::size_t{100}, std::size_t{10000}, std::size_t{100000}}) {
        files.push_back(
            {"game_table/" + std::to_string(lines), bench::WriteGameTable(folder, lines)});
    }
    // The largest table stays a whole document: below the entry ceiling.
    static_assert(100000 < reclaunch::kMaxDocumentEntries);
    files.push_back({"site_file", bench::WriteSiteFile(folder)});
    bench::RegisterLoadBenchmarks(files);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        bench::RemoveFolder(folder);
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    bench::RemoveFolder(folder);
    return 0;
}
