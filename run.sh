#!/usr/bin/env bash
# Builds Release and opens the bundled example job in the desktop program when there is a
# display; without one, or with --cli, calculates it in the terminal (the stages, then the
# summary and the cutting plan). The example stays as it is; the calculated job is saved
# beside the build.
set -euo pipefail
cd "$(dirname "$0")"
scripts/dependencias.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
if [ "${1:-}" != "--cli" ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
    cmake --build build-release --target trazal -j"$(nproc)"
    # The desktop program works on a copy, so that saving never changes the example.
    cp examples/cocina.lan build-release/cocina.lan
    exec ./build-release/trazal build-release/cocina.lan
fi
cmake --build build-release --target trazal-cli -j"$(nproc)"
exec ./build-release/trazal-cli calcular examples/cocina.lan -o build-release/cocina-calculado.lan
