#include "PruebaPatrones.h"

#include "document/CGrilla.h"
#include "document/UExcepciones.h"
#include "document/UTextos.h"
#include "patterns/UPropiedades.h"

#include <gtest/gtest.h>

#include <functional>
#include <typeinfo>

using namespace prueba;

namespace {

// A node of the known pattern by its name: A and B are the root's parts, then 1 and 2.
CCorte& Nodo(CPatron& P, const std::string& nombre) {
    CCorte* n = P.Raiz();
    for (const char c : nombre) {
        n = c == 'A' || c == '1' ? n->Hijo1() : c == 'B' || c == '2' ? n->Hijo2() : n;
    }
    return *n;
}

class Conocido : public testing::Test {
protected:
    CTrabajo t{OpcionesConocidas, PiezasConocidas};
    std::unique_ptr<CPatron> P = t.Patron(ArbolConocido);
    CCorte& N(const std::string& nombre) { return Nodo(*P, nombre); }
    void Asignar(CCorte& n, const std::string& valor, const char* clave) {
        AsignarPropiedad(*P, n, t.Lanzamiento(), valor, clave);
    }
};

// Piece 3 has a zero width, so that giving it to a leaf is refused after the leaf is
// cleared.
const std::vector<std::string> PiezasConNula = {PiezasConocidas[0], PiezasConocidas[1],
                                                "100;0;1;;;1;"};

} // namespace

struct CasoValor {
    const char* Nodo;
    const char* Clave;
    std::string Valor;
    bool Editable;
};

class ValorPropiedadTest : public Conocido, public testing::WithParamInterface<CasoValor> {};

TEST_P(ValorPropiedadTest, TextoYEditable) {
    const CCorte& n = Nodo(*P, GetParam().Nodo);
    EXPECT_EQ(ValorPropiedad(*P, n, GetParam().Clave), GetParam().Valor);
    EXPECT_EQ(PropiedadEditable(*P, n, GetParam().Clave), GetParam().Editable);
}

INSTANTIATE_TEST_SUITE_P(
    PatronConocido, ValorPropiedadTest,
    testing::Values(CasoValor{"Raiz", Textos::PropDirCorte, "Vertical", false},
                    CasoValor{"B", Textos::PropDirCorte, "Horizontal", false},
                    CasoValor{"B22", Textos::PropDirCorte, "Ninguno", true},
                    CasoValor{"B1", Textos::PropDirCorte, "Ninguno", true}, // free length
                    CasoValor{"A", Textos::PropDirCorte, "Ninguno", true},  // free width
                    CasoValor{"Raiz", Textos::PropDimCorte, "603", false},
                    CasoValor{"B2", Textos::PropDimCorte, "203", false},
                    CasoValor{"A", Textos::PropDimCorte, "", false},
                    CasoValor{"A", Textos::PropPieza, "2 [300x200]", true},
                    CasoValor{"B1", Textos::PropPieza, "2 [200x300]", true},
                    CasoValor{"B22", Textos::PropPieza, "", true},
                    CasoValor{"B", Textos::PropPieza, "", false},
                    CasoValor{"A", Textos::PropRotada, "no", true},
                    CasoValor{"B1", Textos::PropRotada, "si", true},
                    CasoValor{"B22", Textos::PropRotada, "", false},
                    CasoValor{"A", Textos::PropDistribucion, "2x2", true},
                    CasoValor{"B21", Textos::PropDistribucion, "2x3", true},
                    CasoValor{"B22", Textos::PropDistribucion, "", false},
                    CasoValor{"A", Textos::PropSobranteX, "", false},
                    CasoValor{"A", Textos::PropSobranteY, "94", false},
                    CasoValor{"B22", Textos::PropSobranteX, "188", false},
                    CasoValor{"B22", Textos::PropSobranteY, "197", false},
                    CasoValor{"A", "Otra", "", false}));

