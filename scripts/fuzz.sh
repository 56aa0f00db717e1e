#!/usr/bin/env bash
# Builds the fuzz targets of tests/fuzz with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer (clang) and runs each for the given seconds.
# Usage: fuzz.sh [seconds per target, default 60]; NEVIX_JOBS limits the
# build's parallel jobs.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

SECONDS_PER_TARGET="${1:-60}"
if ! [[ "$SECONDS_PER_TARGET" =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: $0 [seconds per target]" >&2
  exit 2
fi

FUZZ_BUILD="${NEVIX_FUZZ_BUILD:-$NEVIX_ROOT/build-fuzz}"
CORPUS="$FUZZ_BUILD/corpus"
FINDINGS="$FUZZ_BUILD/findings"
LOGS="$FUZZ_BUILD/logs"

NEVIX_PACKAGES+=(clang libclang-rt-dev)
nevix_install_missing

if [ ! -f "$FUZZ_BUILD/build.ninja" ]; then
  cmake -S "$NEVIX_ROOT" -B "$FUZZ_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DNEVIX_FUZZ=ON -DNEVIX_BUILD_TESTS=OFF -DNEVIX_BUILD_BENCHMARKS=OFF
fi
cmake --build "$FUZZ_BUILD" --target nevix_fuzz --parallel "${NEVIX_JOBS:-$(nproc)}"

# Every target tests/fuzz/CMakeLists.txt declares, each line a target and
# its seed files and folders.
TARGET_LIST="$FUZZ_BUILD/tests/fuzz/fuzz_targets.txt"
declare -A SEEDS_OF=()
TARGETS=()
while read -r target seeds; do
  [ -n "$target" ] || continue
  TARGETS+=("$target")
  SEEDS_OF[$target]="$seeds"
done <"$TARGET_LIST"

# The targets' program folders (settings files, a database) live in memory
# where possible: every settings write is synced to disk.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
  export TMPDIR=/dev/shm
fi
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"

failed=()
summary=()
for target in "${TARGETS[@]}"; do
  mkdir -p "$CORPUS/$target" "$FINDINGS/$target" "$LOGS"
  for seed in ${SEEDS_OF[$target]}; do
    if [ -d "$seed" ]; then
      cp -n "$seed"/* "$CORPUS/$target/"
    else
      cp -n "$seed" "$CORPUS/$target/"
    fi
  done
  log="$LOGS/$target.log"
  echo "== $target: ${SECONDS_PER_TARGET} s"
  status=0
  "$FUZZ_BUILD/tests/fuzz/$target" -max_total_time="$SECONDS_PER_TARGET" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$FINDINGS/$target/" "$CORPUS/$target" >"$log" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | cut -d' ' -f2)
  summary+=("$(printf '%-24s executions %-10s cov %-6s' "$target" "${runs:-?}" "${cov:-?}")")
  if [ "$status" -ne 0 ]; then
    failed+=("$target")
    summary[-1]+=" FINDING (see $log)"
  fi
done

echo
printf '%s\n' "${summary[@]}"
echo "Inputs that broke a target are kept in: $FINDINGS"
if [ ${#failed[@]} -gt 0 ]; then
  echo "Findings in: ${failed[*]}" >&2
  exit 1
fi
