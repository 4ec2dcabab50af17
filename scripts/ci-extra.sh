#!/bin/sh
# The checks CI runs after the README's test command: the layout of every C++ file, the build with every warning
# an error (preset "dev") and its tests, the whole test suite under AddressSanitizer and UndefinedBehaviorSanitizer,
# then each libFuzzer target for a bounded time, and last the accessibility event test under Xvfb (in the README's
# build folder).
set -e
cd "$(dirname "$0")/.."
sudo=$(command -v sudo || true)
$sudo apt-get install -y --no-install-recommends clang-14 libclang-rt-14-dev clang-format-14 > /dev/null

sh scripts/check-format.sh

cmake --preset dev
cmake --build --preset dev
ctest --preset dev

cmake --preset sanitize
cmake --build --preset sanitize
ctest --preset sanitize

cmake --preset fuzz
cmake --build --preset fuzz
for target in fuzz_directory fuzz_numbers fuzz_roundtrip; do
    corpus=$(mktemp -d)
    cp fuzz/corpus/$target/* "$corpus"/
    echo "+ $target (20 s)"
    status=0
    ./build-fuzz/fuzz/$target -max_total_time=20 -timeout=5 -rss_limit_mb=2048 "$corpus" > "$corpus.log" 2>&1 ||
        status=$?
    tail -n 3 "$corpus.log"
    rm -rf "$corpus" "$corpus.log"
    [ "$status" -eq 0 ] || { echo "$target failed"; exit "$status"; }
done
sh scripts/ci-accessibility.sh
