#include "document/ROpciones.h"
#include "patterns/UEtiquetas.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

RVariablesEtiqueta HojaConPieza(int pieza) {
    RVariablesEtiqueta v;
    v.DIR = 0;
    v.P = pieza < 0 ? -pieza : pieza;
    v.ROT = pieza < 0 ? 1 : 0;
    return v;
}

RVariablesEtiqueta Corte(int dir, int numero) {
    RVariablesEtiqueta v;
    v.DIR = dir;
    v.C = numero;
    return v;
}

RVariablesEtiqueta Sobrante(int numero) {
    RVariablesEtiqueta v;
    v.OFF = numero;
    return v;
}

// Variables with the given numbers set, the rest at 0.
RVariablesEtiqueta
Con(std::initializer_list<std::pair<std::int32_t RVariablesEtiqueta::*, int>> v) {
    RVariablesEtiqueta r;
    for (const auto& [campo, valor] : v) {
        r.*campo = valor;
    }
    return r;
}

std::string Expandir(const std::string& formato, const RVariablesEtiqueta& v,
                     const std::string& comun = "") {
    return ExpandirFormato(formato, comun, v);
}

} // namespace

struct CasoSi {
    const char* Nombre;
    std::string Formato;
    RVariablesEtiqueta Variables;
    std::string Esperado;
};

class ResolverSiTest : public testing::TestWithParam<CasoSi> {};

TEST_P(ResolverSiTest, ResuelveComoEsperado) {
    EXPECT_EQ(Expandir(GetParam().Formato, GetParam().Variables), GetParam().Esperado);
}

const std::string TresNiveles = "\\if#DIR=0\\then\\if#P=0\\then\\if#OFF=0\\then W\\else "
                                "O#OFF\\endif\\else P#P\\endif\\else C#C\\endif!";

INSTANTIATE_TEST_SUITE_P(
    Condicionales, ResolverSiTest,
    testing::Values(
        CasoSi{"TresNivelesDesperdicio", TresNiveles, RVariablesEtiqueta{}, "W!"},
        CasoSi{"TresNivelesSobrante", TresNiveles, Sobrante(4), "O4!"},
        CasoSi{"TresNivelesPieza", TresNiveles, HojaConPieza(-7), "P7!"},
        CasoSi{"TresNivelesCorte", TresNiveles, Corte(1, 3), "C3!"},
        CasoSi{"PiezaGiradaSinSigno", "\\if#P=0\\then\\elseP#P\\endif", HojaConPieza(-7), "P7"},
        CasoSi{"EspaciosRecortados", "\\if#DIR = 1 \\then V\\else H\\endif", Corte(-1, 1), "H"},
        CasoSi{"EspaciosRecortadosVertical", "\\if#DIR = 1 \\then V\\else H\\endif", Corte(1, 1),
               "V"},
        CasoSi{"PartesRecortadasConTextoAlrededor", "a\\if 1=1\\then   x  \\endif b",
               RVariablesEtiqueta{}, "ax b"},
        CasoSi{"SinElse", "[\\if 1=2\\then x\\endif]", RVariablesEtiqueta{}, "[]"},
        CasoSi{"Seguidos", "\\if 1=1\\then a\\endif-\\if 1=2\\then b\\else c\\endif",
               RVariablesEtiqueta{}, "a-c"},
        CasoSi{"MenorIgualNoEsMenor", "\\if 3<=3\\then y\\else n\\endif", RVariablesEtiqueta{},
               "y"},
        CasoSi{"MayorIgualNoEsMayor", "\\if 3>=3\\then y\\else n\\endif", RVariablesEtiqueta{},
               "y"},
        CasoSi{"DistintoNoEsMenor", "\\if 2<>3\\then y\\else n\\endif", RVariablesEtiqueta{}, "y"},
        CasoSi{"DistintoIgualesFalso", "\\if 3<>3\\then y\\else n\\endif", RVariablesEtiqueta{},
               "n"},
        CasoSi{"Menor", "\\if 2<3\\then y\\else n\\endif", RVariablesEtiqueta{}, "y"},
        CasoSi{"Mayor", "\\if 2>3\\then y\\else n\\endif", RVariablesEtiqueta{}, "n"},
        CasoSi{"SinOperadorFalso", "\\if 1\\then y\\else n\\endif", RVariablesEtiqueta{}, "n"},
        CasoSi{"VariableDesconocidaCero", "\\if#XYZ=0\\then y\\else n\\endif", RVariablesEtiqueta{},
               "y"},
        CasoSi{"DescripcionCuentaCero", "\\if#DESC1=0\\then y\\else n\\endif",
               RVariablesEtiqueta{.Desc1 = "7", .Desc2 = ""}, "y"},
        CasoSi{"TerminoNoNumericoCero", "\\if abc=0\\then y\\else n\\endif", RVariablesEtiqueta{},
               "y"},
        CasoSi{"NegativoComparado", "\\if#DIR<0\\then H\\else V\\endif", Corte(-1, 1), "H"},
        CasoSi{"ToInt", "\\if#SL>=toint\\1120\\2\\then largo\\else corto\\endif",
               Con({{&RVariablesEtiqueta::SL, 120}}), "largo"},
        CasoSi{"ToIntMenor", "\\if#SL>=toint\\1121\\2\\then largo\\else corto\\endif",
               Con({{&RVariablesEtiqueta::SL, 120}}), "corto"},
        CasoSi{"CondicionConVariablesDeLongitud", "\\if#OFFX>#OFFY\\then X\\else Y\\endif",
               Con({{&RVariablesEtiqueta::OFFX, 300}, {&RVariablesEtiqueta::OFFY, 200}}), "X"}),
    [](const testing::TestParamInfo<CasoSi>& info) { return std::string(info.param.Nombre); });

