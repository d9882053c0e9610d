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
    return rutas::MensajeDe<EConversion>([&] { CCorte::LeerTexto(texto); });
}

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
        RTextoMalo{"cadenaJustoSobreElLimite", CadenaDeCortes(CCorte::ProfundidadMaxima + 1)}),
    [](const testing::TestParamInfo<RTextoMalo>& i) { return std::string(i.param.Nombre); });

TEST(CCorteTexto, ProfundidadEnElLimiteSeLee) {
    const int niveles = CCorte::ProfundidadMaxima;
    const std::string t = CadenaDeCortes(niveles);
    auto n = CCorte::LeerTexto(t);
    ASSERT_TRUE(n);
    EXPECT_EQ(n->Profundidad(), niveles);
    EXPECT_EQ(CCorte::ATexto(n.get()), t);
}

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

enum TOperacion { CortarV, CortarH, Unir, Intercambiar, Ampliar, Reducir, Ajustar };

// Applies a primitive; where it has a "Puede" question, the answer must match the outcome.
bool Aplicar(CCorte& n, int op, int pos) {
    bool puede = false;
    bool hecho = false;
    switch (op) {
    case CortarV:
        return n.CortarVertical(pos);
    case CortarH:
        return n.CortarHorizontal(pos);
    case Intercambiar:
        return n.Intercambiar();
    case Ajustar:
        n.AjustarLargo(n.Largo() + pos);
        n.AjustarAncho(n.Ancho() + pos / 10);
        return true;
    case Unir:
        puede = n.PuedeUnir();
        hecho = n.Unir();
        break;
    case Ampliar:
        puede = n.PuedeAmpliar();
        hecho = n.Ampliar();
        break;
    default:
        puede = n.PuedeReducir();
        hecho = n.Reducir();
        break;
    }
    EXPECT_EQ(puede, hecho) << "op " << op;
    return hecho;
}

// The texts omit the default labels ("\def"): they are left out of the comparison too.
struct RPrimitiva {
    const char* Nombre;
    const char* Antes;
    int Op;
    int Pos;
    const char* Despues; // nullptr: refused, the tree is unchanged
};
void PrintTo(const RPrimitiva& c, std::ostream* os) {
    *os << c.Nombre;
}

class CCortePrimitiva : public testing::TestWithParam<RPrimitiva> {};

TEST_P(CCortePrimitiva, DejaElArbolEsperado) {
    const RPrimitiva& c = GetParam();
    auto n = CCorte::LeerTexto(c.Antes);
    ASSERT_TRUE(n);
    auto sinDef = [](std::string t) {
        for (std::size_t i; (i = t.find("\\def")) != std::string::npos;) {
            t.erase(i, 4);
        }
        return t;
    };
    const std::string antes = sinDef(CCorte::ATexto(n.get()));
    EXPECT_EQ(Aplicar(*n, c.Op, c.Pos), c.Despues != nullptr);
    EXPECT_EQ(sinDef(CCorte::ATexto(n.get())), c.Despues ? c.Despues : antes);
    EXPECT_EQ(azar::Invariantes(n.get()), "") << azar::Mostrar(n.get());
}

