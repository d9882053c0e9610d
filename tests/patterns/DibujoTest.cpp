#include "PruebaPatrones.h"

#include "document/REntorno.h"
#include "patterns/CLienzo.h"
#include "patterns/UDibujo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

using namespace prueba;

namespace {

// A surface that keeps every primitive with the pen, fill and font in force. Text is 6
// pixels per character and 10 pixels high.
struct RPrimitiva {
    enum TTipo { Rectangulo, Linea, Texto } Tipo = Rectangulo;
    RRect R;
    int X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    TColor ColorPluma = 0;
    TEstiloPluma EstiloPluma = TEstiloPluma::Solida;
    int AnchoPluma = 0;
    TColor ColorRelleno = 0;
    TEstiloRelleno EstiloRelleno = TEstiloRelleno::Solido;
    std::string Cadena;
    TAlineacion Alineacion = TAlineacion::Izquierda;
    RFuente Fuente;
};

class CLienzoGrabador : public CLienzo {
public:
    std::vector<RPrimitiva> Primitivas;

    void Pluma(TColor color, TEstiloPluma estilo, int ancho) override {
        FActual.ColorPluma = color;
        FActual.EstiloPluma = estilo;
        FActual.AnchoPluma = ancho;
    }
    void Relleno(TColor color, TEstiloRelleno estilo) override {
        FActual.ColorRelleno = color;
        FActual.EstiloRelleno = estilo;
    }
    void Fuente(const RFuente& fuente, TColor) override { FActual.Fuente = fuente; }
    void Rectangulo(const RRect& r) override { Anadir(RPrimitiva::Rectangulo, r, 0, 0, 0, 0); }
    void Linea(int x1, int y1, int x2, int y2) override {
        Anadir(RPrimitiva::Linea, {}, x1, y1, x2, y2);
    }
    void Texto(const RRect& recorte, int x, int y, TAlineacion alineacion,
               const std::string& texto) override {
        Anadir(RPrimitiva::Texto, recorte, x, y, 0, 0, texto, alineacion);
    }
    int AnchoTexto(const std::string& texto) override { return 6 * static_cast<int>(texto.size()); }
    int AltoTexto(const std::string&) override { return 10; }

    std::vector<RPrimitiva> De(RPrimitiva::TTipo tipo) const {
        std::vector<RPrimitiva> r;
        std::copy_if(Primitivas.begin(), Primitivas.end(), std::back_inserter(r),
                     [&](const RPrimitiva& p) { return p.Tipo == tipo; });
        return r;
    }
    std::vector<std::string> Textos() const {
        std::vector<std::string> r;
        for (const auto& p : De(RPrimitiva::Texto)) {
            r.push_back(p.Cadena);
        }
        return r;
    }

private:
    RPrimitiva FActual; // pen, fill and font in force

