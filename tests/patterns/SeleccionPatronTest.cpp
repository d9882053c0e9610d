// The pattern view's arithmetic without widgets: zoom factors and limits, band zoom and the
// scroll bars, hit-testing of leaves and band selection on a drawn pattern, the tree order,
// and the pieces inspector's fit and column marks.

#include "PruebaPatrones.h"

#include "document/REntorno.h"
#include "patterns/CZoomPatron.h"
#include "patterns/UDibujo.h"
#include "patterns/USeleccionPatron.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

using namespace prueba;

namespace {

// A surface that draws nothing: the drawing still records every node's Marco.
class CLienzoMudo : public CLienzo {
public:
    void Pluma(TColor, TEstiloPluma, int) override {}
    void Relleno(TColor, TEstiloRelleno) override {}
    void Fuente(const RFuente&, TColor) override {}
    void Rectangulo(const RRect&) override {}
    void Linea(int, int, int, int) override {}
    void Texto(const RRect&, int, int, TAlineacion, const std::string&) override {}
    int AnchoTexto(const std::string& t) override { return static_cast<int>(t.size()) * 6; }
    int AltoTexto(const std::string&) override { return 10; }
};

// The known pattern drawn at one pixel per unit: the 1000 x 500 material fills the device
// rectangle (0,0)-(1000,500) and device y = 500 - world y.
//   A      = (0,0)-(603,500)      kerf 603..606
//   B1     = (606,200)-(1000,500) kerf rows 197..200
//   B2.1   = (606,0)-(809,197)    kerf 809..812
//   B2.2   = (812,0)-(1000,197)   offcut
struct RDibujado {
    CTrabajo Trabajo{OpcionesConocidas, PiezasConocidas};
    std::unique_ptr<CPatron> P = Trabajo.Patron(ArbolConocido);
    RDibujado() {
        CLienzoMudo mudo;
        Dibujar(*P, mudo, RRect{0, 0, 1000, 500}, ModoDibujo::Pantalla, RRect{-1, -1, 1001, 501},
                REntorno::PorDefecto(1920, 1080, ""));
        P->SetLienzo(nullptr);
    }
    CCorte* A() { return P->Raiz()->Hijo1(); }
    CCorte* B() { return P->Raiz()->Hijo2(); }
    CCorte* B2() { return B()->Hijo2(); }
};

} // namespace

TEST(ZoomPatron, FactoresYLimites) {
    CZoomPatron z;
    z.FijarBase(RRect{20, 30, 820, 630});
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(z.Aumentar());
    }
    EXPECT_NEAR(z.Factor(), 7.59, 0.01);
    EXPECT_TRUE(z.Aumentar()); // 7.59 is below 10: the test comes before multiplying
    EXPECT_NEAR(z.Factor(), 11.39, 0.01);
    EXPECT_FALSE(z.Aumentar());
    // The centre stays where it was.
    EXPECT_NEAR((z.RectZoom().Left + z.RectZoom().Right) / 2.0, 420, 1);
    EXPECT_NEAR((z.RectZoom().Top + z.RectZoom().Bottom) / 2.0, 330, 1);
    z.Encajar();
    EXPECT_EQ(z.RectZoom(), z.RectBase());
    EXPECT_TRUE(z.Reducir());
    EXPECT_TRUE(z.Reducir());
    EXPECT_NEAR(z.Factor(), 4.0 / 9.0, 0.01);
    EXPECT_FALSE(z.Reducir());
}

TEST(ZoomPatron, BandaLlenaLaCajaYLasBarrasAlcanzanTodo) {
    CZoomPatron z;
    z.FijarBase(RRect{20, 30, 820, 630});
    EXPECT_FALSE(z.BarraHorizontal().Visible);
    EXPECT_FALSE(z.ZoomABanda(RRect{100, 100, 100, 300}, 900, 700));
    // A band of 100 x 50 in a 900 x 700 box: the width decides, x9; corners in any order.
    ASSERT_TRUE(z.ZoomABanda(RRect{220, 180, 120, 130}, 900, 700));
    EXPECT_NEAR(z.Factor(), 9.0, 0.01);
    // The band's centre (170, 155) lies at the box's centre now.
    const double u = (170.0 - 20) / 800;
    EXPECT_NEAR(z.RectZoom().Left + u * (z.RectZoom().Right - z.RectZoom().Left), 450, 2);
    const CZoomPatron::RBarra h = z.BarraHorizontal();
    ASSERT_TRUE(h.Visible);
    z.DesplazarHorizontal(h.Minimo);
    EXPECT_EQ(z.RectZoom().Left, 20);
    z.DesplazarHorizontal(h.Maximo);
    EXPECT_EQ(z.RectZoom().Right, 820);
    // Repeated band zooms stop at the largest factor instead of overflowing.
    for (int i = 0; i < 20; ++i) {
        z.ZoomABanda(RRect{0, 0, 11, 11}, 900, 700);
    }
    EXPECT_LE(z.Factor(), CZoomPatron::FactorMaximo + 0.01);
}

struct RPunto {
    const char* Caso;
    int X;
    int Y;
    const char* Hoja; // "A", "B1", "B21", "B22" or "" for none
};

class HojaEnPuntoTest : public ::testing::TestWithParam<RPunto> {};

