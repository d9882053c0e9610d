#include "support/EjecucionCli.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace cli {

namespace fs = std::filesystem;

std::string Leer(const fs::path& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

void Escribir(const fs::path& ruta, const std::string& contenido) {
    std::ofstream f(ruta, std::ios::binary);
    f << contenido;
}

RSalida Ejecutar(const rutas::CCarpetaTemporal& carpeta, const std::vector<std::string>& args,
                 const std::string& entorno) {
    std::string orden = entorno + " '" + rutas::Cli().string() + "'";
    for (const std::string& a : args) {
        orden += " '" + a + "'";
    }
    const fs::path salida = carpeta / "salida.txt";
    const fs::path errores = carpeta / "errores.txt";
    orden += " >'" + salida.string() + "' 2>'" + errores.string() + "'";
    const int estado = std::system(orden.c_str());
    RSalida r;
    r.Codigo = WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
    r.Salida = Leer(salida);
    r.Errores = Leer(errores);
    return r;
}

} // namespace cli
