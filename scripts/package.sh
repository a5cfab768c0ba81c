#!/usr/bin/env bash
# Builds the Debian package and checks it in a scratch folder: its control data (dpkg-deb --info,
# with the library dependencies dpkg-shlibdeps found), its contents, the desktop entry and the
# AppStream metainfo through their validators (no error or warning), and the program starting from
# the unpacked tree, as its desktop entry's Exec line names it, on a private Xvfb display and bus.
# Leaves the package in the build folder.
#
# Usage: scripts/package.sh              (build folder: build/, or $MOORLET_BUILD_DIR)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${MOORLET_BUILD_DIR:-$top/build}")

if [[ -z "${MOORLET_PACKAGE_INSIDE:-}" ]]; then
  bash "$top/scripts/install-deps.sh"
  [[ -f "$build/CMakeCache.txt" ]] || cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
  cmake --build "$build" --parallel "$(nproc 2>/dev/null || echo 2)"
  (cd "$build" && cpack -G DEB)
  export MOORLET_PACKAGE_INSIDE=1
  exec "$top/tests/support/with-xvfb.sh" "$top/tests/support/with-dbus.sh" "$0"
fi

package=$(ls -t "$build"/moorlet_*.deb | head -n 1)
scratch=$(mktemp -d /tmp/moorlet-package.XXXXXX)
trap 'kill "${pid:-}" 2>/dev/null || true; rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

echo "== $(basename "$package")"
dpkg-deb --info "$package" | tee "$scratch/info"
depends=$(dpkg-deb --field "$package" Depends)
for library in libqt6core6 libqt6dbus6 libqt6widgets6 libsdl2; do
  [[ $depends == *"$library"* ]] || fail "Depends lacks $library: $depends"
done

echo "== contents"
dpkg-deb --contents "$package" | awk '{ print $6 }' | sed 's|^\./|/|' | grep -v '/$' | sort | tee "$scratch/contents"
dpkg-deb -x "$package" "$scratch/root"
# The application id names the desktop entry, the metainfo and the icons alike.
id=$(basename "$(grep -m 1 '^/usr/share/applications/.*\.desktop$' "$scratch/contents")" .desktop)
expected=(/usr/bin/moorlet /usr/libexec/moorlet/moorlet-app "/usr/share/applications/$id.desktop"
  "/usr/share/metainfo/$id.metainfo.xml" "/usr/share/icons/hicolor/scalable/apps/$id.svg")
for size in 16 24 32 48 64 128 256 512; do
  expected+=("/usr/share/icons/hicolor/${size}x${size}/apps/$id.png")
done
for path in "${expected[@]}"; do
  grep -qx "$path" "$scratch/contents" || fail "the package lacks $path"
done

echo "== validators"
entry=$scratch/root/usr/share/applications/$id.desktop
# Both print nothing for a clean file; any hint, warning or error counts.
report=$(desktop-file-validate "$entry" 2>&1) || true
[[ -z $report ]] || fail "desktop-file-validate: $report"
report=$(appstreamcli validate --no-net --no-color "$scratch/root/usr/share/metainfo/$id.metainfo.xml" 2>&1) \
  || fail "appstreamcli validate: $report"
grep -E '^[EW]:' <<<"$report" && fail "appstreamcli reports errors or warnings"
echo "desktop-file-validate and appstreamcli validate: clean"

echo "== start from the unpacked tree"
source "$top/tests/support/private-home.sh"
private_home "$scratch"
exec_line=$(sed -n '/^\[Desktop Entry\]/,/^\[/ s/^Exec=//p' "$entry")
PATH=$scratch/root/usr/bin:$PATH $exec_line &
pid=$!
answered=$(await_status "$scratch/root/usr/bin/moorlet") || true
[[ $answered == *'"phase":"idle"'* ]] || fail "the unpacked program never answered --status"
echo "Exec=$exec_line started and answered: $answered"

if ((failures > 0)); then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "package check passed: $package"
