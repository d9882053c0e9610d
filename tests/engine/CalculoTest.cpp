#include "engine/CCalculo.h"

#include "document/CLanzamiento.h"
#include "engine/CSolucion.h"
#include "engine/CVistaCalculo.h"
#include "patterns/CPatron.h"
#include "support/CConstructorLanzamiento.h"
#include "support/EmpaquetadoPerfecto.h"
#include "support/RutasPrueba.h"
#include "support/ValidadorPatron.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

// Keeps what the calculation reports at its end; the progress hooks show nothing.
class CVistaRegistro : public CVistaCalculo {
public:
    std::string Pedido, Error, Estado, Titulo;
    int Instalada = 0;
    int Soltada = 0;

    void MarcarFaseTeorica() override {}
    void HabilitarForzar() override {}
    void ProcesarMensajes() override {}
    void MostrarNivel(std::int32_t, const std::string&) override {}
    void MostrarVariantes(int, const std::string&) override {}
    void MostrarAprovechamiento(int, const std::string&) override {}
    void MostrarConsumoTeorico(const std::vector<std::string>&) override {}
    void MostrarConsumoReal(const std::vector<std::string>&) override {}
    void MarcarFaseRedondeo() override {}
    void MarcarFaseCompletamiento(const std::string&) override {}
    void MarcarFaseHecha(int, const std::string&) override {}
    void MostrarProceso(int, const std::string&) override {}
    void MostrarPedidoIncumplido(const std::string& piezas) override { Pedido = piezas; }
    void MostrarMaximoProgreso(std::int32_t) override {}
    void MostrarProgreso(std::int32_t) override {}
    void CalculoFinalizado(const std::string& estado, const std::string& titulo) override {
        Estado = estado;
        Titulo = titulo;
    }
    void SoltarSolucion() override { ++Soltada; }
    void SolucionInstalada() override { ++Instalada; }
    void MostrarError(const std::string& mensaje) override { Error = mensaje; }
};

// The level loop's pricing call, recorded and, when asked, altered.
class CCalculoPrueba : public CCalculo {
public:
    using CCalculo::CCalculo;
    ~CCalculoPrueba() override { Esperar(); }

    std::vector<std::pair<int, int>> Llamadas; // (level, phase) of every pricing call
    // Reduced cost given back at the first call instead of the generator's (NaN: keep it).
    double CosteInicial = std::numeric_limits<double>::quiet_NaN();
    bool SinPatrones = false;     // the generator finds nothing at all
    bool ForzarAlEmpezar = false; // "Forzar" pressed just before the first call

protected:
    void GenerarPatron(const AReal8& duales, std::unique_ptr<CPatron>& patron, int modo,
                       int& material, double& costo) override {
        Llamadas.emplace_back(Nivel(), modo);
        if (ForzarAlEmpezar && Llamadas.size() == 1) {
            Forzar = true;
        }
        if (SinPatrones) {
            patron.reset();
            costo = MaximoReal;
            return;
        }
        CCalculo::GenerarPatron(duales, patron, modo, material, costo);
        if (Llamadas.size() == 1 && !std::isnan(CosteInicial)) {
            costo = CosteInicial;
        }
    }
};

// Consecutive distinct (level, phase) pairs of the recorded calls.
std::vector<std::pair<int, int>> Tramos(const std::vector<std::pair<int, int>>& llamadas) {
    std::vector<std::pair<int, int>> tramos;
    for (const auto& l : llamadas) {
        if (tramos.empty() || tramos.back() != l) {
            tramos.push_back(l);
        }
    }
    return tramos;
}

void Calcular(CCalculo& c) {
    c.Iniciar();
    c.Esperar();
    c.CalculoTerminado();
}

// What every finished plan must be: stock kept, a piece reported unfulfilled exactly when
// the plan makes fewer than ordered, every pattern a valid cutting pattern.
void ComprobarPlan(const CLanzamiento& job, const std::string& incumplidas,
                   const std::string& nombre = "") {
    SCOPED_TRACE(nombre);
    const CSolucion& s = job.Solucion();
    ASSERT_EQ(s.Modo(), CSolucion::ModoFinal);
    for (int m = 1; m <= job.CantidadMateriales(); ++m) {
        if (job.CantidadMaterial(m) > 0) {
            EXPECT_LE(s.HojasMaterial(m), job.CantidadMaterial(m)) << "material " << m;
        }
    }
    std::vector<int> lista;
    std::stringstream texto(incumplidas);
    for (std::string item; std::getline(texto, item, ',');) {
        lista.push_back(std::stoi(item));
    }
    for (int i = 1; i <= job.CantidadPiezas(); ++i) {
        if (job.PiezaActiva(i)) {
            EXPECT_EQ(s.ProduccionPieza(i) < job.CantidadPieza(i),
                      std::find(lista.begin(), lista.end(), i) != lista.end())
                << "piece " << i;
        }
    }
    for (int k = 1; k <= s.Cantidad(); ++k) {
        ASSERT_NE(s.Patron(k), nullptr);
        const auto problemas = validacion::ValidarPatron(*s.Patron(k));
        EXPECT_TRUE(problemas.empty()) << "pattern " << k << "\n"
                                       << validacion::Texto(problemas) << s.Patron(k)->ATexto();
    }
}

