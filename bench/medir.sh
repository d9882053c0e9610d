#!/usr/bin/env bash
# Builds trazal-bench in Release and runs it: the whole calculation on the published instances
# of ../shared/benchmarks against their best known values, plus the growth series.
#   bench/medir.sh --rapido salida     quick set (about ten minutes on two cores)
#   bench/medir.sh salida              full set
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/dependencias.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-release --target trazal-bench -j"$(nproc)"
exec ./build-release/bench/trazal-bench "$@"
