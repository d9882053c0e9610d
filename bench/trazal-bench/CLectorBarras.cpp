#include "CLectorBarras.h"

#include "CLectorTexto.h"
#include "ControlInstancia.h"
#include "TextosBanco.h"
#include "document/UExcepciones.h"

#include <fstream>

RInstancia CLectorBarras::Leer(std::istream& entrada, const std::string& grupo,
                               const std::string& nombre) {
    CLectorTexto lector(entrada, nombre);
    RInstancia r;
    r.Familia = EFamilia::Barras;
    r.Grupo = grupo;
    r.Nombre = nombre;
    r.Barras = true;
    const long long tipos = lector.Linea(1)[0];
    if (tipos < 1 || tipos > ControlInstancia::MaximoTipos) {
        lector.Error();
    }
    const long long capacidad = lector.Linea(1)[0];
    if (capacidad < 1) {
        lector.Error();
    }
    r.Materiales.push_back({capacidad, 1});
    for (long long i = 0; i < tipos; ++i) {
        const auto v = lector.Linea(2);
        if (v[0] < 1 || v[1] < 1) {
            lector.Error();
        }
        r.Piezas.push_back({v[0], 1, v[1]});
    }
    if (!lector.Fin()) {
        lector.Error();
    }
    ControlInstancia::MarcarSiNoCabe(r);
    return r;
}

RInstancia CLectorBarras::LeerArchivo(const std::filesystem::path& ruta, const std::string& grupo,
                                      const std::string& nombre) {
    std::ifstream entrada(ruta, std::ios::binary);
    if (!entrada) {
        throw EArchivo(std::string(TextosBanco::ArchivoIlegible) + ruta.string());
    }
    return Leer(entrada, grupo, nombre);
}
