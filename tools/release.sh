#!/usr/bin/env bash
# Builds the release archive from the committed tree:
#
#   tools/release.sh     writes dist/glimcfg-VERSION-win64.zip and dist/SHA256SUMS
#
# The archive holds glimcfg.exe (built for size), README.txt and LICENSE.txt,
# both with CR LF line ends. Two runs on the same commit give the same bytes,
# wherever and whenever they run: the sources are exported from git into a
# fresh folder whose path does not reach the binary, the linker writes no
# time stamp, and every entry of the zip carries the commit's time.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

version=$(sed -n 's/^project(glimsel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "no version in CMakeLists.txt" >&2; exit 1; }
name=glimcfg-$version-win64
commit_time=$(git log -1 --format=%ct)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
src=$work/src
mkdir -p "$src"
git archive --format=tar HEAD | tar -x -C "$src"

# Sizes: -Os with every unused function and datum dropped, symbols stripped.
map="-ffile-prefix-map=$src=. -ffile-prefix-map=$work=."
cmake -S "$src" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=MinSizeRel -DBUILD_TESTING=OFF -DGLIM_BUILD_BENCHMARKS=OFF \
    -DCMAKE_C_FLAGS="-ffunction-sections -fdata-sections $map" \
    -DCMAKE_CXX_FLAGS="-ffunction-sections -fdata-sections $map" \
    -DCMAKE_EXE_LINKER_FLAGS="-s -Wl,--gc-sections -Wl,--no-insert-timestamp" >/dev/null
cmake --build "$work/build" --target glimcfg -j"$(nproc)" >/dev/null

stage=$work/$name
mkdir -p "$stage"
cp "$work/build/bin/glimcfg.exe" "$stage/glimcfg.exe"
sed "s/@VERSION@/$version/" tools/release/README.txt | sed 's/$/\r/' >"$stage/README.txt"
sed 's/$/\r/' LICENSE >"$stage/LICENSE.txt"
chmod 644 "$stage"/*
TZ=UTC touch -d "@$commit_time" "$stage"/*

mkdir -p dist
rm -f "dist/$name.zip"
(cd "$stage" && TZ=UTC zip -q -X -9 "$root/dist/$name.zip" glimcfg.exe README.txt LICENSE.txt)
(cd dist && sha256sum "$name.zip" >SHA256SUMS)
echo "dist/$name.zip ($(stat -c %s "$stage/glimcfg.exe") bytes of program)"
cat dist/SHA256SUMS
