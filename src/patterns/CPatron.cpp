#include "patterns/CPatron.h"

#include "document/CLanzamiento.h"
#include "document/ROpciones.h"
#include "document/UExcepciones.h"
#include "document/ULongitudes.h"
#include "document/UTextos.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <utility>
#include <vector>

namespace {

// Piece numbers and their counts are 16-bit throughout the calculation.
constexpr std::int32_t MaximoPiezas = 65535;

std::int32_t Acotar(long long v) {
    return static_cast<std::int32_t>(std::clamp<long long>(v, INT32_MIN, INT32_MAX));
}

std::int32_t PiezasAcotadas(std::int32_t numPiezas) {
    return std::clamp<std::int32_t>(numPiezas, 0, MaximoPiezas);
}

// Pre-order walk without recursion.
template <class Accion> void Recorrer(const CCorte* raiz, Accion accion) {
    std::vector<const CCorte*> pila;
    if (raiz) {
        pila.push_back(raiz);
    }
    while (!pila.empty()) {
        const CCorte* n = pila.back();
        pila.pop_back();
        accion(*n);
        if (n->Hijo2()) {
            pila.push_back(n->Hijo2());
        }
        if (n->Hijo1()) {
            pila.push_back(n->Hijo1());
        }
    }
}

bool LeerEntero32(const std::string* texto, std::int32_t& valor) {
    long long v = 0;
    if (!texto || !LeerEntero(*texto, v) || v < INT32_MIN || v > INT32_MAX) {
        return false;
    }
    valor = static_cast<std::int32_t>(v);
    return true;
}

// A decimal number with "." as separator, optionally signed, in fixed or exponent form.
bool LeerReal(const std::string* texto, double& valor) {
    if (!texto || texto->empty()) {
        return false;
    }
    const char* inicio = texto->data();
    const char* fin = inicio + texto->size();
    if (*inicio == '+') {
        ++inicio;
    }
    double v = 0.0;
    const auto r = std::from_chars(inicio, fin, v, std::chars_format::general);
    if (r.ec != std::errc() || r.ptr != fin || !std::isfinite(v)) {
        return false;
    }
    valor = v;
    return true;
}

std::string RealATextoCorto(double v) {
    if (!std::isfinite(v)) {
        return "0";
    }
    char buffer[64];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, v);
    return std::string(buffer, r.ptr);
}

std::vector<std::string> Separar(const std::string& texto, char separador) {
    std::vector<std::string> partes;
    std::size_t inicio = 0;
    for (;;) {
        const std::size_t p = texto.find(separador, inicio);
        if (p == std::string::npos) {
            partes.push_back(Recortar(texto.substr(inicio)));
            return partes;
        }
        partes.push_back(Recortar(texto.substr(inicio, p - inicio)));
        inicio = p + 1;
    }
}

// ---- Canonical form ----

int PiezaAbs(const CCorte* n) {
    return n ? std::abs(n->Pieza()) : 0;
}

// Every visit of a node by a pass counts against this budget, so that no tree, however
// large or odd, can keep the passes busy for ever. The passes also respect the job's
// maximum cut (gross, with the kerf).
struct RPresupuesto {
    long long Restante;
    long long Uniones = 0;
    long long CorteMaximo = std::numeric_limits<long long>::max();
};

// A block of rx x ry pieces in an L x W leaf can be cut with no cut longer than cm: columns
// first (cuts across W, then across each column's piece length) or rows first.
bool BloqueCortable(long long L, long long W, const CCorte& b, long long cm) {
    const bool verticales = b.RepX() > 1 || L > static_cast<long long>(b.LargoPz()) * b.RepX();
    const bool horizontales = b.RepY() > 1 || W > static_cast<long long>(b.AnchoPz()) * b.RepY();
    const bool columnas = (!verticales || W <= cm) && (!horizontales || b.LargoPz() <= cm);
    const bool filas = (!horizontales || L <= cm) && (!verticales || b.AnchoPz() <= cm);
    return columnas || filas;
}

