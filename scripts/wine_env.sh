# Sourced by the build, run and test scripts: one Wine setup for all of them.
# The machine is set up first and the script goes on in a new shell: a shell cannot switch to a
# locale made after it started, and the set-up may just have made the Russian one.
if [ -z "${QVR_SET_UP:-}" ]; then
  bash "$ROOT/scripts/setup.sh"
  QVR_SET_UP=1 exec bash "${BASH_SOURCE[1]}" "$@"
fi
# The server machines run Russian Windows: user locale Russian, ANSI code page 1251.
# Wine takes both from the C library locale, and LC_ALL wins over LANG.
export LC_ALL=ru_RU.CP1251
export WINEDEBUG="${WINEDEBUG:--all}"   # quiet unless asked for a channel
export WINEDLLOVERRIDES="mscoree,mshtml="   # no mono or gecko installer prompts
export WINEARCH=win32
BUILD_DIR="${BUILD_DIR:-$ROOT/build}"
export WINEPREFIX="${WINEPREFIX:-$BUILD_DIR/wineprefix}"

# Starts Xvfb on a free display, whatever display is set: the tests move the pointer, take the
# focus and raise windows, and a window manager or the pointer of a desktop would stand in their
# way. XVFB_PID tells whom to stop.
start_display() {
  local n=99
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
}

stop_display() {
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
}

configure_and_build() {
  cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$BUILD_DIR" -j "${BUILD_JOBS:-$(nproc)}" "$@"
}
