#!/usr/bin/env bash
# A tuner server's XMLTV against the import: the real server (the npm
# package scripts/setup.sh installs under build/mirakurun) started on a unix
# socket with two days of seeded services and programmes, its
# /api/iptv/xmltv fetched, imported with rokuban-cli into a scratch cache,
# and every exported programme compared with the seed. Where the package is
# not there (npm could not be reached) the saved document of the same
# shape, tests/xmltv/mirakurun/saved/, stands in for the server.
# Then the same server's JSON API through `crawl` with `tunerserver` set,
# over a loopback port that socat forwards to the socket, every programme
# compared with its ids, types, genre classes, extended texts and series.
#
# usage: tests/xmltv/mirakurun/run.sh [BUILD_DIR]   (default build/native)
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../../.." && pwd)"
build="${1:-$root/build/native}"
cli="$build/cli/rokuban-cli"
server_dir="$root/build/mirakurun/node_modules/mirakurun"
[ -x "$cli" ] || { echo "mirakurun test: $cli is not built"; exit 1; }

scratch="$(mktemp -d "${TMPDIR:-/tmp}/rokuban-mirakurun.XXXXXX")"
server_pid=
forwarder_pid=
cleanup() {
  [ -n "$forwarder_pid" ] && kill "$forwarder_pid" 2>/dev/null && wait "$forwarder_pid" 2>/dev/null
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null && wait "$server_pid" 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT

if [ -f "$server_dir/lib/server.js" ] && command -v node >/dev/null && command -v curl >/dev/null; then
  # Whole minutes a little ahead: the server drops programmes that have ended.
  base_ms=$(( ($(date +%s) / 60 + 2) * 60000 ))
  python3 "$here/seed.py" "$base_ms" "$scratch" || exit 1
  mkdir -p "$scratch/logo"
  (cd "$server_dir" &&
   SERVER_CONFIG_PATH="$scratch/server.yml" TUNERS_CONFIG_PATH="$scratch/tuners.yml" \
   CHANNELS_CONFIG_PATH="$scratch/channels.yml" SERVICES_DB_PATH="$scratch/services.json" \
   PROGRAMS_DB_PATH="$scratch/programs.json" LOGO_DATA_DIR_PATH="$scratch/logo" \
   exec node lib/server.js >"$scratch/server.log" 2>&1) &
  server_pid=$!
  fetched=
  for _ in $(seq 1 80); do
    if [ -S "$scratch/mirakurun.sock" ] &&
       curl -sf --max-time 5 --unix-socket "$scratch/mirakurun.sock" http://localhost/api/iptv/xmltv \
         -o "$scratch/guide.xml" && grep -q "<programme" "$scratch/guide.xml"; then
      fetched=1
      break
    fi
    kill -0 "$server_pid" 2>/dev/null || break
    sleep 0.25
  done
  if [ -z "$fetched" ]; then
    echo "mirakurun test: the server did not answer; its log:"
    tail -20 "$scratch/server.log"
    exit 1
  fi
  source="the server"
else
  echo "mirakurun test: the server is not installed (npm could not be reached): the saved document stands in"
  base_ms=$(cat "$here/saved/base.txt")
  python3 "$here/seed.py" "$base_ms" "$scratch" || exit 1
  cp "$here/saved/guide.xml" "$scratch/guide.xml"
  source="the saved document"
fi

# Broadcast days (from 05:00 Japan time) that the two days touch.
first_day=$(python3 -c "import datetime as d,sys; t=d.datetime.fromtimestamp(int(sys.argv[1])/1000, d.timezone(d.timedelta(hours=9))) - d.timedelta(hours=5); print(t.strftime('%Y-%m-%d'))" "$base_ms")
printf '[_config]\r\ndirectory=%s/cache/\r\n' "$scratch" >"$scratch/rokuban.ini"
mkdir -p "$scratch/cache"
"$cli" --ini "$scratch/rokuban.ini" --quiet import-xmltv "$scratch/guide.xml" --from "$first_day" --days 3 \
  >"$scratch/import.log" 2>&1 || { echo "mirakurun test: the import failed:"; cat "$scratch/import.log"; exit 1; }
"$cli" --ini "$scratch/rokuban.ini" export json --from "$first_day" --days 3 --out "$scratch/exported.json" \
  2>"$scratch/export.log" || { echo "mirakurun test: the export failed:"; cat "$scratch/export.log"; exit 1; }
echo "mirakurun test: $(grep -c '<programme' "$scratch/guide.xml") programmes from $source"
python3 "$here/compare.py" "$scratch/expected.json" "$scratch/exported.json" || exit 1

if [ "$source" != "the server" ]; then
  echo "mirakurun test: no server, so no JSON API to crawl"
  exit 0
fi
if ! command -v socat >/dev/null; then
  echo "mirakurun test: socat is not installed (scripts/setup.sh installs it): the JSON API is not tried"
  exit 1
fi
port=$(python3 -c "import socket; s=socket.socket(); s.bind(('127.0.0.1', 0)); print(s.getsockname()[1])")
socat "TCP-LISTEN:$port,bind=127.0.0.1,reuseaddr,fork" "UNIX-CONNECT:$scratch/mirakurun.sock" &
forwarder_pid=$!
for _ in $(seq 1 40); do
  curl -sf --max-time 2 "http://127.0.0.1:$port/api/version" -o /dev/null && break
  sleep 0.1
done
mkdir -p "$scratch/api-cache"
printf '[_config]\r\ndirectory=%s/api-cache/\r\ntunerserver=http://127.0.0.1:%s/\r\n' "$scratch" "$port" >"$scratch/api.ini"
"$cli" --ini "$scratch/api.ini" --quiet crawl --days 2 --retries 0 >"$scratch/crawl.log" 2>&1 ||
  { echo "mirakurun test: the crawl of the JSON API failed:"; cat "$scratch/crawl.log"; exit 1; }
"$cli" --ini "$scratch/api.ini" export json --from "$first_day" --days 3 --out "$scratch/api-exported.json" \
  2>"$scratch/export.log" || { echo "mirakurun test: the export failed:"; cat "$scratch/export.log"; exit 1; }
echo "mirakurun test: the JSON API through crawl"
python3 "$here/compare.py" --api "$scratch/expected.json" "$scratch/api-exported.json"
