#include "engine/CSolucion.h"

#include "document/UGlobals.h"
#include "engine/CFiltro.h"
#include "engine/CIteradorSol.h"
#include "patterns/CParametrosPatron.h"
#include "patterns/CPatron.h"

#include <algorithm>
#include <stdexcept>

namespace {

std::int64_t CantidadDe(const CPatron& p, std::int32_t pieza) {
    return p.CantidadPieza(pieza);
}

double Cociente(double numerador, double denominador) {
    return Igual(denominador, 0.0) ? 0.0 : numerador / denominador;
}

} // namespace

CSolucion::CSolucion() : FPatrones(1) {}

CSolucion::~CSolucion() = default;

void CSolucion::SetModo(std::int32_t valor) {
    FModo = (valor >= ModoFinal && valor <= ModoPorDefecto) ? valor : ModoFinal;
}

std::int32_t CSolucion::Cantidad() const {
    return static_cast<std::int32_t>(FPatrones.size()) - 1;
}

void CSolucion::Truncar(std::int32_t n) {
    n = std::max(n, 0);
    if (n < Cantidad()) {
        FPatrones.resize(static_cast<std::size_t>(n) + 1);
    }
}

CPatron* CSolucion::Patron(std::int32_t k) {
    if (k < 1 || k > MaximoSlots) {
        return nullptr;
    }
    if (k > Cantidad()) {
        FPatrones.resize(static_cast<std::size_t>(k) + 1);
    }
    return FPatrones[static_cast<std::size_t>(k)].get();
}

const CPatron* CSolucion::Patron(std::int32_t k) const {
    if (k < 1 || k > Cantidad()) {
        return nullptr;
    }
    return FPatrones[static_cast<std::size_t>(k)].get();
}

void CSolucion::FijarPatron(std::int32_t k, std::unique_ptr<CPatron> patron) {
    if (k < 1 || k > MaximoSlots) {
        throw std::out_of_range("CSolucion::FijarPatron");
    }
    if (k > Cantidad()) {
        FPatrones.resize(static_cast<std::size_t>(k) + 1);
    }
    FPatrones[static_cast<std::size_t>(k)] = std::move(patron);
}

std::unique_ptr<CPatron> CSolucion::SoltarPatron(std::int32_t k) {
    if (k < 1 || k > Cantidad()) {
        return nullptr;
    }
    return std::move(FPatrones[static_cast<std::size_t>(k)]);
}

std::int32_t CSolucion::RepActual(std::int32_t k) const {
    const CPatron* p = Patron(k);
    return p == nullptr ? 0 : p->RepEntera(FModo);
}

void CSolucion::FijarRepActual(std::int32_t k, std::int32_t n) {
    CPatron* p = k >= 1 && k <= Cantidad() ? FPatrones[static_cast<std::size_t>(k)].get() : nullptr;
    if (p != nullptr) {
        p->SetRepEntera(FModo, n);
    }
}

std::int32_t CSolucion::Buscar(const CPatron* patron) const {
    CIteradorSol it(*this);
    std::int32_t k = 0;
    while (it.Siguiente(k)) {
        if (Patron(k) == patron) {
            return k;
        }
    }
    return 0;
}

void CSolucion::Eliminar(std::int32_t k) {
    if (k < 1 || k > Cantidad()) {
        return;
    }
    FPatrones.erase(FPatrones.begin() + k);
}

void CSolucion::Insertar(std::unique_ptr<CPatron> patron, std::int32_t k) {
    if (k < 1 || k > MaximoSlots) {
        throw std::out_of_range("CSolucion::Insertar");
    }
    if (k <= Cantidad()) {
        FPatrones.insert(FPatrones.begin() + k, std::move(patron));
    } else {
        FPatrones.resize(static_cast<std::size_t>(k) + 1);
        FPatrones[static_cast<std::size_t>(k)] = std::move(patron);
    }
}

void CSolucion::Ordenar(const Comparacion& comparacion) {
    const std::int32_t n = Cantidad();
    if (n < 2) {
        return;
    }
    std::vector<CPatron*> orden(FPatrones.size(), nullptr);
    for (std::int32_t k = 1; k <= n; ++k) {
        orden[static_cast<std::size_t>(k)] = FPatrones[static_cast<std::size_t>(k)].release();
    }
    // The order of equal elements is free.
    std::sort(orden.begin() + 1, orden.begin() + 1 + n,
              [&](const CPatron* a, const CPatron* b) { return comparacion(a, b) < 0; });
    for (std::int32_t k = 1; k <= n; ++k) {
        FPatrones[static_cast<std::size_t>(k)].reset(orden[static_cast<std::size_t>(k)]);
    }
}

