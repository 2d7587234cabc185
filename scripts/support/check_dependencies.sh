#!/usr/bin/env bash
# The program's folders depend one way: no folder includes, directly or
# through others, a folder that includes it. A folder is a top-level one
# (app, ui, logic, runtime, ...) or one windowing layer (layers/qt, ...).
# Prints the order the folders build on each other, or the cycle and the
# includes that make it, and fails.
set -euo pipefail
cd "$(dirname "$0")/../.."

unit() {
    case "$1" in
        layers/*/*) echo "$1" | cut -d/ -f1-2 ;;
        */*) echo "${1%%/*}" ;;
    esac
}

edges=$(git ls-files '*.cpp' '*.hpp' | grep -vE '^(tests|build)/' | while read -r file; do
    from=$(unit "$file")
    [ -n "$from" ] || continue
    sed -nE 's/^#include "([^"]+)".*/\1/p' "$file" | while read -r included; do
        to=$(unit "$included")
        if [ -n "$to" ] && [ "$to" != "$from" ] && [ -e "$included" ]; then echo "$from $to $file"; fi
    done
done | sort -u)

if ! order=$(cut -d' ' -f1-2 <<<"$edges" | sort -u | tsort 2>/dev/null); then
    echo "The folders include each other in a cycle:" >&2
    cut -d' ' -f1-2 <<<"$edges" | sort -u | tsort 2>&1 >/dev/null | sed 's/^/    /' >&2
    echo "The includes between folders:" >&2
    awk '{ print "    " $1 " -> " $2 "  (" $3 ")" }' <<<"$edges" >&2
    exit 1
fi
echo "The folders depend one way; each builds only on folders before it: $(tac <<<"$order" | paste -sd, - | sed "s/,/, /g")"
