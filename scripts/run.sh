#!/usr/bin/env bash
# make run: converts the bundled sample texts into web pages with tessiva-batch,
# once with each of the three templates, and says where to look.
#   scripts/run.sh BUILD_DIR     (BUILD_DIR holds native/, the native build tree)
set -euo pipefail

build="${1:-build}"
root="$(cd "$(dirname "$0")/.." && pwd)"
batch="$build/native/bin/tessiva-batch"
site="$build/site"

if [ ! -x "$batch" ]; then
  echo "run.sh: $batch is missing; build the native tree first (make native)" >&2
  exit 1
fi

# The index is only ever appended to, so a fresh site starts from an empty folder.
rm -rf "$site"
mkdir -p "$site/sidebar" "$site/print"

samples=("$root"/samples/*.txt)
common=(--name page --start 1 --index --overwrite yes
        --keywords "tessiva, samples, text to html"
        --description "A sample page made by tessiva from a plain text file."
        --home-title "All pages" --home-url index.htm)

"$batch" --output "$site" --template templet1.htm "${common[@]}" "${samples[@]}"
"$batch" --output "$site/sidebar" --template templet2.htm "${common[@]}" "${samples[@]}"
"$batch" --output "$site/print" --template templet3.htm "${common[@]}" "${samples[@]}"

site_abs="$(cd "$site" && pwd)"
cat <<MSG

The sample texts are now web pages. Open them in a browser:
  file://$site_abs/index.htm           (article template, templet1.htm)
  file://$site_abs/sidebar/index.htm   (side bar template, templet2.htm)
  file://$site_abs/print/index.htm     (print-friendly template, templet3.htm)
MSG
