#include "CLectorHojas.h"

#include "CLectorTexto.h"
#include "ControlInstancia.h"
#include "TextosBanco.h"
#include "document/UExcepciones.h"

#include <fstream>

RInstancia CLectorHojas::Leer(std::istream& entrada, const std::string& nombre) {
    CLectorTexto lector(entrada, nombre);
    RInstancia r;
    r.Familia = EFamilia::Hojas;
    r.Grupo = "gcut";
    r.Nombre = nombre;
    const auto cabecera = lector.Linea(3);
    const long long tiposHoja = cabecera[1];
    const long long tiposPieza = cabecera[2];
    if (cabecera[0] != 2 || tiposHoja < 1 || tiposHoja > ControlInstancia::MaximoTipos ||
        tiposPieza < 1 || tiposPieza > ControlInstancia::MaximoTipos) {
        lector.Error();
    }
    for (long long j = 0; j < tiposHoja; ++j) {
        const auto v = lector.Linea(3);
        // The cost is the sheet's area in these files; anything else would measure
        // something the program does not minimise.
        if (v[0] < 1 || v[1] < 1 || v[2] != v[0] * v[1]) {
            lector.Error();
        }
        r.Materiales.push_back({v[0], v[1]});
    }
    for (long long i = 0; i < tiposPieza; ++i) {
        const auto v = lector.Linea(3);
        if (v[0] < 1 || v[1] < 1 || v[2] < 1) {
            lector.Error();
        }
        r.Piezas.push_back({v[0], v[1], v[2]});
    }
    if (lector.QuedanNumeros()) {
        lector.Error();
    }
    ControlInstancia::MarcarSiNoCabe(r);
    return r;
}

RInstancia CLectorHojas::LeerArchivo(const std::filesystem::path& ruta, const std::string& nombre) {
    std::ifstream entrada(ruta, std::ios::binary);
    if (!entrada) {
        throw EArchivo(std::string(TextosBanco::ArchivoIlegible) + ruta.string());
    }
    return Leer(entrada, nombre);
}
