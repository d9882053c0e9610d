#include "document/UGlobals.h"
#include "document/UExcepciones.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

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

TEST(OrdenarRapido, OrdenaCualquierListaDesdeUno) {
    std::mt19937 azar(7);
    for (int prueba = 0; prueba < 200; ++prueba) {
        const int n = static_cast<int>(azar() % 40);
        AInt32 lista(static_cast<std::size_t>(n) + 1, -99);
        for (int i = 1; i <= n; ++i) {
            lista[static_cast<std::size_t>(i)] = static_cast<int>(azar() % 10);
        }
        AInt32 esperado(lista.begin() + 1, lista.end());
        std::sort(esperado.begin(), esperado.end(), std::greater<>());
        OrdenarRapido(lista, 1, n, [](int a, int b) { return b - a; });
        EXPECT_EQ(lista[0], -99);
        EXPECT_EQ(AInt32(lista.begin() + 1, lista.end()), esperado);
    }
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
