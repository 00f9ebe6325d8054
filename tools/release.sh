#!/usr/bin/env bash
# Builds the release archive from the committed tree:
#
#   tools/release.sh     writes dist/glimcfg-VERSION-win64.zip and dist/SHA256SUMS
#
# The committed tree is exported into a fresh folder and built there by the
# release workflow preset (for size; no build path or time stamp reaches the
# program); what it installs (glimcfg.exe, README.txt, LICENSE.txt) is zipped
# with every entry at the commit's time. Two runs on the same commit give the
# same bytes, wherever and whenever they run.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
commit_time=$(TZ=UTC date -d "@$(git log -1 --format=%ct)" '+%Y-%m-%d %H:%M:%S UTC')

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
src=$work/src
mkdir -p "$src"
git archive --format=tar HEAD | tar -x -C "$src"

(cd "$src" && CMAKE_BUILD_PARALLEL_LEVEL=$(nproc) cmake --workflow --preset release >/dev/null)
name=$(cat "$src/build/release/archive-name.txt")
stage=$work/stage
cmake --install "$src/build/release" --prefix "$stage" >/dev/null

mkdir -p dist
rm -f "dist/$name.zip"
# zip -X stores no extra fields: cmake -E tar would store each file's access
# and change times beside the modification time that --mtime sets, and
# those differ from run to run.
chmod 644 "$stage"/*
TZ=UTC touch -d "$commit_time" "$stage"/*
(cd "$stage" && TZ=UTC zip -q -X -9 "$root/dist/$name.zip" glimcfg.exe README.txt LICENSE.txt)
(cd dist && sha256sum "$name.zip" >SHA256SUMS)
echo "dist/$name.zip ($(stat -c %s "$stage/glimcfg.exe") bytes of program)"
cat dist/SHA256SUMS
