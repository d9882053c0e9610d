#pragma once

#include <filesystem>
#include <string>

// Paths the tests need: the data folder, the repository root, the command-line tool,
// and a private temporary folder removed when the object goes away; whole files as bytes.
namespace rutas {

std::filesystem::path DatosPrueba(const std::string& nombre);
std::filesystem::path Raiz(const std::string& relativa);
std::filesystem::path Cli();

std::string LeerBytes(const std::filesystem::path& ruta);
void EscribirBytes(const std::filesystem::path& ruta, const std::string& bytes);

// The message of the E that `f` throws, or "(sin error)" when it throws none.
template <class E, class F> std::string MensajeDe(F&& f) {
    try {
        f();
    } catch (const E& e) {
        return e.what();
    }
    return "(sin error)";
}

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
