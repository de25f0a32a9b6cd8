#!/usr/bin/env bash
# The three templates in a browser: a site made by tessiva-batch (pages in a
# sub-folder, names that need encoding, a negative start) is followed link by
# link in headless Chromium: "next" to the last page, "previous" back, then
# "contents", whose title is the home title.
#   follow-links.sh TESSIVA_BATCH [SHOTS_DIR]   SHOTS_DIR: also picture a page and
#   the index of each template at a phone's width and a desktop's.
# Without Chromium the test is skipped (77).
set -euo pipefail
batch=$1 shots=${2:-}
browser=$(command -v chromium || command -v chromium-browser || true)
[ -n "$browser" ] || { echo "no Chromium: skipped"; exit 77; }
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chrome() { "$browser" --headless --no-sandbox --disable-gpu --hide-scrollbars --user-data-dir="$work/profile" "$@" 2>/dev/null; }
for n in 1 2 3; do printf 'Chapter %s\r\nThe text of chapter %s,  in two lines.\r\nThe end.\r\n' $n $n >"$work/c$n.txt"; done
expected="next:Chapter 1|next:Chapter 2|next:Chapter 3|prev:Chapter 2|prev:Chapter 1|contents:My story"
status=0
for t in templet1 templet2 templet3; do
  mkdir -p "$work/$t/part one"
  "$batch" --output "$work/$t" --name "part one/page #" --start -1 --index --template "$t.htm" \
    --home-title "My story" --home-url ../index.htm "$work"/c{1,2,3}.txt 2>/dev/null
  first=$(python3 -c 'import sys, urllib.parse as u; print(u.quote(u.quote("file://" + sys.argv[1] + "/part one/page #-1.htm", "/:"), ""))' "$work/$t")
  seen=$(chrome --allow-file-access-from-files --virtual-time-budget=20000 --dump-dom \
           "file://$here/follow-links.htm?$first" | sed -n 's/.*data-seen="\([^"]*\)".*/\1/p')
  if [ "$seen" = "$expected" ]; then echo "ok - $t: $seen"; else echo "not ok - $t: got \"$seen\""; status=1; fi
  if [ -n "$shots" ]; then
    mkdir -p "$shots"
    for size in 390,844 1280,800; do
      chrome --window-size=$size --screenshot="$shots/$t-page-${size%%,*}.png" "file://$work/$t/part%20one/page%20%230.htm"
      chrome --window-size=$size --screenshot="$shots/$t-index-${size%%,*}.png" "file://$work/$t/index.htm"
    done
  fi
done
exit $status
