#include "patterns/CCorte.h"

#include "document/UExcepciones.h"
#include "document/UTextos.h"
#include "support/ArbolesAzar.h"

#include "PruebaPatrones.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

using namespace prueba;

std::string Falla(const std::string& texto) {
    try {
        CCorte::LeerTexto(texto);
    } catch (const EConversion& e) {
        return e.what();
    }
    return "leído sin error";
}

// ---- Text form ----

// Text read, then written again.
class CCorteTextoBueno : public testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(CCorteTextoBueno, SeLeeYSeEscribe) {
    auto n = CCorte::LeerTexto(GetParam().first);
    EXPECT_EQ(CCorte::ATexto(n.get()), GetParam().second);
    EXPECT_EQ(azar::Invariantes(n.get()), "");
}

const char* const EjemploVertical = "(1003;503;1;0;0;0;0;0;\\def(503;503;0;0;0;0;0;0;\\def()())"
                                    "(500;503;0;0;0;0;0;0;\\def()()))";

INSTANTIATE_TEST_SUITE_P(
    Textos, CCorteTextoBueno,
    testing::Values(std::pair{EjemploVertical, EjemploVertical}, std::pair{"()", "()"},
                    // Without the eighth separator the label is the default one.
                    std::pair{"( 40 ; 30;0;10;15;2;4; 2 ()())", "(40;30;0;10;15;2;4;2;\\def()())"},
                    std::pair{"(40;30;0;10;15;2;4;2;()())", "(40;30;0;10;15;2;4;2;()())"},
                    std::pair{"(4;3;0;0;0;0;0;0;  #P x ()())", "(4;3;0;0;0;0;0;0;  #P x ()())"},
                    std::pair{"(4;3;0;0;0;0;0;0;\\1a\\3()())", "(4;3;0;0;0;0;0;0;\\1a\\3()())"},
                    std::pair{"(10;5;0;0;0;0;0;0;\\def()()))))", "(10;5;0;0;0;0;0;0;\\def()())"}));

TEST(CCorteTexto, ConsumeSoloSuTexto) {
    std::string t = std::string(EjemploVertical + 1) + "resto";
    auto n = CCorte::DeTexto(t);
    ASSERT_TRUE(n);
    EXPECT_EQ(n->PosicionCorte(), 503);
    // The closing ")" of the last leaf and of the node are left for the parent's search of
    // the next "(".
    EXPECT_EQ(t, "))resto");
    t = ")";
    EXPECT_EQ(CCorte::DeTexto(t), nullptr);
    EXPECT_EQ(t, "");
    EXPECT_EQ(CCorte::ATexto(nullptr), "()");
}

TEST(CCorteTexto, EtiquetaConDelimitadoresSeEscribeEscapada) {
    auto n = Corte(-1, Vacia(10, 4), Vacia(10, 6));
    n->SetEtiqueta("a(b);c\r\nd");
    auto leido = CCorte::LeerTexto(CCorte::ATexto(n.get()));
    ASSERT_TRUE(leido);
    EXPECT_EQ(leido->Etiqueta(), "a\\1b\\2\\3c\\retd");
    EXPECT_EQ(leido->Hijo1()->Ancho(), 4);
}

struct RTextoMalo {
    const char* Nombre;
    std::string Texto;
};
void PrintTo(const RTextoMalo& c, std::ostream* os) {
    *os << c.Nombre;
}

class CCorteTextoMalo : public testing::TestWithParam<RTextoMalo> {};

TEST_P(CCorteTextoMalo, SeRechazaConElErrorDelPatron) {
    EXPECT_EQ(Falla(GetParam().Texto), Textos::ErrorCrearPatron) << GetParam().Texto;
}

// A valid chain of vertical cuts, each first part a leaf of length 1, niveles deep.
std::string Cadena(int niveles) {
    std::string t;
    for (int i = 0; i < niveles - 1; ++i) {
        t += "(" + std::to_string(niveles - i) + ";3;1;0;0;0;0;0;\\def(1;3;0;0;0;0;0;0;()())";
    }
    t += "(1;3;0;0;0;0;0;0;()())";
    for (int i = 0; i < niveles - 1; ++i) {
        t += ")";
    }
    return t;
}

