#pragma once

// A node of a cutting-pattern tree. Every inner node is a rectangle cut straight through
// into two parts (Dir 1: side by side along the length X; Dir -1: one above the other along
// the width Y); every leaf is a block of RepX x RepY identical pieces laid in a grid, or an
// empty rectangle (offcut or waste).
//
// Every length is gross: net size plus one kerf, so n pieces of gross length p fit a gross
// length L exactly when n * p <= L, and the kerf of a cut lies at the end of its first part.
//
// Invariants kept by every operation of this class:
// - Dir != 0: two children, Pieza = LargoPz = AnchoPz = RepX = RepY = 0.
//   Dir = 0: no children.
// - Dir = 1: both children have the parent's Ancho and their Largo add up to the parent's.
//   Dir = -1: both children have the parent's Largo and their Ancho add up to the parent's.
// - In a piece leaf LargoPz * RepX <= Largo and AnchoPz * RepY <= Ancho.
// - Assigning Dir or Pieza through their setters resets Etiqueta to "\def".
//
// The measures that need the kerf or the job's options (LargoSP, SobranteX, EsSobrante...)
// belong to the pattern (CPatron); the ones that do not are here.

#include <cstdint>
#include <memory>
#include <string>

// A rectangle in device units (left, top, right, bottom).
struct RRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;

    bool operator==(const RRect&) const = default;
};

class CCorte {
public:
    // The label that stands for the job's common label format.
    static constexpr const char* EtiquetaDef = "\\def";
    // Deepest tree the text reader accepts. Real patterns are a few tens of levels deep;
    // the bound keeps every recursive walk of the tree far from the end of the stack.
    static constexpr int ProfundidadMaxima = 2000;
    // Largest gross length or width the text reader accepts: twice the largest internal
    // length, so that a length plus a kerf or a margin always fits and the products of the
    // measures never overflow.
    static constexpr std::int32_t LongitudMaximaNodo = 2 * 65535 + 2;

    // Children start null; the arguments are in the order of the text form.
    CCorte(std::int32_t largo, std::int32_t ancho, std::int32_t dir, std::int32_t largoPz,
           std::int32_t anchoPz, std::int32_t pieza, std::int32_t repX, std::int32_t repY,
           std::string etiqueta = EtiquetaDef);
    static std::unique_ptr<CCorte> Create(std::int32_t largo, std::int32_t ancho, std::int32_t dir,
                                          std::int32_t largoPz, std::int32_t anchoPz,
                                          std::int32_t pieza, std::int32_t repX, std::int32_t repY,
                                          std::string etiqueta = EtiquetaDef);
    // Frees the subtree without recursion, so that no tree depth can exhaust the stack.
    ~CCorte();
    CCorte(const CCorte&) = delete;
    CCorte& operator=(const CCorte&) = delete;

    // ---- Fields ----
    std::int32_t Dir() const { return FDir; }
    void SetDir(std::int32_t valor); // resets Etiqueta to "\def"
    std::int32_t Pieza() const { return FPieza; }
    void SetPieza(std::int32_t valor); // resets Etiqueta to "\def"
    std::int32_t Largo() const { return FLargo; }
    void SetLargo(std::int32_t valor) { FLargo = valor; }
    std::int32_t Ancho() const { return FAncho; }
    void SetAncho(std::int32_t valor) { FAncho = valor; }
    std::int32_t LargoPz() const { return FLargoPz; }
    void SetLargoPz(std::int32_t valor) { FLargoPz = valor; }
    std::int32_t AnchoPz() const { return FAnchoPz; }
    void SetAnchoPz(std::int32_t valor) { FAnchoPz = valor; }
    std::int32_t RepX() const { return FRepX; }
    void SetRepX(std::int32_t valor) { FRepX = valor; }
    std::int32_t RepY() const { return FRepY; }
    void SetRepY(std::int32_t valor) { FRepY = valor; }

    const CCorte* Hijo1() const { return FHijo1.get(); }
    CCorte* Hijo1() { return FHijo1.get(); }
    const CCorte* Hijo2() const { return FHijo2.get(); }
    CCorte* Hijo2() { return FHijo2.get(); }
    // Replaces a child; the former child is freed.
    void SetHijo1(std::unique_ptr<CCorte> hijo);
    void SetHijo2(std::unique_ptr<CCorte> hijo);
    // Hands a child over to the caller; the node keeps null in its place.
    std::unique_ptr<CCorte> SoltarHijo1() { return std::move(FHijo1); }
    std::unique_ptr<CCorte> SoltarHijo2() { return std::move(FHijo2); }

    const std::string& Etiqueta() const { return FEtiqueta; }
    void SetEtiqueta(std::string valor) { FEtiqueta = std::move(valor); }
    // Where the node was last drawn on screen (set by drawing, read by hit-testing).
    const RRect& Marco() const { return FMarco; }
    void SetMarco(const RRect& valor) { FMarco = valor; }

