#!/bin/bash
# The install for a home server, checked as its .deb: made with CPack from
# a native build, unpacked with dpkg-deb (never installed), its program run,
# its user units verified by systemd, its manual page rendered without a
# warning and its bash completion asked for words.
# Usage: tests/packaging/install_check.sh NATIVE_BUILD_DIR
set -u
if [ $# -ne 1 ] || [ ! -f "$1/CMakeCache.txt" ]; then
  echo "usage: $0 NATIVE_BUILD_DIR" >&2
  exit 2
fi
BUILD=$(cd "$1" && pwd)
WORK=$(mktemp -d "${TMPDIR:-/tmp}/rokuban-install.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
PASSED=0 FAILED=0
check() {
  local name=$1
  shift
  if "$@"; then PASSED=$((PASSED + 1)); echo "ok    $name"
  else FAILED=$((FAILED + 1)); echo "FAIL  $name"; fi
}
# quiet COMMAND...: succeeds when the command does and prints nothing.
quiet() {
  local out
  out=$("$@" 2>&1) && [ -z "$out" ] && return 0
  printf '%s\n' "$out" | head -20 | sed 's/^/      /'
  return 1
}

(cd "$BUILD" && cpack -G DEB -B "$WORK/cpack" >"$WORK/cpack.log" 2>&1) || { cat "$WORK/cpack.log"; exit 1; }
deb=$(ls "$WORK"/cpack/rokuban-cli_*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || { echo "cpack made no .deb"; cat "$WORK/cpack.log"; exit 1; }
echo "      $(basename "$deb"): $(stat -c %s "$deb") bytes"
info=$(dpkg-deb --info "$deb")
check "the package is named rokuban-cli" sh -c "echo \"\$1\" | grep -q '^ Package: rokuban-cli\$'" _ "$info"
check "the package depends on the C library" sh -c "echo \"\$1\" | grep -q '^ Depends: .*libc6'" _ "$info"
dpkg-deb -x "$deb" "$WORK/root"
root=$WORK/root/usr
check "the unpacked rokuban-cli tells the package's version" \
  test "$("$root/bin/rokuban-cli" --version)" == "rokuban-cli v$(dpkg-deb -f "$deb" Version)"

units=$root/lib/systemd/user
check "the units start the installed program" \
  sh -c "test \$(grep -l '^ExecStart=/usr/bin/rokuban-cli --ini %h/' '$units'/*.service | wc -l) -eq 3"
# Verified in a copy whose ExecStart names the unpacked program, by a user
# manager of a scratch home.
mkdir -p "$WORK/units" "$WORK/home" "$WORK/runtime" && chmod 700 "$WORK/runtime"
for unit in "$units"/*; do
  sed "s|^ExecStart=/usr/bin/rokuban-cli|ExecStart=$root/bin/rokuban-cli|" "$unit" >"$WORK/units/$(basename "$unit")"
done
check "systemd verifies the user units" \
  quiet env HOME="$WORK/home" XDG_RUNTIME_DIR="$WORK/runtime" systemd-analyze --user verify "$WORK"/units/*
check "the timer runs the crawl every day" \
  sh -c "grep -q '^OnCalendar=\*-\*-\* ' '$units/rokuban-crawl.timer' && test -f '$units/rokuban-crawl.service'"

man_page=$root/share/man/man1/rokuban-cli.1
check "the manual page renders without a warning" \
  quiet sh -c "LC_ALL=C.UTF-8 MANPAGER=cat MANWIDTH=80 man --warnings -l '$man_page' 2>&1 >'$WORK/man.txt'"
check "the manual page names every verb of --help" sh -c '
  for verb in $("$1" --help | sed -n "/^Verbs:/,/^\$/s/^  \([a-z-]*\) .*/\1/p"); do
    grep -q "^   $verb\$" "$2" || { echo "      no $verb"; exit 1; }
  done' _ "$root/bin/rokuban-cli" "$WORK/man.txt"

# complete_words WORDS...: what the completion offers for the last word,
# in a folder holding only guide.xml.
mkdir "$WORK/completion" && touch "$WORK/completion/guide.xml"
complete_words() {
  (cd "$WORK/completion" && bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _rokuban_cli; echo "${COMPREPLY[*]}"' \
    _ "$root/share/bash-completion/completions/rokuban-cli" rokuban-cli "$@")
}
# Each line: the words typed ("~" an empty last word) | what is offered.
while IFS='|' read -r typed expected; do
  read -r -a words <<<"$typed"
  [ "${words[-1]}" == "~" ] && words[-1]=
  check "completion of '$typed'" test "$(complete_words "${words[@]}")" == "$expected"
done <<'EOF'
cr|crawl
--i|--ini
--ini x.ini sy|sync sync-server
crawl --re|--refresh --retries --retry-wait
export ~|xmltv json
config --show-secrets ~|get set
export --from 2026-12-09 ~|xmltv json
export json ~|guide.xml
export json --out g|guide.xml
show --json ~|guide.xml
watch r|remove
help guide|guide-server
EOF

echo "install: $PASSED passed, $FAILED failed"
[ "$FAILED" -eq 0 ]
