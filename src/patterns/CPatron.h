#pragma once

// A cutting pattern: how one stock sheet or bar of a material is cut into pieces by a tree of
// guillotine cuts (CCorte), with the number of times it is cut in the continuous plan and in
// each integer plan, and how many pieces of each job piece it yields.
//
// World coordinates start at the bottom-left corner of the material, X to the right along the
// length, Y upwards along the width. The root is the usable rectangle of the material: its
// lower-left corner is (MargenIzq, MargenInf) and its gross size is the material size plus
// one kerf less the margins (width 1 in bar mode).
//
// The pattern holds its job without owning it; the job's options decide the bar mode and the
// offcut minimums of the measures. A pattern without a job measures as a sheet job with the
// offcut check off.

#include "patterns/CCorte.h"

#include "document/UGlobals.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CLanzamiento;
struct ROpciones;
class CLienzo;

// Where a node lies in its pattern and its sequence numbers (the label variables #C, #SP and
// #OFF): the counters of the pre-order walk at the moment the node was reached.
struct RLocalizacion {
    bool Encontrado = false;
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int32_t Cortes = 0;    // cut nodes met, the target included when it is a cut
    std::int32_t Hojas = 0;     // leaves met, the target included when it is a leaf
    std::int32_t Sobrantes = 0; // empty leaves that are offcuts, the target included
};

class CPatron {
public:
    // New pattern of a material for a job: CantPorPieza sized numPiezas + 1 and zeroed, no
    // root, repetitions 0; kerf and margins from the job's options (kerf only when
    // ChequearAnchoCorte is on; margins only when ChequearMargenes is on and the material
    // carries them; no top and bottom margins in bar mode). The job may be null.
    CPatron(std::int32_t numPiezas, std::int32_t material, const CLanzamiento* lanzamiento);
    static std::unique_ptr<CPatron> Create(std::int32_t numPiezas, std::int32_t material,
                                           const CLanzamiento* lanzamiento);
    ~CPatron();
    CPatron(const CPatron&) = delete;
    CPatron& operator=(const CPatron&) = delete;

    // Deep copy: counts, tree with its labels, repetitions, material, kerf and margins; same
    // job. (Copying a single subtree with CCorte::Copiar drops its labels; a whole pattern's
    // copy keeps them, because an undo snapshot or a kept pattern restored from it must not
    // lose the labels the user wrote.)
    static std::unique_ptr<CPatron> Copia(const CPatron& p);

    // ---- Drawing state (set by the drawing of the pattern) ----
    const RRect& RectVista() const { return FRectVista; }
    void SetRectVista(const RRect& valor) { FRectVista = valor; }
    const RRect& RectDestino() const { return FRectDestino; }
    void SetRectDestino(const RRect& valor) { FRectDestino = valor; }
    // World extent used while drawing (the measures LargoTotal/AnchoTotal are below).
    std::int32_t LargoTotalDibujo() const { return FLargoTotalDibujo; }
    void SetLargoTotalDibujo(std::int32_t valor) { FLargoTotalDibujo = valor; }
    std::int32_t AnchoTotalDibujo() const { return FAnchoTotalDibujo; }
    void SetAnchoTotalDibujo(std::int32_t valor) { FAnchoTotalDibujo = valor; }
    // Output surface of the last drawing call; not owned.
    CLienzo* Lienzo() const { return FLienzo; }
    void SetLienzo(CLienzo* valor) { FLienzo = valor; }
    // Drawing mode of the last drawing call: 0 screen, 1 paper, 2 thumbnail.
    std::uint8_t Modo() const { return FModo; }
    void SetModo(std::uint8_t valor) { FModo = valor; }

    // ---- Job ----
    const CLanzamiento* Lanzamiento() const { return FLanzamiento; }
    // The option record the measures use: the one given with SetOpciones, else the job's
    // (null without either).
    const ROpciones* Opciones() const;
    // Another option record for the measures (not owned; null returns to the job's).
    void SetOpciones(const ROpciones* valor) { FOpciones = valor; }
    // Binds the pattern to another job (kerf, margins and counts are left alone).
    void SetLanzamiento(const CLanzamiento* valor) { FLanzamiento = valor; }