TEST_P(HojaEnPuntoTest, Hoja) {
    RDibujado d;
    const std::map<std::string, CCorte*> hojas{{"A", d.A()},
                                               {"B1", d.B()->Hijo1()},
                                               {"B21", d.B2()->Hijo1()},
                                               {"B22", d.B2()->Hijo2()},
                                               {"", nullptr}};
    EXPECT_EQ(HojaEnPunto(d.P->Raiz(), GetParam().X, GetParam().Y), hojas.at(GetParam().Hoja));
}

INSTANTIATE_TEST_SUITE_P(
    Clics, HojaEnPuntoTest,
    ::testing::Values(RPunto{"bloque", 300, 250, "A"}, RPunto{"corte", 604, 250, ""},
                      RPunto{"borde", 603, 250, ""}, RPunto{"abajo", 800, 100, "B21"},
                      RPunto{"sobrante", 900, 100, "B22"}, RPunto{"corteB2", 810, 100, ""},
                      RPunto{"corteB", 700, 199, ""}, RPunto{"arriba", 700, 201, "B1"},
                      RPunto{"fuera", 1005, 10, ""}),
    [](const auto& info) { return std::string(info.param.Caso); });

TEST(SeleccionPatron, BandaEligeElPrimeroEnPreorden) {
    RDibujado d;
    EXPECT_EQ(NodoEnBanda(d.P->Raiz(), RRect{0, 0, 1000, 500}), d.P->Raiz());
    EXPECT_EQ(NodoEnBanda(d.P->Raiz(), RRect{1000, 200, 600, 0}), d.B2());
    EXPECT_EQ(NodoEnBanda(d.P->Raiz(), RRect{600, 0, 810, 197}), d.B2()->Hijo1());
    EXPECT_EQ(NodoEnBanda(d.P->Raiz(), RRect{10, 10, 500, 400}), nullptr);
}

TEST(SeleccionPatron, NodosEnOrdenConSusEsquinas) {
    RDibujado d;
    const std::vector<RNodoArbol> n = NodosEnOrden(*d.P);
    ASSERT_EQ(n.size(), 7u);
    const std::vector<CCorte*> orden{d.P->Raiz(), d.A(),           d.B(),          d.B()->Hijo1(),
                                     d.B2(),      d.B2()->Hijo1(), d.B2()->Hijo2()};
    const std::vector<std::pair<int, int>> esquinas{{0, 0},     {0, 0},     {606, 0},  {606, 0},
                                                    {606, 303}, {606, 303}, {812, 303}};
    const std::vector<int> padres{-1, 0, 0, 2, 2, 4, 4};
    for (std::size_t i = 0; i < n.size(); ++i) {
        EXPECT_EQ(n[i].Nodo, orden[i]) << i;
        EXPECT_EQ(std::make_pair(n[i].X, n[i].Y), esquinas[i]) << i;
        EXPECT_EQ(n[i].Padre, padres[i]) << i;
    }
    EXPECT_EQ(TextoNodo(*d.P, *d.B2()->Hijo2(), 812, 303),
              d.P->TextoTamano(*d.B2()->Hijo2()) + " en " + d.P->TextoCoordenadas(812, 303));
}

// Pieces 100 x 50 (1), 300 x 200 (2), 97 x 47 (3), 60 x 60 (4), kerf 3, in a leaf of gross
// 206 x 200: piece 1 fills the length exactly (2 x 103); piece 3 leaves 6 in X and 0 in Y
// (4 x 50); piece 4 leaves 17 in X and 11 in Y; piece 2 does not fit.
TEST(SeleccionPatron, MarcasDePiezas) {
    CTrabajo t(OpcionesConocidas, {"100;50;6;;;1;", "300;200;5;;;1;", "97;47;4;;;1;",
                                   "60;60;4;;;1;", "100;50;1;;;1;"});
    auto P = t.Patron("(206;200;0;0;0;0;0;0;\\def()())");
    const CCorte& hoja = *P->Raiz();
    const REncajePieza e = EncajePieza(*P, hoja, 60, 60);
    EXPECT_EQ(e.CuentaX, 3);
    EXPECT_EQ(e.RestoX, 17);
    EXPECT_EQ(e.CuentaY, 3);
    EXPECT_EQ(e.RestoY, 11);
    EXPECT_EQ(EncajePieza(*P, hoja, 300, 200).RestoX, P->LargoSP(hoja));
    const auto marcas = [&](std::vector<std::int64_t> dif, bool rotadas = false) {
        std::vector<int> m;
        const std::vector<bool> b = MarcasPiezas(*P, &hoja, t.Lanzamiento(), dif, rotadas);
        for (std::size_t i = 1; i < b.size(); ++i) {
            if (b[i]) {
                m.push_back(static_cast<int>(i));
            }
        }
        return m;
    };
    // 1 and 3 are exact; 3 also has the smallest X remainder; 4 the smallest Y remainder
    // among the others. Piece 5 is not missing.
    EXPECT_EQ(marcas({0, -1, -1, -1, -1, 0}), (std::vector<int>{1, 3, 4}));
    EXPECT_EQ(marcas({0, 0, -1, 0, -1, 0}), (std::vector<int>{4}));
    EXPECT_EQ(marcas({0, -1, -1, -1, -1, 0}, true).empty(), false);
    // Only empty leaves are marked.
    auto Q = t.Patron("(206;200;0;103;53;1;2;3;\\def()())");
    EXPECT_TRUE(std::ranges::none_of(
        MarcasPiezas(*Q, Q->Raiz(), t.Lanzamiento(), {0, -9, -9, -9, -9, -9}, false),
        [](bool b) { return b; }));
}