std::string Anidado(int niveles) {
    std::string t;
    for (int i = 0; i < niveles; ++i) {
        t += "(10;10;1;0;0;0;0;0;";
    }
    return t;
}

INSTANTIATE_TEST_SUITE_P(
    Entradas, CCorteTextoMalo,
    testing::Values(
        RTextoMalo{"vacio", ""}, RTextoMalo{"sinAbrir", "10;5;0;0;0;0;0;0;()()"},
        RTextoMalo{"soloAbre", "("}, RTextoMalo{"truncadoEnCampos", "(10;5;0;0"},
        RTextoMalo{"truncadoSinHijos", "(10;5;0;0;0;0;0;0;\\def"},
        RTextoMalo{"truncadoTrasHijo1", "(10;5;0;0;0;0;0;0;\\def()"},
        RTextoMalo{"truncadoEnHijo",
                   "(1003;503;1;0;0;0;0;0;\\def(503;503;0;0;0;0;0;0;\\def()())(500;50"},
        RTextoMalo{"faltanCampos", "(10;5;0;0;0;0;0()())"},
        RTextoMalo{"campoNoNumerico", "(10;abc;0;0;0;0;0;0;\\def()())"},
        RTextoMalo{"campoVacio", "(10;;0;0;0;0;0;0;\\def()())"},
        RTextoMalo{"campoDecimal", "(10.5;5;0;0;0;0;0;0;\\def()())"},
        RTextoMalo{"campoHexadecimal", "(0x10;5;0;0;0;0;0;0;\\def()())"},
        RTextoMalo{"desbordaInt32", "(99999999999;5;0;0;0;0;0;0;\\def()())"},
        RTextoMalo{"repYNoNumerico", "(10;5;0;1;1;1;1;x;\\def()())"},
        RTextoMalo{"largoNegativo", "(-10;5;0;0;0;0;0;0;\\def()())"},
        RTextoMalo{"anchoNegativo", "(10;-5;0;0;0;0;0;0;\\def()())"},
        RTextoMalo{"repNegativa", "(10;5;0;2;1;1;-3;1;\\def()())"},
        RTextoMalo{"largoEnorme", "(2000000000;5;0;0;0;0;0;0;\\def()())"},
        RTextoMalo{"piezaMinima", "(10;5;0;1;1;-2147483648;1;1;\\def()())"},
        RTextoMalo{"piezaSinTamano", "(10;5;0;0;1;3;1;1;\\def()())"},
        RTextoMalo{"bloqueMasLargoQueLaHoja", "(10;5;0;4;5;1;3;1;\\def()())"},
        RTextoMalo{"bloqueMasAnchoQueLaHoja", "(10;5;0;5;3;1;2;2;\\def()())"},
        RTextoMalo{"direccionDos", "(10;5;2;0;0;0;0;0;\\def(5;5;0;0;0;0;0;0;()())"
                                   "(5;5;0;0;0;0;0;0;()()))"},
        RTextoMalo{"hijoMayorQueElPadre",
                   "(10;5;1;0;0;0;0;0;\\def(12;5;0;0;0;0;0;0;()())(-2;5;0;0;0;0;0;0;()()))"},
        RTextoMalo{"hijosQueNoSuman",
                   "(10;5;1;0;0;0;0;0;\\def(6;5;0;0;0;0;0;0;()())(6;5;0;0;0;0;0;0;()()))"},
        RTextoMalo{"hijoDeOtroAncho",
                   "(10;5;1;0;0;0;0;0;\\def(5;6;0;0;0;0;0;0;()())(5;5;0;0;0;0;0;0;()()))"},
        RTextoMalo{"corteSinSegundoHijo", "(10;5;1;0;0;0;0;0;\\def(5;5;0;0;0;0;0;0;()())())"},
        RTextoMalo{"corteConPieza",
                   "(10;5;1;1;1;1;1;1;\\def(5;5;0;0;0;0;0;0;()())(5;5;0;0;0;0;0;0;()()))"},
        RTextoMalo{"hojaConHijos", "(10;5;0;0;0;0;0;0;\\def(10;5;0;0;0;0;0;0;()())())"},
        RTextoMalo{"anidadoMilesDeNiveles", Anidado(100000)},
        RTextoMalo{"cadenaJustoSobreElLimite", Cadena(CCorte::ProfundidadMaxima + 1)}),
    [](const testing::TestParamInfo<RTextoMalo>& i) { return std::string(i.param.Nombre); });