    // ---- Fields ----
    std::int32_t AnchoCorte() const { return FAnchoCorte; }
    void SetAnchoCorte(std::int32_t valor) { FAnchoCorte = valor; }
    std::int32_t MargenIzq() const { return FMargenIzq; }
    void SetMargenIzq(std::int32_t valor) { FMargenIzq = valor; }
    std::int32_t MargenSup() const { return FMargenSup; }
    void SetMargenSup(std::int32_t valor) { FMargenSup = valor; }
    std::int32_t MargenDer() const { return FMargenDer; }
    void SetMargenDer(std::int32_t valor) { FMargenDer = valor; }
    std::int32_t MargenInf() const { return FMargenInf; }
    void SetMargenInf(std::int32_t valor) { FMargenInf = valor; }

    const CCorte* Raiz() const { return FRaiz.get(); }
    CCorte* Raiz() { return FRaiz.get(); }
    // Replaces the root; the former tree is freed.
    void SetRaiz(std::unique_ptr<CCorte> raiz);
    std::unique_ptr<CCorte> SoltarRaiz() { return std::move(FRaiz); }
    // Makes the root an empty leaf of the gross usable size of a material of the given net
    // size: length + kerf - left and right margins; width + kerf - top and bottom margins,
    // or 1 in bar mode.
    void CrearRaiz(std::int32_t largoMaterial, std::int32_t anchoMaterial);

    // Pieces of each job piece number the pattern yields, indexed from 1. After a recount
    // the array reaches the highest piece the tree holds; pieces beyond it count 0.
    const ACantidades& CantPorPieza() const { return FCantPorPieza; }
    ACantidades& CantPorPieza() { return FCantPorPieza; }
    void SetCantPorPieza(ACantidades valor) { FCantPorPieza = std::move(valor); }
    // CantPorPieza[pieza], 0 for a piece beyond the array or below 1.
    std::int64_t CantidadPieza(std::int32_t pieza) const;
    std::int32_t NumPiezas() const;

    double Repeticion() const { return FRepeticion; }
    void SetRepeticion(double valor) { FRepeticion = valor; }
    // Integer repetitions by plan kind: 0 final, 1 ceiling, 2 floor.
    const std::array<std::int32_t, 3>& RepEntera() const { return FRepEntera; }
    std::int32_t RepEntera(int tipo) const;
    void SetRepEntera(int tipo, std::int32_t valor);
    void SetRepEntera(const std::array<std::int32_t, 3>& valor) { FRepEntera = valor; }

    std::int32_t Material() const { return FMaterial; }
    void SetMaterial(std::int32_t valor) { FMaterial = valor; }

    // ---- Job options as the measures use them ----
    bool Barras() const;
    bool ChequearSobrante() const;
    std::int32_t LargoMinimoSobrante() const;
    std::int32_t AnchoMinimoSobrante() const;

    // ---- Measures of a node of this pattern (k = AnchoCorte) ----
    std::int32_t LargoSP(const CCorte& n) const;     // Largo - k
    std::int32_t AnchoSP(const CCorte& n) const;     // Ancho - k; 1 in bar mode
    std::int32_t LargoPzNeto(const CCorte& n) const; // 0 without a piece
    std::int32_t AnchoPzNeto(const CCorte& n) const; // 0 without a piece; 1 in bar mode
    std::int32_t SobranteX(const CCorte& n) const;   // net free length beside the block
    std::int32_t SobranteY(const CCorte& n) const;   // net free width above it; 0 in bars
    std::int32_t Dim1(const CCorte& n) const;        // net size of the first part
    std::int32_t Dim2(const CCorte& n) const;        // net size of the second part
    // A leaf whose free space is large enough to be kept as stock (only with the offcut
    // check on): longer side >= LargoMinimoSobrante, shorter side >= AnchoMinimoSobrante.
    bool EsSobrante(const CCorte& n) const;

    // ---- Measures of the whole pattern ----
    std::int32_t LargoTotal() const; // LargoSP(Raiz) + left and right margins
    std::int32_t AnchoTotal() const; // AnchoSP(Raiz) + top and bottom margins
    double AreaTotal() const;
    double AreaPiezas() const;
    double AreaSobrantes() const;
    // Yield, offcut share and waste share of the material area (0 for an area of 0).
    double Aprovechamiento() const;
    double Sobrante() const;
    double Desperdicio() const; // max(1 - yield - offcut share, 0)
    // Net area of the pieces of job piece i in the pattern.
    double AreaPieza(std::int32_t i) const;
    // AreaPieza of every piece in one walk: adds peso times it to areas[i] for each piece i
    // below areas.size().
    void SumarAreasPiezas(std::vector<double>& areas, double peso) const;
    // Sum of CantPorPieza[1..].
    std::int64_t TotalPiezas() const;

