#include "document/CListaPlantillas.h"

#include "document/ROpciones.h"
#include "document/UTextos.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace {

bool EsPlantilla(const std::filesystem::path& ruta) {
    std::string ext = ruta.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".pla";
}

} // namespace

void CListaPlantillas::Cargar(const std::string& carpeta) {
    FEntradas.clear();
    std::error_code ec;
    if (!carpeta.empty()) {
        std::filesystem::directory_iterator it(carpeta, ec);
        for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
            std::error_code ecArchivo;
            if (!it->is_regular_file(ecArchivo) || !EsPlantilla(it->path())) {
                continue;
            }
            FEntradas.push_back({it->path().stem().string(), it->path().string()});
        }
    }
    FEntradas.push_back({Textos::Examinar, std::string()});
}

bool CListaPlantillas::EsExaminar(int indice) const {
    return indice >= 0 && indice < static_cast<int>(FEntradas.size()) &&
           FEntradas[static_cast<std::size_t>(indice)].Archivo.empty();
}

bool CListaPlantillas::Aceptar(int configuracion, int seleccion,
                               const std::string& carpetaAplicacion, ROpciones& predeterminadas,
                               std::string& archivo) const {
    switch (configuracion) {
    case Barras:
        predeterminadas.Barras = true;
        archivo = carpetaAplicacion + Textos::PlantillaBarras;
        return true;
    case Planchas:
        predeterminadas.Barras = false;
        archivo = carpetaAplicacion + Textos::PlantillaPlanchas;
        return true;
    default:
        if (EsExaminar(seleccion)) {
            archivo.clear();
            return false;
        }
        archivo = seleccion >= 0 && seleccion < static_cast<int>(FEntradas.size())
                      ? FEntradas[static_cast<std::size_t>(seleccion)].Archivo
                      : std::string();
        return true;
    }
}
