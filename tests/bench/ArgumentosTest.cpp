// Command line of trazal-bench.

#include "CBanco.h"

#include <gtest/gtest.h>

namespace {

struct RCasoArgumentos {
    std::vector<std::string> Argumentos;
    bool Valido;
};

class ArgumentosBanco : public ::testing::TestWithParam<RCasoArgumentos> {};

TEST_P(ArgumentosBanco, AcceptsOnlyWellFormedCommandLines) {
    ROpcionesBanco o;
    std::string error;
    EXPECT_EQ(CBanco::LeerArgumentos(GetParam().Argumentos, o, error), GetParam().Valido) << error;
}

INSTANTIATE_TEST_SUITE_P(
    Casos, ArgumentosBanco,
    ::testing::Values(RCasoArgumentos{{"salida"}, true},
                      RCasoArgumentos{{"--rapido", "salida"}, true},
                      RCasoArgumentos{{"--familias", "barras,clases", "salida"}, true},
                      RCasoArgumentos{{"--familias", "empaquetados,muebles", "salida"}, true},
                      RCasoArgumentos{{"--rapido-en", "clases,crecimiento", "salida"}, true},
                      RCasoArgumentos{{"--limite", "5", "--trabajos", "1", "salida"}, true},
                      RCasoArgumentos{{}, false}, RCasoArgumentos{{"--rapido"}, false},
                      RCasoArgumentos{{"--familias", "barras,tableros", "salida"}, false},
                      RCasoArgumentos{{"--rapido-en", "todo", "salida"}, false},
                      RCasoArgumentos{{"--limite", "0", "salida"}, false},
                      RCasoArgumentos{{"--limite", "x", "salida"}, false},
                      RCasoArgumentos{{"--trabajos", "0", "salida"}, false},
                      RCasoArgumentos{{"--limite"}, false},
                      RCasoArgumentos{{"--desconocida", "salida"}, false},
                      RCasoArgumentos{{"salida", "otra"}, false}));

TEST(ArgumentosBanco, QuickSetEverywhereOrByFamily) {
    ROpcionesBanco o;
    std::string error;
    ASSERT_TRUE(CBanco::LeerArgumentos({"--rapido", "s"}, o, error));
    EXPECT_TRUE(o.Rapido());
    ROpcionesBanco p;
    ASSERT_TRUE(CBanco::LeerArgumentos({"--rapido-en", "clases", "s"}, p, error));
    EXPECT_FALSE(p.Rapido());
    EXPECT_EQ(p.Rapidas, std::set<std::string>{"clases"});
    EXPECT_EQ(p.Salida, "s");
    EXPECT_EQ(p.Instancias.filename(), "benchmarks");
}

} // namespace
