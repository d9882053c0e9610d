// The job file's solution: reading and writing section "Solucion", keeping the pattern counts
// in step with the piece list, and jobs made from templates.

#include "document/CGrilla.h"
#include "document/CLanzamiento.h"
#include "document/ROpciones.h"
#include "engine/CSolucion.h"
#include "patterns/CCorte.h"
#include "patterns/CPatron.h"
#include "support/ArbolesAzar.h"
#include "support/RutasPrueba.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

namespace {

std::unique_ptr<CSolucion> SolucionAleatoria(std::mt19937& azar, const CLanzamiento& job) {
    auto s = std::make_unique<CSolucion>();
    const int n = static_cast<int>(azar() % 6);
    for (int k = 1; k <= n; ++k) {
        const std::int32_t material = 1 + static_cast<std::int32_t>(azar() % 2);
        auto p = CPatron::Create(job.CantidadPiezas(), material, &job);
        p->CrearRaiz(job.LargoMaterial(material), job.AnchoMaterial(material));
        azar::RParametrosArbol parametros;
        parametros.Largo = p->Raiz()->Largo();
        parametros.Ancho = p->Raiz()->Ancho();
        parametros.ProfundidadMaxima = 4;
        p->SetRaiz(azar::ArbolAzar(azar, parametros,
                                   azar::PiezasAzar(azar, job.CantidadPiezas(), 400, 300, false)));
        p->RecontarPiezas(job.CantidadPiezas());
        // Doubles that need all 17 digits as well as short ones.
        p->SetRepeticion(azar() % 2 == 0 ? (azar() % 1000) / 7.0 : (azar() % 100) / 4.0);
        p->SetRepEntera({static_cast<std::int32_t>(azar() % 9),
                         static_cast<std::int32_t>(azar() % 9),
                         static_cast<std::int32_t>(azar() % 9)});
        s->FijarPatron(k, std::move(p));
    }
    s->SetModo(static_cast<std::int32_t>(azar() % 3));
    s->SetAprovechamientoGuardado((azar() % 100000) / 99991.0);
    return s;
}

std::int32_t Llenos(const CSolucion& s) {
    std::int32_t llenos = 0;
    for (std::int32_t k = 1; k <= s.Cantidad(); ++k) {
        llenos += s.Patron(k) != nullptr ? 1 : 0;
    }
    return llenos;
}

void EsperarSolucionesIguales(const CSolucion& a, const CSolucion& b) {
    ASSERT_EQ(a.Cantidad(), b.Cantidad());
    EXPECT_EQ(a.Modo(), b.Modo());
    EXPECT_EQ(a.AprovechamientoGuardado(), b.AprovechamientoGuardado());
    for (std::int32_t k = 1; k <= a.Cantidad(); ++k) {
        ASSERT_NE(a.Patron(k), nullptr);
        ASSERT_NE(b.Patron(k), nullptr);
        EXPECT_TRUE(CPatron::Iguales(*a.Patron(k), *b.Patron(k))) << "slot " << k;
        EXPECT_EQ(a.Patron(k)->Repeticion(), b.Patron(k)->Repeticion());
    }
}

TEST(SolucionLanzamiento, ArchivoConPatronesSeAbreYSeGuardaIgual) {
    const auto origen = rutas::DatosPrueba("con-patrones.lan");
    CLanzamiento job(origen.string(), OpcionesPorDefecto());
    EXPECT_TRUE(job.AvisoSolucion().empty());
    // Its values are listed by the "mostrar" command test; here the labels survive.
    ASSERT_EQ(job.Solucion().Cantidad(), 2);
    EXPECT_EQ(job.Solucion().Patron(1)->Raiz()->Hijo2()->Hijo1()->Etiqueta(),
              "\\vcen\\hcen Estante #P");
    rutas::CCarpetaTemporal carpeta;
    const auto copia = carpeta / "copia.lan";
    job.GuardarComo(copia.string());
    job.Guardar();
    // A job saved before the improvement stage existed gets its two options, at their
    // defaults; everything else stays as it was.
    std::string esperado = rutas::LeerBytes(origen);
    const std::string ultima = "ExcluirPatronesNulos=1\r\n";
    ASSERT_NE(esperado.find(ultima), std::string::npos);
    esperado.insert(esperado.find(ultima) + ultima.size(),
                    "MejorarSolucion=1\r\nTiempoMejora=10\r\n");
    EXPECT_EQ(rutas::LeerBytes(copia), esperado);
}

TEST(SolucionLanzamiento, GuardarYLeerDaLoMismoYElSegundoGuardadoEsIdentico) {
    std::mt19937 azar(4321);
    for (int prueba = 0; prueba < 30; ++prueba) {
        rutas::CCarpetaTemporal carpeta;
        const auto a = carpeta / "a.lan";
        rutas::EscribirBytes(a, "[Piezas]\r\nN=3\r\n1=600;400;10;Puerta;Roble;1;\r\n"
                                "2=300;250;4;;;1;\r\n3=90;60;7;Taco;;0;\r\n"
                                "[Materiales]\r\nN=2\r\n1=2440;1220;20;;;1;\r\n"
                                "2=1000;500;3;Retal;;1;\r\n");
        ROpciones opciones = OpcionesPorDefecto();
        opciones.SuprimirCeros = prueba % 2 == 0;
        opciones.ChequearSobrante = prueba % 3 == 0;
        opciones.LargoMinimoSobrante = 100;
        opciones.AnchoMinimoSobrante = 50;
        opciones.PiezasRotadas = "1,3";
        {
            CLanzamiento job(a.string(), OpcionesPorDefecto());
            job.AsignarOpciones(opciones);
            job.AsignarSolucion(SolucionAleatoria(azar, job));
            job.EscribirHistorico({"Fecha y Hora: hoy", "", "Solución Teórica:", "Calculado"});
            job.Guardar();
            EXPECT_TRUE(job.Guardado());

            CLanzamiento leido(a.string(), OpcionesPorDefecto());
            EXPECT_EQ(leido.Opciones(), opciones);
            EXPECT_EQ(leido.CantidadPiezas(), 3);
            for (int i = 1; i <= 3; ++i) {
                EXPECT_EQ(leido.LeerRegistro(CLanzamiento::SeccionPiezas, i),
                          job.LeerRegistro(CLanzamiento::SeccionPiezas, i));
            }
            EXPECT_EQ(leido.LargoMaterial(2), 1000);
            EXPECT_EQ(leido.LeerHistorico(), job.LeerHistorico());
            EsperarSolucionesIguales(job.Solucion(), leido.Solucion());

            const auto b = carpeta / "b.lan";
            leido.GuardarComo(b.string());
            leido.Guardar();
            EXPECT_EQ(rutas::LeerBytes(b), rutas::LeerBytes(a)) << "prueba " << prueba;
        }
    }
}

TEST(SolucionLanzamiento, LosHuecosNoSeGuardan) {
    rutas::CCarpetaTemporal carpeta;
    const auto ruta = carpeta / "huecos.lan";
    CLanzamiento job(ruta.string(), OpcionesPorDefecto());
    auto s = std::make_unique<CSolucion>();
    for (int k : {2, 5}) {
        auto p = CPatron::Create(0, k, &job);
        p->CrearRaiz(100, 50);
        s->FijarPatron(k, std::move(p));
    }
    job.AsignarSolucion(std::move(s));
    job.Guardar();
    CLanzamiento leido(ruta.string(), OpcionesPorDefecto());
    ASSERT_EQ(leido.Solucion().Cantidad(), 2);
    EXPECT_EQ(leido.Solucion().Patron(1)->Material(), 2);
    EXPECT_EQ(leido.Solucion().Patron(2)->Material(), 5);
}

// A "%" in Seccion stands for the keys Patron1 to Patron3.
struct RCasoSeccion {
    const char* Nombre;
    const char* Seccion;
    std::int32_t Cantidad;
    std::int32_t Modo;
    std::int32_t Llenos; // slots holding a pattern
};

class SeccionSolucionTest : public ::testing::TestWithParam<RCasoSeccion> {};

constexpr const char* TresPatrones =
    "Patron1=1;1;1;1;0;0;1;0;0;0;0;0(100;50;0;0;0;0;0;0;\\def()())\r\n"
    "Patron2=2;2;2;2;0;0;1;0;0;0;0;0(100;50;0;0;0;0;0;0;\\def()())\r\n"
    "Patron3=3;3;3;3;0;0;1;0;0;0;0;0(100;50;0;0;0;0;0;0;\\def()())\r\n";

TEST_P(SeccionSolucionTest, CantidadDePatrones) {
    rutas::CCarpetaTemporal carpeta;
    const auto ruta = carpeta / "s.lan";
    std::string seccion = GetParam().Seccion;
    if (const auto marca = seccion.find('%'); marca != std::string::npos) {
        seccion.replace(marca, 1, TresPatrones);
    }
    rutas::EscribirBytes(ruta, "[Piezas]\r\nN=1\r\n1=10;10;1;;;1;\r\n" + seccion);
    const CLanzamiento job(ruta.string(), OpcionesPorDefecto());
    EXPECT_EQ(job.Solucion().Cantidad(), GetParam().Cantidad);
    EXPECT_EQ(job.Solucion().Modo(), GetParam().Modo);
    EXPECT_EQ(Llenos(job.Solucion()), GetParam().Llenos);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, SeccionSolucionTest,
    ::testing::Values(
        RCasoSeccion{"SinSeccion", "", 0, 0, 0},
        RCasoSeccion{"Cero", "[Solucion]\r\nCantPatrones=0\r\nRedondeo=2\r\n", 0, 2, 0},
        RCasoSeccion{"Enorme", "[Solucion]\r\nCantPatrones=2000000000\r\nRedondeo=1\r\n%", 3, 1, 3},
        RCasoSeccion{"MenosQueClaves", "[Solucion]\r\nCantPatrones=2\r\n%", 2, 0, 2},
        RCasoSeccion{"Negativa", "[Solucion]\r\nCantPatrones=-5\r\n%", 0, 0, 0},
        RCasoSeccion{"NoNumerica", "[Solucion]\r\nCantPatrones=tres\r\n%", 0, 0, 0},
        RCasoSeccion{"ModoFueraDeRango", "[Solucion]\r\nCantPatrones=3\r\nRedondeo=9\r\n%", 3, 0,
                     3},
        RCasoSeccion{"ClaveHueca",
                     "[Solucion]\r\nCantPatrones=4\r\nPatron1=1;1;1;1;0;0;1;0;0;0;0;0()\r\n"
                     "Patron3=\r\nPatron4=1;1;1;1;0;0;1;0;0;0;0;0()\r\n",
                     4, 0, 2}),
    [](const ::testing::TestParamInfo<RCasoSeccion>& info) { return info.param.Nombre; });

TEST(SolucionLanzamiento, PatronIlegibleAvisaYSeConserva) {
    rutas::CCarpetaTemporal carpeta;
    const auto ruta = carpeta / "roto.lan";
    rutas::EscribirBytes(ruta,
                         "[Piezas]\r\nN=1\r\n1=10;10;1;;;1;\r\n"
                         "[Solucion]\r\nCantPatrones=3\r\n"
                         "Patron1=1;1;1;1;0;0;1;0;0;0;0;0(100;50;0;10;10;1;10;5;\\def()())\r\n"
                         "Patron2=1;1;1;1;0;0;1;0;0;0;0;0(100;50;0;10;10;7;10;5;\\def()())\r\n"
                         "Patron3=1;1;1;1;0;0;1;0;0;0;0;0(100;5x;0;0;0;0;0;0;\\def()())\r\n");
    const CLanzamiento job(ruta.string(), OpcionesPorDefecto());
    EXPECT_EQ(job.AvisoSolucion(), "Ocurrió un error al crear el patrón");
    ASSERT_EQ(job.Solucion().Cantidad(), 3);
    EXPECT_EQ(job.Solucion().Patron(1)->CantPorPieza(), (ACantidades{0, 50}));
    // Piece 7 of a one-piece job and a length that is not a number: no tree.
    EXPECT_EQ(job.Solucion().Patron(2)->Raiz(), nullptr);
    EXPECT_EQ(job.Solucion().Patron(3)->Raiz(), nullptr);
}

TEST(SolucionLanzamiento, NuevasPiezasAlarganLasCantidadesDeCadaPatron) {
    rutas::CCarpetaTemporal carpeta;
    const auto ruta = carpeta / "piezas.lan";
    std::filesystem::copy_file(rutas::DatosPrueba("con-patrones.lan"), ruta);
    CLanzamiento job(ruta.string(), OpcionesPorDefecto());
    CGrilla grilla(2, 7);
    job.LeerPiezas(grilla);
    const int filas = job.CantidadPiezas() + 3;
    grilla.AsignarFilas(filas);
    for (int f = job.CantidadPiezas() + 1; f < filas; ++f) {
        grilla.AsignarCelda(f, 0, std::to_string(f));
        grilla.AsignarCelda(f, 1, "100");
        grilla.AsignarCelda(f, 2, "50");
        grilla.AsignarCelda(f, 3, "1");
        grilla.AsignarCelda(f, 6, "1");
    }
    job.EscribirPiezas(grilla);
    ASSERT_EQ(job.CantidadPiezas(), 4);
    for (std::int32_t k = 1; k <= job.Solucion().Cantidad(); ++k) {
        const ACantidades& c = job.Solucion().Patron(k)->CantPorPieza();
        ASSERT_EQ(c.size(), 5u);
        EXPECT_EQ(c[3], 0);
        EXPECT_EQ(c[4], 0);
    }
    EXPECT_EQ(job.Solucion().Patron(1)->CantPorPieza()[1], 8);
    // Saved and read back, the patterns index the new pieces with 0.
    job.Guardar();
    const CLanzamiento leido(ruta.string(), OpcionesPorDefecto());
    // Read back, the counts reach the highest piece the tree holds; later pieces count 0.
    EXPECT_EQ(leido.Solucion().Patron(1)->CantPorPieza(), (ACantidades{0, 8, 4}));
    EXPECT_EQ(leido.Solucion().Patron(1)->CantidadPieza(4), 0);
    EXPECT_EQ(leido.Solucion().ProduccionPieza(4), 0);
}

TEST(SolucionLanzamiento, NuevoLanzamientoDesdePlantilla) {
    rutas::CCarpetaTemporal carpeta;
    const auto plantilla = carpeta / "planchas.pla";
    std::filesystem::copy_file(rutas::DatosPrueba("con-patrones.lan"), plantilla);
    const std::string antes = rutas::LeerBytes(plantilla);
    const auto nuevo = carpeta / "NUEVO.lan";

    auto job =
        CLanzamiento::DesdePlantilla(plantilla.string(), nuevo.string(), OpcionesPorDefecto());
    EXPECT_EQ(job->Opciones().Plantilla, plantilla.string());
    EXPECT_TRUE(job->Opciones().ChequearSobrante);
    EXPECT_EQ(job->NombreArchivo(), nuevo.string());
    EXPECT_EQ(job->Nombre(), "NUEVO");
    EXPECT_EQ(job->CantidadPiezas(), 2);
    EXPECT_EQ(job->Solucion().Cantidad(), 2);
    job->Guardar();
    EXPECT_EQ(rutas::LeerBytes(plantilla), antes);
    const CLanzamiento leido(nuevo.string(), OpcionesPorDefecto());
    EXPECT_EQ(leido.Opciones().Plantilla, plantilla.string());
    EXPECT_EQ(leido.Solucion().Cantidad(), 2);
    EXPECT_EQ(leido.Desc1Pieza(1), "Puerta");
}

// Many pattern keys on a job of many pieces: counts reach only the pieces a pattern holds,
// and patterns that name the highest pieces stop the reading before the counts grow beyond
// reason, saying so.
TEST(SolucionLanzamiento, MuchasClavesConMuchasPiezasNoAgotanLaMemoria) {
    rutas::CCarpetaTemporal carpeta;
    const auto ruta = carpeta / "enorme.lan";
    auto texto = [](const char* hoja) {
        std::string t = "[Piezas]\r\nN=65535\r\n[Solucion]\r\nCantPatrones=1500\r\n";
        for (int i = 1; i <= 1500; ++i) {
            t += "Patron" + std::to_string(i) + "=1;1;1;1;0;0;1;0;0;0;0;0" + hoja + "\r\n";
        }
        return t;
    };
    rutas::EscribirBytes(ruta, texto("(10;5;0;2;5;3;5;1;\\def()())"));
    const CLanzamiento bajas(ruta.string(), OpcionesPorDefecto());
    EXPECT_EQ(bajas.AvisoSolucion(), "");
    EXPECT_EQ(Llenos(bajas.Solucion()), 1500);
    EXPECT_EQ(bajas.Solucion().Patron(1500)->CantPorPieza().size(), 4u);

    rutas::EscribirBytes(ruta, texto("(10;5;0;2;5;65535;5;1;\\def()())"));
    const CLanzamiento altas(ruta.string(), OpcionesPorDefecto());
    EXPECT_EQ(altas.AvisoSolucion(), "Ocurrió un error al crear el patrón");
    const std::int32_t llenos = Llenos(altas.Solucion());
    EXPECT_GT(llenos, 100);
    EXPECT_LE(static_cast<double>(llenos) * 65536.0, static_cast<double>(1 << 24));
}

} // namespace
