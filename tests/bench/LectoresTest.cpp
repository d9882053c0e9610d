// Readers of the three published instance formats and of the tables of known values.

#include "CLectorBarras.h"
#include "CLectorClases.h"
#include "CLectorHojas.h"
#include "CValoresConocidos.h"
#include "document/UExcepciones.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

RInstancia Barras(const std::string& texto) {
    std::istringstream e(texto);
    return CLectorBarras::Leer(e, "grupo", "prueba.txt");
}

TEST(LectorBarras, ReadsCrlfFileAsBarsJob) {
    const RInstancia r = Barras("3\r\n150\r\n98\t3\r\n96 2\r\n40 1\r\n\r\n");
    EXPECT_TRUE(r.Barras);
    ASSERT_EQ(r.Materiales.size(), 1u);
    EXPECT_EQ(r.Materiales[0].Largo, 150);
    ASSERT_EQ(r.Piezas.size(), 3u);
    EXPECT_EQ(r.Piezas[1].Largo, 96);
    EXPECT_EQ(r.Piezas[1].Cantidad, 2);
    EXPECT_EQ(r.Piezas[2].Largo, 40);
    EXPECT_TRUE(r.Omitida.empty());
}

struct RCasoOmitida {
    const char* Texto;
    const char* Motivo;
};

class BarrasQueNoCaben : public ::testing::TestWithParam<RCasoOmitida> {};

TEST_P(BarrasQueNoCaben, AreListedWithTheReason) {
    const RInstancia r = Barras(GetParam().Texto);
    EXPECT_NE(r.Omitida.find(GetParam().Motivo), std::string::npos) << r.Omitida;
}

INSTANTIATE_TEST_SUITE_P(Casos, BarrasQueNoCaben,
                         ::testing::Values(RCasoOmitida{"2\n100000\n60000 1\n40000 3\n", "100000"},
                                           RCasoOmitida{"1\n65535\n65536 1\n", "65536"},
                                           RCasoOmitida{"1\n1000\n10 70000\n", "70000"}));

TEST(LectorBarras, LimitsThatFitAreNotSkipped) {
    EXPECT_TRUE(Barras("1\n65535\n65535 65535\n").Omitida.empty());
}

class BarrasMalFormadas : public ::testing::TestWithParam<const char*> {};

TEST_P(BarrasMalFormadas, RaiseAFileError) {
    EXPECT_THROW(Barras(GetParam()), EArchivo);
}

INSTANTIATE_TEST_SUITE_P(Casos, BarrasMalFormadas,
                         ::testing::Values("", "3\n150\n98 3\n96 2\n", "2\n150\n98 3\n96 2\n7 7\n",
                                           "0\n150\n", "-4\n150\n", "1\n0\n5 1\n", "1\n150\n0 1\n",
                                           "1\n150\n10 0\n", "1\n150\nx 1\n",
                                           "999999999999\n150\n10 1\n"));

TEST(LectorHojas, ReadsSheetTypesAndItemTypes) {
    std::istringstream e("2 2 2 0 0 0\n250 250 62500\n300 200 60000\n167 184 90  0 \n"
                         "114 118 75  0\ngcut0dr");
    const RInstancia r = CLectorHojas::Leer(e, "gcut0d");
    EXPECT_FALSE(r.Barras);
    ASSERT_EQ(r.Materiales.size(), 2u);
    EXPECT_EQ(r.Materiales[1].Largo, 300);
    EXPECT_EQ(r.Materiales[1].Ancho, 200);
    ASSERT_EQ(r.Piezas.size(), 2u);
    EXPECT_EQ(r.Piezas[0].Largo, 167);
    EXPECT_EQ(r.Piezas[0].Ancho, 184);
    EXPECT_EQ(r.Piezas[0].Cantidad, 90);
}

TEST(LectorHojas, AnExtraItemLineIsRejected) {
    std::istringstream e("2 1 1 0 0 0\n250 250 62500\n10 10 1 0\n10 10 1 0\nnombre\n");
    EXPECT_THROW(CLectorHojas::Leer(e, "x"), EArchivo);
}

TEST(LectorHojas, ACostOtherThanTheAreaIsRejected) {
    std::istringstream e("2 1 1 0 0 0\n250 250 1\n10 10 1 0\n");
    EXPECT_THROW(CLectorHojas::Leer(e, "x"), EArchivo);
}

