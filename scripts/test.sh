#!/usr/bin/env bash
# Builds Prismel three ways (installing what is missing) and runs every test:
# the full build, the core under AddressSanitizer and UndefinedBehaviorSanitizer,
# and the engine and output under ThreadSanitizer; then builds the Debian
# package and checks it. Tests run inside a private network namespace, so
# nothing they send can leave this machine.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

scripts/setup.sh
cmake -S . -B build/default -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/default -j "$jobs"
cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DPRISMEL_CORE_ONLY=ON -DPRISMEL_BENCHMARKS=OFF \
  -DPRISMEL_SANITIZE=address,undefined >/dev/null
cmake --build build/asan -j "$jobs"
cmake -S . -B build/tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPRISMEL_CORE_ONLY=ON -DPRISMEL_BENCHMARKS=OFF \
  -DPRISMEL_SANITIZE=thread >/dev/null
tsan_targets=(test_engine test_output test_screens test_remote test_backup)
cmake --build build/tsan -j "$jobs" --target "${tsan_targets[@]}"

# Run the suites in a new network namespace with only loopback up.
isolate() {
  if unshare -n true 2>/dev/null; then
    unshare -n bash -c 'ip link set lo up; "$@"' isolated "$@"
  elif unshare -rn true 2>/dev/null; then
    unshare -rn bash -c 'ip link set lo up; "$@"' isolated "$@"
  else
    echo "test: cannot make a private network namespace (unshare -n); refusing to run tests" >&2
    return 1
  fi
}

# What the runs print is kept too, to count the tests that skipped themselves
# (GTEST_SKIP, for lack of a privilege or a tool) and say why.
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT

status=0
export PRISMEL_TEST_ISOLATED=1
# No test may open the machine's serial port (the console and the tool use it for
# the remote GO contacts).
export PRISMEL_REMOTE_PORT=none
isolate ctest --test-dir build/default --output-on-failure -j "$jobs" --timeout 300 2>&1 \
  | tee "$logs/default.out" || status=1
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  isolate ctest --test-dir build/asan --output-on-failure -j "$jobs" --timeout 600 2>&1 \
  | tee "$logs/asan.out" || status=1
for t in "${tsan_targets[@]}"; do
  TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
    isolate timeout 600 "build/tsan/test-bin/$t" --gtest_brief=1 2>&1 | tee "$logs/tsan-$t.out" || status=1
done
# The Art-Net receive handler, the show-control decoders and the messages
# between a primary console and its backups under libFuzzer, briefly; they
# need clang.
if command -v clang++ >/dev/null 2>&1; then
  isolate timeout 300 tests/output/fuzz/run_fuzz.sh 20 || status=1
  isolate timeout 300 tests/remote/fuzz/run_fuzz.sh 20 || status=1
  isolate timeout 300 tests/backup/fuzz/run_fuzz.sh 20 || status=1
else
  echo "test: clang++ not found; the fuzzers are skipped" >&2
fi

# The Debian package, built from the default tree and checked in a scratch root.
scripts/package.sh || status=1

# "N tests skipped (2x reason, 1x reason)" from the runs' output: ctest lists
# the skipped tests after its summary, a test binary counts them in its last
# lines, and each skip prints "file:line: Skipped" followed by its reason
# (ctest keeps every test's output in LastTest.log).
skipped_summary() {
  local outs=("$logs"/*.out) details=("${outs[@]}")
  for d in build/default build/asan; do
    [ -f "$d/Testing/Temporary/LastTest.log" ] && details+=("$d/Testing/Temporary/LastTest.log")
  done
  local count reasons
  count=$(awk '/^[ \t]+[0-9]+ - .* \(Skipped\)$/ { n++ }
               /^\[  SKIPPED \] [0-9]+ tests?[.,]/ { n += $4 }
               END { print n + 0 }' "${outs[@]}")
  reasons=$(awk 'after { r = $0; sub(/^skipped: /, "", r); sub(/: .*/, "", r); if (r == "") r = "no reason given"
                         if (length(r) > 70) r = substr(r, 1, 67) "..."; seen[r]++; after = 0; next }
                 /: Skipped$/ { after = 1 }
                 END { for (r in seen) print seen[r] "x " r }' "${details[@]}" | sort -rn | paste -sd, - | sed 's/,/, /g')
  if ((count == 0)); then
    echo "no tests skipped"
  else
    echo "$count test$( ((count == 1)) || echo s) skipped${reasons:+ ($reasons)}"
  fi
}
summary=$(skipped_summary)
if ((status)); then echo "test: FAILED; $summary" >&2; else echo "test: all suites passed; $summary"; fi
exit $status