// Reducing a cut whose first part is a leaf hands that leaf's free band to the second part,
// which grows along the cut the way AjustarLargo / AjustarAncho spread it: every cut across
// the growth and every block on its way get longer. True when that would make a cut longer
// than the maximum where none was before, so the move is left out.
bool BandaAlargaCorte(const CCorte& n, long long cm) {
    const CCorte* a = n.Hijo1();
    if (cm == std::numeric_limits<long long>::max() || !a || a->Dir() != 0 || !n.Hijo2()) {
        return false;
    }
    const bool enX = n.Dir() == 1;
    const long long g = enX ? a->LibreX() : a->LibreY();
    std::vector<const CCorte*> pila{n.Hijo2()};
    while (!pila.empty()) {
        const CCorte* p = pila.back();
        pila.pop_back();
        const long long L = p->Largo();
        const long long W = p->Ancho();
        if (p->Dir() == 0) {
            if (p->TienePieza() && BloqueCortable(L, W, *p, cm) &&
                !BloqueCortable(enX ? L + g : L, enX ? W : W + g, *p, cm)) {
                return true;
            }
            continue;
        }
        const bool atraviesa = enX ? p->Dir() == -1 : p->Dir() == 1;
        if (atraviesa) {
            const long long largoCorte = enX ? L : W;
            if (largoCorte <= cm && largoCorte + g > cm) {
                return true;
            }
            pila.push_back(p->Hijo1());
        }
        pila.push_back(p->Hijo2());
    }
    return false;
}

bool AccionOrdenar(CCorte& n, RPresupuesto& presupuesto) {
    if (n.Dir() == 0) {
        return false;
    }
    bool cambio = false;
    if (n.PuedeReducir() && !BandaAlargaCorte(n, presupuesto.CorteMaximo)) {
        n.Reducir();
        cambio = true;
    }
    if (PiezaAbs(n.Hijo2()) > PiezaAbs(n.Hijo1())) {
        n.Intercambiar();
        cambio = true;
    }
    if (n.PuedeAmpliar() && n.Hijo2()->Hijo1() &&
        PiezaAbs(n.Hijo1()) < PiezaAbs(n.Hijo2()->Hijo1())) {
        // (A | (B1 | B2)) -> ((A | B1) | B2) -> ((B1 | A) | B2) -> (B1 | (A | B2))
        n.Ampliar();
        n.Hijo1()->Intercambiar();
        n.Reducir();
        cambio = true;
    }
    return cambio;
}

bool AccionUnir(CCorte& n, RPresupuesto& presupuesto) {
    if (n.PuedeUnir()) {
        n.Unir();
        ++presupuesto.Uniones;
        return true;
    }
    if (n.PuedeReducir() && n.Hijo1()->Dir() == 0 &&
        !BandaAlargaCorte(n, presupuesto.CorteMaximo)) {
        n.Reducir();
        return true;
    }
    if (n.PuedeAmpliar() && n.Hijo2()->Hijo1() &&
        PiezaAbs(n.Hijo1()) == PiezaAbs(n.Hijo2()->Hijo1())) {
        n.Ampliar();
        return true;
    }
    return false;
}

// Post-order: each child's pass is repeated until it changes nothing, then the node acts.
template <class Accion> bool Pasada(CCorte* n, Accion accion, RPresupuesto& presupuesto) {
    if (!n || presupuesto.Restante <= 0) {
        return false;
    }
    if (n->Dir() != 0) {
        while (Pasada(n->Hijo1(), accion, presupuesto)) {
        }
        while (Pasada(n->Hijo2(), accion, presupuesto)) {
        }
    }
    --presupuesto.Restante;
    return accion(*n, presupuesto);
}

} // namespace

CPatron::CPatron(std::int32_t numPiezas, std::int32_t material, const CLanzamiento* lanzamiento)
    : FLanzamiento(lanzamiento), FCantPorPieza(PiezasAcotadas(numPiezas) + 1, 0),
      FMaterial(material) {
    if (!lanzamiento) {
        return;
    }
    const ROpciones& o = lanzamiento->Opciones();
    FAnchoCorte = o.ChequearAnchoCorte ? o.AnchoCorte : 0;
    if (lanzamiento->MaterialConMargen(material)) {
        FMargenIzq = o.MargenIzq;
        FMargenDer = o.MargenDer;
        if (!o.Barras) {
            FMargenSup = o.MargenSup;
            FMargenInf = o.MargenInf;
        }
    }
}

