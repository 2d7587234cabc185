#!/usr/bin/env bash
# The browser version's figures: the bytes a browser downloads on a first
# visit (the site's index.html, .js and .wasm, raw and gzip-compressed; the
# manifest's icons and the service worker come after the page is shown), and
# those of the fallback beside them; the time from navigation to the first
# paint of the window in Chromium, Firefox and WebKitGTK, and to the first
# answered click in Chromium and, with the fallback, Chromium 92; and
# Lighthouse's mobile performance and Total Blocking Time; each against a
# hand-written static page of the same first screen or the WebAssembly build
# (benchmarks/web/page_figures.js). Run by scripts/benchmark.sh; runs alone too.
# Usage: scripts/support/web_figures.sh [--tsv] [runs]   (default 21)
#   --tsv  only "label<TAB>program<TAB>baseline" lines
set -euo pipefail
cd "$(dirname "$0")/../.."
tsv=false
if [ "${1:-}" = --tsv ]; then
    tsv=true
    shift
fi
runs=${1:-21}

scripts/setup.sh web >&2
cmake --preset web >/dev/null
cmake --build --preset web --target temperament_site >/dev/null
(cd tests/web && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund --silent) >&2
site=build/web/site

figures=$(mktemp)
trap 'rm -f "$figures"' EXIT
raw=0
compressed=0
for file in index.html temperament.js temperament.wasm; do
    size=$(stat -c %s "$site/$file")
    packed=$(gzip -9c "$site/$file" | wc -c)
    raw=$((raw + size))
    compressed=$((compressed + packed))
    if [ "$file" = temperament.wasm ]; then wasm=$packed; fi
done
printf 'Web: bytes downloaded, raw (bytes)\t%s\t\n' "$raw" >>"$figures"
printf 'Web: bytes downloaded, gzip -9 (bytes)\t%s\t\n' "$compressed" >>"$figures"
printf 'Web: of which WebAssembly, gzip -9 (bytes)\t%s\t\n' "$wasm" >>"$figures"
fallback=$(($(gzip -9c "$site/index.html" | wc -c) + $(gzip -9c "$site/temperament-fallback.js" | wc -c)))
printf 'Web: the fallback downloaded instead, gzip -9 (bytes)\t%s\t%s\n' "$fallback" "$compressed" >>"$figures"
kept=0
for file in "$site"/*; do
    case "$file" in *-fallback.js) ;; *) kept=$((kept + $(gzip -9c "$file" | wc -c))) ;; esac
done
printf 'Web: the whole site, kept for offline use, gzip -9 (bytes)\t%s\t\n' "$kept" >>"$figures"
# WebKitGTK draws on a display; Chromium 92 is unpacked into the build.
TEMPERAMENT_WEB_BUILD=$PWD/build/web benchmarks/on_virtual_display.sh \
    node benchmarks/web/page_figures.js "$site" "$runs" >>"$figures"

if $tsv; then
    cat "$figures"
    exit
fi
echo "| measure | Temperament | static page | ratio |"
echo "|---|---:|---:|---:|"
while IFS=$'\t' read -r label program baseline; do
    ratio=""
    if [ -n "$baseline" ] && [ "$baseline" != 0 ]; then ratio=$(awk -v p="$program" -v b="$baseline" 'BEGIN { printf "%.2f", p / b }'); fi
    echo "| $label | $program | $baseline | $ratio |"
done <"$figures"
