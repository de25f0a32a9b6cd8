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
# sides alike; the ratio of each pair is what counts.
now() { local t=$EPOCHREALTIME; echo "${t/[.,]/}"; }   # microseconds
fresh() { rm -rf "$out"; mkdir -p "$out"; sync; }
time_one() {  # prints the microseconds one run of "$@" takes, after a fresh folder
  fresh
  local t0 t1
  t0=$(now); "$@" >/dev/null 2>&1; t1=$(now)
  echo $((t1 - t0))
}
median() { sort -n | awk '{v[NR]=$1} END {print (NR%2) ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2}'; }

compare() {  # compare LABEL FLOOR_CMD -- TESSIVA_CMD
  local label=$1; shift
  local floor=() ours=()
  while [ "$1" != "--" ]; do floor+=("$1"); shift; done; shift
  ours=("$@")
  local f t ratios="" fs="" ts=""
  # One warm-up each: page cache and binaries.
  time_one "${floor[@]}" >/dev/null; time_one "${ours[@]}" >/dev/null
  for i in $(seq 1 "$pairs"); do
    if [ $((i % 2)) -eq 1 ]; then
      f=$(time_one "${floor[@]}"); t=$(time_one "${ours[@]}")
    else
      t=$(time_one "${ours[@]}"); f=$(time_one "${floor[@]}")
    fi
    fs+="$f"$'\n'; ts+="$t"$'\n'
    ratios+=$(awk -v a="$t" -v b="$f" 'BEGIN {printf "%.3f", a / b}')$'\n'
  done
  local fm tm rm
  fm=$(printf '%s' "$fs" | median); tm=$(printf '%s' "$ts" | median); rm=$(printf '%s' "$ratios" | median)
  printf '%-34s floor %8.1f ms   tessiva-batch %8.1f ms   ratio %.2fx (median of %d alternating pairs)\n' \
    "$label" "$(awk -v v="$fm" 'BEGIN{print v/1000}')" "$(awk -v v="$tm" 'BEGIN{print v/1000}')" "$rm" "$pairs"
  LAST_MEDIAN_US=$tm
}

template="$bin/templet1.htm"
cp_small() { cp "$data"/small/*.txt "$out"/; }
batch_small() { "$batch" --output "$out" --name page --template-file "$template" --overwrite yes "$data"/small/*.txt; }
cat_big() { cat "$data/big.txt" >"$out/big.htm"; }
batch_big() { "$batch" --output "$out" --name big --template-file "$template" --overwrite yes "$data/big.txt"; }
batch_mid() { "$batch" --output "$out" --name mid --template-file "$template" --overwrite yes "$data/mid.txt"; }

echo
echo "== tessiva-batch against the I/O floor =="
compare "2,000 files of 20 KB (vs cp)" cp_small -- batch_small
compare "one file of 200 MB (vs cat)" cat_big -- batch_big
big_us=$LAST_MEDIAN_US

echo
echo "== Growth: 20 MB against 200 MB =="
mids=""
for i in $(seq 1 "$pairs"); do mids+="$(time_one batch_mid)"$'\n'; done
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
