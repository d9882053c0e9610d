#pragma once

// The master problem of the theoretical stage, for n = NP + NM rows:
//
//   min  sum_p c_p x_p                       (phase 1: sum of the artificials instead)
//   s.t. sum_p a_ip x_p + D_i s_i = D_i      piece row i: the pattern counts meet the demand
//        sum_{p on j} x_p + Q_j t_j = Q_j    material row j: at most Q_j sheets (t_j slack)
//        x, s, t >= 0
//
// The calculation starts from the diagonal basis of the artificials s and slacks t and
// brings in one generated pattern at a time. The duals pi = c_B B^-1 are the piece values
// the pattern generator maximises; a pattern enters while c_p - pi a_p < 0.
//
// Why a dense explicit inverse: the basis is small (pieces plus materials), the columns
// come from outside one at a time, and the duals are needed after every pivot. Keeping
// B^-1 bordered by the duals (row 0) and the basic values (column 0) updates all three in
// one pass of (n+1)^2 multiply-adds.
//
// Why it also keeps the basis columns: the product-form update loses a little accuracy at
// every pivot, and cutting jobs whose pieces fit their bars exactly are so degenerate that
// column generation makes tens of thousands of pivots. Left alone, round-off makes basic
// values slightly negative and direction entries of pure noise look like pivots; one
// such pivot makes the inverse explode. So the inverse is rebuilt from the stored columns
// (Gauss-Jordan with partial pivoting, one step of iterative refinement for x and pi) every
// so many pivots and whenever B x = b or pi B = c_B drifts past a tolerance; the ratio
// test never takes a negative step and prefers the largest pivot among near-ties (Harris),
// so a tiny pivot is only taken when nothing sounder limits the step.

#include "document/UGlobals.h"

#include <cstddef>
#include <vector>

class CSimplex {
public:
    // Starting basis: the columns diagonal[i] * e_i (i = 1..n, n = diagonal.size() - 1),
    // right-hand side b and costs c of those basis positions (all 1-based). A zero on the
    // diagonal has no inverse and is refused with EErrorPrecision, as is a b or c shorter
    // than the diagonal.
    CSimplex(const AWord16& diagonal, const AWord16& ladoDerecho, const AReal8& costes);

    int Filas() const { return FFilas; }

    // New costs of the basis positions 1..n: duals and objective for the same basis.
    void FijarCostes(const AReal8& costes);
    // Copies the duals into duales[1..n] (duales already sized n + 1).
    void Duales(AReal8& duales) const;
    double Objetivo() const { return Celda(0, 0); }
    // Value of the basic variable in basis position k (1..n).
    double ValorBasico(int k) const { return Celda(k, 0); }
    // d[0] = 0 and d[i] = -(B^-1 a)_i for i = 1..n.
    AReal8 Direccion(const AWord16& columna) const;
    // Brings the column in with reduced cost r. Answers false (sale = 0, table unchanged)
    // when no row limits it; otherwise true with the basis position that left. The column
    // is kept for later rebuilds, with r + pi a as its own cost.
    // artificiales, when given, flags the basis positions that still hold an artificial
    // variable at zero (phase 2): such a position also limits the step, with ratio 0, when
    // the column would raise it, so an artificial can leave but never grow again.
    bool Pivotear(const AWord16& columna, double costeReducido, int& sale,
                  const AByte* artificiales = nullptr);

    // Rebuilds the inverse, the basic values, the duals and the objective from the basis
    // columns and their costs. Raises EErrorPrecision when the basis is singular.
    void Refactorizar();
    // Largest relative residual of B x = b (rows) and of pi B = c_B (basis columns): how far
    // the table has drifted from its basis.
    double ResiduoPrimal() const;
    double ResiduoDual() const;
    // Pivots made since the inverse was last rebuilt from the basis columns, and rebuilds
    // so far (tests and diagnostics).
    int PivotesSinRefactorizar() const { return FPivotesSinRefactorizar; }
    int Refactorizaciones() const { return FRefactorizaciones; }

    // A basic value below this is round-off and reads as 0; a table whose residuals pass
    // ToleranciaResiduo is rebuilt.
    static constexpr double ToleranciaCero = 1e-9;
    static constexpr double ToleranciaResiduo = 1e-9;

private:
    std::size_t Indice(int i, int k) const {
        return static_cast<std::size_t>(i) * FAncho + static_cast<std::size_t>(k);
    }
    double Celda(int i, int k) const { return FTabla[Indice(i, k)]; }
    void CalcularDireccion(const AWord16& columna, AReal8& d) const;
    // Leaving position of the ratio test on FDireccion, 0 when no row limits the step.
    int Saliente(const AByte* artificiales) const;
    // Relative residual of B (-d) = a: whether the direction can be trusted.
    double ResiduoDireccion(const AWord16& columna, const AReal8& d) const;
    void LimpiarValores();
    bool NecesitaRefactorizar() const;
    double LimiteResiduo() const;

    struct RElemento {
        int Fila;
        double Valor;
    };
    using AColumna = std::vector<RElemento>;

    int FFilas = 0;
    std::size_t FAncho = 1;
    // (n+1) x (n+1), row-major: [0][0] objective, [0][j] duals, [i][0] basic values,
    // [i][j] the basis inverse.
    std::vector<double> FTabla;
    // The basis columns by position (non-zero entries), their costs, and b.
    std::vector<AColumna> FBase;
    AReal8 FCostes;
    AReal8 FLadoDerecho;
    int FPivotesSinRefactorizar = 0;
    double FResiduoRefactorizado = 0.0;
    int FRefactorizaciones = 0;
    // Work space of Pivotear, sized once: no allocation per pivot.
    mutable AReal8 FDireccion;
    mutable std::vector<long double> FProducto;
    mutable std::vector<int> FNoNulos;
};
