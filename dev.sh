#!/usr/bin/env bash
# Tarsio's developer commands: ./dev.sh play | test | bench
# Each installs the Debian packages that are missing, builds, then plays, tests or measures; test also
# runs the sanitizer build of the tests and the fuzz targets (tools/check-hardening.sh).
set -euo pipefail
cd "$(dirname "$0")"

packages=(build-essential cmake qt6-base-dev qt6-image-formats-plugins libgtest-dev libgmock-dev libbenchmark-dev
          fonts-dejavu-core xvfb xdotool imagemagick openbox clang libclang-rt-14-dev)

install_missing() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}

build() {
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build -j"$(nproc)"
}

case "${1:-}" in
  play)
    install_missing
    build
    exec build/tarsio
    ;;
  test)
    install_missing
    build
    (cd build && ctest --output-on-failure -j2)
    tools/check-hardening.sh
    ;;
  bench)
    install_missing
    build
    exec build/bench/tarsio_bench
    ;;
  *)
    echo "usage: $0 play | test | bench" >&2
    exit 2
    ;;
esac