    void Anadir(RPrimitiva::TTipo tipo, const RRect& r, int x1, int y1, int x2, int y2,
                const std::string& cadena = "", TAlineacion alineacion = TAlineacion::Izquierda) {
        RPrimitiva p = FActual;
        p.Tipo = tipo;
        p.R = r;
        p.X1 = x1;
        p.Y1 = y1;
        p.X2 = x2;
        p.Y2 = y2;
        p.Cadena = cadena;
        p.Alineacion = alineacion;
        Primitivas.push_back(p);
    }
};

const REntorno EntornoPrueba = REntorno::PorDefecto(1920, 1080, "");
const RColoresDibujo Pantalla = ColoresDeModo(EntornoPrueba, ModoDibujo::Pantalla);
constexpr TColor AzulPuro = ColorRGB(0, 0, 255);

bool Contiene(const std::vector<RPrimitiva>& lista, const RRect& r) {
    return std::any_of(lista.begin(), lista.end(), [&](const RPrimitiva& p) { return p.R == r; });
}

bool Dentro(const RRect& r, const RRect& limite) {
    return r.Left >= limite.Left && r.Right <= limite.Right && r.Top >= limite.Top &&
           r.Bottom <= limite.Bottom;
}

std::vector<RPrimitiva> RellenosSobrante(const CLienzoGrabador& g) {
    std::vector<RPrimitiva> r;
    for (const auto& p : g.De(RPrimitiva::Rectangulo)) {
        if (p.EstiloRelleno == static_cast<TEstiloRelleno>(EntornoPrueba.RellenoSobrante) &&
            p.EstiloPluma == TEstiloPluma::Ninguna) {
            r.push_back(p);
        }
    }
    return r;
}

std::vector<RPrimitiva> LineasPunteadas(const CLienzoGrabador& g) {
    std::vector<RPrimitiva> r;
    for (const auto& p : g.De(RPrimitiva::Linea)) {
        if (p.EstiloPluma == TEstiloPluma::Punteada) {
            r.push_back(p);
        }
    }
    return r;
}

CLienzoGrabador Grabar(CPatron& P, const RRect& ajuste, int modo, const RRect& recorte) {
    CLienzoGrabador g;
    Dibujar(P, g, ajuste, modo, recorte, EntornoPrueba);
    return g;
}

const std::vector<std::string> ConCorte = {"AnchoCorte=3", "ChequearAnchoCorte=1"};

} // namespace

TEST(Dibujo, ColoresDeLaMiniatura) {
    REntorno e = EntornoPrueba;
    for (int c = 0; c <= 2; ++c) {
        e.ColoresMiniatura = static_cast<std::uint8_t>(c);
        const RColoresDibujo m = ColoresDeModo(e, ModoDibujo::Miniatura);
        EXPECT_EQ(m.CortesSemiproductos, c == 0 ? ColorRGB(0, 0, 0) : c == 1 ? AzulPuro : 0u);
        EXPECT_EQ(m.Fondo, c == 1 ? ColorRGB(0, 0, 0) : ColorRGB(255, 255, 255));
    }
}

TEST(Dibujo, VistaAjustadaCentradaYFranjasDeCorte) {
    CTrabajo t(ConCorte, {"100;100;1;;;1;"});
    // Net 1000 x 500: vertical cut at gross 503, the right part cut across at gross 203.
    auto P = t.Patron("(1003;503;1;0;0;0;0;0;\\def(503;503;0;0;0;0;0;0;\\def()())"
                      "(500;503;-1;0;0;0;0;0;\\def(500;203;0;0;0;0;0;0;\\def()())"
                      "(500;300;0;0;0;0;0;0;\\def()())))");
    // Twice the size, centred in a wider rectangle: DX(x) = 2x + 500, DY(y) = 1000 - 2y.
    const auto g =
        Grabar(*P, RRect{0, 0, 3000, 1000}, ModoDibujo::Pantalla, RRect{0, 0, 3000, 1000});
    EXPECT_EQ(P->RectVista(), (RRect{500, 0, 2500, 1000}));
    EXPECT_EQ(P->LargoTotalDibujo(), 1000);
    EXPECT_EQ(P->AnchoTotalDibujo(), 500);
    EXPECT_EQ(P->Modo(), ModoDibujo::Pantalla);
    EXPECT_EQ(P->Lienzo(), &g);

    std::vector<RPrimitiva> franjas;
    for (const auto& p : g.De(RPrimitiva::Rectangulo)) {
        if (p.ColorRelleno == AzulPuro && p.EstiloRelleno == TEstiloRelleno::Solido &&
            p.EstiloPluma == TEstiloPluma::Solida) {
            franjas.push_back(p);
        }
    }
    ASSERT_EQ(franjas.size(), 2u);
    // The kerf of each cut lies at the end of its first part.
    EXPECT_EQ(franjas[0].R, (RRect{1500, 0, 1506, 1000}));
    EXPECT_EQ(franjas[1].R, (RRect{1506, 594, 2500, 600}));
    EXPECT_EQ(franjas[0].AnchoPluma, 2);

    // Every node records where it was drawn.
    EXPECT_EQ(P->Raiz()->Marco(), (RRect{500, 0, 2500, 1000}));
    EXPECT_EQ(P->Raiz()->Hijo1()->Marco(), (RRect{500, 0, 1500, 1000}));
    EXPECT_EQ(P->Raiz()->Hijo2()->Hijo1()->Marco(), (RRect{1506, 600, 2500, 1000}));
    EXPECT_EQ(P->Raiz()->Hijo2()->Hijo2()->Marco(), (RRect{1506, 0, 2500, 594}));

    // Without kerf the strip is a line.
    CTrabajo sin({}, {"100;100;1;;;1;"});
    auto Q = sin.Patron("(1000;500;1;0;0;0;0;0;\\def(400;500;0;0;0;0;0;0;\\def()())"
                        "(600;500;0;0;0;0;0;0;\\def()()))");
    const auto l = Grabar(*Q, RRect{0, 0, 1000, 500}, ModoDibujo::Papel, RRect{0, 0, 1000, 500});
    EXPECT_TRUE(Contiene(l.De(RPrimitiva::Rectangulo), RRect{400, 0, 400, 500}));
}

