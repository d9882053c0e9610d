#include "document/CEdicionLanzamiento.h"

#include "document/CLanzamiento.h"
#include "document/UEntorno.h"
#include "document/UExcepciones.h"
#include "document/UGlobals.h"
#include "document/ULongitudes.h"
#include "document/UTextos.h"
#include "engine/CCalculo.h"
#include "engine/CIteradorSol.h"
#include "engine/CSolucion.h"
#include "patterns/CCorte.h"
#include "patterns/CPatron.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <numeric>

namespace {

// A count typed in a grid: a whole number from 0 to the largest length.
std::int32_t LeerCantidad(const std::string& texto) {
    long long q = 0;
    if (!LeerEntero(texto, q)) {
        throw EConversion("'" + texto + "'" + Textos::NoEsEntero);
    }
    if (q < 0) {
        throw EConversion(Textos::ValorNegativo);
    }
    if (q > LongitudMaxima) {
        throw EConversion(std::string(Textos::ExcedeMaximo) + " (" +
                          std::to_string(LongitudMaxima) + ")");
    }
    return static_cast<std::int32_t>(q);
}

constexpr const char* EtiquetaData = "%Data%";
// A pasted block may not be longer than a grid may ever be.
constexpr long long FilasMaximasBloque = 65535;

std::string Reemplazar(std::string texto, const std::string& nombre) {
    const auto p = texto.find('%');
    if (p != std::string::npos) {
        texto.replace(p, 1, nombre);
    }
    return texto;
}

std::string Fijo2(double x) {
    char b[64];
    std::snprintf(b, sizeof b, "%.2f", x);
    return b;
}

std::string PorCiento(double x) {
    return Fijo2(Porcentaje(x, 2));
}

std::vector<std::string> Partir(const std::string& texto, char sep) {
    std::vector<std::string> partes;
    std::size_t inicio = 0;
    for (;;) {
        const auto p = texto.find(sep, inicio);
        if (p == std::string::npos) {
            partes.push_back(texto.substr(inicio));
            return partes;
        }
        partes.push_back(texto.substr(inicio, p - inicio));
        inicio = p + 1;
    }
}

// The four bounds and the values of a "%Data%," text; false when it is not well formed.
struct RBloque {
    long long Izq = 0, Sup = 0, Der = 0, Inf = 0;
    std::vector<std::string> Valores;
};

bool LeerBloque(const std::string& texto, RBloque& b) {
    if (texto.rfind(std::string(EtiquetaData) + ",", 0) != 0) {
        return false;
    }
    // Bound the work before splitting: a block holds at most one value per comma.
    auto partes = Partir(texto, ',');
    // The text ends with ",": the last part is empty.
    if (partes.size() < 6 || !Recortar(partes.back()).empty()) {
        return false;
    }
    partes.pop_back();
    long long* limites[4] = {&b.Izq, &b.Sup, &b.Der, &b.Inf};
    for (int i = 0; i < 4; ++i) {
        if (!LeerEntero(Recortar(partes[static_cast<std::size_t>(i) + 1]), *limites[i])) {
            return false;
        }
    }
    if (b.Izq < 0 || b.Sup < 0 || b.Der < b.Izq || b.Inf < b.Sup ||
        b.Inf - b.Sup + 1 > FilasMaximasBloque || b.Der - b.Izq + 1 > FilasMaximasBloque) {
        return false;
    }
    const long long cuenta = (b.Der - b.Izq + 1) * (b.Inf - b.Sup + 1);
    if (cuenta != static_cast<long long>(partes.size()) - 5) {
        return false;
    }
    b.Valores.assign(partes.begin() + 5, partes.end());
    return true;
}

} // namespace

