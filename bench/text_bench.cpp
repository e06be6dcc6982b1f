// Per-call costs of the INI reader's line rules and of the path join.
#include <benchmark/benchmark.h>

#include <cstring>

#include "hall/hall_singleton.h"
#include "ini/ini_item.h"
#include "ini/trim_string.h"

namespace {

// Both take the caller's text and change it, so each call gets a fresh copy
// of the line; the copy of a few dozen bytes is part of every figure.
constexpr char kItemLine[] = "  310=C:\\Game\\Mahjong\\GameClient.exe \r\n";

void BM_TrimString(benchmark::State& state) {
    char text[1024];
    for (auto _ : state) {
        std::memcpy(text, kItemLine, sizeof kItemLine);
        TrimString(text);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_TrimString);

void BM_SetLine(benchmark::State& state) {
    CIniItem item;
    char text[1024];
    for (auto _ : state) {
        std::memcpy(text, kItemLine, sizeof kItemLine);
        item.SetLine(text);
        benchmark::DoNotOptimize(item.m_szText);
    }
}
BENCHMARK(BM_SetLine);

void BM_GetFullPath(benchmark::State& state, const char* folder, const char* name) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(CHallSingleton::GetFullPath(folder, name));
    }
}
BENCHMARK_CAPTURE(BM_GetFullPath, plain, "C:\\Program Files\\Hall", "config\\siteinfo_1.ini");
BENCHMARK_CAPTURE(BM_GetFullPath, parent, "C:\\Program Files\\Hall\\bin",
                  "..\\config\\StationID.ini");

}  // namespace