struct CasoBloque {
    const char* Nombre;
    bool ConKerf;
    std::string Arbol;
    std::vector<int> XLineas;  // device x of the vertical dotted lines
    std::vector<int> YLineas;  // device y of the horizontal dotted lines
    std::vector<RRect> Bandas; // free bands filled
};

class BloqueTest : public testing::TestWithParam<CasoBloque> {};

TEST_P(BloqueTest, LineasEntrePiezasYBandasLibres) {
    const CasoBloque& c = GetParam();
    CTrabajo t(c.ConKerf ? ConCorte : std::vector<std::string>{}, {"100;100;1;;;1;"});
    auto P = t.Patron(c.Arbol);
    const RRect vista{0, 0, P->LargoTotal(), P->AnchoTotal()};
    const auto g = Grabar(*P, vista, ModoDibujo::Pantalla, vista);
    std::vector<int> xs;
    std::vector<int> ys;
    for (const auto& l : LineasPunteadas(g)) {
        EXPECT_EQ(l.ColorPluma, Pantalla.CortesPiezas);
        EXPECT_EQ(l.AnchoPluma, 1);
        EXPECT_TRUE(l.X1 == l.X2 || l.Y1 == l.Y2);
        (l.X1 == l.X2 ? xs : ys).push_back(l.X1 == l.X2 ? l.X1 : l.Y1);
    }
    EXPECT_EQ(xs, c.XLineas);
    EXPECT_EQ(ys, c.YLineas);
    std::vector<RRect> bandas;
    for (const auto& b : RellenosSobrante(g)) {
        EXPECT_EQ(b.ColorRelleno, Pantalla.RellenoSobrante);
        bandas.push_back(b.R);
    }
    EXPECT_EQ(bandas, c.Bandas);
}

INSTANTIATE_TEST_SUITE_P(
    Bloques, BloqueTest,
    testing::Values(
        // 3 x 2 pieces of gross 302 x 203 fill a 906 x 406 leaf exactly: no line on the far
        // edges, no free band; two lines bound every kerf. DY(y) = 403 - y.
        CasoBloque{"LlenoConCorte",
                   true,
                   "(906;406;0;302;203;1;3;2()())",
                   {299, 302, 601, 604},
                   {203, 200},
                   {}},
        // Without kerf one line per separation.
        CasoBloque{"LlenoSinCorte", false, "(900;400;0;300;200;1;3;2()())", {300, 600}, {200}, {}},
        // 2 x 1 of 303 x 203 in 1003 x 503: lines at the block's edges, then the bands
        // beside (from 606) and above (from DY(203) = 297), shrunk by the line width 2.
        CasoBloque{"ConBandas",
                   true,
                   "(1003;503;0;303;203;1;2;1()())",
                   {300, 303, 603, 606},
                   {300, 297},
                   {RRect{608, 2, 998, 498}, RRect{2, 2, 998, 295}}},
        CasoBloque{
            "HojaVacia", true, "(1003;503;0;0;0;0;0;0()())", {}, {}, {RRect{2, 2, 998, 498}}}),
    [](const testing::TestParamInfo<CasoBloque>& info) { return std::string(info.param.Nombre); });

