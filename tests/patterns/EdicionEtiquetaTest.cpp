#include "patterns/CEdicionEtiqueta.h"

#include "document/UExcepciones.h"
#include "document/UTextos.h"
#include "patterns/CGeneradorEtiqueta.h"
#include "patterns/PruebaPatrones.h"
#include "patterns/UArchivoFormato.h"
#include "patterns/UEtiquetas.h"
#include "support/ArbolesAzar.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

// ---- Designer ----

struct CasoDesigner {
    const char* Nombre;
    std::string Memo;
    std::vector<int> Bits; // radio buttons clicked in order
    std::string Esperado;
};

class DesignerTest : public testing::TestWithParam<CasoDesigner> {};

TEST_P(DesignerTest, ReescribeLasDirectivasAlFinal) {
    CEdicionEtiqueta e;
    e.CargarFormato(GetParam().Memo);
    std::string memo = GetParam().Memo;
    for (const int b : GetParam().Bits) {
        memo = e.ElegirDirectiva(b, memo);
    }
    EXPECT_EQ(memo, GetParam().Esperado);
    // The flags the memo now holds are the ones the buttons show.
    std::string copia = memo;
    EXPECT_EQ(LeerDirectivas(copia), e.Directivas());
}

INSTANTIATE_TEST_SUITE_P(
    Casos, DesignerTest,
    testing::Values(
        // Choosing "Derecha" after "Izquierda" leaves one horizontal-position word.
        CasoDesigner{"DerechaTrasIzquierda", "P#P", {2, 3}, "P#P\\top\\rig\\vin\\hin"},
        CasoDesigner{"PalabrasDelTextoSeMuevenAlFinal",
                     "\\vcen\\hcenP#P\nS",
                     {11},
                     "P#P\nS\\vcen\\hcen\\vin\\hcut"},
        // The last word of a group wins when the memo is read.
        CasoDesigner{"DosTopUnBot", "\\top\\top\\botX", {6}, "X\\bot\\lef\\vin\\hin"}),
    [](const auto& info) { return std::string(info.param.Nombre); });

TEST(DesignerTest, RecorteYFuenteSustituyenSusPalabras) {
    CEdicionEtiqueta e;
    e.CargarFormato("\\clipoffA\\fontCourier,12,bold,\\endfont");
    EXPECT_FALSE(e.Recortar());
    EXPECT_EQ(e.Fuente(), (RFuente{"Courier", 12, true, false}));
    std::string memo = e.FijarRecorte(true, "\\clipoffA\\clipon\\clipoff");
    EXPECT_EQ(memo, "A\\clipon");
    memo = e.FijarFuente(RFuente{"Times", 9, false, true}, "\\fontX\\endfontA\\fontY,3\\endfont");
    EXPECT_EQ(memo, "A\\fontTimes,9,,Italic\\endfont");
}

TEST(DesignerTest, ParentesisYPuntoYComaSobrevivenAlArbolGuardado) {
    const std::string memo = "P#P (a;b)\nsegunda";
    const std::string formato = CEdicionEtiqueta::FormatoDeMemo(memo);
    EXPECT_EQ(formato, "P#P \\1a\\3b\\2\\n\\retsegunda");
    auto n = CCorte::Create(10, 10, 0, 0, 0, 0, 0, 0, formato);
    const auto leido = CCorte::LeerTexto(CCorte::ATexto(n.get()));
    ASSERT_NE(leido, nullptr);
    EXPECT_EQ(CEdicionEtiqueta::MostrarFormato(leido->Etiqueta()), memo);
}

TEST(DesignerTest, VistaPreviaDelNodoSinPalabrasDeFormato) {
    prueba::CTrabajo t(prueba::OpcionesConocidas, prueba::PiezasConocidas);
    auto P = t.Patron(prueba::ArbolConocido);
    const CCorte* a = P->Raiz()->Hijo1();
    EXPECT_EQ(CEdicionEtiqueta::Vista(P.get(), a, "\\vcen\\hcenP#P #DESC1\\clipoff\n#RXx#RY"),
              "P2 Puerta\n2x2");
    EXPECT_EQ(CEdicionEtiqueta::Vista(nullptr, nullptr, "\\topC#C\\fontA,9\\endfont"), "C#C");
}

