#!/usr/bin/env bash
# Line coverage of the program's code by the core tests (no windows, no benchmarks).
#   tools/coverage.sh [BUILD_DIR]      (default: build-coverage beside the sources)
# Builds a Debug tree with g++ --coverage, runs ctest (the command-line tests start kestrel-cli,
# whose counts are included) and prints one line:
#   line coverage of src/ (core tests): 87.3 % (5123/5868)
# Counted: every source and header under src/ that the build compiled, except the Qt window
# folders. The gcovr filters, relative to the source root, are exactly
#   --filter 'src/'  --exclude 'src/[^/]+/ui/'
# ccache is bypassed: object files compiled elsewhere would carry other paths in their notes.
# Needs gcovr (Debian package "gcovr").
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$repo/build-coverage}")
command -v gcovr >/dev/null || { echo "gcovr not found (apt-get install gcovr)" >&2; exit 1; }

export CCACHE_DISABLE=1
cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=g++ \
    -DCMAKE_CXX_FLAGS=--coverage -DCMAKE_EXE_LINKER_FLAGS=--coverage \
    -DKESTREL_GUI=OFF -DKESTREL_BENCH=OFF >/dev/null
nice -n 10 cmake --build "$build" -j2 >/dev/null

# Counts of earlier runs would add up; start from zero.
find "$build" -name '*.gcda' -delete
nice -n 10 ctest --test-dir "$build" -j2 --output-on-failure >"$build/ctest.log" 2>&1 ||
    echo "warning: some tests failed, see $build/ctest.log" >&2

cd "$repo"
# CMake's compiler probe leaves notes without sources; skip its folder.
summary=$(gcovr --root . --object-directory "$build" --filter 'src/' --exclude 'src/[^/]+/ui/' \
    --exclude-directories '.*/CMakeFiles/[0-9.]+' -j 2 --print-summary --output /dev/null)
pattern='s/^lines: ([0-9.]+)% \(([0-9]+) out of ([0-9]+)\).*/\1 \2 \3/p'
read -r pct covered total < <(sed -nE "$pattern" <<<"$summary")
echo "line coverage of src/ (core tests): $pct % ($covered/$total)"
