# The end-to-end tests' library: checks and counts, the driver, fresh
# folders and settings, the demo guide and the command-line tool beside the
# window. Sourced by run.sh after it has set BUILD, OUT, WORK and the wine
# environment.

# A display of our own: the first free one from 57 on.
start_display() {
  start_private_display "${ROKUBAN_E2E_DISPLAY:-57}" "$WORK/xvfb.log" || { echo "Xvfb did not start" >&2; exit 2; }
}

pass() { PASSED=$((PASSED + 1)); echo "ok    $1"; }

fail() { FAILED=$((FAILED + 1)); echo "FAIL  $1${2:+ ($2)}"; shot "failure-$FAILED"; }

skip() { SKIPPED=$((SKIPPED + 1)); echo "skip  $1${2:+ ($2)}"; }

# check NAME COMMAND...: passes when the command succeeds.
check() {
  local name=$1
  shift
  if "$@"; then pass "$name"; else fail "$name"; fi
}

# expect NAME EXPECTED ACTUAL
expect() {
  if [ "$2" == "$3" ]; then pass "$1"; else fail "$1" "expected '$2', got '$3'"; fi
}

# The driver; its output comes back as UTF-8 without carriage returns.
drive() { wine "$DRIVER_EXE" "$@" 2>/dev/null | iconv -f CP932 -t UTF-8 | tr -d '\r'; return "${PIPESTATUS[0]}"; }

drive_quiet() { wine "$DRIVER_EXE" "$@" >/dev/null 2>&1; }

# The rows of a list as drawn. A row query the program could not answer in
# time (a loaded machine) fails the driver; it is asked again.
drive_rows() {
  local out try
  for try in 1 2 3; do
    out=$(drive rows "$@") && { printf '%s\n' "$out"; return 0; }
    sleep 0.5
  done
  printf '%s\n' "$out"
  return 1
}

CONNECT=接続

CONNECTION_SETTINGS=接続の設定

# new_folder NAME: a fresh folder holding a copy of the program.
new_folder() {
  local folder=$WORK/$1
  mkdir -p "$folder"
  cp "$ROKUBAN_EXE" "$folder/Rokuban.exe"
  echo "$folder"
}

# write_settings FOLDER LINES...: the settings file, CR LF, section _config.
write_settings() {
  local folder=$1
  shift
  { printf '[_config]\r\n'; for line in "$@"; do printf '%s\r\n' "$line"; done; } >"$folder/Rokuban.ini"
}

# start_app FOLDER [EXE]: starts the program (EXE, default Rokuban.exe) there;
# its exit code lands in FOLDER/exit-code.
# An instance left over from an earlier case would take its place.
start_app() {
  local folder=$1 exe=${2:-Rokuban.exe}
  drive_quiet wait-gone Rokuban Rokuban 5000 || echo "      an earlier instance is still running" >&2
  rm -f "$folder/exit-code"
  ( cd "$folder" && wine "$exe" >/dev/null 2>&1; echo $? >"$folder/exit-code" ) &
  APP_PIDS+=($!)
}

# wait_exit FOLDER SECONDS: prints the exit code, or "running".
wait_exit() {
  local folder=$1 tenths=$(($2 * 10))
  for _ in $(seq "$tenths"); do
    [ -s "$folder/exit-code" ] && { cat "$folder/exit-code"; return 0; }
    sleep 0.1
  done
  echo running
}

# setting FOLDER KEY: the value stored in the file, or "absent".
setting() {
  local line
  line=$(tr -d '\r' <"$1/Rokuban.ini" 2>/dev/null | grep -m1 "^$2=")
  if [ -n "$line" ]; then echo "${line#*=}"; else echo absent; fi
}

shot() { import -window root "$OUT/$1.png" 2>/dev/null; }

wait_dialog() { drive_quiet wait-window "#32770" "$1" "${2:-15000}"; }

dialog_gone() { drive_quiet wait-gone "#32770" "$1" "${2:-10000}"; }