TEST(ValorPropiedad, DimCorteEditableSoloConDosHojasVacias) {
    CTrabajo t(OpcionesConocidas, PiezasConocidas);
    auto P = t.Patron("(1003;503;1;0;0;0;0;0;\\def(503;503;0;0;0;0;0;0;\\def()())"
                      "(500;503;0;0;0;0;0;0;\\def()()))");
    EXPECT_TRUE(PropiedadEditable(*P, *P->Raiz(), Textos::PropDimCorte));
    EXPECT_EQ(ValorPropiedad(*P, *P->Raiz(), Textos::PropDimCorte), "500");
}

TEST(ValorPropiedad, ModoBarras) {
    CTrabajo t({"Barras=1", "AnchoCorte=2", "ChequearAnchoCorte=1"}, {"600;;3;;;1;"},
               {"6000;;4;;;1;"});
    auto P = t.Patron("(6002;1;1;0;0;0;0;0;\\def(1806;1;0;602;1;1;3;1;\\def()())"
                      "(4196;1;0;0;0;0;0;0;\\def()()))");
    const CCorte& hoja = *P->Raiz()->Hijo1();
    EXPECT_EQ(ValorPropiedad(*P, hoja, Textos::PropPieza), "1 [600]");
    EXPECT_EQ(ValorPropiedad(*P, hoja, Textos::PropDistribucion), "3");
    EXPECT_EQ(ValorPropiedad(*P, hoja, Textos::PropRotada), "");
    EXPECT_FALSE(PropiedadEditable(*P, hoja, Textos::PropRotada));
    EXPECT_EQ(ValorPropiedad(*P, *P->Raiz()->Hijo2(), Textos::PropSobranteX), "4194");
    EXPECT_EQ(ValorPropiedad(*P, *P->Raiz()->Hijo2(), Textos::PropSobranteY), "");
}

TEST(ListasPropiedad, PalabrasYPiezasDeLaGrilla) {
    EXPECT_EQ(ListaPropiedad(Textos::PropDirCorte),
              (std::vector<std::string>{"Vertical", "Horizontal", "Ninguno"}));
    EXPECT_EQ(ListaPropiedad(Textos::PropRotada), (std::vector<std::string>{"si", "no"}));
    EXPECT_TRUE(ListaPropiedad(Textos::PropPieza).empty());
    CGrilla g(3, 7);
    g.AsignarCelda(1, 1, " 600 ");
    g.AsignarCelda(1, 2, "400");
    g.AsignarCelda(2, 1, "5' 6\"");
    g.AsignarCelda(2, 2, " 1/2\" ");
    EXPECT_EQ(ListaPiezasPropiedad(g, false),
              (std::vector<std::string>{"1 [600x400]", "2 [5' 6\"x1/2\"]"}));
    EXPECT_EQ(ListaPiezasPropiedad(g, true), (std::vector<std::string>{"1 [600]", "2 [5' 6\"]"}));
}

struct CasoError {
    const char* Nombre;
    bool Barras;
    const char* Nodo;
    const char* Clave;
    std::string Valor;
    std::function<bool(const std::exception&)> Clase;
    std::string Mensaje;
};

template <class E> std::function<bool(const std::exception&)> Es() {
    return [](const std::exception& e) { return dynamic_cast<const E*>(&e) != nullptr; };
}

class ErrorPropiedadTest : public testing::TestWithParam<CasoError> {};

TEST_P(ErrorPropiedadTest, FallaConSuMensajeSinCambiarNada) {
    const CasoError& c = GetParam();
    std::vector<std::string> opciones = OpcionesConocidas;
    if (c.Barras) {
        opciones.push_back("Barras=1");
    }
    CTrabajo t(opciones, PiezasConocidas);
    auto P = t.Patron(ArbolConocido);
    auto antes = CCorte::Copiar(P->Raiz());
    int deshacer = 0;
    int refrescar = 0;
    const RAccionesPropiedad acciones{[&] { ++deshacer; }, [&] { ++refrescar; }};
    try {
        AsignarPropiedad(*P, Nodo(*P, c.Nodo), t.Lanzamiento(), c.Valor, c.Clave, acciones);
        ADD_FAILURE() << "no error";
    } catch (const std::exception& e) {
        EXPECT_TRUE(c.Clase(e)) << typeid(e).name();
        EXPECT_EQ(std::string(e.what()), c.Mensaje);
    }
    // The snapshot was taken before the failure and stays; nothing else happened.
    EXPECT_EQ(deshacer, 1);
    EXPECT_EQ(refrescar, 0);
    EXPECT_TRUE(t.Lanzamiento().Guardado());
    // Copiar resets the labels; compare the numbers with a fresh copy of the tree.
    EXPECT_TRUE(CCorte::Iguales(CCorte::Copiar(P->Raiz()).get(), antes.get()));
}

