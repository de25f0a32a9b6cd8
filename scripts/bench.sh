#!/usr/bin/env bash
# make bench: the transform benchmarks, then tessiva-batch against the I/O floor
# (the system's own tools moving the same bytes):
#   2,000 texts of 20 KB   tessiva-batch  vs  cp of the same files into one folder
#   one text of 200 MB     tessiva-batch  vs  cat of the file into one file
# plus time growth from 20 MB to 200 MB and peak memory on the 200 MB text.
#   scripts/bench.sh NATIVE_BUILD_DIR [PAIRS]
set -euo pipefail

build="$(cd "${1:?usage: bench.sh NATIVE_BUILD_DIR [PAIRS]}" && pwd)"
pairs="${2:-11}"
bin="$build/bin"
batch="$bin/tessiva-batch"
data="$build/bench-data"
out="$build/bench-out"

echo "== Transforms (Google Benchmark) =="
[ "${TESSIVA_BENCH_SKIP_TRANSFORMS:-0}" = 1 ] || "$bin/tessiva_bench" --benchmark_min_time=0.5

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
now() { local t=$EPOCHREALTIME; echo "${t/[.,]/}"; }   # microseconds
fresh() { rm -rf "$out"; mkdir -p "$out"; sync; }
time_one() {  # prints "wall_us cpu_s" for one run of the shell command $1, after a fresh folder
  fresh
  local t0 t1 cpu
  t0=$(now)
  /usr/bin/time -o "$build/.bench-time" -f '%U %S' sh -c "$1" >/dev/null 2>&1
  t1=$(now)
  cpu=$(awk '{print $1 + $2}' "$build/.bench-time")
  echo "$((t1 - t0)) $cpu"
}
median() { sort -g | awk '{v[NR]=$1} END {print (NR%2) ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2}'; }

compare() {  # compare LABEL FLOOR_COMMAND TESSIVA_COMMAND
  local label=$1 floor=$2 ours=$3
  local f t fw tw fc tc wall_ratios="" cpu_ratios="" fws="" tws=""
  time_one "$floor" >/dev/null; time_one "$ours" >/dev/null   # warm the page cache
  for i in $(seq 1 "$pairs"); do
    if [ $((i % 2)) -eq 1 ]; then f=$(time_one "$floor"); t=$(time_one "$ours")
    else t=$(time_one "$ours"); f=$(time_one "$floor"); fi
    read -r fw fc <<<"$f"; read -r tw tc <<<"$t"
    fws+="$fw"$'\n'; tws+="$tw"$'\n'
    wall_ratios+=$(awk -v a="$tw" -v b="$fw" 'BEGIN {printf "%.3f", a / b}')$'\n'
    cpu_ratios+=$(awk -v a="$tc" -v b="$fc" 'BEGIN {printf "%.3f", (b > 0) ? a / b : 0}')$'\n'
  done
  local fm tm wr cr
  fm=$(printf '%s' "$fws" | median); tm=$(printf '%s' "$tws" | median)
  wr=$(printf '%s' "$wall_ratios" | median); cr=$(printf '%s' "$cpu_ratios" | median)
  printf '%-30s floor %7.1f ms  tessiva-batch %7.1f ms  ratio %.2fx wall, %.2fx CPU (medians, %d alternating pairs)\n' \
    "$label" "$(awk -v v="$fm" 'BEGIN{print v/1000}')" "$(awk -v v="$tm" 'BEGIN{print v/1000}')" "$wr" "$cr" "$pairs"
  LAST_MEDIAN_US=$tm
}

template="$bin/templet1.htm"
cp_small="cp '$data'/small/*.txt '$out'/"
batch_small="'$batch' --output '$out' --name page --template-file '$template' --overwrite yes '$data'/small/*.txt"
cat_big="cat '$data/big.txt' >'$out/big.htm'"
batch_big="'$batch' --output '$out' --name big --template-file '$template' --overwrite yes '$data/big.txt'"
batch_mid="'$batch' --output '$out' --name mid --template-file '$template' --overwrite yes '$data/mid.txt'"

echo
echo "== tessiva-batch against the I/O floor =="
compare "2,000 files of 20 KB (vs cp)" "$cp_small" "$batch_small"
compare "one file of 200 MB (vs cat)" "$cat_big" "$batch_big"
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
rm -rf "$out" "$build/.bench-time"
