#include "patterns/UArchivoFormato.h"

#include "document/CIniMemoria.h"
#include "document/UExcepciones.h"
#include "document/UTextos.h"

#include <filesystem>
#include <fstream>
#include <istream>

namespace fs = std::filesystem;

namespace ArchivoFormato {

namespace {

std::string Error(const std::string& nombre, const char* motivo) {
    return std::string(Textos::NoSePuedeLeerArchivo) + "\"" + nombre + "\"" + motivo;
}

} // namespace

std::string LeerTexto(const std::string& bytes, const std::string& nombre) {
    if (bytes.size() > TamanoMaximo) {
        throw EArchivo(Error(nombre, Textos::ArchivoDemasiadoGrande));
    }
    // Control characters other than tabs and line ends mean a binary file, not a format.
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if ((u < 0x20 && c != '\t' && c != '\n' && c != '\r') || u == 0x7F) {
            throw EArchivo(Error(nombre, Textos::FormatoNoEsTexto));
        }
    }
    const std::string texto = TextoDeArchivoAUtf8(bytes);
    std::string memo;
    memo.reserve(texto.size());
    for (std::size_t i = 0; i < texto.size(); ++i) {
        if (texto[i] == '\r') {
            memo += '\n';
            if (i + 1 < texto.size() && texto[i + 1] == '\n') {
                ++i;
            }
        } else {
            memo += texto[i];
        }
    }
    if (!memo.empty() && memo.back() == '\n') {
        memo.pop_back();
    }
    return memo;
}

std::string Leer(std::istream& entrada, const std::string& nombre) {
    std::string bytes;
    char bloque[4096];
    while (entrada) {
        entrada.read(bloque, sizeof bloque);
        const std::streamsize leidos = entrada.gcount();
        if (leidos <= 0) {
            break;
        }
        // Stop reading once past the limit: the size alone refuses the file.
        if (bytes.size() + static_cast<std::size_t>(leidos) > TamanoMaximo) {
            throw EArchivo(Error(nombre, Textos::ArchivoDemasiadoGrande));
        }
        bytes.append(bloque, static_cast<std::size_t>(leidos));
    }
    if (entrada.bad()) {
        throw EArchivo(Error(nombre, ""));
    }
    return LeerTexto(bytes, nombre);
}

std::string Leer(const std::string& ruta) {
    std::error_code ec;
    const fs::file_status estado = fs::status(ruta, ec);
    if (fs::is_directory(estado)) {
        throw EArchivo(Error(ruta, Textos::EsUnaCarpeta));
    }
    // Devices and pipes could block or never end.
    if (fs::exists(estado) && !fs::is_regular_file(estado)) {
        throw EArchivo(Error(ruta, Textos::NoEsArchivoNormal));
    }
    std::ifstream entrada(ruta, std::ios::binary);
    if (!entrada) {
        throw EArchivo(Error(ruta, ""));
    }
    return Leer(entrada, ruta);
}

std::string TextoArchivo(const std::string& memo) {
    return memo + "\n";
}

void Guardar(const std::string& ruta, const std::string& memo) {
    EscribirArchivoAtomico(ruta, TextoArchivo(memo));
}

} // namespace ArchivoFormato
