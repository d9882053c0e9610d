#include "document/CEdicionOpciones.h"

#include "document/CGrilla.h"
#include "document/UExcepciones.h"

#include <gtest/gtest.h>

namespace {

ROpciones Milimetros() {
    ROpciones o = OpcionesPorDefecto();
    o.TipoUnidad = 0;
    o.Precision = 0;
    o.NombreUnidad = "mm";
    return o;
}

} // namespace

TEST(EdicionOpciones, NivelFinalBajaElInicial) {
    ROpciones o = Milimetros();
    o.NivelOptimizacionFinal = 2;
    o.NivelOptimizacionInicial = 3; // as a file may hold it
    CEdicionOpciones e;
    e.Cargar(o);
    e.FijarNivelFinal(2);
    EXPECT_EQ(e.Opciones().NivelOptimizacionInicial, 2);
    EXPECT_FALSE(e.FijarNivelInicial(3));
    EXPECT_TRUE(e.FijarNivelInicial(1));
    EXPECT_EQ(e.Opciones().NivelOptimizacionInicial, 1);
    EXPECT_EQ(CEdicionOpciones::NotaNivel(2),
              "Nivel 2: La optimización es casi máxima y el rendimiento eficiente (recomendado).");
}

TEST(EdicionOpciones, BarrasDeshabilitanTresParametros) {
    CEdicionOpciones e;
    e.Cargar(Milimetros());
    for (int i = 0; i < CEdicionOpciones::CantidadParametros; ++i) {
        EXPECT_TRUE(e.Habilitado(i)) << i;
    }
    e.Opciones().Barras = true;
    std::vector<int> deshabilitados;
    for (int i = 0; i < CEdicionOpciones::CantidadParametros; ++i) {
        if (!e.Habilitado(i)) {
            deshabilitados.push_back(i);
        }
    }
    EXPECT_EQ(deshabilitados,
              (std::vector<int>{CEdicionOpciones::CorteMaximo, CEdicionOpciones::Rotar,
                                CEdicionOpciones::NivelesCorte}));
}

struct RCasoMargenes {
    const char* Texto;
    int Izq, Der, Inf, Sup;
    const char* Lista;
    const char* Canonico;
};

class Margenes : public ::testing::TestWithParam<RCasoMargenes> {};

TEST_P(Margenes, IzqDerInfSupYLista) {
    const RCasoMargenes& c = GetParam();
    CEdicionOpciones e;
    e.Cargar(Milimetros());
    e.Fijar(CEdicionOpciones::Margenes, c.Texto);
    const ROpciones& o = e.Opciones();
    EXPECT_EQ(o.MargenIzq, c.Izq);
    EXPECT_EQ(o.MargenDer, c.Der);
    EXPECT_EQ(o.MargenInf, c.Inf);
    EXPECT_EQ(o.MargenSup, c.Sup);
    EXPECT_EQ(o.MaterialesConMargen, c.Lista);
    EXPECT_EQ(e.Texto(CEdicionOpciones::Margenes), c.Canonico);
}

INSTANTIATE_TEST_SUITE_P(Casos, Margenes,
                         ::testing::Values(RCasoMargenes{"10,20,30,40:1,3-4", 10, 20, 30, 40,
                                                         "1,3-4", "10mm,20mm,30mm,40mm:1,3-4"},
                                           RCasoMargenes{"10,20,30,40", 10, 20, 30, 40, "",
                                                         "10mm,20mm,30mm,40mm:"},
                                           RCasoMargenes{"5", 5, 0, 0, 0, "", "5mm,0,0,0:"}));

TEST(EdicionOpciones, TextosQueNoSonValores) {
    CEdicionOpciones e;
    e.Cargar(Milimetros());
    e.Fijar(CEdicionOpciones::AnchoCorte, "4");
    EXPECT_THROW(e.Fijar(CEdicionOpciones::AnchoCorte, "abc"), EConversion);
    EXPECT_THROW(e.Fijar(CEdicionOpciones::Margenes, "1,x,3,4"), EConversion);
    EXPECT_EQ(e.Opciones().AnchoCorte, 4);
    EXPECT_EQ(e.Opciones().MargenIzq, 0);
    e.Fijar(CEdicionOpciones::NivelesCorte, "3");
    e.Fijar(CEdicionOpciones::NivelesCorte, "tres");
    EXPECT_EQ(e.Opciones().NivelCorte, 3);
    e.FijarPorcentajeMaterial("15");
    EXPECT_EQ(e.Opciones().PorcentajeMaterial, 15);
    e.FijarPorcentajeMaterial("15%");
    EXPECT_EQ(e.Opciones().PorcentajeMaterial, 0);
}

