#!/usr/bin/env bash
# The slow and greedy corners of trazal-cli on hostile inputs: seconds and peak memory of
# each (wall clock, processor time, peak resident memory), for the trazal-cli given, so that
# two builds can be compared.
#   bench/esquinas.sh build-release/trazal-cli
# Reading: job files of 256 MB (the old limit) and 60 MB (under today's 64 MB) of high
# Windows-1252 bytes and of ASCII in one record; listing: 65,535 pieces declared and 1,025
# patterns; drawing: 1,024 leaves whose blocks repeat 131,072 times along X.
set -euo pipefail
cli=$(realpath "${1:?uso: bench/esquinas.sh RUTA/trazal-cli}")
datos=$(realpath "$(dirname "$0")/../tests/data")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

python3 - "$tmp" <<'PY'
import sys
carpeta = sys.argv[1]
cabecera = b'[Piezas]\r\nN=1\r\n1='
for nombre, mb in (('256', 256), ('60', 60)):
    n = mb * 1024 * 1024 - len(cabecera) - 2
    open(f'{carpeta}/alto-{nombre}.lan', 'wb').write(cabecera + b'\xb1' * n + b'\r\n')
    open(f'{carpeta}/ascii-{nombre}.lan', 'wb').write(cabecera + b'x' * n + b'\r\n')
PY

medir() {
    local nombre=$1
    shift
    /usr/bin/time -f "%e %U %S %M" -o "$tmp/tiempo" "$@" >/dev/null 2>"$tmp/errores" || true
    read -r segundos usuario sistema kb < <(tail -n 1 "$tmp/tiempo")
    printf '%-36s %7s s  CPU %7s s  %6d MB\n' "$nombre" "$segundos" \
        "$(echo "$usuario + $sistema" | bc)" "$((kb / 1024))"
}

medir "leer 256 MB Windows-1252" "$cli" mostrar "$tmp/alto-256.lan"
medir "leer 256 MB ASCII" "$cli" mostrar "$tmp/ascii-256.lan"
medir "leer 60 MB Windows-1252" "$cli" mostrar "$tmp/alto-60.lan"
medir "leer 60 MB ASCII" "$cli" mostrar "$tmp/ascii-60.lan"
medir "mostrar 65535 piezas, 1025 patrones" "$cli" mostrar \
    "$datos/listado-65535-piezas-1025-patrones.lan"
medir "dibujar 1024 hojas, RepX 131072" "$cli" dibujar \
    "$datos/dibujo-1024-hojas-repx-131072.lan" --patron 1 -o "$tmp/d.png"
