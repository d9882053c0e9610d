// The job window's editing rules on a real job file: what the grids hold after each command,
// which questions were asked, and what the job keeps.

#include "document/CEdicionLanzamiento.h"
#include "document/CLanzamiento.h"
#include "document/UExcepciones.h"
#include "document/UGlobals.h"
#include "document/UTextos.h"
#include "engine/CSolucion.h"
#include "patterns/CPatron.h"
#include "support/RutasPrueba.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <filesystem>
#include <fstream>
#include <random>

namespace {

// A job window's rules on a copy of tests/data/con-patrones.lan (2 pieces, 2 materials and a
// solution), answering questions from a queue and recording them.
struct Edicion {
    rutas::CCarpetaTemporal carpeta;
    std::unique_ptr<CEdicionLanzamiento> e;
    std::deque<int> respuestas;
    std::vector<std::string> preguntas;

    explicit Edicion(const std::string& origen = "con-patrones.lan",
                     const std::string& nombre = "trabajo.lan") {
        const auto ruta = carpeta / nombre;
        std::filesystem::copy_file(rutas::DatosPrueba(origen), ruta);
        e = std::make_unique<CEdicionLanzamiento>(
            std::make_unique<CLanzamiento>(ruta.string(), ROpciones{}));
        e->FijarPreguntar([this](const std::string& t, int defecto, bool) {
            preguntas.push_back(t);
            if (respuestas.empty()) {
                return defecto;
            }
            const int r = respuestas.front();
            respuestas.pop_front();
            return r;
        });
        e->LeerDelLanzamiento();
    }
    CGrilla& P() { return e->Grilla(TGrilla::Piezas); }
    CLanzamiento& job() { return e->Lanzamiento(); }
};

} // namespace

TEST(EdicionLanzamiento, AbreConLasGrillasYLosTotales) {
    Edicion t;
    EXPECT_EQ(t.P().Filas(), 3);
    EXPECT_EQ(t.P().Celda(1, 1), "600");
    EXPECT_EQ(t.P().Celda(2, 4), "Estante");
    const CGrilla& r = t.e->Resultados();
    const int n = t.e->PatronesMostrados();
    ASSERT_GT(n, 0);
    EXPECT_EQ(r.Filas(), n + 4);
    EXPECT_EQ(r.Celda(n + 2, 0), Textos::TotalReal);
    EXPECT_EQ(r.Celda(n + 3, 0), Textos::AprovPorPieza);
    EXPECT_EQ(r.Columnas(), 7 + 2);
    EXPECT_TRUE(t.job().Guardado());
    // The totals rows, computed in one pass, agree with the solution's per-piece figures.
    const CSolucion& s = t.job().Solucion();
    for (int i = 1; i <= 2; ++i) {
        EXPECT_EQ(r.Celda(n + 2, 6 + i), std::to_string(s.ProduccionPieza(i)));
        char texto[32];
        std::snprintf(texto, sizeof texto, "%.2f", Porcentaje(s.AprovechamientoPieza(i), 2));
        EXPECT_EQ(r.Celda(n + 3, 6 + i), texto);
    }
}

TEST(EdicionLanzamiento, EscribirEnVariasCeldasLasLlenaTodasNormalizadas) {
    Edicion t;
    t.e->Adicionar(TGrilla::Piezas);
    // Rows 2 and 3; row 3 is new, row 2 exists: the reset question comes once.
    t.respuestas = {Respuesta::Si};
    ASSERT_TRUE(t.e->AsignarSeleccion(TGrilla::Piezas, {1, 1, 1, 3}, " 2500 "));
    for (int f = 1; f <= 3; ++f) {
        EXPECT_EQ(t.P().Celda(f, 1), "2500");
    }
    EXPECT_EQ(t.preguntas.size(), 1u);
    EXPECT_EQ(t.job().Solucion().Cantidad(), 0);
    EXPECT_FALSE(t.job().Guardado());
}

struct CasoCelda {
    int col;
    std::string texto;
    std::string esperado; // "!" when refused
    std::string mensaje;
};

class ReglaCelda : public ::testing::TestWithParam<CasoCelda> {};