TEST(EdicionOpciones, TipoDeUnidadYMuestra) {
    CEdicionOpciones e;
    e.Cargar(Milimetros());
    e.Opciones().Precision = 2;
    EXPECT_EQ(e.Muestra(), "655.35mm");
    e.FijarTipoUnidad(3);
    EXPECT_EQ(e.Opciones().Precision, 0);
    EXPECT_EQ(e.Opciones().NombreUnidad, "");
    EXPECT_EQ(CEdicionOpciones::ListaPrecision(3).size(), 9u);
    EXPECT_EQ(CEdicionOpciones::ListaPrecision(2).size(), 4u);
    EXPECT_FALSE(CEdicionOpciones::SuprimirHabilitado(3));
}

TEST(EdicionOpciones, MemoDelFormato) {
    const std::string formato = "\\if#DIR=0\\ret\\then\\defP#P";
    const std::string memo = CEdicionOpciones::FormatoAMemo(formato);
    EXPECT_EQ(memo, "\\if#DIR=0\n\\then\\defP#P");
    EXPECT_EQ(CEdicionOpciones::MemoAFormato(memo), "\\if#DIR=0\\ret\\thenP#P");
}

// Millimetres to centimetres with one decimal: 2440 mm -> 244.0 cm, the kerf 4 mm -> 0.4 cm.
TEST(EdicionOpciones, ConversionDeUnidades) {
    const ROpciones antes = Milimetros();
    ROpciones unidades = antes;
    unidades.NombreUnidad = "cm";
    unidades.Precision = 1;
    CGrilla g(3, 7);
    g.AsignarCelda(1, 1, "2440mm");
    g.AsignarCelda(1, 2, "1220");
    g.AsignarCelda(1, 3, "5");
    g.AsignarCelda(2, 1, "15");
    const double factor = CEdicionOpciones::LeerEscala(" 0.1 ");
    CEdicionOpciones::ConvertirGrilla(g, factor, antes, unidades);
    EXPECT_EQ(g.Celda(1, 1), "244.0cm");
    EXPECT_EQ(g.Celda(1, 2), "122.0cm");
    EXPECT_EQ(g.Celda(1, 3), "5");
    EXPECT_EQ(g.Celda(2, 1), "1.5cm");
    EXPECT_EQ(g.Celda(2, 2), "");

    ROpciones conCorte = antes;
    conCorte.AnchoCorte = 4;
    conCorte.MargenSup = 10;
    const ROpciones nuevas = CEdicionOpciones::ConvertirOpciones(conCorte, unidades, factor);
    EXPECT_EQ(nuevas.NombreUnidad, "cm");
    EXPECT_EQ(nuevas.Precision, 1);
    EXPECT_EQ(nuevas.AnchoCorte, 4);
    EXPECT_EQ(nuevas.MargenSup, 10);
    EXPECT_EQ(nuevas.FormatoEti, conCorte.FormatoEti);
}

TEST(EdicionOpciones, ConversionQueNoCabeNoCambiaNada) {
    const ROpciones antes = Milimetros();
    CGrilla g(3, 7);
    g.AsignarCelda(1, 1, "100");
    g.AsignarCelda(2, 1, "40000");
    const CGrilla original = g;
    EXPECT_THROW(CEdicionOpciones::ConvertirGrilla(g, 2.0, antes, antes), EConversion);
    EXPECT_EQ(g, original);
    EXPECT_THROW(CEdicionOpciones::LeerEscala("2,5"), EConversion);
    EXPECT_THROW(CEdicionOpciones::LeerEscala(""), EConversion);
}