std::unique_ptr<CPatron> CPatron::Create(std::int32_t numPiezas, std::int32_t material,
                                         const CLanzamiento* lanzamiento) {
    return std::make_unique<CPatron>(numPiezas, material, lanzamiento);
}

CPatron::~CPatron() = default;

std::unique_ptr<CPatron> CPatron::Copia(const CPatron& p) {
    std::unique_ptr<CPatron> c(new CPatron());
    c->FLanzamiento = p.FLanzamiento;
    c->FOpciones = p.FOpciones;
    c->FCantPorPieza = p.FCantPorPieza;
    c->FRaiz = CCorte::CopiarConEtiquetas(p.FRaiz.get());
    c->FRepeticion = p.FRepeticion;
    c->FRepEntera = p.FRepEntera;
    c->FMaterial = p.FMaterial;
    c->FAnchoCorte = p.FAnchoCorte;
    c->FMargenIzq = p.FMargenIzq;
    c->FMargenSup = p.FMargenSup;
    c->FMargenDer = p.FMargenDer;
    c->FMargenInf = p.FMargenInf;
    return c;
}

const ROpciones* CPatron::Opciones() const {
    if (FOpciones) {
        return FOpciones;
    }
    return FLanzamiento ? &FLanzamiento->Opciones() : nullptr;
}

void CPatron::SetRaiz(std::unique_ptr<CCorte> raiz) {
    FRaiz = std::move(raiz);
}

void CPatron::CrearRaiz(std::int32_t largoMaterial, std::int32_t anchoMaterial) {
    const std::int32_t largo = largoMaterial + FAnchoCorte - FMargenIzq - FMargenDer;
    const std::int32_t ancho = Barras() ? 1 : anchoMaterial + FAnchoCorte - FMargenSup - FMargenInf;
    FRaiz = CCorte::Create(largo, ancho, 0, 0, 0, 0, 0, 0);
}

std::int32_t CPatron::NumPiezas() const {
    return FCantPorPieza.empty() ? 0 : static_cast<std::int32_t>(FCantPorPieza.size()) - 1;
}

std::int32_t CPatron::RepEntera(int tipo) const {
    return tipo >= 0 && tipo < 3 ? FRepEntera[static_cast<std::size_t>(tipo)] : 0;
}

void CPatron::SetRepEntera(int tipo, std::int32_t valor) {
    if (tipo >= 0 && tipo < 3) {
        FRepEntera[static_cast<std::size_t>(tipo)] = valor;
    }
}

bool CPatron::Barras() const {
    const ROpciones* o = Opciones();
    return o && o->Barras;
}

bool CPatron::ChequearSobrante() const {
    const ROpciones* o = Opciones();
    return o && o->ChequearSobrante;
}

std::int32_t CPatron::LargoMinimoSobrante() const {
    const ROpciones* o = Opciones();
    return o ? o->LargoMinimoSobrante : 0;
}

std::int32_t CPatron::AnchoMinimoSobrante() const {
    const ROpciones* o = Opciones();
    return o ? o->AnchoMinimoSobrante : 0;
}

// ---- Node measures ----

std::int32_t CPatron::LargoSP(const CCorte& n) const {
    return Acotar(static_cast<long long>(n.Largo()) - FAnchoCorte);
}

std::int32_t CPatron::AnchoSP(const CCorte& n) const {
    return Barras() ? 1 : Acotar(static_cast<long long>(n.Ancho()) - FAnchoCorte);
}

std::int32_t CPatron::LargoPzNeto(const CCorte& n) const {
    return n.Pieza() == 0 ? 0 : Acotar(static_cast<long long>(n.LargoPz()) - FAnchoCorte);
}

