#pragma once

// The pattern generator of the column-generation calculation.
//
// Pricing model. The master problem covers the remaining demand of every piece row with
// repetitions of cutting patterns under the stock of every material; its simplex hands the
// generator one dual price per piece row and one per material row. The most attractive new
// column is the pattern of largest value  sum(count(p) x dual(p))  on some material, and its
// reduced cost is (cost of the material) - value - dual(material), the cost being 0 in the
// first phase and the material's area in the second. The generator finds that pattern
// exactly, for every material at once, with a staged guillotine knapsack: a dynamic
// programme over the rectangles spanned by a reduced set of candidate cut positions, whose
// cells are either a homogeneous block of one piece or the better of every vertical and
// horizontal cut into two smaller cells. A dynamic programme rather than a heuristic, because
// the column generation only stops when no column with a negative reduced cost exists: a
// generator that misses the best pattern ends the calculation early with a worse plan.
//
// The shop's constraints enter the cells, not a later check: every size is gross (net size
// plus one kerf), so k pieces fit a length L exactly when k x size <= L; a leftover beside a
// block or between the parts of a cut is either none or at least the minimum offcut; cut
// lines longer than the maximum cut are not made; the grip length is kept; and every cell
// counts its cutting stages so that the limit on stages holds for the whole sheet.
//
// Rows. Piece rows 1..NumPiezas are the active pieces with a remaining demand, in job order;
// rows NumPiezas + 1..NumFilas are turned copies (length and width exchanged) of the pieces
// that may be turned. Material rows 1..NumMateriales are the active materials in job order.
// The dual vector of GenerarPatron is indexed 1..NumPiezas for the pieces and
// NumPiezas + 1..NumPiezas + NumMateriales for the materials.
//
// The generator works on its own copies of the job's options, pieces and materials; the job
// and its solution must not change while it lives.

#include "document/ROpciones.h"
#include "document/UGlobals.h"

#include <cstdint>
#include <memory>
#include <vector>

class CCorte;
class CControlCalculo;
class CLanzamiento;
class CPatron;
class CTablaCortes;

class CMochila {
public:
    // Set-up from the job: copies the options and normalises the copy, selects the active
    // pieces and materials, applies kept patterns, kerf, margins, rotation and the bars case.
    // Raises ENoHayPiezas, EPedidoNulo, ENoHayMateriales, EMaterialNulo or EPiezaNula (in
    // that order of checking, each with an empty message). With MantenerPatronesActuales the
    // kept patterns of the job's solution get a theoretical repetition of 0.
    explicit CMochila(CLanzamiento& Lanzamiento);
    ~CMochila();
    CMochila(const CMochila&) = delete;
    CMochila& operator=(const CMochila&) = delete;

    // Optimisation level (1, 2 or 3) of the next pricing steps; stored in the copy's
    // NivelOptimizacionFinal.
    void SetNivelOptimizacion(int Nivel);

    // The pricing step. Duales[1..NumPiezas + NumMateriales] are the dual prices; Modo 1 makes
    // every pattern cost nothing, any other value the area of its material. Patron receives
    // the normalised pattern of least reduced cost, or nothing when no material can hold a
    // piece of positive value; Material its material row (left alone when there is none);
    // CostoReducido its reduced cost (1.7e308 when there is none). Polls the calculation's
    // stop requests (ECalculoAbortado, ECalculoForzado) and reports progress to it.
    void GenerarPatron(const AReal8& Duales, std::unique_ptr<CPatron>& Patron, int Modo,
                       int& Material, double& CostoReducido);

    // Besides the winner, each pricing step may keep up to `n` other improving patterns (0,
    // the default, keeps none): the best pattern of every other material whose reduced cost
    // is negative, and the best alternative first cuts of each material's sheet. They are
    // valid patterns, not the most valuable ones; TomarAdicionales hands them over.
    struct RAdicional {
        std::unique_ptr<CPatron> Patron;
        int Material = 0; // material row
    };
    void FijarAdicionales(int n) { FMaxAdicionales = n; }
    std::vector<RAdicional> TomarAdicionales() { return std::move(FAdicionales); }

    // Work done by the pricing steps so far, in cell visits and cut tries: the same on every
    // machine and under any load, so a budget on it stops a search at the same point anywhere.
    std::int64_t Trabajo() const { return FTrabajo; }

    // Job piece number of a piece row; the negated job piece number for a turned row.
    int PiezaDeFila(int Fila) const;
    // Job material number of a material row.
    int MaterialDeFila(int Fila) const;
    // Stock of a job material (by job number); 65535 is unlimited.
    std::uint16_t DisponibleMaterial(int Numero) const;

    // Candidate cut positions along the length (Largo true) or the width, ascending from 0,
    // as the last pricing step used them (its candidate list and the current level); before
    // any pricing step every piece row is a candidate. Pos[0..NumPos] are the positions.
    void PosicionesCandidatas(bool Largo, AWord16& Pos, int& NumPos) const;

