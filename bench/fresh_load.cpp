// One read of a game table in a fresh process, as the launcher reads its
// files: nothing of an earlier load is left in the allocator's hands, so
// every page the load needs comes fresh from the OS. Reports the time of the
// load and the resident set's high-water mark before and after it. A
// benchmark tool, not part of the launcher.
//
//   fresh_load <loadfile|inih|fgets> <lines>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "bench/ini_files.h"
#include "platform/memory.h"
#include "tests/support/testing.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: fresh_load <loadfile|inih|fgets> <lines>\n");
        return 2;
    }
    // The launcher's own setting of the allocator.
    platform::ReuseFreedMemory();
    const std::string reader = argv[1];
    std::size_t (*read)(const char*) = reader == "loadfile" ? bench::LoadDocument
                                       : reader == "inih"   ? bench::ParseWithInih
                                       : reader == "fgets"  ? bench::ReadLines
                                                            : nullptr;
    if (read == nullptr) {
        std::fprintf(stderr, "fresh_load: no reader %s\n", reader.c_str());
        return 2;
    }
    const auto lines = static_cast<std::size_t>(std::strtoul(argv[2], nullptr, 10));
    const std::string folder = bench::MakeScratchFolder("reclaunch-fresh");
    const bench::TableFile table = bench::WriteGameTable(folder, lines);

    // The fixed base: the process with one tiny read behind it (stdio, the
    // read-ahead buffer, the allocator's first heap), and the table's bytes
    // in the OS's file cache.
    const bench::TableFile tiny = bench::WriteGameTable(folder, 2);
    read(tiny.path.c_str());
    bench::ReadLines(table.path.c_str());

    const std::uint64_t before = testsupport::PeakResidentKiB();
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpuStart = std::clock();
    const std::size_t entries = read(table.path.c_str());
    const std::clock_t cpuEnd = std::clock();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    // Processor time (user and system: the page faults count) is what a
    // busy shared machine disturbs least.
    const double cpuMs = 1000.0 * static_cast<double>(cpuEnd - cpuStart) / CLOCKS_PER_SEC;
    const std::uint64_t after = testsupport::PeakResidentKiB();
    bench::RemoveFolder(folder);
    if (entries == 0) {
        std::fprintf(stderr, "fresh_load: %s read nothing from the table\n", reader.c_str());
        return 1;
    }

    const double perEntry =
        static_cast<double>(after - before) * 1024.0 / static_cast<double>(entries);
    std::printf(
        "reader=%s lines=%zu entries=%zu ms=%.3f cpu_ms=%.3f base_kib=%llu peak_kib=%llu "
        "bytes_per_entry=%.0f\n",
        reader.c_str(), lines, entries, took.count(), cpuMs,
        static_cast<unsigned long long>(before), static_cast<unsigned long long>(after), perEntry);
    return 0;
}