INSTANTIATE_TEST_SUITE_P(
    Casos, CCortePrimitiva,
    testing::Values(
        // An odd empty leaf cut at 0 is halved, the larger half second.
        RPrimitiva{"cortarVaciaPorLaMitad", "(1003;503;0;0;0;0;0;0()())", CortarV, 0,
                   "(1003;503;1;0;0;0;0;0;(501;503;0;0;0;0;0;0;()())(502;503;0;0;0;0;0;0;()()))"},
        RPrimitiva{
            "cortarVaciaAlTravesPorLaMitad", "(1003;503;0;0;0;0;0;0()())", CortarH, 0,
            "(1003;503;-1;0;0;0;0;0;(1003;251;0;0;0;0;0;0;()())(1003;252;0;0;0;0;0;0;()()))"},
        RPrimitiva{"cortarVaciaEn30", "(100;50;0;0;0;0;0;0()())", CortarV, 30,
                   "(100;50;1;0;0;0;0;0;(30;50;0;0;0;0;0;0;()())(70;50;0;0;0;0;0;0;()()))"},
        RPrimitiva{"unCorteNoSeVuelveACortar",
                   "(100;50;1;0;0;0;0;0(30;50;0;0;0;0;0;0()())(70;50;0;0;0;0;0;0()()))", CortarV,
                   10, nullptr},
        RPrimitiva{"cortarMasAlla", "(100;50;0;0;0;0;0;0()())", CortarV, 101, nullptr},
        RPrimitiva{"cortarEnNegativo", "(100;50;0;0;0;0;0;0()())", CortarH, -1, nullptr},
        // A piece leaf is cut at the end of its block, whatever the position asked.
        RPrimitiva{"cortarBloque", "(100;50;0;30;20;4;3;2;x()())", CortarV, 0,
                   "(100;50;1;0;0;0;0;0;(90;50;0;30;20;4;3;2;()())(10;50;0;0;0;0;0;0;()()))"},
        RPrimitiva{"cortarBloqueAlTraves", "(100;50;0;30;20;4;3;2()())", CortarH, 7,
                   "(100;50;-1;0;0;0;0;0;(100;40;0;30;20;4;3;2;()())(100;10;0;0;0;0;0;0;()()))"},
        RPrimitiva{"dosVacias", "(80;20;1;0;0;0;0;0(40;20;0;0;0;0;0;0()())(40;20;0;0;0;0;0;0()()))",
                   Unir, 0, "(80;20;0;0;0;0;0;0;()())"},
        RPrimitiva{"soloPrimera",
                   "(80;20;1;0;0;0;0;0(40;20;0;10;5;2;3;4()())(40;20;0;0;0;0;0;0()()))", Unir, 0,
                   "(80;20;0;10;5;2;3;4;()())"},
        RPrimitiva{"soloSegunda",
                   "(40;40;-1;0;0;0;0;0(40;20;0;0;0;0;0;0()())(40;20;0;10;5;2;3;4()()))", Unir, 0,
                   "(40;40;0;10;5;2;3;4;()())"},
        RPrimitiva{"mismaPiezaVertical",
                   "(80;20;1;0;0;0;0;0(40;20;0;10;5;2;3;4()())(40;20;0;10;5;2;1;4()()))", Unir, 0,
                   "(80;20;0;10;5;2;4;4;()())"},
        RPrimitiva{"mismaPiezaHorizontal",
                   "(40;40;-1;0;0;0;0;0(40;20;0;10;5;2;3;4()())(40;20;0;10;5;2;3;1()()))", Unir, 0,
                   "(40;40;0;10;5;2;3;5;()())"},
        RPrimitiva{"ambasGiradas",
                   "(80;20;1;0;0;0;0;0(40;20;0;5;10;-2;3;2()())(40;20;0;5;10;-2;5;2()()))", Unir, 0,
                   "(80;20;0;5;10;-2;8;2;()())"},
        RPrimitiva{"distintaCuentaAtraves",
                   "(80;20;1;0;0;0;0;0(40;20;0;10;5;2;3;4()())(40;20;0;10;5;2;3;3()()))", Unir, 0,
                   nullptr},
        RPrimitiva{"distintaCuentaHorizontal",
                   "(40;40;-1;0;0;0;0;0(40;20;0;10;5;2;3;4()())(40;20;0;10;5;2;2;4()()))", Unir, 0,
                   nullptr},
        RPrimitiva{"unaGirada",
                   "(80;20;1;0;0;0;0;0(40;20;0;10;5;2;3;2()())(40;20;0;5;10;-2;3;2()()))", Unir, 0,
                   nullptr},
        RPrimitiva{"distintasPiezas",
                   "(80;20;1;0;0;0;0;0(40;20;0;10;5;2;3;4()())(40;20;0;10;5;3;3;4()()))", Unir, 0,
                   nullptr},
        RPrimitiva{"unirConUnCorteDentro",
                   "(5;5;1;0;0;0;0;0(2;5;0;0;0;0;0;0()())(3;5;1;0;0;0;0;0(1;5;0;0;0;0;0;0()())"
                   "(2;5;0;0;0;0;0;0()())))",
                   Unir, 0, nullptr},
        RPrimitiva{"unirUnaHoja", "(5;5;0;0;0;0;0;0()())", Unir, 0, nullptr},
        RPrimitiva{"intercambiar",
                   "(100;10;1;0;0;0;0;0(30;10;0;0;0;0;0;0()())(70;10;0;0;0;0;0;0()()))",
                   Intercambiar, 0,
                   "(100;10;1;0;0;0;0;0;(70;10;0;0;0;0;0;0;()())(30;10;0;0;0;0;0;0;()()))"},
        RPrimitiva{"intercambiarUnaHoja", "(3;3;0;0;0;0;0;0()())", Intercambiar, 0, nullptr},
        // (A | (B1 | B2)) and ((A | B1) | B2) turn into each other.
        RPrimitiva{
            "ampliarUnaCadena",
            "(60;5;1;0;0;0;0;0(10;5;0;10;5;1;1;1()())(50;5;1;0;0;0;0;0(20;5;0;10;5;2;2;1()())"
            "(30;5;0;10;5;3;3;1()())))",
            Ampliar, 0,
            "(60;5;1;0;0;0;0;0;(30;5;1;0;0;0;0;0;(10;5;0;10;5;1;1;1;()())(20;5;0;10;5;2;2;1;"
            "()()))(30;5;0;10;5;3;3;1;()()))"},
        RPrimitiva{
            "reducirUnaCadena",
            "(60;5;1;0;0;0;0;0(30;5;1;0;0;0;0;0(10;5;0;10;5;1;1;1()())(20;5;0;10;5;2;2;1()()))"
            "(30;5;0;10;5;3;3;1()()))",
            Reducir, 0,
            "(60;5;1;0;0;0;0;0;(10;5;0;10;5;1;1;1;()())(50;5;1;0;0;0;0;0;(20;5;0;10;5;2;2;1;"
            "()())(30;5;0;10;5;3;3;1;()())))"},
        // The free band of the second part goes to the first.
        RPrimitiva{"ampliarTomaLaBanda",
                   "(100;10;1;0;0;0;0;0(30;10;0;0;0;0;0;0()())(70;10;0;20;10;5;2;1()()))", Ampliar,
                   0, "(100;10;1;0;0;0;0;0;(60;10;0;0;0;0;0;0;()())(40;10;0;20;10;5;2;1;()()))"},
        RPrimitiva{"ampliarSinBanda",
                   "(100;10;1;0;0;0;0;0(60;10;0;0;0;0;0;0()())(40;10;0;20;10;5;2;1()()))", Ampliar,
                   0, nullptr},
        RPrimitiva{"reducirUnaVaciaNoDaNada",
                   "(100;10;1;0;0;0;0;0(30;10;0;0;0;0;0;0()())(70;10;0;20;10;5;2;1()()))", Reducir,
                   0, nullptr},
        // The free band of the first part goes to the second, through all its subtree.
        RPrimitiva{
            "reducirPorTodoElSubarbol",
            "(40;70;-1;0;0;0;0;0(40;50;0;40;10;1;1;3()())(40;20;1;0;0;0;0;0(15;20;0;0;0;0;0;0("
            ")())(25;20;0;0;0;0;0;0()())))",
            Reducir, 0,
            "(40;70;-1;0;0;0;0;0;(40;30;0;40;10;1;1;3;()())(40;40;1;0;0;0;0;0;(15;40;0;0;0;0;"
            "0;0;()())(25;40;0;0;0;0;0;0;()())))"},
        RPrimitiva{
            "ampliarConUnCorteDeOtraDireccion",
            "(100;10;1;0;0;0;0;0(30;10;0;0;0;0;0;0()())(70;10;-1;0;0;0;0;0(70;4;0;0;0;0;0;0()"
            "())(70;6;0;0;0;0;0;0()())))",
            Ampliar, 0, nullptr},
        RPrimitiva{
            "reducirConUnCorteDeOtraDireccion",
            "(100;10;1;0;0;0;0;0(30;10;0;0;0;0;0;0()())(70;10;-1;0;0;0;0;0(70;4;0;0;0;0;0;0()"
            "())(70;6;0;0;0;0;0;0()())))",
            Reducir, 0, nullptr},
        RPrimitiva{"ampliarUnaHoja", "(3;3;0;0;0;0;0;0()())", Ampliar, 0, nullptr},
        // A change of length goes to the second part of a vertical cut and to both parts of a
        // horizontal one; a change of width the other way round.
        RPrimitiva{
            "ajustar",
            "(50;10;1;0;0;0;0;0(30;10;0;0;0;0;0;0()())(20;10;-1;0;0;0;0;0(20;4;0;0;0;0;0;0()"
            "())(20;6;0;0;0;0;0;0()())))",
            Ajustar, 20,
            "(70;12;1;0;0;0;0;0;(30;12;0;0;0;0;0;0;()())(40;12;-1;0;0;0;0;0;(40;4;0;0;0;0;0;0;"
            "()())(40;8;0;0;0;0;0;0;()())))"}),
    [](const testing::TestParamInfo<RPrimitiva>& i) { return std::string(i.param.Nombre); });

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
            const bool hecho = !(p.Barras && op == CortarH) && Aplicar(*n, std::min(op, 5), pos);
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
