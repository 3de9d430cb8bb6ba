#!/bin/bash
# The install for a home server, checked as its .deb: made with CPack from
# a native build, read by lintian, unpacked with dpkg-deb (never installed),
# its program run, its user units verified by systemd and their sandbox
# scored, its manual page rendered without a warning and its bash completion
# asked for words.
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
# Run as root lintian says so first; that line is about the run, not the package.
lintian_report() { lintian --tag-display-limit 0 "$1" 2>&1 | grep -v 'running with root privileges' || true; }
if command -v lintian >/dev/null; then
  check "lintian reports nothing" quiet lintian_report "$deb"
else
  check "lintian is installed (scripts/setup.sh)" false
fi
dpkg-deb -x "$deb" "$WORK/root"
root=$WORK/root/usr
check "the unpacked rokuban-cli tells the package's version" \
  test "$("$root/bin/rokuban-cli" --version)" == "rokuban-cli v$(dpkg-deb -f "$deb" Version)"

check "the package documents its copyright and changes" \
  test -f "$root/share/doc/rokuban-cli/copyright" -a -f "$root/share/doc/rokuban-cli/changelog.gz"

units=$root/lib/systemd/user
# %E: the user's XDG_CONFIG_HOME, or ~/.config without it, as the program's own default.
check "the units start the installed program on the settings of XDG_CONFIG_HOME" \
  sh -c "test \$(grep -l '^ExecStart=/usr/bin/rokuban-cli --ini %E/rokuban/Rokuban.ini ' '$units'/*.service | wc -l) -eq 3"
# Verified in a copy whose ExecStart names the unpacked program, by a user
# manager of a scratch home; the sandbox drop-in comes along.
mkdir -p "$WORK/units" "$WORK/home" "$WORK/runtime" && chmod 700 "$WORK/runtime"
cp -r "$units/rokuban-.service.d" "$WORK/units/"
for unit in "$units"/*.service "$units"/*.timer; do
  sed "s|^ExecStart=/usr/bin/rokuban-cli|ExecStart=$root/bin/rokuban-cli|" "$unit" >"$WORK/units/$(basename "$unit")"
done
user_manager() { env HOME="$WORK/home" XDG_RUNTIME_DIR="$WORK/runtime" "$@"; }
check "systemd verifies the user units" quiet user_manager systemd-analyze --user verify "$WORK"/units/*.service "$WORK"/units/*.timer
# Each service's exposure as systemd scores it (0 safest, 10 least safe),
# with the sandbox; "OK" is below 5.
for unit in "$WORK"/units/*.service; do
  name=$(basename "$unit")
  score=$(cd "$WORK/units" && user_manager systemd-analyze security --user --offline=true "$name" 2>/dev/null |
          sed -n 's/.*Overall exposure level for [^:]*: \([0-9.]*\) .*/\1/p')
  echo "      systemd-analyze security: $name ${score:-?}"
  check "$name is sandboxed (exposure ${score:-?} below 5)" awk -v s="${score:-10}" 'BEGIN { exit !(s < 5) }'
done
check "the crawl unit has a time limit" \
  sh -c "grep -q -- '--max-time ' '$units/rokuban-crawl.service' && grep -q '^TimeoutStartSec=' '$units/rokuban-crawl.service'"
check "the timer runs the crawl every day" \
  sh -c "grep -q '^OnCalendar=\*-\*-\* ' '$units/rokuban-crawl.timer' && test -f '$units/rokuban-crawl.service'"

man_page=$root/share/man/man1/rokuban-cli.1.gz
check "the manual page renders without a warning" \
  quiet sh -c "LC_ALL=C.UTF-8 MANPAGER=cat MANWIDTH=80 man --warnings -l '$man_page' 2>&1 >'$WORK/man.txt'"
check "the manual page names every verb of --help" sh -c '
  for verb in $("$1" --help | sed -n "/^Verbs:/,/^\$/s/^  \([a-z-]*\) .*/\1/p"); do
    grep -q "^   $verb\$" "$2" || { echo "      no $verb"; exit 1; }
  done' _ "$root/bin/rokuban-cli" "$WORK/man.txt"
check "the manual page names the guide source, xmltvsource" grep -q "set xmltvsource" "$WORK/man.txt"

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
config set xmltv|xmltvfile xmltvsource
config get dokiban|dokibanserver dokibanport
watch add --a|
watch add --re|--regex --reserve
watch check --e|--exec
EOF

echo "install: $PASSED passed, $FAILED failed"
[ "$FAILED" -eq 0 ]