TEST(CCorteTexto, ProfundidadEnElLimiteSeLee) {
    const int niveles = CCorte::ProfundidadMaxima;
    const std::string t = Cadena(niveles);
    auto n = CCorte::LeerTexto(t);
    ASSERT_TRUE(n);
    EXPECT_EQ(n->Profundidad(), niveles);
    EXPECT_EQ(CCorte::ATexto(n.get()), t);
}

TEST(CCorteTexto, IdaYVueltaDeArbolesAzar) {
    std::mt19937 rng(20261206);
    for (int caso = 0; caso < 400; ++caso) {
        azar::RParametrosArbol p;
        p.Barras = caso % 5 == 0;
        p.Largo = std::uniform_int_distribution<int>(1, 3000)(rng);
        p.Ancho = std::uniform_int_distribution<int>(1, 2000)(rng);
        p.ProbabilidadEtiqueta = 0.4;
        const auto piezas =
            azar::PiezasAzar(rng, 6, std::max(1, p.Largo / 3), std::max(1, p.Ancho / 3), p.Barras);
        auto arbol = azar::ArbolAzar(rng, p, piezas);
        ASSERT_EQ(azar::Invariantes(arbol.get(), &piezas), "") << azar::Mostrar(arbol.get());
        const std::string texto = CCorte::ATexto(arbol.get());
        auto leido = CCorte::LeerTexto(texto);
        ASSERT_TRUE(CCorte::Iguales(arbol.get(), leido.get()))
            << texto << "\nleído: " << CCorte::ATexto(leido.get()) << azar::Mostrar(arbol.get());
        EXPECT_EQ(CCorte::ATexto(leido.get()), texto);
    }
}

// ---- Copy, release, depth ----

TEST(CCorteCopia, CopiaPierdeEtiquetasYConservaNumeros) {
    auto n = Corte(-1, Bloque(30, 20, -3, 10, 20, 3, 1), Vacia(30, 7));
    n->SetEtiqueta("#C");
    n->Hijo1()->SetEtiqueta("\\hcen#P");
    auto c = CCorte::Copiar(n.get());
    EXPECT_EQ(c->Etiqueta(), "\\def");
    EXPECT_EQ(c->Hijo1()->Etiqueta(), "\\def");
    n->SetEtiqueta(CCorte::EtiquetaDef);
    n->Hijo1()->SetEtiqueta(CCorte::EtiquetaDef);
    EXPECT_TRUE(CCorte::Iguales(n.get(), c.get()));
    EXPECT_NE(c->Hijo1(), n->Hijo1());
    EXPECT_EQ(CCorte::Copiar(nullptr), nullptr);
}

TEST(CCorteCopia, ArbolesMuyProfundosSeCopianYLiberanSinAgotarLaPila) {
    // Built by code, far deeper than the reader allows: copy, text, compare and free walk
    // without recursion.
    const int niveles = 50000;
    std::unique_ptr<CCorte> raiz = Vacia(1, 1);
    for (int i = 0; i < niveles; ++i) {
        auto n = CCorte::Create(raiz->Largo() + 1, 1, 1, 0, 0, 0, 0, 0);
        n->SetHijo1(Vacia(1, 1));
        n->SetHijo2(std::move(raiz));
        raiz = std::move(n);
    }
    auto copia = CCorte::Copiar(raiz.get());
    EXPECT_TRUE(CCorte::Iguales(raiz.get(), copia.get()));
    EXPECT_EQ(copia->Profundidad(), niveles + 1);
    EXPECT_EQ(copia->CantidadNodos(), 2 * niveles + 1);
    EXPECT_EQ(azar::Invariantes(copia.get()), "");
    copia->AjustarLargo(copia->Largo() + 5);
    EXPECT_EQ(azar::Invariantes(copia.get()), "");
    const std::string texto = CCorte::ATexto(copia.get());
    EXPECT_EQ(Falla(texto), Textos::ErrorCrearPatron);
    CCorte::Liberar(copia);
    EXPECT_EQ(copia, nullptr);
}