const std::string Incorrecto = "Valor de propiedad incorrecto";

INSTANTIATE_TEST_SUITE_P(
    Errores, ErrorPropiedadTest,
    testing::Values(CasoError{"DirDesconocida", false, "B22", Textos::PropDirCorte, "Diagonal",
                              Es<EErrorPropiedad>(), Incorrecto},
                    CasoError{"DirHorizontalEnBarras", true, "B22", Textos::PropDirCorte,
                              "Horizontal", Es<EErrorDirHorBarras>(),
                              "Utilice sólo corte verticales en el corte de barras"},
                    CasoError{"DirSinEspacio", false, "B21", Textos::PropDirCorte, "Vertical",
                              Es<ECorteImposible>(), "No hay espacio para cortar."},
                    CasoError{"DirSinEspacioEnCorte", false, "Raiz", Textos::PropDirCorte,
                              "Horizontal", Es<ECorteImposible>(), "No hay espacio para cortar."},
                    CasoError{"DimIgualAlTotal", false, "Raiz", Textos::PropDimCorte, "997",
                              Es<EErrorRangoDimension>(), "Dimensión fuera de rango"},
                    CasoError{"DimCero", false, "B", Textos::PropDimCorte, "0",
                              Es<EErrorRangoDimension>(), "Dimensión fuera de rango"},
                    CasoError{"DimVacia", false, "B", Textos::PropDimCorte, "",
                              Es<EErrorRangoDimension>(), "Dimensión fuera de rango"},
                    CasoError{"DimMalEscrita", false, "Raiz", Textos::PropDimCorte, "1.2.3",
                              Es<EConversion>(), "Valor de longitud incorrecto"},
                    CasoError{"PiezaInexistente", false, "B22", Textos::PropPieza, "3",
                              Es<EErrorIdPieza>(), "Id de pieza incorrecto"},
                    CasoError{"PiezaNoNumerica", false, "B22", Textos::PropPieza, "dos [300x200]",
                              Es<EConversion>(), "'dos' no es un valor entero válido"},
                    CasoError{"RotadaConTilde", false, "A", Textos::PropRotada, "sí",
                              Es<EErrorPropiedad>(), Incorrecto},
                    CasoError{"DistribucionNoCabe", false, "A", Textos::PropDistribucion, "3x2",
                              Es<EErrorRangoPieza>(), "Las piezas no caben en el semiproducto"},
                    CasoError{"DistribucionNoCabeEnY", false, "A", Textos::PropDistribucion, "2x3",
                              Es<EErrorRangoPieza>(), "Las piezas no caben en el semiproducto"},
                    CasoError{"DistribucionEnBarrasEsUnNumero", true, "A", Textos::PropDistribucion,
                              "2x3", Es<EConversion>(), "'2x3' no es un valor entero válido"},
                    CasoError{"DistribucionSinX", false, "A", Textos::PropDistribucion, "2",
                              Es<EConversion>(), "'' no es un valor entero válido"},
                    CasoError{"DistribucionNegativa", false, "A", Textos::PropDistribucion, "-1x2",
                              Es<EErrorPropiedad>(), Incorrecto}),
    [](const testing::TestParamInfo<CasoError>& info) { return std::string(info.param.Nombre); });

