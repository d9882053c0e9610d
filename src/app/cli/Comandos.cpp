#include "cli/Comandos.h"

const std::vector<RComandoCli>& ComandosCli() {
    static const std::vector<RComandoCli> comandos = {
        {"mostrar", "LANZAMIENTO.lan  muestra opciones, piezas, materiales y solución",
         ComandoMostrar},
    };
    return comandos;
}