// ---- Setters and node measures ----

TEST(CCorteCampos, DirYPiezaDevuelvenLaEtiquetaPorDefecto) {
    auto n = Bloque(40, 30, 2, 10, 15, 4, 2);
    n->SetEtiqueta("x");
    n->SetRepX(3);
    EXPECT_EQ(n->Etiqueta(), "x");
    n->SetPieza(3);
    EXPECT_EQ(n->Etiqueta(), "\\def");
    n->SetEtiqueta("x");
    n->SetDir(0);
    EXPECT_EQ(n->Etiqueta(), "\\def");
}

TEST(CCorteCampos, MedidasDeHoja) {
    auto n = Bloque(40, 30, 2, 10, 15, 3, 2);
    EXPECT_EQ(n->LibreX(), 10);
    EXPECT_EQ(n->LibreY(), 0);
    EXPECT_FALSE(n->EsPiezaSimple());
    EXPECT_TRUE(Bloque(10, 15, 2, 10, 15, 1, 1)->EsPiezaSimple());
    auto c = Corte(1, Vacia(3, 3), Vacia(4, 3));
    EXPECT_FALSE(c->EsVacio());
    EXPECT_EQ(c->LibreX(), 0);
    EXPECT_EQ(Corte(-1, Vacia(3, 2), Vacia(3, 4))->PosicionCorte(), 2);
}

TEST(CCorteCampos, AjustarLargoPasaElCambioAlSegundoHijoDeUnCorteVertical) {
    // | A 30 | (B over C) 20 |  grows to 70: A keeps 30, B and C get 40.
    auto n = Corte(1, Vacia(30, 10), Corte(-1, Vacia(20, 4), Vacia(20, 6)));
    n->AjustarLargo(70);
    EXPECT_EQ(n->Hijo1()->Largo(), 30);
    EXPECT_EQ(n->Hijo2()->Largo(), 40);
    EXPECT_EQ(n->Hijo2()->Hijo1()->Largo(), 40);
    EXPECT_EQ(n->Hijo2()->Hijo2()->Largo(), 40);
    n->AjustarAncho(16);
    EXPECT_EQ(n->Hijo1()->Ancho(), 16);
    EXPECT_EQ(n->Hijo2()->Hijo1()->Ancho(), 4);
    EXPECT_EQ(n->Hijo2()->Hijo2()->Ancho(), 12);
    EXPECT_EQ(azar::Invariantes(n.get()), "") << azar::Mostrar(n.get());
}

// ---- Reshaping primitives ----

TEST(CCortePrimitivas, CortarVaciaImparPorLaMitad) {
    auto n = Vacia(1003, 503);
    ASSERT_TRUE(n->CortarVertical(0));
    EXPECT_EQ(n->Hijo1()->Largo(), 501);
    EXPECT_EQ(n->Hijo2()->Largo(), 502);
    auto h = Vacia(1003, 503);
    ASSERT_TRUE(h->CortarHorizontal(0));
    EXPECT_EQ(h->Hijo1()->Ancho(), 251);
    EXPECT_EQ(h->Hijo2()->Ancho(), 252);
    EXPECT_EQ(h->Hijo1()->Largo(), 1003);
    auto p = Vacia(100, 50);
    ASSERT_TRUE(p->CortarVertical(30));
    EXPECT_EQ(p->Hijo1()->Largo(), 30);
    EXPECT_FALSE(p->CortarVertical(10)) << "a cut node is not cut again";
    EXPECT_FALSE(Vacia(100, 50)->CortarVertical(101));
    EXPECT_FALSE(Vacia(100, 50)->CortarHorizontal(-1));
}