CEdicionLanzamiento::CEdicionLanzamiento(std::unique_ptr<CLanzamiento> lanzamiento)
    : FLanzamiento(std::move(lanzamiento)), FPiezas(2, ColumnasDatos),
      FMateriales(2, ColumnasDatos) {
    for (CGrilla* g : {&FPiezas, &FMateriales}) {
        for (int c = 0; c < ColumnasDatos; ++c) {
            g->AsignarCelda(0, c, Textos::ColumnasDatos[c]);
        }
        g->AsignarCelda(1, 0, "1");
    }
    FPreguntar = [](const std::string&, int defecto, bool) { return defecto; };
    FAvisar = [](const std::string&) {};
}

CEdicionLanzamiento::~CEdicionLanzamiento() = default;

void CEdicionLanzamiento::LeerDelLanzamiento() {
    // Each grid is read on its own, so a damaged section leaves the other one shown.
    std::string error;
    try {
        FLanzamiento->LeerPiezas(FPiezas);
    } catch (const std::exception& e) {
        error = e.what();
    }
    try {
        FLanzamiento->LeerMateriales(FMateriales);
    } catch (const std::exception& e) {
        if (error.empty()) {
            error = e.what();
        }
    }
    for (CGrilla* g : {&FPiezas, &FMateriales}) {
        NumerarFilas(*g);
    }
    ConstruirResultados();
    if (!error.empty()) {
        throw EConversion(error);
    }
}

// ---- Cells ---------------------------------------------------------------------------------

bool CEdicionLanzamiento::FilaEnLanzamiento(TGrilla g, int fila) const {
    try {
        const int n = g == TGrilla::Piezas ? FLanzamiento->CantidadPiezas()
                                           : FLanzamiento->CantidadMateriales();
        return fila >= 1 && fila <= n;
    } catch (const EConversion&) {
        return false;
    }
}

bool CEdicionLanzamiento::ConfirmarReinicio() {
    if (FLanzamiento->Solucion().Cantidad() == 0) {
        return true;
    }
    if (FPreguntar(Textos::ReinicializarSolucion, Respuesta::No, false) != Respuesta::Si) {
        return false;
    }
    ReinicializarSolucion();
    return true;
}

void CEdicionLanzamiento::Modificado() {
    FLanzamiento->MarcarModificado();
}

void CEdicionLanzamiento::NumerarFilas(CGrilla& grilla) const {
    for (int f = 1; f < grilla.Filas(); ++f) {
        grilla.AsignarCelda(f, 0, std::to_string(f));
    }
}

std::string CEdicionLanzamiento::ValorCelda(TGrilla, int col, const std::string& texto) const {
    if (col == ColLargo || col == ColAncho) {
        if (texto.empty()) {
            return texto;
        }
        const ROpciones& o = FLanzamiento->Opciones();
        const std::int32_t v = LeerLongitud(texto, o);
        return v >= 1 ? FormatearLongitud(v, o) : std::string();
    }
    if (col == ColCantidad && !texto.empty()) {
        LeerCantidad(texto);
    }
    return texto;
}

bool CEdicionLanzamiento::AsignarCelda(TGrilla g, int fila, int col, const std::string& texto) {
    CGrilla& grilla = Grilla(g);
    if (fila < 1 || fila >= grilla.Filas() || col < 1 || col >= ColumnasDatos) {
        return true;
    }
    const std::string valor = ValorCelda(g, col, Recortar(texto));
    if (valor == grilla.Celda(fila, col)) {
        return true;
    }
    if ((col == ColLargo || col == ColAncho) && FilaEnLanzamiento(g, fila) &&
        !ConfirmarReinicio()) {
        return false;
    }
    grilla.AsignarCelda(fila, col, valor);
    Modificado();
    return true;
}

bool CEdicionLanzamiento::AsignarSeleccion(TGrilla g, const RSeleccion& sel,
                                           const std::string& texto) {
    const std::string valor = Recortar(texto);
    for (int f = sel.Sup; f <= sel.Inf; ++f) {
        for (int c = sel.Izq; c <= sel.Der; ++c) {
            if (!AsignarCelda(g, f, c, valor)) {
                return false;
            }
        }
    }
    return true;
}