std::int32_t CPatron::AnchoPzNeto(const CCorte& n) const {
    if (n.Pieza() == 0) {
        return 0;
    }
    return Barras() ? 1 : Acotar(static_cast<long long>(n.AnchoPz()) - FAnchoCorte);
}

std::int32_t CPatron::SobranteX(const CCorte& n) const {
    if (n.Dir() != 0) {
        return 0;
    }
    const long long libre = static_cast<long long>(n.Largo()) - FAnchoCorte -
                            static_cast<long long>(n.LargoPz()) * n.RepX();
    return Acotar(std::max(0LL, libre));
}

std::int32_t CPatron::SobranteY(const CCorte& n) const {
    if (n.Dir() != 0 || Barras()) {
        return 0;
    }
    const long long libre = static_cast<long long>(n.Ancho()) - FAnchoCorte -
                            static_cast<long long>(n.AnchoPz()) * n.RepY();
    return Acotar(std::max(0LL, libre));
}

std::int32_t CPatron::Dim1(const CCorte& n) const {
    if (n.Dir() == 0) {
        return 0;
    }
    return Acotar(static_cast<long long>(n.PosicionCorte()) - FAnchoCorte);
}

std::int32_t CPatron::Dim2(const CCorte& n) const {
    if (n.Dir() == 1) {
        return Acotar(static_cast<long long>(LargoSP(n)) - Dim1(n) - FAnchoCorte);
    }
    if (n.Dir() == -1) {
        return Acotar(static_cast<long long>(AnchoSP(n)) - Dim1(n) - FAnchoCorte);
    }
    return 0;
}

bool CPatron::EsSobrante(const CCorte& n) const {
    if (!ChequearSobrante()) {
        return false;
    }
    const std::int32_t sx = SobranteX(n);
    const std::int32_t sy = SobranteY(n);
    return std::max(sx, sy) >= LargoMinimoSobrante() && std::min(sx, sy) >= AnchoMinimoSobrante();
}

// ---- Pattern measures ----

std::int32_t CPatron::LargoTotal() const {
    const long long raiz = FRaiz ? LargoSP(*FRaiz) : 0;
    return Acotar(raiz + FMargenIzq + FMargenDer);
}

std::int32_t CPatron::AnchoTotal() const {
    const long long raiz = FRaiz ? AnchoSP(*FRaiz) : 0;
    return Acotar(raiz + FMargenSup + FMargenInf);
}

double CPatron::AreaTotal() const {
    return static_cast<double>(LargoTotal()) * static_cast<double>(AnchoTotal());
}

double CPatron::AreaPiezas() const {
    double area = 0.0;
    Recorrer(FRaiz.get(), [&](const CCorte& n) {
        if (n.TienePieza()) {
            area += static_cast<double>(LargoPzNeto(n)) * AnchoPzNeto(n) * n.RepX() * n.RepY();
        }
    });
    return area;
}

double CPatron::AreaSobrantes() const {
    if (!ChequearSobrante()) {
        return 0.0;
    }
    double area = 0.0;
    Recorrer(FRaiz.get(), [&](const CCorte& n) {
        if (n.EsVacio() && EsSobrante(n)) {
            area += static_cast<double>(LargoSP(n)) * AnchoSP(n);
        }
    });
    return area;
}

double CPatron::Aprovechamiento() const {
    const double total = AreaTotal();
    return total > 0.0 ? AreaPiezas() / total : 0.0;
}

double CPatron::Sobrante() const {
    const double total = AreaTotal();
    return total > 0.0 ? AreaSobrantes() / total : 0.0;
}

double CPatron::Desperdicio() const {
    return std::max(1.0 - Aprovechamiento() - Sobrante(), 0.0);
}

double CPatron::AreaPieza(std::int32_t i) const {
    double area = 0.0;
    Recorrer(FRaiz.get(), [&](const CCorte& n) {
        if (n.TienePieza() && std::abs(n.Pieza()) == i) {
            area += static_cast<double>(LargoPzNeto(n)) * AnchoPzNeto(n) * n.RepX() * n.RepY();
        }
    });
    return area;
}

