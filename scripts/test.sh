#!/usr/bin/env bash
# Sets up the machine if needed, builds everything and runs every test module under Wine.
#   --cpu N   holds the tests' processes (the display, Wine and the tests) to N percent of one
#             processor, as on a busy machine; the build still runs at full speed.
# Other arguments go to ctest, for example -R '^vcl$' for one module.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
. "$ROOT/scripts/wine_env.sh"
. "$ROOT/scripts/cpu_share.sh"

share=""
args=()
while [ $# -gt 0 ]; do
  case "$1" in
    --cpu) share="${2:?--cpu takes a percentage of one processor}"; shift 2 ;;
    --cpu=*) share="${1#--cpu=}"; shift ;;
    *) args+=("$1"); shift ;;
  esac
done

configure_and_build

[ -n "$share" ] && hold_to_cpu_share "$share"
start_display
# A Wine prefix of the tests' own as well: its server is stopped at the end, and a viewer the
# person runs meanwhile shares no windows, focus or settings with the tests.
export WINEPREFIX="$BUILD_DIR/wineprefix-tests"
cleanup() { wineserver -k 2>/dev/null || true; stop_display; release_cpu_share; }
trap cleanup EXIT
# One persistent wineserver for the whole run, so each test module starts fast.
mkdir -p "$WINEPREFIX"
wineserver -p
wineboot -i >/dev/null 2>&1 || true   # fills a new prefix once, before the tests
# Xvfb has no window manager: unmanaged windows spare Wine its wait for one on every hide.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true

cd "$BUILD_DIR"
# GUI tests share one display and one wineserver: focus and capture are global, so run them one at a time.
ctest --output-on-failure --timeout 600 "${args[@]}"