TEST(AsignarPropiedad, PiezaDeTamanoNuloDejaLaHojaVacia) {
    CTrabajo t(OpcionesConocidas, PiezasConNula);
    auto P = t.Patron(ArbolConocido);
    CCorte& a = Nodo(*P, "A");
    EXPECT_THROW(AsignarPropiedad(*P, a, t.Lanzamiento(), "3", Textos::PropPieza), EPiezaNula);
    EXPECT_TRUE(a.EsVacio());
    EXPECT_EQ(a.RepX(), 0);
    EXPECT_TRUE(t.Lanzamiento().Guardado());
}

TEST_F(Conocido, ClavesSinValorNoHacenNada) {
    int llamadas = 0;
    const RAccionesPropiedad acciones{[&] { ++llamadas; }, [&] { ++llamadas; }};
    for (const char* clave : {"Otra", Textos::PropSobranteX, Textos::PropSobranteY, "pieza"}) {
        AsignarPropiedad(*P, *P->Raiz()->Hijo1(), t.Lanzamiento(), "1", clave, acciones);
    }
    EXPECT_EQ(llamadas, 0);
    EXPECT_TRUE(t.Lanzamiento().Guardado());
    CTrabajo t2(OpcionesConocidas, PiezasConocidas);
    EXPECT_TRUE(CCorte::Iguales(P->Raiz(), t2.Patron(ArbolConocido)->Raiz()));
}

TEST_F(Conocido, UnCambioCompletoMarcaElLanzamientoYRefresca) {
    std::vector<std::string> orden;
    const RAccionesPropiedad acciones{[&] { orden.push_back("deshacer"); },
                                      [&] { orden.push_back("refrescar"); }};
    AsignarPropiedad(*P, *P->Raiz()->Hijo1(), t.Lanzamiento(), "no", Textos::PropRotada, acciones);
    EXPECT_EQ(orden, (std::vector<std::string>{"deshacer", "refrescar"}));
    EXPECT_FALSE(t.Lanzamiento().Guardado());
}

// Values given one after another ("|" between them) to one node of the known pattern, and the
// node's text after them without its labels (every field of the node and its parts).
struct CasoAsignacion {
    const char* Nombre;
    const char* Nodo;
    const char* Clave;
    std::string Valores;
    std::string Texto;
};

class AsignarPropiedadTest : public Conocido, public testing::WithParamInterface<CasoAsignacion> {};

TEST_P(AsignarPropiedadTest, DejaElNodoEsperado) {
    const CasoAsignacion& c = GetParam();
    CCorte& n = N(c.Nodo);
    std::string valores = c.Valores + "|";
    for (std::size_t k; (k = valores.find('|')) != std::string::npos; valores.erase(0, k + 1)) {
        Asignar(n, valores.substr(0, k), c.Clave);
    }
    std::string texto = CCorte::ATexto(&n);
    for (std::size_t k; (k = texto.find(CCorte::EtiquetaDef)) != std::string::npos;) {
        texto.erase(k, 4);
    }
    EXPECT_EQ(texto, c.Texto);
}

