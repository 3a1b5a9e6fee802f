#!/usr/bin/env bash
# Tarsio's developer commands: ./dev.sh play [FILE] | test | bench
# Each installs the Debian packages that are missing, builds, then plays, tests or measures. play and
# bench install and build only what they need; test adds the test tools, checks the desktop files and
# the Debian package (tools/check-package.sh), and runs the sanitizer build of the tests and the fuzz
# targets (tools/check-hardening.sh).
set -euo pipefail
cd "$(dirname "$0")"

# Building and playing: the compiler, Qt, Qt's sound effects, Qt's readers of WebP and TIFF pictures,
# Qt's own translations (its dialogs in Italian) and a font.
play_packages=(build-essential cmake qt6-base-dev qt6-multimedia-dev qt6-image-formats-plugins
               qt6-translations-l10n fonts-dejavu-core)
# Testing: GoogleTest, the desktop driven by the end-to-end test, clang for the fuzz targets, and the
# validators of the desktop files and the package.
test_packages=(libgtest-dev libgmock-dev xvfb xdotool imagemagick openbox clang libclang-rt-14-dev
               desktop-file-utils appstream lintian dpkg-dev file)

# Installs those of the named packages that are missing.
install_missing() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}

# Configures build/ and builds the named targets (all of them when none is named).
build() {
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  local targets=()
  for t in "$@"; do targets+=(--target "$t"); done
  cmake --build build -j"$(nproc)" "${targets[@]}"
}

case "${1:-}" in
  play)
    install_missing "${play_packages[@]}"
    build tarsio
    exec build/tarsio "${@:2}"
    ;;
  test)
    install_missing "${play_packages[@]}" "${test_packages[@]}"
    build
    (cd build && ctest --output-on-failure -j2)
    tools/check-package.sh
    tools/check-hardening.sh
    ;;
  bench)
    install_missing "${play_packages[@]}"
    build tarsio_bench
    exec build/bench/tarsio_bench
    ;;
  *)
    echo "usage: $0 play [FILE] | test | bench" >&2
    exit 2
    ;;
esac