TEST(DesignerTest, ParametrosMarcadosEnOrdenDeLista) {
    const auto lista = CEdicionEtiqueta::Parametros();
    ASSERT_EQ(lista.size(), 25u);
    EXPECT_EQ(CEdicionEtiqueta::TextoParametro(lista[1]), "Largo del Semiproducto #SL");
    std::vector<bool> marcados(lista.size(), false);
    marcados[24] = marcados[0] = marcados[13] = true;
    EXPECT_EQ(CEdicionEtiqueta::TextoParametros(marcados), "#C #DESC1 #TM ");
}

// ---- Generator ----

// The default part formats put into the skeleton label every node of the sample exactly as
// the default common format does.
TEST(GeneradorEtiquetaTest, PartesPorDefectoDanLaEtiquetaComunPorDefecto) {
    prueba::CTrabajo t(prueba::OpcionesConocidas, prueba::PiezasConocidas);
    const ROpciones antes = t.Lanzamiento().Opciones();
    CGeneradorEtiqueta g(t.Lanzamiento(),
                         {FormatoEtiPiezaPorDefecto(), FormatoEtiSobrantePorDefecto(),
                          FormatoEtiCorteVerPorDefecto(), FormatoEtiCorteHorPorDefecto()});
    CPatron& M = g.Muestra();
    std::vector<std::string> compuestas;
    std::vector<std::string> porDefecto;
    azar::ParaCadaNodo(M.Raiz(), [&](CCorte& n) {
        compuestas.push_back(EtiquetaDeNodo(M, &n));
        const RLocalizacion l = M.Localizar(&n);
        porDefecto.push_back(
            ExpandirFormato("\\def", FormatoEtiPorDefecto(),
                            VariablesDeNodo(M, n, l.Sobrantes, l.Hojas, l.Cortes, l.Y, l.X)));
    });
    // The default common format is indented with blanks for reading; the parts are not.
    const auto sinBlancos = [](std::vector<std::string> v) {
        for (std::string& s : v) {
            std::erase(s, ' ');
        }
        return v;
    };
    EXPECT_EQ(sinBlancos(compuestas), sinBlancos(porDefecto));
    // Root C1, the piece block, the horizontal cut C2, the 95-wide waste, the offcut S1.
    std::vector<std::string> textos;
    for (std::string s : compuestas) {
        LeerDirectivas(s);
        textos.push_back(s);
    }
    EXPECT_EQ(textos, (std::vector<std::string>{"C1", "P1", "C2", "", "S1"}));
    EXPECT_EQ(M.CantidadPieza(1), 8);
    // The preview's options are the generator's own.
    EXPECT_EQ(t.Lanzamiento().Opciones().FormatoEti, antes.FormatoEti);
    EXPECT_EQ(t.Lanzamiento().Opciones().LargoMinimoSobrante, antes.LargoMinimoSobrante);
}

TEST(GeneradorEtiquetaTest, ComponeElEsqueletoYLoMuestraEnLineas) {
    prueba::CTrabajo t(prueba::OpcionesConocidas, prueba::PiezasConocidas);
    CGeneradorEtiqueta g(t.Lanzamiento(), {"A\\n\\retB", "\\defS", "V", "H"});
    EXPECT_EQ(g.FormatoComun(),
              "\\if#DIR=0\\then\\ret  \\if#P<>0 \\then\\retA\\n\\retB\\ret  \\else\\retS\\ret  "
              "\\endif\\ret\\else\\if#DIR=1\\then\\retV\\ret     \\else\\retH\\ret     "
              "\\endif\\ret\\endif\\ret");
    EXPECT_EQ(g.OpcionesMuestra().FormatoEti, g.FormatoComun());
    g.FijarParte(CGeneradorEtiqueta::CorteHor, "Z");
    EXPECT_EQ(g.TextoMemo(), "\\if#DIR=0\\then\n  \\if#P<>0 \\then\nA\\n\nB\n  \\else\n\\defS\n  "
                             "\\endif\n\\else\\if#DIR=1\\then\nV\n     \\else\nZ\n     "
                             "\\endif\n\\endif");
    EXPECT_EQ(g.OpcionesMuestra().FormatoEti.find("Z") != std::string::npos, true);
}

