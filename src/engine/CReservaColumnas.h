#pragma once

// Columns that the pricing has produced during the theoretical stage, kept after they leave
// the basis (or before they ever enter it), so that a scan of them can offer an improving
// column before the exact pricing runs again.
//
// Why: one exact pricing call fills a whole dynamic-programming table, while the scan costs
// a product of the duals with each stored column. Column generation on cutting jobs brings
// back the same patterns again and again as the duals move, and every alternative pattern
// the pricing finds on its way is a column worth trying later. The scan never decides that
// the level is over: only the exact pricing proves that no column improves, so the value
// each level reaches does not depend on what the scan found.

#include "document/UGlobals.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_set>
#include <vector>

class CPatron;

class CReservaColumnas {
public:
    // At most `capacidad` columns; beyond it the oldest one makes room.
    explicit CReservaColumnas(std::size_t capacidad = 4000);
    ~CReservaColumnas();
    CReservaColumnas(const CReservaColumnas&) = delete;
    CReservaColumnas& operator=(const CReservaColumnas&) = delete;

    // Keeps a copy of a pattern of material row `material` whose LP column has the counts
    // columna[1..np] in the piece rows; `area` is its cost in the second phase. A column
    // already kept is not kept twice.
    void Agregar(const CPatron& patron, int material, const AWord16& columna, int np, double area);

    // The kept column of least reduced cost under the duals (phase 1: costs 0; phase 2: the
    // areas) when that cost is below minus a tolerance relative to the column's cost; a copy
    // of its pattern, its material row and its reduced cost. Nothing when none improves.
    std::unique_ptr<CPatron> Mejor(const AReal8& duales, int np, int fase, int& material,
                                   double& costeReducido) const;

    std::size_t Cantidad() const { return FColumnas.size(); }

private:
    struct RColumna {
        std::unique_ptr<CPatron> Patron;
        int Material = 0;
        double Area = 0.0;
        std::vector<std::uint16_t> Cuentas; // [0] is the material row, then rows 1..np
    };
    struct RHash {
        std::size_t operator()(const std::vector<std::uint16_t>& v) const;
    };

    std::size_t FCapacidad;
    std::size_t FSiguiente = 0; // the slot that the next column replaces once full
    std::vector<RColumna> FColumnas;
    std::unordered_set<std::vector<std::uint16_t>, RHash> FVistas;
};
