#include "patterns/CPatron.h"

#include "document/CLanzamiento.h"
#include "document/ROpciones.h"
#include "support/ArbolesAzar.h"
#include "support/ValidadorPatron.h"

#include "PruebaPatrones.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ostream>
#include <string>

namespace {

using namespace prueba;

// In every cut whose parts are both piece blocks, the higher piece number comes first.
std::string FallaOrden(const CCorte* raiz) {
    std::string falla;
    azar::ParaCadaNodo(raiz, [&](const CCorte& n) {
        if (n.Dir() != 0 && n.Hijo1()->TienePieza() && n.Hijo2()->TienePieza() &&
            std::abs(n.Hijo1()->Pieza()) < std::abs(n.Hijo2()->Pieza()) && falla.empty()) {
            falla = "pieza " + std::to_string(n.Hijo1()->Pieza()) + " antes que " +
                    std::to_string(n.Hijo2()->Pieza());
        }
    });
    return falla;
}

// No cut is left whose two parts are leaves of the same signed piece with the same count
// across the cut.
std::string FallaUnion(const CCorte* raiz) {
    std::string falla;
    azar::ParaCadaNodo(raiz, [&](const CCorte& n) {
        if (n.Dir() == 0 || !n.Hijo1()->TienePieza() || !n.Hijo2()->TienePieza()) {
            return;
        }
        const CCorte& a = *n.Hijo1();
        const CCorte& b = *n.Hijo2();
        const bool igualAtraves = n.Dir() == 1 ? a.RepY() == b.RepY() : a.RepX() == b.RepX();
        if (a.Pieza() == b.Pieza() && igualAtraves && falla.empty()) {
            falla = "bloques sin unir de la pieza " + std::to_string(a.Pieza());
        }
    });
    return falla;
}

// With the offcut check on, no piece block keeps a free band that qualifies as an offcut.
std::string FallaSobrante(const CPatron& p) {
    std::string falla;
    azar::ParaCadaNodo(p.Raiz(), [&](const CCorte& n) {
        if (!n.TienePieza() || !falla.empty()) {
            return;
        }
        const int sx = p.SobranteX(n);
        const int sy = p.SobranteY(n);
        const int lmin = p.LargoMinimoSobrante();
        const int amin = p.AnchoMinimoSobrante();
        const bool x =
            sx > 0 && std::max(sx, p.AnchoSP(n)) >= lmin && std::min(sx, p.AnchoSP(n)) >= amin;
        const bool y =
            sy > 0 && std::max(sy, p.LargoSP(n)) >= lmin && std::min(sy, p.LargoSP(n)) >= amin;
        if (x || y) {
            falla = "banda libre de la pieza " + std::to_string(n.Pieza()) + " sin separar";
        }
    });
    return falla;
}

// The canonical form of a pattern whose piece counts were `cuentas`: a sound tree with the
// same pieces, ordered, merged and (with the offcut check) with its offcuts cut off.
std::string FallaForma(CPatron& p, const azar::TablaPiezas* piezas, const ACantidades& cuentas) {
    std::string falla = azar::Invariantes(p.Raiz(), piezas);
    p.RecontarPiezas(static_cast<int>(cuentas.size()) - 1);
    if (falla.empty() && p.CantPorPieza() != cuentas) {
        falla = "otras cantidades de piezas";
    }
    for (const std::string& f : {FallaOrden(p.Raiz()), FallaUnion(p.Raiz()),
                                 p.ChequearSobrante() ? FallaSobrante(p) : std::string()}) {
        falla = falla.empty() ? f : falla;
    }
    return falla;
}

struct RCasoAzar {
    const char* Nombre;
    bool Barras;
    bool ChequearSobrante;
    int Kerf;
    int NumPiezas;
    unsigned Semilla;
};
void PrintTo(const RCasoAzar& c, std::ostream* os) {
    *os << c.Nombre;
}

class CNormalizarAzar : public testing::TestWithParam<RCasoAzar> {};

TEST_P(CNormalizarAzar, TerminaConservaYDejaLaFormaCanonica) {
    const RCasoAzar& c = GetParam();
    ROpciones o = OpcionesPorDefecto();
    o.Barras = c.Barras;
    o.ChequearSobrante = c.ChequearSobrante;
    o.LargoMinimoSobrante = 60;
    o.AnchoMinimoSobrante = 30;
    CTrabajo t(o);
    std::mt19937 rng(c.Semilla);
    for (int caso = 0; caso < 250; ++caso) {
        azar::RParametrosArbol parametros;
        parametros.Barras = c.Barras;
        parametros.Largo = std::uniform_int_distribution<int>(1, 2500)(rng);
        parametros.Ancho = std::uniform_int_distribution<int>(1, 1200)(rng);
        parametros.ProfundidadMaxima = 8;
        parametros.ProbabilidadHoja = 0.2;
        const auto piezas = azar::PiezasAzar(rng, c.NumPiezas, std::max(1, parametros.Largo / 4),
                                             std::max(1, parametros.Ancho / 4), c.Barras);
        auto p = CPatron::Create(c.NumPiezas, 1, t.Job());
        p->SetAnchoCorte(c.Kerf);
        p->SetRaiz(azar::ArbolAzar(rng, parametros, piezas));
        p->RecontarPiezas(c.NumPiezas);
        const std::string antes = azar::Mostrar(p->Raiz());
        const auto cuentas = p->CantPorPieza();
        const long long areaBruta = azar::AreaBrutaPiezas(p->Raiz());
        const double areaPiezas = p->AreaPiezas();

        ASSERT_TRUE(p->Normalizar()) << antes;
        const std::string despues = azar::Mostrar(p->Raiz());
        const std::string contexto =
            "caso " + std::to_string(caso) + "\nantes:" + antes + "despues:" + despues;
        ASSERT_EQ(FallaForma(*p, &piezas, cuentas), "") << contexto;
        EXPECT_EQ(p->Raiz()->Largo(), parametros.Largo);
        EXPECT_EQ(azar::AreaBrutaPiezas(p->Raiz()), areaBruta) << contexto;
        EXPECT_DOUBLE_EQ(p->AreaPiezas(), areaPiezas);

        // A second run keeps the form; with offcuts it first joins them back into their
        // blocks and may regroup them, so only the properties are compared.
        const std::string texto = p->ATexto();
        ASSERT_TRUE(p->Normalizar());
        EXPECT_EQ(FallaForma(*p, &piezas, cuentas), "") << contexto;
        if (!c.ChequearSobrante) {
            EXPECT_EQ(p->ATexto(), texto) << "not idempotent\n" << contexto;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Arboles, CNormalizarAzar,
                         testing::Values(RCasoAzar{"chapas", false, false, 0, 4, 1},
                                         RCasoAzar{"chapasPocasPiezas", false, false, 3, 2, 2},
                                         RCasoAzar{"chapasMuchasPiezas", false, false, 5, 12, 3},
                                         RCasoAzar{"chapasConSobrantes", false, true, 4, 4, 4},
                                         RCasoAzar{"barras", true, false, 3, 4, 5},
                                         RCasoAzar{"barrasConSobrantes", true, true, 3, 3, 6}),
                         [](const testing::TestParamInfo<RCasoAzar>& i) {
                             return std::string(i.param.Nombre);
                         });

// With the maximum cut checked, the canonical form never makes a tree that could be cut
// within the limit need a longer cut: each random tree gets the smallest limit it meets.
TEST(CNormalizar, NoAlargaUnCorteMasAllaDelMaximo) {
    std::mt19937 rng(27);
    int validos = 0;
    for (int caso = 0; caso < 600; ++caso) {
        validacion::RReglasPatron reglas;
        reglas.ComprobarTamanoPiezas = false;
        ROpciones o = OpcionesPorDefecto();
        o.ChequearSobrante = caso % 3 == 0;
        o.LargoMinimoSobrante = 20;
        o.AnchoMinimoSobrante = 10;
        azar::RParametrosArbol parametros;
        parametros.Largo = std::uniform_int_distribution<int>(20, 300)(rng);
        parametros.Ancho = std::uniform_int_distribution<int>(20, 300)(rng);
        parametros.ProfundidadMaxima = 6;
        parametros.ProbabilidadHoja = 0.3;
        const auto piezas =
            azar::PiezasAzar(rng, 3, parametros.Largo / 3, parametros.Ancho / 3, false);
        auto arbol = azar::ArbolAzar(rng, parametros, piezas);
        CTrabajo sinLimite(o);
        auto p = CPatron::Create(3, 1, sinLimite.Job());
        p->SetRaiz(CCorte::Copiar(arbol.get()));
        p->RecontarPiezas(3);
        int bajo = 0;
        int alto = std::max(parametros.Largo, parametros.Ancho);
        // Random trees may hold empty slivers; only trees that are sound apart from the
        // limit say anything here.
        reglas.CorteMaximo = alto;
        if (!validacion::ValidarPatron(*p, reglas).empty()) {
            continue;
        }
        ++validos;
        while (alto - bajo > 1) {
            reglas.CorteMaximo = (bajo + alto) / 2;
            (validacion::ValidarPatron(*p, reglas).empty() ? alto : bajo) = reglas.CorteMaximo;
        }
        reglas.CorteMaximo = alto;
        const std::string antes = azar::Mostrar(p->Raiz());
        ASSERT_EQ(validacion::Texto(validacion::ValidarPatron(*p, reglas)), "") << antes;

        o.ChequearCorteMaximo = true;
        o.CorteMaximo = alto;
        CTrabajo conLimite(o);
        auto q = CPatron::Create(3, 1, conLimite.Job());
        q->SetRaiz(std::move(arbol));
        q->RecontarPiezas(3);
        ASSERT_TRUE(q->Normalizar());
        reglas.SobrantesExplicitos = o.ChequearSobrante;
        ASSERT_EQ(validacion::Texto(validacion::ValidarPatron(*q, reglas)), "")
            << "caso " << caso << ", corte máximo " << alto << "\nantes:" << antes
            << "despues:" << azar::Mostrar(q->Raiz());
    }
    EXPECT_GT(validos, 200);
}

TEST(CNormalizar, PatronSinRaiz) {
    CTrabajo t(OpcionesPorDefecto());
    auto p = CPatron::Create(1, 1, t.Job());
    EXPECT_TRUE(p->Normalizar());
    EXPECT_EQ(p->Raiz(), nullptr);
}

// Small trees and their canonical form (default labels left out of the texts).
struct RForma {
    const char* Nombre;
    int LargoMinimo; // offcuts from LargoMinimo x AnchoMinimo; 0: no offcut check
    int AnchoMinimo;
    int NumPiezas;
    const char* Antes;
    const char* Despues;
    double AreaSobrantes;
};
void PrintTo(const RForma& c, std::ostream* os) {
    *os << c.Nombre;
}

class CNormalizarForma : public testing::TestWithParam<RForma> {};

TEST_P(CNormalizarForma, DaLaFormaEsperada) {
    const RForma& c = GetParam();
    ROpciones o = OpcionesPorDefecto();
    o.ChequearSobrante = c.LargoMinimo > 0;
    o.LargoMinimoSobrante = c.LargoMinimo;
    o.AnchoMinimoSobrante = c.AnchoMinimo;
    CTrabajo t(o);
    auto p = CPatron::Create(c.NumPiezas, 1, t.Job());
    p->SetRaiz(CCorte::LeerTexto(c.Antes));
    p->RecontarPiezas(c.NumPiezas);
    const ACantidades cuentas = p->CantPorPieza();
    ASSERT_TRUE(p->Normalizar());
    std::string texto = CCorte::ATexto(p->Raiz());
    for (std::size_t i; (i = texto.find("\\def")) != std::string::npos;) {
        texto.erase(i, 4);
    }
    EXPECT_EQ(texto, c.Despues);
    EXPECT_EQ(FallaForma(*p, nullptr, cuentas), "");
    EXPECT_EQ(p->AreaSobrantes(), c.AreaSobrantes);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, CNormalizarForma,
    testing::Values(
        // | P1 | P3 | P2 | . |  ->  | P3 | P2 | P1 . |: the empty end joins the last block.
        RForma{
            "ordenaUnaCadena", 0, 0, 3,
            "(100;10;1;0;0;0;0;0(10;10;0;10;10;1;1;1()())(90;10;1;0;0;0;0;0(20;10;0;20;10;3;1;1()"
            "())(70;10;1;0;0;0;0;0(30;10;0;30;10;2;1;1()())(40;10;0;0;0;0;0;0()()))))",
            "(100;10;1;0;0;0;0;0;(20;10;0;20;10;3;1;1;()())(80;10;1;0;0;0;0;0;(30;10;0;30;10;2;1;"
            "1;()())(50;10;0;10;10;1;1;1;()())))",
            0},
        RForma{"uneBloquesPartidos", 0, 0, 2,
               "(50;10;1;0;0;0;0;0(20;10;0;10;10;2;2;1()())(30;10;0;10;10;2;3;1()()))",
               "(50;10;0;10;10;2;5;1;()())", 0},
        // The merge makes the second part a block of piece 7, which then comes first.
        RForma{
            "unBloqueNacidoDeUnaUnionQuedaEnOrden", 0, 0, 7,
            "(40;20;1;0;0;0;0;0(10;20;0;10;20;5;1;1()())(30;20;-1;0;0;0;0;0(30;10;0;10;10;7;3;1()"
            "())(30;10;0;10;10;7;3;1()())))",
            "(40;20;1;0;0;0;0;0;(30;20;0;10;10;7;3;2;()())(10;20;0;10;20;5;1;1;()()))", 0},
        // Free 40 along X over the whole width (area 2000) and 30 along Y over the whole length
        // (area 3000): the larger band is cut off first, then the remaining block's band.
        RForma{"sobrantesExplicitos", 20, 20, 1, "(100;50;0;30;20;1;2;1()())",
               "(100;50;-1;0;0;0;0;0;(100;20;1;0;0;0;0;0;(60;20;0;30;20;1;2;1;()())(40;20;0;0;0;0;"
               "0;0;()()))(100;30;0;0;0;0;0;0;()()))",
               40.0 * 20 + 100.0 * 30},
        RForma{"bandaDemasiadoPequena", 50, 41, 1, "(100;50;0;30;20;1;2;1()())",
               "(100;50;0;30;20;1;2;1;()())", 0}),
    [](const testing::TestParamInfo<RForma>& i) { return std::string(i.param.Nombre); });

TEST(CNormalizar, ArbolEnElLimiteDeProfundidadSeRecorreSinDesbordar) {
    // A chain as deep as the reader allows: blocks of piece 2, then blocks of piece 1, then
    // an empty end. Every walk of the pattern must cope with it, and the canonical form
    // collapses each run into one block.
    const int niveles = CCorte::ProfundidadMaxima;
    std::string t = "1;1;1;1;0;0;1;0;0;0;0;0";
    for (int i = 0; i < niveles - 1; ++i) {
        const int pieza = i < niveles / 2 ? 2 : 1;
        t += "(" + std::to_string(3 * (niveles - i)) + ";5;1;0;0;0;0;0;\\def(3;5;0;3;5;" +
             std::to_string(pieza) + ";1;1;()())";
    }
    t += "(3;5;0;0;0;0;0;0;()())";
    t += std::string(static_cast<std::size_t>(niveles - 1), ')');
    ROpciones o = OpcionesPorDefecto();
    o.ChequearSobrante = true;
    CTrabajo trabajo(o);
    std::string aviso;
    auto p = CPatron::DeTexto(t, 2, trabajo.Job(), aviso);
    ASSERT_EQ(aviso, "");
    ASSERT_EQ(p->Raiz()->Profundidad(), niveles);
    const RLocalizacion l = p->Localizar(nullptr);
    EXPECT_EQ(l.Hojas, niveles);
    EXPECT_EQ(p->AreaPiezas(), 15.0 * (niveles - 1));
    auto copia = CPatron::Copia(*p);
    EXPECT_EQ(copia->Raiz()->CantidadNodos(), p->Raiz()->CantidadNodos());
    EXPECT_EQ(p->CantPorPieza()[2], niveles / 2);
    const auto cuentas = p->CantPorPieza();
    ASSERT_TRUE(p->Normalizar());
    EXPECT_EQ(FallaForma(*p, nullptr, cuentas), "");
    EXPECT_LE(p->Raiz()->CantidadNodos(), 5) << azar::Esquema(p->Raiz());
}

TEST(CNormalizar, UnArbolPatologicoSeDetieneEnElLimiteDePasos) {
    // A chain of 60 blocks of distinct pieces in random order needs many thousand steps;
    // with a budget of 1000 the form stops early and still keeps the tree sound.
    std::mt19937 rng(11);
    std::vector<int> orden(60);
    for (int i = 0; i < 60; ++i) {
        orden[static_cast<std::size_t>(i)] = i + 1;
    }
    std::shuffle(orden.begin(), orden.end(), rng);
    auto cadena = [&] {
        std::unique_ptr<CCorte> n = Vacia(3, 10);
        for (int pieza : orden) {
            n = Corte(1, Bloque(3, 10, pieza, 2, 10, 1, 1), std::move(n));
        }
        return n;
    };
    CTrabajo t(OpcionesPorDefecto());
    auto p = CPatron::Create(60, 1, t.Job());
    p->SetRaiz(cadena());
    p->RecontarPiezas(60);
    const auto cuentas = p->CantPorPieza();
    EXPECT_FALSE(p->Normalizar(1000));
    EXPECT_EQ(azar::Invariantes(p->Raiz()), "") << azar::Mostrar(p->Raiz());
    p->RecontarPiezas(60);
    EXPECT_EQ(p->CantPorPieza(), cuentas);
    EXPECT_EQ(p->Raiz()->Largo(), 3 * 61);

    p->SetRaiz(cadena());
    EXPECT_TRUE(p->Normalizar());
    EXPECT_EQ(FallaOrden(p->Raiz()), "") << azar::Mostrar(p->Raiz());
    EXPECT_EQ(p->Raiz()->Hijo1()->Pieza(), 60);
}

} // namespace
