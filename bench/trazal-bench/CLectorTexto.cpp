#include "CLectorTexto.h"

#include "TextosBanco.h"
#include "document/UExcepciones.h"
#include "document/UGlobals.h"

#include <sstream>

namespace {

// Longest line accepted: the files hold a few numbers per line.
constexpr std::size_t LargoMaximoLinea = 4096;

} // namespace

CLectorTexto::CLectorTexto(std::istream& entrada, std::string nombre)
    : FEntrada(entrada), FNombre(std::move(nombre)) {}

bool CLectorTexto::SiguienteNoVacia(std::string& linea) {
    if (FHayPendiente) {
        FHayPendiente = false;
        linea = FPendiente;
        return true;
    }
    while (std::getline(FEntrada, linea)) {
        ++FNumeroLinea;
        if (linea.size() > LargoMaximoLinea) {
            Error();
        }
        if (!Recortar(linea).empty()) {
            return true;
        }
    }
    return false;
}

std::vector<long long> CLectorTexto::Linea(std::size_t minimo) {
    std::string linea;
    if (!SiguienteNoVacia(linea)) {
        Error();
    }
    std::vector<long long> numeros;
    std::istringstream palabras(linea);
    std::string palabra;
    long long valor = 0;
    while (palabras >> palabra && LeerEntero(palabra, valor)) {
        numeros.push_back(valor);
    }
    if (numeros.size() < minimo) {
        Error();
    }
    return numeros;
}

bool CLectorTexto::Fin() {
    std::string linea;
    if (!SiguienteNoVacia(linea)) {
        return true;
    }
    FPendiente = linea;
    FHayPendiente = true;
    return false;
}

bool CLectorTexto::QuedanNumeros() {
    std::string linea;
    for (int resto = 0; resto < 1000 && SiguienteNoVacia(linea); ++resto) {
        std::istringstream palabras(linea);
        std::string palabra;
        long long valor = 0;
        if (palabras >> palabra && LeerEntero(palabra, valor)) {
            return true;
        }
    }
    return !Fin();
}

void CLectorTexto::Error() const {
    throw EArchivo(std::string(TextosBanco::FormatoIncorrecto) + FNombre + ":" +
                   std::to_string(FNumeroLinea));
}