TEST(EtiquetaPorDefecto, NombraPiezasSobrantesYCortes) {
    const std::string comun = OpcionesPorDefecto().FormatoEti;
    // The blank after the layout words is trimmed when the label is drawn.
    EXPECT_EQ(Expandir("\\def", HojaConPieza(-7), comun), "\\vcen\\hcen P7*");
    EXPECT_EQ(Expandir("\\def", HojaConPieza(5), comun), "\\vcen\\hcen P5");
    EXPECT_EQ(Expandir("\\def", Sobrante(2), comun), "\\vcen\\hcen S2");
    EXPECT_EQ(Expandir("\\def", Sobrante(0), comun), "\\vcen\\hcen");
    EXPECT_EQ(Expandir("\\def", Corte(1, 3), comun), "\\hcut\\hcen\\vout\\topC3");
    EXPECT_EQ(Expandir("\\def", Corte(-1, 4), comun), "\\vcut\\vcen\\hout\\rigC4");
}

TEST(EtiquetaPorDefecto, FormatoComunVacioDaEtiquetaVacia) {
    EXPECT_EQ(Expandir("\\def", HojaConPieza(3), ""), "");
    EXPECT_EQ(Expandir("\\DEF", HojaConPieza(3), "x"), "x");
}

TEST(Variables, NombresLargosAntesQueSusPrefijos) {
    RVariablesEtiqueta v;
    v.OFFX = 12;
    v.OFFY = 34;
    v.OFF = 5;
    v.CW = 3;
    v.C = 9;
    v.PL = 600;
    v.PW = 400;
    v.P = 2;
    v.DIM1 = 11;
    v.DIM2 = 22;
    v.DIR = -1;
    EXPECT_EQ(Expandir("#OFFX/#OFF/#OFFY", v), "12/5/34");
    EXPECT_EQ(Expandir("#CW#C", v), "39");
    EXPECT_EQ(Expandir("#PLx#PW P#P", v), "600x400 P2");
    EXPECT_EQ(Expandir("#DIM1 #DIM2 #DIR", v), "11 22 -1");
}

TEST(Variables, TodasSeSustituyen) {
    const RVariablesEtiqueta v{1,  2,  3,  4,  5, 6,  7,  8,  9,  10, 11,    12,    1,
                               13, 14, 15, 16, 1, 17, 18, 19, 20, 21, "uno", "dos", nullptr};
    EXPECT_EQ(Expandir("#C #SL #SW #OX #OY #P #PL #PW #RX #RY #OFFX #OFFY #ROT #DESC1 #DESC2 "
                       "#DIM1 #DIM2 #SP #OFF #DIR #CW #LM #RM #BM #TM #Q",
                       v),
              "1 2 3 4 5 6 7 8 9 10 11 12 1 uno dos 13 14 15 16 1 17 18 19 20 21 #Q");
}

