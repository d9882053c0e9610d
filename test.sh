#!/usr/bin/env bash
# Builds with AddressSanitizer and UndefinedBehaviorSanitizer, warnings as errors,
# and runs the whole suite.
set -euo pipefail
cd "$(dirname "$0")"
scripts/dependencias.sh
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DTRAZAL_SANITIZE=ON -DTRAZAL_WERROR=ON >/dev/null
cmake --build build-test -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
ctest --test-dir build-test --output-on-failure -j"$(nproc)"

# The threading group again under ThreadSanitizer: cancel and force from another thread.
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTRAZAL_TSAN=ON \
    -DTRAZAL_WERROR=ON -DTRAZAL_BENCH=OFF >/dev/null
cmake --build build-tsan --target test_engine -j"$(nproc)"
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
    ./build-tsan/tests/test_engine --gtest_filter='CalculoHilos*'
