#!/usr/bin/env bash
# Builds both builds: build/native (g++) and build/windows (mingw-w64).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${JOBS:-2}
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/native -j"$jobs"
# The toolchain file is read only when the build is first configured; given
# again, CMake warns that it went unused.
toolchain=()
[ -f build/windows/CMakeCache.txt ] || toolchain=(-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake)
cmake -S . -B build/windows -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${toolchain[@]}" >/dev/null
cmake --build build/windows -j"$jobs"
