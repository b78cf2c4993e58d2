#!/usr/bin/env bash
# Sets up the machine if needed, builds everything and runs one program of the build under Wine,
# set up as the viewer runs (Russian code page, the build's Wine prefix). For example:
#   bash scripts/wine.sh build/samples/make_sample.exe build/demo500.dbg 500
# Programs with windows need the display named by DISPLAY.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
. "$ROOT/scripts/wine_env.sh"
configure_and_build
mkdir -p "$WINEPREFIX"
# The tests run Wine's windows unmanaged; on a desktop the window manager places them.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d Y /f >/dev/null 2>&1 || true
cd "$ROOT"
exec wine "$@"
