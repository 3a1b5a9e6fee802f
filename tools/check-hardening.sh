#!/usr/bin/env bash
# The hardening checks that ./dev.sh test runs after the ordinary tests: every test, the end-to-end one
# with the real program included, built with AddressSanitizer and UndefinedBehaviorSanitizer
# (build-asan/, lightly optimised), then every fuzz target built with clang (build-fuzz/) and run for a
# bounded time from its seed corpus in fuzz/corpus/. Fails on any failed test, sanitizer report (leaks
# included, less those of system libraries listed in tools/lsan.supp), crash or hang.
set -euo pipefail
cd "$(dirname "$0")/.."

fuzz_seconds=15
fuzz_targets=(savegame keptgame grid picture)

started=$SECONDS
elapsed() { echo "-- $1 took $((SECONDS - started)) s"; started=$SECONDS; }

echo "== Tests with AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/)"
cmake -S . -B build-asan -DTARSIO_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-asan -j"$(nproc)" --target tarsio_tests tarsio_e2e
elapsed "the sanitizer build"
# Every instrumented process writes its reports into one folder, so that a report of the real program,
# which the end-to-end test starts and closes, is not lost.
reports=$PWD/build-asan/sanitizer-reports
suppressions=$PWD/tools/lsan.supp
rm -rf "$reports"
mkdir -p "$reports"
status=0
(cd build-asan &&
  ASAN_OPTIONS=detect_leaks=1:log_path=$reports/report \
  LSAN_OPTIONS=suppressions=$suppressions:print_suppressions=0 \
  UBSAN_OPTIONS=print_stacktrace=1:log_path=$reports/report \
  ctest --output-on-failure -j2) || status=$?
if compgen -G "$reports/report*" >/dev/null; then
  cat "$reports"/report*
  echo "sanitizer reports in $reports" >&2
  status=1
fi
[ "$status" -eq 0 ] || exit 1
elapsed "the sanitizer tests"

echo "== Fuzz targets (build-fuzz/), ${fuzz_seconds} s each"
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DTARSIO_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target "${fuzz_targets[@]/#/fuzz_}"
elapsed "the fuzz build"
for target in "${fuzz_targets[@]}"; do
  run=build-fuzz/runs/$target
  rm -rf "$run"
  mkdir -p "$run/corpus"
  # New inputs go to the run's own corpus; the committed seeds are only read.
  if ! build-fuzz/fuzz/fuzz_"$target" -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$run/" "$run/corpus" "fuzz/corpus/$target" >"$run/log" 2>&1; then
    tail -n 60 "$run/log"
    echo "fuzz_$target failed; the input that failed is in $run/" >&2
    exit 1
  fi
  echo "fuzz_$target: $(grep -E '^Done [0-9]+ runs' "$run/log")"
done
elapsed "the fuzz runs"
