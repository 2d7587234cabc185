#!/usr/bin/env bash
# Usage: on_virtual_display.sh COMMAND [ARG...]
# Runs COMMAND on a virtual X display of its own (scripts/support/xvfb.sh),
# which ends with it; exits with COMMAND's status.
set -euo pipefail
source "$(dirname "$0")/../scripts/support/xvfb.sh"
trap stop_xvfb EXIT
start_xvfb
"$@"
