#pragma once

// Shared by the generator's tests: running a pricing step and checking what it returns.

#include "document/CLanzamiento.h"
#include "document/UGlobals.h"
#include "generator/CMochila.h"
#include "patterns/CCorte.h"
#include "patterns/CPatron.h"
#include "support/ValidadorPatron.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

namespace prueba_mochila {

// Dual vector: the piece rows' prices, then the material rows' (index 0 unused).
inline AReal8 Duales(std::initializer_list<double> piezas,
                     std::initializer_list<double> materiales = {}) {
    AReal8 d(1, 0.0);
    d.insert(d.end(), piezas.begin(), piezas.end());
    d.insert(d.end(), materiales.begin(), materiales.end());
    return d;
}

// Enough zeros for the material rows the test did not price.
inline AReal8 Completar(AReal8 d, const CMochila& m) {
    d.resize(static_cast<std::size_t>(m.NumPiezas() + m.NumMateriales() + 1), 0.0);
    return d;
}

struct RGenerado {
    std::unique_ptr<CPatron> Patron;
    int Material = -1;
    double Costo = 0.0;
};

// Value of a pattern under the duals: its piece counts times the piece rows' prices.
inline double ValorPatron(const CPatron& p, const CMochila& m, const AReal8& d) {
    double v = 0.0;
    for (int r = 1; r <= m.NumPiezas(); ++r) {
        v +=
            static_cast<double>(p.CantidadPieza(m.PiezaDeFila(r))) * d[static_cast<std::size_t>(r)];
    }
    return v;
}

// One pricing step; every pattern returned must pass the validator, and its value must be
// what the reduced cost says.
inline RGenerado Generar(CMochila& m, AReal8 d, int modo = 1) {
    d = Completar(std::move(d), m);
    RGenerado g;
    m.GenerarPatron(d, g.Patron, modo, g.Material, g.Costo);
    if (g.Patron) {
        const auto problemas = validacion::ValidarPatron(*g.Patron);
        EXPECT_TRUE(problemas.empty())
            << validacion::Texto(problemas) << CCorte::ATexto(g.Patron->Raiz());
        const double costeMaterial = modo == 1 ? 0.0 : m.AreaMaterialFila(g.Material);
        const double esperado = costeMaterial - ValorPatron(*g.Patron, m, d) -
                                d[static_cast<std::size_t>(m.NumPiezas() + g.Material)];
        EXPECT_NEAR(g.Costo, esperado, 1e-6) << CCorte::ATexto(g.Patron->Raiz());
        EXPECT_EQ(g.Patron->Material(), m.MaterialDeFila(g.Material));
    }
    return g;
}

inline std::string Arbol(const CPatron& p) {
    return CCorte::ATexto(p.Raiz());
}

} // namespace prueba_mochila
