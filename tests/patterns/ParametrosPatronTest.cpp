#include "PruebaPatrones.h"

#include "engine/CSolucion.h"
#include "patterns/CParametrosPatron.h"
#include "patterns/UEtiquetas.h"

#include <gtest/gtest.h>

using namespace prueba;

namespace {

class ParametrosConocidos : public testing::Test {
protected:
    CTrabajo Trabajo{OpcionesConocidas, PiezasConocidas};
    std::unique_ptr<CPatron> P = Trabajo.Patron(ArbolConocido);
    CParametrosPatron par = Construido(*P);

    static CParametrosPatron Construido(const CPatron& patron) {
        CParametrosPatron r;
        r.Construir(patron);
        return r;
    }
};

} // namespace

TEST_F(ParametrosConocidos, CortesEnPreorden) {
    par.Construir(*P); // built again: nothing adds up
    ASSERT_EQ(par.NumCortes(), 3);
    EXPECT_EQ(par.Corte(1), (RCorteParametro{603, 394}));
    EXPECT_EQ(par.Corte(2), (RCorteParametro{300, 197}));
    EXPECT_EQ(par.Corte(3), (RCorteParametro{203, 188}));
    EXPECT_EQ(par.Corte(4), RCorteParametro{});
    EXPECT_EQ(par.Corte(0), RCorteParametro{});
}

TEST_F(ParametrosConocidos, PiezasGiradasYNoGiradasJuntasYOrdenadas) {
    par.Construir(*P);
    ASSERT_EQ(par.NumPiezas(), 2);
    // Piece 2 is met first (turned and not), piece 1 later but listed first.
    EXPECT_EQ(par.PiezaPatron(1), (RPiezaPatron{1, 100, 50, 6}));
    EXPECT_EQ(par.PiezaPatron(2), (RPiezaPatron{2, 300, 200, 5}));
}

TEST_F(ParametrosConocidos, PrimeraPiezaGiradaDaLasMedidasSinGirar) {
    // The turned block comes first: its laid sizes are given back.
    auto Q = Trabajo.Patron("(1003;503;1;0;0;0;0;0;\\def"
                            "(397;503;0;203;303;-2;1;1;\\def()())"
                            "(606;503;0;303;203;2;2;2;\\def()()))");
    par = Construido(*Q);
    ASSERT_EQ(par.NumPiezas(), 1);
    EXPECT_EQ(par.PiezaPatron(1), (RPiezaPatron{2, 300, 200, 5}));
}

TEST_F(ParametrosConocidos, SemiproductosYSobrantes) {
    ASSERT_EQ(par.NumSemiproductos(), 4);
    EXPECT_EQ(par.Semiproducto(1), (RSemiproducto{0, 0, 603, 500, 300, 200, 2, 2, 2, 0, 0, 94}));
    EXPECT_EQ(par.Semiproducto(2), (RSemiproducto{606, 0, 394, 300, 200, 300, 2, 1, 1, 1, 191, 0}));
    EXPECT_EQ(par.Semiproducto(3), (RSemiproducto{606, 303, 203, 197, 100, 50, 1, 2, 3, 0, 0, 38}));
    EXPECT_EQ(par.Semiproducto(4), (RSemiproducto{812, 303, 188, 197, 0, 0, 0, 0, 0, 0, 188, 197}));
    ASSERT_EQ(par.NumSobrantes(), 1);
    EXPECT_EQ(par.Sobrante(1), (RSobranteParametro{188, 197}));
}

