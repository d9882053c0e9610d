#include "CLectorClases.h"

#include "CLectorTexto.h"
#include "ControlInstancia.h"
#include "TextosBanco.h"
#include "document/UExcepciones.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <utility>

std::vector<RInstancia> CLectorClases::Leer(std::istream& entrada, const std::string& nombre) {
    CLectorTexto lector(entrada, nombre);
    std::vector<RInstancia> instancias;
    while (!lector.Fin()) {
        const long long clase = lector.Linea(1)[0];
        const long long n = lector.Linea(1)[0];
        const long long relativo = lector.Linea(2)[0];
        const auto bin = lector.Linea(2);
        if (clase < 1 || n < 1 || n > ControlInstancia::MaximoTipos || bin[0] < 1 || bin[1] < 1) {
            lector.Error();
        }
        if (instancias.size() >= static_cast<std::size_t>(ControlInstancia::MaximoTipos)) {
            lector.Error();
        }
        RInstancia r;
        r.Familia = EFamilia::Clases;
        const std::string textoClase = (clase < 10 ? "0" : "") + std::to_string(clase);
        r.Grupo = "Class_" + textoClase + " n=" + std::to_string(n);
        r.Nombre = textoClase + "/" + std::to_string(n) + "/" + std::to_string(relativo);
        // Length runs along the bin's width, the program's width along its height.
        r.Materiales.push_back({bin[1], bin[0]});
        // Items of equal size are one piece with a quantity, as a workshop would enter them;
        // the first appearance keeps the order of the file.
        std::map<std::pair<long long, long long>, std::size_t> vistas;
        for (long long i = 0; i < n; ++i) {
            const auto v = lector.Linea(2);
            if (v[0] < 1 || v[1] < 1) {
                lector.Error();
            }
            const auto clave = std::make_pair(v[1], v[0]);
            const auto encontrada = vistas.find(clave);
            if (encontrada != vistas.end()) {
                ++r.Piezas[encontrada->second].Cantidad;
            } else {
                vistas.emplace(clave, r.Piezas.size());
                r.Piezas.push_back({v[1], v[0], 1});
            }
        }
        ControlInstancia::MarcarSiNoCabe(r);
        instancias.push_back(std::move(r));
    }
    return instancias;
}

std::vector<RInstancia> CLectorClases::LeerArchivo(const std::filesystem::path& ruta) {
    std::ifstream entrada(ruta, std::ios::binary);
    if (!entrada) {
        throw EArchivo(std::string(TextosBanco::ArchivoIlegible) + ruta.string());
    }
    return Leer(entrada, ruta.filename().string());
}