// A block of 131072 pieces along a 1000-pixel view: every visible pixel column gets its one
// line, no column two, and nothing outside the clip is walked or drawn.
TEST(Dibujo, BloqueEnormeUnaLineaPorPixelVisible) {
    CTrabajo t({}, {"1;1;1;;;1;"});
    auto P = t.Patron("(131072;64;0;1;64;1;131072;1()())");
    for (const RRect recorte : {RRect{0, 0, 1000, 500}, RRect{200, 0, 450, 500}}) {
        const auto g = Grabar(*P, RRect{0, 0, 1000, 500}, ModoDibujo::Pantalla, recorte);
        std::vector<int> xs;
        for (const auto& l : LineasPunteadas(g)) {
            xs.push_back(l.X1);
        }
        const auto ancho = static_cast<std::size_t>(recorte.Right - recorte.Left);
        EXPECT_LE(xs.size(), ancho + 1);
        EXPECT_GE(xs.size(), ancho - 1);
        EXPECT_TRUE(std::adjacent_find(xs.begin(), xs.end()) == xs.end());
    }
}

TEST(Dibujo, MargenesRellenosYContorno) {
    CTrabajo t(
        {"ChequearMargenes=1", "MargenIzq=10", "MargenDer=20", "MargenSup=30", "MargenInf=40"},
        {"100;100;1;;;1;"}, {"1000;500;1;;;1;"});
    auto P = CPatron::Create(1, 1, &t.Lanzamiento());
    P->CrearRaiz(1000, 500);
    ASSERT_EQ(P->LargoTotal(), 1000);
    ASSERT_EQ(P->AnchoTotal(), 500);
    const auto g = Grabar(*P, RRect{0, 0, 1000, 500}, ModoDibujo::Pantalla, RRect{0, 0, 1000, 500});
    const auto bandas = RellenosSobrante(g);
    // Left, right, bottom and top margins, then the free root leaf.
    ASSERT_EQ(bandas.size(), 5u);
    EXPECT_EQ(bandas[0].R, (RRect{0, 0, 10, 500}));
    EXPECT_EQ(bandas[1].R, (RRect{980, 0, 1000, 500}));
    EXPECT_EQ(bandas[2].R, (RRect{0, 460, 1000, 500}));
    EXPECT_EQ(bandas[3].R, (RRect{0, 0, 1000, 30}));
    EXPECT_EQ(bandas[4].R, (RRect{12, 32, 978, 458}));
    // The outline comes after the bands, with a hollow fill.
    bool contorno = false;
    for (const auto& p : g.De(RPrimitiva::Rectangulo)) {
        if (p.R == RRect{0, 0, 1000, 500} && p.EstiloRelleno == TEstiloRelleno::Hueco &&
            p.EstiloPluma == TEstiloPluma::Solida) {
            contorno = true;
        }
    }
    EXPECT_TRUE(contorno);
    EXPECT_EQ(P->Raiz()->Marco(), (RRect{10, 30, 980, 460}));
}