TEST_F(ParametrosConocidos, MuchasPiezasDistintasCrecenYQuedanOrdenadas) {
    // Thirteen piece kinds laid in reverse order force growth past the first 10 slots.
    std::vector<std::string> piezas;
    for (int i = 1; i <= 13; ++i) {
        piezas.push_back(std::to_string(10 + i) + ";10;1;;;1;");
    }
    CTrabajo t({}, piezas, {"10000;100;1;;;1;"});
    std::string arbol;
    std::string cierre;
    int resto = 13 * 30;
    for (int i = 13; i >= 2; --i) {
        arbol += "(" + std::to_string(resto) + ";100;1;0;0;0;0;0;\\def(30;100;0;" +
                 std::to_string(10 + i) + ";10;" + std::to_string(i) + ";1;1;\\def()())";
        cierre += ")";
        resto -= 30;
    }
    arbol += "(30;100;0;11;10;1;1;1;\\def()())" + cierre;
    auto Q = t.Patron(arbol);
    par = Construido(*Q);
    ASSERT_EQ(par.NumPiezas(), 13);
    for (int i = 1; i <= 13; ++i) {
        EXPECT_EQ(par.PiezaPatron(i), (RPiezaPatron{i, 10 + i, 10, 1})) << i;
    }
    EXPECT_EQ(par.NumSemiproductos(), 13);
    EXPECT_EQ(par.NumCortes(), 12);
}

TEST_F(ParametrosConocidos, LineasDeCorteConSusRotulos) {
    std::vector<RLineaCorte> lineas;
    ASSERT_EQ(LineasDeCorte(*P, lineas), 11);
    ASSERT_EQ(lineas.size(), 12u);
    // A's block fills its length: no line at x = 603 for it. B1's single turned piece has
    // free length, so it gets the line at 806, and none above (it fills the width). B21 fills
    // its length: no line at 809 besides the cut C3.
    const std::vector<RLineaCorte> esperadas = {
        {0, 0, 0, 0, ""},           {603, 0, 603, 500, "C1"},   {300, 0, 300, 403, "P2"},
        {0, 200, 603, 200, "P2"},   {0, 403, 603, 403, "P2"},   {606, 300, 1000, 300, "C2"},
        {806, 0, 806, 300, "P2"},   {809, 303, 809, 500, "C3"}, {706, 303, 706, 459, "P1"},
        {606, 353, 809, 353, "P1"}, {606, 406, 809, 406, "P1"}, {606, 459, 809, 459, "P1"},
    };
    EXPECT_EQ(lineas, esperadas);
}

TEST(TamanosSobrantes, MedidasTraspuestasSonElMismoTamano) {
    CTrabajo t({"ChequearSobrante=1", "LargoMinimoSobrante=100", "AnchoMinimoSobrante=101"},
               {"50;50;1;;;1;"}, {"1000;1000;1;;;1;"});
    // Without kerf: offcuts 300 x 200, 200 x 300, 150 x 120 and 150 x 180; 300 x 100 and
    // 50 x 300 are waste.
    auto P = t.Patron("(700;300;1;0;0;0;0;0;\\def"
                      "(300;300;-1;0;0;0;0;0;\\def(300;200;0;0;0;0;0;0;\\def()())"
                      "(300;100;0;0;0;0;0;0;\\def()()))"
                      "(400;300;1;0;0;0;0;0;\\def(200;300;0;0;0;0;0;0;\\def()())"
                      "(200;300;1;0;0;0;0;0;\\def(150;300;-1;0;0;0;0;0;\\def"
                      "(150;120;0;0;0;0;0;0;\\def()())(150;180;0;0;0;0;0;0;\\def()()))"
                      "(50;300;0;0;0;0;0;0;\\def()()))))");
    std::vector<RTamanoSobrante> tamanos;
    ASSERT_EQ(TamanosSobrantes(*P, tamanos), 3);
    ASSERT_EQ(tamanos.size(), 4u);
    EXPECT_EQ(tamanos[1], (RTamanoSobrante{300, 200, 2}));
    EXPECT_EQ(tamanos[2], (RTamanoSobrante{150, 120, 1}));
    EXPECT_EQ(tamanos[3], (RTamanoSobrante{180, 150, 1}));
}

