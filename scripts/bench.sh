#!/usr/bin/env bash
# make bench: the body mark-up's throughput on each processor path, then
# tessiva-batch against the I/O floor of its design (bench/IoFloor.c: each text
# read through a 256 KB buffer, written unchanged beside the page, renamed onto it):
#   2,000 texts of 20 KB   and   one text of 200 MB
# plus time growth from 20 MB to 200 MB and peak memory on the 200 MB text.
#   scripts/bench.sh NATIVE_BUILD_DIR [PAIRS]
# TESSIVA_BATCH=path times another tessiva-batch (an older build, say);
# TESSIVA_BENCH_ALL=1 runs every transform benchmark, not only the mark-up's.
set -euo pipefail

build="$(cd "${1:?usage: bench.sh NATIVE_BUILD_DIR [PAIRS]}" && pwd)"
pairs="${2:-11}"
bin="$build/bin"
batch="${TESSIVA_BATCH:-$bin/tessiva-batch}"
floor_bin="$bin/tessiva_io_floor"
data="$build/bench-data"
out="$build/bench-out"

echo "== Body mark-up on 100 MB of prose, by processor path (Google Benchmark, CPU time) =="
if [ "${TESSIVA_BENCH_ALL:-0}" = 1 ]; then
  "$bin/tessiva_bench" --benchmark_min_time=0.5
else
  # CSV: name,iterations,real_time,cpu_time,time_unit,bytes_per_second,...
  "$bin/tessiva_bench" --benchmark_filter='^MarkUpPath' --benchmark_min_time=1 --benchmark_format=csv 2>/dev/null |
    awk -F, '/^"MarkUpPath/ {gsub(/"/, "", $1); sub(/\/.*/, "", $1); sub(/MarkUpPath/, "", $1);
             if ($6 == "") printf "  %-10s skipped: %s\n", $1, $NF;
             else printf "  %-10s %5.2f GB/s\n", $1, $6 / 1e9}'
fi

if [ ! -f "$data/.complete" ]; then
  echo "== Making benchmark data in $data (about 260 MB, once) =="
  rm -rf "$data"
  mkdir -p "$data/small"
  "$bin/tessiva_bench_data" "$data"
  touch "$data/.complete"
fi

# Whole runs, timed alternately (A B B A ...) so that a busy machine slows both
# sides alike; the ratio within each pair is what counts. CPU time (user + system)
# is reported too: on a shared machine it is steadier than the wall clock.
fresh() { rm -rf "$out"; mkdir -p "$out"; sync; }
# /usr/bin/time rounds CPU time to 10 ms, a tenth of the floor's for the big text:
# the children's resource usage is read in microseconds instead.
time_one() {  # prints "wall_us cpu_s" for one run of the shell command $1, after a fresh folder
  fresh
  python3 -c '
import os, resource, sys, time
before = resource.getrusage(resource.RUSAGE_CHILDREN)
start = time.perf_counter()
os.system(sys.argv[1] + " >/dev/null 2>&1")
wall = time.perf_counter() - start
after = resource.getrusage(resource.RUSAGE_CHILDREN)
cpu = after.ru_utime - before.ru_utime + after.ru_stime - before.ru_stime
print(round(wall * 1e6), "%.6f" % cpu)' "$1"
}
median() { sort -g | awk '{v[NR]=$1} END {print (NR%2) ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2}'; }

compare() {  # compare LABEL FLOOR_COMMAND TESSIVA_COMMAND
  local label=$1 floor=$2 ours=$3
  local f t fw tw fc tc wall_ratios="" cpu_ratios="" fws="" tws="" fcs="" tcs=""
  time_one "$floor" >/dev/null; time_one "$ours" >/dev/null   # warm the page cache
  for i in $(seq 1 "$pairs"); do
    if [ $((i % 2)) -eq 1 ]; then f=$(time_one "$floor"); t=$(time_one "$ours")
    else t=$(time_one "$ours"); f=$(time_one "$floor"); fi
    read -r fw fc <<<"$f"; read -r tw tc <<<"$t"
    fws+="$fw"$'\n'; tws+="$tw"$'\n'; fcs+="$fc"$'\n'; tcs+="$tc"$'\n'
    wall_ratios+=$(awk -v a="$tw" -v b="$fw" 'BEGIN {printf "%.3f", a / b}')$'\n'
    cpu_ratios+=$(awk -v a="$tc" -v b="$fc" 'BEGIN {printf "%.3f", (b > 0) ? a / b : 0}')$'\n'
  done
  local fm tm fcm tcm wr cr
  fm=$(printf '%s' "$fws" | median); tm=$(printf '%s' "$tws" | median)
  fcm=$(printf '%s' "$fcs" | median); tcm=$(printf '%s' "$tcs" | median)
  wr=$(printf '%s' "$wall_ratios" | median); cr=$(printf '%s' "$cpu_ratios" | median)
  printf '%-22s floor %7.1f ms wall %6.3f s CPU | tessiva-batch %7.1f ms wall %6.3f s CPU | ratio %.2fx wall, %.2fx CPU\n' \
    "$label" "$(awk -v v="$fm" 'BEGIN{print v/1000}')" "$fcm" "$(awk -v v="$tm" 'BEGIN{print v/1000}')" "$tcm" "$wr" "$cr"
  LAST_MEDIAN_US=$tm
}

template="$bin/templet1.htm"
floor_small="'$floor_bin' '$out' page '$data'/small/*.txt"
batch_small="'$batch' --output '$out' --name page --template-file '$template' --overwrite yes '$data'/small/*.txt"
floor_big="'$floor_bin' '$out' big '$data/big.txt'"
batch_big="'$batch' --output '$out' --name big --template-file '$template' --overwrite yes '$data/big.txt'"
batch_mid="'$batch' --output '$out' --name mid --template-file '$template' --overwrite yes '$data/mid.txt'"

echo
echo "== tessiva-batch against the I/O floor (bench/IoFloor.c) =="
compare "2,000 texts of 20 KB" "$floor_small" "$batch_small"
compare "one text of 200 MB" "$floor_big" "$batch_big"
big_us=$LAST_MEDIAN_US

echo
echo "== Growth: 20 MB against 200 MB =="
mids=""
for i in $(seq 1 "$pairs"); do read -r w _ <<<"$(time_one "$batch_mid")"; mids+="$w"$'\n'; done
mid_us=$(printf '%s' "$mids" | median)
awk -v m="$mid_us" -v b="$big_us" \
  'BEGIN {printf "20 MB %.1f ms, 200 MB %.1f ms: 10x the input takes %.2fx the time\n", m/1000, b/1000, b/m}'

echo
echo "== Peak memory on the 200 MB text =="
fresh
peak_kb=$(/usr/bin/time -f '%M' "$batch" --output "$out" --name big --template-file "$template" \
  --overwrite yes "$data/big.txt" 2>&1 >/dev/null | tail -1)
size=$(stat -c %s "$data/big.txt")
awk -v k="$peak_kb" -v s="$size" \
  'BEGIN {printf "peak resident %.1f MB for a %.1f MB input: %.2fx the input\n", k*1024/1e6, s/1e6, k*1024/s}'
rm -rf "$out"
