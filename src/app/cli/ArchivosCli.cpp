#include "cli/ArchivosCli.h"

#include "cli/TextosCli.h"

#include "document/UTextos.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

std::string ProblemaEntrada(const std::string& ruta) {
    std::error_code ec;
    const fs::file_status estado = fs::status(ruta, ec);
    const std::string comillas = "\"" + ruta + "\"";
    if (!fs::exists(estado)) {
        return std::string(Textos::ErrorCrearLanzamiento) + Textos::CliNoExiste + comillas;
    }
    if (fs::is_directory(estado)) {
        return std::string(Textos::ErrorCrearLanzamiento) + Textos::NoSePuedeLeerArchivo +
               comillas + Textos::EsUnaCarpeta;
    }
    // Devices and pipes could block or never end.
    if (!fs::is_regular_file(estado)) {
        return std::string(Textos::ErrorCrearLanzamiento) + Textos::NoSePuedeLeerArchivo +
               comillas + Textos::NoEsArchivoNormal;
    }
    return {};
}

std::string ProblemaSalida(const std::string& entrada, const std::string& salida,
                           const std::vector<std::string>& extensiones) {
    const std::string inicio = std::string(TextosCli::SalidaIncorrecta) + salida;
    std::string extension = fs::path(salida).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (std::find(extensiones.begin(), extensiones.end(), extension) == extensiones.end()) {
        std::string lista;
        for (std::size_t i = 0; i < extensiones.size(); ++i) {
            lista += (i == 0                        ? ""
                      : i + 1 == extensiones.size() ? TextosCli::O
                                                    : ", ") +
                     extensiones[i];
        }
        return inicio + TextosCli::SalidaExtension + lista;
    }
    std::error_code ec;
    if (fs::is_directory(salida, ec)) {
        return inicio + TextosCli::SalidaEsCarpeta;
    }
    // The same file by identity: another spelling of its name, a hard or symbolic link.
    if (fs::exists(salida, ec) && fs::equivalent(entrada, salida, ec)) {
        return inicio + TextosCli::SalidaEsEntrada;
    }
    return {};
}