void CPatron::SumarAreasPiezas(std::vector<double>& areas, double peso) const {
    Recorrer(FRaiz.get(), [&](const CCorte& n) {
        const auto i = static_cast<std::size_t>(std::llabs(static_cast<long long>(n.Pieza())));
        if (n.TienePieza() && i < areas.size()) {
            areas[i] +=
                static_cast<double>(LargoPzNeto(n)) * AnchoPzNeto(n) * n.RepX() * n.RepY() * peso;
        }
    });
}

std::int64_t CPatron::TotalPiezas() const {
    std::int64_t total = 0;
    for (std::size_t i = 1; i < FCantPorPieza.size(); ++i) {
        total = SumarCantidad(total, FCantPorPieza[i], 1);
    }
    return total;
}

std::int64_t CPatron::CantidadPieza(std::int32_t pieza) const {
    if (pieza < 1 || static_cast<std::size_t>(pieza) >= FCantPorPieza.size()) {
        return 0;
    }
    return FCantPorPieza[static_cast<std::size_t>(pieza)];
}

// ---- Texts ----

namespace {

// Lengths in the job's units; a pattern without a job uses plain integers.
template <class F> std::string ConUnidades(const ROpciones* opciones, F f) {
    if (opciones) {
        return f(*opciones);
    }
    const ROpciones porDefecto;
    return f(porDefecto);
}

} // namespace

std::string CPatron::TextoTamano() const {
    return ConUnidades(Opciones(), [&](const ROpciones& u) {
        std::string s = FormatearLongitud(LargoTotal(), u);
        return u.Barras ? s : s + "x" + FormatearLongitud(AnchoTotal(), u);
    });
}

std::string CPatron::TextoTamano(const CCorte& n) const {
    return ConUnidades(Opciones(), [&](const ROpciones& u) {
        std::string s = FormatearLongitud(LargoSP(n), u);
        return u.Barras ? s : s + "x" + FormatearLongitud(AnchoSP(n), u);
    });
}

std::string CPatron::TextoCoordenadas(std::int32_t x, std::int32_t y) const {
    return ConUnidades(Opciones(), [&](const ROpciones& u) {
        std::string s = "(" + FormatearLongitud(x, u);
        return (u.Barras ? s : s + "," + FormatearLongitud(y, u)) + ")";
    });
}

// ---- Walks ----

RLocalizacion CPatron::Localizar(const CCorte* objetivo) const {
    struct Paso {
        const CCorte* Nodo;
        std::int32_t X;
        std::int32_t Y;
    };
    RLocalizacion r;
    std::vector<Paso> pila;
    if (FRaiz) {
        pila.push_back({FRaiz.get(), FMargenIzq, FMargenInf});
    }
    while (!pila.empty()) {
        const Paso p = pila.back();
        pila.pop_back();
        const CCorte& n = *p.Nodo;
        if (n.Dir() != 0) {
            ++r.Cortes;
        } else {
            ++r.Hojas;
            if (n.EsVacio() && EsSobrante(n)) {
                ++r.Sobrantes;
            }
        }
        if (&n == objetivo) {
            r.Encontrado = true;
            r.X = p.X;
            r.Y = p.Y;
            return r;
        }
        if (n.Dir() != 0) {
            const std::int32_t pos = n.PosicionCorte();
            if (n.Hijo2()) {
                if (n.Dir() == 1) {
                    pila.push_back({n.Hijo2(), Acotar(static_cast<long long>(p.X) + pos), p.Y});
                } else {
                    pila.push_back({n.Hijo2(), p.X, Acotar(static_cast<long long>(p.Y) + pos)});
                }
            }
            if (n.Hijo1()) {
                pila.push_back({n.Hijo1(), p.X, p.Y});
            }
        }
    }
    return r;
}

