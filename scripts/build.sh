#!/usr/bin/env bash
# Sets up the machine if needed and builds the viewer and its tests.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
. "$ROOT/scripts/wine_env.sh"
configure_and_build
