#!/usr/bin/env bash
# Checks Tarsio as the desktop and Debian see it: builds the Debian package from the ordinary build
# (build/, whatever prefix it was configured with), then checks that everything it installs lies under
# /usr, and validates its menu entry (desktop-file-validate), its software-centre metadata (appstreamcli)
# and the package itself (lintian). Fails on any error the validators report.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "== Debian package of $build/"
cmake --build "$build" -j"$(nproc)" --target tarsio compressed_documents
rm -f "$build"/tarsio_*.deb
(cd "$build" && cpack -G DEB >"$work/cpack.log") || { cat "$work/cpack.log"; exit 1; }
debs=("$build"/tarsio_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "no single package in $build/" >&2; exit 1; }
deb=${debs[0]}
echo "$deb"

dpkg-deb -c "$deb" | awk '{print $6}' >"$work/files"
if grep -v -e '^\./$' -e '^\./usr/' "$work/files"; then
  echo "the package installs the files above outside /usr" >&2
  exit 1
fi
for needed in ./usr/games/tarsio ./usr/share/tarsio/TarsioAiutoV4.txt; do
  grep -qx "$needed" "$work/files" || { echo "the package lacks $needed" >&2; exit 1; }
done

dpkg-deb -x "$deb" "$work/root"
echo "== desktop-file-validate"
desktop-file-validate "$work"/root/usr/share/applications/*.desktop
echo "== appstreamcli validate"
appstreamcli validate --no-net "$work"/root/usr/share/metainfo/*.metainfo.xml
echo "== lintian"
status=0
lintian --fail-on error "$deb" >"$work/lintian.log" 2>&1 || status=$?
cat "$work/lintian.log"
exit "$status"
