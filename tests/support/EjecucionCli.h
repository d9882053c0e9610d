#pragma once

#include "support/RutasPrueba.h"

#include <filesystem>
#include <string>
#include <vector>

// trazal-cli run as a separate program, the way a user runs it.
namespace cli {

struct RSalida {
    int Codigo = -1; // exit code, -1 when the program did not exit normally
    std::string Salida;
    std::string Errores;
};

// Runs the tool with the arguments (each quoted for the shell) and its standard output and
// error in files of the folder. `entorno` goes in front of the command, e.g. "env -u X".
RSalida Ejecutar(const rutas::CCarpetaTemporal& carpeta, const std::vector<std::string>& args,
                 const std::string& entorno = {});

// Older names of rutas::LeerBytes and rutas::EscribirBytes, still used by the report tests.
inline std::string Leer(const std::filesystem::path& ruta) {
    return rutas::LeerBytes(ruta);
}
inline void Escribir(const std::filesystem::path& ruta, const std::string& bytes) {
    rutas::EscribirBytes(ruta, bytes);
}

} // namespace cli
