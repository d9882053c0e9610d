#!/usr/bin/env bash
# Builds Release and runs the main job on the bundled example.
set -euo pipefail
cd "$(dirname "$0")"
scripts/dependencias.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-release --target trazal-cli -j"$(nproc)"
exec ./build-release/trazal-cli mostrar examples/cocina.lan
