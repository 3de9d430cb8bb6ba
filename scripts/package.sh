#!/usr/bin/env bash
# The Windows release: build/dist/Rokuban-<version>-win64.zip, one folder
# holding Rokuban.exe, rokuban-cli.exe and a Japanese read-me. The program
# keeps its settings and cache beside the exe, so the release is a folder to
# unpack anywhere the user can write. Built from a size-optimised cross
# build of its own (build/release-win64, no tests). Prints the zip's path.
# Usage: scripts/package.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release-win64}
dist=build/dist

# The version the program itself shows, v0.4.0.4 -> 0.4.0.4.
version=$(sed -n 's/^inline constexpr char kVersionLabel\[\] = "v\{0,1\}\([^"]*\)";$/\1/p' config/version.h)
[ -n "$version" ] || { echo "package: no version in config/version.h" >&2; exit 1; }

# The toolchain file is read only when the build is first configured.
toolchain=()
[ -f "$build/CMakeCache.txt" ] || toolchain=(-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake)
# Unused functions and data are dropped at link time, symbols stripped.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel -DROKUBAN_TESTS=OFF "${toolchain[@]}" \
  -DCMAKE_CXX_FLAGS="-ffunction-sections -fdata-sections" \
  -DCMAKE_EXE_LINKER_FLAGS="-Wl,--gc-sections -s" >/dev/null
cmake --build "$build" -j"${JOBS:-2}" --target Rokuban rokuban-cli >"$build.log" 2>&1 ||
  { tail -40 "$build.log" >&2; exit 1; }

name=Rokuban-$version-win64
stage=$(mktemp -d "${TMPDIR:-/tmp}/rokuban-package.XXXXXX")
trap 'rm -rf "$stage"' EXIT
mkdir "$stage/$name"
for exe in "$build/app/Rokuban.exe" "$build/cli/rokuban-cli.exe"; do
  x86_64-w64-mingw32-strip -o "$stage/$name/$(basename "$exe")" "$exe"
done
# Notepad on every Windows reads UTF-8 with a byte-order mark; CR LF ends
# each line.
{ printf '\xef\xbb\xbf'; sed 's/$/\r/' packaging/windows/readme-ja.txt |
    sed "s/@VERSION@/$version/g"; } >"$stage/$name/readme.txt"

mkdir -p "$dist"
zip_file=$(pwd)/$dist/$name.zip
rm -f "$zip_file"
(cd "$stage" && zip -q -r -9 -X "$zip_file" "$name")
# The sizes as they are, for whoever asks (the README does not keep them).
echo "$dist/$name.zip: $(stat -c %s "$zip_file") bytes (Rokuban.exe $(stat -c %s "$stage/$name/Rokuban.exe"), rokuban-cli.exe $(stat -c %s "$stage/$name/rokuban-cli.exe"))" >&2
echo "$dist/$name.zip"
