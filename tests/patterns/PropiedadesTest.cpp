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

// Which node of the known pattern a case works on.
enum class TNodo { Raiz, A, B, B1, B2, B21, B22 };

CCorte& Nodo(CPatron& P, TNodo n) {
    CCorte& raiz = *P.Raiz();
    switch (n) {
    case TNodo::Raiz:
        return raiz;
    case TNodo::A:
        return *raiz.Hijo1();
    case TNodo::B:
        return *raiz.Hijo2();
    case TNodo::B1:
        return *raiz.Hijo2()->Hijo1();
    case TNodo::B2:
        return *raiz.Hijo2()->Hijo2();
    case TNodo::B21:
        return *raiz.Hijo2()->Hijo2()->Hijo1();
    case TNodo::B22:
        break;
    }
    return *raiz.Hijo2()->Hijo2()->Hijo2();
}

// Piece 3 has a zero width, so that giving it to a leaf is refused after the leaf is
// cleared.
const std::vector<std::string> PiezasConNula = {PiezasConocidas[0], PiezasConocidas[1],
                                                "100;0;1;;;1;"};

} // namespace

// ---- Shown values and editability -----------------------------------------------------

struct CasoValor {
    TNodo Nodo;
    const char* Clave;
    std::string Valor;
    bool Editable;
};

class ValorPropiedadTest : public testing::TestWithParam<CasoValor> {};

TEST_P(ValorPropiedadTest, TextoYEditable) {
    CTrabajo t(OpcionesConocidas, PiezasConocidas);
    auto P = t.Patron(ArbolConocido);
    const CCorte& n = Nodo(*P, GetParam().Nodo);
    EXPECT_EQ(ValorPropiedad(*P, n, GetParam().Clave), GetParam().Valor);
    EXPECT_EQ(PropiedadEditable(*P, n, GetParam().Clave), GetParam().Editable);
}

INSTANTIATE_TEST_SUITE_P(
    PatronConocido, ValorPropiedadTest,
    testing::Values(CasoValor{TNodo::Raiz, Textos::PropDirCorte, "Vertical", false},
                    CasoValor{TNodo::B, Textos::PropDirCorte, "Horizontal", false},
                    CasoValor{TNodo::B22, Textos::PropDirCorte, "Ninguno", true},
                    CasoValor{TNodo::B1, Textos::PropDirCorte, "Ninguno", true}, // free length
                    CasoValor{TNodo::A, Textos::PropDirCorte, "Ninguno", true},  // free width
                    CasoValor{TNodo::Raiz, Textos::PropDimCorte, "603", false},
                    CasoValor{TNodo::B2, Textos::PropDimCorte, "203", false},
                    CasoValor{TNodo::A, Textos::PropDimCorte, "", false},
                    CasoValor{TNodo::A, Textos::PropPieza, "2 [300x200]", true},
                    CasoValor{TNodo::B1, Textos::PropPieza, "2 [200x300]", true},
                    CasoValor{TNodo::B22, Textos::PropPieza, "", true},
                    CasoValor{TNodo::B, Textos::PropPieza, "", false},
                    CasoValor{TNodo::A, Textos::PropRotada, "no", true},
                    CasoValor{TNodo::B1, Textos::PropRotada, "si", true},
                    CasoValor{TNodo::B22, Textos::PropRotada, "", false},
                    CasoValor{TNodo::A, Textos::PropDistribucion, "2x2", true},
                    CasoValor{TNodo::B21, Textos::PropDistribucion, "2x3", true},
                    CasoValor{TNodo::B22, Textos::PropDistribucion, "", false},
                    CasoValor{TNodo::A, Textos::PropSobranteX, "", false},
                    CasoValor{TNodo::A, Textos::PropSobranteY, "94", false},
                    CasoValor{TNodo::B22, Textos::PropSobranteX, "188", false},
                    CasoValor{TNodo::B22, Textos::PropSobranteY, "197", false},
                    CasoValor{TNodo::A, "Otra", "", false}));

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