TEST_F(ParametrosConocidos, EtiquetaDeNodoNumeraComoElDibujo) {
    CCorte& raiz = *P->Raiz();
    CCorte& b = *raiz.Hijo2();
    CCorte& b22 = *b.Hijo2()->Hijo2();
    CCorte& b1 = *b.Hijo1();
    EXPECT_EQ(EtiquetaDeNodo(*P, &raiz), "\\hcut\\hcen\\vout\\topC1");
    EXPECT_EQ(EtiquetaDeNodo(*P, b.Hijo2()), "\\hcut\\hcen\\vout\\topC3");
    EXPECT_EQ(EtiquetaDeNodo(*P, &b1), "\\vcen\\hcen P2*");
    EXPECT_EQ(EtiquetaDeNodo(*P, &b22), "\\vcen\\hcen S1");
    b22.SetEtiqueta("#OX;#OY #SL\\3#SW #C/#SP/#OFF #CW #DESC1");
    EXPECT_EQ(EtiquetaDeNodo(*P, &b22), "812;303 188;197 3/4/1 3 ");
    b1.SetEtiqueta("#DESC1 #DESC2 #PLx#PW #RXx#RY #OFFX #DIM1");
    EXPECT_EQ(EtiquetaDeNodo(*P, &b1), "Puerta Roble 200x300 1x1 191 0");
    // A node of another tree is not in the pattern.
    auto otro = CCorte::Create(10, 10, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(EtiquetaDeNodo(*P, otro.get()), "");
    EXPECT_EQ(EtiquetaDeNodo(*P, nullptr), "");
}

// Parentheses, semicolons and line breaks typed in the designer survive the pattern text and
// the job file, and expand as typed.
TEST_F(ParametrosConocidos, EtiquetaDelDisenadorSobreviveAGuardarElLanzamiento) {
    const std::string editor = "Pieza (#P); #PL\r\nfin";
    P->Raiz()->Hijo2()->Hijo1()->SetEtiqueta(EtiquetaAFormaNodo(editor));
    const std::string archivo = Trabajo.Lanzamiento().NombreArchivo();
    Trabajo.Lanzamiento().Solucion().FijarPatron(1, std::move(P));
    Trabajo.Lanzamiento().Guardar();
    CLanzamiento leido(archivo, OpcionesPorDefecto());
    ASSERT_EQ(leido.Solucion().Cantidad(), 1);
    const CPatron& Q = *leido.Solucion().Patron(1);
    EXPECT_TRUE(CCorte::Iguales(Q.Raiz(), Trabajo.Lanzamiento().Solucion().Patron(1)->Raiz()));
    const CCorte* b1 = Q.Raiz()->Hijo2()->Hijo1();
    EXPECT_EQ(EtiquetaAFormaEditor(b1->Etiqueta()), editor);
    EXPECT_EQ(EtiquetaDeNodo(Q, b1), "Pieza (2); 200\r\nfin");
}

// A chain of cuts as deep as the text reader accepts is walked by every walk here.
TEST(ArbolProfundo, SeRecorreEntero) {
    CTrabajo t({}, {"1;1;1;;;1;"}, {"5000;10;1;;;1;"});
    const int niveles = CCorte::ProfundidadMaxima - 1;
    auto P = t.Patron(CadenaDeCortes(niveles));
    ASSERT_TRUE(P->Raiz());
    CParametrosPatron par;
    par.Construir(*P);
    EXPECT_EQ(par.NumCortes(), niveles - 1);
    EXPECT_EQ(par.NumSemiproductos(), niveles);
    std::vector<RLineaCorte> lineas;
    // One line per cut and nine between the ten pieces of every leaf.
    EXPECT_EQ(LineasDeCorte(*P, lineas), niveles - 1 + 9 * (niveles - 1));
    EXPECT_EQ(EtiquetaDeNodo(*P, P->Raiz()), "\\hcut\\hcen\\vout\\topC1");
}
