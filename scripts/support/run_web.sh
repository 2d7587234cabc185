#!/usr/bin/env bash
# scripts/run.sh --web: builds the browser version (the site in
# build/web/site), serves it on 127.0.0.1 and prints the address; Ctrl+C
# stops the server. Without a display it opens the page in headless Chromium
# instead, saves a screenshot, prints where, and stops the server.
set -euo pipefail
cd "$(dirname "$0")/../.."

scripts/setup.sh web
cmake --preset web >/dev/null
cmake --build --preset web --target temperament_site
site=$PWD/build/web/site

address_file=$(mktemp)
node scripts/support/serve.mjs "$site" "${PORT:-0}" >"$address_file" &
server=$!
trap 'kill "$server" 2>/dev/null || true; rm -f "$address_file"' EXIT
for _ in $(seq 50); do
    [ -s "$address_file" ] && break
    sleep 0.1
done
address=$(head -n 1 "$address_file")
[ -n "$address" ] || { echo "The local server did not start." >&2; exit 1; }

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "The explorer is served at $address (open it in a web browser; Ctrl+C stops the server)."
    wait "$server"
    exit
fi

screenshot=$PWD/build/web/screenshot.png
echo "No display: opening $address in headless Chromium."
sandbox=()
[ "$(id -u)" -ne 0 ] || sandbox=(--no-sandbox)  # Chromium's sandbox refuses root
log=$(mktemp)
if ! chromium --headless=new "${sandbox[@]}" --disable-gpu --window-size=560,460 \
    --virtual-time-budget=5000 --screenshot="$screenshot" "$address" >"$log" 2>&1 || ! [ -s "$screenshot" ]; then
    cat "$log" >&2
    rm -f "$log"
    echo "Chromium could not take a screenshot of the page." >&2
    exit 1
fi
rm -f "$log"
echo "Screenshot of the page saved to $screenshot"