TEST(Dibujo, MarcoRecortadoALoVisibleYNadaFuera) {
    CTrabajo t(OpcionesConocidas, PiezasConocidas);
    auto P = t.Patron(ArbolConocido);
    CLienzoGrabador g;
    const RRect visible{100, 100, 400, 300};
    Dibujar(*P, g, RRect{0, 0, 1000, 500}, ModoDibujo::Pantalla, visible, EntornoPrueba);
    EXPECT_EQ(P->RectDestino(), visible);
    // A (0..603 x 0..500 on the device) is cut to the visible part.
    EXPECT_EQ(P->Raiz()->Hijo1()->Marco(), (RRect{100, 100, 400, 300}));
    // B22 lies wholly right of the visible part: its frame holds no point.
    const RRect& fuera = P->Raiz()->Hijo2()->Hijo2()->Hijo2()->Marco();
    EXPECT_TRUE(fuera.Left >= fuera.Right || fuera.Top >= fuera.Bottom);
    for (const auto& p : g.Primitivas) {
        if (p.Tipo == RPrimitiva::Linea) {
            EXPECT_TRUE(Dentro(RRect{std::min(p.X1, p.X2), std::min(p.Y1, p.Y2),
                                     std::max(p.X1, p.X2), std::max(p.Y1, p.Y2)},
                               visible));
        } else {
            EXPECT_TRUE(Dentro(p.R, visible))
                << p.R.Left << "," << p.R.Top << "," << p.R.Right << "," << p.R.Bottom;
        }
    }
}

TEST(Dibujo, EtiquetasPorDefectoNumeradasYSoloDentroDelDestino) {
    CTrabajo t(OpcionesConocidas, PiezasConocidas);
    auto P = t.Patron(ArbolConocido);
    // Room around the material for the labels outside their nodes.
    const auto g =
        Grabar(*P, RRect{50, 50, 1050, 550}, ModoDibujo::Pantalla, RRect{0, 0, 1100, 600});
    EXPECT_EQ(g.Textos(), (std::vector<std::string>{"C1", "P2", "C2", "P2*", "C3", "P1", "S1"}));
    for (const auto& p : g.De(RPrimitiva::Texto)) {
        EXPECT_EQ(p.Fuente, RFuente{});
    }
    // C1 stands above the material (its outside rectangle grown by the line width 2),
    // centred on the kerf strip (device x 653..656, grown to 651..658).
    const RPrimitiva c1 = g.De(RPrimitiva::Texto)[0];
    EXPECT_EQ(c1.Alineacion, TAlineacion::Centro);
    EXPECT_EQ(c1.Y1, 50 - 2 - 10);
    EXPECT_EQ(c1.X1, (651 + 658) / 2);
    // C2 stands right of B, centred on the horizontal strip DY(303)..DY(300).
    const RPrimitiva c2 = g.De(RPrimitiva::Texto)[2];
    EXPECT_EQ(c2.Alineacion, TAlineacion::Izquierda);
    EXPECT_EQ(c2.X1, 1050 + 2 + 2);
    EXPECT_EQ(c2.Y1, (247 - 2 + 250 + 2 - 10) / 2);
    // With the material filling the destination, C1 and C3 (above the material) and C2
    // (right of it) fall outside and are not drawn.
    const auto lleno =
        Grabar(*P, RRect{0, 0, 1000, 500}, ModoDibujo::Pantalla, RRect{0, 0, 1000, 500});
    EXPECT_EQ(lleno.Textos(), (std::vector<std::string>{"P2", "P2*", "P1", "S1"}));
}

TEST(Dibujo, InterruptoresDeEtiquetas) {
    CTrabajo t({"EtiCorte=0", "EtiSobrante=0", "ChequearSobrante=1"}, PiezasConocidas);
    auto P = t.Patron(ArbolConocido);
    const auto g = Grabar(*P, RRect{50, 50, 1050, 550}, ModoDibujo::Papel, RRect{0, 0, 1100, 600});
    EXPECT_EQ(g.Textos(), (std::vector<std::string>{"P2", "P2*", "P1"}));
    // An empty common format draws no label at all.
    CTrabajo vacio({"FormatoEti="}, {"100;100;1;;;1;"});
    auto Q = vacio.Patron("(600;400;0;100;100;1;6;4;\\def()())");
    EXPECT_TRUE(Grabar(*Q, RRect{0, 0, 600, 400}, ModoDibujo::Pantalla, RRect{0, 0, 600, 400})
                    .De(RPrimitiva::Texto)
                    .empty());
}

