#pragma once

// The set of cutting patterns of a job with their repetitions: what a calculation produces,
// what the job saves and loads, what the job window lists and filters and what the reports
// add up. Slot 0 is never used; a slot may be empty. Every total walks the set through
// CIteradorSol, so an active filter restricts every figure to the patterns it accepts.
//
// Each pattern carries a theoretical repetition (Repeticion) and three integer ones
// (RepEntera: 0 final, 1 ceiling, 2 floor); Modo says which integer plan is current.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CPatron;
class CFiltro;

// One line of the offcut summary: Cantidad offcuts of Dim1 x Dim2 (longer side first) on
// job material Material.
struct RSobrante {
    std::int32_t Material = 0;
    std::int32_t Dim1 = 0;
    std::int32_t Dim2 = 0;
    std::int64_t Cantidad = 0;
};

// The totals of one job piece over the iterated slots.
struct RTotalesPieza {
    std::int64_t Produccion = 0;  // ProduccionPieza
    double Teorica = 0.0;         // ProduccionTeorica
    double Aprovechamiento = 0.0; // AprovechamientoPieza
};

class CSolucion {
public:
    // Orders of Ordenar: < 0 when a goes before b, > 0 when after, 0 when either may.
    // An empty slot comes as null.
    using Comparacion = std::function<int(const CPatron* a, const CPatron* b)>;

    // Integer plans, as Modo and RepEntera index them.
    static constexpr int ModoFinal = 0;
    static constexpr int ModoPorExceso = 1;
    static constexpr int ModoPorDefecto = 2;
    // Reading a slot this far beyond the end answers none instead of growing the set: a
    // damaged job file must not make it allocate without bound.
    static constexpr int MaximoSlots = 1 << 20;

    CSolucion();
    ~CSolucion();
    CSolucion(const CSolucion&) = delete;
    CSolucion& operator=(const CSolucion&) = delete;

    double AprovechamientoGuardado() const { return FAprovechamientoGuardado; }
    void SetAprovechamientoGuardado(double valor) { FAprovechamientoGuardado = valor; }
    std::int32_t Modo() const { return FModo; }
    // Values outside 0..2 (a damaged file) select the final plan.
    void SetModo(std::int32_t valor);

    // ---- Slots ----
    // Highest slot number, 0 when empty.
    std::int32_t Cantidad() const;
    // Frees the patterns in slots n+1.. and shrinks to n slots.
    void Truncar(std::int32_t n);
    // Slot k; a k beyond the end first grows the set with empty slots (up to MaximoSlots).
    // k < 1 answers none.
    CPatron* Patron(std::int32_t k);
    // Slot k without growing the set.
    const CPatron* Patron(std::int32_t k) const;
    // Stores the pattern in slot k (k >= 1), growing the set if needed and freeing the
    // pattern that was there.
    void FijarPatron(std::int32_t k, std::unique_ptr<CPatron> patron);
    // Hands slot k's pattern to the caller; the slot stays, empty.
    std::unique_ptr<CPatron> SoltarPatron(std::int32_t k);
    // RepEntera[Modo] of slot k's pattern (0 for an empty slot).
    std::int32_t RepActual(std::int32_t k) const;
    void FijarRepActual(std::int32_t k, std::int32_t n);
    // Slot of that pattern object among the iterated slots; 0 when absent.
    std::int32_t Buscar(const CPatron* patron) const;
    // When 1 <= k <= Cantidad: frees slot k and moves the later slots down one.
    void Eliminar(std::int32_t k);
    // Within the set the slots k.. move up one; beyond it the set grows to k. Then the
    // pattern goes into slot k (k >= 1).
    void Insertar(std::unique_ptr<CPatron> patron, std::int32_t k);
    // Sorts slots 1..Cantidad in place (not stable).
    void Ordenar(const Comparacion& comparacion);

    // The two orders of the engine: final repetition descending, then utilisation
    // descending (end of a calculation); utilisation descending or ascending (rounding).
    static int OrdenFinal(const CPatron* a, const CPatron* b);
    static int OrdenAprovechamientoDescendente(const CPatron* a, const CPatron* b);
    static int OrdenAprovechamientoAscendente(const CPatron* a, const CPatron* b);

    // ---- Filter ----
    // Frees the old filter; an empty text leaves the set unfiltered. A text with an item
    // that is not a number raises EConversion and leaves the set unfiltered.
    void FijarFiltro(const std::string& texto, std::int32_t criterio, std::int32_t pieza);
    const CFiltro* Filtro() const { return FFiltro.get(); }

    // ---- Totals over the iterated slots ----
    // Piece counts are 64-bit, a negative repetition (a damaged file) counts as 0 and a sum
    // beyond the 64-bit range stays at its largest value: no total is ever negative.
    double ProduccionTeorica(std::int32_t pieza) const;
    std::int64_t ProduccionPieza(std::int32_t pieza) const;
    double TotalTeorico() const;
    std::int64_t TotalRepeticiones() const;
    std::int64_t TotalPiezas() const;
    double AprovechamientoTeorico() const;
    double SobranteTeorico() const;
    double DesperdicioTeorico() const;
    double AprovechamientoReal() const;
    double SobranteReal() const;
    double DesperdicioReal() const;
    double AprovechamientoPieza(std::int32_t pieza) const;
    // The three piece totals of pieces 1..numPiezas (element 0 unused) in one walk of the
    // set, for listings of every piece: linear in the patterns and their nodes.
    std::vector<RTotalesPieza> TotalesPorPieza(std::int32_t numPiezas) const;
    std::int64_t HojasMaterial(std::int32_t material) const;
    double ConsumoTeorico(std::int32_t material) const;
    double AprovechamientoMaterial(std::int32_t material) const;
    double SobranteMaterial(std::int32_t material) const;
    double DesperdicioMaterial(std::int32_t material) const;
    // Offcut summary into lista[1..count] (element 0 unused), grouped by material in
    // ascending order; with soloUsados, patterns cut fewer than once are left out.
    std::int32_t Sobrantes(std::vector<RSobrante>& lista, bool soloUsados) const;

private:
    // Sums over the iterated slots (restricted to one material when material > 0) of the
    // pattern areas weighted by the theoretical (teorica) or current repetition.
    struct RAreas {
        double Material = 0.0;
        double Piezas = 0.0;
        double Sobrantes = 0.0;
    };
    RAreas Areas(bool teorica, std::int32_t material) const;

    double FAprovechamientoGuardado = 0.0;
    std::int32_t FModo = ModoFinal;
    std::vector<std::unique_ptr<CPatron>> FPatrones;
    std::unique_ptr<CFiltro> FFiltro;
};
