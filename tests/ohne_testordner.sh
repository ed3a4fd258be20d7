#!/bin/sh
# ohne_testordner.sh TESTPROGRAM: a test program that cannot make its private folder (TMPDIR=/proc)
# refuses to run and leaves the folders named in the environment alone (it once deleted the parent of
# VK_LOG_DIR, a folder of the user's).
set -u
benutzer=$(mktemp -d) || exit 1
trap 'rm -rf "$benutzer"' EXIT
mkdir -p "$benutzer/log" && touch "$benutzer/log/Verw.log" "$benutzer/eigenes"
TMPDIR=/proc VK_LOG_DIR="$benutzer/log" QT_QPA_PLATFORM=offscreen "$1" --gtest_list_tests >/dev/null 2>&1
rc=$?
[ "$rc" -eq 2 ] || { echo "exit status $rc, expected 2"; exit 1; }
[ -f "$benutzer/log/Verw.log" ] && [ -f "$benutzer/eigenes" ] || { echo "the user's folder was touched"; exit 1; }
