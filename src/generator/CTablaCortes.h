#pragma once

// Work space of one pricing step of the pattern generator: the candidate cut positions of
// both dimensions, the index of every length into them, the table of best sub-patterns (one
// cell per pair of positions) and the lists of improving indices of the combination phase.
//
// Everything is sized once when the step starts and released when the object goes away, so
// a step that ends by an exception (a stop request, a failed allocation) leaves nothing
// behind. The cells are one contiguous array of small records, column by column (all
// lengths of one width position are adjacent), because the combination phase walks the
// lengths of one width position in its inner loop.

#include "document/UGlobals.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Best sub-pattern found for the rectangle PosLargo[i] x PosAncho[j]. A fresh cell is all
// zeros (nothing fits).
struct RCelda {
    // Value of the sub-pattern: sum of the values of its pieces.
    double Valor;
    // For a cut: index of the first part's size along the cut direction; for a block: the
    // piece row; 0: empty.
    std::uint16_t Eleccion;
    // Guillotine cuts of the sub-pattern (a block counts 0).
    std::uint16_t Cortes;
    // Cutting stages of the sub-pattern; before the cell is computed it may hold a seeded
    // stage limit.
    std::uint8_t Niveles;
    // 1 vertical cut (splits the length), -1 horizontal cut (splits the width), 0 no cut.
    std::int8_t Direccion;
};

class CTablaCortes {
public:
    // Largest number of cells a step may allocate (16 bytes each plus 4 bytes of improving
    // lists, about 2.5 GB). Beyond it the step is refused instead of exhausting the memory of
    // the machine.
    static constexpr std::size_t MaximoCeldas = std::size_t{1} << 27;

    // How the candidate positions of one dimension are made.
    struct RReglaPosiciones {
        int Nivel = 1; // optimisation level: 3 sums, 2 multiples from both ends, else multiples
        bool Restringir = false; // coarser steps (RestringirPosiblesCortes)
        int Porcentaje = 10;     // percentage of the longest material that bounds the step
        int MaximoMaterial = 0;  // longest material size of the dimension (Lmax)
        int MaximoPieza = 0;     // longest piece-row size of the dimension (Pmax)
    };

    // Candidate positions of one dimension. Tamanos are the sizes of the piece rows, of which
    // Orden[1..NumCandidatas] are taken; TamanosMat[1..NumMateriales] the material sizes.
    // Pos receives 0..NumPos ascending with Pos[0] = 0 and the sentinel MaximoMaterial + 1 in
    // Pos[NumPos + 1]; Indice[y] (y in 0..MaximoMaterial) the index of the largest position
    // not above y.
    static void CalcularPosiciones(const AWord16& Tamanos, const AInt32& Orden, int NumCandidatas,
                                   const AWord16& TamanosMat, int NumMateriales,
                                   const RReglaPosiciones& Regla, AWord16& Pos, int& NumPos,
                                   AWord16& Indice);

    CTablaCortes() = default;
    CTablaCortes(const CTablaCortes&) = delete;
    CTablaCortes& operator=(const CTablaCortes&) = delete;

    // Positions along the length and the width; computed by the caller with
    // CalcularPosiciones before Dimensionar.
    AWord16 PosLargo;
    AWord16 IndiceLargo;
    int NumPosLargo = 0;
    AWord16 PosAncho;
    AWord16 IndiceAncho;
    int NumPosAncho = 0;

    // Sizes the cells ((NumPosLargo + 1) x (NumPosAncho + 1), all zero) and the lists of the
    // combination phase. Raises std::length_error beyond MaximoCeldas.
    void Dimensionar();

    RCelda& Celda(int i, int j) { return FCeldas[Desplazamiento(i, j)]; }
    const RCelda& Celda(int i, int j) const { return FCeldas[Desplazamiento(i, j)]; }
    // The cells of width position j, indexed by length position.
    RCelda* Columna(int j) { return FCeldas.data() + Desplazamiento(0, j); }

    // Improving length indices of width position j (one list per width position).
    std::uint16_t* ListaLargo(int j) {
        return FListasLargo.data() + static_cast<std::size_t>(j) * FLargoListaLargo;
    }
    int& CuentaLargo(int j) { return FCuentasLargo[static_cast<std::size_t>(j)]; }
    // Improving width indices of length position i (one list per length position).
    std::uint16_t* ListaAncho(int i) {
        return FListasAncho.data() + static_cast<std::size_t>(i) * FLargoListaAncho;
    }
    int& CuentaAncho(int i) { return FCuentasAncho[static_cast<std::size_t>(i)]; }

    // Scratch of the block phase: counts and leftovers of one piece row per length position.
    AInt32 CuentaL, RestoL, CuentaRecL;

private:
    std::size_t Desplazamiento(int i, int j) const {
        return static_cast<std::size_t>(j) * static_cast<std::size_t>(NumPosLargo + 1) +
               static_cast<std::size_t>(i);
    }

    std::vector<RCelda> FCeldas;
    std::vector<std::uint16_t> FListasLargo;
    std::size_t FLargoListaLargo = 0;
    std::vector<int> FCuentasLargo;
    std::vector<std::uint16_t> FListasAncho;
    std::size_t FLargoListaAncho = 0;
    std::vector<int> FCuentasAncho;
};