void TrabajoCocina(CConstructorLanzamiento& b) {
    b.Opciones.AnchoCorte = 4;
    b.Opciones.ChequearAnchoCorte = true;
    b.Pieza(720, 560, 4).Pieza(560, 300, 6).Pieza(400, 380, 3).Material(1220, 1000, 0);
}

TEST(CalculoTest, ResumenYSolucionDeUnCalculoCompleto) {
    CConstructorLanzamiento b;
    TrabajoCocina(b);
    auto job = b.Crear();
    CVistaRegistro vista;
    {
        CCalculo c(*job, vista);
        EXPECT_EQ(job->Calculo(), &c);
        Calcular(c);
        EXPECT_EQ(c.MensajeError(), "");
        EXPECT_EQ(CCalculo::CalculosActivos(), 0);
    }
    EXPECT_EQ(job->Calculo(), nullptr);
    const std::vector<std::string> r = job->LeerHistorico();
    ASSERT_EQ(r.size(), 27u);
    EXPECT_EQ(r[0].rfind("Fecha y Hora: ", 0), 0u);
    EXPECT_EQ(r[2] + r[3] + r[6], "Solución Teórica:CalculadoNivel de Optimización: 2");
    EXPECT_EQ(r[5].size() - r[5].find('.') - 1, 11u); // fixed point with 10 decimals
    EXPECT_EQ(r[8] + r[11] + r[12], "Redondeo:Completamiento:Calculado");
    EXPECT_EQ(r[16] + r[17], "Mejora:Calculado");
    EXPECT_EQ(r[22] + r[23].substr(0, 12), "Cota inferior (LP):Material 1: ");
    EXPECT_EQ(r.back().rfind("Duración (hh:mm:ss): 00:00:", 0), 0u);
    EXPECT_FALSE(job->Guardado());
    EXPECT_EQ(vista.Instalada, 1);
    EXPECT_EQ(vista.Soltada, 1);
    EXPECT_EQ(vista.Titulo, "Calculo Completado");
    EXPECT_NE(vista.Estado.find(". Optimización completada."), std::string::npos);
    EXPECT_EQ(vista.Pedido, "");
    EXPECT_GT(job->Solucion().Cantidad(), 0);
    ComprobarPlan(*job, vista.Pedido);
    for (int k = 2; k <= job->Solucion().Cantidad(); ++k) { // final repetition descending
        EXPECT_GE(job->Solucion().Patron(k - 1)->RepEntera(0),
                  job->Solucion().Patron(k)->RepEntera(0));
    }
}

// The level loop on one piece kind (300 x 200, 5 ordered on 1000 x 500), as the options and
// the pricing results steer it.
struct RCasoNiveles {
    const char* Nombre;
    int Inicial, Final;
    double CosteInicial; // NaN: as found
    bool SinPatrones, Forzar;
    std::vector<std::pair<int, int>> Tramos;
    const char* Incumplidas;
};

class NivelesTest : public ::testing::TestWithParam<RCasoNiveles> {};

TEST_P(NivelesTest, TramosDeNivelYFase) {
    const RCasoNiveles& caso = GetParam();
    CConstructorLanzamiento b;
    b.Opciones.NivelOptimizacionInicial = caso.Inicial;
    b.Opciones.NivelOptimizacionFinal = caso.Final;
    // Without completion the pieces the levels leave short stay unfulfilled.
    b.Opciones.Completar = caso.Incumplidas[0] == '\0';
    b.Pieza(300, 200, 5).Pieza(100, 100, 3, false).Pieza(200, 100, 2).Material(1000, 500);
    auto job = b.Crear();
    CVistaRegistro vista;
    CCalculoPrueba c(*job, vista);
    c.CosteInicial = caso.CosteInicial;
    c.SinPatrones = caso.SinPatrones;
    c.ForzarAlEmpezar = caso.Forzar;
    Calcular(c);
    EXPECT_EQ(c.MensajeError(), "");
    EXPECT_FALSE(c.Forzar.load());
    EXPECT_EQ(Tramos(c.Llamadas), caso.Tramos);
    EXPECT_EQ(job->Solucion().Cantidad() > 0, caso.Tramos.back().second == 2);
    EXPECT_EQ(c.PiezasIncumplidas(), caso.Incumplidas);
    EXPECT_EQ(vista.Pedido, caso.Incumplidas);
    if (caso.Incumplidas[0] != '\0') {
        const std::vector<std::string> r = job->LeerHistorico();
        const auto linea =
            std::find(r.begin(), r.end(), "No se cumplimentó el pedido para las piezas:: ");
        ASSERT_NE(linea, r.end());
        ASSERT_NE(linea + 1, r.end());
        EXPECT_EQ(*(linea + 1), caso.Incumplidas);
    }
    if (caso.Inicial > caso.Final) {
        const auto r = job->LeerHistorico();
        EXPECT_NE(std::find(r.begin(), r.end(),
                            "Nivel inicial mayor que el final: se optimizó del nivel 1 al 3"),
                  r.end());
    }
    ComprobarPlan(*job, c.PiezasIncumplidas());
}

