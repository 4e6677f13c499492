#!/usr/bin/env bash
# Builds Loomwrite and its tests with AddressSanitizer and UBSan into build-asan/ and runs the
# suites through ctest (arguments go to ctest, e.g. -R engine_tests). STRESS=N runs N busy
# loops beside the tests (stress-ng when installed), to shake out races that need a slow machine.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build-asan}
scripts/install-deps.sh
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLW_WERROR=ON -DLW_SANITIZE=ON \
  -DLW_BUILD_BENCH=OFF >/dev/null
cmake --build "$BUILD_DIR" -j "${JOBS:-2}"
# Qt and Chromium are not instrumented: leaks they keep until exit are theirs, not ours, and
# Chromium deletes some of its objects through a base of another size, which is no fault here.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1:new_delete_type_mismatch=0:alloc_dealloc_mismatch=0}
# The suppressions file holds the reports that are no fault, each with its reason.
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1:suppressions=$PWD/scripts/ubsan-suppressions.txt}
if [ "${STRESS:-0}" -gt 0 ]; then
  # A session of its own, so the load goes away as a whole when the tests are done.
  if command -v stress-ng >/dev/null; then
    setsid stress-ng --cpu "$STRESS" --timeout 4h --quiet </dev/null &
  else
    setsid bash -c 'for _ in $(seq "$1"); do while :; do :; done & done; wait' _ "$STRESS" &
  fi
  stress_pid=$!
  trap 'kill -- -$stress_pid 2>/dev/null || true' EXIT
fi
# The install-tree check is left out: it looks for the build and source folders in the
# program's read-only data, where an instrumented build keeps the source location of every
# check, so it cannot pass here.
(cd "$BUILD_DIR" && ctest --output-on-failure -j "${JOBS:-2}" -E '^packaging_install_tree$' "$@")