bool CEdicionLanzamiento::AlternarAct(TGrilla g, int fila) {
    const std::string& actual = Grilla(g).Celda(fila, ColAct);
    return AsignarCelda(g, fila, ColAct, actual == "0" ? "1" : "0");
}

RSeleccion CEdicionLanzamiento::SiguienteCelda(TGrilla g, int fila, int col) const {
    if (col < ColumnasDatos - 1) {
        return {col + 1, fila, col + 1, fila};
    }
    const int siguiente = fila + 1 < Grilla(g).Filas() ? fila + 1 : fila;
    return {1, siguiente, 1, siguiente};
}

// ---- Rows ----------------------------------------------------------------------------------

int CEdicionLanzamiento::Adicionar(TGrilla g) {
    CGrilla& grilla = Grilla(g);
    if (grilla.Filas() - 1 >= CLanzamiento::CantidadMaxima) {
        throw EConversion(std::string(Textos::DemasiadasFilas) +
                          std::to_string(CLanzamiento::CantidadMaxima));
    }
    grilla.AsignarFilas(grilla.Filas() + 1);
    const int fila = grilla.Filas() - 1;
    grilla.AsignarCelda(fila, 0, std::to_string(fila));
    Modificado();
    return fila;
}

bool CEdicionLanzamiento::Insertar(TGrilla g, int fila) {
    CGrilla& grilla = Grilla(g);
    fila = std::clamp(fila, 1, grilla.Filas() - 1);
    if (FilaEnLanzamiento(g, fila) && !ConfirmarReinicio()) {
        return false;
    }
    if (grilla.Filas() - 1 >= CLanzamiento::CantidadMaxima) {
        throw EConversion(std::string(Textos::DemasiadasFilas) +
                          std::to_string(CLanzamiento::CantidadMaxima));
    }
    grilla.AsignarFilas(grilla.Filas() + 1);
    for (int f = grilla.Filas() - 1; f > fila; --f) {
        for (int c = 1; c < ColumnasDatos; ++c) {
            grilla.AsignarCelda(f, c, grilla.Celda(f - 1, c));
        }
    }
    for (int c = 1; c < ColumnasDatos; ++c) {
        grilla.AsignarCelda(fila, c, "");
    }
    NumerarFilas(grilla);
    Modificado();
    return true;
}

int CEdicionLanzamiento::Eliminar(TGrilla g, const RSeleccion& sel) {
    CGrilla& grilla = Grilla(g);
    const int sup = std::max(1, sel.Sup);
    const int inf = std::min(grilla.Filas() - 1, sel.Inf);
    if (inf < sup) {
        return std::max(1, std::min(sel.Sup, grilla.Filas() - 1));
    }
    const bool tocaLongitudes = sel.Izq <= ColAncho && sel.Der >= ColLargo;
    if (tocaLongitudes) {
        bool existe = false;
        for (int f = sup; f <= inf && !existe; ++f) {
            existe = FilaEnLanzamiento(g, f);
        }
        if (existe && !ConfirmarReinicio()) {
            return 0;
        }
    }
    if (!(sel.Izq <= 1 && sel.Der >= ColumnasDatos - 1)) {
        for (int f = sup; f <= inf; ++f) {
            for (int c = std::max(1, sel.Izq); c <= std::min(ColumnasDatos - 1, sel.Der); ++c) {
                grilla.AsignarCelda(f, c, "");
            }
        }
        Modificado();
        return sup;
    }
    const int quitar = inf - sup + 1;
    const int filas = grilla.Filas();
    for (int f = sup; f + quitar < filas; ++f) {
        for (int c = 1; c < ColumnasDatos; ++c) {
            grilla.AsignarCelda(f, c, grilla.Celda(f + quitar, c));
        }
    }
    grilla.AsignarFilas(std::max(2, filas - quitar));
    if (filas - quitar < 2) {
        for (int c = 1; c < ColumnasDatos; ++c) {
            grilla.AsignarCelda(1, c, "");
        }
    }
    NumerarFilas(grilla);
    Modificado();
    return std::min(sup, grilla.Filas() - 1);
}

