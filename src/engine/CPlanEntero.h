#pragma once

// The integer plan: turns the fractional repetitions of the theoretical solution into whole
// sheets. The solution set keeps three plans side by side: the floor plan ("por defecto"),
// the ceiling plan ("por exceso") and the final plan, which is the floor plan plus the
// patterns that the completion adds for what is still missing.
//
// Rounding (AjustarSolucion). Starting from floor = trunc(x) and ceiling = floor + 1, a
// depth-first search gives each pattern at most one copy more (floor plan) or one copy less
// (ceiling plan) and keeps the plan of least deviation from the ordered quantities. A branch
// is cut as soon as one piece row would be over-produced (floor) or under-produced
// (ceiling), and the floor plan never uses more sheets of a material than its stock. The
// search has up to 2^n leaves, so each pass stops after a fixed number of search steps with
// the best plan found so far: a budget of work, not of time, so that the same job gives the
// same plan on any machine and under any load.
//
// Completion (CompletarSolucion). First every pattern of the final plan is offered its
// empty leaves, to be filled with the pieces still missing (some of its sheets then become
// a richer copy). Then, one new pattern per call, the best layout of the missing pieces on
// any material with stock left is searched on the whole sheet and after a first cut at each
// candidate position, and cut as many times as the demand and the stock allow.
//
// Works on the generator's tables (rows, demands, stock, gross sizes, normalised limits).

#include "document/ROpciones.h"
#include "document/UGlobals.h"
#include "engine/CControlCalculo.h"
#include "generator/CRelleno.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

class CCorte;
class CMochila;
class CPatron;
class CSolucion;

class CPlanEntero {
public:
    // Progress maximum of the rounding passes.
    static constexpr std::int32_t MaximoRedondeo = 10000;
    // Search steps (nodes of the depth-first search) of one rounding pass.
    static constexpr std::int64_t PasosRedondeoPorDefecto = 4000000;

    explicit CPlanEntero(CMochila& mochila);

    // Budget of a rounding pass in search steps (tests use small ones).
    void FijarPasosRedondeo(std::int64_t pasos) {
        FPasosRedondeo = std::max<std::int64_t>(1, pasos);
    }

    // Rewrites the floor and ceiling repetitions of every slot and reorders the slots; leaves
    // the set's current plan on the ceiling.
    void AjustarSolucion(CSolucion& solucion);
    // Works on the final repetitions. True when a pattern was added (only without inicio).
    bool CompletarSolucion(CSolucion& solucion, bool inicio);

    // How far a production (indexed by LP piece row) is from the ordered quantities:
    // CriterioRedondeo 1 sums the squared differences, any other value the absolute
    // differences weighted by the gross area of the piece.
    double Desviacion(const std::vector<std::int64_t>& producido) const;

    // Copies of a pattern that the remaining demand and the stock left allow, after the
    // bookkeeping of the last CompletarSolucion (tests).
    std::int32_t Copias(const CPatron& patron) const;

    // A pattern tree as the completion's search sees it, and back.
    static std::vector<CRelleno::RNodo> ANodos(const CCorte* raiz);
    static std::unique_ptr<CCorte> DeNodos(const std::vector<CRelleno::RNodo>& nodos);
    // Gross area of the pieces laid in a layout.
    static double AreaBruta(const std::vector<CRelleno::RNodo>& nodos);
    // The cutting rules the completion's search keeps, from the job's options.
    static CRelleno::RLimites Limites(const ROpciones& op);
    // The rows the completion's search may lay, turned copies included.
    static std::vector<CRelleno::RCandidata> Candidatas(const CMochila& mochila);

private:
    CControlCalculo& Control();
    std::int32_t Stock(std::int32_t material) const;
    std::int32_t& Usados(std::int32_t material);
    std::int32_t CantidadEn(const CPatron& patron, int fila) const;

    // Rounding.
    void PrepararPasada(int tipo);
    // One pass of the rounding search (CSolucion::ModoPorDefecto or ModoPorExceso).
    void Buscar(int tipo);
    void Hoja(int tipo);

    // Completion.
    void Contabilizar();
    void Sumar(const CPatron& patron, std::int32_t veces);
    void ActualizarRestantes();
    CRelleno NuevaBusqueda();

    CMochila& FMochila;
    CControlCalculo FControlPropio;
    CSolucion* FSolucion = nullptr;
    int FNumFilas = 0; // LP piece rows

    // Working arrays (1-based).
    AInt32 FCuenta;
    std::vector<std::int64_t> FProducido;
    std::vector<AInt32> FFilasPatron;
    std::vector<AInt32> FCantidadesPatron;
    AInt32 FMaterialPatron;
    AInt32 FUsados;
    std::int32_t FUsadoFuera = 0; // materials beyond the job's list
    double FMejor = 0.0;
    std::int64_t FPasosRedondeo = PasosRedondeoPorDefecto;
    AInt32 FRestantes;
};
