#include "support/RutasPrueba.h"

#include <atomic>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace rutas {

std::filesystem::path DatosPrueba(const std::string& nombre) {
    return std::filesystem::path(TRAZAL_DATOS_PRUEBA) / nombre;
}

std::filesystem::path Raiz(const std::string& relativa) {
    return std::filesystem::path(TRAZAL_RAIZ) / relativa;
}

std::filesystem::path Cli() {
    return std::filesystem::path(TRAZAL_CLI);
}

std::string LeerBytes(const std::filesystem::path& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

void EscribirBytes(const std::filesystem::path& ruta, const std::string& bytes) {
    std::ofstream(ruta, std::ios::binary | std::ios::trunc) << bytes;
}

CCarpetaTemporal::CCarpetaTemporal() {
    static std::atomic<int> contador{0};
    FRuta = std::filesystem::temp_directory_path() /
            ("trazal-prueba-" + std::to_string(getpid()) + "-" + std::to_string(contador++));
    std::filesystem::remove_all(FRuta);
    std::filesystem::create_directories(FRuta);
}

CCarpetaTemporal::~CCarpetaTemporal() {
    std::error_code ec;
    std::filesystem::remove_all(FRuta, ec);
}

} // namespace rutas
