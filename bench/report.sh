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
gbench_medians() {
  awk -v prefix="$2" '
    /"name":/ { name = $2; gsub(/[",]/, "", name) }
    /"cpu_time":/ { t = $2; gsub(/,/, "", t); if (name ~ /_median$/) { sub(/_median$/, "", name); print prefix name, t } }
  ' "$1"
}
{
  gbench_medians "$results/gbench.json" ""
  gbench_medians "$results/gbench_kept.json" "kept:"
} >"$results/gbench_medians.txt"

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
    printf "| The same, sample table, launcher linked dynamically | %.3f ms | floor spawner | %.2f | (the link before) |\n",
      l["launch_launcher_dynamic_ms"], l["launch_launcher_dynamic_ms"] / l["launch_floor_ms"]

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
    printf "| GetFullPath per call (plain, with a parent step) | %.1f ns, %.1f ns | | | |\n", t["BM_GetFullPath"], t["BM_GetFullPathParent"]
  }'

# Where a whole run's time goes. First the ladder of bench/launch: each
# step's added wall time beside what its added faults, pages mapped in one
# request, pages given back at the end (those two), code pages run for the
# first time and system calls cost at the unit costs measured in the same
# run; the rest is the step's own work, what no count catches, and noise.
# Then a run from inside: each phase's wall time and the pages it took
# (faulted in or mapped on request), per installation and for the same
# program only starting the client.
echo
awk -v launch="$results/launch.txt" '
  # The rows of a table, one "key|label" a line: their keys in order, their
  # labels by key. Returns how many.
  function rows(spec, keys, labels,    n, i, line, part) {
    n = split(spec, line, "\n")
    for (i = 1; i <= n; i++) { split(line[i], part, "|"); keys[i] = part[1]; labels[part[1]] = part[2] }
    return n
  }
  BEGIN {
    while ((getline line < launch) > 0) { split(line, kv, "="); l[kv[1]] = kv[2] }
    steps = rows("floor|Floor: a static C program that only starts the client\n" \
      "floor_pie|+ linked as the launcher is (static-pie, relocations packed)\n" \
      "floor_cxx|+ C++ run-time and the launcher'\''s code, none of it run\n" \
      "launcher_lean|+ the launcher'\''s run: site file of one value, 2 kinds\n" \
      "launcher|+ 49 more site values: the sample table\n" \
      "launcher_201|+ 199 more kinds: the 201-kind table", step, what)
    fault = l["unit_fault_us"]; mapped = l["unit_mapped_us"]; freed = l["unit_freed_us"]
    code = l["unit_code_us"]; call = l["unit_file_us"] / 7
    printf "Unit costs, medians of 21 fresh processes: a heap page cleared as it faults in %.1f us; mapped in one request, then cleared %.1f us; given back %.2f us; a code page run first %.2f us; a system call of a file read %.2f us (one file opened, checked, locked, read and closed %.1f us).\n\n",
      fault, mapped, freed, code, call, l["unit_file_us"]
    print "| Step | Run | Added | Faults | Pages mapped at once | Code pages | System calls | These at unit cost | Rest |"
    print "| --- | ---: | ---: | ---: | ---: | ---: | ---: | ---: | ---: |"
    for (i = 1; i <= steps; i++) {
      s = step[i]; ms = l["launch_" s "_ms"]
      f = l["count_" s "_faults"]; m = l["count_" s "_mapped"]; k = l["count_" s "_code"]; c = l["count_" s "_syscalls"]
      if (i == 1) {
        printf "| %s | %.3f ms | | %d | %d | %d | %d | | |\n", what[s], ms, f, m, k, c
        continue
      }
      q = step[i - 1]; added = (ms - l["launch_" q "_ms"]) * 1000
      df = f - l["count_" q "_faults"]; dm = m - l["count_" q "_mapped"]
      dk = k - l["count_" q "_code"]; dc = c - l["count_" q "_syscalls"]
      cost = df * (fault + freed) + dm * (mapped + freed) + dk * code + dc * call
      printf "| %s | %.3f ms | %+.0f us | %+d | %+d | %+d | %+d | %+.0f us | %+.0f us |\n",
        what[s], ms, added, df, dm, dk, dc, cost, added - cost
    }

    phases = rows("start|From the spawn to main: start-up\n" \
      "folder|Installation folder, from the executable'\''s path\n" \
      "station|StationID.ini read, station chosen\n" \
      "site|Site file loaded\n" \
      "record|Record: name and header\n" \
      "load|Game table loaded\n" \
      "judge|Its entries judged\n" \
      "spawn|Client started\n" \
      "end|From the end of main until waited for\n" \
      "wall|Whole run", phase, what)
    split("floor lean sample big", column, " ")
    print ""
    print "| Inside a run (medians of 450 in turns) | Floor, same program | One site value, 2 kinds | Sample table | 201 kinds |"
    print "| --- | ---: | ---: | ---: | ---: |"
    for (i = 1; i <= phases; i++) {
      p = phase[i]; row = "| " what[p] " |"
      for (j = 1; j <= 4; j++) {
        key = "timeline_" column[j] "_" p
        if (!((key "_us") in l)) { row = row " |"; continue }
        cell = sprintf("%.0f us", l[key "_us"])
        if ((key "_pages") in l) cell = cell sprintf(", %d pages", l[key "_pages"])
        row = row " " cell " |"
      }
      print row
    }
  }'
