#include "engine/CReservaColumnas.h"

#include "patterns/CPatron.h"

#include <cmath>

CReservaColumnas::CReservaColumnas(std::size_t capacidad) : FCapacidad(capacidad) {}

CReservaColumnas::~CReservaColumnas() = default;

std::size_t CReservaColumnas::RHash::operator()(const std::vector<std::uint16_t>& v) const {
    std::size_t h = 1469598103934665603ULL;
    for (std::uint16_t x : v) {
        h = (h ^ x) * 1099511628211ULL;
    }
    return h;
}

void CReservaColumnas::Agregar(const CPatron& patron, int material, const AWord16& columna, int np,
                               double area) {
    if (FCapacidad == 0) {
        return;
    }
    std::vector<std::uint16_t> cuentas(static_cast<std::size_t>(np) + 1);
    cuentas[0] = static_cast<std::uint16_t>(material);
    for (int i = 1; i <= np; ++i) {
        cuentas[static_cast<std::size_t>(i)] = columna[static_cast<std::size_t>(i)];
    }
    if (!FVistas.insert(cuentas).second) {
        return;
    }
    RColumna c{CPatron::Copia(patron), material, area, std::move(cuentas)};
    if (FColumnas.size() < FCapacidad) {
        FColumnas.push_back(std::move(c));
        return;
    }
    FVistas.erase(FColumnas[FSiguiente].Cuentas);
    FColumnas[FSiguiente] = std::move(c);
    FSiguiente = (FSiguiente + 1) % FCapacidad;
}

std::unique_ptr<CPatron> CReservaColumnas::Mejor(const AReal8& duales, int np, int fase,
                                                 int& material, double& costeReducido) const {
    const RColumna* mejor = nullptr;
    double minimo = 0.0;
    for (const RColumna& c : FColumnas) {
        long double valor = duales[static_cast<std::size_t>(np + c.Material)];
        for (int i = 1; i <= np; ++i) {
            const std::uint16_t n = c.Cuentas[static_cast<std::size_t>(i)];
            if (n != 0) {
                valor += static_cast<long double>(n) * duales[static_cast<std::size_t>(i)];
            }
        }
        const double coste = fase == 1 ? 0.0 : c.Area;
        const double rc = static_cast<double>(coste - valor);
        // A basic column prices at zero up to round-off, which grows with the cost.
        const double tolerancia = 1e-7 * std::max(1.0, coste);
        if (rc < -tolerancia && rc < minimo) {
            minimo = rc;
            mejor = &c;
        }
    }
    if (mejor == nullptr) {
        return nullptr;
    }
    material = mejor->Material;
    costeReducido = minimo;
    return CPatron::Copia(*mejor->Patron);
}
