#include "document/CImportacionGrilla.h"

#include "document/CImportacion.h"
#include "document/CLanzamiento.h"
#include "document/UExcepciones.h"
#include "document/UGlobals.h"
#include "document/UTextos.h"

#include <algorithm>

CImportacionGrilla::CImportacionGrilla(CEdicionLanzamiento& edicion, TGrilla grilla,
                                       CImportacion& importacion,
                                       CEdicionLanzamiento::FuncionPreguntar preguntar)
    : FEdicion(edicion), FGrilla(grilla), FImportacion(importacion),
      FPreguntar(std::move(preguntar)) {
    importacion.LimpiarCampos();
    DeclararCampos(importacion);
    importacion.OnAntes = [this] { Antes(); };
    importacion.OnRegistro = [this](const TValoresFila& v, int n, int f) { Registro(v, n, f); };
    importacion.OnDespues = [this] { FEdicion.Lanzamiento().MarcarModificado(); };
    FFila = std::max(1, FEdicion.Grilla(FGrilla).Filas() - 1);
}

void CImportacionGrilla::DeclararCampos(CImportacion& importacion) {
    importacion.AgregarCampo(Textos::CampoLargo, "A", "");
    importacion.AgregarCampo(Textos::CampoAncho, "B", "");
    importacion.AgregarCampo(Textos::CampoCantidad, "C", "");
    importacion.AgregarCampo(Textos::CampoDesc1, "D", "");
    importacion.AgregarCampo(Textos::CampoDesc2, "E", "");
}

void CImportacionGrilla::Antes() {
    if (FPreguntar &&
        FPreguntar(Textos::ImportarContinuar, Respuesta::No, false) != Respuesta::Si) {
        throw EUserAbortImport();
    }
    FFila = std::max(1, FEdicion.Grilla(FGrilla).Filas() - 1);
}

bool CImportacionGrilla::FilaOcupada() const {
    const CGrilla& g = FEdicion.Grilla(FGrilla);
    std::string texto;
    for (int c = 0; c < CEdicionLanzamiento::ColumnasDatos; ++c) {
        for (const char ch : g.Celda(FFila, c)) {
            if (ch != '\r' && ch != '\n') {
                texto += ch;
            }
        }
    }
    return Recortar(texto) != std::to_string(FFila);
}

void CImportacionGrilla::Registro(const TValoresFila& valores, int campos, int fila) {
    try {
        if (FFila >= FEdicion.Grilla(FGrilla).Filas() || FilaOcupada()) {
            FFila = FEdicion.Adicionar(FGrilla);
        }
        for (int c = 0; c < std::min(campos, 5); ++c) {
            const auto& v = valores[static_cast<std::size_t>(c)];
            FEdicion.AsignarCelda(FGrilla, FFila, c + 1, v ? *v : std::string());
        }
        FImportacion.AnotarCorrecto();
    } catch (const std::exception& e) {
        FImportacion.AnotarError(fila, e.what());
    }
}
