#!/usr/bin/env bash
# bench/peer.sh [BUILD_DIR] [RUNS]: vk apply (category 4, a whole process: open, dialog, confirm,
# totals, save) against a python-docx script that only opens the same invoice, appends one 4 x 5
# table with the same texts and saves it. Each runs RUNS times on the same files; the figure is
# the median wall time of a run. Target: vk apply at least 10 times faster on the 100-table invoice.
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

# median wall time in seconds of RUNS runs of a command
median() {
  local zeiten=() t0 t1
  for ((i = 0; i < runs; i++)); do
    t0=$(date +%s.%N)
    "$@" >/dev/null
    t1=$(date +%s.%N)
    zeiten+=("$(echo "$t1 - $t0" | bc -l)")
  done
  printf '%s\n' "${zeiten[@]}" | sort -n | awk '{a[NR]=$1} END {m=(NR%2)?a[(NR+1)/2]:(a[NR/2]+a[NR/2+1])/2; printf "%.4f", m}'
}

echo "== vk apply --category 4 vs python-docx (append one 4 x 5 table), median of $runs runs, $(nproc) cores"
ziel_erreicht=1
for n in 10 100 1000; do
  doc="$dir/Rechnung_$n.docx"
  cp "$dir/buero.sqlite" "$work/buero.sqlite"
  vk=$(median "$build/vk" apply --db "$work/buero.sqlite" --user 1 --invoice 1 --doc "$doc" \
         --out "$work/vk_$n.docx" --category 4 --set chkOrt=1 --set mskMehrfach=2)
  py=$(median "$python" bench/peer_docx.py "$doc" "$work/py_$n.docx")
  verhaeltnis=$(echo "$py / $vk" | bc -l)
  zeile=$(printf '%5d tables: vk apply %8.4f s   python-docx %8.4f s   python-docx / vk apply = %6.2f' \
          "$n" "$vk" "$py" "$verhaeltnis")
  if [ "$n" = 100 ]; then
    if (( $(echo "$verhaeltnis >= 10" | bc -l) )); then zeile+="   (target >= 10: met)"
    else zeile+="   (target >= 10: NOT met)"; ziel_erreicht=0; fi
  fi
  echo "$zeile"
done
[ $ziel_erreicht = 1 ]
