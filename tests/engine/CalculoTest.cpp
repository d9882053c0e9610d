#include "engine/CCalculo.h"

#include "document/CLanzamiento.h"
#include "document/UTextos.h"
#include "engine/CSolucion.h"
#include "engine/CVistaCalculo.h"
#include "generator/CMochila.h"
#include "patterns/CCorte.h"
#include "patterns/CPatron.h"
#include "support/CConstructorLanzamiento.h"
#include "support/ValidadorPatron.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

// Records what the calculation shows; every call comes from the worker, one at a time.
class CVistaRegistro : public CVistaCalculo {
public:
    std::vector<std::string> Eventos;
    std::string Pedido;
    std::string Error;
    std::string Estado;
    std::string Titulo;
    int Instalada = 0;
    int Soltada = 0;

    void MarcarFaseTeorica() override { Anotar("fase 0"); }
    void HabilitarForzar() override { Anotar("forzar"); }
    void ProcesarMensajes() override {}
    void MostrarNivel(std::int32_t nivel, const std::string&) override {
        Anotar("nivel " + std::to_string(nivel));
    }
    void MostrarVariantes(int, const std::string&) override {}
    void MostrarAprovechamiento(int, const std::string&) override {}
    void MostrarConsumoTeorico(const std::vector<std::string>&) override {}
    void MostrarConsumoReal(const std::vector<std::string>&) override {}
    void MarcarFaseRedondeo() override { Anotar("fase 1"); }
    void MarcarFaseCompletamiento(const std::string&) override { Anotar("fase 2"); }
    void MarcarFaseHecha(int fila, const std::string& proceso) override {
        Anotar("hecha " + std::to_string(fila) + " " + proceso);
    }
    void MostrarProceso(int, const std::string& proceso) override { Anotar(proceso); }
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

private:
    void Anotar(std::string e) {
        std::lock_guard<std::mutex> bloqueo(FMutex);
        Eventos.push_back(std::move(e));
    }
    std::mutex FMutex;
};

// The level loop's pricing call, recorded and, when asked, altered.
class CCalculoPrueba : public CCalculo {
public:
    using CCalculo::CCalculo;
    ~CCalculoPrueba() override { Esperar(); }