# start_watching FOLDER NAME ENTRY: the program started on FOLDER with the
# watch list's one ENTRY (UTF-8, as typed after "1=") and its first crawl
# done; 1, the case failed as NAME, when the window does not come up.
start_watching() {
  printf '[watch]\r\n1=%s\r\n' "$3" | iconv -f UTF-8 -t CP932 >>"$1/Rokuban.ini"
  start_app "$1"
  main_window_up || { fail "$2: main window"; return 1; }
  crawl_from_window
}

# crawl_from_window: 巡回 from the main window's menu, waited out (the
# settings close the dialog when it is done), and a second for the checks
# that follow it in the window.
crawl_from_window() {
  drive_quiet main-command 1004
  wait_dialog "$CONNECT"
  dialog_gone "$CONNECT" 180000
  sleep 1
}

main_window_up() { drive_quiet wait-window Rokuban Rokuban "${1:-15000}"; }

quit_app() { drive_quiet main-command 1; wait_exit "$1" 20; }

AREA_LABELS="あなたの番組表
あなたの番組表2
あなたの番組表3
あなたの番組表4
あなたの番組表5
あなたの番組表6
あなたの番組表7
あなたの番組表8
あなたの番組表9
愛知県
秋田県
青森県
千葉県
愛媛県
福島県
福井県
福岡県
岐阜県
群馬県
広島県
北海道
兵庫県
茨城県
石川県
岩手県
香川県
鹿児島県
神奈川県
高知県
熊本県
京都府
三重県
宮城県
宮崎県
長野県
長崎県
奈良県
沖縄県
新潟県
大分県
岡山県
大阪府
佐賀県
埼玉県
島根県
滋賀県
静岡県
栃木県
徳島県
東京都
鳥取県
富山県
和歌山県
山形県
山口県
山梨県"

find_demo_guide() {
  if [ -n "${ROKUBAN_DEMO_GUIDE:-}" ] && [ -x "$ROKUBAN_DEMO_GUIDE" ]; then
    echo "$ROKUBAN_DEMO_GUIDE"
    return
  fi
  find "$BUILD" -maxdepth 4 -type f \( -name rokuban-demo-guide.exe -o -name rokuban-demo-guide \) 2>/dev/null | head -1
}

# start_demo_guide DEMO: starts the service once (in this shell, so that the
# clean-up knows it) and sets DEMO_PORT; later calls reuse it.
start_demo_guide() {
  [ -n "$DEMO_PORT" ] && return 0
  start_demo_guide_at "$1" "$WORK/demo-port" "$WORK/demo.log"
}

WEEKDAYS=(日 月 火 水 木 金 土)

# date_label OFFSET: the date button's text for today's broadcast day + OFFSET.
date_label() {
  local day
  day=$(jst -d "$(jst -d '5 hours ago' +%F) $1 days" '+%m/%d %w')
  echo "${day% *}(${WEEKDAYS[${day#* }]})"
}

# The command-line tool that crawls the cache: the native one when the
# native build lies beside the Windows build, else the Windows one.
find_cli() {
  local native
  native=$(cd "${ROKUBAN_NATIVE_BUILD:-$BUILD/../native}" 2>/dev/null && pwd)
  if [ -n "$native" ] && [ -x "$native/cli/rokuban-cli" ]; then
    echo "$native/cli/rokuban-cli"
  else
    echo "$BUILD/cli/rokuban-cli.exe"
  fi
}

# cli ARGS...: rokuban-cli with the cache's settings file, output in UTF-8.
cli() {
  case "$CLI" in
    # It writes UTF-8 to a pipe, as the native one does.
    *.exe) (cd "$WORK/cache-source" && wine "$CLI" --ini Rokuban.ini "$@" 2>/dev/null | tr -d '\r') ;;
    *) (cd "$WORK/cache-source" && "$CLI" --ini Rokuban.ini "$@" 2>/dev/null) ;;
  esac
}

