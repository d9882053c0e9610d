#include "CValoresConocidos.h"

#include "TextosBanco.h"
#include "document/UExcepciones.h"
#include "document/UGlobals.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <vector>

namespace {

std::vector<std::string> Campos(const std::string& linea) {
    std::vector<std::string> campos;
    std::string actual;
    for (char c : linea) {
        if (c == ',') {
            campos.push_back(Recortar(actual));
            actual.clear();
        } else if (c != '\r') {
            actual += c;
        }
    }
    campos.push_back(Recortar(actual));
    return campos;
}

bool LeerReal(const std::string& texto, double& valor) {
    const char* inicio = texto.data();
    const char* fin = texto.data() + texto.size();
    const auto r = std::from_chars(inicio, fin, valor);
    return r.ec == std::errc() && r.ptr == fin && std::isfinite(valor);
}

// Column index by header name; -1 when absent.
int Columna(const std::vector<std::string>& cabecera, const std::string& nombre) {
    for (std::size_t i = 0; i < cabecera.size(); ++i) {
        if (cabecera[i] == nombre) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::string Clave(const std::string& clave, const std::string& nombre) {
    return clave + "|" + nombre;
}

// Rows read from a table; a table that never ends is not read to the end.
constexpr int MaximoFilas = 100000;

} // namespace

void CValoresConocidos::LeerBarras(std::istream& entrada) {
    std::string linea;
    if (!std::getline(entrada, linea)) {
        return;
    }
    const auto cabecera = Campos(linea);
    const int cArchivo = Columna(cabecera, "file");
    const int cLp = Columna(cabecera, "gg_lp_bound");
    const int cOpt = Columna(cabecera, "opt_ub");
    const int cOptInf = Columna(cabecera, "opt_lb");
    if (cArchivo < 0 || cOpt < 0) {
        throw EArchivo(std::string(TextosBanco::FormatoIncorrecto) + "bkv_and_lp.csv");
    }
    for (int fila = 0; fila < MaximoFilas && std::getline(entrada, linea); ++fila) {
        const auto campos = Campos(linea);
        if (static_cast<int>(campos.size()) != static_cast<int>(cabecera.size())) {
            continue;
        }
        RValorConocido v;
        double opt = 0;
        double optInf = 0;
        if (!LeerReal(campos[static_cast<std::size_t>(cOpt)], opt)) {
            continue;
        }
        // Only a proven optimum is a fair target; an open instance keeps its upper bound.
        if (cOptInf >= 0 && LeerReal(campos[static_cast<std::size_t>(cOptInf)], optInf) &&
            optInf != opt) {
            opt = std::max(opt, optInf);
        }
        v.Mejor = opt;
        double lp = 0;
        if (cLp >= 0 && LeerReal(campos[static_cast<std::size_t>(cLp)], lp)) {
            v.Cota = lp;
        }
        const std::string& archivo = campos[static_cast<std::size_t>(cArchivo)];
        FValores[Clave("opt", archivo)] = v;
        FArchivosBarras.push_back(archivo);
    }
}

void CValoresConocidos::LeerHojas(std::istream& entrada, const std::string& clave) {
    std::string linea;
    if (!std::getline(entrada, linea)) {
        return;
    }
    const auto cabecera = Campos(linea);
    const int cRuta = Columna(cabecera, "Path");
    const int cMejor = Columna(cabecera, "Best known solution value");
    const int cCota = Columna(cabecera, "Best known bound");
    const int cFurini = Columna(cabecera, "furini2012 / Solution value");
    if (cRuta < 0 || cMejor < 0) {
        throw EArchivo(std::string(TextosBanco::FormatoIncorrecto) + clave);
    }
    for (int fila = 0; fila < MaximoFilas && std::getline(entrada, linea); ++fila) {
        const auto campos = Campos(linea);
        if (campos.size() != cabecera.size()) {
            continue;
        }
        RValorConocido v;
        if (!LeerReal(campos[static_cast<std::size_t>(cMejor)], v.Mejor)) {
            continue;
        }
        // A best known cost that is not whole cannot be the cost of real sheets (it is a
        // bound misfiled as a value); the best published whole value stands in for it.
        double furini = 0;
        if (v.Mejor != std::floor(v.Mejor) && cFurini >= 0 &&
            LeerReal(campos[static_cast<std::size_t>(cFurini)], furini)) {
            v.Mejor = furini;
        }
        double cota = 0;
        if (cCota >= 0 && LeerReal(campos[static_cast<std::size_t>(cCota)], cota)) {
            v.Cota = cota;
        }
        std::string nombre = campos[static_cast<std::size_t>(cRuta)];
        const auto barra = nombre.rfind('/');
        if (barra != std::string::npos) {
            nombre = nombre.substr(barra + 1);
        }
        const auto punto = nombre.rfind('.');
        if (punto != std::string::npos) {
            nombre = nombre.substr(0, punto);
        }
        FValores[Clave(clave, nombre)] = v;
    }
}

void CValoresConocidos::LeerClases(std::istream& entrada) {
    std::string linea;
    if (!std::getline(entrada, linea)) {
        return;
    }
    const auto cabecera = Campos(linea);
    const int cClase = Columna(cabecera, "class");
    const int cN = Columna(cabecera, "n");
    const int cInstancia = Columna(cabecera, "instance");
    const int cO = Columna(cabecera, "bkv_3stage_oriented_3NHO");
    const int cR = Columna(cabecera, "bkv_3stage_rotation_3NHR");
    if (cClase < 0 || cN < 0 || cInstancia < 0 || cO < 0 || cR < 0) {
        throw EArchivo(std::string(TextosBanco::FormatoIncorrecto) + "bkv.csv");
    }
    for (int fila = 0; fila < MaximoFilas && std::getline(entrada, linea); ++fila) {
        const auto campos = Campos(linea);
        if (campos.size() != cabecera.size()) {
            continue;
        }
        long long clase = 0;
        long long n = 0;
        long long inst = 0;
        if (!LeerEntero(campos[static_cast<std::size_t>(cClase)], clase) ||
            !LeerEntero(campos[static_cast<std::size_t>(cN)], n) ||
            !LeerEntero(campos[static_cast<std::size_t>(cInstancia)], inst)) {
            continue;
        }
        const std::string nombre = (clase < 10 ? "0" : "") + std::to_string(clase) + "/" +
                                   std::to_string(n) + "/" + std::to_string(inst);
        RValorConocido o;
        RValorConocido r;
        if (LeerReal(campos[static_cast<std::size_t>(cO)], o.Mejor)) {
            FValores[Clave("3NHO", nombre)] = o;
        }
        if (LeerReal(campos[static_cast<std::size_t>(cR)], r.Mejor)) {
            FValores[Clave("3NHR", nombre)] = r;
        }
    }
}

void CValoresConocidos::LeerCarpeta(const std::filesystem::path& carpeta) {
    auto abrir = [](const std::filesystem::path& ruta, auto&& leer) {
        std::ifstream entrada(ruta, std::ios::binary);
        if (entrada) {
            leer(entrada);
        }
    };
    abrir(carpeta / "1d" / "bkv_and_lp.csv", [&](std::istream& e) { LeerBarras(e); });
    abrir(carpeta / "2d" / "cintra2008" / "bkv_variable_sized_2NHO.csv",
          [&](std::istream& e) { LeerHojas(e, "2NHO"); });
    abrir(carpeta / "2d" / "cintra2008" / "bkv_variable_sized_2NHR.csv",
          [&](std::istream& e) { LeerHojas(e, "2NHR"); });
    abrir(carpeta / "2d" / "berkey_wang_martello_vigo" / "bkv.csv",
          [&](std::istream& e) { LeerClases(e); });
}

std::optional<RValorConocido> CValoresConocidos::Buscar(const std::string& clave,
                                                        const std::string& nombre) const {
    const auto it = FValores.find(Clave(clave, nombre));
    if (it == FValores.end()) {
        return std::nullopt;
    }
    return it->second;
}