TEST(Variables, DescripcionNoSeVuelveASustituir) {
    const RVariablesEtiqueta v{.P = 3, .Desc1 = "Puerta #P", .Desc2 = ""};
    EXPECT_EQ(Expandir("#DESC1", v), "Puerta #P");
}

TEST(Variables, LongitudesConLasUnidadesDelLanzamiento) {
    ROpciones unidades;
    unidades.Precision = 1;
    RVariablesEtiqueta v;
    v.Unidades = &unidades;
    v.SL = 2505;
    v.RX = 3;
    EXPECT_EQ(Expandir("#SL/#RX", v), "250.5/3");
}

TEST(Reemplazos, MarcasDeLaFormaNodo) {
    RVariablesEtiqueta v;
    EXPECT_EQ(Expandir("a\\1b\\2\\3c", v), "a(b);c");
    EXPECT_EQ(Expandir("a\\nb\\Nc", v), "a\r\nb\r\nc");
    EXPECT_EQ(Expandir("a\\retb\\RETc", v), "abc");
    // Layout and clip words are left for the drawing.
    EXPECT_EQ(Expandir("\\top\\hcen\\clipon", v), "\\top\\hcen\\clipon");
}

TEST(Reemplazos, CondicionalesDespuesDeLasMarcas) {
    // The markers of the node form are restored before the conditions are read.
    EXPECT_EQ(Expandir("\\if#P=2\\then\\1ok\\2\\endif", HojaConPieza(2)), "(ok)");
}

// Markers in any order and number never crash, loop or lose the text outside them.
TEST(Reemplazos, MarcasDesordenadasTerminan) {
    const std::vector<std::string> piezas = {"\\if", "\\then", "\\else", "\\endif", "#P", "=",
                                             "1",    " ",      "x",      "<",       "\\n"};
    std::mt19937 azar(11);
    const RVariablesEtiqueta v = HojaConPieza(1);
    for (int prueba = 0; prueba < 2000; ++prueba) {
        std::string formato;
        const int n = static_cast<int>(azar() % 20);
        for (int i = 0; i < n; ++i) {
            formato += piezas[azar() % piezas.size()];
        }
        const std::string r = Expandir(formato, v);
        if (formato.find("\\if") == std::string::npos) {
            EXPECT_EQ(r.find("#P"), std::string::npos) << formato;
        }
    }
}

TEST(Reemplazos, AnidamientoProfundoNoDesbordaLaPila) {
    std::string formato;
    for (int i = 0; i < 3000; ++i) {
        formato += "\\if 1=1\\then";
    }
    formato += "x";
    for (int i = 0; i < 3000; ++i) {
        formato += "\\endif";
    }
    const std::string r = Expandir(formato, RVariablesEtiqueta{});
    EXPECT_FALSE(r.empty());
    // A few levels resolve completely.
    EXPECT_EQ(Expandir("\\if 1=1\\then\\if 1=1\\then\\if 2=2\\then\\if 3=3\\then "
                       "x\\endif\\endif\\endif\\endif",
                       RVariablesEtiqueta{}),
              "x");
}

struct CasoDirectivas {
    std::string Texto;
    int Banderas;
    std::string Resto;
};

class DirectivasTest : public testing::TestWithParam<CasoDirectivas> {};

TEST_P(DirectivasTest, LaUltimaPalabraDeCadaGrupoGana) {
    std::string texto = GetParam().Texto;
    EXPECT_EQ(LeerDirectivas(texto), GetParam().Banderas);
    EXPECT_EQ(texto, GetParam().Resto);
}

using namespace Directiva;

INSTANTIATE_TEST_SUITE_P(
    Directivas, DirectivasTest,
    testing::Values(
        CasoDirectivas{"hola", Arriba | Izquierda | DentroVertical | DentroHorizontal, "hola"},
        CasoDirectivas{"\\lef\\top\\rig\\botX", Abajo | Derecha | DentroVertical | DentroHorizontal,
                       "X"},
        CasoDirectivas{"\\hcut\\hcen\\vout\\topC1",
                       Arriba | CentroHorizontal | FueraVertical | CorteHorizontal, "C1"},
        CasoDirectivas{"\\vcut\\vcen\\hout\\rigC2",
                       CentroVertical | Derecha | CorteVertical | FueraHorizontal, "C2"},
        CasoDirectivas{"a\\hcut b\\hin c\\vin\\vcut",
                       Arriba | Izquierda | CorteVertical | DentroHorizontal, "a b c"},
        CasoDirectivas{"\\rig\\vcen x \\lef",
                       CentroVertical | Izquierda | DentroVertical | DentroHorizontal, " x "},
        CasoDirectivas{"\\TOP x", Arriba | Izquierda | DentroVertical | DentroHorizontal,
                       "\\TOP x"}));

