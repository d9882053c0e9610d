#include "document/UGlobals.h"
#include "document/UExcepciones.h"

#include <gtest/gtest.h>


TEST(Tolerancia, ComparacionesDentroDeLaTolerancia) {
    EXPECT_TRUE(Igual(1.0, 1.0 + 0.5e-9));
    EXPECT_FALSE(Igual(1.0, 1.0 + 2e-9));
    EXPECT_TRUE(MayorIgual(1.0, 1.0 + 0.5e-9));
    EXPECT_FALSE(Menor(1.0, 1.0 + 0.5e-9));
    EXPECT_TRUE(Menor(-2e-9, 0.0));
    EXPECT_FALSE(Menor(-0.5e-9, 0.0));
    EXPECT_TRUE(Mayor(2e-9, 0.0));
    EXPECT_FALSE(Mayor(0.5e-9, 0.0));
}

TEST(ListaNumeros, RangosYNumerosSueltos) {
    for (int n = 0; n <= 9; ++n) {
        EXPECT_EQ(EnListaNumeros("2,5-7", n), n == 2 || (n >= 5 && n <= 7)) << n;
        EXPECT_TRUE(EnListaNumeros("", n));
    }
    EXPECT_TRUE(EnListaNumeros("x, 3 4", 4));
    EXPECT_FALSE(EnListaNumeros("x,y", 4));
}

TEST(Porcentaje, RedondeaALosDecimalesPedidos) {
    EXPECT_DOUBLE_EQ(Porcentaje(0.123456, 2), 12.35);
    EXPECT_DOUBLE_EQ(Porcentaje(0.5, 0), 50.0);
}

TEST(MensajeDeExcepcion, ClasesDelMotorConSuMensaje) {
    EXPECT_EQ(MensajeDeExcepcion(ENoHayPiezas()), "No hay piezas para cortar");
    EXPECT_EQ(MensajeDeExcepcion(EErrorPrecision()), "Error en el cálculo");
    EXPECT_EQ(MensajeDeExcepcion(ECalculoForzado()), "");
    EXPECT_EQ(MensajeDeExcepcion(std::runtime_error("otro")), "otro");
}
