// Reading whole INI files: our loader against the floor (a loop that only
// reads each line) and against inih, a small C INI parser, on the same files.
#include <benchmark/benchmark.h>
#include <ini.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/load_bench.h"
#include "common/result_codes.h"
#include "ini/ini_file_parse.h"

namespace bench {
namespace {

void Count(benchmark::State& state, const TableFile& file) {
    const auto iterations = static_cast<double>(state.iterations());
    state.counters["lines"] = benchmark::Counter(static_cast<double>(file.lines) * iterations,
                                                 benchmark::Counter::kIsRate);
    state.SetBytesProcessed(static_cast<std::int64_t>(file.bytes) * state.iterations());
}

// A fresh document per load, as every caller in the launcher has.
void LoadFile(benchmark::State& state, const TableFile& file) {
    for (auto _ : state) {
        CIniFileParse document;
        if (document.LoadFile(file.path.c_str()) != S_OK) {
            state.SkipWithError("LoadFile failed");
            break;
        }
        benchmark::DoNotOptimize(document.m_arrSections.GetSize());
    }
    Count(state, file);
}

// The floor: every line read into a 1024-byte buffer and nothing else.
void FgetsLoop(benchmark::State& state, const TableFile& file) {
    for (auto _ : state) {
        std::FILE* in = std::fopen(file.path.c_str(), "r");
        if (in == nullptr) {
            state.SkipWithError("fopen failed");
            break;
        }
        char line[1024];
        std::size_t lines = 0;
        while (std::fgets(line, sizeof line, in) != nullptr) {
            ++lines;
        }
        std::fclose(in);
        benchmark::DoNotOptimize(lines);
    }
    Count(state, file);
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

int CountPair(void* user, const char* /*section*/, const char* /*name*/, const char* /*value*/) {
    ++*static_cast<std::size_t*>(user);
    return 1;
}

void Inih(benchmark::State& state, const TableFile& file) {
    for (auto _ : state) {
        std::size_t pairs = 0;
        if (ini_parse(file.path.c_str(), CountPair, &pairs) < 0) {
            state.SkipWithError("ini_parse failed");
            break;
        }
        benchmark::DoNotOptimize(pairs);
    }
    Count(state, file);
}

}  // namespace

void RegisterLoadBenchmarks(const std::vector<NamedFile>& files) {
    for (const NamedFile& named : files) {
        const TableFile file = named.file;
        benchmark::RegisterBenchmark(("LoadFile/" + named.name).c_str(),
                                     [file](benchmark::State& s) { LoadFile(s, file); });
        benchmark::RegisterBenchmark(("FgetsLoop/" + named.name).c_str(),
                                     [file](benchmark::State& s) { FgetsLoop(s, file); });
        benchmark::RegisterBenchmark(("Inih/" + named.name).c_str(),
                                     [file](benchmark::State& s) { Inih(s, file); });
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

}  // namespace bench