TEST(CCortePrimitivas, CortarHojaConPiezasSeparaElBloqueExacto) {
    auto n = Bloque(100, 50, 4, 30, 20, 3, 2);
    n->SetEtiqueta("x");
    ASSERT_TRUE(n->CortarVertical(0));
    EXPECT_EQ(n->Dir(), 1);
    EXPECT_EQ(n->Pieza(), 0);
    EXPECT_EQ(n->RepX(), 0);
    EXPECT_EQ(n->Etiqueta(), "\\def");
    EXPECT_EQ(n->Hijo1()->Largo(), 90);
    EXPECT_EQ(n->Hijo1()->Pieza(), 4);
    EXPECT_EQ(n->Hijo1()->RepX(), 3);
    EXPECT_EQ(n->Hijo2()->Largo(), 10);
    EXPECT_TRUE(n->Hijo2()->EsVacio());
    EXPECT_EQ(azar::Invariantes(n.get()), "") << azar::Mostrar(n.get());

    auto h = Bloque(100, 50, 4, 30, 20, 3, 2);
    ASSERT_TRUE(h->CortarHorizontal(7));
    EXPECT_EQ(h->Hijo1()->Ancho(), 40);
    EXPECT_EQ(h->Hijo2()->Ancho(), 10);
    EXPECT_EQ(h->Hijo2()->Largo(), 100);
}

struct RUnion {
    const char* Nombre;
    int Dir;
    int PiezaA, RepXA, RepYA;
    int PiezaB, RepXB, RepYB;
    bool Puede;
    int Pieza, RepX, RepY; // the joined leaf
};
void PrintTo(const RUnion& c, std::ostream* os) {
    *os << c.Nombre;
}

class CCorteUnir : public testing::TestWithParam<RUnion> {};

TEST_P(CCorteUnir, UneSegunLaRegla) {
    const RUnion& u = GetParam();
    // Pieces of 10 x 5 (turned: 5 x 10); parts of 40 x 20 side by side or one above the other.
    auto hoja = [&](int pieza, int rx, int ry) {
        if (pieza == 0) {
            return Vacia(40, 20);
        }
        return pieza > 0 ? Bloque(40, 20, pieza, 10, 5, rx, ry)
                         : Bloque(40, 20, pieza, 5, 10, rx, ry);
    };
    auto n = Corte(u.Dir, hoja(u.PiezaA, u.RepXA, u.RepYA), hoja(u.PiezaB, u.RepXB, u.RepYB));
    const int largo = n->Largo();
    const int ancho = n->Ancho();
    EXPECT_EQ(n->PuedeUnir(), u.Puede);
    EXPECT_EQ(n->Unir(), u.Puede);
    if (!u.Puede) {
        EXPECT_EQ(n->Dir(), u.Dir);
        return;
    }
    EXPECT_EQ(n->Dir(), 0);
    EXPECT_EQ(n->Hijo1(), nullptr);
    EXPECT_EQ(n->Hijo2(), nullptr);
    EXPECT_EQ(n->Pieza(), u.Pieza);
    EXPECT_EQ(n->RepX(), u.RepX);
    EXPECT_EQ(n->RepY(), u.RepY);
    EXPECT_EQ(n->Largo(), largo);
    EXPECT_EQ(n->Ancho(), ancho);
    EXPECT_EQ(azar::Invariantes(n.get()), "") << azar::Mostrar(n.get());
}