constexpr double Nada = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Casos, NivelesTest,
    ::testing::Values(
        // Phase 1 reaching 0 repeats the level in phase 2 before going on.
        RCasoNiveles{"FaseUnoEnCero", 1, 2, Nada, false, false, {{1, 1}, {1, 2}, {2, 2}}, ""},
        // -0.5e-9 counts as 0: the level ends at once, with the artificials still basic.
        RCasoNiveles{"CosteCasiCero", 1, 1, -0.5e-9, false, false, {{1, 1}}, "1,3"},
        RCasoNiveles{"CosteNegativo", 1, 1, -2e-9, false, false, {{1, 1}, {1, 2}}, ""},
        // No pattern ever: phase 2 never runs; unfulfilled by job number, inactive left out.
        RCasoNiveles{"SinPatrones", 1, 2, Nada, true, false, {{1, 1}, {2, 1}}, "1,3"},
        // "Forzar" ends only the current level.
        RCasoNiveles{"Forzar", 1, 2, Nada, false, true, {{1, 1}, {2, 1}, {2, 2}}, ""},
        RCasoNiveles{
            "NivelesInvertidos", 3, 1, Nada, false, false, {{1, 1}, {1, 2}, {2, 2}, {3, 2}}, ""}),
    [](const ::testing::TestParamInfo<RCasoNiveles>& info) { return info.param.Nombre; });

// A job of one piece (none with a negative quantity) and one material (l, w, active) that
// the calculation refuses: the message, and the job keeps its solution and history.
struct RCasoError {
    const char* Nombre;
    std::array<int, 3> Pieza, Material;
    const char* Mensaje;
};

class ErrorCalculoTest : public ::testing::TestWithParam<RCasoError> {};

