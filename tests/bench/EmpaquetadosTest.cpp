// The perfect-packing family: jobs built so that the pieces fill their n stock units
// exactly, compared with n.

#include "CPlanMedicion.h"
#include "CValoresConocidos.h"

#include <gtest/gtest.h>

namespace {

TEST(Empaquetados, LasPiezasLlenanExactamenteLasUnidades) {
    const auto instancias = CPlanMedicion::InstanciasEmpaquetados(false);
    ASSERT_EQ(instancias.size(), 15u);
    const CValoresConocidos conocidos;
    for (const RInstancia& r : instancias) {
        SCOPED_TRACE(r.Nombre);
        ASSERT_EQ(r.Materiales.size(), 1u);
        long long area = 0;
        long long piezas = 0;
        for (const auto& p : r.Piezas) {
            EXPECT_GE(p.Largo, 1);
            EXPECT_LE(p.Largo, r.Materiales[0].Largo);
            EXPECT_LE(p.Ancho, r.Materiales[0].Ancho);
            area += p.Largo * p.Ancho * p.Cantidad;
            piezas += p.Cantidad;
        }
        EXPECT_EQ(area, r.Unidades * r.Materiales[0].Largo * r.Materiales[0].Ancho);
        const long long minimo = r.Barras ? 2 : 3;
        const long long maximo = r.Barras ? 5 : 12;
        EXPECT_GE(piezas, minimo * r.Unidades);
        EXPECT_LE(piezas, maximo * r.Unidades);
        const RResultado base =
            CPlanMedicion::Base(r, CPlanMedicion::VariantesEmpaquetados()[0], conocidos);
        EXPECT_EQ(base.Familia, "empaquetados perfectos");
        EXPECT_EQ(base.Mejor, r.Unidades);
        EXPECT_EQ(base.Cota, r.Unidades);
        EXPECT_TRUE(base.Cuenta);
    }
    EXPECT_EQ(CPlanMedicion::InstanciasEmpaquetados(true).size(), 4u);
}

} // namespace
