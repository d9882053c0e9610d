#include "support/RutasPrueba.h"

#include <atomic>
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
