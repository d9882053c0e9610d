#include "support/EjecucionCli.h"

#include <cstdlib>
#include <sys/wait.h>

namespace cli {

namespace fs = std::filesystem;

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
    r.Salida = rutas::LeerBytes(salida);
    r.Errores = rutas::LeerBytes(errores);
    return r;
}

} // namespace cli
