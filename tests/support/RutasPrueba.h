#pragma once

#include <filesystem>
#include <string>

// Paths the tests need: the data folder, the repository root, the command-line tool,
// and a private temporary folder removed when the object goes away.
namespace rutas {

std::filesystem::path DatosPrueba(const std::string& nombre);
std::filesystem::path Raiz(const std::string& relativa);
std::filesystem::path Cli();

class CCarpetaTemporal {
public:
    CCarpetaTemporal();
    ~CCarpetaTemporal();
    CCarpetaTemporal(const CCarpetaTemporal&) = delete;
    CCarpetaTemporal& operator=(const CCarpetaTemporal&) = delete;

    const std::filesystem::path& Ruta() const { return FRuta; }
    std::filesystem::path operator/(const std::string& nombre) const { return FRuta / nombre; }

private:
    std::filesystem::path FRuta;
};

} // namespace rutas
