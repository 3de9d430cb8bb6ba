# Sourced: a wine prefix of this run's own (created once, reused by all
# Windows tests of the run) in code page 932, quiet.
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 WINEDEBUG=-all
export WINEPREFIX=${ROKUBAN_WINEPREFIX:-${TMPDIR:-/tmp}/rokuban-wine-$(id -u)}
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w 2>/dev/null || true
fi