void CPatron::RecontarPiezas(std::int32_t numPiezas) {
    const std::int32_t cantidad = PiezasAcotadas(numPiezas);
    // The counts reach the highest piece the tree holds, not the whole piece list: a job of
    // tens of thousands of pieces and a thousand patterns must not hold a count of every
    // piece in every pattern. Pieces beyond the array count 0 (CantidadPieza).
    long long mayor = 0;
    bool fuera = false;
    Recorrer(FRaiz.get(), [&](const CCorte& n) {
        if (n.TienePieza()) {
            const long long i = std::llabs(static_cast<long long>(n.Pieza()));
            fuera = fuera || i > cantidad;
            mayor = std::max(mayor, i);
        }
    });
    if (fuera) {
        throw EErrorIdPieza(Textos::ErrorIdPieza);
    }
    ACantidades cuentas(static_cast<std::size_t>(mayor) + 1, 0);
    Recorrer(FRaiz.get(), [&](const CCorte& n) {
        if (!n.TienePieza()) {
            return;
        }
        auto& c = cuentas[static_cast<std::size_t>(std::llabs(static_cast<long long>(n.Pieza())))];
        c = SumarCantidad(c, std::max(0, n.RepX()), std::max(0, n.RepY()));
    });
    FCantPorPieza = std::move(cuentas);
}

bool CPatron::Normalizar(long long maximoPasos) {
    if (!FRaiz) {
        return true;
    }
    RPresupuesto presupuesto{maximoPasos};
    const ROpciones* o = Opciones();
    if (o && o->ChequearCorteMaximo && !o->Barras) {
        presupuesto.CorteMaximo = static_cast<long long>(o->CorteMaximo) + FAnchoCorte;
    }
    // A merge can turn a cut into a piece block that the sorting pass has not yet placed, so
    // both passes run again until a merging round joins nothing.
    long long uniones = 0;
    do {
        while (Pasada(FRaiz.get(), AccionOrdenar, presupuesto)) {
        }
        uniones = presupuesto.Uniones;
        while (Pasada(FRaiz.get(), AccionUnir, presupuesto)) {
        }
    } while (presupuesto.Uniones != uniones && presupuesto.Restante > 0);
    const bool completo = presupuesto.Restante > 0;
    if (ChequearSobrante()) {
        ExplicitarSobrantes(FRaiz.get());
    }
    return completo;
}

void CPatron::ExplicitarSobrantes(CCorte* n) {
    while (n) {
        if (n->Dir() != 0) {
            ExplicitarSobrantes(n->Hijo1());
            n = n->Hijo2();
            continue;
        }
        if (n->Pieza() == 0) {
            return;
        }
        const std::int32_t sx = SobranteX(*n);
        const std::int32_t sy = SobranteY(*n);
        const std::int32_t lsp = LargoSP(*n);
        const std::int32_t asp = AnchoSP(*n);
        const std::int32_t largoMin = LargoMinimoSobrante();
        const std::int32_t anchoMin = AnchoMinimoSobrante();
        double aX = 0.0;
        double aY = 0.0;
        if (sx > 0 && std::max(sx, asp) >= largoMin && std::min(sx, asp) >= anchoMin) {
            aX = static_cast<double>(sx) * asp;
        }
        if (sy > 0 && std::max(sy, lsp) >= largoMin && std::min(sy, lsp) >= anchoMin) {
            aY = static_cast<double>(sy) * lsp;
        }
        if (!Mayor(std::max(aX, aY), 0.0)) {
            return;
        }
        // A split that would leave nothing beside the block (possible only with a negative
        // kerf) would repeat for ever.
        const bool vertical = Mayor(aX, aY);
        if ((vertical ? n->LibreX() : n->LibreY()) <= 0) {
            return;
        }
        if (vertical) {
            n->CortarVertical(0);
        } else {
            n->CortarHorizontal(0);
        }
        // The same node, now a cut: its first child is the block, its second the offcut.
    }
}

// ---- Text form ----

std::string CPatron::ATexto() const {
    std::string s = RealATextoCorto(FRepeticion);
    for (std::int32_t v : {FRepEntera[1], FRepEntera[2], FRepEntera[0], 0, FAnchoCorte, FMaterial,
                           Barras() ? 1 : 0, FMargenIzq, FMargenDer, FMargenSup, FMargenInf}) {
        s += ';';
        s += std::to_string(v);
    }
    return s + CCorte::ATexto(FRaiz.get());
}

