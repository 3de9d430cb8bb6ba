#!/usr/bin/env bash
# Builds every fuzz target with clang, libFuzzer and sanitizers, and runs each
# for the given number of seconds (default 60) from its seed corpus.
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DROKUBAN_FUZZ=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || exit 1
cmake --build build/fuzz -j2 >build/fuzz-build.log 2>&1 || { tail -40 build/fuzz-build.log; exit 1; }
failed=0
for source in fuzz/*_fuzzer.cpp; do
  name=$(basename "$source" .cpp)
  work=$(mktemp -d)
  [ -d "fuzz/corpus/$name" ] && cp -r "fuzz/corpus/$name/." "$work/"
  echo "fuzz: $name for ${seconds}s"
  if ! "build/fuzz/fuzz/$name" "$work" -max_total_time="$seconds" -rss_limit_mb=2048 \
       -print_final_stats=0 >"build/fuzz/$name.log" 2>&1; then
    echo "fuzz: $name FAILED"; tail -40 "build/fuzz/$name.log"; failed=1
  fi
  rm -rf "$work"
done
exit $failed