INSTANTIATE_TEST_SUITE_P(
    PatronConocido, AsignarPropiedadTest,
    testing::Values(
        CasoAsignacion{"DirVerticalEnHojaVacia", "B22", Textos::PropDirCorte, "vertical",
                       "(191;200;1;0;0;0;0;0;(95;200;0;0;0;0;0;0;()())(96;200;0;0;0;0;0;0;()()))"},
        // A block with free width is cut across: the block and the free band part.
        CasoAsignacion{
            "DirHorizontalEnBloque", "A", Textos::PropDirCorte, "Horizontal",
            "(606;503;-1;0;0;0;0;0;(606;406;0;303;203;2;2;2;()())(606;97;0;0;0;0;0;0;()()))"},
        // "Ninguno" or nothing frees the parts.
        CasoAsignacion{"DirVaciaLiberaLasPartes", "B", Textos::PropDirCorte, "",
                       "(397;503;0;0;0;0;0;0;()())"},
        CasoAsignacion{"DirNingunoEnMayusculas", "Raiz", Textos::PropDirCorte, "NINGUNO",
                       "(1003;503;0;0;0;0;0;0;()())"},
        CasoAsignacion{
            "DimCorteVertical", "Raiz", Textos::PropDimCorte, "500",
            "(1003;503;1;0;0;0;0;0;(503;503;0;0;0;0;0;0;()())(500;503;0;0;0;0;0;0;()()))"},
        CasoAsignacion{"DimCorteJuntoAlFinal", "Raiz", Textos::PropDimCorte, "500|996",
                       "(1003;503;1;0;0;0;0;0;(999;503;0;0;0;0;0;0;()())(4;503;0;0;0;0;0;0;()()))"},
        CasoAsignacion{
            "DimCorteHorizontal", "B", Textos::PropDimCorte, "100",
            "(397;503;-1;0;0;0;0;0;(397;103;0;0;0;0;0;0;()())(397;400;0;0;0;0;0;0;()()))"},
        CasoAsignacion{"DimEnHojaNoCorta", "B22", Textos::PropDimCorte, "100",
                       "(191;200;0;0;0;0;0;0;()())"},
        CasoAsignacion{"PiezaRellenaElBloque", "B22", Textos::PropPieza, "1 [100x50]",
                       "(191;200;0;103;53;1;1;3;()())"},
        // A negative number is the same piece, not turned.
        CasoAsignacion{"PiezaNegativaNoGira", "B1", Textos::PropPieza, "-1",
                       "(397;303;0;103;53;1;3;5;()())"},
        CasoAsignacion{"PiezaCeroVacia", "B1", Textos::PropPieza, "0",
                       "(397;303;0;0;0;0;0;0;()())"},
        CasoAsignacion{"PiezaNadaVacia", "B1", Textos::PropPieza, "", "(397;303;0;0;0;0;0;0;()())"},
        CasoAsignacion{"PiezaEnBlancoVacia", "B1", Textos::PropPieza, "  ",
                       "(397;303;0;0;0;0;0;0;()())"},
        CasoAsignacion{"RotadaNo", "B1", Textos::PropRotada, "no",
                       "(397;303;0;303;203;2;1;1;()())"},
        CasoAsignacion{"RotadaOtraVez", "B1", Textos::PropRotada, "no|SI",
                       "(397;303;0;203;303;-2;1;1;()())"},
        CasoAsignacion{"RotadaMinusculas", "B1", Textos::PropRotada, "no|Si|no|si",
                       "(397;303;0;203;303;-2;1;1;()())"},
        CasoAsignacion{"Distribucion", "B21", Textos::PropDistribucion, "1x2",
                       "(206;200;0;103;53;1;1;2;()())"},
        CasoAsignacion{"DistribucionVacia", "B21", Textos::PropDistribucion, "1x2|",
                       "(206;200;0;103;53;1;0;0;()())"}),
    [](const testing::TestParamInfo<CasoAsignacion>& info) {
        return std::string(info.param.Nombre);
    });

TEST(AsignarPropiedad, DistribucionEnBarras) {
    CTrabajo t({"Barras=1"}, {"600;;3;;;1;"}, {"6000;;4;;;1;"});
    auto P = t.Patron("(6000;1;1;0;0;0;0;0;\\def(1800;1;0;600;1;1;3;1;\\def()())"
                      "(4200;1;0;0;0;0;0;0;\\def()()))");
    CCorte& hoja = *P->Raiz()->Hijo1();
    AsignarPropiedad(*P, hoja, t.Lanzamiento(), "2", Textos::PropDistribucion);
    EXPECT_EQ(hoja.RepX(), 2);
    EXPECT_EQ(hoja.RepY(), 1);
    // A bar piece always takes the width of its node.
    CCorte& resto = *P->Raiz()->Hijo2();
    AsignarPropiedad(*P, resto, t.Lanzamiento(), "1", Textos::PropPieza);
    EXPECT_EQ(resto.AnchoPz(), 1);
    EXPECT_EQ(resto.RepX(), 7);
    EXPECT_EQ(resto.RepY(), 1);
}
