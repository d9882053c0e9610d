#pragma once

// The completion's search: fills open regions of a sheet with blocks of the pieces that are
// still missing and keeps the best complete layout.
//
// A layout is a guillotine tree whose open regions wait on a stack (room for 1000). A region
// is popped, a block is chosen for it (ElegirBloque, first along the length, then along the
// width) and the region is either cut so that the block is separated by one or two cuts
// (split A: horizontal first, split B: vertical first; the leftover strips are pushed as new
// open regions) or holds the block directly. The stack is not restored when a recursion
// returns: only the first alternative tried at a region still sees the regions that were
// waiting below it, the later ones see only what they push themselves. A search ends after
// 1001 complete layouts, when Forzar is raised (quietly) or when Cancelado is raised
// (ECalculoAbortado).
//
// Layouts are ranked by piece area, then by their largest offcut, then by fewer cuts. Every
// area here is gross (pieces and regions carry one kerf), as the tree stores them.
//
// Works on plain data so that it can be driven without a job: the caller hands the piece
// rows (turned copies included) and the remaining quantity of every LP row, which the
// search lowers while a block is placed and gives back afterwards.

#include "document/UGlobals.h"

#include <cstdint>
#include <limits>
#include <vector>

class CControlCalculo;

class CRelleno {
public:
    // One node of a layout; children are indices into the layout's node list (-1: none).
    struct RNodo {
        std::int32_t Largo = 0;
        std::int32_t Ancho = 0;
        std::int32_t Dir = 0;
        std::int32_t LargoPz = 0;
        std::int32_t AnchoPz = 0;
        std::int32_t Pieza = 0;
        std::int32_t RepX = 0;
        std::int32_t RepY = 0;
        std::int32_t Hijo1 = -1;
        std::int32_t Hijo2 = -1;
    };

    // A complete layout; Nodos[0] is the root. Empty when the search kept nothing.
    struct RDisposicion {
        std::vector<RNodo> Nodos;
        double AreaPiezas = 0.0;
        double MayorSobrante = 0.0;
        std::int32_t Cortes = 0;
        bool Vacia() const { return Nodos.empty(); }
    };

    // A piece row as the search may lay it: the LP row whose remaining quantity it draws on,
    // the job piece number (negative when turned) and its gross size as laid.
    struct RCandidata {
        std::int32_t Fila = 0;
        std::int32_t Pieza = 0;
        std::int32_t Largo = 0;
        std::int32_t Ancho = 0;
    };

    // The cutting limits as the generator normalised them.
    struct RLimites {
        std::int32_t SobranteMinimo = 0;
        std::int32_t LongitudAgarre = 0;
        std::int32_t CorteMaximo = std::numeric_limits<std::int32_t>::max();
        std::int32_t NivelCorte = 255;
    };

    // A block chosen for a region, in the region's own axes.
    struct RBloque {
        int Candidata = 0; // index into the candidate list it came from
        std::int32_t Fila = 0;
        std::int32_t Pieza = 0;
        std::int32_t LargoPz = 0;
        std::int32_t AnchoPz = 0;
        std::int32_t Nx = 0;
        std::int32_t Ny = 0;
        std::int32_t Rx = 0;
        std::int32_t Ry = 0;
    };

    static constexpr int CapacidadPila = 1000;
    // The search stops after this many complete layouts plus one.
    static constexpr int LimiteHojas = 1000;

    // `restantes` is indexed by LP row and must outlive the object; `control` may be null.
    CRelleno(const RLimites& limites, std::vector<RCandidata> filas, AInt32& restantes,
             const CControlCalculo* control);

    // Whole sheet of gross size L x W: the root region with direction 0 and stage 0.
    RDisposicion BuscarHoja(std::int32_t L, std::int32_t W);
    // First cut at `posicion` (dir 1: vertical, along the length; -1: horizontal): both parts
    // open with the cut's direction and stage 1, the first part popped first.
    RDisposicion BuscarCorte(std::int32_t L, std::int32_t W, std::int32_t dir,
                             std::int32_t posicion);
    // Fills the empty leaves of an existing layout whose pieces already cover `valor`; only a
    // layout whose piece area reaches `umbral` is kept.
    RDisposicion BuscarRelleno(const std::vector<RNodo>& arbol, double valor, double umbral);

    // n pieces of `tamano` along `total` and the leftover, under the cutting limits; `otro`
    // pieces lie across for every one along, and no more than `limite` pieces in all.
    void Reparto(std::int32_t total, std::int32_t tamano, std::int32_t otro, std::int32_t limite,
                 std::int32_t& n, std::int32_t& resto) const;
    // Best block for an L x W region among the current candidates; `porAncho` walks the list
    // sorted by width and settles the width first. False when no block fits.
    bool ElegirBloque(std::int32_t L, std::int32_t W, bool porAncho, RBloque& bloque) const;

    // Candidates of the current search (remaining quantity > 0 at its start).
    const std::vector<RCandidata>& PorLargo() const { return FPorLargo; }
    const std::vector<RCandidata>& PorAncho() const { return FPorAncho; }
    std::int32_t FranjaMinima() const { return FFranjaMinima; }

    // Measures of a layout: largest offcut (empty leaves and the free bands beside blocks)
    // and number of cut nodes.
    static double MayorSobrante(const std::vector<RNodo>& nodos);
    static std::int32_t ContarCortes(const std::vector<RNodo>& nodos);

    // Prepares the candidate lists without searching (tests of ElegirBloque).
    void PrepararCandidatas();

private:
    struct RRegion {
        std::int32_t Nodo;
        std::int32_t Dir;
        std::int32_t Etapa;
    };

    void Iniciar(double umbral);
    void Rellenar(double libre, double valor);
    void Hoja(double valor);
    bool RespetaSobranteMinimo() const;
    void Empujar(std::int32_t nodo, std::int32_t dir, std::int32_t etapa);
    std::int32_t NuevoNodo(std::int32_t largo, std::int32_t ancho);
    void PonerBloque(std::int32_t nodo, const RBloque& b);
    void Limpiar(std::int32_t nodo, std::size_t tamano);
    // Makes nodo a cut in direction dir with the two new children.
    void Dividir(std::int32_t nodo, std::int32_t dir, std::int32_t h1, std::int32_t h2);
    // Puts the block in destino and searches on with its pieces taken; undoes the taking.
    void PonerYSeguir(std::int32_t destino, const RBloque& b, double libre, double valor);
    bool PartirA(const RRegion& r, const RBloque& b, double libre, double valor);
    bool PartirB(const RRegion& r, const RBloque& b, double libre, double valor);
    void Colocar(const RRegion& r, const RBloque& b, double libre, double valor);
    void Tomar(const RBloque& b, int signo);

    RLimites FLimites;
    std::vector<RCandidata> FFilas;
    AInt32& FRestantes;
    const CControlCalculo* FControl;

    std::vector<RCandidata> FPorLargo;
    std::vector<RCandidata> FPorAncho;
    std::int32_t FFranjaMinima = std::numeric_limits<std::int32_t>::max();

    std::vector<RNodo> FNodos;
    std::vector<RRegion> FPila;
    RDisposicion FMejor;
    double FUmbral = 0.0;
    int FHojas = 0;
    bool FDetenida = false;
};