// ---- Setting properties: failures ----------------------------------------------------

struct CasoError {
    const char* Nombre;
    bool Barras;
    TNodo Nodo;
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
    testing::Values(
        CasoError{"DirDesconocida", false, TNodo::B22, Textos::PropDirCorte, "Diagonal",
                  Es<EErrorPropiedad>(), Incorrecto},
        CasoError{"DirHorizontalEnBarras", true, TNodo::B22, Textos::PropDirCorte, "Horizontal",
                  Es<EErrorDirHorBarras>(), "Utilice sólo corte verticales en el corte de barras"},
        CasoError{"DirSinEspacio", false, TNodo::B21, Textos::PropDirCorte, "Vertical",
                  Es<ECorteImposible>(), "No hay espacio para cortar."},
        CasoError{"DirSinEspacioEnCorte", false, TNodo::Raiz, Textos::PropDirCorte, "Horizontal",
                  Es<ECorteImposible>(), "No hay espacio para cortar."},
        CasoError{"DimIgualAlTotal", false, TNodo::Raiz, Textos::PropDimCorte, "997",
                  Es<EErrorRangoDimension>(), "Dimensión fuera de rango"},
        CasoError{"DimCero", false, TNodo::B, Textos::PropDimCorte, "0", Es<EErrorRangoDimension>(),
                  "Dimensión fuera de rango"},
        CasoError{"DimVacia", false, TNodo::B, Textos::PropDimCorte, "", Es<EErrorRangoDimension>(),
                  "Dimensión fuera de rango"},
        CasoError{"DimMalEscrita", false, TNodo::Raiz, Textos::PropDimCorte, "1.2.3",
                  Es<EConversion>(), "Valor de longitud incorrecto"},
        CasoError{"PiezaInexistente", false, TNodo::B22, Textos::PropPieza, "3",
                  Es<EErrorIdPieza>(), "Id de pieza incorrecto"},
        CasoError{"PiezaNoNumerica", false, TNodo::B22, Textos::PropPieza, "dos [300x200]",
                  Es<EConversion>(), "'dos' no es un valor entero válido"},
        CasoError{"RotadaConTilde", false, TNodo::A, Textos::PropRotada, "sí",
                  Es<EErrorPropiedad>(), Incorrecto},
        CasoError{"DistribucionNoCabe", false, TNodo::A, Textos::PropDistribucion, "3x2",
                  Es<EErrorRangoPieza>(), "Las piezas no caben en el semiproducto"},
        CasoError{"DistribucionNoCabeEnY", false, TNodo::A, Textos::PropDistribucion, "2x3",
                  Es<EErrorRangoPieza>(), "Las piezas no caben en el semiproducto"},
        CasoError{"DistribucionEnBarrasEsUnNumero", true, TNodo::A, Textos::PropDistribucion, "2x3",
                  Es<EConversion>(), "'2x3' no es un valor entero válido"},
        CasoError{"DistribucionSinX", false, TNodo::A, Textos::PropDistribucion, "2",
                  Es<EConversion>(), "'' no es un valor entero válido"},
        CasoError{"DistribucionNegativa", false, TNodo::A, Textos::PropDistribucion, "-1x2",
                  Es<EErrorPropiedad>(), Incorrecto}),
    [](const testing::TestParamInfo<CasoError>& info) { return std::string(info.param.Nombre); });

TEST(AsignarPropiedad, PiezaDeTamanoNuloDejaLaHojaVacia) {
    CTrabajo t(OpcionesConocidas, PiezasConNula);
    auto P = t.Patron(ArbolConocido);
    CCorte& a = *P->Raiz()->Hijo1();
    EXPECT_THROW(AsignarPropiedad(*P, a, t.Lanzamiento(), "3", Textos::PropPieza), EPiezaNula);
    EXPECT_TRUE(a.EsVacio());
    EXPECT_EQ(a.RepX(), 0);
    EXPECT_TRUE(t.Lanzamiento().Guardado());
}

