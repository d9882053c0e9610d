#include "document/CAlmacenEntorno.h"

#include "document/CIniMemoria.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {
// Far above the 696 bytes of the value: a bigger file is read only this far, which is
// already the wrong size.
constexpr std::size_t LecturaMaxima = 4096;
} // namespace

CAlmacenEntornoArchivo::CAlmacenEntornoArchivo(std::string ruta) : FRuta(std::move(ruta)) {}

std::string CAlmacenEntornoArchivo::RutaPorDefecto() {
    fs::path base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && *xdg != '\0') {
        base = xdg;
    } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        base = fs::path(home) / ".config";
    } else {
        return std::string();
    }
    return (base / "Mirvane" / "Trazal4" / "Environment").string();
}

bool CAlmacenEntornoArchivo::Leer(std::vector<std::uint8_t>& valor) {
    valor.clear();
    if (FRuta.empty()) {
        return false;
    }
    std::error_code ec;
    const fs::path ruta(FRuta);
    if (!fs::is_directory(ruta.parent_path().empty() ? fs::path(".") : ruta.parent_path(), ec)) {
        return false; // the key does not exist
    }
    const fs::file_status estado = fs::status(ruta, ec);
    if (!fs::exists(estado)) {
        return true; // the key is there, the value is not
    }
    if (!fs::is_regular_file(estado)) {
        return false;
    }
    std::ifstream entrada(ruta, std::ios::binary);
    if (!entrada) {
        return false;
    }
    std::vector<char> buffer(LecturaMaxima);
    entrada.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    const auto leidos = static_cast<std::size_t>(entrada.gcount());
    valor.assign(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(leidos));
    return true;
}

bool CAlmacenEntornoArchivo::Escribir(const std::vector<std::uint8_t>& valor) {
    if (FRuta.empty()) {
        return false;
    }
    std::error_code ec;
    const fs::path carpeta = fs::path(FRuta).parent_path();
    if (!carpeta.empty()) {
        fs::create_directories(carpeta, ec);
    }
    try {
        EscribirArchivoAtomico(FRuta, std::string(valor.begin(), valor.end()));
    } catch (const std::exception&) {
        return false;
    }
    return true;
}