TEST(LectorClases, HeightComesFirstAndEqualItemsMerge) {
    // Two instances; the bin is 10 high and 20 wide, the items are given height first.
    std::istringstream e("    1        PROBLEM CLASS\r\n"
                         "    3        N. OF ITEMS\r\n"
                         "    1    1   RELATIVE AND ABSOLUTE N. OF INSTANCE\r\n"
                         "   10   20   HBIN,WBIN\r\n"
                         "    2    7   H(I),W(I),I=1,...,N\r\n"
                         "    5    3\r\n"
                         "    2    7\r\n"
                         "\r\n"
                         "    1        PROBLEM CLASS\r\n"
                         "    1        N. OF ITEMS\r\n"
                         "    2    2   RELATIVE AND ABSOLUTE N. OF INSTANCE\r\n"
                         "   10   20   HBIN,WBIN\r\n"
                         "    4    9\r\n");
    const auto v = CLectorClases::Leer(e, "Class_01.2bp");
    ASSERT_EQ(v.size(), 2u);
    EXPECT_EQ(v[0].Nombre, "01/3/1");
    EXPECT_EQ(v[1].Nombre, "01/1/2");
    EXPECT_EQ(v[0].Materiales[0].Largo, 20);
    EXPECT_EQ(v[0].Materiales[0].Ancho, 10);
    ASSERT_EQ(v[0].Piezas.size(), 2u);
    EXPECT_EQ(v[0].Piezas[0].Largo, 7);
    EXPECT_EQ(v[0].Piezas[0].Ancho, 2);
    EXPECT_EQ(v[0].Piezas[0].Cantidad, 2);
    EXPECT_EQ(v[0].Piezas[1].Largo, 3);
    EXPECT_EQ(v[0].Piezas[1].Ancho, 5);
    EXPECT_EQ(v[1].Piezas[0].Largo, 9);
}

TEST(LectorClases, ATruncatedInstanceRaises) {
    std::istringstream e("1\n3\n1 1\n10 10\n2 2\n");
    EXPECT_THROW(CLectorClases::Leer(e, "x"), EArchivo);
}

TEST(ValoresConocidos, ANonWholeBestKnownCostTakesThePublishedWholeValue) {
    CValoresConocidos c;
    std::istringstream e(
        "Path,Best known solution value,Best known bound,cintra2008 / Solution value,"
        "cintra2008 / Time,furini2012 / Solution value,furini2012 / Time\n"
        "cintra2008/gcut1d.txt,14871875,14823125,14880000,0.58,14875000,0.29\n"
        "cintra2008/gcut3d.txt,20177441.3201955,20150000,20267500,21.83,20177500,1.05\n");
    c.LeerHojas(e, "2NHO");
    ASSERT_TRUE(c.Buscar("2NHO", "gcut1d"));
    EXPECT_EQ(c.Buscar("2NHO", "gcut1d")->Mejor, 14871875);
    EXPECT_EQ(*c.Buscar("2NHO", "gcut1d")->Cota, 14823125);
    EXPECT_EQ(c.Buscar("2NHO", "gcut3d")->Mejor, 20177500);
    EXPECT_FALSE(c.Buscar("2NHR", "gcut1d"));
}

TEST(ValoresConocidos, BarsTableGivesOptimumLpAndFileOrder) {
    CValoresConocidos c;
    std::istringstream e(
        "file,item_types,items,capacity,area_bound,gg_lp_bound,ceil_lp,opt_lb,opt_ub,irup\r\n"
        "hard28/Hard28_BPP14.txt,136,160,1000,60.9580,60.997964,61,62,62,NO (opt=ceil+1)\r\n"
        "scholl/HARD0.txt,199,200,100000,54.4028,55.006933,56,56,56,yes\r\n");
    c.LeerBarras(e);
    ASSERT_EQ(c.ArchivosBarras().size(), 2u);
    EXPECT_EQ(c.ArchivosBarras()[0], "hard28/Hard28_BPP14.txt");
    const auto v = c.Buscar("opt", "hard28/Hard28_BPP14.txt");
    ASSERT_TRUE(v);
    EXPECT_EQ(v->Mejor, 62);
    EXPECT_DOUBLE_EQ(*v->Cota, 60.997964);
}

TEST(ValoresConocidos, ClassTableKeysByClassSizeAndNumber) {
    CValoresConocidos c;
    std::istringstream e("class,n,instance,bkv_3stage_oriented_3NHO,bkv_3stage_rotation_3NHR,"
                         "bkv_nonguillotine_oriented,bkv_nonguillotine_rotation\n"
                         "01,20,1,8,7,8,7\n10,100,10,31,30,30,30\n");
    c.LeerClases(e);
    EXPECT_EQ(c.Buscar("3NHO", "01/20/1")->Mejor, 8);
    EXPECT_EQ(c.Buscar("3NHR", "01/20/1")->Mejor, 7);
    EXPECT_EQ(c.Buscar("3NHR", "10/100/10")->Mejor, 30);
    EXPECT_FALSE(c.Buscar("3NHO", "01/20/2"));
}

} // namespace