struct CasoEtiqueta {
    const char* Nombre;
    std::string Etiqueta;
    std::string Lineas; // "texto@x,y" for each line drawn, in order
    TAlineacion Alineacion;
    RRect Recorte;
    RFuente Fuente;
};

const std::string x150(150, 'x');

class ColocarEtiquetaTest : public testing::TestWithParam<CasoEtiqueta> {};

// One 600 x 400 leaf drawn at (100, 100)-(700, 500) in a 800 x 600 destination; line width 2,
// so the inside rectangle is (102, 102)-(698, 498).
TEST_P(ColocarEtiquetaTest, LugarAlineacionYOrdenDeLineas) {
    const CasoEtiqueta& c = GetParam();
    CTrabajo t({}, {"100;100;1;;;1;"});
    auto P = t.Patron("(600;400;0;0;0;0;0;0;\\def()())");
    P->Raiz()->SetEtiqueta(c.Etiqueta);
    const auto g = Grabar(*P, RRect{100, 100, 700, 500}, ModoDibujo::Pantalla, {0, 0, 800, 600});
    std::string lineas;
    for (const auto& p : g.De(RPrimitiva::Texto)) {
        lineas += (lineas.empty() ? "" : " ") + (p.Cadena == x150 ? "x150" : p.Cadena) + "@" +
                  std::to_string(p.X1) + "," + std::to_string(p.Y1);
        EXPECT_EQ(p.Alineacion, c.Alineacion);
        EXPECT_EQ(p.R, c.Recorte);
        EXPECT_EQ(p.Fuente, c.Fuente);
    }
    EXPECT_EQ(lineas, c.Lineas);
}

INSTANTIATE_TEST_SUITE_P(
    Colocacion, ColocarEtiquetaTest,
    testing::Values(
        // Defaults: top left inside, lines downwards, blanks and empty lines dropped.
        CasoEtiqueta{"PorDefecto", "  uno \\n\\n dos", "uno@104,102 dos@104,112",
                     TAlineacion::Izquierda, RRect{104, 102, 122, 122}, RFuente{}},
        // Bottom inside: stacked upwards from the inside bottom edge.
        CasoEtiqueta{"AbajoDerecha", "\\bot\\rig uno\\ndos", "dos@697,488 uno@697,478",
                     TAlineacion::Derecha, RRect{679, 478, 697, 498}, RFuente{}},
        // Above the node (outside), centred: stacked upwards from the node's top.
        CasoEtiqueta{"ArribaFueraCentrado", "\\top\\vout\\hcen ab\\ncdef", "cdef@400,88 ab@400,78",
                     TAlineacion::Centro, RRect{388, 78, 412, 98}, RFuente{}},
        // Left of the node, right-aligned against it; font block applied.
        CasoEtiqueta{"IzquierdaFuera", "\\vcen\\lef\\hout\\fontCourier,12,bold\\endfont xy",
                     "xy@96,295", TAlineacion::Derecha, RRect{84, 295, 96, 305},
                     RFuente{"Courier", 12, true, false}},
        // Clipping keeps a long centred text inside the node.
        CasoEtiqueta{"RecortadoDentro", "\\vcen\\hcen" + x150, "x150@400,295", TAlineacion::Centro,
                     RRect{102, 295, 698, 305}, RFuente{}},
        CasoEtiqueta{"SinRecorte", "\\clipoff\\vcen\\hcen" + x150, "x150@400,295",
                     TAlineacion::Centro, RRect{0, 295, 800, 305}, RFuente{}}),
    [](const testing::TestParamInfo<CasoEtiqueta>& info) {
        return std::string(info.param.Nombre);
    });

