#include "document/UEntorno.h"

#include "document/CAlmacenEntorno.h"

#include <filesystem>
#include <system_error>

std::string CarpetaAplicacion;
ROpciones OpcionesPredeterminadas;
std::string FormatoEtiPredeterminado;
REntorno Entorno;
std::atomic<bool> ApagarAlTerminar{false};

namespace {
// The screen the program started on, for resetting Entorno to its defaults.
int AnchoPantallaInicial = 0;
int AltoPantallaInicial = 0;
} // namespace

void InicializarGlobales(const std::string& rutaPrograma, int anchoPantalla, int altoPantalla,
                         CAlmacenEntorno* almacen) {
    ApagarAlTerminar = false;
    FormatoEtiPredeterminado = FormatoEtiPorDefecto();
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path programa = fs::absolute(fs::path(rutaPrograma), ec);
    if (ec) {
        programa = fs::path(rutaPrograma);
    }
    std::string carpeta = programa.parent_path().lexically_normal().string();
    if (carpeta.empty() || carpeta.back() != fs::path::preferred_separator) {
        carpeta += fs::path::preferred_separator;
    }
    CarpetaAplicacion = carpeta;
    OpcionesPredeterminadas = OpcionesPorDefecto();
    AnchoPantallaInicial = anchoPantalla;
    AltoPantallaInicial = altoPantalla;
    Entorno = REntorno::PorDefecto(anchoPantalla, altoPantalla, CarpetaAplicacion);
    if (almacen != nullptr) {
        LeerEntorno(*almacen);
    }
}

void LeerEntorno(CAlmacenEntorno& almacen) {
    std::vector<std::uint8_t> valor;
    if (!almacen.Leer(valor)) {
        return;
    }
    REntorno leido = Entorno;
    if (leido.DesdeBytes(valor)) {
        Entorno = leido;
    } else {
        Entorno =
            REntorno::PorDefecto(AnchoPantallaInicial, AltoPantallaInicial, CarpetaAplicacion);
    }
}

bool GuardarEntorno(CAlmacenEntorno& almacen) {
    return almacen.Escribir(Entorno.ABytes());
}