bool CEdicionLanzamiento::QuitarUltimaFilaVacia(TGrilla g) {
    CGrilla& grilla = Grilla(g);
    const int ultima = grilla.Filas() - 1;
    if (ultima < 2) {
        return false;
    }
    for (int c = 1; c < ColumnasDatos; ++c) {
        if (!grilla.Celda(ultima, c).empty()) {
            return false;
        }
    }
    grilla.AsignarFilas(ultima);
    Modificado();
    return true;
}

// ---- Clipboard -----------------------------------------------------------------------------

std::string CEdicionLanzamiento::Copiar(TGrilla g, const RSeleccion& sel) const {
    const CGrilla& grilla = Grilla(g);
    std::string texto = std::string(EtiquetaData) + ",";
    for (int v : {sel.Izq, sel.Sup, sel.Der, sel.Inf}) {
        texto += std::to_string(v) + ",";
    }
    for (int f = sel.Sup; f <= sel.Inf; ++f) {
        for (int c = sel.Izq; c <= sel.Der; ++c) {
            texto += grilla.Celda(f, c) + ",";
        }
    }
    return texto;
}

bool CEdicionLanzamiento::EsBloqueCeldas(const std::string& texto) {
    RBloque b;
    return LeerBloque(texto, b);
}

RSeleccion CEdicionLanzamiento::Pegar(TGrilla g, int fila, int col, const std::string& texto) {
    RBloque b;
    if (!LeerBloque(texto, b)) {
        throw EConversion(Textos::PortapapelesIncorrecto);
    }
    const int alto = static_cast<int>(b.Inf - b.Sup + 1);
    const int ancho = static_cast<int>(b.Der - b.Izq + 1);
    CGrilla& grilla = Grilla(g);
    fila = std::max(1, fila);
    col = std::max(1, col);
    if (static_cast<long long>(fila) + alto - 1 > CLanzamiento::CantidadMaxima) {
        throw EConversion(std::string(Textos::DemasiadasFilas) +
                          std::to_string(CLanzamiento::CantidadMaxima));
    }
    while (grilla.Filas() - 1 < fila + alto - 1) {
        Adicionar(g);
    }
    std::size_t i = 0;
    for (int f = 0; f < alto; ++f) {
        for (int c = 0; c < ancho; ++c, ++i) {
            if (col + c < ColumnasDatos) {
                AsignarCelda(g, fila + f, col + c, b.Valores[i]);
            }
        }
    }
    return {col, fila, std::min(ColumnasDatos - 1, col + ancho - 1), fila + alto - 1};
}

// ---- Manual order --------------------------------------------------------------------------

RSeleccion CEdicionLanzamiento::Subir(TGrilla g, const RSeleccion& sel) {
    CGrilla& grilla = Grilla(g);
    if (sel.Sup <= 1 || sel.Inf >= grilla.Filas()) {
        return sel;
    }
    bool existe = false;
    for (int f = sel.Sup - 1; f <= sel.Inf && !existe; ++f) {
        existe = FilaEnLanzamiento(g, f);
    }
    if (existe && !ConfirmarReinicio()) {
        return sel;
    }
    const std::string pasada = grilla.TextoFila(sel.Sup - 1);
    for (int f = sel.Sup; f <= sel.Inf; ++f) {
        grilla.AsignarTextoFila(f - 1, grilla.TextoFila(f));
    }
    grilla.AsignarTextoFila(sel.Inf, pasada);
    NumerarFilas(grilla);
    Modificado();
    return {sel.Izq, sel.Sup - 1, sel.Der, sel.Inf - 1};
}

