#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each for N seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
secs=${1:-5}
CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLW_BUILD_FUZZERS=ON -DLW_BUILD_TESTS=OFF >/dev/null
targets=$(for f in fuzz/*_fuzz.cpp; do [ -e "$f" ] && basename "$f" _fuzz.cpp | sed 's/^/fuzz_/'; done)
[ -n "$targets" ] || exit 0
cmake --build build-fuzz -j "${JOBS:-2}" --target $targets
for t in $targets; do
  mkdir -p "build-fuzz/corpus/$t"
  echo "fuzzing $t for ${secs}s"
  # An input that takes over two seconds counts as a failure: a freeze is as bad as a crash.
  seeds=fuzz/seeds/${t#fuzz_}
  [ -d "$seeds" ] || seeds=
  "build-fuzz/$t" -max_total_time="$secs" -timeout=2 -print_final_stats=0 "build-fuzz/corpus/$t" $seeds \
    2>build-fuzz/$t.log \
    || { tail -40 build-fuzz/$t.log; exit 1; }
done
