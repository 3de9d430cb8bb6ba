#!/usr/bin/env bash
# Start-up of Rokuban.exe under wine on a private Xvfb: from starting the
# program (a ready cache of the coming week, executed=1) to a shown main
# window whose programme list has rows. Prints the median of 5 runs.
# Needs build/native and build/windows (scripts/build.sh), or the builds
# named by ROKUBAN_NATIVE_BUILD and ROKUBAN_WINDOWS_BUILD.
set -euo pipefail
cd "$(dirname "$0")/.."
native=$(cd "${ROKUBAN_NATIVE_BUILD:-build/native}" && pwd)
windows=$(cd "${ROKUBAN_WINDOWS_BUILD:-build/windows}" && pwd)
for file in "$native/cli/rokuban-cli" "$native/tools/demo_guide/rokuban-demo-guide" \
            "$windows/app/Rokuban.exe" "$windows/tests/e2e/rokuban-driver.exe"; do
  [ -f "$file" ] || { echo "missing $file: run scripts/build.sh first" >&2; exit 2; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/rokuban-bench-startup.XXXXXX")
guide= xvfb=
stop() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  [ -n "$guide" ] && kill "$guide" 2>/dev/null
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap stop EXIT

# The cache: a week crawled by rokuban-cli from the demo guide service.
"$native/tools/demo_guide/rokuban-demo-guide" --port-file "$work/port" >/dev/null 2>&1 &
guide=$!
for _ in $(seq 50); do [ -s "$work/port" ] && break; sleep 0.1; done
mkdir -p "$work/app"
cli() { (cd "$work/app" && "$native/cli/rokuban-cli" --ini Rokuban.ini "$@"); }
cli config set server 127.0.0.1 >/dev/null
cli config set port "$(cat "$work/port")" >/dev/null
cli config set executed 1 >/dev/null
cli crawl --days 6 >/dev/null 2>&1
cp "$windows/app/Rokuban.exe" "$windows/tests/e2e/rokuban-driver.exe" "$work/app/"

number=80
while [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ]; do number=$((number + 1)); done
Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$number"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
export ROKUBAN_WINEPREFIX=$work/prefix
source scripts/wine-env.sh
# A server that stays between runs, as it does on a desktop where other
# programs run under wine; the prefix is created by then.
wineserver -p

cd "$work/app"
now_ms() { date +%s%3N; }
times=()
for run in 1 2 3 4 5; do
  t0=$(now_ms)
  wine Rokuban.exe >/dev/null 2>&1 &
  app=$!
  # Started at the same moment; polls every 10 ms for the filled window.
  if ! wine rokuban-driver.exe wait-rows programme 1 30000 >/dev/null 2>&1; then
    echo "run $run: no filled window within 30 s" >&2
    exit 1
  fi
  t1=$(now_ms)
  times+=($((t1 - t0)))
  wine rokuban-driver.exe send-command 1 >/dev/null 2>&1 || true
  wait "$app" 2>/dev/null || true
done
median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 3p)
echo "start-up to a shown, filled window under wine (5 runs, ms): ${times[*]}"
echo "median: ${median} ms"
