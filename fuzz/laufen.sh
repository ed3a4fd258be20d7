#!/usr/bin/env bash
# fuzz/laufen.sh BUILD_DIR SECONDS: runs every fuzz target for SECONDS, two at a time, niced.
# Each target starts from its seed corpus in fuzz/korpus/<name>; what it learns goes to
# BUILD_DIR/korpus/<name>, crashes to BUILD_DIR/funde/<name>/. Exit status 1 when a target found one.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$1
sekunden=$2
ziele=$(cd fuzz && ls fuzz_*.cpp | sed 's/^fuzz_//; s/\.cpp$//')

lauf() {
  local name=$1 dir=$2 sekunden=$3
  mkdir -p "$dir/korpus/$name" "$dir/funde/$name"
  local start=$SECONDS rc=0
  nice -n 10 "$dir/fuzz/fuzz_$name" "$dir/korpus/$name" "fuzz/korpus/$name" \
    -max_total_time="$sekunden" -rss_limit_mb=2048 -timeout=30 -print_final_stats=1 \
    -artifact_prefix="$dir/funde/$name/" >"$dir/funde/$name.log" 2>&1 || rc=$?
  local laeufe
  laeufe=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$dir/funde/$name.log" | grep -o '[0-9]*$' || echo "?")
  if [ $rc -eq 0 ]; then
    echo "fuzz_$name: $((SECONDS - start)) s, $laeufe runs, no finding"
  else
    echo "fuzz_$name: FINDING after $((SECONDS - start)) s (see $dir/funde/$name.log, $dir/funde/$name/)"
  fi
  return $rc
}
export -f lauf

echo "$ziele" | xargs -P 2 -I{} bash -c 'lauf "$@"' _ {} "$dir" "$sekunden"
