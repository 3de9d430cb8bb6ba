#!/usr/bin/env bash
# The main job on a fresh machine with no Internet: set up and build, start
# the demo guide service on a free loopback port, point a fresh settings file
# at it, crawl the coming week with rokuban-cli and show tonight's guide.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh >/dev/null

work=$(mktemp -d "${TMPDIR:-/tmp}/rokuban-demo.XXXXXX")
cli=build/native/cli/rokuban-cli
ini="$work/Rokuban.ini"
build/native/tools/demo_guide/rokuban-demo-guide --port-file "$work/port" >"$work/guide.log" 2>&1 &
guide=$!
trap 'kill $guide 2>/dev/null; wait $guide 2>/dev/null' EXIT
for _ in $(seq 50); do [ -s "$work/port" ] && break; sleep 0.1; done
port=$(cat "$work/port")
echo "demo guide service on 127.0.0.1:$port; settings in $ini"

"$cli" --ini "$ini" config set server 127.0.0.1
"$cli" --ini "$ini" config set port "$port"
"$cli" --ini "$ini" config set directory "$work/cache"
"$cli" --ini "$ini" crawl --days 6
echo
echo "Tonight on the demo guide (21:00):"
"$cli" --ini "$ini" show --hour 21
