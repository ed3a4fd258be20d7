#!/usr/bin/env bash
# alle_pruefen.sh DIR: checks every *.xml in DIR as artefakte/validate.sh checks one file (the CII
# D16B schema, the EN 16931 rules, the XRechnung rules), with one schema run and one Saxon run per rule
# set for all of them, so a suite that validates several e-invoices pays the JVM start twice, not twice
# per file. Prints one line per finding ("<file>: <rules>: <flag>: <rule id>: <text>"); exits 0 when no
# finding is fatal or an error, 1 otherwise, 2 when it cannot run.
set -u
here=$(cd "$(dirname "$0")/artefakte" && pwd)
saxon=/usr/share/java/Saxon-HE.jar
[ $# -eq 1 ] && [ -d "$1" ] || { echo "usage: alle_pruefen.sh DIR" >&2; exit 2; }
[ -r "$saxon" ] && command -v java >/dev/null && command -v xmllint >/dev/null ||
  { echo "alle_pruefen.sh needs default-jre-headless, libsaxonhe-java and libxml2-utils" >&2; exit 2; }
dir=$(cd "$1" && pwd); tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
# Java takes the encoding of file names from the locale: under "C" it cannot open "Steuersätze.xml".
export LC_ALL=C.UTF-8
shopt -s nullglob; dateien=("$dir"/*.xml)
[ ${#dateien[@]} -gt 0 ] || { echo "no *.xml in $dir" >&2; exit 2; }
rc=0
if ! xmllint --noout --schema "$here/cii-d16b/uncefact/data/standard/CrossIndustryInvoice_100pD16B.xsd" \
     "${dateien[@]}" 2>"$tmp/xsd"; then
  grep -v ' validates$' "$tmp/xsd" | sed 's/^/XSD: fatal: /' | head -n 30
  rc=1
fi
for rules in en16931/EN16931-CII-validation.xslt xrechnung/XRechnung-CII-validation.xsl; do
  out="$tmp/$(basename "$rules")"; mkdir -p "$out"
  if ! java -jar "$saxon" -s:"$dir" -xsl:"$here/$rules" -o:"$out" 2>"$tmp/err"; then
    echo "$rules: fatal: the rules could not be applied: $(head -n 3 "$tmp/err")"; rc=1; continue
  fi
  python3 - "$out" "$(basename "$rules")" <<'PY' || rc=1
import os, sys, xml.etree.ElementTree as E
SVRL = "{http://purl.oclc.org/dsdl/svrl}"
bad = 0
for name in sorted(os.listdir(sys.argv[1])):
    for fa in E.parse(os.path.join(sys.argv[1], name)).iter(SVRL + "failed-assert"):
        flag = fa.get("flag") or fa.get("role") or "error"
        text = " ".join((fa.findtext(SVRL + "text") or "").split())
        print(f"{name}: {sys.argv[2]}: {flag}: {fa.get('id')}: {text[:300]}")
        bad += flag in ("fatal", "error")
sys.exit(1 if bad else 0)
PY
done
exit $rc
