#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer included) and runs each for a given time:
#   scripts/fuzz.sh [SECONDS] [TARGET...]      (default: 60 seconds, all targets)
# Targets: numbers lines import ini project gcode. Inputs that break a target
# are written to fuzz/crashes/<target>/ and, once committed, replayed by the
# normal test suite. New interesting inputs collect in $build/corpus/<target>/.
# The build folder is TAV_FUZZ_BUILD_DIR (default build-fuzz); extra libFuzzer
# options can be given in TAV_FUZZ_ARGS (for example "-jobs=2 -workers=2").
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(numbers lines import ini project gcode)

bash scripts/install-packages.sh cmake make clang libclang-rt-14-dev llvm libgtest-dev

build=${TAV_FUZZ_BUILD_DIR:-build-fuzz}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DTAV_FUZZ=ON -DTAV_BUILD_GUI=OFF -DTAV_BUILD_TESTS=OFF -DTAV_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target "${targets[@]/#/fuzz_}"

export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
command -v llvm-symbolizer >/dev/null && export ASAN_SYMBOLIZER_PATH=${ASAN_SYMBOLIZER_PATH:-$(command -v llvm-symbolizer)}

mkdir -p "$build/logs"
status=0
summary=()
for t in "${targets[@]}"; do
  corpus="$build/corpus/$t"
  crashes="fuzz/crashes/$t"
  mkdir -p "$corpus" "$crashes"
  dict=()
  [ -f "fuzz/dict/$t.dict" ] && dict=(-dict="fuzz/dict/$t.dict")
  log="$build/logs/$t.log"
  echo "== $t: ${seconds}s, log in $log"
  # The first folder receives new inputs; the committed seeds are only read.
  # shellcheck disable=SC2086
  if "$build/bin/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -print_final_stats=1 -artifact_prefix="$crashes/" "${dict[@]}" ${TAV_FUZZ_ARGS:-} \
       "$corpus" "fuzz/corpus/$t" >"$log" 2>&1; then
    result=ok
  else
    result="FINDING (see $log and $crashes/)"
    status=1
  fi
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1 || true)
  summary+=("$(printf '%-8s %12s executions in %ss: %s' "$t" "${runs:-?}" "$seconds" "$result")")
done
printf '%s\n' "${summary[@]}"
exit $status
