#include "cli/Comandos.h"

#include <iostream>

int ComandoMostrar(const std::vector<std::string>& argumentos) {
    if (argumentos.size() != 1) {
        std::cerr << "Uso: trazal-cli mostrar LANZAMIENTO.lan\n";
        return 2;
    }
    std::cout << argumentos[0] << "\n";
    return 0;
}
