#pragma once

#include <functional>
#include <string>
#include <vector>

// One entry per command of trazal-cli. Exit codes: 0 success, 1 calculation error,
// 2 usage or file errors, 3 cancelled.
struct RComandoCli {
    const char* Nombre;
    const char* Ayuda;
    std::function<int(const std::vector<std::string>&)> Ejecutar;
};

const std::vector<RComandoCli>& ComandosCli();

int ComandoMostrar(const std::vector<std::string>& argumentos);
int ComandoCalcular(const std::vector<std::string>& argumentos);
int ComandoDibujar(const std::vector<std::string>& argumentos);
int ComandoImportar(const std::vector<std::string>& argumentos);
int ComandoExportar(const std::vector<std::string>& argumentos);
int ComandoReporte(const std::vector<std::string>& argumentos);
