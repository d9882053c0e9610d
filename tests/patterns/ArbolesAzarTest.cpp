// The invariant checker and the random trees that other tests rely on: every broken
// invariant is reported, and the random trees are valid and varied.

#include "support/ArbolesAzar.h"
#include "patterns/CCorte.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

namespace {

// | P1 2x1 of 10x10 in 30x10 | (P2 over .) 20x10 |
std::unique_ptr<CCorte> Muestra() {
    auto arriba = CCorte::Create(20, 10, -1, 0, 0, 0, 0, 0);
    arriba->SetHijo1(CCorte::Create(20, 4, 0, 20, 4, 2, 1, 1));
    arriba->SetHijo2(CCorte::Create(20, 6, 0, 0, 0, 0, 0, 0));
    auto n = CCorte::Create(50, 10, 1, 0, 0, 0, 0, 0);
    n->SetHijo1(CCorte::Create(30, 10, 0, 10, 10, 1, 2, 1));
    n->SetHijo2(std::move(arriba));
    return n;
}

struct RRotura {
    const char* Nombre;
    std::function<void(CCorte&)> Romper;
    const char* Mensaje;
};

void PrintTo(const RRotura& r, std::ostream* os) {
    *os << r.Nombre;
}

class CInvariantes : public testing::TestWithParam<RRotura> {};

TEST_P(CInvariantes, CadaRoturaSeNombra) {
    const azar::TablaPiezas piezas{{}, {10, 10}, {20, 4}};
    auto n = Muestra();
    ASSERT_EQ(azar::Invariantes(n.get(), &piezas), "");
    GetParam().Romper(*n);
    const std::string falla = azar::Invariantes(n.get(), &piezas);
    EXPECT_NE(falla.find(GetParam().Mensaje), std::string::npos) << falla << azar::Mostrar(n.get());
}

INSTANTIATE_TEST_SUITE_P(
    Roturas, CInvariantes,
    testing::Values(
        RRotura{"largosQueNoSuman", [](CCorte& n) { n.SetLargo(51); }, "raiz: vertical"},
        RRotura{"anchoDistinto", [](CCorte& n) { n.Hijo1()->SetAncho(9); }, "raiz: vertical"},
        RRotura{"horizontal", [](CCorte& n) { n.Hijo2()->Hijo2()->SetAncho(7); },
                "raiz.2: horizontal"},
        RRotura{"bloqueLargo", [](CCorte& n) { n.Hijo1()->SetRepX(4); }, "raiz.1: block longer"},
        RRotura{"bloqueAncho", [](CCorte& n) { n.Hijo2()->Hijo1()->SetRepY(2); },
                "raiz.2.1: block wider"},
        RRotura{"corteConPieza", [](CCorte& n) { n.SetRepX(1); }, "cut with block fields"},
        RRotura{"hojaConHijos",
                [](CCorte& n) { n.Hijo1()->SetHijo1(CCorte::Create(1, 1, 0, 0, 0, 0, 0, 0)); },
                "leaf with children"},
        RRotura{"corteSinHijo", [](CCorte& n) { n.Hijo2()->SetHijo2(nullptr); },
                "cut without two children"},
        RRotura{"direccion", [](CCorte& n) { n.SetDir(2); }, "direction 2"},
        RRotura{"vaciaConCampos", [](CCorte& n) { n.Hijo2()->Hijo2()->SetRepX(1); },
                "empty leaf with block fields"},
        RRotura{"tamanoDePieza", [](CCorte& n) { n.Hijo1()->SetLargoPz(9); }, "piece size differs"},
        RRotura{"piezaFuera", [](CCorte& n) { n.Hijo1()->SetPieza(3); }, "beyond the table"},
        RRotura{"negativo", [](CCorte& n) { n.SetAncho(-1); }, "raiz: negative"}),
    [](const testing::TestParamInfo<RRotura>& i) { return std::string(i.param.Nombre); });

TEST(ArbolesAzar, SonValidosYVariados) {
    std::mt19937 rng(5);
    int cortesV = 0, cortesH = 0, bloques = 0, girados = 0, vacias = 0;
    for (int i = 0; i < 200; ++i) {
        azar::RParametrosArbol p;
        const auto piezas = azar::PiezasAzar(rng, 5, 300, 150, false);
        auto n = azar::ArbolAzar(rng, p, piezas);
        ASSERT_EQ(azar::Invariantes(n.get(), &piezas), "") << azar::Mostrar(n.get());
        ASSERT_EQ(n->Largo(), p.Largo);
        ASSERT_EQ(n->Ancho(), p.Ancho);
        azar::ParaCadaNodo(n.get(), [&](const CCorte& c) {
            cortesV += c.Dir() == 1;
            cortesH += c.Dir() == -1;
            bloques += c.TienePieza();
            girados += c.Pieza() < 0;
            vacias += c.EsVacio();
        });
    }
    EXPECT_GT(cortesV, 200);
    EXPECT_GT(cortesH, 200);
    EXPECT_GT(bloques, 200);
    EXPECT_GT(girados, 20);
    EXPECT_GT(vacias, 100);
}

} // namespace
