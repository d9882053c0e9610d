// Independent check of the pricing table on tiny sheets: an exhaustive recursion over every
// integer guillotine cut gives the best value of a rectangle with integer piece values (no
// kerf, no constraints). Level 3 must reach it exactly; levels 1 and 2 never exceed it.

#include "AyudaMochila.h"

#include "support/CConstructorLanzamiento.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

using namespace prueba_mochila;

namespace {

struct RPiezaFB {
    int Largo;
    int Ancho;
    int Valor;
};

// Best value of every rectangle up to L x W by any sequence of guillotine cuts at integer
// positions, a rectangle holding one piece (or nothing) when it is not cut.
class CFuerzaBruta {
public:
    CFuerzaBruta(int L, int W, std::vector<RPiezaFB> piezas)
        : FL(L), FW(W), FPiezas(std::move(piezas)),
          FMemo(static_cast<std::size_t>((L + 1) * (W + 1)), -1) {}

    int Optimo() { return Valor(FL, FW); }

private:
    int Valor(int l, int w) {
        int& memo = FMemo[static_cast<std::size_t>(l * (FW + 1) + w)];
        if (memo >= 0) {
            return memo;
        }
        int mejor = 0;
        for (const RPiezaFB& p : FPiezas) {
            if (p.Largo <= l && p.Ancho <= w) {
                mejor = std::max(mejor, p.Valor);
            }
        }
        for (int x = 1; x < l; ++x) {
            mejor = std::max(mejor, Valor(x, w) + Valor(l - x, w));
        }
        for (int y = 1; y < w; ++y) {
            mejor = std::max(mejor, Valor(l, y) + Valor(l, w - y));
        }
        memo = mejor;
        return mejor;
    }

    int FL;
    int FW;
    std::vector<RPiezaFB> FPiezas;
    std::vector<int> FMemo;
};

struct RInstancia {
    int L = 0;
    int W = 0;
    bool Rotar = false;
    std::vector<RPiezaFB> Piezas;
    // Further materials of the same job (the first one is L x W).
    std::vector<std::pair<int, int>> OtrosMateriales;
};

RInstancia Azar(std::mt19937& azar) {
    auto entre = [&azar](int a, int b) { return std::uniform_int_distribution<int>(a, b)(azar); };
    RInstancia r;
    r.L = entre(1, 12);
    r.W = entre(1, 12);
    r.Rotar = entre(0, 1) == 1;
    const int otros = entre(0, 3) == 0 ? entre(1, 2) : 0;
    for (int k = 0; k < otros; ++k) {
        r.OtrosMateriales.emplace_back(entre(1, 12), entre(1, 12));
    }
    const int n = entre(1, 4);
    for (int k = 0; k < n; ++k) {
        r.Piezas.push_back({entre(1, 9), entre(1, 9), entre(1, 20)});
    }
    return r;
}

std::string Describir(const RInstancia& r) {
    std::string s =
        "hoja " + std::to_string(r.L) + "x" + std::to_string(r.W) + (r.Rotar ? " con giro:" : ":");
    for (const auto& p : r.Piezas) {
        s += " " + std::to_string(p.Largo) + "x" + std::to_string(p.Ancho) + "=" +
             std::to_string(p.Valor);
    }
    for (const auto& [l, w] : r.OtrosMateriales) {
        s += "; hoja " + std::to_string(l) + "x" + std::to_string(w);
    }
    return s;
}

double ValorGenerado(CMochila& m, const AReal8& duales) {
    RGenerado g = Generar(m, duales);
    return g.Patron ? -g.Costo : 0.0;
}

} // namespace

