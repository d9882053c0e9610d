#include "CEjecucion.h"

#include "CConstructorTrabajo.h"
#include "CPantallaMuda.h"
#include "TextosBanco.h"
#include "document/CLanzamiento.h"
#include "engine/CCalculo.h"
#include "engine/CSolucion.h"
#include "patterns/CPatron.h"
#include "support/ValidadorPatron.h"

#include <chrono>
#include <cmath>
#include <limits>

namespace {

// A pattern made by the completion: it carries no theoretical, ceiling or floor repetition.
bool DeCompletamiento(const CPatron& p) {
    return p.Repeticion() == 0 && p.RepEntera(1) == 0 && p.RepEntera(2) == 0;
}

} // namespace

RResultado CEjecucion::Medir(const RInstancia& instancia, const RVariante& variante,
                             const RResultado& base) {
    RResultado r = base;
    auto trabajo = CConstructorTrabajo::Construir(instancia, variante);
    CPantallaMuda pantalla;

    const auto inicio = std::chrono::steady_clock::now();
    std::string error;
    std::int32_t nivel = 0;
    std::int32_t variantesTotal = 0;
    std::int32_t variantesAntes = 0;
    {
        CCalculo calculo(*trabajo, pantalla);
        calculo.Iniciar();
        pantalla.EsperarFin();
        calculo.Esperar();
        calculo.CalculoTerminado();
        error = calculo.MensajeError();
        nivel = calculo.Nivel();
        variantesTotal = calculo.VariantesAnalizadas();
        variantesAntes = calculo.VariantesAntesCompletar();
    }
    r.Segundos = std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
    using Reloj = CPantallaMuda::Reloj;
    auto segundos = [](Reloj::time_point desde, Reloj::time_point hasta) {
        if (desde == Reloj::time_point{} || hasta == Reloj::time_point{}) {
            return static_cast<double>(NAN);
        }
        return std::chrono::duration<double>(hasta - desde).count();
    };
    r.SegundosTeorico = segundos(inicio, pantalla.InicioRedondeo());
    r.SegundosRedondeo = segundos(pantalla.InicioRedondeo(), pantalla.InicioCompletamiento());
    const bool conMejora = pantalla.InicioMejora() != Reloj::time_point{};
    r.SegundosCompletar = segundos(pantalla.InicioCompletamiento(),
                                   conMejora ? pantalla.InicioMejora() : pantalla.Fin());
    r.SegundosMejora = conMejora ? segundos(pantalla.InicioMejora(), pantalla.Fin()) : 0.0;
    r.Nivel = nivel;
    r.VariantesTeorico = variantesAntes;
    r.VariantesCompletar = variantesTotal - variantesAntes;
    if (!error.empty()) {
        r.Estado = "error";
        r.Motivo = error;
        return r;
    }

    // Stages from the repetitions the plan keeps side by side: theoretical (the LP), floor
    // (after the rounding search), ceiling, and final (floor plus completion).
    const CSolucion& solucion = trabajo->Solucion();
    const int numPiezas = trabajo->CantidadPiezas();
    std::vector<long long> defecto(static_cast<std::size_t>(numPiezas) + 1, 0);
    std::vector<long long> final(static_cast<std::size_t>(numPiezas) + 1, 0);
    double lp = 0;
    double suelo = 0;
    double techo = 0;
    double objetivo = 0;
    std::string problemas;
    r.PatronesValidos = true;
    for (std::int32_t k = 1; k <= solucion.Cantidad(); ++k) {
        const CPatron* p = solucion.Patron(k);
        if (p == nullptr) {
            continue;
        }
        ++r.Patrones;
        if (DeCompletamiento(*p)) {
            ++r.PatronesCompletar;
        }
        const int m = p->Material();
        const double coste = r.Cuenta ? 1.0 : trabajo->AreaMaterial(m);
        lp += p->Repeticion() * coste;
        suelo += p->RepEntera(2) * coste;
        techo += p->RepEntera(1) * coste;
        objetivo += p->RepEntera(0) * coste;
        if (p->RepEntera(0) > 0) {
            const auto fallos = validacion::ValidarPatron(*p);
            if (!fallos.empty()) {
                r.PatronesValidos = false;
                if (problemas.empty()) {
                    problemas = "patrón " + std::to_string(k) + ": " + fallos.front();
                }
            }
        }
        const ACantidades& cant = p->CantPorPieza();
        for (int i = 1; i <= numPiezas && static_cast<std::size_t>(i) < cant.size(); ++i) {
            defecto[static_cast<std::size_t>(i)] +=
                static_cast<long long>(cant[static_cast<std::size_t>(i)]) * p->RepEntera(2);
            final[static_cast<std::size_t>(i)] +=
                static_cast<long long>(cant[static_cast<std::size_t>(i)]) * p->RepEntera(0);
        }
    }
    r.Lp = lp;
    r.TechoLp = r.Cuenta ? std::ceil(lp - 1e-6) : NAN;
    r.Defecto = suelo;
    r.Exceso = techo;
    r.Objetivo = objetivo;
    r.PedidoCumplido = true;
    std::string incumplidas;
    double faltante = 0;
    for (int i = 1; i <= numPiezas; ++i) {
        const long long pedido = trabajo->CantidadPieza(i);
        const auto u = static_cast<std::size_t>(i);
        if (final[u] < pedido) {
            r.PedidoCumplido = false;
            incumplidas += (incumplidas.empty() ? "" : ",") + std::to_string(i);
        }
        if (defecto[u] < pedido) {
            faltante += static_cast<double>(pedido - defecto[u]) * trabajo->AreaPieza(i);
        }
    }
    r.AreaFaltanteDefecto = faltante;
    if (!std::isnan(r.Mejor) && r.Mejor > 0) {
        r.Gap = (r.Objetivo - r.Mejor) / r.Mejor * 100.0;
    }
    if (!r.PatronesValidos) {
        r.Estado = "error";
        r.Motivo = TextosBanco::PlanInvalido + problemas;
    } else if (!r.PedidoCumplido) {
        r.Estado = "error";
        r.Motivo = TextosBanco::PedidoIncumplido + incumplidas;
    } else {
        r.Estado = "ok";
    }
    return r;
}