TEST(Dibujo, BarraComoFranjaDeAnchoProporcional) {
    CTrabajo t({"Barras=1", "AnchoCorte=2", "ChequearAnchoCorte=1"}, {"600;;3;;;1;"},
               {"6000;;4;;;1;"});
    auto P = t.Patron("(6002;1;1;0;0;0;0;0;\\def(1806;1;0;602;1;1;3;1;\\def()())"
                      "(4196;1;0;0;0;0;0;0;\\def()()))");
    const auto g = Grabar(*P, RRect{0, 0, 600, 600}, ModoDibujo::Pantalla, RRect{0, 0, 600, 600});
    // 6000 long, drawn 600 high (0.1 of the length), fitted at a tenth: 600 x 60, centred.
    EXPECT_EQ(P->AnchoTotalDibujo(), 600);
    EXPECT_EQ(P->RectVista(), (RRect{0, 270, 600, 330}));
    // The cut strip and the pieces' lines span the whole strip height.
    EXPECT_TRUE(Contiene(g.De(RPrimitiva::Rectangulo), RRect{180, 270, 181, 330}));
    const auto lineas = LineasPunteadas(g);
    ASSERT_EQ(lineas.size(), 4u); // two pieces' separations, each bounded on both sides
    for (const auto& l : lineas) {
        EXPECT_EQ(l.X1, l.X2);
        EXPECT_EQ(std::max(l.Y1, l.Y2), 329);
        EXPECT_EQ(std::min(l.Y1, l.Y2), 271);
    }
    EXPECT_EQ(P->Raiz()->Hijo2()->Marco(), (RRect{181, 270, 600, 330}));
}

TEST(Dibujo, MiniaturaSinHojasNiEtiquetas) {
    CTrabajo t(OpcionesConocidas, PiezasConocidas);
    auto P = t.Patron(ArbolConocido);
    const auto g =
        Grabar(*P, RRect{0, 0, 1000, 500}, ModoDibujo::Miniatura, RRect{0, 0, 1000, 500});
    EXPECT_TRUE(g.De(RPrimitiva::Texto).empty());
    EXPECT_TRUE(g.De(RPrimitiva::Linea).empty());
    // The material (filled, then outlined) and the three cut strips, all black, pen 1.
    const auto rects = g.De(RPrimitiva::Rectangulo);
    ASSERT_EQ(rects.size(), 5u);
    for (std::size_t i = 2; i < rects.size(); ++i) {
        EXPECT_EQ(rects[i].ColorRelleno, ColorRGB(0, 0, 0));
        EXPECT_EQ(rects[i].EstiloRelleno, TEstiloRelleno::Solido);
        EXPECT_EQ(rects[i].AnchoPluma, 1);
    }
    EXPECT_EQ(rects[0].ColorRelleno, ColorRGB(255, 255, 255));
    // Hit-testing still works on thumbnails' leaves.
    EXPECT_EQ(P->Raiz()->Hijo1()->Marco(), (RRect{0, 0, 603, 500}));
}

TEST(Dibujo, PatronSinArbolOSinMedidaNoDibuja) {
    CTrabajo t({}, {"100;100;1;;;1;"});
    auto P = CPatron::Create(1, 1, &t.Lanzamiento());
    const auto g = Grabar(*P, RRect{0, 0, 100, 100}, ModoDibujo::Pantalla, RRect{0, 0, 100, 100});
    EXPECT_TRUE(g.Primitivas.empty());
    // A squeezed destination draws nothing wrong either.
    auto Q = t.Patron("(1000;500;1;0;0;0;0;0;\\def(400;500;0;100;100;1;4;5;\\def()())"
                      "(600;500;0;0;0;0;0;0;\\def()()))");
    for (const auto& p : Grabar(*Q, {}, ModoDibujo::Pantalla, {}).De(RPrimitiva::Rectangulo)) {
        EXPECT_EQ(p.R, (RRect{0, 0, 0, 0}));
    }
}

