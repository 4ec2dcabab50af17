#!/bin/sh
# The checks CI runs after the README's test command (whose build must give no warning, see .ci/run): the layout of
# every C++ file, the whole test suite under AddressSanitizer and UndefinedBehaviorSanitizer with every warning an
# error (the benchmarks built there too), then each libFuzzer target for a bounded time, and last the accessibility
# event test under Xvfb (in the README's build folder). Prints how long each stage took.
set -eu
cd "$(dirname "$0")/.."
sudo=$(command -v sudo || true)
stage_start() { stage=$1 stage_began=$(date +%s); echo "=== $stage" >&2; }
stage_end() { echo "=== $stage : $(($(date +%s) - stage_began)) s" >&2; }

missing=
for package in clang-14 libclang-rt-14-dev clang-format-14; do
    dpkg-query -W -f='${db:Status-Status}' "$package" 2> /dev/null | grep -qx installed || missing="$missing $package"
done
if [ -n "$missing" ]; then
    $sudo apt-get update > /dev/null
    # shellcheck disable=SC2086 # one word per package
    $sudo apt-get install -y --no-install-recommends $missing > /dev/null
fi

stage_start "format"
sh scripts/check-format.sh
stage_end

stage_start "sanitizers"
cmake --preset sanitize
cmake --build --preset sanitize
ctest --preset sanitize
stage_end

stage_start "fuzz"
cmake --preset fuzz
cmake --build --preset fuzz
for target in fuzz_directory fuzz_numbers fuzz_roundtrip; do
    corpus=$(mktemp -d)
    cp fuzz/corpus/$target/* "$corpus"/
    echo "+ $target (20 s)"
    status=0
    ./build-fuzz/fuzz/$target -max_total_time=20 -timeout=5 -rss_limit_mb=2048 -artifact_prefix=build-fuzz/ \
        "$corpus" > "$corpus.log" 2>&1 ||
        status=$?
    tail -n 3 "$corpus.log"
    rm -rf "$corpus" "$corpus.log"
    [ "$status" -eq 0 ] || { echo "$target failed"; exit "$status"; }
done
stage_end

stage_start "accessibility"
sh scripts/ci-accessibility.sh
stage_end
