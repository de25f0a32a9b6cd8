#!/usr/bin/env bash
# The templates in a browser: a site from tessiva-batch (pages in a sub-folder, names that need
# encoding, a negative start) followed link by link in headless Chromium: "next" to the last page,
# "previous" back, then "contents", titled with the home title. Skipped (77) without Chromium.
#   follow-links.sh TESSIVA_BATCH [SHOTS_DIR]   (SHOTS_DIR: a page and the index at 390 and 1280 pixels)
set -euo pipefail
browser=$(command -v chromium || command -v chromium-browser) || { echo "no Chromium: skipped"; exit 77; }
work=$(mktemp -d) here=$(cd "$(dirname "$0")" && pwd) status=0
trap 'rm -rf "$work"' EXIT
chrome() { "$browser" --headless --no-sandbox --disable-gpu --hide-scrollbars --no-first-run --disable-quic \
  --disable-background-networking --disable-component-update --disable-sync --disable-default-apps --user-data-dir="$work/profile" "$@" 2>/dev/null; }
for n in 1 2 3; do printf 'Chapter %s\r\nThe text of chapter %s,  in two lines.\r\nThe end.\r\n' $n $n >"$work/c$n.txt"; done
for t in templet1 templet2 templet3; do
  mkdir -p "$work/$t/part one" && "$1" --output "$work/$t" --name "part one/page #" --start -1 --index --template "$t.htm" \
    --home-title "My story" --home-url ../index.htm "$work"/c{1,2,3}.txt 2>/dev/null
  seen=$(chrome --allow-file-access-from-files --virtual-time-budget=20000 --dump-dom \
    "file://$here/follow-links.htm?file://$work/$t/part%2520one/page%2520%2523-1.htm" | sed -n 's/.*data-seen="\([^"]*\)".*/\1/p')
  echo "$t: $seen" && [ "$seen" = "next:Chapter 1|next:Chapter 2|next:Chapter 3|prev:Chapter 2|prev:Chapter 1|contents:My story" ] || status=1
  for size in ${2:+390,844 1280,800}; do
    chrome --window-size=$size --screenshot="$2/$t-page-${size%%,*}.png" "file://$work/$t/part%20one/page%20%230.htm"
    chrome --window-size=$size --screenshot="$2/$t-index-${size%%,*}.png" "file://$work/$t/index.htm"
  done
done
exit $status
