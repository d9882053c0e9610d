#pragma once

// The improvement stage ("Mejora"): after the completion, look for an integer plan that uses
// less material than the final plan, and keep the final plan when none is found.
//
// Why: the completion packs what the rounded-down plan leaves missing one greedy pattern at a
// time and never looks at the LP again, so it often ends one sheet above ceil(LP). Iterated
// rounding closes most of that gap: fix the rounded-down plan, solve the LP of the demand
// still missing (the theoretical stage's master problem restricted to the pieces still short
// and the stock still free) by column generation, take every basic pattern as many whole
// times as its value allows, and solve again on what remains. When no pattern reaches one
// whole copy the one of largest value is taken once (a dive). Then a limited-discrepancy
// search fixes one column per LP, the column of largest value first, allowing one, two, then
// three choices of a smaller one along the way, and cuts every branch whose fixed part plus
// residual LP cannot beat the best plan, while the budget lasts.
//
// The generator's knapsack is unbounded: its patterns may hold more copies of a piece than
// the residual asks for, and in a whole plan that surplus is waste. So the residual LPs of the
// dives count a column only up to what each row still misses, every generated pattern also
// enters the pool bounded (surplus leaves emptied and refilled with the completion's search
// on the missing pieces), and when the generator's pattern over-produces a piece the price
// of that piece is lowered in proportion and the generator asked again, a few times. The
// capped LP is then a guide, not a bound: a branch is dropped only when that estimate exceeds
// the best plan; the LP of the whole demand, uncapped, stays the bound that ends the stage.
//
// The residual LP runs in one phase: the artificial column of a piece row costs two of the
// largest sheet per piece, more than any pattern holding it, so a feasible residual drives
// every artificial out; one still above zero means the free stock cannot cover the rest and
// the dive fails. Costs are material areas divided by the largest area, and the duals handed
// to the generator are scaled back to areas, so its reduced costs are this LP's. Every column
// found stays in a pool that is priced before the exact generator is asked.
//
// Budget: a number of steps (pricing calls, and pivots by the 64) and a time limit. The steps make
// the result the same on every machine; the time limit is the user's option. "Forzar" ends the
// stage keeping the best plan found; "Cancelado" raises ECalculoAbortado.

#include "document/UGlobals.h"

#include <cstdint>
#include <limits>
#include <map>
#include <memory>
#include <utility>
#include <vector>

class CControlCalculo;
class CMochila;
class CPatron;
class CSolucion;

class CMejora {
public:
    CMejora(CMochila& mochila, CControlCalculo& control);
    ~CMejora();
    CMejora(const CMejora&) = delete;
    CMejora& operator=(const CMejora&) = delete;

    // Work counted in units of about a nanosecond of the reference machine: the time option
    // becomes a budget of work, so the stage stops at the same point on any machine and under
    // any load; the clock only guards a machine several times slower than the reference.
    static constexpr double UnidadesPorSegundo = 1e9;
    static constexpr double HolguraReloj = 3.0;

    // Steps (pricing calls and pivots; 0 = no cap) and seconds (<= 0 = no limit): the work
    // budget is `segundos` of the reference machine, the clock's limit HolguraReloj times it.
    void FijarPresupuesto(std::int64_t pasos, double segundos);

    // Works on the final plan of the set (its current plan afterwards). True when it was
    // replaced by a plan of less material that meets the whole demand within the stock (and,
    // with PreferirVariosMateriales, uses no fewer materials); the
    // new patterns are appended with floor, ceiling and theoretical repetitions 0, and the
    // patterns that the completion added and the new plan no longer cuts are removed.
    bool Mejorar(CSolucion& solucion);

private:
    struct RColumna {
        std::unique_ptr<CPatron> Patron;
        int Fila = 0;                                    // material row
        double Coste = 0.0;                              // material area / largest area
        ACantidades Cantidades;                          // per LP piece row 1..NP
        std::vector<std::pair<int, std::int64_t>> Filas; // the rows whose count is not 0
        std::int32_t Slot = 0; // slot of the solution it came from; 0 when new
    };

    // Plan: copies of each pool column.
    using RPlan = std::vector<std::int64_t>;

    int AgregarColumna(std::unique_ptr<CPatron> patron, int fila, std::int32_t slot);
    // The generator's patterns may hold more copies of a piece than the residual demand asks
    // for (its knapsack is unbounded): a sheet of such a pattern wastes the surplus in a
    // whole plan. The bounded copy empties every leaf whose pieces go beyond `restante` and
    // refills the empty leaves with the completion's search on what is still missing; null
    // when the pattern was bounded already or the copy is worth nothing.
    std::unique_ptr<CPatron> Acotar(const CPatron& patron,
                                    const std::vector<std::int64_t>& restante) const;
    bool ResolverResidual(const std::vector<std::int64_t>& restante,
                          const std::vector<std::int64_t>& stock, std::vector<double>& valores,
                          double& objetivo, bool acotado = true);
    // One dive from the rounded-down plan: every whole part of the LP at once, or the
    // column of largest value once when none is whole.
    void Bucear();
    // Depth-first from a partial plan, one column per LP, the column of largest value first;
    // taking the r-th largest instead spends r of the deviations left (limited discrepancy).
    void Explorar(RPlan plan, std::vector<std::int64_t> restante, std::vector<std::int64_t> stock,
                  int desvios);
    // A branch whose fixed part plus residual LP cannot beat the best plan.
    bool Inutil(double minimo) const;
    // The best plan meets the LP of the whole demand (rounded up with one material).
    bool EnLaCota() const;
    void Aplicar(RPlan& plan, std::vector<std::int64_t>& restante, std::vector<std::int64_t>& stock,
                 int columna, std::int64_t veces) const;
    double Area(const RPlan& plan) const;
    int MaterialesUsados(const RPlan& plan) const;
    bool Cumple(const RPlan& plan) const;
    // Counts a step and its work; false once a budget or the time is spent or the user forced
    // the stage.
    bool Paso(std::int64_t unidades);
    // Counts work between steps; false once the work budget is spent.
    bool Gastar(std::int64_t unidades);
    void Escribir(CSolucion& solucion, const RPlan& plan) const;

    CMochila& FMochila;
    CControlCalculo& FControl;
    std::int64_t FMaximoPasos = 0;
    double FSegundos = 0.0;
    double FInicio = 0.0;
    std::int64_t FPasos = 0;
    std::int64_t FMaximoUnidades = 0;
    std::int64_t FUnidades = 0;
    bool FAgotado = false;

    int FNP = 0;
    int FNM = 0;
    double FAreaMaxima = 1.0;
    std::vector<std::int64_t> FDemanda; // by LP piece row
    std::vector<std::int64_t> FStock;   // by material row
    std::vector<RColumna> FPool;
    // Pool index of every material row and list of counts already in the pool.
    std::map<std::pair<int, std::vector<std::pair<int, std::int64_t>>>, int> FConocidas;
    std::vector<int> FFilaDePieza; // LP row of a job piece number, 0 when none
    RPlan FBase;                   // the rounded-down plan
    RPlan FMejor;
    double FAreaMejor = std::numeric_limits<double>::infinity();
    double FAreaUnica = 0.0; // the area of the only material row, 0 with several
    double FCota = 0.0;      // the LP of the whole demand, in normalised area
    // Deviations of the last round of the depth-first search.
    static constexpr int MaximoDesvios = 5;
};
