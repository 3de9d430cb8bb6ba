#!/usr/bin/env bash
# A week's crawl (42 slots) by rokuban-cli from the demo guide service,
# against curl fetching the same 42 pages in one run: how much more than the
# bytes' own time the crawl takes. Prints both medians of 5 runs and the ratio,
# and beside it curl storing the 42 pages in files, as the crawl must.
# With --strace: the system calls of one crawl instead (strace -c counts).
set -euo pipefail
mode=${1:-}
cd "$(dirname "$0")/.."
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DROKUBAN_BENCH=ON -DROKUBAN_TESTS=OFF >/dev/null
cmake --build build/bench -j2 --target rokuban-cli rokuban-demo-guide >/dev/null
work=$(mktemp -d)
trap 'kill $guide 2>/dev/null; rm -rf "$work"' EXIT
build/bench/tools/demo_guide/rokuban-demo-guide --port-file "$work/port" >/dev/null &
guide=$!
for _ in $(seq 50); do [ -s "$work/port" ] && break; sleep 0.1; done
port=$(cat "$work/port")
cli=build/bench/cli/rokuban-cli
"$cli" --ini "$work/r.ini" config set server 127.0.0.1
"$cli" --ini "$work/r.ini" config set port "$port"

if [ "$mode" = --strace ]; then
  "$cli" --ini "$work/r.ini" config set directory "$work/cache"
  strace -f -c -o "$work/calls" "$cli" --ini "$work/r.ini" crawl --days 6 >/dev/null 2>&1
  # calls and errors of each system call the crawl's own work makes
  awk '$NF ~ /^(mkdir|poll|pselect6|select|recvfrom|recv|write|openat|open|flock|ftruncate|read)$/ {
         errors = (NF == 6) ? $5 : 0; printf "%-10s %6d calls %6d failed\n", $NF, $4, errors }' "$work/calls"
  exit 0
fi

urls=()
for d in 0 1 2 3 4 5 6; do
  day=$(TZ=Asia/Tokyo date -d "$(TZ=Asia/Tokyo date -d '5 hours ago' +%F) + $d days" +%m%d)
  for h in 05 09 13 17 21 25; do urls+=("http://127.0.0.1:$port/tables/$day/GBS/tokyo/$h.html"); done
done
curl_args=() curl_file_args=()
for i in "${!urls[@]}"; do
  curl_args+=(-s -o /dev/null "${urls[$i]}")
  curl_file_args+=(-s -o "page$i.htm" "${urls[$i]}")
done

now_ms() { date +%s%3N; }
median() { sort -n | sed -n 3p; }
crawl_times=() curl_times=() curl_file_times=()
for run in 1 2 3 4 5; do
  "$cli" --ini "$work/r.ini" config set directory "$work/cache$run"
  t0=$(now_ms); "$cli" --ini "$work/r.ini" crawl --days 6 >/dev/null 2>&1; t1=$(now_ms)
  crawl_times+=($((t1 - t0)))
  t0=$(now_ms); curl "${curl_args[@]}"; t1=$(now_ms)
  curl_times+=($((t1 - t0)))
  mkdir "$work/curl$run"
  t0=$(now_ms); (cd "$work/curl$run" && curl "${curl_file_args[@]}"); t1=$(now_ms)
  curl_file_times+=($((t1 - t0)))
done
crawl=$(printf '%s\n' "${crawl_times[@]}" | median)
fetch=$(printf '%s\n' "${curl_times[@]}" | median)
echo "runs (ms): crawl ${crawl_times[*]}; curl ${curl_times[*]}; curl into files ${curl_file_times[*]}"
echo "crawl of 42 slots (download, conversion, table files): ${crawl} ms"
echo "curl of the same 42 pages:                            ${fetch} ms"
stored=$(printf '%s\n' "${curl_file_times[@]}" | median)
echo "curl of the same 42 pages into files:                 ${stored} ms"
awk -v a="$crawl" -v b="$fetch" 'BEGIN { if (b > 0) printf "ratio: %.2f\n", a / b }'
awk -v a="$crawl" -v b="$stored" 'BEGIN { if (b > 0) printf "ratio to curl storing the pages: %.2f\n", a / b }'