namespace {

// Empty slots go last in every order.
int CompararVacios(const CPatron* a, const CPatron* b) {
    if (a == nullptr) {
        return b == nullptr ? 0 : 1;
    }
    return b == nullptr ? -1 : 0;
}

int CompararReal(double a, double b) {
    if (Igual(a, b)) {
        return 0;
    }
    return a < b ? -1 : 1;
}

} // namespace

int CSolucion::OrdenFinal(const CPatron* a, const CPatron* b) {
    if (a == nullptr || b == nullptr) {
        return CompararVacios(a, b);
    }
    if (a->RepEntera(ModoFinal) != b->RepEntera(ModoFinal)) {
        return a->RepEntera(ModoFinal) > b->RepEntera(ModoFinal) ? -1 : 1;
    }
    return CompararReal(b->Aprovechamiento(), a->Aprovechamiento());
}

int CSolucion::OrdenAprovechamientoDescendente(const CPatron* a, const CPatron* b) {
    if (a == nullptr || b == nullptr) {
        return CompararVacios(a, b);
    }
    return CompararReal(b->Aprovechamiento(), a->Aprovechamiento());
}

int CSolucion::OrdenAprovechamientoAscendente(const CPatron* a, const CPatron* b) {
    if (a == nullptr || b == nullptr) {
        return CompararVacios(a, b);
    }
    return CompararReal(a->Aprovechamiento(), b->Aprovechamiento());
}

void CSolucion::FijarFiltro(const std::string& texto, std::int32_t criterio, std::int32_t pieza) {
    FFiltro.reset();
    if (Recortar(texto).empty()) {
        return;
    }
    FFiltro = std::make_unique<CFiltro>(*this, texto, criterio, pieza);
}

double CSolucion::ProduccionTeorica(std::int32_t pieza) const {
    double total = 0.0;
    CIteradorSol it(*this);
    for (std::int32_t k = 0; it.Siguiente(k);) {
        const CPatron& p = *Patron(k);
        total += static_cast<double>(CantidadDe(p, pieza)) * p.Repeticion();
    }
    return total;
}

std::int64_t CSolucion::ProduccionPieza(std::int32_t pieza) const {
    std::int64_t total = 0;
    CIteradorSol it(*this);
    for (std::int32_t k = 0; it.Siguiente(k);) {
        total = SumarCantidad(total, CantidadDe(*Patron(k), pieza), RepActual(k));
    }
    return total;
}

double CSolucion::TotalTeorico() const {
    double total = 0.0;
    CIteradorSol it(*this);
    for (std::int32_t k = 0; it.Siguiente(k);) {
        total += Patron(k)->Repeticion();
    }
    return total;
}

std::int64_t CSolucion::TotalRepeticiones() const {
    std::int64_t total = 0;
    CIteradorSol it(*this);
    for (std::int32_t k = 0; it.Siguiente(k);) {
        total = SumarCantidad(total, RepActual(k), 1);
    }
    return total;
}

std::int64_t CSolucion::TotalPiezas() const {
    std::int64_t total = 0;
    CIteradorSol it(*this);
    for (std::int32_t k = 0; it.Siguiente(k);) {
        total = SumarCantidad(total, Patron(k)->TotalPiezas(), RepActual(k));
    }
    return total;
}

CSolucion::RAreas CSolucion::Areas(bool teorica, std::int32_t material) const {
    RAreas areas;
    CIteradorSol it(*this);
    for (std::int32_t k = 0; it.Siguiente(k);) {
        const CPatron& p = *Patron(k);
        if (material > 0 && p.Material() != material) {
            continue;
        }
        const double peso = teorica ? p.Repeticion() : static_cast<double>(RepActual(k));
        areas.Material += p.AreaTotal() * peso;
        areas.Piezas += p.AreaPiezas() * peso;
        areas.Sobrantes += p.AreaSobrantes() * peso;
    }
    return areas;
}

double CSolucion::AprovechamientoTeorico() const {
    const RAreas a = Areas(true, 0);
    return Cociente(a.Piezas, a.Material);
}

double CSolucion::SobranteTeorico() const {
    const RAreas a = Areas(true, 0);
    return Cociente(a.Sobrantes, a.Material);
}

double CSolucion::DesperdicioTeorico() const {
    // No material counted (an empty set, or every pattern filtered out): no waste either.
    const RAreas a = Areas(true, 0);
    if (Igual(a.Material, 0.0)) {
        return 0.0;
    }
    return std::max(1.0 - a.Piezas / a.Material - a.Sobrantes / a.Material, 0.0);
}

double CSolucion::AprovechamientoReal() const {
    const RAreas a = Areas(false, 0);
    return Cociente(a.Piezas, a.Material);
}

double CSolucion::SobranteReal() const {
    const RAreas a = Areas(false, 0);
    return Cociente(a.Sobrantes, a.Material);
}

