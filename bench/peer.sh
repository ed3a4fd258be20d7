#!/usr/bin/env bash
# bench/peer.sh [BUILD_DIR] [RUNS]: vk apply (category 4, a whole process: open, dialog, confirm,
# totals, save) against a python-docx script that only opens the same invoice, appends one 4 x 5
# table with the same texts and saves it. The two run in pairs, one right after the other, RUNS
# pairs per invoice, so a load on the machine falls on both alike. The figure is the median of the
# pairs' ratios of wall time (python-docx / vk apply), with the median wall and CPU times beside it.
# Targets: vk apply at least 10 times faster on the 100-table invoice, 5 times on the 1000-table one.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${2:-11}
[ -x "$build/vk" ] && [ -x "$build/bench/vk_bench" ] || { echo "build first: ./run build" >&2; exit 2; }
python=""
for p in python3 /usr/bin/python3; do
  if command -v "$p" >/dev/null && "$p" -c "import docx" 2>/dev/null; then python=$p; break; fi
done
[ -n "$python" ] || { echo "python-docx is missing (Debian: python3-docx)" >&2; exit 2; }

dir="$build/bench-rechnungen"
"$build/bench/vk_bench" --erzeugen "$dir" >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One timed run: appends "WALL CPU" (seconds; CPU = user + system) to the file $1.
# Wall time from the shell's microsecond clock (the `time` keyword prints whole milliseconds, which
# is a seventh of a 100-table run), read right around the command in this shell (no subshell); CPU
# time from `time`.
messen() {
  local datei=$1; shift
  local vorher nachher
  TIMEFORMAT='%U %S'
  vorher=$EPOCHREALTIME
  { time "$@" >/dev/null 2>&1; } 2>"$work/cpu"
  nachher=$EPOCHREALTIME
  echo "$vorher $nachher $(<"$work/cpu")" | awk '{printf "%.6f %.3f\n", $2 - $1, $3 + $4}' >>"$datei"
}

# median of column $2 of file $1
median() {
  awk -v s="$2" '{print $s}' "$1" | sort -g |
    awk '{a[NR]=$1} END {printf "%.4f", (NR%2)?a[(NR+1)/2]:(a[NR/2]+a[NR/2+1])/2}'
}

echo "== vk apply --category 4 vs python-docx (append one 4 x 5 table), $runs paired runs, $(nproc) cores"
ziel_erreicht=1
for n in 10 100 1000; do
  doc="$dir/Rechnung_$n.docx"
  : >"$work/vk" ; : >"$work/py"
  for ((i = 0; i < runs; i++)); do
    cp "$dir/buero.sqlite" "$work/buero.sqlite"
    messen "$work/vk" "$build/vk" apply --db "$work/buero.sqlite" --user 1 --invoice 1 --doc "$doc" \
      --out "$work/vk_$n.docx" --category 4 --set chkOrt=1 --set mskMehrfach=2
    messen "$work/py" "$python" bench/peer_docx.py "$doc" "$work/py_$n.docx"
  done
  paste -d' ' "$work/py" "$work/vk" | awk '{printf "%.6f %.6f\n", ($3 > 0 ? $1 / $3 : 1e9), ($4 > 0 ? $2 / $4 : 1e9)}' >"$work/quotient"
  verhaeltnis=$(median "$work/quotient" 1)
  cpuverhaeltnis=$(median "$work/quotient" 2)
  zeile=$(printf '%5d tables: vk apply %7.4f s (CPU %7.4f s)   python-docx %7.4f s (CPU %7.4f s)   ratio %6.2f (CPU %6.2f)' \
          "$n" "$(median "$work/vk" 1)" "$(median "$work/vk" 2)" "$(median "$work/py" 1)" "$(median "$work/py" 2)" \
          "$verhaeltnis" "$cpuverhaeltnis")
  ziel=""
  [ "$n" = 100 ] && ziel=10
  [ "$n" = 1000 ] && ziel=5
  if [ -n "$ziel" ]; then
    if (( $(echo "$verhaeltnis >= $ziel" | bc -l) )); then zeile+="   target >= $ziel: met"
    else zeile+="   target >= $ziel: NOT met"; ziel_erreicht=0; fi
  fi
  echo "$zeile"
done
[ $ziel_erreicht = 1 ]