    // ---- Measures that need neither kerf nor options ----
    bool EsHoja() const { return FDir == 0; }
    bool TienePieza() const { return FDir == 0 && FPieza != 0; }
    // Hijo1.Largo for a vertical cut, Hijo1.Ancho for a horizontal one, 0 for a leaf.
    std::int32_t PosicionCorte() const;
    // A leaf without a piece.
    bool EsVacio() const { return FDir == 0 && FPieza == 0; }
    // A leaf holding exactly one piece that fills it.
    bool EsPiezaSimple() const;
    // Gross free length beside the piece block, gross free width above it (0 for a cut).
    std::int32_t LibreX() const;
    std::int32_t LibreY() const;
    // Number of nodes of the subtree (walks without recursion).
    std::int32_t CantidadNodos() const;
    // Levels of the subtree: 1 for a leaf (walks without recursion).
    std::int32_t Profundidad() const;

    // ---- Copy and release ----
    // Deep copy of a subtree with every label reset to "\def"; null gives null.
    static std::unique_ptr<CCorte> Copiar(const CCorte* n);
    // Deep copy that keeps the labels (a whole pattern's copy, so that restoring it loses
    // nothing).
    static std::unique_ptr<CCorte> CopiarConEtiquetas(const CCorte* n);
    // Frees a subtree and leaves the reference null.
    static void Liberar(std::unique_ptr<CCorte>& n);
    // Dir := 0 and Pieza := 0 through the setters, the piece block fields := 0.
    // Children are not touched.
    void LimpiarPieza();
    // New length of the node: a vertical cut hands the change to its second part (the first
    // keeps its length), a horizontal cut to both parts.
    void AjustarLargo(std::int32_t largo);
    // New width: a horizontal cut hands the change to its second part, a vertical cut to both.
    void AjustarAncho(std::int32_t ancho);

    // ---- Reshaping primitives ----
    // Splits a leaf. A piece leaf becomes (block exactly | empty rest), whatever pos says;
    // an empty leaf is cut at the gross position pos, 0 meaning the middle (Largo div 2).
    // Answers false, changing nothing, for a cut node or a position outside 0..Largo.
    bool CortarVertical(std::int32_t pos);
    bool CortarHorizontal(std::int32_t pos);
    // Both children are leaves that can become one: both empty, only one with pieces, or
    // blocks of the same signed piece (and piece size) with the same count across the cut.
    bool PuedeUnir() const;
    // Joins the two leaves of the cut into one leaf of the same size. False when !PuedeUnir.
    bool Unir();
    // Exchanges the two parts of a cut. False for a leaf.
    bool Intercambiar();
    // The second part is a cut in the same direction, or a piece leaf with free room along
    // the cut direction.
    bool PuedeAmpliar() const;
    // Enlarges the first part: regroups (A | (B1 | B2)) into ((A | B1) | B2), or gives the
    // free band of a leaf B to A. False when !PuedeAmpliar.
    bool Ampliar();
    // The first part is a cut in the same direction, or a piece leaf with free room along
    // the cut direction.
    bool PuedeReducir() const;
    // Reduces the first part: regroups ((A1 | A2) | B) into (A1 | (A2 | B)), or gives the
    // free band of a leaf A to B. False when !PuedeReducir.
    bool Reducir();

    // ---- Text form ----
    // "(" Largo ";" Ancho ";" Dir ";" LargoPz ";" AnchoPz ";" Pieza ";" RepX ";" RepY ";"
    // Etiqueta ATexto(Hijo1) ATexto(Hijo2) ")"; a null node is "()".
    static std::string ATexto(const CCorte* n);
    // Reads one node text whose opening "(" has already been taken off the front of texto,
    // and takes the text read off texto. ")" gives null. A text that cannot be read, nests
    // deeper than ProfundidadMaxima, or describes a tree that breaks the invariants (negative
    // or oversized lengths, a child that does not fit its parent...) raises EConversion with
    // "Ocurrió un error al crear el patrón".
    static std::unique_ptr<CCorte> DeTexto(std::string& texto);
    // The same for a whole node text, opening "(" included (the clipboard form).
    static std::unique_ptr<CCorte> LeerTexto(const std::string& texto);

    // Same numbers, labels and shape over the whole subtree (Marco is not compared).
    static bool Iguales(const CCorte* a, const CCorte* b);

private:
    static std::unique_ptr<CCorte> CopiarArbol(const CCorte* n, bool conEtiquetas);

    std::int32_t FDir = 0;
    std::int32_t FPieza = 0;
    std::int32_t FLargo = 0;
    std::int32_t FAncho = 0;
    std::int32_t FLargoPz = 0;
    std::int32_t FAnchoPz = 0;
    std::int32_t FRepX = 0;
    std::int32_t FRepY = 0;
    std::unique_ptr<CCorte> FHijo1;
    std::unique_ptr<CCorte> FHijo2;
    std::string FEtiqueta = EtiquetaDef;
    RRect FMarco;
};
