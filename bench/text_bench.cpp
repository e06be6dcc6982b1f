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

void BM_GetFullPath(benchmark::State& state) {
    for (auto _ : state) {
        const char* path =
            CHallSingleton::GetFullPath("C:\\Program Files\\Hall", "config\\siteinfo_1.ini");
        benchmark::DoNotOptimize(path);
    }
}
BENCHMARK(BM_GetFullPath);

void BM_GetFullPathParent(benchmark::State& state) {
    for (auto _ : state) {
        const char* path = CHallSingleton::GetFullPath("C:\\Program Files\\Hall\\bin",
                                                       "..\\config\\StationID.ini");
        benchmark::DoNotOptimize(path);
    }
}
BENCHMARK(BM_GetFullPathParent);

}  // namespace