// ---- Format files ----

TEST(ArchivoFormatoTest, CualquierMemoSobreviveAGuardarYLeer) {
    rutas::CCarpetaTemporal carpeta;
    const auto ruta = (carpeta / "f.fmt").string();
    std::mt19937 rng(7);
    const std::vector<std::string> letras = {"a", "b",  "\\", "#",  "(", ";",
                                             ")", "\n", " ",  "\t", "ñ"};
    for (int i = 0; i < 200; ++i) {
        std::string memo;
        const int largo = std::uniform_int_distribution<int>(0, 30)(rng);
        for (int k = 0; k < largo; ++k) {
            memo += letras[std::uniform_int_distribution<std::size_t>(0, letras.size() - 1)(rng)];
        }
        ArchivoFormato::Guardar(ruta, memo);
        ASSERT_EQ(ArchivoFormato::Leer(ruta), memo);
    }
}

// A file written by "Guardar..." and loaded again gives back the same common format.
TEST(ArchivoFormatoTest, ElFormatoPorDefectoVuelveIgual) {
    rutas::CCarpetaTemporal carpeta;
    const auto ruta = (carpeta / "def.fmt").string();
    std::string memo = FormatoEtiPorDefecto();
    for (std::size_t p = memo.find("\\ret"); p != std::string::npos; p = memo.find("\\ret", p)) {
        memo.replace(p, 4, "\n");
    }
    ArchivoFormato::Guardar(ruta, memo);
    std::string leido = ArchivoFormato::Leer(ruta);
    for (std::size_t p = leido.find('\n'); p != std::string::npos; p = leido.find('\n', p)) {
        leido.replace(p, 1, "\\ret");
    }
    EXPECT_EQ(leido, FormatoEtiPorDefecto());
    EXPECT_EQ(rutas::LeerBytes(ruta).substr(0, 11), "\\if#DIR=0\n\\");
}

struct CasoArchivo {
    const char* Nombre;
    std::string Bytes;
    std::string Memo;   // when accepted
    const char* Motivo; // when refused
};

class LeerFormatoTest : public testing::TestWithParam<CasoArchivo> {};

TEST_P(LeerFormatoTest, AceptaTextoYRechazaLoDemas) {
    std::istringstream entrada(GetParam().Bytes);
    if (GetParam().Motivo == nullptr) {
        EXPECT_EQ(ArchivoFormato::Leer(entrada, "x.fmt"), GetParam().Memo);
        return;
    }
    EXPECT_EQ(rutas::MensajeDe<EArchivo>([&] { ArchivoFormato::Leer(entrada, "x.fmt"); }),
              std::string(Textos::NoSePuedeLeerArchivo) + "\"x.fmt\"" + GetParam().Motivo);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, LeerFormatoTest,
    testing::Values(CasoArchivo{"FinesDeLineaDeWindows", "a\r\nb\r\n", "a\nb", nullptr},
                    CasoArchivo{"SinFinDeLinea", "a\rb", "a\nb", nullptr},
                    CasoArchivo{"Windows1252", "P\xF1o\n", "P\xC3\xB1o", nullptr},
                    CasoArchivo{"Binario", std::string("\\if\0x", 5), "", Textos::FormatoNoEsTexto},
                    CasoArchivo{"Enorme", std::string(ArchivoFormato::TamanoMaximo + 1, 'a'), "",
                                Textos::ArchivoDemasiadoGrande}),
    [](const auto& info) { return std::string(info.param.Nombre); });

TEST(ArchivoFormatoTest, CarpetasNoSeLeenNiSeEscriben) {
    rutas::CCarpetaTemporal carpeta;
    EXPECT_THROW(ArchivoFormato::Leer(carpeta.Ruta().string()), EArchivo);
    EXPECT_THROW(ArchivoFormato::Guardar((carpeta / "no/f.fmt").string(), "x"), EArchivo);
}
