#!/usr/bin/env bash
# Installs the built library into a temporary prefix and builds and runs a host program against it.
# Usage: cmake/installtest/run.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cmake --install "$build" --prefix "$tmp/prefix" >/dev/null
cmake -S cmake/installtest -B "$tmp/probe" -G Ninja -DCMAKE_PREFIX_PATH="$tmp/prefix" >/dev/null
cmake --build "$tmp/probe" -j 2 >/dev/null
LD_LIBRARY_PATH="$tmp/prefix/lib:$tmp/prefix/lib/x86_64-linux-gnu" "$tmp/probe/host_probe" "$tmp/buero.sqlite"
echo "install test: ok"