RSeleccion CEdicionLanzamiento::Bajar(TGrilla g, const RSeleccion& sel) {
    CGrilla& grilla = Grilla(g);
    if (sel.Sup < 1 || sel.Inf >= grilla.Filas() - 1) {
        return sel;
    }
    bool existe = false;
    for (int f = sel.Sup; f <= sel.Inf + 1 && !existe; ++f) {
        existe = FilaEnLanzamiento(g, f);
    }
    if (existe && !ConfirmarReinicio()) {
        return sel;
    }
    const std::string pasada = grilla.TextoFila(sel.Inf + 1);
    for (int f = sel.Inf; f >= sel.Sup; --f) {
        grilla.AsignarTextoFila(f + 1, grilla.TextoFila(f));
    }
    grilla.AsignarTextoFila(sel.Sup, pasada);
    NumerarFilas(grilla);
    Modificado();
    return {sel.Izq, sel.Sup + 1, sel.Der, sel.Inf + 1};
}

void CEdicionLanzamiento::MultiplicarCantidades(TGrilla g, const RSeleccion& sel,
                                                const std::string& factor) {
    const std::string t = Recortar(factor);
    double x = 0.0;
    const auto r = std::from_chars(t.data(), t.data() + t.size(), x);
    if (t.empty() || r.ec != std::errc() || r.ptr != t.data() + t.size() || !(x > 0.0) ||
        !std::isfinite(x)) {
        throw EConversion(Textos::FactorIncorrecto);
    }
    GuardarGrillas();
    for (int f = std::max(1, sel.Sup); f <= std::min(sel.Inf, Grilla(g).Filas() - 1); ++f) {
        const std::string q = Recortar(Grilla(g).Celda(f, ColCantidad));
        long long n = 0;
        if (!LeerEntero(q, n)) {
            throw EConversion("'" + q + "'" + Textos::NoEsEntero);
        }
        // Ties to even: the default rounding of nearbyint.
        const double v = std::nearbyint(static_cast<double>(n) * x);
        AsignarCelda(g, f, ColCantidad,
                     v > 1e12 ? std::string("1000000000000")
                              : std::to_string(static_cast<long long>(v)));
    }
}

void CEdicionLanzamiento::GuardarGrillas() {
    FLanzamiento->EscribirPiezas(FPiezas);
    FLanzamiento->EscribirMateriales(FMateriales);
    if (FLanzamiento->CantidadPiezas() + ColumnasFijasResultados != FResultados.Columnas()) {
        ConstruirResultados();
    }
}

// ---- Results -------------------------------------------------------------------------------