INSTANTIATE_TEST_SUITE_P(
    Casos, CCorteUnir,
    testing::Values(RUnion{"dosVacias", 1, 0, 0, 0, 0, 0, 0, true, 0, 0, 0},
                    RUnion{"soloPrimera", 1, 2, 3, 4, 0, 0, 0, true, 2, 3, 4},
                    RUnion{"soloSegunda", -1, 0, 0, 0, 2, 3, 4, true, 2, 3, 4},
                    RUnion{"mismaPiezaVertical", 1, 2, 3, 4, 2, 1, 4, true, 2, 4, 4},
                    RUnion{"mismaPiezaHorizontal", -1, 2, 3, 4, 2, 3, 1, true, 2, 3, 5},
                    RUnion{"distintaCuentaAtraves", 1, 2, 3, 4, 2, 3, 3, false, 0, 0, 0},
                    RUnion{"distintaCuentaHorizontal", -1, 2, 3, 4, 2, 2, 4, false, 0, 0, 0},
                    RUnion{"unaGirada", 1, 2, 3, 2, -2, 3, 2, false, 0, 0, 0},
                    RUnion{"ambasGiradas", 1, -2, 3, 2, -2, 5, 2, true, -2, 8, 2},
                    RUnion{"distintasPiezas", 1, 2, 3, 4, 3, 3, 4, false, 0, 0, 0}),
    [](const testing::TestParamInfo<RUnion>& i) { return std::string(i.param.Nombre); });

TEST(CCortePrimitivas, UnirRechazaHijosQueNoSonHojas) {
    auto n = Corte(1, Vacia(5, 5), Corte(1, Vacia(2, 5), Vacia(3, 5)));
    EXPECT_FALSE(n->PuedeUnir());
    EXPECT_FALSE(Vacia(5, 5)->PuedeUnir());
}

TEST(CCortePrimitivas, IntercambiarMueveElCorte) {
    auto n = Corte(1, Vacia(30, 10), Vacia(70, 10));
    EXPECT_TRUE(n->Intercambiar());
    EXPECT_EQ(n->PosicionCorte(), 70);
    EXPECT_FALSE(Vacia(3, 3)->Intercambiar());
}

TEST(CCortePrimitivas, AmpliarYReducirRestauranUnaCadena) {
    // (A | (B1 | B2)) -> ((A | B1) | B2) -> (A | (B1 | B2))
    auto n = Corte(1, Bloque(10, 5, 1, 10, 5, 1, 1),
                   Corte(1, Bloque(20, 5, 2, 10, 5, 2, 1), Bloque(30, 5, 3, 10, 5, 3, 1)));
    const std::string antes = CCorte::ATexto(n.get());
    ASSERT_TRUE(n->PuedeAmpliar());
    ASSERT_TRUE(n->Ampliar());
    EXPECT_EQ(n->PosicionCorte(), 30);
    EXPECT_EQ(n->Hijo1()->Dir(), 1);
    EXPECT_EQ(n->Hijo1()->Hijo2()->Pieza(), 2);
    EXPECT_EQ(n->Hijo2()->Pieza(), 3);
    EXPECT_EQ(azar::Invariantes(n.get()), "") << azar::Mostrar(n.get());
    ASSERT_TRUE(n->PuedeReducir());
    ASSERT_TRUE(n->Reducir());
    EXPECT_EQ(CCorte::ATexto(n.get()), antes);
}

TEST(CCortePrimitivas, AmpliarTomaLaBandaLibreDelSegundo) {
    // Vertical cut: A 30 long, B 70 long holding 2 x 20 of piece 5, so 30 free in B.
    auto n = Corte(1, Vacia(30, 10), Bloque(70, 10, 5, 20, 10, 2, 1));
    ASSERT_TRUE(n->PuedeAmpliar());
    EXPECT_FALSE(n->PuedeReducir()) << "an empty first part has nothing to give";
    ASSERT_TRUE(n->Ampliar());
    EXPECT_EQ(n->Hijo1()->Largo(), 60);
    EXPECT_EQ(n->Hijo2()->Largo(), 40);
    EXPECT_EQ(n->Hijo2()->LibreX(), 0);
    EXPECT_FALSE(n->PuedeAmpliar());
    EXPECT_FALSE(n->Ampliar());
    EXPECT_EQ(azar::Invariantes(n.get()), "") << azar::Mostrar(n.get());
}

