// trazal-cli: the headless side of the program (show, calculate, draw, report, exchange).

#include "cli/Comandos.h"

#include <clocale>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

namespace {

void Uso() {
    std::cerr << "Uso: trazal-cli <orden> [argumentos]\n"
                 "Órdenes:\n";
    for (const auto& c : ComandosCli()) {
        std::cerr << "  " << c.Nombre << "  " << c.Ayuda << "\n";
    }
}

} // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "C");
    if (argc < 2) {
        Uso();
        return 2;
    }
    const std::string orden = argv[1];
    std::vector<std::string> argumentos(argv + 2, argv + argc);
    for (const auto& c : ComandosCli()) {
        if (orden == c.Nombre) {
            return c.Ejecutar(argumentos);
        }
    }
    Uso();
    return 2;
}