    // (level, phase) of every pricing call.
    std::vector<std::pair<int, int>> Llamadas;
    // Reduced cost given back at the first call instead of the generator's (NaN: keep it).
    double CosteInicial = std::numeric_limits<double>::quiet_NaN();
    // The generator finds nothing at all.
    bool SinPatrones = false;
    // Press "Forzar" just before the first call.
    bool ForzarAlEmpezar = false;

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

std::int64_t Produccion(const CSolucion& s, int pieza) {
    std::int64_t total = 0;
    for (int k = 1; k <= s.Cantidad(); ++k) {
        if (const CPatron* p = s.Patron(k)) {
            if (static_cast<std::size_t>(pieza) < p->CantPorPieza().size()) {
                total += static_cast<std::int64_t>(p->CantPorPieza()[pieza]) *
                         p->RepEntera(CSolucion::ModoFinal);
            }
        }
    }
    return total;
}

// The properties every finished plan must have: stock kept, demand met when nothing is
// reported missing, every pattern a valid cutting pattern.
void ComprobarPlan(const CLanzamiento& job, const std::string& incumplidas) {
    const CSolucion& s = job.Solucion();
    for (int m = 1; m <= job.CantidadMateriales(); ++m) {
        std::int64_t hojas = 0;
        for (int k = 1; k <= s.Cantidad(); ++k) {
            if (const CPatron* p = s.Patron(k); p != nullptr && p->Material() == m) {
                hojas += p->RepEntera(CSolucion::ModoFinal);
            }
        }
        if (job.CantidadMaterial(m) > 0) {
            EXPECT_LE(hojas, job.CantidadMaterial(m)) << "material " << m;
        }
    }
    if (incumplidas.empty()) {
        for (int i = 1; i <= job.CantidadPiezas(); ++i) {
            if (job.PiezaActiva(i)) {
                EXPECT_GE(Produccion(s, i), job.CantidadPieza(i)) << "piece " << i;
            }
        }
    }
    for (int k = 1; k <= s.Cantidad(); ++k) {
        ASSERT_NE(s.Patron(k), nullptr);
        const auto problemas = validacion::ValidarPatron(*s.Patron(k));
        EXPECT_TRUE(problemas.empty()) << "pattern " << k << "\n" << validacion::Texto(problemas);
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
        EXPECT_EQ(c.Nivel(), 2);
    }
    EXPECT_EQ(job->Calculo(), nullptr);
    const std::vector<std::string> r = job->LeerHistorico();
    ASSERT_EQ(r.size(), 17u);
    EXPECT_EQ(r[0].rfind("Fecha y Hora: ", 0), 0u);
    EXPECT_EQ(r[1], "");
    EXPECT_EQ(r[2], "Solución Teórica:");
    EXPECT_EQ(r[3], "Calculado");
    EXPECT_EQ(r[4].rfind("Variantes Analizadas: ", 0), 0u);
    EXPECT_EQ(r[5].rfind("Aprovechamiento: ", 0), 0u);
    EXPECT_EQ(r[5].back(), '%');
    // Fixed point with 10 decimals.
    EXPECT_EQ(r[5].size() - r[5].find('.') - 1, 11u);
    EXPECT_EQ(r[6], "Nivel de Optimización: 2");
    EXPECT_EQ(r[7], "");
    EXPECT_EQ(r[8], "Redondeo:");
    EXPECT_EQ(r[9], "Calculado");
    EXPECT_EQ(r[10], "");
    EXPECT_EQ(r[11], "Completamiento:");
    EXPECT_EQ(r[12], "Calculado");
    EXPECT_EQ(r[13].rfind("Aprovechamiento: ", 0), 0u);
    EXPECT_EQ(r[14].rfind("Variantes Analizadas: ", 0), 0u);
    EXPECT_EQ(r[r.size() - 2], "");
    EXPECT_EQ(r.back().rfind("Duración (hh:mm:ss): 00:00:", 0), 0u);
    EXPECT_FALSE(job->Guardado());
    EXPECT_EQ(vista.Instalada, 1);
    EXPECT_EQ(vista.Soltada, 1);
    EXPECT_EQ(vista.Titulo, "Calculo Completado");
    EXPECT_NE(vista.Estado.find(". Optimización completada."), std::string::npos);
    EXPECT_GT(job->Solucion().Cantidad(), 0);
    ComprobarPlan(*job, vista.Pedido);
    EXPECT_EQ(vista.Pedido, "");
    // Final order: final repetition descending.
    for (int k = 2; k <= job->Solucion().Cantidad(); ++k) {
        EXPECT_GE(job->Solucion().Patron(k - 1)->RepEntera(0),
                  job->Solucion().Patron(k)->RepEntera(0));
    }
}

struct RCasoCoste {
    double Coste;
    bool Entra;
};

class CosteReducidoTest : public ::testing::TestWithParam<RCasoCoste> {};

TEST_P(CosteReducidoTest, ToleranciaDelCosteReducido) {
    CConstructorLanzamiento b;
    b.Opciones.NivelOptimizacionInicial = 1;
    b.Opciones.NivelOptimizacionFinal = 1;
    b.Opciones.Completar = false;
    b.Pieza(300, 200, 5).Material(1000, 500);
    auto job = b.Crear();
    CVistaRegistro vista;
    CCalculoPrueba c(*job, vista);
    c.CosteInicial = GetParam().Coste;
    Calcular(c);
    EXPECT_EQ(c.MensajeError(), "");
    if (GetParam().Entra) {
        EXPECT_GT(job->Solucion().Cantidad(), 0);
        EXPECT_GT(c.Llamadas.size(), 1u);
    } else {
        // -0.5e-9 counts as 0: the level ends at once, with the artificial still basic.
        EXPECT_EQ(job->Solucion().Cantidad(), 0);
        EXPECT_EQ(c.Llamadas.size(), 1u);
        EXPECT_EQ(vista.Pedido, "1");
    }
}

INSTANTIATE_TEST_SUITE_P(Casos, CosteReducidoTest,
                         ::testing::Values(RCasoCoste{-0.5e-9, false}, RCasoCoste{-2e-9, true}));

TEST(CalculoTest, FaseUnoEnCeroRepiteElNivelEnFaseDos) {
    CConstructorLanzamiento b;
    b.Opciones.NivelOptimizacionInicial = 1;
    b.Opciones.NivelOptimizacionFinal = 2;
    b.Pieza(300, 200, 5).Material(1000, 500);
    auto job = b.Crear();
    CVistaRegistro vista;
    CCalculoPrueba c(*job, vista);
    Calcular(c);
    EXPECT_EQ(Tramos(c.Llamadas), (std::vector<std::pair<int, int>>{{1, 1}, {1, 2}, {2, 2}}));
}

TEST(CalculoTest, FaseUnoConArtificialesEnElUltimoNivel) {
    // No pattern ever: phase 1 ends at the last level with its artificials, phase 2 never
    // runs, and the order is reported unfulfilled by job piece number in row order.
    CConstructorLanzamiento b;
    b.Opciones.NivelOptimizacionInicial = 1;
    b.Opciones.NivelOptimizacionFinal = 2;
    b.Opciones.Completar = false;
    b.Pieza(300, 200, 5).Pieza(100, 100, 3, false).Pieza(200, 100, 2).Pieza(50, 50, 1);
    b.Material(1000, 500);
    auto job = b.Crear();
    CVistaRegistro vista;
    CCalculoPrueba c(*job, vista);
    c.SinPatrones = true;
    Calcular(c);
    EXPECT_EQ(Tramos(c.Llamadas), (std::vector<std::pair<int, int>>{{1, 1}, {2, 1}}));
    EXPECT_EQ(c.PiezasIncumplidas(), "1,3,4");
    EXPECT_EQ(vista.Pedido, "1,3,4");
    const std::vector<std::string> r = job->LeerHistorico();
    ASSERT_GE(r.size(), 4u);
    EXPECT_EQ(r[r.size() - 4], "No se cumplimentó el pedido para las piezas:: ");
    EXPECT_EQ(r[r.size() - 3], "1,3,4");
    EXPECT_EQ(job->Solucion().Cantidad(), 0);
}

TEST(CalculoTest, ForzarTerminaSoloElNivelActual) {
    CConstructorLanzamiento b;
    b.Opciones.NivelOptimizacionInicial = 1;
    b.Opciones.NivelOptimizacionFinal = 2;
    b.Pieza(300, 200, 5).Pieza(250, 120, 7).Material(1000, 500);
    auto job = b.Crear();
    CVistaRegistro vista;
    CCalculoPrueba c(*job, vista);
    c.ForzarAlEmpezar = true;
    Calcular(c);
    EXPECT_EQ(c.MensajeError(), "");
    EXPECT_FALSE(c.Forzar.load());
    // Level 1 ends at its first call; level 2 still runs, in both phases.
    const auto tramos = Tramos(c.Llamadas);
    ASSERT_GE(tramos.size(), 3u);
    EXPECT_EQ(tramos[0], std::make_pair(1, 1));
    EXPECT_EQ(c.Llamadas[1].first, 2);
    EXPECT_EQ(tramos.back(), std::make_pair(2, 2));
    ComprobarPlan(*job, c.PiezasIncumplidas());
}

TEST(CalculoTest, NivelesInvertidosSeIntercambian) {
    CConstructorLanzamiento b;
    b.Opciones.NivelOptimizacionInicial = 3;
    b.Opciones.NivelOptimizacionFinal = 1;
    b.Pieza(300, 200, 5).Material(1000, 500);
    auto job = b.Crear();
    CVistaRegistro vista;
    CCalculoPrueba c(*job, vista);
    Calcular(c);
    EXPECT_EQ(c.Llamadas.front().first, 1);
    EXPECT_EQ(c.Llamadas.back().first, 3);
    const auto r = job->LeerHistorico();
    EXPECT_NE(std::find(r.begin(), r.end(), "Nivel de Optimización: 3"), r.end());
    EXPECT_NE(std::find(r.begin(), r.end(),
                        "Nivel inicial mayor que el final: se optimizó del nivel 1 al 3"),
              r.end());
}

struct RCasoError {
    const char* Nombre;
    void (*Preparar)(CConstructorLanzamiento&);
    const char* Mensaje;
};

class ErrorCalculoTest : public ::testing::TestWithParam<RCasoError> {};

TEST_P(ErrorCalculoTest, ElMensajeDelErrorYLaSolucionAnterior) {
    CConstructorLanzamiento b;
    GetParam().Preparar(b);
    auto job = b.Crear();
    job->EscribirHistorico({"antes"});
    const CSolucion* anterior = &job->Solucion();
    CVistaRegistro vista;
    CCalculo c(*job, vista);
    Calcular(c);
    EXPECT_EQ(c.MensajeError(), GetParam().Mensaje);
    EXPECT_EQ(vista.Error, GetParam().Mensaje);
    EXPECT_EQ(&job->Solucion(), anterior);
    EXPECT_EQ(job->LeerHistorico(), std::vector<std::string>{"antes"});
    EXPECT_EQ(CCalculo::CalculosActivos(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, ErrorCalculoTest,
    ::testing::Values(
        RCasoError{"SinPiezas", [](CConstructorLanzamiento& b) { b.Material(100, 100); },
                   "No hay piezas para cortar"},
        RCasoError{
            "SinMateriales",
            [](CConstructorLanzamiento& b) { b.Pieza(10, 10, 1).Material(100, 100, 0, false); },
            "No hay materiales"},
        RCasoError{"PiezaNula",
                   [](CConstructorLanzamiento& b) { b.Pieza(0, 10, 1).Material(100, 100); },
                   "Pieza con dimensión nula"},
        RCasoError{"MaterialNulo",
                   [](CConstructorLanzamiento& b) { b.Pieza(10, 10, 1).Material(100, 0); },
                   "Material con dimensión nula"},
        RCasoError{"PedidoNulo",
                   [](CConstructorLanzamiento& b) { b.Pieza(10, 10, 0).Material(100, 100); },
                   "Pieza con cantidad nula"}),
    [](const ::testing::TestParamInfo<RCasoError>& info) {
        return std::string(info.param.Nombre);
    });

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

// A job whose current solution has one pattern of 6 pieces; the theoretical stage is off.
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
    auto job = TrabajoConSolucion(b, 2.9999999995, 18);
    CVistaRegistro vista;
    CCalculo c(*job, vista);
    Calcular(c);
    EXPECT_EQ(c.MensajeError(), "");
    const auto r = job->LeerHistorico();
    EXPECT_EQ(r[3], "Se utilizó existente");
    const CSolucion& s = job->Solucion();
    ASSERT_GE(s.Cantidad(), 1);
    const CPatron* p = nullptr;
    for (int k = 1; k <= s.Cantidad(); ++k) {
        if (s.Patron(k)->CantPorPieza()[1] == 6) {
            p = s.Patron(k);
        }
    }
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->RepEntera(CSolucion::ModoPorDefecto), 3);
    EXPECT_EQ(p->RepEntera(CSolucion::ModoPorExceso), 3);
    EXPECT_EQ(p->RepEntera(CSolucion::ModoFinal), 3);
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
    EXPECT_EQ(Produccion(s, 1), 18);
    EXPECT_GE(Produccion(s, 2), 2);
    EXPECT_EQ(vista.Soltada, 0);
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