TEST(Dibujo, ArbolTanProfundoComoSeLee) {
    CTrabajo t({}, {"1;1;1;;;1;"}, {"5000;10;1;;;1;"});
    const int niveles = CCorte::ProfundidadMaxima - 1;
    auto P = t.Patron(CadenaDeCortes(niveles));
    ASSERT_TRUE(P->Raiz());
    // Room above the material for the cuts' labels.
    const auto g =
        Grabar(*P, RRect{0, 0, 20000, 100}, ModoDibujo::Papel, RRect{0, -50, 20000, 200});
    EXPECT_EQ(g.Textos().size(), static_cast<std::size_t>(2 * niveles - 2));
    const CCorte* n = P->Raiz();
    while (n->Hijo2()) {
        n = n->Hijo2();
    }
    // 1999 units fitted into 19990 pixels, centred: the last unit is the last leaf.
    EXPECT_EQ(n->Marco(), (RRect{19985, 0, 19995, 100}));
}

// Labels made of random words: whatever they say, no text leaves the destination and no
// empty block is drawn.
TEST(Dibujo, EtiquetasAlAzarQuedanDentroDelDestino) {
    const std::vector<std::string> palabras = {
        "\\top",  "\\bot",   "\\vcen", "\\lef",     "\\rig",      "\\hcen",   "\\vin",
        "\\vout", "\\vcut",  "\\hin",  "\\hout",    "\\hcut",     "\\clipon", "\\clipoff",
        "\\n",    "\\font",  ",",      "\\endfont", "Courier,30", "\\if",     "\\then",
        "\\else", "\\endif", "#P",     "=",         "1",          " ",        "texto largo"};
    CTrabajo t(OpcionesConocidas, PiezasConocidas);
    auto P = t.Patron(ArbolConocido);
    std::vector<CCorte*> nodos = {P->Raiz(),
                                  P->Raiz()->Hijo1(),
                                  P->Raiz()->Hijo2(),
                                  P->Raiz()->Hijo2()->Hijo1(),
                                  P->Raiz()->Hijo2()->Hijo2(),
                                  P->Raiz()->Hijo2()->Hijo2()->Hijo1(),
                                  P->Raiz()->Hijo2()->Hijo2()->Hijo2()};
    std::mt19937 azar(3);
    const RRect destino{20, 10, 900, 480};
    for (int prueba = 0; prueba < 200; ++prueba) {
        for (CCorte* n : nodos) {
            std::string etiqueta;
            const int k = static_cast<int>(azar() % 12);
            for (int i = 0; i < k; ++i) {
                etiqueta += palabras[azar() % palabras.size()];
            }
            n->SetEtiqueta(etiqueta);
        }
        CLienzoGrabador g;
        Dibujar(*P, g, RRect{0, 0, 1000, 500}, ModoDibujo::Pantalla, destino, EntornoPrueba);
        for (const auto& p : g.De(RPrimitiva::Texto)) {
            EXPECT_TRUE(Dentro(p.R, destino));
            EXPECT_LT(p.R.Left, p.R.Right);
            EXPECT_LT(p.R.Top, p.R.Bottom);
        }
    }
}

TEST(Recortes, LineasYRectangulos) {
    int x1 = -10, y1 = 5, x2 = 50, y2 = 5;
    EXPECT_TRUE(RecortarLinea(x1, y1, x2, y2, RRect{0, 0, 20, 20}));
    EXPECT_EQ(x1, 0);
    EXPECT_EQ(x2, 20);
    x1 = 30;
    y1 = 0;
    x2 = 30;
    y2 = 10;
    EXPECT_FALSE(RecortarLinea(x1, y1, x2, y2, RRect{0, 0, 20, 20}));
    RRect r;
    EXPECT_TRUE(RecortarRectangulo(RRect{5, -5, 5, 50}, RRect{0, 0, 20, 20}, r));
    EXPECT_EQ(r, (RRect{5, 0, 5, 20}));
    EXPECT_FALSE(RecortarRectangulo(RRect{25, 0, 30, 5}, RRect{0, 0, 20, 20}, r));
}