double CSolucion::DesperdicioReal() const {
    const RAreas a = Areas(false, 0);
    if (Igual(a.Material, 0.0)) {
        return 0.0;
    }
    return std::max(1.0 - a.Piezas / a.Material - a.Sobrantes / a.Material, 0.0);
}

double CSolucion::AprovechamientoPieza(std::int32_t pieza) const {
    double piezas = 0.0;
    double material = 0.0;
    CIteradorSol it(*this);
    for (std::int32_t k = 0; it.Siguiente(k);) {
        const CPatron& p = *Patron(k);
        const double r = RepActual(k);
        piezas += p.AreaPieza(pieza) * r;
        material += p.AreaTotal() * r;
    }
    return Cociente(piezas, material);
}

std::vector<RTotalesPieza> CSolucion::TotalesPorPieza(std::int32_t numPiezas) const {
    const auto n = static_cast<std::size_t>(std::max(numPiezas, 0)) + 1;
    std::vector<RTotalesPieza> totales(n);
    std::vector<double> areas(n, 0.0);
    double material = 0.0;
    CIteradorSol it(*this);
    for (std::int32_t k = 0; it.Siguiente(k);) {
        const CPatron& p = *Patron(k);
        const std::int32_t r = RepActual(k);
        const ACantidades& cantidades = p.CantPorPieza();
        for (std::size_t i = 1; i < std::min(n, cantidades.size()); ++i) {
            if (cantidades[i] != 0) {
                totales[i].Produccion = SumarCantidad(totales[i].Produccion, cantidades[i], r);
                totales[i].Teorica += static_cast<double>(cantidades[i]) * p.Repeticion();
            }
        }
        p.SumarAreasPiezas(areas, r);
        material += p.AreaTotal() * r;
    }
    for (std::size_t i = 1; i < n; ++i) {
        totales[i].Aprovechamiento = Cociente(areas[i], material);
    }
    return totales;
}

std::int64_t CSolucion::HojasMaterial(std::int32_t material) const {
    std::int64_t total = 0;
    CIteradorSol it(*this);
    for (std::int32_t k = 0; it.Siguiente(k);) {
        if (Patron(k)->Material() == material) {
            total = SumarCantidad(total, RepActual(k), 1);
        }
    }
    return total;
}

double CSolucion::ConsumoTeorico(std::int32_t material) const {
    double total = 0.0;
    CIteradorSol it(*this);
    for (std::int32_t k = 0; it.Siguiente(k);) {
        if (Patron(k)->Material() == material) {
            total += Patron(k)->Repeticion();
        }
    }
    return total;
}

double CSolucion::AprovechamientoMaterial(std::int32_t material) const {
    if (material < 1) {
        return 0.0;
    }
    const RAreas a = Areas(false, material);
    return Cociente(a.Piezas, a.Material);
}

double CSolucion::SobranteMaterial(std::int32_t material) const {
    if (material < 1) {
        return 0.0;
    }
    const RAreas a = Areas(false, material);
    return Cociente(a.Sobrantes, a.Material);
}

double CSolucion::DesperdicioMaterial(std::int32_t material) const {
    if (HojasMaterial(material) <= 0) {
        return 0.0;
    }
    return std::max(1.0 - AprovechamientoMaterial(material) - SobranteMaterial(material), 0.0);
}

std::int32_t CSolucion::Sobrantes(std::vector<RSobrante>& lista, bool soloUsados) const {
    lista.assign(1, RSobrante{});
    lista.reserve(101);
    CIteradorSol it(*this);
    for (std::int32_t k = 0; it.Siguiente(k);) {
        const std::int32_t r = RepActual(k);
        if (soloUsados && r < 1) {
            continue;
        }
        const CPatron& p = *Patron(k);
        std::vector<RTamanoSobrante> tamanos;
        const std::int32_t distintos = TamanosSobrantes(p, tamanos);
        for (std::int32_t i = 1; i <= distintos; ++i) {
            const RTamanoSobrante& t = tamanos[static_cast<std::size_t>(i)];
            const auto igual =
                std::find_if(lista.begin() + 1, lista.end(), [&](const RSobrante& s) {
                    return s.Material == p.Material() && s.Dim1 == t.Largo && s.Dim2 == t.Ancho;
                });
            if (igual != lista.end()) {
                igual->Cantidad += static_cast<std::int64_t>(t.Cantidad) * r;
                continue;
            }
            // Grouped by material in ascending order; a new size goes first in its group.
            const auto antes =
                std::find_if(lista.begin() + 1, lista.end(),
                             [&](const RSobrante& s) { return s.Material >= p.Material(); });
            lista.insert(antes, RSobrante{p.Material(), t.Largo, t.Ancho,
                                          static_cast<std::int64_t>(t.Cantidad) * r});
        }
    }
    return static_cast<std::int32_t>(lista.size()) - 1;
}