std::unique_ptr<CPatron> CPatron::DeTexto(const std::string& texto, std::int32_t numPiezas,
                                          const CLanzamiento* lanzamiento, std::string& aviso) {
    aviso.clear();
    std::unique_ptr<CPatron> p(new CPatron());
    p->FLanzamiento = lanzamiento;
    const std::int32_t cantidad = PiezasAcotadas(numPiezas);
    p->FCantPorPieza.assign(1, 0);

    const std::size_t abre = texto.find('(');
    const std::vector<std::string> campos =
        Separar((abre == std::string::npos ? texto : texto.substr(0, abre)) + ";;;;", ';');
    auto campo = [&](std::size_t i) -> const std::string* {
        return i < campos.size() ? &campos[i] : nullptr;
    };
    // Each group stops at its first field that is not a number; the rest keeps 0.
    [&] {
        if (!LeerReal(campo(0), p->FRepeticion) || !LeerEntero32(campo(1), p->FRepEntera[1]) ||
            !LeerEntero32(campo(2), p->FRepEntera[2]) ||
            !LeerEntero32(campo(3), p->FRepEntera[0])) {
            return;
        }
        p->FMaterial = 0;
        p->FAnchoCorte = 0;
        p->FMargenIzq = p->FMargenSup = p->FMargenDer = p->FMargenInf = 0;
        LeerEntero32(campo(5), p->FAnchoCorte);
    }();
    [&] {
        if (!LeerEntero32(campo(6), p->FMaterial) || !LeerEntero32(campo(8), p->FMargenIzq) ||
            !LeerEntero32(campo(9), p->FMargenDer) || !LeerEntero32(campo(10), p->FMargenSup)) {
            return;
        }
        LeerEntero32(campo(11), p->FMargenInf);
    }();

    // The options are plain integers in the job file, so a kerf or margin written by the
    // system may be negative; only magnitudes that no length can have are refused.
    auto longitudValida = [](std::int32_t v) {
        return v >= -LongitudMaxima && v <= LongitudMaxima;
    };
    try {
        if (abre == std::string::npos) {
            throw EConversion(Textos::ErrorCrearPatron);
        }
        if (!longitudValida(p->FAnchoCorte) || !longitudValida(p->FMargenIzq) ||
            !longitudValida(p->FMargenDer) || !longitudValida(p->FMargenSup) ||
            !longitudValida(p->FMargenInf)) {
            throw EConversion(Textos::ErrorCrearPatron);
        }
        std::string nodo = texto.substr(abre + 1);
        p->FRaiz = CCorte::DeTexto(nodo);
        p->RecontarPiezas(cantidad);
    } catch (const std::exception&) {
        // Never hand on a tree that failed to read or to count: the rest of the program may
        // rely on its invariants and on its piece numbers.
        p->FRaiz.reset();
        p->FCantPorPieza.assign(1, 0);
        aviso = Textos::ErrorCrearPatron;
    }
    return p;
}

namespace {

// Counts are equal when every piece has the same count: an array that stops earlier holds
// zeros beyond its end.
bool MismasCantidades(const CPatron& a, const CPatron& b) {
    const std::size_t n = std::max(a.CantPorPieza().size(), b.CantPorPieza().size());
    for (std::size_t i = 1; i < n; ++i) {
        if (a.CantidadPieza(static_cast<std::int32_t>(i)) !=
            b.CantidadPieza(static_cast<std::int32_t>(i))) {
            return false;
        }
    }
    return true;
}

} // namespace

bool CPatron::Iguales(const CPatron& a, const CPatron& b) {
    return a.FAnchoCorte == b.FAnchoCorte && a.FMargenIzq == b.FMargenIzq &&
           a.FMargenSup == b.FMargenSup && a.FMargenDer == b.FMargenDer &&
           a.FMargenInf == b.FMargenInf && MismasCantidades(a, b) &&
           a.FRepeticion == b.FRepeticion && a.FRepEntera == b.FRepEntera &&
           a.FMaterial == b.FMaterial && CCorte::Iguales(a.FRaiz.get(), b.FRaiz.get());
}