    // ---- The generator's tables (read-only) ----
    // Piece rows 1..NumFilas: gross sizes (width 1 in bars mode), the job piece number (for a
    // turned row: the piece row it copies), remaining demand and active flag.
    const AWord16& Largos() const { return FLargos; }
    const AWord16& Anchos() const { return FAnchos; }
    const AWord16& Piezas() const { return FPiezas; }
    const AWord16& Pedido() const { return FPedido; }
    const AWord16& Activas() const { return FActivas; }
    // Material rows 1..NumMateriales: job material number, gross usable sizes, active flag.
    const AWord16& Materiales() const { return FMateriales; }
    const AWord16& LargosMat() const { return FLargosMat; }
    const AWord16& AnchosMat() const { return FAnchosMat; }
    const AWord16& ActivosMat() const { return FActivosMat; }
    // Stock by job material number 1..TotalMateriales (65535 unlimited).
    const AWord16& Disponibles() const { return FDisponibles; }
    // Area of the job material of each material row (the second phase's cost).
    double AreaMaterialFila(int Fila) const;

    int NumFilas() const { return FNumFilas; }
    int NumPiezas() const { return FNumPiezas; }
    int TotalPiezas() const { return FTotalPiezas; }
    int NumMateriales() const { return FNumMateriales; }
    int TotalMateriales() const { return FTotalMateriales; }

    // The generator's copy of the options, normalised: AnchoCorte 0 unless checked;
    // SobranteMinimo, CorteMaximo and LongitudAgarre gross (with the kerf) and already
    // reflecting their check boxes; NivelCorte 1..255; the current level in
    // NivelOptimizacionFinal.
    const ROpciones& Opciones() const { return FOpciones; }

    int MaxLargoMat() const { return FMaxLargoMat; }
    int MaxLargoPza() const { return FMaxLargoPza; }
    int MaxAnchoMat() const { return FMaxAnchoMat; }
    int MaxAnchoPza() const { return FMaxAnchoPza; }
    int MinLargoMat() const { return FMinLargoMat; }
    int MinLargoPza() const { return FMinLargoPza; }
    int MinAnchoMat() const { return FMinAnchoMat; }
    int MinAnchoPza() const { return FMinAnchoPza; }

    CLanzamiento& Lanzamiento() const { return *FLanzamiento; }

private:
    // ---- Set-up ----
    void LeerPiezas();
    void DescontarProducido();
    void QuitarPiezasInactivas();
    void LeerMateriales();
    void DescontarMaterialUsado();
    void QuitarMaterialesInactivos();
    void AplicarMargenes();
    void CrearFilasRotadas();
    void CalcularExtremos();
    void ComprobarDimensiones() const;
    void NormalizarRestricciones();

    // ---- Pricing ----
    void PrepararCandidatas(const AReal8& Duales);
    void FiltrarCandidatas();
    void CalcularPosiciones(CTablaCortes& Tabla) const;
    void FaseBloques(CTablaCortes& Tabla, CControlCalculo* Control);
    void SembrarNiveles(CTablaCortes& Tabla) const;
    void FaseCombinacion(CTablaCortes& Tabla, CControlCalculo* Control);
    // The other improving patterns of one material (see FijarAdicionales).
    void Alternativas(CTablaCortes& Tabla, int q, double Costo, double Dual, bool Ganador);
    std::unique_ptr<CPatron> CrearPatron(const CTablaCortes& Tabla, int q) const;
    std::unique_ptr<CCorte> ConstruirCorte(const CTablaCortes& Tabla, int L, int W, int ExtraL,
                                           int ExtraW) const;
    // Leftover rule of a row of count pieces of size s with rest beside them: fewer pieces
    // until the rest is none or at least the minimum offcut, and the rest or the last piece
    // at least the grip length.
    void RecortarFila(int s, int& Cuenta, int& Resto) const;

    CLanzamiento* FLanzamiento;

    AWord16 FLargos;
    AWord16 FAnchos;
    AWord16 FPiezas;
    AWord16 FMateriales;
    AWord16 FPedido;
    AWord16 FDisponibles;
    AInt32 FOrden;
    AWord16 FLargosMat;
    AWord16 FAnchosMat;
    AWord16 FActivas;
    AWord16 FActivosMat;
    AReal8 FValores;
    AReal8 FAreaMat;

    int FNumFilas = 0;
    int FNumPiezas = 0;
    int FTotalPiezas = 0;
    int FNumMateriales = 0;
    int FTotalMateriales = 0;

    ROpciones FOpciones;

    int FMaxLargoMat = 0;
    int FMaxLargoPza = 0;
    int FMaxAnchoMat = 0;
    int FMaxAnchoPza = 0;
    int FMinLargoMat = 0;
    int FMinLargoPza = 0;
    int FMinAnchoMat = 0;
    int FMinAnchoPza = 0;

    // Survive between pricing steps; each step sets them before reading them.
    int FNumCandidatas = 0;
    std::int64_t FTrabajo = 0;
    int FLimiteNiveles = 255;
    int FMaxAdicionales = 0;
    std::vector<RAdicional> FAdicionales;
};