TEST_P(ReglaCelda, ValorGuardadoORechazado) {
    Edicion t;
    const int fila = t.e->Adicionar(TGrilla::Piezas); // a new row: no reset question
    const CasoCelda& c = GetParam();
    if (c.esperado == "!") {
        const std::string mensaje = rutas::MensajeDe<EConversion>(
            [&] { t.e->AsignarCelda(TGrilla::Piezas, fila, c.col, c.texto); });
        EXPECT_NE(mensaje, "(sin error)") << c.texto;
        if (!c.mensaje.empty()) {
            EXPECT_EQ(mensaje, c.mensaje);
        }
        EXPECT_EQ(t.P().Celda(fila, c.col), "");
    } else {
        t.e->AsignarCelda(TGrilla::Piezas, fila, c.col, c.texto);
        EXPECT_EQ(t.P().Celda(fila, c.col), c.esperado);
    }
    EXPECT_TRUE(t.preguntas.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Casos, ReglaCelda,
    ::testing::Values(CasoCelda{1, "0", "", ""}, CasoCelda{2, "0120", "120", ""},
                      CasoCelda{3, "65535", "65535", ""},
                      CasoCelda{3, "65536", "!", "El valor excede el máximo permitido (65535)"},
                      CasoCelda{3, "1.5", "!", "'1.5' no es un valor entero válido"},
                      CasoCelda{3, "-1", "!", "El valor no puede ser negativo"},
                      CasoCelda{1, "abc", "!", ""}, CasoCelda{4, " Cajón; 2 ", "Cajón; 2", ""}));

TEST(EdicionLanzamiento, CambiarUnLargoConSolucionPreguntaYNoLoDeja) {
    Edicion t;
    t.respuestas = {Respuesta::No};
    EXPECT_FALSE(t.e->AsignarCelda(TGrilla::Piezas, 2, 1, "310"));
    ASSERT_EQ(t.preguntas.size(), 1u);
    EXPECT_EQ(t.preguntas[0], Textos::ReinicializarSolucion);
    EXPECT_EQ(t.P().Celda(2, 1), "300");
    EXPECT_GT(t.job().Solucion().Cantidad(), 0);
    EXPECT_TRUE(t.job().Guardado());
    // The same value again is no change: no question.
    EXPECT_TRUE(t.e->AsignarCelda(TGrilla::Piezas, 2, 1, "300"));
    EXPECT_EQ(t.preguntas.size(), 1u);
    // Descriptions never ask.
    EXPECT_TRUE(t.e->AsignarCelda(TGrilla::Piezas, 2, 4, "Balda"));
    EXPECT_EQ(t.preguntas.size(), 1u);
}

TEST(EdicionLanzamiento, ActAlternaEntreCeroYUno) {
    Edicion t;
    const int f = t.e->Adicionar(TGrilla::Piezas);
    t.e->AlternarAct(TGrilla::Piezas, f); // empty -> "0"
    EXPECT_EQ(t.P().Celda(f, 6), "0");
    t.e->AlternarAct(TGrilla::Piezas, f);
    EXPECT_EQ(t.P().Celda(f, 6), "1");
    t.P().AsignarCelda(f, 6, "x");
    t.e->AlternarAct(TGrilla::Piezas, f);
    EXPECT_EQ(t.P().Celda(f, 6), "0");
}

TEST(EdicionLanzamiento, EliminarParcialVaciaYFilasCompletasQuitan) {
    Edicion t;
    // Whole rows with a solution ask first; "no" changes nothing.
    t.respuestas = {Respuesta::No};
    EXPECT_EQ(t.e->Eliminar(TGrilla::Piezas, {1, 1, 6, 2}), 0);
    EXPECT_EQ(t.P().Filas(), 3);
    EXPECT_TRUE(t.job().Guardado());
    t.preguntas.clear();
    EXPECT_EQ(t.e->Eliminar(TGrilla::Piezas, {4, 1, 5, 2}), 1);
    EXPECT_EQ(t.P().Celda(1, 4), "");
    EXPECT_EQ(t.P().Celda(2, 5), "");
    EXPECT_EQ(t.P().Celda(1, 1), "600");
    EXPECT_TRUE(t.preguntas.empty());
    EXPECT_EQ(t.P().Filas(), 3);

    t.respuestas = {Respuesta::Si};
    EXPECT_EQ(t.e->Eliminar(TGrilla::Piezas, {1, 1, 6, 1}), 1);
    EXPECT_EQ(t.P().Filas(), 2);
    EXPECT_EQ(t.P().Celda(1, 0), "1");
    EXPECT_EQ(t.P().Celda(1, 1), "300");
    // The only row left: deleting it leaves one empty row numbered 1.
    t.e->Eliminar(TGrilla::Piezas, {1, 1, 6, 1});
    EXPECT_EQ(t.P().Filas(), 2);
    EXPECT_EQ(t.P().Celda(1, 0), "1");
    EXPECT_EQ(t.P().Celda(1, 1), "");
}

TEST(EdicionLanzamiento, CopiarYPegarUnBloqueDeTresFilasEnLaUltimaAnadeDos) {
    Edicion t;
    const std::string texto = t.e->Copiar(TGrilla::Piezas, {4, 1, 5, 2});
    EXPECT_EQ(texto, "%Data%,4,1,5,2,Puerta,Roble,Estante,,");
    const std::string tres = "%Data%,4,1,4,3,a,b,c,";
    const RSeleccion s = t.e->Pegar(TGrilla::Piezas, 2, 4, tres);
    EXPECT_EQ(s, (RSeleccion{4, 2, 4, 4}));
    EXPECT_EQ(t.P().Filas(), 5);
    EXPECT_EQ(t.P().Celda(2, 4), "a");
    EXPECT_EQ(t.P().Celda(4, 4), "c");
    EXPECT_EQ(t.P().Celda(4, 0), "4");
    // Values beyond the last column are dropped.
    t.e->Pegar(TGrilla::Piezas, 1, 5, "%Data%,1,1,3,1,x,y,z,");
    EXPECT_EQ(t.P().Celda(1, 5), "x");
    EXPECT_EQ(t.P().Celda(1, 6), "y");
}

TEST(EdicionLanzamiento, PortapapelesMalFormadoSeRechazaSinCambios) {
    const std::vector<std::string> malos = {
        "",
        "Puerta,Roble",
        "%Data%,1,1,2,1,a,",            // one value short
        "%Data%,1,1,1,1,a,b,",          // one too many
        "%Data%,1,1,1,1,a",             // no closing comma
        "%Data%,-1,1,1,1,a,",           // negative bound
        "%Data%,2,1,1,1,a,",            // right before left
        "%Data%,1,1,1,99999999999,a,",  // huge
        "%Data%,1,1,1,70000,a,",        // more rows than a grid may hold
        "%Data%,x,1,1,1,a,",            // not a number
        "%Corte%,1;2;0;0;0;0;0;0;0(0)", // a semi-product is not a cell block
    };
    for (const auto& m : malos) {
        Edicion t;
        const CGrilla antes = t.P();
        EXPECT_FALSE(CEdicionLanzamiento::EsBloqueCeldas(m)) << m;
        EXPECT_THROW(t.e->Pegar(TGrilla::Piezas, 1, 1, m), EConversion) << m;
        EXPECT_EQ(t.P(), antes) << m;
        EXPECT_TRUE(t.job().Guardado()) << m;
    }
}

TEST(EdicionLanzamiento, SubirYBajarMuevenElBloqueConSuSeleccion) {
    Edicion t;
    t.e->Adicionar(TGrilla::Piezas);
    t.P().AsignarCelda(3, 4, "Tercera");
    t.respuestas = {Respuesta::Si};
    RSeleccion s = t.e->Subir(TGrilla::Piezas, {1, 2, 6, 3});
    EXPECT_EQ(s, (RSeleccion{1, 1, 6, 2}));
    EXPECT_EQ(t.P().Celda(1, 4), "Estante");
    EXPECT_EQ(t.P().Celda(2, 4), "Tercera");
    EXPECT_EQ(t.P().Celda(3, 4), "Puerta");
    EXPECT_EQ(t.P().Celda(3, 0), "3");
    // At the top nothing moves.
    EXPECT_EQ(t.e->Subir(TGrilla::Piezas, s), s);
    s = t.e->Bajar(TGrilla::Piezas, {1, 1, 6, 1});
    EXPECT_EQ(s, (RSeleccion{1, 2, 6, 2}));
    EXPECT_EQ(t.P().Celda(1, 4), "Tercera");
}

TEST(EdicionLanzamiento, MultiplicarRedondeaAlParYParaEnUnaCantidadVacia) {
    Edicion t;
    t.respuestas = {Respuesta::Si};
    t.P().AsignarCelda(1, 3, "5");
    t.P().AsignarCelda(2, 3, "3");
    t.e->MultiplicarCantidades(TGrilla::Piezas, {1, 1, 1, 2}, "0.5");
    EXPECT_EQ(t.P().Celda(1, 3), "2"); // 2.5 -> 2
    EXPECT_EQ(t.P().Celda(2, 3), "2"); // 1.5 -> 2
    EXPECT_THROW(t.e->MultiplicarCantidades(TGrilla::Piezas, {1, 1, 1, 2}, "dos"), EConversion);
    const int f = t.e->Adicionar(TGrilla::Piezas);
    EXPECT_THROW(t.e->MultiplicarCantidades(TGrilla::Piezas, {1, 1, 1, f}, "2"), EConversion);
    EXPECT_EQ(t.P().Celda(1, 3), "4"); // earlier rows keep their new values
    EXPECT_THROW(t.e->MultiplicarCantidades(TGrilla::Piezas, {1, 1, 1, 1}, "40000"), EConversion);
}

TEST(EdicionLanzamiento, RealRecalculaTotalesYOrdenarEsEstable) {
    Edicion t;
    const int n = t.e->PatronesMostrados();
    ASSERT_GE(n, 1);
    t.e->AsignarReal(1, " 7 ");
    EXPECT_EQ(t.job().Solucion().RepActual(t.e->SlotDeFila(1)), 7);
    EXPECT_THROW(t.e->AsignarReal(1, "siete"), EConversion);
    long long total = 0;
    for (int f = 1; f <= n; ++f) {
        total += std::stoll(t.e->Resultados().Celda(f, 6));
    }
    EXPECT_EQ(t.e->Resultados().Celda(t.e->FilaTotalReal(), 6), std::to_string(total));

    t.e->OrdenarResultados(6, true);
    for (int f = 2; f <= n; ++f) {
        EXPECT_LE(std::stoll(t.e->Resultados().Celda(f - 1, 6)),
                  std::stoll(t.e->Resultados().Celda(f, 6)));
        EXPECT_EQ(t.e->Resultados().Celda(f, 0), std::to_string(f));
    }
}

TEST(EdicionLanzamiento, PatronesSeAnadenMuevenEliminanYFiltran) {
    Edicion t;
    const int n = t.e->PatronesMostrados();
    const std::int32_t k = t.e->AdicionarPatron(1);
    EXPECT_EQ(t.e->PatronesMostrados(), n + 1);
    EXPECT_EQ(t.e->Resultados().Celda(n + 1, 2), "0.00");
    const CPatron* nuevo = t.job().Solucion().Patron(k);
    EXPECT_EQ(t.e->SubirPatrones(n + 1, n + 1), n);
    EXPECT_EQ(t.job().Solucion().Patron(k - 1), nuevo);
    EXPECT_EQ(t.e->BajarPatrones(n, n), n + 1);
    EXPECT_EQ(t.job().Solucion().Patron(k), nuevo);
    t.e->EliminarPatrones(n + 1, n + 99);
    EXPECT_EQ(t.e->PatronesMostrados(), n);
    // A filter on the pattern number shows only its row.
    t.e->FiltrarResultados("1", 0);
    EXPECT_EQ(t.e->PatronesMostrados(), 1);
    EXPECT_EQ(t.e->SlotDeFila(1), 1);
    t.e->FiltrarResultados("", 0);
    EXPECT_EQ(t.e->PatronesMostrados(), n);
    t.e->ReinicializarSolucion();
    EXPECT_EQ(t.e->PatronesMostrados(), 0);
    EXPECT_EQ(t.e->Resultados().Filas(), 4);
}

TEST(EdicionLanzamiento, UnLanzamientoNuevoNoSeGuardaSinNombre) {
    Edicion t("con-patrones.lan", "NUEVO.lan");
    t.e->AsignarCelda(TGrilla::Piezas, 1, 4, "Otra");
    EXPECT_FALSE(t.e->Guardar());
    // Closing it and answering yes runs save as; a cancelled save as keeps the window.
    t.respuestas = {Respuesta::Si};
    int guardarComo = 0;
    EXPECT_FALSE(t.e->PuedeCerrar([&] {
        ++guardarComo;
        return false;
    }));
    EXPECT_EQ(guardarComo, 1);
    ASSERT_EQ(t.preguntas.size(), 1u);
    EXPECT_EQ(t.preguntas[0], "El lanzamiento NUEVO ha sido modificado. ¿Desea Guardarlo?");

    const auto destino = t.carpeta / "cocina2.lan";
    EXPECT_TRUE(t.e->GuardarComo(destino.string()));
    EXPECT_TRUE(t.job().Guardado());
    CLanzamiento otra(destino.string(), ROpciones{});
    EXPECT_EQ(otra.Desc1Pieza(1), "Otra");
    EXPECT_EQ(otra.Solucion().Cantidad(), t.job().Solucion().Cantidad());
    // Overwriting asks, and "no" leaves things alone.
    t.respuestas = {Respuesta::No};
    EXPECT_FALSE(t.e->GuardarComo(destino.string()));

    // A template asks in its own words.
    Edicion p("con-patrones.lan", "cocina.pla");
    p.e->AsignarCelda(TGrilla::Piezas, 1, 4, "Otra");
    p.respuestas = {Respuesta::Cancelar};
    EXPECT_FALSE(p.e->PuedeCerrar({}));
    EXPECT_EQ(p.preguntas.back(), "La plantilla cocina ha sido modificada. ¿Desea Guardarla?");
    p.respuestas = {Respuesta::No};
    EXPECT_TRUE(p.e->PuedeCerrar({}));
}

// Random commands on the grids: the grids stay numbered and rectangular, nothing throws but
// the user errors, and what GuardarGrillas writes reads back as the grids.
TEST(EdicionLanzamiento, OperacionesAlAzarConservanLasGrillas) {
    Edicion t;
    std::mt19937 azar(12345);
    const std::vector<std::string> textos = {"", "0", "100", "2500", "abc", "70000", "Desc", "1"};
    auto u = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(azar); };
    for (int paso = 0; paso < 2000; ++paso) {
        const TGrilla g = u(0, 1) ? TGrilla::Piezas : TGrilla::Materiales;
        const int filas = t.e->Grilla(g).Filas() - 1;
        RSeleccion s{u(1, 6), u(1, filas), 0, 0};
        s.Der = u(s.Izq, 6);
        s.Inf = u(s.Sup, filas);
        t.respuestas = {u(0, 1) ? Respuesta::Si : Respuesta::No};
        try {
            switch (u(0, 9)) {
            case 0:
                t.e->AsignarSeleccion(g, s, textos[static_cast<std::size_t>(u(0, 7))]);
                break;
            case 1:
                t.e->Adicionar(g);
                break;
            case 2:
                t.e->Insertar(g, s.Sup);
                break;
            case 3:
                t.e->Eliminar(g, s);
                break;
            case 4:
                t.e->Pegar(g, s.Sup, s.Izq, t.e->Copiar(g, s));
                break;
            case 5:
                t.e->Subir(g, s);
                break;
            case 6:
                t.e->Bajar(g, s);
                break;
            case 7:
                t.e->AlternarAct(g, s.Sup);
                break;
            case 8:
                t.e->QuitarUltimaFilaVacia(g);
                break;
            default:
                t.e->GuardarGrillas();
                break;
            }
        } catch (const EConversion&) {
        }
        for (TGrilla h : {TGrilla::Piezas, TGrilla::Materiales}) {
            const CGrilla& gr = t.e->Grilla(h);
            ASSERT_GE(gr.Filas(), 2);
            for (int f = 1; f < gr.Filas(); ++f) {
                ASSERT_EQ(gr.Celda(f, 0), std::to_string(f));
            }
        }
    }
    t.e->GuardarGrillas();
    CGrilla leida(2, 7);
    t.job().LeerPiezas(leida);
    for (int f = 1; f < leida.Filas(); ++f) {
        for (int c = 1; c < 7; ++c) {
            EXPECT_EQ(leida.Celda(f, c), t.P().Celda(f, c));
        }
    }
}