TEST(FuerzaBruta, NivelTresAlcanzaElOptimoGuillotina) {
    std::mt19937 azar(20261206);
    for (int caso = 0; caso < 300; ++caso) {
        const RInstancia r = Azar(azar);
        std::vector<RPiezaFB> todas = r.Piezas;
        if (r.Rotar) {
            for (const auto& p : r.Piezas) {
                todas.push_back({p.Ancho, p.Largo, p.Valor});
            }
        }
        // With several materials and no material prices the most valuable one wins.
        int optimo = CFuerzaBruta(r.L, r.W, todas).Optimo();
        for (const auto& [l, w] : r.OtrosMateriales) {
            optimo = std::max(optimo, CFuerzaBruta(l, w, todas).Optimo());
        }

        CConstructorLanzamiento c;
        c.Opciones.RotarPiezas = r.Rotar;
        AReal8 duales(1, 0.0);
        for (const auto& p : r.Piezas) {
            c.Pieza(p.Largo, p.Ancho, 1);
            duales.push_back(p.Valor);
        }
        c.Material(r.L, r.W);
        for (const auto& [l, w] : r.OtrosMateriales) {
            c.Material(l, w);
        }
        auto job = c.Crear();
        CMochila m(*job);

        m.SetNivelOptimizacion(3);
        EXPECT_NEAR(ValorGenerado(m, duales), optimo, 1e-9) << Describir(r);
        for (int nivel = 1; nivel <= 2; ++nivel) {
            m.SetNivelOptimizacion(nivel);
            EXPECT_LE(ValorGenerado(m, duales), optimo + 1e-9)
                << "nivel " << nivel << ", " << Describir(r);
        }
        if (HasFailure()) {
            break;
        }
    }
}

// The same kind of instances under random constraints: every pattern still passes the
// validator (inside Generar), and no constraint ever raises the value above the optimum.
TEST(FuerzaBruta, ConRestriccionesNuncaSuperaElOptimo) {
    std::mt19937 azar(7041);
    auto entre = [&azar](int a, int b) { return std::uniform_int_distribution<int>(a, b)(azar); };
    for (int caso = 0; caso < 250; ++caso) {
        RInstancia r = Azar(azar);
        r.L = entre(4, 24);
        r.W = entre(4, 24);
        std::vector<RPiezaFB> todas = r.Piezas;
        if (r.Rotar) {
            for (const auto& p : r.Piezas) {
                todas.push_back({p.Ancho, p.Largo, p.Valor});
            }
        }
        const int optimo = CFuerzaBruta(r.L, r.W, todas).Optimo();

        CConstructorLanzamiento c;
        c.Opciones.RotarPiezas = r.Rotar;
        c.Opciones.ChequearSobranteMinimo = entre(0, 1) == 1;
        c.Opciones.SobranteMinimo = entre(1, 6);
        c.Opciones.ChequearCorteMaximo = entre(0, 2) == 1;
        c.Opciones.CorteMaximo = entre(3, 24);
        c.Opciones.ChequearNivelCorte = entre(0, 1) == 1;
        c.Opciones.NivelCorte = entre(1, 4);
        c.Opciones.ChequearAgarre = entre(0, 3) == 1;
        c.Opciones.LongitudAgarre = entre(1, 5);
        c.Opciones.RestringirPosiblesCortes = entre(0, 3) == 1;
        c.Opciones.PorcentajeMaterial = entre(5, 40);
        c.Opciones.ChequearSobrante = entre(0, 1) == 1;
        // A kerf only makes room scarcer: the optimum without it still bounds the value.
        c.Opciones.ChequearAnchoCorte = entre(0, 2) == 1;
        c.Opciones.AnchoCorte = entre(1, 2);
        AReal8 duales(1, 0.0);
        for (const auto& p : r.Piezas) {
            c.Pieza(p.Largo, p.Ancho, 1);
            duales.push_back(p.Valor);
        }
        c.Material(r.L, r.W);
        auto job = c.Crear();
        CMochila m(*job);
        const ROpciones& o = c.Opciones;
        SCOPED_TRACE(Describir(r) + " sobrante " + std::to_string(o.ChequearSobranteMinimo) + "/" +
                     std::to_string(o.SobranteMinimo) + " corte máximo " +
                     std::to_string(o.ChequearCorteMaximo) + "/" + std::to_string(o.CorteMaximo) +
                     " etapas " + std::to_string(o.ChequearNivelCorte) + "/" +
                     std::to_string(o.NivelCorte) + " agarre " + std::to_string(o.ChequearAgarre) +
                     "/" + std::to_string(o.LongitudAgarre) + " restringir " +
                     std::to_string(o.RestringirPosiblesCortes) + "/" +
                     std::to_string(o.PorcentajeMaterial) + " sobrantes " +
                     std::to_string(o.ChequearSobrante) + " corte " +
                     std::to_string(o.ChequearAnchoCorte) + "/" + std::to_string(o.AnchoCorte));
        for (int nivel = 1; nivel <= 3; ++nivel) {
            m.SetNivelOptimizacion(nivel);
            EXPECT_LE(ValorGenerado(m, duales), optimo + 1e-9) << "nivel " << nivel;
        }
        if (HasFailure()) {
            break;
        }
    }
}