# Crawls the coming week once into WORK/cache-source/Rokuban; cases copy it.
prepare_cache() {
  [ -d "$WORK/cache-source/Rokuban" ] && return 0
  local demo port
  demo=$(find_demo_guide)
  [ -n "$demo" ] || return 1
  start_demo_guide "$demo" || return 1
  CLI=$(find_cli)
  mkdir -p "$WORK/cache-source"
  cli config set server 127.0.0.1 >/dev/null
  cli config set port "$DEMO_PORT" >/dev/null
  cli crawl --days 6 >/dev/null
  ls "$WORK/cache-source/Rokuban" 2>/dev/null | grep -q 'tb\.tmp$'
}

# start_on_cached_week FOLDER: Rokuban.exe on the crawled week, with the
# recording tool beside it; true once its main window is up.
start_on_cached_week() {
  local folder=$1
  cp -r "$WORK/cache-source/Rokuban" "$folder/Rokuban"
  cp "$DENPOZ_EXE" "$folder/Denpoz.exe"
  write_settings "$folder" executed=1 server=127.0.0.1 "port=$DEMO_PORT"
  start_app "$folder"
  main_window_up
}

# The programme list as rokuban-cli show prints it, less the date and the
# end time the window does not show: "time channel title line".
programme_rows_as_cli() {
  drive_rows programme | awk '{
    text = substr($0, 15)
    if (match(text, /^[0-9]+:[0-9]+ /)) {
      print substr(text, 1, RLENGTH) channel " " substr(text, RLENGTH + 1)
    } else {
      channel = text
    }
  }'
}

# cli_rows ARGS...: the lines of rokuban-cli show ARGS without their date and end time.
cli_rows() { cli show "$@" | sed -E 's|^[0-9]{2}/[0-9]{2} ([0-9]{2}:[0-9]{2})-[0-9]{2}:[0-9]{2} |\1 |'; }

# cli_fields ARGS...: the same as "channel<TAB>HH:MM<TAB>title" (the demo's channel names hold no space).
cli_fields() { cli show "$@" | sed -E 's|^[0-9]{2}/[0-9]{2} ([0-9]{2}:[0-9]{2})-[0-9]{2}:[0-9]{2} ([^ ]+) |\2\t\1\t|'; }

row_text() { drive_rows "$1" "$2" | cut -c15-; }

selected() { drive list "$1" selected; }

# shot_main NAME: the main window alone.
shot_main() {
  local geometry
  geometry=$(xwininfo -name Rokuban 2>/dev/null | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF} /Width/ {w=$NF} /Height/ {h=$NF} END {if (w) print w "x" h "+" x "+" y}')
  if [ -n "$geometry" ]; then
    import -window root -crop "$geometry" +repage "$OUT/$1.png" 2>/dev/null
  else
    shot "$1"
  fi
}

# calls_recorded FILE N: waits until the companion stand-in recorded N
# starts, for up to 30 seconds: each is a process wine starts, which took
# over 5 seconds once on a busy machine.
calls_recorded() {
  for _ in $(seq 300); do
    [ -f "$1" ] && [ "$(wc -l <"$1")" -ge "$2" ] && return 0
    sleep 0.1
  done
  return 1
}

# visible_within WANTED SECONDS: the main window's visibility once it is
# WANTED, or as it is after SECONDS.
visible_within() { drive wait-visible "$1" $(($2 * 1000)); }

VK_RETURN=0x0d VK_RIGHT=0x27 VK_DOWN=0x28

SEARCH=検索

VK_UP=0x26

# The stand-in's record of each start begins with the quoted tool path; a
# reservation's details may carry line ends of their own.
call_count() { local n; n=$(grep -a -c '^"Z:' "$1" 2>/dev/null); echo "${n:-0}"; }

# call FILE N: the Nth start's command line, its lines as recorded.
call() { awk -v n="$2" '/^"Z:/ { i++ } i == n' "$1" | od -An -tx1; }

XMLTV_DIALOG=XMLTVの設定