void CEdicionLanzamiento::ConstruirResultados() {
    const CLanzamiento& job = *FLanzamiento;
    const CSolucion& s = job.Solucion();
    int np = 0;
    try {
        np = job.CantidadPiezas();
    } catch (const EConversion&) {
        np = 0;
    }
    FSlots.clear();
    CIteradorSol it(s);
    for (std::int32_t k = 0; it.Siguiente(k);) {
        FSlots.push_back(k);
    }
    const int n = static_cast<int>(FSlots.size());
    CGrilla& g = FResultados;
    g = CGrilla(n + 1 + FilasTotales, ColumnasFijasResultados + np);
    for (int c = 0; c < ColumnasFijasResultados; ++c) {
        g.AsignarCelda(0, c, Textos::ColumnasResultados[c]);
    }
    for (int i = 1; i <= np; ++i) {
        g.AsignarCelda(0, ColumnasFijasResultados + i - 1,
                       Textos::PrefijoColumnaPieza + std::to_string(i));
    }
    for (int f = 1; f <= n; ++f) {
        const std::int32_t k = FSlots[static_cast<std::size_t>(f) - 1];
        const CPatron* p = s.Patron(k);
        g.AsignarCelda(f, 0, std::to_string(k));
        g.AsignarCelda(f, 1, std::to_string(p->Material()) + ": " + p->TextoTamano());
        g.AsignarCelda(f, 2, PorCiento(p->Aprovechamiento()));
        g.AsignarCelda(f, 3, PorCiento(p->Sobrante()));
        g.AsignarCelda(f, 4, PorCiento(p->Desperdicio()));
        g.AsignarCelda(f, 5, Fijo2(p->Repeticion()));
        g.AsignarCelda(f, ColReal, std::to_string(s.RepActual(k)));
        const ACantidades& cant = p->CantPorPieza();
        for (int i = 1; i <= np && static_cast<std::size_t>(i) < cant.size(); ++i) {
            if (cant[static_cast<std::size_t>(i)] != 0) {
                g.AsignarCelda(f, ColumnasFijasResultados + i - 1,
                               std::to_string(cant[static_cast<std::size_t>(i)]));
            }
        }
    }
    const int total = n + 2;
    g.AsignarCelda(total, 0, Textos::TotalReal);
    g.AsignarCelda(total + 1, 0, Textos::AprovPorPieza);
    if (n > 0) {
        g.AsignarCelda(total, 2, PorCiento(s.AprovechamientoReal()));
        g.AsignarCelda(total, 3, PorCiento(s.SobranteReal()));
        g.AsignarCelda(total, 4, PorCiento(s.DesperdicioReal()));
        g.AsignarCelda(total, ColReal, std::to_string(s.TotalRepeticiones()));
        // Totals of every piece in one pass over the patterns: a table of a thousand pieces
        // would otherwise walk every pattern once per piece.
        const std::vector<RTotalesPieza> totales = s.TotalesPorPieza(np);
        for (int i = 1; i <= np; ++i) {
            const RTotalesPieza& t = totales[static_cast<std::size_t>(i)];
            g.AsignarCelda(total, ColumnasFijasResultados + i - 1, std::to_string(t.Produccion));
            g.AsignarCelda(total + 1, ColumnasFijasResultados + i - 1,
                           PorCiento(t.Aprovechamiento));
        }
    }
}

std::int32_t CEdicionLanzamiento::SlotDeFila(int fila) const {
    if (fila < 1 || fila > PatronesMostrados()) {
        return 0;
    }
    return FSlots[static_cast<std::size_t>(fila) - 1];
}

int CEdicionLanzamiento::FilaDeSlot(std::int32_t slot) const {
    const auto it = std::find(FSlots.begin(), FSlots.end(), slot);
    return it == FSlots.end() ? 0 : static_cast<int>(it - FSlots.begin()) + 1;
}

int CEdicionLanzamiento::ComparacionTotal(int pieza) const {
    if (PatronesMostrados() == 0) {
        return 0;
    }
    long long obtenidas = 0;
    if (!LeerEntero(FResultados.Celda(FilaTotalReal(), ColumnasFijasResultados + pieza - 1),
                    obtenidas)) {
        return 0;
    }
    long long pedidas = 0;
    try {
        pedidas = FLanzamiento->CantidadPieza(pieza);
    } catch (const EConversion&) {
        return 0;
    }
    return obtenidas > pedidas ? 1 : obtenidas < pedidas ? -1 : 0;
}

std::string CEdicionLanzamiento::TituloPatron(std::int32_t slot) const {
    const CPatron* p = FLanzamiento->Solucion().Patron(slot);
    if (p == nullptr) {
        return Textos::NoHayPatrones;
    }
    return std::string(Textos::Patron) + " " + std::to_string(slot) + ": " + p->TextoTamano() +
           " (x" + std::to_string(FLanzamiento->Solucion().RepActual(slot)) + ")";
}

std::int32_t CEdicionLanzamiento::AdicionarPatron(int material) {
    GuardarGrillas();
    CLanzamiento& job = *FLanzamiento;
    if (job.CantidadPiezas() == 0) {
        throw ENoHayPiezas(Textos::NoHayPiezas);
    }
    if (job.CantidadMateriales() == 0) {
        throw ENoHayMateriales(Textos::NoHayMateriales);
    }
    material = std::clamp(material, 1, job.CantidadMateriales());
    const int largo = job.LargoMaterial(material);
    const int ancho = job.AnchoMaterial(material);
    if (largo == 0 || ancho == 0) {
        throw EMaterialNulo(Textos::MaterialNulo);
    }
    auto p = CPatron::Create(job.CantidadPiezas(), material, &job);
    p->CrearRaiz(largo, ancho);
    p->SetRepEntera({1, 1, 1});
    CSolucion& s = job.Solucion();
    const std::int32_t k = s.Cantidad() + 1;
    s.FijarPatron(k, std::move(p));
    ConstruirResultados();
    Modificado();
    return k;
}

