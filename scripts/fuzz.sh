#!/usr/bin/env bash
# Builds every fuzz target with clang, libFuzzer and sanitizers, and runs each
# for SECONDS: the first argument, else FUZZ_SECONDS, else 60.
#
# Each target's corpus lives outside the tree, in
# ${ROKUBAN_FUZZ_CORPUS:-${XDG_CACHE_HOME:-~/.cache}/rokuban-fuzz}/NAME, seeded
# from fuzz/corpus/NAME on every run, so that a long run's findings are where
# the next run starts. A crashing input is kept as build/fuzz/NAME-crash-*.
# The regular expression target also fails on any input slower than a
# second (-timeout), a slow input being kept as build/fuzz/NAME-timeout-*.
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-${FUZZ_SECONDS:-60}}
corpora=${ROKUBAN_FUZZ_CORPUS:-${XDG_CACHE_HOME:-$HOME/.cache}/rokuban-fuzz}
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DROKUBAN_FUZZ=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || exit 1
cmake --build build/fuzz -j2 >build/fuzz-build.log 2>&1 || { tail -40 build/fuzz-build.log; exit 1; }
failed=0
for source in fuzz/*_fuzzer.cpp; do
  name=$(basename "$source" .cpp)
  corpus="$corpora/$name"
  mkdir -p "$corpus" || exit 1
  for seed in "fuzz/corpus/$name"/*; do
    [ -f "$seed" ] && [ ! -e "$corpus/$(basename "$seed")" ] && cp "$seed" "$corpus/"
  done
  echo "fuzz: $name for ${seconds}s ($(ls "$corpus" | wc -l) inputs in $corpus)"
  limits=()
  [ "$name" = text_pattern_fuzzer ] && limits=(-timeout=1)
  if ! "build/fuzz/fuzz/$name" "$corpus" -max_total_time="$seconds" -rss_limit_mb=2048 "${limits[@]}" \
       -artifact_prefix="build/fuzz/$name-" -print_final_stats=0 >"build/fuzz/$name.log" 2>&1; then
    echo "fuzz: $name FAILED"; tail -40 "build/fuzz/$name.log"; failed=1
  fi
done
exit $failed
