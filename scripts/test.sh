#!/usr/bin/env bash
# The whole test suite: set-up, both builds, native tests (CTest), a tuner
# server's XMLTV through the import, the same
# native tests built once more with AddressSanitizer and UndefinedBehavior-
# Sanitizer, Windows tests under wine, end-to-end tests of Rokuban.exe under
# Xvfb, the Windows release zip and the .deb, and bounded fuzzing runs.
# Exits non-zero when anything fails.
set -uo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh || exit 1
bash scripts/build.sh || { echo "build failed"; exit 1; }

failed=0
section() { printf '\n== %s ==\n' "$1"; }

section "native tests"
ctest --test-dir build/native --output-on-failure -j2 || failed=1

section "XMLTV from a tuner server"
bash tests/xmltv/mirakurun/run.sh build/native || failed=1

section "native tests with AddressSanitizer and UndefinedBehaviorSanitizer"
started=$(date +%s)
if cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DROKUBAN_SANITIZE=ON >/dev/null &&
   cmake --build build/asan -j"${JOBS:-2}" >build/asan-build.log 2>&1; then
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build/asan --output-on-failure -j2 || failed=1
else
  tail -40 build/asan-build.log; failed=1
fi
echo "sanitizer build and tests: $(( $(date +%s) - started ))s"

section "Windows tests under wine"
source scripts/wine-env.sh
source scripts/lib.sh
# Window tests need a display: a private Xvfb, started as the end-to-end
# tests start theirs. A window test that skips has tested nothing, so here a
# skip is a failure.
XVFB_PID=
windows_log=$(mktemp "${TMPDIR:-/tmp}/rokuban-windows-tests.XXXXXX")
if start_private_display 70 /dev/null; then
  # One wine session for all of them, started here: wine's own background
  # processes, when a test starts them, inherit ctest's output pipe and can
  # keep ctest waiting after the test has passed.
  wineserver -p 2>/dev/null
  wineboot >/dev/null 2>&1
  ctest --test-dir build/windows --output-on-failure -E '^ui_win32_tests$' || failed=1
  ctest --test-dir build/windows -R '^ui_win32_tests$' -V >"$windows_log" 2>&1 || failed=1
  grep -E '^[0-9]+: \[ +(OK|FAILED|SKIPPED) +\]' "$windows_log"
  if grep -q '\[  SKIPPED \]' "$windows_log" || ! grep -q '\[  PASSED  \]' "$windows_log"; then
    echo "window tests skipped or did not run:"
    cat "$windows_log"
    failed=1
  fi
else
  echo "Xvfb did not start: the Windows tests did not run"
  failed=1
fi
wineserver -k 2>/dev/null
[ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
rm -f "$windows_log"

if [ -x tests/e2e/run.sh ] && [ -f build/windows/app/Rokuban.exe ]; then
  section "end-to-end tests of Rokuban.exe"
  bash tests/e2e/run.sh build/windows || failed=1
fi

if [ -f build/windows/app/Rokuban.exe ]; then
  section "the Windows release zip, unpacked and started"
  started=$(date +%s)
  if zip_file=$(bash scripts/package.sh); then
    ls -l "$zip_file" build/release-win64/app/Rokuban.exe build/release-win64/cli/rokuban-cli.exe | awk '{ print "      " $5 " bytes  " $NF }'
    bash tests/e2e/release_smoke.sh "$zip_file" build/windows build/native || failed=1
  else
    failed=1
  fi
  echo "release build, zip and smoke test: $(( $(date +%s) - started ))s"
fi

section "the install for a home server, as its .deb"
bash tests/packaging/install_check.sh build/native || failed=1

if [ "${ROKUBAN_SKIP_FUZZ:-0}" != 1 ] && ls fuzz/*_fuzzer.cpp >/dev/null 2>&1; then
  section "fuzzing (bounded)"
  bash scripts/fuzz.sh "${FUZZ_SECONDS:-20}" || failed=1
fi

section "result"
if [ "$failed" -ne 0 ]; then
  echo "SOME TESTS FAILED"
  exit 1
fi
echo "all tests passed"
