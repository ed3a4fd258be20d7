#!/usr/bin/env bash
# installtest.sh SOURCE_DIR BUILD_DIR: installs the build into a prefix of its own, then, with the
# source tree out of reach (a mount namespace with an empty folder over it), runs what an office or a
# host program runs from the prefix: `vk demo`, a C++ host built against the installed package, and
# the Python example over the C interface. Checks what is installed: vk, vk-host with its forms and
# .desktop file, the library, the public headers (no internal one), the package and the schema.
set -euo pipefail
quelle=$(cd "$1" && pwd)
bau=$(cd "$2" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
praefix=$tmp/prefix
cmake --install "$bau" --prefix "$praefix" >"$tmp/install.log"

fehler() { echo "install test: $*" >&2; exit 1; }
dateien="bin/vk share/vk_lp_08/schema.sql include/vk_lp_08/vk_lp_08.h include/vk_lp_08/vk_c.h"
[ ! -e "$bau/vk-host" ] || dateien="$dateien bin/vk-host share/applications/vk-host.desktop share/vk_lp_08/formen/frmKat5.ui"
for datei in $dateien; do
  [ -e "$praefix/$datei" ] || fehler "$datei is not installed"
done
lib=$(find "$praefix" -name 'libvk_lp_08.so.1' | head -n 1)
[ -n "$lib" ] || fehler "libvk_lp_08.so.1 is not installed"
koepfe=$(find "$praefix/include" -name '*.h' | wc -l)
[ "$koepfe" -le 20 ] || fehler "$koepfe headers installed (at most 20)"
! find "$praefix/include" -path '*detail*' | grep -q . || fehler "an internal header is installed"
! nm -DC --defined-only "$lib" | grep -q 'detail\|UhrSetzen\|DialogRegistrieren\|DatenbankStoerung' ||
  fehler "an internal or test symbol is exported"

# The host program, built against the prefix alone (its sources copied out of the source tree).
mkdir "$tmp/wirt"
cp "$quelle/tests/install/CMakeLists.txt" "$quelle/tests/install/wirt.cpp" "$tmp/wirt/"
cp "$quelle/examples/python/grenzbescheinigung.py" "$tmp/"
cmake -S "$tmp/wirt" -B "$tmp/wirt/bau" -G Ninja -DCMAKE_PREFIX_PATH="$praefix" >"$tmp/wirt.log"
cmake --build "$tmp/wirt/bau" >>"$tmp/wirt.log" || { cat "$tmp/wirt.log"; fehler "the host program does not build"; }

# From here on the source tree (and the build in it) is out of reach.
verborgen() {
  if unshare --mount true 2>/dev/null; then unshare --mount "$@"
  else unshare --user --map-root-user --mount "$@"; fi
}
# A library built with AddressSanitizer (./run test --sanitize) needs its runtime loaded first in the
# programs that are not (the host program, Python), and the C++ runtime with it, whose exceptions
# the sanitizer intercepts; leak reports off (they would be Python's own).
asan_vorab=
if asan=$(ldd "$lib" | awk '/libasan/ { print $3 }') && [ -n "$asan" ]; then
  stdcxx=$(ldd "$lib" | awk '/libstdc\+\+/ { print $3 }')
  asan_vorab="export LD_PRELOAD='$asan $stdcxx' ASAN_OPTIONS=detect_leaks=0"
fi
cat >"$tmp/ohne_quellen.sh" <<INNEN
set -euo pipefail
cd "$tmp"
mount -t tmpfs leer "$quelle"
mount -t tmpfs leer "$bau" 2>/dev/null || true
[ ! -e "$quelle/CMakeLists.txt" ] || { echo "the source tree is still in reach"; exit 1; }
export LD_LIBRARY_PATH="$(dirname "$lib")"
$asan_vorab
"$praefix/bin/vk" demo "$tmp/demo" >/dev/null
"$tmp/wirt/bau/vk_wirt" "$tmp/demo/buero.sqlite" "$tmp/demo/Rechnung.docx" >"$tmp/wirt.txt"
"$praefix/bin/vk" demo "$tmp/demo2" >/dev/null
VK_LP_08_LIB="$lib" python3 "$tmp/grenzbescheinigung.py" "$tmp/demo2/buero.sqlite" "$tmp/demo2/Rechnung.docx" >"$tmp/python.txt"
INNEN
verborgen bash "$tmp/ohne_quellen.sh" >"$tmp/ohne_quellen.log" 2>&1 || { cat "$tmp/ohne_quellen.log" "$tmp"/*.txt 2>/dev/null; fehler "a program from the prefix failed"; }
grep -q '300,00 €' "$tmp/python.txt" || { cat "$tmp/python.txt"; fehler "the Python example did not price the certificate"; }
grep -q 'Gebührenstaffel 1, 800 m² zu 10 €/m²: 1500.00 €' "$tmp/python.txt" || { cat "$tmp/python.txt"; fehler "no fee scale"; }
echo "install test: ok"
