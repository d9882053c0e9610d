#!/usr/bin/env bash
# Builds Release and calculates the bundled example job: the stages on the terminal, then
# the summary and the cutting plan. The example stays as it is; the calculated job is saved
# beside the build.
set -euo pipefail
cd "$(dirname "$0")"
scripts/dependencias.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-release --target trazal-cli -j"$(nproc)"
exec ./build-release/trazal-cli calcular examples/cocina.lan -o build-release/cocina-calculado.lan
