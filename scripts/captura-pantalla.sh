#!/usr/bin/env bash
# The README's screenshot: the desktop program under a virtual display (Xvfb) opens the
# kitchen example, calculates it (F10) and shows the patterns page; the screen is captured
# into docs/trazal.png.
#
#     scripts/captura-pantalla.sh [CARPETA_DE_COMPILACION] [SALIDA.png]
set -euo pipefail
cd "$(dirname "$0")/.."
compilacion=${1:-build-release}
salida=${2:-docs/trazal.png}

if [ ! -x "$compilacion/trazal" ]; then
    scripts/dependencias.sh
    cmake -S . -B "$compilacion" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$compilacion" --target trazal -j"$(nproc)"
fi

temporal=$(mktemp -d)
pantalla=""
programa=""
limpiar() {
    [ -n "$programa" ] && kill "$programa" 2>/dev/null || true
    [ -n "$pantalla" ] && kill "$pantalla" 2>/dev/null || true
    rm -rf "$temporal"
}
trap limpiar EXIT

# A free display number.
numero=90
while [ -e "/tmp/.X11-unix/X$numero" ] || [ -e "/tmp/.X$numero-lock" ]; do
    numero=$((numero + 1))
done
Xvfb ":$numero" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
pantalla=$!
export DISPLAY=":$numero"
for _ in $(seq 50); do
    xdotool getmouselocation >/dev/null 2>&1 && break
    sleep 0.1
done

cp examples/cocina.lan "$temporal/cocina.lan"
# Its own settings folder: the default layout, whatever the user has stored.
XDG_CONFIG_HOME="$temporal/config" QT_QPA_PLATFORM=xcb ASAN_OPTIONS=detect_leaks=0 \
    "$compilacion/trazal" "$temporal/cocina.lan" >"$temporal/trazal.log" 2>&1 &
programa=$!

esperar_ventana() {
    for _ in $(seq "$2"); do
        ventana=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
        [ -n "$ventana" ] && { echo "$ventana"; return 0; }
        sleep 0.5
    done
    echo "No apareció la ventana '$1'" >&2
    return 1
}

principal=$(esperar_ventana "Trazal 4" 60)
sleep 2
xdotool windowfocus --sync "$principal"
xdotool key F10
progreso=$(esperar_ventana "Calculo Completado" 600)
# Without a window manager the progress window cannot be closed from outside: hide it.
xdotool windowunmap "$progreso"
xdotool windowfocus --sync "$principal"
xdotool key F6
sleep 2
mkdir -p "$(dirname "$salida")"
import -window root "$salida"
echo "Captura: $salida"
