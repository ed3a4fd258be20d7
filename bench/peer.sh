#!/usr/bin/env bash
# bench/peer.sh [BUILD_DIR] [RUNS]: vk apply (category 4, a whole process: open, dialog, confirm,
# totals, save) against a python-docx script that only opens the same invoice, appends one 4 x 5
# table with the same texts and saves it. Each runs RUNS times on the same files; the figure is
# the median wall time of a run (the target), with the median CPU time beside it.
# Target: vk apply at least 10 times faster on the 100-table invoice.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${2:-5}
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

# median wall time and median CPU time (user + system) in seconds of RUNS runs of a command: "WALL CPU"
median() {
  local messung=$work/messung
  : >"$messung"
  for ((i = 0; i < runs; i++)); do
    { TIMEFORMAT='%R %U %S'; time "$@" >/dev/null 2>&1; } 2>>"$messung"
  done
  local wand cpu
  wand=$(awk '{print $1}' "$messung" | sort -n | awk '{a[NR]=$1} END {printf "%.4f", (NR%2)?a[(NR+1)/2]:(a[NR/2]+a[NR/2+1])/2}')
  cpu=$(awk '{print $2 + $3}' "$messung" | sort -n | awk '{a[NR]=$1} END {printf "%.4f", (NR%2)?a[(NR+1)/2]:(a[NR/2]+a[NR/2+1])/2}')
  echo "$wand $cpu"
}

echo "== vk apply --category 4 vs python-docx (append one 4 x 5 table), median of $runs runs, $(nproc) cores"
ziel_erreicht=1
for n in 10 100 1000; do
  doc="$dir/Rechnung_$n.docx"
  cp "$dir/buero.sqlite" "$work/buero.sqlite"
  read -r vk vkcpu < <(median "$build/vk" apply --db "$work/buero.sqlite" --user 1 --invoice 1 --doc "$doc" \
         --out "$work/vk_$n.docx" --category 4 --set chkOrt=1 --set mskMehrfach=2)
  read -r py pycpu < <(median "$python" bench/peer_docx.py "$doc" "$work/py_$n.docx")
  verhaeltnis=$(echo "$py / $vk" | bc -l)
  cpuverhaeltnis=$(echo "$pycpu / $vkcpu" | bc -l)
  zeile=$(printf '%5d tables: vk apply %7.4f s (CPU %7.4f s)   python-docx %7.4f s (CPU %7.4f s)   ratio %6.2f (CPU %6.2f)' \
          "$n" "$vk" "$vkcpu" "$py" "$pycpu" "$verhaeltnis" "$cpuverhaeltnis")
  if [ "$n" = 100 ]; then
    if (( $(echo "$verhaeltnis >= 10" | bc -l) )); then zeile+="   target >= 10: met"
    else zeile+="   target >= 10: NOT met"; ziel_erreicht=0; fi
  fi
  echo "$zeile"
done
[ $ziel_erreicht = 1 ]
