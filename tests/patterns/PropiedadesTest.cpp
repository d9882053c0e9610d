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

TEST_F(Conocido, DireccionDeCorte) {
    CCorte& b22 = N("B22");
    Asignar(b22, "vertical", Textos::PropDirCorte);
    EXPECT_EQ(b22.Dir(), 1);
    ASSERT_TRUE(b22.Hijo1() && b22.Hijo2());
    EXPECT_EQ(b22.Hijo1()->Largo() + b22.Hijo2()->Largo(), 191);

    // A block with free width is cut across: the block and the free band part.
    CCorte& a = N("A");
    Asignar(a, "Horizontal", Textos::PropDirCorte);
    EXPECT_EQ(a.Dir(), -1);
    EXPECT_EQ(a.Hijo1()->Pieza(), 2);
    EXPECT_EQ(a.Hijo2()->Ancho(), 97);

    // "Ninguno" or nothing frees the parts.
    CCorte& b = N("B");
    Asignar(b, "", Textos::PropDirCorte);
    EXPECT_TRUE(b.EsVacio());
    EXPECT_EQ(b.Hijo1(), nullptr);
    EXPECT_EQ(b.Largo(), 397);
    Asignar(a, "NINGUNO", Textos::PropDirCorte);
    EXPECT_TRUE(a.EsVacio());
}

TEST_F(Conocido, DimensionDeCorte) {
    CCorte& raiz = *P->Raiz();
    Asignar(raiz, "500", Textos::PropDimCorte);
    ASSERT_TRUE(raiz.Hijo1()->EsVacio() && raiz.Hijo2()->EsVacio());
    EXPECT_EQ(raiz.Hijo1()->Largo(), 503);
    EXPECT_EQ(raiz.Hijo2()->Largo(), 500);
    EXPECT_EQ(raiz.Hijo1()->Ancho(), 503);
    Asignar(raiz, "996", Textos::PropDimCorte);
    EXPECT_EQ(raiz.Hijo2()->Largo(), 4);

    CCorte& hoja = *raiz.Hijo1();
    Asignar(hoja, "100", Textos::PropDimCorte);
    EXPECT_TRUE(hoja.EsVacio());
    EXPECT_EQ(hoja.Hijo1(), nullptr);
}

TEST_F(Conocido, DimensionDeCorteHorizontal) {
    CCorte& b = N("B");
    Asignar(b, "100", Textos::PropDimCorte);
    EXPECT_EQ(b.Hijo1()->Ancho(), 103);
    EXPECT_EQ(b.Hijo2()->Ancho(), 400);
    EXPECT_EQ(b.Hijo1()->Largo(), 397);
}

TEST_F(Conocido, PiezaRellenaElBloque) {
    CCorte& b22 = N("B22"); // 191 x 200 gross
    Asignar(b22, "1 [100x50]", Textos::PropPieza);
    EXPECT_EQ(b22.Pieza(), 1);
    EXPECT_EQ(b22.LargoPz(), 103);
    EXPECT_EQ(b22.AnchoPz(), 53);
    EXPECT_EQ(b22.RepX(), 1);
    EXPECT_EQ(b22.RepY(), 3);

    // A negative number is the same piece, not turned.
    CCorte& b1 = N("B1"); // 397 x 303 gross
    Asignar(b1, "-1", Textos::PropPieza);
    EXPECT_EQ(b1.Pieza(), 1);
    EXPECT_EQ(b1.RepX(), 3);
    EXPECT_EQ(b1.RepY(), 5);

    for (const char* vacio : {"0", "", "  "}) {
        Asignar(b1, vacio, Textos::PropPieza);
        EXPECT_TRUE(b1.EsVacio()) << vacio;
        EXPECT_EQ(b1.RepX(), 0);
        EXPECT_EQ(b1.LargoPz(), 0);
    }
}

TEST_F(Conocido, RotadaCambiaSignoYMedidas) {
    CCorte& b1 = N("B1"); // piece -2 in 397 x 303
    Asignar(b1, "no", Textos::PropRotada);
    EXPECT_EQ(b1.Pieza(), 2);
    EXPECT_EQ(b1.LargoPz(), 303);
    EXPECT_EQ(b1.AnchoPz(), 203);
    EXPECT_EQ(b1.RepX(), 1);
    EXPECT_EQ(b1.RepY(), 1);
    for (const char* si : {"SI", "Si", "si"}) {
        Asignar(b1, si, Textos::PropRotada);
        EXPECT_EQ(b1.Pieza(), -2) << si;
        EXPECT_EQ(b1.LargoPz(), 203);
        EXPECT_EQ(b1.AnchoPz(), 303);
    }
}

TEST_F(Conocido, Distribucion) {
    CCorte& b21 = N("B21"); // 2x3 of 103 x 53 in 206 x 200
    Asignar(b21, "1x2", Textos::PropDistribucion);
    EXPECT_EQ(b21.RepX(), 1);
    EXPECT_EQ(b21.RepY(), 2);
    Asignar(b21, "", Textos::PropDistribucion);
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