void CEdicionLanzamiento::EliminarPatrones(int primera, int ultima) {
    primera = std::max(1, primera);
    ultima = std::min(ultima, PatronesMostrados());
    if (ultima < primera) {
        return;
    }
    std::vector<std::int32_t> slots(FSlots.begin() + (primera - 1), FSlots.begin() + ultima);
    std::sort(slots.rbegin(), slots.rend());
    CSolucion& s = FLanzamiento->Solucion();
    for (std::int32_t k : slots) {
        s.Eliminar(k);
    }
    if (FAlCambiarSolucion) {
        FAlCambiarSolucion();
    }
    ConstruirResultados();
    Modificado();
}

int CEdicionLanzamiento::SubirPatrones(int primera, int ultima) {
    if (primera < 2 || ultima > PatronesMostrados() || ultima < primera) {
        return primera;
    }
    CSolucion& s = FLanzamiento->Solucion();
    const std::int32_t pasado = SlotDeFila(primera - 1);
    const std::int32_t destino = SlotDeFila(ultima);
    if (FAlCambiarSolucion) {
        FAlCambiarSolucion();
    }
    auto p = s.SoltarPatron(pasado);
    s.Eliminar(pasado);
    s.Insertar(std::move(p), destino);
    ConstruirResultados();
    Modificado();
    return primera - 1;
}

int CEdicionLanzamiento::BajarPatrones(int primera, int ultima) {
    if (primera < 1 || ultima >= PatronesMostrados() || ultima < primera) {
        return primera;
    }
    CSolucion& s = FLanzamiento->Solucion();
    const std::int32_t pasado = SlotDeFila(ultima + 1);
    const std::int32_t destino = SlotDeFila(primera);
    if (FAlCambiarSolucion) {
        FAlCambiarSolucion();
    }
    auto p = s.SoltarPatron(pasado);
    s.Eliminar(pasado);
    s.Insertar(std::move(p), destino);
    ConstruirResultados();
    Modificado();
    return primera + 1;
}

void CEdicionLanzamiento::OrdenarResultados(int columna, bool ascendente) {
    const int n = PatronesMostrados();
    if (n < 2 || columna < 0 || columna >= FResultados.Columnas()) {
        return;
    }
    CSolucion& s = FLanzamiento->Solucion();
    std::vector<double> claves(static_cast<std::size_t>(n));
    for (int f = 1; f <= n; ++f) {
        double clave = 0.0;
        if (columna == 1) {
            clave = s.Patron(SlotDeFila(f))->Material();
        } else {
            const std::string t = Recortar(FResultados.Celda(f, columna));
            std::from_chars(t.data(), t.data() + t.size(), clave);
        }
        claves[static_cast<std::size_t>(f) - 1] = clave;
    }
    std::vector<int> orden(static_cast<std::size_t>(n));
    std::iota(orden.begin(), orden.end(), 0);
    std::stable_sort(orden.begin(), orden.end(), [&](int a, int b) {
        const double ka = claves[static_cast<std::size_t>(a)];
        const double kb = claves[static_cast<std::size_t>(b)];
        return ascendente ? ka < kb : ka > kb;
    });
    if (FAlCambiarSolucion) {
        FAlCambiarSolucion();
    }
    // The shown patterns take the slots shown patterns held, in the new order; hidden ones
    // stay where they are.
    std::vector<std::unique_ptr<CPatron>> patrones;
    for (int i : orden) {
        patrones.push_back(s.SoltarPatron(FSlots[static_cast<std::size_t>(i)]));
    }
    std::vector<std::int32_t> slots = FSlots;
    std::sort(slots.begin(), slots.end());
    for (std::size_t i = 0; i < slots.size(); ++i) {
        s.FijarPatron(slots[i], std::move(patrones[i]));
    }
    ConstruirResultados();
    Modificado();
}

