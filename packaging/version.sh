#!/usr/bin/env bash
# Prints the product version (for example 1.0.0.1), read from the version record
# in res/tessiva.rc, so that the packages carry the number the program itself
# reports in its file properties. That record is the one place to change it.
set -euo pipefail

rc="$(cd "$(dirname "$0")/.." && pwd)/res/tessiva.rc"
version="$(sed -n 's/^[[:space:]]*PRODUCTVERSION[[:space:]]*\([0-9]\+\)[[:space:]]*,[[:space:]]*\([0-9]\+\)[[:space:]]*,[[:space:]]*\([0-9]\+\)[[:space:]]*,[[:space:]]*\([0-9]\+\).*/\1.\2.\3.\4/p' "$rc")"

if ! [[ "$version" =~ ^[0-9]+\.[0-9]+\.[0-9]+\.[0-9]+$ ]]; then
  echo "version.sh: no PRODUCTVERSION a,b,c,d line in $rc" >&2
  exit 1
fi
echo "$version"
