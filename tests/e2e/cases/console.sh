# End-to-end cases: rokuban-cli.exe in a Windows console and redirected.
# Sourced by run.sh.

# console_run CODEPAGE ARGS...: the console's screen after rokuban-cli.exe
# ARGS ran in it, with the cache's settings file.
console_run() {
  local codepage=$1 exe
  shift
  exe=$(winepath -w "$BUILD/cli/rokuban-cli.exe" 2>/dev/null)
  (cd "$WORK/cache-source" && drive console-run "\"$exe\" --ini Rokuban.ini $*" "$codepage")
}

case_console_text() {
  if ! prepare_cache; then
    skip "Japanese in a code page 932 console" "no demo guide"
    return
  fi
  local expected redirected
  # What the native tool prints is the reference: the same cache, UTF-8.
  expected=$(cd "$WORK/cache-source" && "$(find_cli)" --ini Rokuban.ini channels --date tomorrow 2>/dev/null)
  case "$expected" in *[![:ascii:]]*) ;; *) fail "the demo's channel names hold Japanese"; return ;; esac
  expect "channel names in a code page 932 console" "$expected" "$(console_run 932 channels --date tomorrow)"
  expect "channel names in a code page 437 console" "$expected" "$(console_run 437 channels --date tomorrow)"
  redirected=$(cd "$WORK/cache-source" && wine "$BUILD/cli/rokuban-cli.exe" --ini Rokuban.ini channels --date tomorrow 2>/dev/null | tr -d '\r')
  expect "channel names redirected to a pipe are UTF-8" "$expected" "$redirected"
}