TEST_P(ErrorCalculoTest, ElMensajeDelErrorYLaSolucionAnterior) {
    const RCasoError& caso = GetParam();
    CConstructorLanzamiento b;
    if (caso.Pieza[2] >= 0) {
        b.Pieza(caso.Pieza[0], caso.Pieza[1], caso.Pieza[2]);
    }
    b.Material(caso.Material[0], caso.Material[1], 0, caso.Material[2] != 0);
    auto job = b.Crear();
    job->EscribirHistorico({"antes"});
    const CSolucion* anterior = &job->Solucion();
    CVistaRegistro vista;
    CCalculo c(*job, vista);
    Calcular(c);
    EXPECT_EQ(c.MensajeError(), caso.Mensaje);
    EXPECT_EQ(vista.Error, caso.Mensaje);
    EXPECT_EQ(&job->Solucion(), anterior);
    EXPECT_EQ(job->LeerHistorico(), std::vector<std::string>{"antes"});
    EXPECT_EQ(CCalculo::CalculosActivos(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, ErrorCalculoTest,
    ::testing::Values(
        RCasoError{"SinPiezas", {10, 10, -1}, {100, 100, 1}, "No hay piezas para cortar"},
        RCasoError{"SinMateriales", {10, 10, 1}, {100, 100, 0}, "No hay materiales"},
        RCasoError{"PiezaNula", {0, 10, 1}, {100, 100, 1}, "Pieza con dimensión nula"},
        RCasoError{"MaterialNulo", {10, 10, 1}, {100, 0, 1}, "Material con dimensión nula"},
        RCasoError{"PedidoNulo", {10, 10, 0}, {100, 100, 1}, "Pieza con cantidad nula"}),
    [](const ::testing::TestParamInfo<RCasoError>& info) { return info.param.Nombre; });

TEST(CalculoTest, CanceladoAntesDeEmpezar) {
    CConstructorLanzamiento b;
    TrabajoCocina(b);
    auto job = b.Crear();
    CVistaRegistro vista;
    CCalculo c(*job, vista);
    c.Cancelado = true;
    Calcular(c);
    EXPECT_EQ(c.MensajeError(), "Cálculo cancelado");
    EXPECT_EQ(vista.Titulo, "Cálculo cancelado");
    EXPECT_EQ(job->Solucion().Cantidad(), 0);
    EXPECT_TRUE(job->LeerHistorico().empty());
}

// A job whose current solution has one pattern of 6 pieces of piece 1, cut twice.
std::unique_ptr<CLanzamiento> TrabajoConSolucion(CConstructorLanzamiento& b, double repeticion,
                                                 int pedido) {
    b.Pieza(300, 200, pedido).Pieza(100, 100, 2).Material(1000, 500);
    auto job = b.Crear();
    auto p = CPatron::Create(job->CantidadPiezas(), 1, job.get());
    p->CrearRaiz(1000, 500);
    p->Raiz()->SetPieza(1);
    p->Raiz()->SetLargoPz(300);
    p->Raiz()->SetAnchoPz(200);
    p->Raiz()->SetRepX(3);
    p->Raiz()->SetRepY(2);
    p->RecontarPiezas(job->CantidadPiezas());
    p->SetRepeticion(repeticion);
    p->SetRepEntera({2, 2, 2});
    job->Solucion().FijarPatron(1, std::move(p));
    return job;
}

TEST(CalculoTest, SolucionExistenteCasiEnteraSeRedondeaAlEntero) {
    CConstructorLanzamiento b;
    b.Opciones.SolucionTeorica = false;
    b.Opciones.MejorarSolucion = false; // the rounded plan itself is what is checked
    auto job = TrabajoConSolucion(b, 2.9999999995, 18);
    CVistaRegistro vista;
    CCalculo c(*job, vista);
    Calcular(c);
    EXPECT_EQ(c.MensajeError(), "");
    EXPECT_EQ(job->LeerHistorico()[3], "Se utilizó existente");
    const CSolucion& s = job->Solucion();
    const CPatron* p = nullptr;
    for (int k = 1; k <= s.Cantidad(); ++k) {
        if (s.Patron(k)->CantidadPieza(1) == 6) {
            p = s.Patron(k);
        }
    }
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->RepEntera(), (std::array<std::int32_t, 3>{3, 3, 3}));
    ComprobarPlan(*job, c.PiezasIncumplidas());
}

TEST(CalculoTest, SinTeoricaNiSolucionNoSeCalcula) {
    CConstructorLanzamiento b;
    b.Opciones.SolucionTeorica = false;
    b.Opciones.Completar = false;
    b.Pieza(300, 200, 4).Material(1000, 500);
    auto job = b.Crear();
    CVistaRegistro vista;
    CCalculo c(*job, vista);
    Calcular(c);
    const auto r = job->LeerHistorico();
    EXPECT_EQ(r[3], "No calculado");
    EXPECT_EQ(r[6], "No calculado"); // rounding finds no slot
    EXPECT_EQ(r[9], "No calculado");
    EXPECT_EQ(c.PiezasIncumplidas(), "1");
}

TEST(CalculoTest, MantenerPatronesActualesAnadeDetras) {
    CConstructorLanzamiento b;
    b.Opciones.MantenerPatronesActuales = true;
    auto job = TrabajoConSolucion(b, 2.0, 18); // the kept pattern covers 12 of the 18
    const CPatron* existente = job->Solucion().Patron(1);
    CVistaRegistro vista;
    CCalculo c(*job, vista);
    Calcular(c);
    EXPECT_EQ(c.MensajeError(), "");
    const CSolucion& s = job->Solucion();
    ASSERT_GE(s.Cantidad(), 2);
    EXPECT_EQ(s.Patron(1), existente);
    EXPECT_DOUBLE_EQ(existente->Repeticion(), 2.0);
    EXPECT_EQ(existente->RepEntera(), (std::array<std::int32_t, 3>{2, 2, 2}));
    EXPECT_EQ(s.ProduccionPieza(1), 18);
    EXPECT_EQ(vista.Soltada, 0);
    ComprobarPlan(*job, c.PiezasIncumplidas());
}

// A hand-made broken result at one stage (0 theoretical, 1 rounding, 2 completion), or in
// the job's own solution when it is reused: the run ends with the calculation error and
// the job keeps its solution and history. A result broken only once is recomputed from a
// fresh factorisation and accepted.
class CCalculoEstropeado : public CCalculoPrueba {
public:
    using CCalculoPrueba::CCalculoPrueba;
    int Fase = -1;
    int Veces = 1000;
    std::function<void(CPatron&)> Estropear;

protected:
    void ResultadoEtapa(int fase, CSolucion& solucion) override {
        if (fase != Fase || Veces == 0) {
            return;
        }
        --Veces;
        for (int k = 1; k <= solucion.Cantidad(); ++k) {
            if (CPatron* p = solucion.Patron(k)) {
                Estropear(*p);
                return;
            }
        }
    }
};

struct RCasoEstropeado {
    const char* Nombre;
    int Fase; // -1: the job's own solution, reused without a theoretical stage
    int Veces;
    std::function<void(CPatron&)> Estropear;
    bool Aceptado;
};

class EstropeadoTest : public ::testing::TestWithParam<RCasoEstropeado> {};

TEST_P(EstropeadoTest, SeRechazaYElTrabajoNoCambia) {
    const RCasoEstropeado& caso = GetParam();
    CConstructorLanzamiento b;
    b.Opciones.SolucionTeorica = caso.Fase >= 0;
    auto job = TrabajoConSolucion(b, 2.0, 18);
    if (caso.Fase < 0) {
        caso.Estropear(*job->Solucion().Patron(1));
    }
    job->EscribirHistorico({"antes"});
    const CSolucion* anterior = &job->Solucion();
    const std::string texto = anterior->Patron(1)->ATexto();
    CVistaRegistro vista;
    CCalculoEstropeado c(*job, vista);
    c.Fase = caso.Fase;
    c.Veces = caso.Veces;
    c.Estropear = caso.Estropear;
    Calcular(c);
    if (caso.Aceptado) {
        EXPECT_EQ(c.MensajeError(), "");
        ComprobarPlan(*job, c.PiezasIncumplidas());
        return;
    }
    EXPECT_EQ(c.MensajeError(), "Error en el cálculo");
    EXPECT_EQ(vista.Error, "Error en el cálculo");
    EXPECT_EQ(vista.Instalada, 0);
    EXPECT_EQ(&job->Solucion(), anterior);
    ASSERT_EQ(job->Solucion().Cantidad(), 1);
    EXPECT_EQ(job->Solucion().Patron(1)->ATexto(), texto);
    EXPECT_EQ(job->LeerHistorico(), std::vector<std::string>{"antes"});
}

void Teorica(CPatron& p, double x) {
    p.SetRepeticion(x);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, EstropeadoTest,
    ::testing::Values(
        RCasoEstropeado{"TeoricaNaN", 0, 1000, [](CPatron& p) { Teorica(p, std::nan("")); }, false},
        RCasoEstropeado{"TeoricaNegativa", 0, 1000, [](CPatron& p) { Teorica(p, -2.0); }, false},
        RCasoEstropeado{"TeoricaEnorme", 0, 1000, [](CPatron& p) { Teorica(p, 3.6e133); }, false},
        RCasoEstropeado{"TeoricaUnaVezSeRecalcula", 0, 1, [](CPatron& p) { Teorica(p, -2.0); },
                        true},
        RCasoEstropeado{"DefectoNegativo", 1, 1000,
                        [](CPatron& p) {
                            p.SetRepEntera({0, 1, -1});
                        },
                        false},
        RCasoEstropeado{"ExcesoNegativo", 1, 1000,
                        [](CPatron& p) {
                            p.SetRepEntera({0, -2000000000, 0});
                        },
                        false},
        RCasoEstropeado{"FinalNegativo", 2, 1000,
                        [](CPatron& p) {
                            p.SetRepEntera({-1, 1, 0});
                        },
                        false},
        RCasoEstropeado{"ExistenteNaN", -1, 0, [](CPatron& p) { Teorica(p, std::nan("")); }, false},
        RCasoEstropeado{"ExistenteEnorme", -1, 0, [](CPatron& p) { Teorica(p, 1e300); }, false},
        RCasoEstropeado{"ExistenteFueraDe32Bits", -1, 0,
                        [](CPatron& p) { Teorica(p, 4294967296.5); }, false}),
    [](const ::testing::TestParamInfo<RCasoEstropeado>& info) { return info.param.Nombre; });

// Jobs whose optimum is known by construction (n stock units cut with no waste, kerf 0),
// highly degenerate: the LP of the last level reaches n, and the plan is valid, meets the
// order and uses at most n + 1 units.
void ComprobarEmpaquetado(const REmpaquetadoPerfecto& e, bool anchoCorteCero,
                          const std::string& nombre) {
    SCOPED_TRACE(nombre);
    CConstructorLanzamiento b;
    b.Opciones.Barras = e.Barras;
    b.Opciones.RotarPiezas = false;
    b.Opciones.ChequearAnchoCorte = anchoCorteCero;
    b.Opciones.AnchoCorte = 0;
    b.Opciones.NivelOptimizacionInicial = 1;
    b.Opciones.NivelOptimizacionFinal = 3;
    for (const auto& p : e.Piezas) {
        b.Pieza(p.Largo, p.Ancho, p.Cantidad);
    }
    b.Material(e.Largo, e.Ancho);
    auto job = b.Crear();
    CVistaRegistro vista;
    CCalculo c(*job, vista);
    // A clock that runs ten seconds a reading: the rounding search reaches its cap of
    // counted leaves at once instead of after its five seconds of grace.
    std::atomic<long long> lecturas{0};
    c.FijarReloj([&lecturas] { return 10.0 * static_cast<double>(lecturas.fetch_add(1)); });
    Calcular(c);
    ASSERT_EQ(c.MensajeError(), "");
    EXPECT_EQ(c.PiezasIncumplidas(), "");
    const CSolucion& s = job->Solucion();
    EXPECT_LE(s.ConsumoTeorico(1), e.Unidades + 1e-6);
    EXPECT_LE(s.HojasMaterial(1), e.Unidades + 1);
    ComprobarPlan(*job, c.PiezasIncumplidas());
}

// Short bars and small sheets keep these to seconds; the benchmark family "empaquetados
// perfectos" runs the large ones.
TEST(EmpaquetadoPerfectoTest, BarrasAlcanzanElOptimo) {
    for (std::uint32_t semilla = 1; semilla <= 4; ++semilla) {
        ComprobarEmpaquetado(empaquetado::Barras(semilla, 20, 200), semilla % 2 == 0,
                             "semilla " + std::to_string(semilla));
    }
}

TEST(EmpaquetadoPerfectoTest, HojasAlcanzanElOptimo) {
    for (std::uint32_t semilla = 1; semilla <= 8; ++semilla) {
        ComprobarEmpaquetado(
            empaquetado::Hojas(semilla, 1 + static_cast<int>(semilla % 7), 3, 12, 400, 300),
            semilla % 2 == 0, "semilla " + std::to_string(semilla));
    }
}

class EjemploTest : public ::testing::TestWithParam<const char*> {};

TEST_P(EjemploTest, PlanValido) {
    CLanzamiento job(rutas::Raiz(std::string("examples/") + GetParam()).string(),
                     OpcionesPorDefecto());
    CVistaRegistro vista;
    CCalculo c(job, vista);
    Calcular(c);
    ASSERT_EQ(c.MensajeError(), "");
    EXPECT_GT(job.Solucion().Cantidad(), 0);
    ComprobarPlan(job, c.PiezasIncumplidas(), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Ejemplos, EjemploTest,
                         ::testing::Values("cocina.lan", "barras.lan", "pies.lan"));

double AreaFinal(const CLanzamiento& job) {
    double area = 0.0;
    for (int m = 1; m <= job.CantidadMateriales(); ++m) {
        area += static_cast<double>(job.Solucion().HojasMaterial(m)) * job.AreaMaterial(m);
    }
    return area;
}

// A random job: finite stock on some, bars on a quarter, kerf, and (unless `sinLimites`)
// stage limits, maximum cut and minimum offcut drawn at random; `caso` spreads the kinds.
void TrabajoAlAzar(CConstructorLanzamiento& b, std::mt19937& azar, int caso, bool sinLimites) {
    ROpciones& o = b.Opciones;
    o.Barras = caso % 4 == 1;
    o.AnchoCorte = static_cast<int>(azar() % 5);
    o.ChequearAnchoCorte = o.AnchoCorte > 0;
    o.SobranteMinimo = static_cast<int>(azar() % 40);
    o.ChequearSobranteMinimo = !sinLimites && azar() % 2 == 0;
    o.NivelCorte = 2 + static_cast<int>(azar() % 3);
    o.ChequearNivelCorte = !sinLimites && azar() % 3 == 0;
    o.RotarPiezas = azar() % 2 == 0;
    o.CorteMaximo = 500 + static_cast<int>(azar() % 700);
    o.ChequearCorteMaximo = !sinLimites && azar() % 2 == 0;
    o.CriterioRedondeo = 1 + static_cast<int>(azar() % 2);
    o.PreferirVariosMateriales = azar() % 2 == 0;
    o.NivelOptimizacionInicial = 1;
    o.NivelOptimizacionFinal = 1 + static_cast<int>(azar() % 2);
    const int piezas = 2 + static_cast<int>(azar() % 5);
    for (int i = 0; i < piezas; ++i) {
        b.Pieza(60 + static_cast<int>(azar() % 400), 40 + static_cast<int>(azar() % 300),
                1 + static_cast<int>(azar() % 15), azar() % 7 != 0);
    }
    b.Pieza(120, 90, 3); // at least one active piece
    b.Material(1200, 800, caso % 3 == 0 ? 2 : 0);
    b.Material(900, 600, static_cast<int>(azar() % 4));
}

// Random jobs (finite stock, two materials, bars, stage limits, maximum cut, kerf, pieces
// ordered once), each calculated without and with the improvement stage: both plans are sound, and
// the improved one meets every order the other meets with no more material.
TEST(CalculoGeneradoTest, LaMejoraNuncaEmpeoraElPlan) {
    std::mt19937 azar(2026);
    int mejoradas = 0;
    for (int caso = 0; caso < 20; ++caso) {
        CConstructorLanzamiento b;
        TrabajoAlAzar(b, azar, caso, false);
        if (caso % 2 == 1) {
            // Small pieces ordered once: the generator's patterns repeat them, and the
            // improvement has to bound those patterns to what is missing.
            for (int i = 0; i < 3; ++i) {
                b.Pieza(50 + static_cast<int>(azar() % 150), 40 + static_cast<int>(azar() % 120),
                        1);
            }
        }
        b.Opciones.SolucionTeorica = caso % 5 != 2; // else the completion builds the plan
        b.Opciones.TiempoMejora = 0;                // the step budget alone: the same plan anywhere
        const std::string nombre = "case " + std::to_string(caso);
        double area[2];
        std::vector<std::int32_t> incumplidas[2];
        for (const bool mejorar : {false, true}) {
            b.Opciones.MejorarSolucion = mejorar;
            auto job = b.Crear();
            CVistaRegistro vista;
            CCalculo c(*job, vista);
            c.FijarPasosMejora(200);
            Calcular(c);
            ASSERT_EQ(c.MensajeError(), "") << nombre;
            ComprobarPlan(*job, c.PiezasIncumplidas(), nombre);
            area[mejorar] = AreaFinal(*job);
            incumplidas[mejorar] = c.ListaIncumplidas();
        }
        for (std::int32_t i : incumplidas[1]) {
            EXPECT_NE(std::find(incumplidas[0].begin(), incumplidas[0].end(), i),
                      incumplidas[0].end())
                << nombre << ": piece " << i;
        }
        if (incumplidas[0].empty()) {
            EXPECT_LE(area[1], area[0]) << nombre;
        }
        mejoradas += area[1] < area[0];
    }
    // Some plans do get better, so the replacement itself is checked too.
    EXPECT_GT(mejoradas, 0);
}

// The same job under a display whose clock stands still and under one whose clock runs ten
// seconds per reading: the rounding stops on steps and the improvement on steps and counted
// work, never on the clock below its guard, so the plans agree.
TEST(CalculoGeneradoTest, ElMismoPlanConPantallaLentaORapida) {
    std::vector<std::string> planes;
    for (const double paso : {0.0, 10.0}) {
        CConstructorLanzamiento b;
        TrabajoCocina(b);
        b.Pieza(330, 210, 5).Pieza(180, 90, 9).Pieza(250, 120, 7);
        b.Opciones.TiempoMejora = 0;
        auto job = b.Crear();
        CVistaRegistro vista;
        CCalculo c(*job, vista);
        double reloj = 1000.0;
        c.FijarReloj([&reloj, paso] { return reloj += paso; });
        Calcular(c);
        ASSERT_EQ(c.MensajeError(), "");
        std::string plan;
        const CSolucion& s = job->Solucion();
        for (int k = 1; k <= s.Cantidad(); ++k) {
            const CPatron* p = s.Patron(k);
            plan += std::to_string(p->RepEntera(CSolucion::ModoFinal)) + " " +
                    std::to_string(p->RepEntera(CSolucion::ModoPorDefecto)) + " " +
                    std::to_string(p->RepEntera(CSolucion::ModoPorExceso)) + " " + p->ATexto() +
                    "\n";
        }
        planes.push_back(plan);
    }
    EXPECT_EQ(planes[0], planes[1]);
}

// Bars whose pieces fill them exactly: the LP bound is the optimum and the plan meets it.
TEST(CalculoCotaTest, CotaYOptimoEnTrabajosDeOptimoConocido) {
    struct RCaso {
        std::vector<std::pair<int, int>> Piezas; // length, quantity
        int Barra;
        double Cota;
    };
    for (const RCaso& caso :
         {RCaso{{{500, 4}, {250, 4}}, 1000, 3.0}, RCaso{{{300, 5}, {400, 5}, {700, 5}}, 1400, 5.0},
          RCaso{{{600, 3}}, 1000, 3.0}}) {
        CConstructorLanzamiento b;
        b.Opciones.Barras = true;
        for (const auto& [largo, cantidad] : caso.Piezas) {
            b.Pieza(largo, 1, cantidad);
        }
        b.Material(caso.Barra, 1);
        auto job = b.Crear();
        CVistaRegistro vista;
        CCalculo c(*job, vista);
        Calcular(c);
        ASSERT_EQ(c.MensajeError(), "");
        ASSERT_TRUE(c.CotaValida());
        EXPECT_NEAR(c.CotaMaterial(1), caso.Cota, 1e-6);
        EXPECT_NEAR(c.CotaArea(), caso.Cota * caso.Barra, 1e-3);
        EXPECT_TRUE(c.PlanOptimo());
        EXPECT_EQ(job->Solucion().HojasMaterial(1), static_cast<std::int64_t>(caso.Cota));
        const std::vector<std::string> r = job->LeerHistorico();
        EXPECT_NE(std::find(r.begin(), r.end(), "Plan óptimo"), r.end());
    }
}

// Cancel and force from the main thread at random moments: every run ends cleanly, a
// cancelled one leaves the job as it was, any other one leaves a sound plan. Also run
// under ThreadSanitizer.
TEST(CalculoHilosTest, CancelarYForzarDesdeOtroHilo) {
    std::mt19937 azar(123);
    for (int vuelta = 0; vuelta < 12; ++vuelta) {
        CConstructorLanzamiento b;
        TrabajoCocina(b);
        b.Pieza(330, 210, 5).Pieza(180, 90, 9);
        b.Opciones.NivelOptimizacionFinal = 1 + static_cast<int>(azar() % 3);
        auto job = b.Crear();
        CVistaRegistro vista;
        CCalculo c(*job, vista);
        const bool cancelar = vuelta % 3 == 0;
        c.Iniciar();
        std::this_thread::sleep_for(std::chrono::milliseconds(azar() % 40));
        if (cancelar) {
            c.Cancelado = true;
        } else {
            for (int k = 0; k < 3; ++k) {
                c.Forzar = true;
                std::this_thread::sleep_for(std::chrono::milliseconds(azar() % 10));
            }
        }
        while (!c.Terminado()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        c.CalculoTerminado();
        if (cancelar) {
            EXPECT_EQ(c.MensajeError(), "Cálculo cancelado");
            EXPECT_EQ(job->Solucion().Cantidad(), 0);
            EXPECT_TRUE(job->LeerHistorico().empty());
        } else {
            EXPECT_EQ(c.MensajeError(), "");
            ComprobarPlan(*job, c.PiezasIncumplidas());
        }
        EXPECT_EQ(CCalculo::CalculosActivos(), 0);
    }
}

TEST(CalculoHilosTest, DosCalculosALaVez) {
    CConstructorLanzamiento b;
    TrabajoCocina(b);
    auto job1 = b.Crear();
    auto job2 = b.Crear();
    CVistaRegistro v1;
    CVistaRegistro v2;
    CCalculo c1(*job1, v1);
    CCalculo c2(*job2, v2);
    c1.Iniciar();
    c2.Iniciar();
    c1.Esperar();
    c2.Esperar();
    c1.CalculoTerminado();
    EXPECT_EQ(CCalculo::CalculosActivos(), 1);
    c2.CalculoTerminado();
    EXPECT_EQ(CCalculo::CalculosActivos(), 0);
    EXPECT_EQ(job1->Solucion().Cantidad(), job2->Solucion().Cantidad());
}

} // namespace

// Random jobs calculated with the pool of columns and the extra columns per pricing call,
// and with one exact pricing call per column. The candidate positions follow the duals, so
// the two ways may end a level at slightly different LPs; where the positions hold every
// normal pattern (the last level, no minimum offcut, grip, maximum cut or stage limit) the
// accelerated way must end no higher than the plain one. Both find the stock short on the
// same jobs, and every pattern of the accelerated stage is a valid cutting pattern.
TEST(CalculoGeneradoTest, PricingAceleradoYSimpleLleganAlMismoLP) {
    std::mt19937 azar(18);
    for (int caso = 0; caso < 40; ++caso) {
        const bool completo = caso % 2 == 0;
        CConstructorLanzamiento b;
        TrabajoAlAzar(b, azar, caso, completo);
        if (completo) {
            b.Opciones.NivelOptimizacionFinal = 3;
        }
        b.Opciones.Redondear = false;
        b.Opciones.Completar = false;
        b.Opciones.MejorarSolucion = false;
        const std::string nombre = "case " + std::to_string(caso);
        double cota[2] = {0.0, 0.0};
        for (const bool acelerado : {false, true}) {
            auto job = b.Crear();
            CVistaRegistro vista;
            CCalculo c(*job, vista);
            c.FijarAcelerado(acelerado);
            Calcular(c);
            ASSERT_EQ(c.MensajeError(), "") << nombre;
            cota[acelerado] = c.CotaValida() ? c.CotaArea() : -1.0; // -1: the stock is short
            if (acelerado) {
                ComprobarPlan(*job, c.PiezasIncumplidas(), nombre);
            }
        }
        EXPECT_EQ(cota[1] < 0.0, cota[0] < 0.0) << nombre;
        if (completo) {
            EXPECT_LE(cota[1], cota[0] + 1e-6 * std::abs(cota[0])) << nombre;
        }
    }
}
