#!/usr/bin/env bash
# The summary table of one bench/run.sh run: every figure as a ratio to its
# baseline from the same run, against the targets. Markdown, for the README.
#
#   bench/report.sh <results folder>
set -euo pipefail
results=${1:?usage: bench/report.sh <results folder>}

cpu=$(grep -m1 'model name' /proc/cpuinfo | sed 's/.*: //')
echo "Run of $(date -u +%F). Machine: $(nproc) cores, $cpu; load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)."
echo

# Google Benchmark's JSON: one field a line. Keeps the medians' CPU times,
# those of the run with glibc keeping its memory prefixed with "kept:".
awk '/"name":/ { name = $2; gsub(/[",]/, "", name) }
  /"cpu_time":/ { t = $2; gsub(/,/, "", t)
    if (sub(/_median$/, "", name)) print (FILENAME ~ /kept/ ? "kept:" : "") name, t }
' "$results/gbench.json" "$results/gbench_kept.json" >"$results/gbench_medians.txt"

# fresh_load lines: key=value fields; the median over rounds of each figure.
awk '
  function median(list,    n, i, j, t, v) {
    n = split(list, v, " ")
    for (i = 2; i <= n; i++) for (j = i; j > 1 && v[j - 1] + 0 > v[j] + 0; j--) { t = v[j]; v[j] = v[j - 1]; v[j - 1] = t }
    return n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
  }
  { delete f; for (i = 1; i <= NF; i++) { split($i, kv, "="); f[kv[1]] = kv[2] }
    key = f["reader"] "/" f["lines"]; cpu[key] = cpu[key] " " f["cpu_ms"]; per[key] = per[key] " " f["bytes_per_entry"] }
  END { for (k in cpu) print k, median(cpu[k]), median(per[k]) }
' "$results/fresh.txt" >"$results/fresh_medians.txt"

awk -v gb="$results/gbench_medians.txt" -v fresh="$results/fresh_medians.txt" \
    -v launch="$results/launch.txt" '
  function verdict(met) { return met ? "met" : "**not met**" }
  BEGIN {
    while ((getline line < gb) > 0) { split(line, p, " "); t[p[1]] = p[2] }
    while ((getline line < fresh) > 0) { split(line, p, " "); cold[p[1]] = p[2]; per[p[1]] = p[3] }
    while ((getline line < launch) > 0) { split(line, p, "="); l[p[1]] = p[2] }
    print "| Figure (medians) | Measured | Baseline | Ratio | Target |"
    print "| --- | ---: | ---: | ---: | --- |"
    r = l["launch_launcher_ms"] / l["launch_floor_ms"]
    printf "| Whole launcher run, sample table (2 kinds), wall | %.3f ms | floor spawner %.3f ms | %.2f (rounds %s) | <= 1.05: %s |\n",
      l["launch_launcher_ms"], l["launch_floor_ms"], r, l["launch_launcher_spread"], verdict(r <= 1.05)
    r = l["launch_launcher_201_ms"] / l["launch_floor_ms"]
    printf "| Whole launcher run, 201-kind table, wall | %.3f ms | floor spawner | %.2f (rounds %s) | <= 1.10: %s |\n",
      l["launch_launcher_201_ms"], r, l["launch_launcher_201_spread"], verdict(r <= 1.10)

    ours = t["LoadFile/game_table/10000"]; inih = t["Inih/game_table/10000"]; floor = t["FgetsLoop/game_table/10000"]
    printf "| LoadFile, 10,000 lines, lines/s | %.0f k/s | inih %.0f k/s | %.2f | >= 1: %s |\n",
      1e10 / ours, 1e10 / inih, inih / ours, verdict(inih / ours >= 1)
    printf "| LoadFile, 10,000 lines, lines/s | %.0f k/s | fgets loop %.0f k/s | %.2f | >= 0.5: %s |\n",
      1e10 / ours, 1e10 / floor, floor / ours, verdict(floor / ours >= 0.5)
    cells = t["ItemBuffers/game_table/10000"]
    printf "| Item buffers alone, 10,000 lines (no line read) | %.2f ms | fgets loop %.2f ms | %.2f | (what the design costs) |\n",
      cells / 1e6, floor / 1e6, cells / floor
    big = t["LoadFile/game_table/100000"]
    printf "| LoadFile, 100,000 lines, time | %.2f ms | 10,000 lines %.2f ms | %.1f | <= 11: %s |\n",
      big / 1e6, ours / 1e6, big / ours, verdict(big / ours <= 11)

    kb = t["kept:LoadFile/game_table/100000"]; ks = t["kept:LoadFile/game_table/10000"]
    printf "| The same, glibc keeping its memory (diagnostic) | %.2f ms | 10,000 lines %.2f ms | %.1f | |\n",
      kb / 1e6, ks / 1e6, kb / ks
    printf "| Item buffers alone, glibc keeping its memory | %.2f ms | 10,000 lines %.2f ms | %.1f | |\n",
      t["kept:ItemBuffers/game_table/100000"] / 1e6, t["kept:ItemBuffers/game_table/10000"] / 1e6,
      t["kept:ItemBuffers/game_table/100000"] / t["kept:ItemBuffers/game_table/10000"]
    c10 = cold["loadfile/10000"]; c100 = cold["loadfile/100000"]
    printf "| LoadFile in a fresh process, 10,000 lines | %.2f ms | inih %.2f ms | %.2f | (as the launcher loads) |\n",
      c10, cold["inih/10000"], cold["inih/10000"] / c10
    printf "| LoadFile in a fresh process, 10,000 lines | %.2f ms | fgets loop %.2f ms | %.2f | (as the launcher loads) |\n",
      c10, cold["fgets/10000"], cold["fgets/10000"] / c10
    printf "| LoadFile in a fresh process, 100,000 lines | %.2f ms | 10,000 lines %.2f ms | %.1f | <= 11: %s |\n",
      c100, c10, c100 / c10, verdict(c100 / c10 <= 11)
    printf "| Peak memory of a load, 100,000 lines | %.0f B/entry | 1.1 KiB = 1126 B | %.2f | <= 1: %s |\n",
      per["loadfile/100000"], per["loadfile/100000"] / 1126, verdict(per["loadfile/100000"] <= 1126)
    printf "| Peak memory of a load, 10,000 lines | %.0f B/entry | 1.1 KiB = 1126 B | %.2f | <= 1: %s |\n",
      per["loadfile/10000"], per["loadfile/10000"] / 1126, verdict(per["loadfile/10000"] <= 1126)

    s = t["LoadFile/site_file"]
    printf "| LoadFile, 50-key site file | %.1f us | inih %.1f us, fgets loop %.1f us | %.2f, %.2f | |\n",
      s / 1e3, t["Inih/site_file"] / 1e3, t["FgetsLoop/site_file"] / 1e3, t["Inih/site_file"] / s, t["FgetsLoop/site_file"] / s
    printf "| TrimString, SetLine per call | %.1f ns, %.1f ns | | | |\n", t["BM_TrimString"], t["BM_SetLine"]
    printf "| GetFullPath per call (plain, with a parent step) | %.1f ns, %.1f ns | | | |\n", t["BM_GetFullPath/plain"], t["BM_GetFullPath/parent"]
  }'