TEST(CCortePrimitivas, ReducirDaLaBandaDelPrimeroAlSegundoPorTodoSuSubarbol) {
    // Horizontal cut: A = 3 rows of 10 in 50 wide; B = vertical cut of two empties.
    auto n = Corte(-1, Bloque(40, 50, 1, 40, 10, 1, 3), Corte(1, Vacia(15, 20), Vacia(25, 20)));
    ASSERT_TRUE(n->PuedeReducir());
    ASSERT_TRUE(n->Reducir());
    EXPECT_EQ(n->PosicionCorte(), 30);
    EXPECT_EQ(n->Hijo2()->Ancho(), 40);
    EXPECT_EQ(n->Hijo2()->Hijo1()->Ancho(), 40);
    EXPECT_EQ(n->Hijo2()->Hijo2()->Ancho(), 40);
    EXPECT_EQ(azar::Invariantes(n.get()), "") << azar::Mostrar(n.get());
}

TEST(CCortePrimitivas, AmpliarNoSeOfreceConUnCorteDeOtraDireccion) {
    auto n = Corte(1, Vacia(30, 10), Corte(-1, Vacia(70, 4), Vacia(70, 6)));
    EXPECT_FALSE(n->PuedeAmpliar());
    EXPECT_FALSE(n->PuedeReducir());
    EXPECT_FALSE(Vacia(3, 3)->PuedeAmpliar());
}

// ---- Random sequences of primitives keep the invariants ----

TEST(CCortePrimitivas, SecuenciasAzarConservanInvariantesYPiezas) {
    std::mt19937 rng(4242);
    for (int caso = 0; caso < 150; ++caso) {
        azar::RParametrosArbol p;
        p.Barras = caso % 4 == 0;
        p.Largo = std::uniform_int_distribution<int>(1, 2000)(rng);
        p.Ancho = std::uniform_int_distribution<int>(1, 1000)(rng);
        const auto piezas =
            azar::PiezasAzar(rng, 4, std::max(1, p.Largo / 4), std::max(1, p.Ancho / 4), p.Barras);
        auto raiz = azar::ArbolAzar(rng, p, piezas);
        const auto cuentas = azar::ContarPiezas(raiz.get(), 4);
        const long long area = azar::AreaBrutaPiezas(raiz.get());
        std::string historia;
        for (int paso = 0; paso < 60; ++paso) {
            std::vector<CCorte*> nodos;
            azar::ParaCadaNodo(raiz.get(), [&](CCorte& n) { nodos.push_back(&n); });
            CCorte* n = nodos[std::uniform_int_distribution<std::size_t>(0, nodos.size() - 1)(rng)];
            const int op = std::uniform_int_distribution<int>(0, 6)(rng);
            const int pos = std::uniform_int_distribution<int>(0, 3)(rng) == 0
                                ? 0
                                : std::uniform_int_distribution<int>(-2, 2000)(rng);
            const bool cortaPiezas = n->TienePieza();
            bool hecho = false;
            switch (op) {
            case 0:
                hecho = n->CortarVertical(pos);
                break;
            case 1:
                hecho = !p.Barras && n->CortarHorizontal(pos);
                break;
            case 2:
                hecho = n->Unir();
                break;
            case 3:
                hecho = n->Intercambiar();
                break;
            case 4:
                hecho = n->Ampliar();
                break;
            default:
                hecho = n->Reducir();
                break;
            }
            historia += std::to_string(op) + (hecho ? "+ " : "- ");
            ASSERT_EQ(azar::Invariantes(raiz.get(), &piezas), "")
                << "caso " << caso << " pasos " << historia << azar::Mostrar(raiz.get());
            ASSERT_EQ(azar::ContarPiezas(raiz.get(), 4), cuentas) << historia;
            ASSERT_EQ(azar::AreaBrutaPiezas(raiz.get()), area) << historia;
            ASSERT_EQ(raiz->Largo(), p.Largo);
            if (hecho && cortaPiezas && op <= 1) {
                ASSERT_TRUE(n->Hijo1()->TienePieza());
                ASSERT_TRUE(n->Hijo2()->EsVacio());
            }
        }
    }
}

} // namespace
