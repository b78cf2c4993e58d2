#!/usr/bin/env bash
# Sets up the machine if needed, builds the viewer and starts it under Wine on the user's display.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
if [ -z "${DISPLAY:-}" ]; then
  echo "DISPLAY is not set: the viewer needs a display to show its windows on." >&2
  exit 1
fi
. "$ROOT/scripts/wine_env.sh"
configure_and_build --target QVRDebugViewer
mkdir -p "$WINEPREFIX"
# The tests run Wine's windows unmanaged; on a desktop the window manager places them.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d Y /f >/dev/null 2>&1 || true
exec wine "$BUILD_DIR/QVRDebugViewer.exe"
