#include "engine/CHistorialFiltro.h"

#include <gtest/gtest.h>

TEST(HistorialFiltro, VeinteTextosSinRepetir) {
    CHistorialFiltro h;
    h.Agregar("");
    h.Agregar("1,2");
    h.Agregar("1,2");
    EXPECT_EQ(h.Textos(), std::vector<std::string>{"1,2"});
    for (int k = 2; k <= 20; ++k) {
        h.Agregar(std::to_string(k));
    }
    ASSERT_EQ(h.Textos().size(), 20u);
    h.Agregar("21");
    ASSERT_EQ(h.Textos().size(), 20u);
    EXPECT_EQ(h.Textos().front(), "2");
    EXPECT_EQ(h.Textos().back(), "21");
}

TEST(HistorialFiltro, ColumnaDeLaTerceraPieza) {
    EXPECT_EQ(CHistorialFiltro::Criterio(9), 7);
    EXPECT_EQ(CHistorialFiltro::Pieza(9), 3);
    EXPECT_EQ(CHistorialFiltro::Criterio(2), 2);
    EXPECT_EQ(CHistorialFiltro::Pieza(2), 0);
}