TEST(Recorte, LaUltimaPalabraGanaYSeQuitan) {
    std::string t = "a\\clipoff b\\clipon";
    EXPECT_TRUE(LeerRecorte(t));
    EXPECT_EQ(t, "a b");
    t = "\\clipon\\clipoffz";
    EXPECT_FALSE(LeerRecorte(t));
    EXPECT_EQ(t, "z");
    t = "nada";
    EXPECT_TRUE(LeerRecorte(t));
    EXPECT_EQ(t, "nada");
}

// The last complete font block is taken out of the text and applied over any earlier font.
TEST(Fuente, BloquesYValores) {
    const struct {
        const char* Texto;
        const char* Resto;
        RFuente Fuente;
    } casos[] = {
        {"a\\fontTimes,12,bold,italic\\endfontb", "ab", {"Times", 12, true, true}},
        {"\\fontA,9\\endfontx\\fontB,10,BOLD\\endfont", "x", {"B", 10, true, false}},
        {"solo texto", "solo texto", {}},
        // Without its end the last block gives the default font.
        {"\\fontTimes,12\\endfont a \\fontCourier,20 b", " a \\fontCourier,20 b", {}},
        {"\\font,,,Italic\\endfont", "", {"Arial", 8, false, true}},
        {"\\fontCourier,doce,bold,italic\\endfont", "", {"Courier", 8, false, false}},
        {"\\fontCourier,10,negrita\\endfont", "", {"Courier", 10, false, false}},
    };
    for (const auto& c : casos) {
        std::string t = c.Texto;
        RFuente f{"Otra", 99, true, true};
        AplicarFuente(LeerFuente(t), f);
        EXPECT_EQ(t, c.Resto);
        EXPECT_EQ(f, c.Fuente) << c.Texto;
    }
}

TEST(Fuente, ElBloqueDelDisenadorSeLeeIgual) {
    for (const RFuente& f :
         {RFuente{"Times New Roman", 14, true, false}, RFuente{"Courier", 7, false, true},
          RFuente{"Arial", 8, true, true}, RFuente{}}) {
        RFuente leida;
        AplicarFuente(BloqueFuente(f), leida);
        EXPECT_EQ(leida, f) << BloqueFuente(f);
    }
    EXPECT_EQ(BloqueFuente(RFuente{"Arial", 8, false, true}), "\\fontArial,8,,Italic\\endfont");
}

TEST(Formas, EditorANodoYVuelta) {
    const std::string editor = "Pieza (#P);\r\n#PLx#PW";
    const std::string nodo = EtiquetaAFormaNodo(editor);
    EXPECT_EQ(nodo, "Pieza \\1#P\\2\\3\\n\\ret#PLx#PW");
    EXPECT_EQ(nodo.find_first_of("();"), std::string::npos);
    EXPECT_EQ(EtiquetaAFormaEditor(nodo), editor);
    EXPECT_EQ(EtiquetaAFormaEditor("a\\RETb\\Nc"), "a\r\nbc");
}

TEST(Formas, IdaYVueltaDeTextosAlAzar) {
    const std::string alfabeto = "ab#P()(;; \\if";
    std::mt19937 azar(5);
    for (int prueba = 0; prueba < 500; ++prueba) {
        std::string editor;
        const int n = static_cast<int>(azar() % 30);
        for (int i = 0; i < n; ++i) {
            if (azar() % 8 == 0) {
                editor += "\r\n";
            } else {
                editor += alfabeto[azar() % alfabeto.size()];
            }
        }
        const std::string nodo = EtiquetaAFormaNodo(editor);
        EXPECT_EQ(nodo.find_first_of("();\r\n"), std::string::npos) << editor;
        EXPECT_EQ(EtiquetaAFormaEditor(nodo), editor);
    }
}