// ---- Setting properties: changes ------------------------------------------------------

TEST(AsignarPropiedad, ClavesSinValorNoHacenNada) {
    CTrabajo t(OpcionesConocidas, PiezasConocidas);
    auto P = t.Patron(ArbolConocido);
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

TEST(AsignarPropiedad, UnCambioCompletoMarcaElLanzamientoYRefresca) {
    CTrabajo t(OpcionesConocidas, PiezasConocidas);
    auto P = t.Patron(ArbolConocido);
    std::vector<std::string> orden;
    const RAccionesPropiedad acciones{[&] { orden.push_back("deshacer"); },
                                      [&] { orden.push_back("refrescar"); }};
    AsignarPropiedad(*P, *P->Raiz()->Hijo1(), t.Lanzamiento(), "no", Textos::PropRotada, acciones);
    EXPECT_EQ(orden, (std::vector<std::string>{"deshacer", "refrescar"}));
    EXPECT_FALSE(t.Lanzamiento().Guardado());
}

TEST(AsignarPropiedad, DireccionDeCorte) {
    CTrabajo t(OpcionesConocidas, PiezasConocidas);
    auto P = t.Patron(ArbolConocido);
    CCorte& b22 = *P->Raiz()->Hijo2()->Hijo2()->Hijo2();
    AsignarPropiedad(*P, b22, t.Lanzamiento(), "vertical", Textos::PropDirCorte);
    EXPECT_EQ(b22.Dir(), 1);
    ASSERT_TRUE(b22.Hijo1() && b22.Hijo2());
    EXPECT_EQ(b22.Hijo1()->Largo() + b22.Hijo2()->Largo(), 191);

    // A block with free width is cut across: the block and the free band part.
    CCorte& a = *P->Raiz()->Hijo1();
    AsignarPropiedad(*P, a, t.Lanzamiento(), "Horizontal", Textos::PropDirCorte);
    EXPECT_EQ(a.Dir(), -1);
    EXPECT_EQ(a.Hijo1()->Pieza(), 2);
    EXPECT_EQ(a.Hijo2()->Ancho(), 97);

    // "Ninguno" or nothing frees the parts.
    CCorte& b = *P->Raiz()->Hijo2();
    AsignarPropiedad(*P, b, t.Lanzamiento(), "", Textos::PropDirCorte);
    EXPECT_TRUE(b.EsVacio());
    EXPECT_EQ(b.Hijo1(), nullptr);
    EXPECT_EQ(b.Largo(), 397);
    AsignarPropiedad(*P, a, t.Lanzamiento(), "NINGUNO", Textos::PropDirCorte);
    EXPECT_TRUE(a.EsVacio());
}

TEST(AsignarPropiedad, DimensionDeCorte) {
    CTrabajo t(OpcionesConocidas, PiezasConocidas);
    auto P = t.Patron(ArbolConocido);
    CCorte& raiz = *P->Raiz();
    AsignarPropiedad(*P, raiz, t.Lanzamiento(), "500", Textos::PropDimCorte);
    ASSERT_TRUE(raiz.Hijo1()->EsVacio() && raiz.Hijo2()->EsVacio());
    EXPECT_EQ(raiz.Hijo1()->Largo(), 503);
    EXPECT_EQ(raiz.Hijo2()->Largo(), 500);
    EXPECT_EQ(raiz.Hijo1()->Ancho(), 503);
    AsignarPropiedad(*P, raiz, t.Lanzamiento(), "996", Textos::PropDimCorte);
    EXPECT_EQ(raiz.Hijo2()->Largo(), 4);

    CCorte& hoja = *raiz.Hijo1();
    AsignarPropiedad(*P, hoja, t.Lanzamiento(), "100", Textos::PropDimCorte);
    EXPECT_TRUE(hoja.EsVacio());
    EXPECT_EQ(hoja.Hijo1(), nullptr);
}

TEST(AsignarPropiedad, DimensionDeCorteHorizontal) {
    CTrabajo t(OpcionesConocidas, PiezasConocidas);
    auto P = t.Patron(ArbolConocido);
    CCorte& b = *P->Raiz()->Hijo2();
    AsignarPropiedad(*P, b, t.Lanzamiento(), "100", Textos::PropDimCorte);
    EXPECT_EQ(b.Hijo1()->Ancho(), 103);
    EXPECT_EQ(b.Hijo2()->Ancho(), 400);
    EXPECT_EQ(b.Hijo1()->Largo(), 397);
}

TEST(AsignarPropiedad, PiezaRellenaElBloque) {
    CTrabajo t(OpcionesConocidas, PiezasConocidas);
    auto P = t.Patron(ArbolConocido);
    CCorte& b22 = *P->Raiz()->Hijo2()->Hijo2()->Hijo2(); // 191 x 200 gross
    AsignarPropiedad(*P, b22, t.Lanzamiento(), "1 [100x50]", Textos::PropPieza);
    EXPECT_EQ(b22.Pieza(), 1);
    EXPECT_EQ(b22.LargoPz(), 103);
    EXPECT_EQ(b22.AnchoPz(), 53);
    EXPECT_EQ(b22.RepX(), 1);
    EXPECT_EQ(b22.RepY(), 3);

    // A negative number is the same piece, not turned.
    CCorte& b1 = *P->Raiz()->Hijo2()->Hijo1(); // 397 x 303 gross
    AsignarPropiedad(*P, b1, t.Lanzamiento(), "-1", Textos::PropPieza);
    EXPECT_EQ(b1.Pieza(), 1);
    EXPECT_EQ(b1.RepX(), 3);
    EXPECT_EQ(b1.RepY(), 5);

    for (const char* vacio : {"0", "", "  "}) {
        AsignarPropiedad(*P, b1, t.Lanzamiento(), vacio, Textos::PropPieza);
        EXPECT_TRUE(b1.EsVacio()) << vacio;
        EXPECT_EQ(b1.RepX(), 0);
        EXPECT_EQ(b1.LargoPz(), 0);
    }
}

TEST(AsignarPropiedad, RotadaCambiaSignoYMedidas) {
    CTrabajo t(OpcionesConocidas, PiezasConocidas);
    auto P = t.Patron(ArbolConocido);
    CCorte& b1 = *P->Raiz()->Hijo2()->Hijo1(); // piece -2 in 397 x 303
    AsignarPropiedad(*P, b1, t.Lanzamiento(), "no", Textos::PropRotada);
    EXPECT_EQ(b1.Pieza(), 2);
    EXPECT_EQ(b1.LargoPz(), 303);
    EXPECT_EQ(b1.AnchoPz(), 203);
    EXPECT_EQ(b1.RepX(), 1);
    EXPECT_EQ(b1.RepY(), 1);
    for (const char* si : {"SI", "Si", "si"}) {
        AsignarPropiedad(*P, b1, t.Lanzamiento(), si, Textos::PropRotada);
        EXPECT_EQ(b1.Pieza(), -2) << si;
        EXPECT_EQ(b1.LargoPz(), 203);
        EXPECT_EQ(b1.AnchoPz(), 303);
    }
}

TEST(AsignarPropiedad, Distribucion) {
    CTrabajo t(OpcionesConocidas, PiezasConocidas);
    auto P = t.Patron(ArbolConocido);
    CCorte& b21 = *P->Raiz()->Hijo2()->Hijo2()->Hijo1(); // 2x3 of 103 x 53 in 206 x 200
    AsignarPropiedad(*P, b21, t.Lanzamiento(), "1x2", Textos::PropDistribucion);
    EXPECT_EQ(b21.RepX(), 1);
    EXPECT_EQ(b21.RepY(), 2);
    AsignarPropiedad(*P, b21, t.Lanzamiento(), "", Textos::PropDistribucion);
    EXPECT_EQ(b21.RepX(), 0);
    EXPECT_EQ(b21.RepY(), 0);
}

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
