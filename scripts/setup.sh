#!/usr/bin/env bash
# Installs what building and testing need on a fresh Debian machine (run as root).
# Does nothing slow when everything is already present.
set -euo pipefail

need=()
command -v cmake >/dev/null || need+=(cmake)
command -v i686-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-i686-posix mingw-w64-i686-dev binutils-mingw-w64-i686)
command -v wine >/dev/null || need+=(wine)
dpkg -s wine32:i386 >/dev/null 2>&1 || need+=(wine32:i386)
command -v Xvfb >/dev/null || need+=(xvfb)
dpkg -s fonts-wine >/dev/null 2>&1 || need+=(fonts-wine)   # the window frame glyphs
[ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
[ -f /usr/include/xxhash.h ] || need+=(libxxhash-dev)   # the text hash, used from its header
command -v xauth >/dev/null || need+=(xauth)
locale -a 2>/dev/null | grep -qi '^ru_RU\.cp1251$' || need+=(locales)

if [ ${#need[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  # A mirror in the middle of a sync can fail one list. When that is the security suite's list of
  # one architecture only, the two architectures' versions of a library no longer match and
  # nothing 32-bit installs: the install is tried again from the main suites alone.
  if ! apt-get update -qq; then
    echo "setup: some package lists could not be read; trying with the rest" >&2
  fi
  if ! apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null; then
    without_security="$(mktemp)"
    printf 'Package: *\nPin: release l=Debian-Security\nPin-Priority: -1\n' >"$without_security"
    apt-get install -y -qq --no-install-recommends -o Dir::Etc::preferences="$without_security" \
      "${need[@]}" >/dev/null
    rm -f "$without_security"
  fi
fi

# Wine's ANSI code page follows the C library locale; the server machines run Russian Windows.
if ! locale -a 2>/dev/null | grep -qi '^ru_RU\.cp1251$'; then
  localedef -c -i ru_RU -f CP1251 ru_RU.CP1251 || true
fi
