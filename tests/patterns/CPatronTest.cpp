#include "patterns/CPatron.h"

#include "document/CLanzamiento.h"
#include "document/ROpciones.h"
#include "document/UExcepciones.h"
#include "document/UTextos.h"
#include "support/ArbolesAzar.h"

#include "PruebaPatrones.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <sstream>
#include <string>

namespace {

using namespace prueba;

ROpciones ConSobrantes(int largoMin, int anchoMin) {
    ROpciones o = OpcionesPorDefecto();
    o.ChequearSobrante = true;
    o.LargoMinimoSobrante = largoMin;
    o.AnchoMinimoSobrante = anchoMin;
    return o;
}

TEST(CPatronCrear, KerfYMargenesSegunLasOpciones) {
    // Kerf 4 and margins 1, 2, 3, 5 on material 2 only; the root is the material plus the kerf
    // less the margins.
    const struct {
        bool Chequear, Barras;
        int Material;
        const char* Texto;
    } casos[] = {
        {false, false, 2, "0;0;0;0;0;0;2;0;0;0;0;0(2440;1220;0;0;0;0;0;0;\\def()())"},
        {true, false, 2, "0;0;0;0;0;4;2;0;1;2;3;5(2441;1216;0;0;0;0;0;0;\\def()())"},
        {true, false, 1, "0;0;0;0;0;4;1;0;0;0;0;0(2444;1224;0;0;0;0;0;0;\\def()())"},
        {true, true, 2, "0;0;0;0;0;4;2;1;1;2;0;0(2441;1;0;0;0;0;0;0;\\def()())"},
    };
    for (const auto& c : casos) {
        ROpciones o = OpcionesPorDefecto();
        o.AnchoCorte = 4;
        o.MargenIzq = 1;
        o.MargenDer = 2;
        o.MargenSup = 3;
        o.MargenInf = 5;
        o.MaterialesConMargen = "2";
        o.ChequearAnchoCorte = o.ChequearMargenes = c.Chequear;
        o.Barras = c.Barras;
        CTrabajo t(o);
        auto p = CPatron::Create(3, c.Material, t.Job());
        p->CrearRaiz(2440, 1220);
        EXPECT_EQ(p->ATexto(), c.Texto);
        EXPECT_EQ(p->LargoTotal(), 2440);
        EXPECT_EQ(p->AnchoTotal(), c.Barras ? 1 : 1220);
    }
}

TEST(CPatronCrear, CopiaEsProfundaYConservaLasEtiquetas) {
    CTrabajo t(OpcionesPorDefecto());
    auto p = CPatron::Create(2, 1, t.Job());
    p->SetRaiz(Corte(1, Bloque(50, 40, 2, 25, 40, 2, 1), Vacia(30, 40)));
    p->Raiz()->SetEtiqueta("#C");
    p->Raiz()->Hijo2()->SetEtiqueta("\\top S");
    p->SetRepeticion(2.5);
    p->SetRepEntera({3, 4, 2});
    p->SetAnchoCorte(3);
    p->SetMargenInf(7);
    p->RecontarPiezas(2);
    auto c = CPatron::Copia(*p);
    EXPECT_NE(c->Raiz(), p->Raiz());
    EXPECT_NE(c->Raiz()->Hijo2(), p->Raiz()->Hijo2());
    EXPECT_EQ(c->Lanzamiento(), t.Job());
    EXPECT_TRUE(CPatron::Iguales(*p, *c));
    EXPECT_EQ(c->ATexto(), p->ATexto());
    // A subtree copied on its own still loses its labels.
    EXPECT_EQ(CCorte::Copiar(p->Raiz())->Hijo2()->Etiqueta(), "\\def");
}

// Net measures of a node with kerf 3: "LargoSP AnchoSP LargoPzNeto AnchoPzNeto SobranteX
// SobranteY Dim1 Dim2".
TEST(CPatronMedidas, MedidasNetasDeUnNodo) {
    const struct {
        bool Barras;
        const char* Nodo;
        const char* Medidas;
    } casos[] = {
        // 2 x 1 pieces of gross 43 x 23 in 103 x 53: 17 free along X, 30 along Y.
        {false, "(103;53;0;43;23;2;2;1()())", "100 50 40 20 14 27 0 0"},
        {false, "(103;53;0;0;0;0;0;0()())", "100 50 0 0 100 50 0 0"},
        // Cut at gross 503 of 1003: parts of net 500 and 1000 - 500 - 3.
        {false, "(1003;503;1;0;0;0;0;0(503;503;0;0;0;0;0;0()())(500;503;0;0;0;0;0;0()()))",
         "1000 500 0 0 0 0 500 497"},
        {false, "(103;53;-1;0;0;0;0;0(103;20;0;0;0;0;0;0()())(103;33;0;0;0;0;0;0()()))",
         "100 50 0 0 0 0 17 30"},
        // In bars the widths as stored are ignored.
        {true, "(103;90;0;43;23;2;2;1()())", "100 1 40 1 14 0 0 0"},
    };
    for (const auto& c : casos) {
        ROpciones o = OpcionesPorDefecto();
        o.Barras = c.Barras;
        CTrabajo t(o);
        auto p = CPatron::Create(3, 1, t.Job());
        p->SetAnchoCorte(3);
        const auto n = CCorte::LeerTexto(c.Nodo);
        std::string medidas;
        for (const int m : {p->LargoSP(*n), p->AnchoSP(*n), p->LargoPzNeto(*n), p->AnchoPzNeto(*n),
                            p->SobranteX(*n), p->SobranteY(*n), p->Dim1(*n), p->Dim2(*n)}) {
            medidas += (medidas.empty() ? "" : " ") + std::to_string(m);
        }
        EXPECT_EQ(medidas, c.Medidas) << c.Nodo;
    }
    // Bars through an option record of the pattern's own, with no job.
    ROpciones o = OpcionesPorDefecto();
    o.Barras = true;
    auto hoja = Bloque(103, 90, 2, 43, 23, 2, 1);
    CPatron sinTrabajo(3, 1, nullptr);
    EXPECT_EQ(sinTrabajo.AnchoSP(*hoja), 90);
    sinTrabajo.SetOpciones(&o);
    EXPECT_EQ(sinTrabajo.AnchoSP(*hoja), 1);
    EXPECT_TRUE(sinTrabajo.Barras());
}

TEST(CPatronMedidas, SobranteSegunLosMinimos) {
    // Root 1000 x 500 (kerf 0): piece block 600 x 500 of piece 1; empties 400 x 300 and
    // 400 x 200 (the latter below the 250 minimum width: waste).
    for (const bool chequear : {true, false}) {
        ROpciones o = ConSobrantes(300, 250);
        o.ChequearSobrante = chequear;
        CTrabajo t(o);
        auto p = CPatron::Create(1, 1, t.Job());
        p->SetRaiz(Corte(1, Bloque(600, 500, 1, 600, 500, 1, 1),
                         Corte(-1, Vacia(400, 300), Vacia(400, 200))));
        p->RecontarPiezas(1);
        const CCorte* offcut = p->Raiz()->Hijo2()->Hijo1();
        const CCorte* waste = p->Raiz()->Hijo2()->Hijo2();
        EXPECT_EQ(p->EsSobrante(*offcut), chequear);
        EXPECT_FALSE(p->EsSobrante(*waste));
        EXPECT_DOUBLE_EQ(p->AreaTotal(), 500000.0);
        EXPECT_DOUBLE_EQ(p->AreaPiezas(), 300000.0);
        EXPECT_DOUBLE_EQ(p->Aprovechamiento(), 0.6);
        EXPECT_DOUBLE_EQ(p->AreaSobrantes(), chequear ? 120000.0 : 0.0);
        EXPECT_DOUBLE_EQ(p->Sobrante(), chequear ? 0.24 : 0.0);
        EXPECT_NEAR(p->Desperdicio(), chequear ? 0.16 : 0.4, 1e-12);
        const RLocalizacion l = p->Localizar(waste);
        EXPECT_EQ(l.Sobrantes, chequear ? 1 : 0) << "waste is not numbered as an offcut";
    }
}

TEST(CPatronMedidas, DesperdicioNuncaNegativoYAreaCeroNoDivide) {
    CTrabajo t(ConSobrantes(0, 0));
    auto p = CPatron::Create(1, 1, t.Job());
    EXPECT_EQ(p->Aprovechamiento(), 0.0) << "no root: no area";
    EXPECT_EQ(p->Desperdicio(), 1.0);
    // Inconsistent data: a block declared larger than its leaf.
    p->SetRaiz(Corte(1, Bloque(10, 10, 1, 10, 10, 1, 1), Vacia(10, 10)));
    p->Raiz()->Hijo1()->SetRepX(3);
    EXPECT_GT(p->Aprovechamiento() + p->Sobrante(), 1.0);
    EXPECT_EQ(p->Desperdicio(), 0.0);
}

TEST(CPatronMedidas, AreaPiezaYTotalPiezas) {
    CTrabajo t(OpcionesPorDefecto());
    auto p = CPatron::Create(3, 1, t.Job());
    p->SetAnchoCorte(2);
    p->SetRaiz(Corte(1, Bloque(62, 22, 3, 12, 22, 5, 1),
                     Corte(-1, Bloque(40, 12, -3, 22, 12, 1, 1), Bloque(40, 10, 1, 20, 5, 2, 2))));
    p->RecontarPiezas(3);
    EXPECT_EQ(p->CantPorPieza(), (ACantidades{0, 4, 0, 6}));
    EXPECT_EQ(p->TotalPiezas(), 10);
    EXPECT_DOUBLE_EQ(p->AreaPieza(3), 10.0 * 20 * 5 + 20.0 * 10);
    EXPECT_DOUBLE_EQ(p->AreaPieza(1), 18.0 * 3 * 4);
    EXPECT_DOUBLE_EQ(p->AreaPiezas(), p->AreaPieza(1) + p->AreaPieza(3));
}

TEST(CPatronMedidas, RecontarNoDaLaVueltaYAceptaPiezasFueraDeLaLista) {
    CTrabajo t(OpcionesPorDefecto());
    // Blocks of 1 x 1 pieces: 350 x 200 = 70000 would wrap in 16 bits, the largest block a
    // node can hold (131072 x 131072 = 2^34) would wrap in 32.
    struct RCaso {
        std::int32_t Largo, Ancho;
        std::int64_t Esperado;
    };
    for (const RCaso c :
         {RCaso{350, 200, 70000}, RCaso{256, 256, 65536},
          RCaso{CCorte::LongitudMaximaNodo, CCorte::LongitudMaximaNodo, std::int64_t{1} << 34}}) {
        auto p = CPatron::Create(1, 1, t.Job());
        p->SetRaiz(Bloque(c.Largo, c.Ancho, 1, 1, 1, c.Largo, c.Ancho));
        p->RecontarPiezas(1);
        EXPECT_EQ(p->CantPorPieza()[1], c.Esperado) << c.Largo << "x" << c.Ancho;
        EXPECT_EQ(p->TotalPiezas(), c.Esperado);
    }
    // A piece beyond the list grows the counts; a failed recount leaves them alone.
    auto p = CPatron::Create(2, 1, t.Job());
    p->SetRaiz(Corte(1, Bloque(10, 10, 1, 10, 10, 1, 1), Bloque(10, 10, -3, 10, 10, 1, 1)));
    p->RecontarPiezas(3);
    EXPECT_EQ(p->CantPorPieza().size(), 4u);
    EXPECT_EQ(p->CantPorPieza()[3], 1);
    EXPECT_THROW(p->RecontarPiezas(2), EErrorIdPieza);
    EXPECT_EQ(p->CantPorPieza().size(), 4u);
}

TEST(CPatronMedidas, TextosDeTamanoYCoordenadas) {
    ROpciones o = OpcionesPorDefecto();
    o.Precision = 1;
    o.NombreUnidad = "mm";
    CTrabajo t(o);
    auto p = CPatron::Create(1, 1, t.Job());
    p->SetAnchoCorte(5);
    p->SetMargenIzq(10);
    p->SetRaiz(Bloque(1005, 505, 1, 105, 105, 1, 1));
    EXPECT_EQ(p->TextoTamano(), "101.0mmx50.0mm");
    EXPECT_EQ(p->TextoTamano(*p->Raiz()), "100.0mmx50.0mm");
    EXPECT_EQ(p->TextoCoordenadas(15, 0), "(1.5mm,0)");
    o.Barras = true;
    CTrabajo b(o);
    p->SetLanzamiento(b.Job());
    EXPECT_EQ(p->TextoTamano(), "101.0mm");
    EXPECT_EQ(p->TextoTamano(*p->Raiz()), "100.0mm");
    EXPECT_EQ(p->TextoCoordenadas(15, 7), "(1.5mm)");
}

TEST(CPatronLocalizar, OrigenYContadoresEnPreorden) {
    // Margins left 10, bottom 20. Root: vertical cut at 300 of
    //   A = horizontal cut at 100 of (piece leaf 300x100 | empty 300x200 offcut)
    //   B = empty 200x300 (offcut)
    CTrabajo t(ConSobrantes(100, 100));
    auto p = CPatron::Create(1, 1, t.Job());
    p->SetMargenIzq(10);
    p->SetMargenInf(20);
    p->SetRaiz(
        Corte(1, Corte(-1, Bloque(300, 100, 1, 100, 100, 3, 1), Vacia(300, 200)), Vacia(200, 300)));
    const CCorte* r = p->Raiz();
    struct RCaso {
        const CCorte* Nodo;
        int X, Y, Cortes, Hojas, Sobrantes;
    };
    const RCaso casos[] = {
        {r, 10, 20, 1, 0, 0},
        {r->Hijo1(), 10, 20, 2, 0, 0},
        {r->Hijo1()->Hijo1(), 10, 20, 2, 1, 0},
        {r->Hijo1()->Hijo2(), 10, 120, 2, 2, 1},
        {r->Hijo2(), 310, 20, 2, 3, 2},
    };
    for (const RCaso& c : casos) {
        const RLocalizacion l = p->Localizar(c.Nodo);
        EXPECT_TRUE(l.Encontrado);
        EXPECT_EQ(l.X, c.X);
        EXPECT_EQ(l.Y, c.Y);
        EXPECT_EQ(l.Cortes, c.Cortes);
        EXPECT_EQ(l.Hojas, c.Hojas);
        EXPECT_EQ(l.Sobrantes, c.Sobrantes);
    }
    auto ajeno = Vacia(1, 1);
    const RLocalizacion l = p->Localizar(ajeno.get());
    EXPECT_FALSE(l.Encontrado);
    EXPECT_EQ(l.Hojas, 3);
}

TEST(CPatronTexto, RepeticionEsElTextoMasCortoQueVuelveAlMismoReal) {
    CTrabajo t(OpcionesPorDefecto());
    const struct {
        double Valor;
        const char* Texto;
    } casos[] = {{0.0, "0"},
                 {2.0, "2"},
                 {0.1, "0.1"},
                 {2.5, "2.5"},
                 {1.0 / 3.0, nullptr},
                 {1e-300, nullptr},
                 {123456789.123, "123456789.123"},
                 {1e20, "1e+20"},
                 {-0.75, "-0.75"},
                 {std::nextafter(1.0, 2.0), nullptr}};
    for (const auto& c : casos) {
        auto p = CPatron::Create(0, 1, t.Job());
        p->SetRepeticion(c.Valor);
        const std::string texto = p->ATexto();
        const std::string campo = texto.substr(0, texto.find(';'));
        if (c.Texto) {
            EXPECT_EQ(campo, c.Texto);
        }
        EXPECT_EQ(campo.find(','), std::string::npos);
        std::string aviso;
        auto leido = CPatron::DeTexto(texto, 0, t.Job(), aviso);
        EXPECT_EQ(leido->Repeticion(), c.Valor) << campo;
    }
}

// The fields read: "repetition rep0 rep1 rep2 kerf material left right top bottom".
struct RCabecera {
    const char* Nombre;
    std::string Cabecera;
    const char* Campos;
};
void PrintTo(const RCabecera& c, std::ostream* os) {
    *os << c.Nombre;
}

class CPatronCabecera : public testing::TestWithParam<RCabecera> {};

TEST_P(CPatronCabecera, CadaGrupoSeAbandonaEnSuPrimerCampoMalo) {
    const RCabecera& c = GetParam();
    // Kerf and margins come from the text only, never from the job.
    ROpciones o = OpcionesPorDefecto();
    o.ChequearAnchoCorte = true;
    o.AnchoCorte = 9;
    o.ChequearMargenes = true;
    o.MargenIzq = 9;
    CTrabajo t(o);
    std::string aviso;
    auto p = CPatron::DeTexto(c.Cabecera + "(10;5;0;2;5;1;5;1;\\def()())", 1, t.Job(), aviso);
    EXPECT_EQ(aviso, "");
    std::ostringstream campos;
    campos << p->Repeticion();
    for (const int v :
         {p->RepEntera(0), p->RepEntera(1), p->RepEntera(2), p->AnchoCorte(), p->Material(),
          p->MargenIzq(), p->MargenDer(), p->MargenSup(), p->MargenInf()}) {
        campos << ' ' << v;
    }
    EXPECT_EQ(campos.str(), c.Campos);
    ASSERT_NE(p->Raiz(), nullptr);
    EXPECT_EQ(p->CantPorPieza()[1], 5);
    EXPECT_EQ(p->LargoSP(*p->Raiz()), 10 - p->AnchoCorte());
}

INSTANTIATE_TEST_SUITE_P(
    Textos, CPatronCabecera,
    testing::Values(
        RCabecera{"completa", "1.5;2;3;4;0;5;6;1;7;8;9;10", "1.5 4 2 3 5 6 7 8 9 10"},
        RCabecera{"conBlancos", " 1.5 ; 2;3 ;4;0; 5;6;1;7;8;9; 10 ", "1.5 4 2 3 5 6 7 8 9 10"},
        RCabecera{"reservadosIgnorados", "1.5;2;3;4;x;5;6;y;7;8;9;10", "1.5 4 2 3 5 6 7 8 9 10"},
        RCabecera{"repeticionMala", "x;2;3;4;0;5;6;1;7;8;9;10", "0 0 0 0 0 6 7 8 9 10"},
        RCabecera{"repeticionConComa", "1,5;2;3;4;0;5;6;1;7;8;9;10", "0 0 0 0 0 6 7 8 9 10"},
        RCabecera{"rep2Mala", "1.5;2;x;4;0;5;6;1;7;8;9;10", "1.5 0 2 0 0 6 7 8 9 10"},
        RCabecera{"kerfMalo", "1.5;2;3;4;0;x;6;1;7;8;9;10", "1.5 4 2 3 0 6 7 8 9 10"},
        RCabecera{"materialMalo", "1.5;2;3;4;0;5;x;1;7;8;9;10", "1.5 4 2 3 5 0 0 0 0 0"},
        RCabecera{"margenDerMalo", "1.5;2;3;4;0;5;6;1;7;x;9;10", "1.5 4 2 3 5 6 7 0 0 0"},
        RCabecera{"faltanMargenes", "1.5;2;3;4;0;5;6;1", "1.5 4 2 3 5 6 0 0 0 0"},
        RCabecera{"soloRepeticiones", "2;1;3;4", "2 4 1 3 0 0 0 0 0 0"},
        RCabecera{"vacia", "", "0 0 0 0 0 0 0 0 0 0"},
        RCabecera{"exponenteYSigno", "+2.5e1;-1;0;0;0;0;1;0;0;0;0;0", "25 0 -1 0 0 1 0 0 0 0"},
        RCabecera{"kerfYMargenNegativos", "1;1;1;1;0;-3;2;0;-1;0;0;0", "1 1 1 1 -3 2 -1 0 0 0"},
        RCabecera{"infinitoNoEsNumero", "inf;1;1;1;0;1;6;1;7;8;9;10", "0 0 0 0 0 6 7 8 9 10"}),
    [](const testing::TestParamInfo<RCabecera>& i) { return std::string(i.param.Nombre); });

struct RPatronMalo {
    const char* Nombre;
    std::string Texto;
};
void PrintTo(const RPatronMalo& c, std::ostream* os) {
    *os << c.Nombre;
}

class CPatronTextoMalo : public testing::TestWithParam<RPatronMalo> {};

TEST_P(CPatronTextoMalo, DaUnPatronSinArbolYElAviso) {
    CTrabajo t(OpcionesPorDefecto());
    std::string aviso;
    auto p = CPatron::DeTexto(GetParam().Texto, 3, t.Job(), aviso);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(aviso, Textos::ErrorCrearPatron);
    EXPECT_EQ(p->Raiz(), nullptr);
    EXPECT_EQ(p->CantPorPieza(), ACantidades(1, 0));
    EXPECT_EQ(p->Material(), 2) << "the header is kept as far as it was read";
    // What is left measures without trouble.
    EXPECT_EQ(p->TotalPiezas(), 0);
    EXPECT_EQ(p->Aprovechamiento(), 0.0);
    EXPECT_EQ(p->ATexto().substr(p->ATexto().size() - 2), "()");
}

// Node texts the tree reader refuses are in CCorteTest; here what the pattern adds.
INSTANTIATE_TEST_SUITE_P(
    Textos, CPatronTextoMalo,
    testing::Values(
        RPatronMalo{"sinNodo", "1;1;1;1;0;0;2;0;0;0;0;0"},
        RPatronMalo{"nodoTruncado", "1;1;1;1;0;0;2;0;0;0;0;0(10;5;0;2"},
        RPatronMalo{"piezaFueraDeLaLista", "1;1;1;1;0;0;2;0;0;0;0;0(10;5;0;2;5;4;5;1;\\def()())"},
        RPatronMalo{"piezaGiradaFueraDeLaLista",
                    "1;1;1;1;0;0;2;0;0;0;0;0(10;5;0;5;2;-9;1;2;\\def()())"},
        RPatronMalo{"kerfEnorme", "1;1;1;1;0;-70000;2;0;0;0;0;0(10;5;0;0;0;0;0;0;\\def()())"},
        RPatronMalo{"margenEnorme", "1;1;1;1;0;0;2;0;99999;0;0;0(10;5;0;0;0;0;0;0;\\def()())"}),
    [](const testing::TestParamInfo<RPatronMalo>& i) { return std::string(i.param.Nombre); });

TEST(CPatronTexto, NodoNuloDaUnPatronSinRaizYSinAviso) {
    CTrabajo t(OpcionesPorDefecto());
    std::string aviso = "x";
    auto p = CPatron::DeTexto("0.5;1;1;0;0;0;1;0;0;0;0;0()", 2, t.Job(), aviso);
    EXPECT_EQ(aviso, "");
    EXPECT_EQ(p->Raiz(), nullptr);
    EXPECT_EQ(p->Repeticion(), 0.5);
    EXPECT_EQ(p->ATexto(), "0.5;1;1;0;0;0;1;0;0;0;0;0()");
}

TEST(CPatronTexto, CantidadDePiezasDesmesuradaNoReservaSinLimite) {
    CTrabajo t(OpcionesPorDefecto());
    std::string aviso;
    auto p = CPatron::DeTexto("1;1;1;1;0;0;1;0;0;0;0;0(10;5;0;2;5;1;5;1;\\def()())", 2000000000,
                              t.Job(), aviso);
    EXPECT_EQ(aviso, "");
    EXPECT_EQ(p->CantPorPieza().size(), 2u) << "counts reach the highest piece of the tree";
    EXPECT_EQ(p->CantidadPieza(1999999999), 0);
    auto q = CPatron::DeTexto("1;1;1;1;0;0;1;0;0;0;0;0()", -5, t.Job(), aviso);
    EXPECT_EQ(q->CantPorPieza().size(), 1u);
}

TEST(CPatronTexto, IdaYVueltaDePatronesAzar) {
    std::mt19937 rng(77);
    for (int caso = 0; caso < 200; ++caso) {
        ROpciones o = OpcionesPorDefecto();
        o.Barras = caso % 3 == 0;
        CTrabajo t(o);
        azar::RParametrosArbol parametros;
        parametros.Barras = o.Barras;
        parametros.Largo = std::uniform_int_distribution<int>(1, 6000)(rng);
        parametros.Ancho = std::uniform_int_distribution<int>(1, 3000)(rng);
        parametros.ProbabilidadEtiqueta = 0.3;
        const int numPiezas = std::uniform_int_distribution<int>(1, 12)(rng);
        const auto piezas = azar::PiezasAzar(rng, numPiezas, std::max(1, parametros.Largo / 3),
                                             std::max(1, parametros.Ancho / 3), o.Barras);
        auto p = CPatron::Create(numPiezas, std::uniform_int_distribution<int>(1, 9)(rng), t.Job());
        p->SetRaiz(azar::ArbolAzar(rng, parametros, piezas));
        p->SetRepeticion(std::uniform_real_distribution<double>(0.0, 50.0)(rng));
        p->SetRepEntera({std::uniform_int_distribution<int>(0, 60)(rng), caso, -caso});
        p->SetAnchoCorte(std::uniform_int_distribution<int>(0, 10)(rng));
        p->SetMargenIzq(caso % 7);
        p->SetMargenDer(caso % 5);
        if (!o.Barras) {
            p->SetMargenSup(caso % 4);
            p->SetMargenInf(caso % 3);
        }
        p->RecontarPiezas(numPiezas);
        const std::string texto = p->ATexto();
        std::string aviso;
        auto leido = CPatron::DeTexto(texto, numPiezas, t.Job(), aviso);
        ASSERT_EQ(aviso, "") << texto;
        ASSERT_TRUE(CPatron::Iguales(*p, *leido)) << texto << "\n"
                                                  << leido->ATexto() << azar::Mostrar(p->Raiz());
        EXPECT_EQ(leido->ATexto(), texto);
        EXPECT_DOUBLE_EQ(leido->AreaPiezas(), p->AreaPiezas());
    }
}

TEST(CPatronTexto, TextosMutadosSeLeenOSeRechazanSinFallar) {
    // Random damage to valid pattern texts: every result is either refused with the message or
    // a sound pattern that every walk can handle.
    std::mt19937 rng(99);
    ROpciones o = OpcionesPorDefecto();
    o.ChequearSobrante = true;
    o.LargoMinimoSobrante = 10;
    CTrabajo t(o);
    const char alfabeto[] = "();0123456789-+ .e\\x";
    int leidos = 0;
    int rechazados = 0;
    for (int caso = 0; caso < 1500; ++caso) {
        azar::RParametrosArbol parametros;
        parametros.Largo = std::uniform_int_distribution<int>(1, 400)(rng);
        parametros.Ancho = std::uniform_int_distribution<int>(1, 300)(rng);
        parametros.ProfundidadMaxima = 4;
        const auto piezas = azar::PiezasAzar(rng, 3, std::max(1, parametros.Largo / 2),
                                             std::max(1, parametros.Ancho / 2), false);
        auto p = CPatron::Create(3, 1, t.Job());
        p->SetRaiz(azar::ArbolAzar(rng, parametros, piezas));
        std::string texto = p->ATexto();
        const int cambios = std::uniform_int_distribution<int>(1, 4)(rng);
        for (int k = 0; k < cambios && !texto.empty(); ++k) {
            const std::size_t pos =
                std::uniform_int_distribution<std::size_t>(0, texto.size() - 1)(rng);
            const char c =
                alfabeto[std::uniform_int_distribution<std::size_t>(0, sizeof alfabeto - 2)(rng)];
            switch (std::uniform_int_distribution<int>(0, 3)(rng)) {
            case 0:
                texto.erase(pos, 1);
                break;
            case 1:
                texto.insert(pos, 1, c);
                break;
            case 2:
                texto[pos] = c;
                break;
            default:
                texto.resize(pos);
                break;
            }
        }
        std::string aviso;
        auto leido = CPatron::DeTexto(texto, 3, t.Job(), aviso);
        ASSERT_NE(leido, nullptr);
        if (!aviso.empty()) {
            ASSERT_EQ(aviso, Textos::ErrorCrearPatron);
            ASSERT_EQ(leido->Raiz(), nullptr);
            ++rechazados;
            continue;
        }
        ++leidos;
        ASSERT_EQ(azar::Invariantes(leido->Raiz(), nullptr, false), "") << texto;
        leido->AreaPiezas();
        leido->AreaSobrantes();
        leido->Desperdicio();
        leido->Localizar(nullptr);
        leido->TextoTamano();
        const auto cuentas = leido->CantPorPieza();
        ASSERT_TRUE(leido->Normalizar()) << texto;
        ASSERT_EQ(azar::Invariantes(leido->Raiz(), nullptr, false), "") << texto;
        leido->RecontarPiezas(3);
        ASSERT_EQ(leido->CantPorPieza(), cuentas) << texto;
        std::string otro;
        auto releido = CPatron::DeTexto(leido->ATexto(), 3, t.Job(), otro);
        ASSERT_EQ(otro, "") << leido->ATexto();
    }
    EXPECT_GT(leidos, 100);
    EXPECT_GT(rechazados, 100);
}

} // namespace
