// Reading whole INI files: our loader against the floor (a loop that only
// reads each line) and against inih, a small C INI parser, on the same files.
// The files are written once into a scratch folder before the first
// benchmark and removed after the last; text_bench.cpp adds per-call costs.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/ini_files.h"
#include "common/limits.h"
#include "ini/ini_file_parse.h"

namespace bench {
namespace {

struct NamedFile {
    std::string name;  // "game_table/10000", "site_file"
    TableFile file;
};

using Reader = std::size_t (*)(const char*);

// One whole read per iteration; our loader reads into a fresh document each
// time, as every caller in the launcher does.
void Read(benchmark::State& state, Reader read, const TableFile& file) {
    for (auto _ : state) {
        const std::size_t counted = read(file.path.c_str());
        if (counted == 0) {
            state.SkipWithError("the reader read nothing");
            break;
        }
        benchmark::DoNotOptimize(counted);
    }
    const auto iterations = static_cast<double>(state.iterations());
    state.counters["lines"] = benchmark::Counter(static_cast<double>(file.lines) * iterations,
                                                 benchmark::Counter::kIsRate);
    state.SetBytesProcessed(static_cast<std::int64_t>(file.bytes) * state.iterations());
}

// The design's own share of a load: a document with the file's sections and
// items appended, each zero-filled in its 1 KiB buffer, and no line read.
void ItemBuffers(benchmark::State& state, std::ptrdiff_t items) {
    for (auto _ : state) {
        CIniFileParse document;
        CIniSection& section = document.m_arrSections.AppendNew();
        for (std::ptrdiff_t i = 0; i < items; ++i) {
            section.AddItem();
        }
        benchmark::DoNotOptimize(section.m_arrItems.GetSize());
    }
}

// LoadFile, the plain line loop and inih, each on every file, and the item
// buffers alone for the file's number of items.
void RegisterLoadBenchmarks(const std::vector<NamedFile>& files) {
    const std::pair<const char*, Reader> readers[] = {
        {"LoadFile/", LoadDocument}, {"FgetsLoop/", ReadLines}, {"Inih/", ParseWithInih}};
    for (const NamedFile& named : files) {
        const TableFile file = named.file;
        for (const auto& [name, read] : readers) {
            benchmark::RegisterBenchmark(
                (name + named.name).c_str(),
                [file, read = read](benchmark::State& s) { Read(s, read, file); });
        }
        CIniFileParse document;
        document.LoadFile(file.path.c_str());
        std::ptrdiff_t items = 0;
        for (std::ptrdiff_t i = 0; i < document.m_arrSections.GetSize(); ++i) {
            items += document.m_arrSections[i].m_arrItems.GetSize();
        }
        benchmark::RegisterBenchmark(("ItemBuffers/" + named.name).c_str(),
                                     [items](benchmark::State& s) { ItemBuffers(s, items); });
    }
}

}  // namespace
}  // namespace bench

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
    const bool unknown = benchmark::ReportUnrecognizedArguments(argc, argv);
    if (!unknown) {
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
    }
    bench::RemoveFolder(folder);
    return unknown ? 1 : 0;
}