void CEdicionLanzamiento::FiltrarResultados(const std::string& texto, int columna) {
    CSolucion& s = FLanzamiento->Solucion();
    // Columns 0 to 6 are the criteria 0 to 6; a piece column filters by that piece's count.
    std::int32_t criterio = std::clamp(columna, 0, ColumnasFijasResultados);
    std::int32_t pieza =
        columna >= ColumnasFijasResultados ? columna - ColumnasFijasResultados + 1 : 0;
    s.FijarFiltro(texto, criterio, pieza);
    ConstruirResultados();
}

void CEdicionLanzamiento::AsignarReal(int fila, const std::string& texto) {
    const std::int32_t k = SlotDeFila(fila);
    if (k == 0) {
        return;
    }
    FLanzamiento->Solucion().FijarRepActual(k, LeerCantidad(Recortar(texto)));
    ConstruirResultados();
    Modificado();
}

void CEdicionLanzamiento::ReinicializarSolucion() {
    if (FAlCambiarSolucion) {
        FAlCambiarSolucion();
    }
    FLanzamiento->AsignarSolucion(std::make_unique<CSolucion>());
    ConstruirResultados();
    Modificado();
}

// ---- Save and close ------------------------------------------------------------------------

bool CEdicionLanzamiento::EsNuevo() const {
    return FLanzamiento->Nombre() == Textos::Nuevo;
}

bool CEdicionLanzamiento::Guardar() {
    if (EsNuevo()) {
        return false;
    }
    GuardarGrillas();
    FLanzamiento->EscribirResultados(FResultados);
    FLanzamiento->Guardar();
    return true;
}

bool CEdicionLanzamiento::GuardarComo(const std::string& archivo) {
    std::error_code ec;
    if (std::filesystem::exists(archivo, ec) &&
        FPreguntar(Reemplazar(Textos::ArchivoExiste, archivo), Respuesta::No, false) !=
            Respuesta::Si) {
        return false;
    }
    const std::string anterior = FLanzamiento->NombreArchivo();
    FLanzamiento->GuardarComo(archivo);
    try {
        GuardarGrillas();
        FLanzamiento->EscribirResultados(FResultados);
        FLanzamiento->Guardar();
    } catch (...) {
        // The job keeps its old name: a failed save as must not point it at a file that
        // does not hold it.
        FLanzamiento->GuardarComo(anterior);
        throw;
    }
    return true;
}

std::string CEdicionLanzamiento::PreguntaCierre() const {
    std::string ext = std::filesystem::path(FLanzamiento->NombreArchivo()).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return Reemplazar(ext == ".PLA" ? Textos::PlantillaModificada : Textos::LanzamientoModificado,
                      FLanzamiento->Nombre());
}

bool CEdicionLanzamiento::PuedeCerrar(const std::function<bool()>& guardarComo) {
    if (ApagarAlTerminar.load()) {
        return true;
    }
    if (!FLanzamiento->Guardado()) {
        const int r = FPreguntar(PreguntaCierre(), Respuesta::Si, true);
        if (r == Respuesta::Cancelar) {
            return false;
        }
        if (r == Respuesta::Si) {
            const bool guardado = Guardar() || (guardarComo && guardarComo());
            if (!guardado) {
                return false;
            }
        }
    }
    const auto* calculo = dynamic_cast<const CCalculo*>(FLanzamiento->Calculo());
    if (calculo != nullptr && !calculo->Terminado()) {
        FAvisar(Textos::FinaliceCalculo);
        return false;
    }
    return true;
}