    // ---- Texts in the job's units ----
    // "L" in bar mode, else "LxA", for the material and for a node (net sizes).
    std::string TextoTamano() const;
    std::string TextoTamano(const CCorte& n) const;
    // "(x)" in bar mode, else "(x,y)".
    std::string TextoCoordenadas(std::int32_t x, std::int32_t y) const;

    // ---- Walks ----
    // Pre-order walk from the root at (MargenIzq, MargenInf) counting cuts, leaves and
    // offcuts until the target is met; the result carries its origin and the counters.
    RLocalizacion Localizar(const CCorte* objetivo) const;
    // Counts RepX * RepY of every piece leaf into a fresh CantPorPieza, in 64 bits (held at
    // the largest value rather than wrapping), up to the highest piece of the tree. A leaf
    // whose piece number is beyond numPiezas raises EErrorIdPieza and leaves the counts
    // unchanged.
    void RecontarPiezas(std::int32_t numPiezas);
    // Canonical form: sorting pass and merging pass, each repeated to its fixed point, then
    // (with ChequearSobrante on) the free bands of the piece blocks large enough to be
    // offcuts are cut off as explicit empty leaves. The merging can leave a new piece block
    // out of order, so sorting and merging run again until a merging round joins nothing.
    // With the job's maximum cut checked, a free band is not handed to a neighbour whose
    // cuts it would lengthen past that maximum (the generator's patterns must stay cuttable).
    // Each pass at a node counts as a step: real patterns need a few thousand, a chain of a
    // hundred distinct pieces under a million; a pathological tree read from a file could
    // need billions, so the passes stop after maximoPasos steps and the answer is false
    // (the tree keeps its invariants, counts and areas, only not fully sorted and merged).
    static constexpr long long PasosMaximosNormalizar = 20'000'000;
    bool Normalizar(long long maximoPasos = PasosMaximosNormalizar);

    // ---- Text form ----
    // Repeticion;RepEntera[1];RepEntera[2];RepEntera[0];0;AnchoCorte;Material;Barras;
    // MargenIzq;MargenDer;MargenSup;MargenInf followed directly by the root's node text.
    // Repeticion is the shortest text that reads back to the same double, "." as separator.
    std::string ATexto() const;
    // Reads a pattern text for a job with numPiezas pieces. A header field that is not a
    // number ends its group and leaves the rest of the group at 0. A node part that cannot be
    // read, a tree that breaks the invariants, a piece number beyond numPiezas, or a kerf or
    // margin whose size is beyond the largest length gives a pattern without a tree (Raiz null,
    // counts 0) and "Ocurrió un error al crear el patrón" in aviso; otherwise aviso is left empty.
    static std::unique_ptr<CPatron> DeTexto(const std::string& texto, std::int32_t numPiezas,
                                            const CLanzamiento* lanzamiento, std::string& aviso);

    // Same header fields, counts and tree (labels included; drawing state not compared).
    static bool Iguales(const CPatron& a, const CPatron& b);

private:
    CPatron() = default;
    void ExplicitarSobrantes(CCorte* n);

    RRect FRectVista;
    RRect FRectDestino;
    std::int32_t FLargoTotalDibujo = 0;
    std::int32_t FAnchoTotalDibujo = 0;
    CLienzo* FLienzo = nullptr;
    const CLanzamiento* FLanzamiento = nullptr;
    const ROpciones* FOpciones = nullptr;
    std::uint8_t FModo = 0;
    std::int32_t FAnchoCorte = 0;
    std::int32_t FMargenIzq = 0;
    std::int32_t FMargenSup = 0;
    std::int32_t FMargenDer = 0;
    std::int32_t FMargenInf = 0;
    std::unique_ptr<CCorte> FRaiz;
    ACantidades FCantPorPieza;
    double FRepeticion = 0.0;
    std::array<std::int32_t, 3> FRepEntera{0, 0, 0};
    std::int32_t FMaterial = 0;
};
