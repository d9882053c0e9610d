#include "patterns/CGeneradorEtiqueta.h"

#include "document/CLanzamiento.h"
#include "patterns/CCorte.h"
#include "patterns/CPatron.h"

namespace {

void ReemplazarTodo(std::string& s, const std::string& de, const std::string& por) {
    for (std::size_t p = s.find(de); p != std::string::npos; p = s.find(de, p + por.size())) {
        s.replace(p, de.size(), por);
    }
}

} // namespace

CGeneradorEtiqueta::CGeneradorEtiqueta(const CLanzamiento& lanzamiento,
                                       const std::array<std::string, CantidadPartes>& partes)
    : FPartes(partes), FOpciones(lanzamiento.Opciones()) {
    FOpciones.EtiCorte = true;
    FOpciones.EtiPieza = true;
    FOpciones.ChequearSobrante = true;
    FOpciones.LargoMinimoSobrante = 100;
    FOpciones.AnchoMinimoSobrante = 100;
    FMuestra = CPatron::Create(1, 0, &lanzamiento);
    FMuestra->SetOpciones(&FOpciones);
    auto raiz = CCorte::Create(1000, 800, 1, 0, 0, 0, 0, 0);
    raiz->SetHijo1(CCorte::Create(500, 800, 0, 200, 180, 1, 2, 4));
    auto resto = CCorte::Create(500, 800, -1, 0, 0, 0, 0, 0);
    resto->SetHijo1(CCorte::Create(500, 95, 0, 0, 0, 0, 0, 0));
    resto->SetHijo2(CCorte::Create(500, 705, 0, 0, 0, 0, 0, 0));
    raiz->SetHijo2(std::move(resto));
    FMuestra->SetRaiz(std::move(raiz));
    FMuestra->RecontarPiezas(1);
    Componer();
}

CGeneradorEtiqueta::~CGeneradorEtiqueta() = default;

const std::string& CGeneradorEtiqueta::Parte(int i) const {
    return FPartes.at(static_cast<std::size_t>(i));
}

void CGeneradorEtiqueta::FijarParte(int i, const std::string& formato) {
    FPartes.at(static_cast<std::size_t>(i)) = formato;
    Componer();
}

std::array<std::string, 12> CGeneradorEtiqueta::Lineas() const {
    return {"\\if#DIR=0\\then", "  \\if#P<>0 \\then", FPartes[Pieza],           "  \\else",
            FPartes[Sobrante],  "  \\endif",          "\\else\\if#DIR=1\\then", FPartes[CorteVer],
            "     \\else",      FPartes[CorteHor],    "     \\endif",           "\\endif"};
}

std::string CGeneradorEtiqueta::FormatoComun() const {
    std::string r;
    for (const std::string& linea : Lineas()) {
        r += linea + "\\ret";
    }
    ReemplazarTodo(r, "\\def", "");
    return r;
}

std::string CGeneradorEtiqueta::TextoMemo() const {
    std::string r;
    for (const std::string& linea : Lineas()) {
        if (!r.empty()) {
            r += "\n";
        }
        r += linea;
    }
    ReemplazarTodo(r, "\\ret", "\n");
    return r;
}

void CGeneradorEtiqueta::Componer() {
    FOpciones.FormatoEti = FormatoComun();
}
