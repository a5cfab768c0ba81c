#!/usr/bin/env bash
# Publishes the build folder's Moorlet as an update: builds it, packs the relocatable archive with
# CPack, and signs the feed for it, laid out in OUT as the update server serves it:
#   OUT/api/appcast                      the feed (fetched from <origin>/api/appcast)
#   OUT/downloads/moorlet-<version>-linux-<machine>.tar.gz
# The build folder must be configured with MOORLET_UPDATE_ORIGIN and MOORLET_UPDATE_PUBLIC_KEY;
# the feed is checked against that public key before it replaces the old one, so a secret key
# that does not match the one the program was built with never reaches the server.
#
# Usage: tools/release/publish.sh [--notes TEXT] BUILD_DIR OUT_DIR BASE_URL SECRET_KEY_FILE
#   BASE_URL is where OUT will be served, e.g. https://updates.example.org
set -euo pipefail
fail() { echo "publish: $*" >&2; exit 1; }
usage() { echo "usage: $0 [--notes TEXT] BUILD_DIR OUT_DIR BASE_URL SECRET_KEY_FILE" >&2; exit 2; }

notes=()
if [[ ${1:-} == --notes ]]; then
  (($# >= 2)) || usage
  notes=(--notes "$2")
  shift 2
fi
(($# == 4)) || usage
[[ -f $1/CMakeCache.txt ]] || fail "'$1' is not a configured build folder"
build=$(realpath "$1")
out=$2
base=${3%/}
[[ -f $4 ]] || fail "the secret key file '$4' does not exist (make one with update-feed keygen)"
secret=$(realpath "$4")

cached() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }
public_key=$(cached MOORLET_UPDATE_PUBLIC_KEY)
origin=$(cached MOORLET_UPDATE_ORIGIN)
[[ -n $public_key ]] || fail "the build folder has no MOORLET_UPDATE_PUBLIC_KEY: configure it with the public key keygen printed"
[[ -n $origin ]] || fail "the build folder has no MOORLET_UPDATE_ORIGIN: configure it with the https origin that serves the feed"

echo "== build $build"
cmake --build "$build" --parallel "$(nproc 2>/dev/null || echo 2)"
tool=$build/tools/UpdateFeed/update-feed
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
[[ -n $version ]] || fail "cannot read the version from $build/CPackConfig.cmake"

echo "== pack version $version"
staging=$(mktemp -d "${TMPDIR:-/tmp}/moorlet-publish.XXXXXX")
trap 'rm -rf "$staging"' EXIT
cpack --config "$build/CPackConfig.cmake" -G TGZ -B "$staging" >"$staging/cpack.log" \
  || { cat "$staging/cpack.log" >&2; fail "cpack failed"; }
archives=("$staging"/*.tar.gz)
((${#archives[@]} == 1)) && [[ -f ${archives[0]} ]] || fail "cpack made no single .tar.gz in $staging"
name=$(basename "${archives[0]}")

echo "== sign, check and lay out $out"
"$tool" sign --secret-key "$secret" --version "$version" --url "$base/downloads/$name" --archive "${archives[0]}" \
  --pub-date "$(date -u +%Y-%m-%dT%H:%M:%SZ)" "${notes[@]}" --out "$staging/appcast" >/dev/null
"$tool" verify --public-key "$public_key" "$staging/appcast" --archive "${archives[0]}" >/dev/null \
  || fail "the feed does not verify with the build's MOORLET_UPDATE_PUBLIC_KEY: is '$4' its secret key?"
# Whatever serves OUT meanwhile sees the old files or complete new ones, the archive before its feed.
mkdir -p "$out/api" "$out/downloads"
cp "${archives[0]}" "$out/downloads/.$name.new"
mv -f "$out/downloads/.$name.new" "$out/downloads/$name"
cp "$staging/appcast" "$out/api/.appcast.new"
mv -f "$out/api/.appcast.new" "$out/api/appcast"
echo "published $version: $out/api/appcast offers $base/downloads/$name"
echo "Moorlet reads the feed from $origin/api/appcast (or \$ML_UPDATE_SERVER/api/appcast)"
