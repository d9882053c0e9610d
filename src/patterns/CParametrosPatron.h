#pragma once

// A pattern flattened into four numbered lists for the reports, the coordinates listing and
// the spreadsheet export: the cuts, the piece types, the offcuts and the semi-products (one
// per leaf, with its coordinates). All lists are 1-based; entry 0 is never used.
// Two companion walks give the cut lines with their captions and the distinct offcut sizes.

#include <cstdint>
#include <string>
#include <vector>

class CCorte;
class CPatron;

struct RCorteParametro {
    std::int32_t Dim1 = 0;
    std::int32_t Dim2 = 0;
    bool operator==(const RCorteParametro&) const = default;
};

// A piece type of the pattern: net sizes in the piece's own (unturned) orientation and the
// number of such pieces, turned or not.
struct RPiezaPatron {
    std::int32_t Pieza = 0;
    std::int32_t Largo = 0;
    std::int32_t Ancho = 0;
    std::int32_t Cantidad = 0;
    bool operator==(const RPiezaPatron&) const = default;
};

struct RSobranteParametro {
    std::int32_t SobranteX = 0;
    std::int32_t SobranteY = 0;
    bool operator==(const RSobranteParametro&) const = default;
};

struct RSemiproducto {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int32_t LargoSP = 0;
    std::int32_t AnchoSP = 0;
    std::int32_t LargoPzNeto = 0;
    std::int32_t AnchoPzNeto = 0;
    std::int32_t Pieza = 0; // absolute value
    std::int32_t RepX = 0;
    std::int32_t RepY = 0;
    std::uint8_t Rotada = 0;
    std::int32_t SobranteX = 0;
    std::int32_t SobranteY = 0;
    bool operator==(const RSemiproducto&) const = default;
};

// A line to cut, from (X1, Y1) to (X2, Y2) in world coordinates, with its caption ("C3",
// "P2").
struct RLineaCorte {
    std::int32_t X1 = 0;
    std::int32_t Y1 = 0;
    std::int32_t X2 = 0;
    std::int32_t Y2 = 0;
    std::string Texto;
    bool operator==(const RLineaCorte&) const = default;
};

// Offcuts of one size: longer side, shorter side, how many.
struct RTamanoSobrante {
    std::int32_t Largo = 0;
    std::int32_t Ancho = 0;
    std::int32_t Cantidad = 0;
    bool operator==(const RTamanoSobrante&) const = default;
};

class CParametrosPatron {
public:
    CParametrosPatron();

    // Fills the four lists from P (what an earlier call left is dropped).
    void Construir(const CPatron& P);

    std::int32_t NumCortes() const { return FNumCortes; }
    std::int32_t NumPiezas() const { return FNumPiezas; }
    std::int32_t NumSobrantes() const { return FNumSobrantes; }
    std::int32_t NumSemiproductos() const { return FNumSemiproductos; }

    // The i-th record, i from 1; an index outside the list answers an empty record.
    const RCorteParametro& Corte(std::int32_t i) const;
    const RPiezaPatron& PiezaPatron(std::int32_t i) const;
    const RSobranteParametro& Sobrante(std::int32_t i) const;
    const RSemiproducto& Semiproducto(std::int32_t i) const;

private:
    void Recorrer(const CPatron& P, const CCorte* n, std::int32_t x, std::int32_t y);
    void AgregarPieza(const RPiezaPatron& pieza);

    std::int32_t FNumCortes = 0;
    std::int32_t FNumPiezas = 0;
    std::int32_t FNumSobrantes = 0;
    std::int32_t FNumSemiproductos = 0;
    std::vector<RCorteParametro> FCortes;
    std::vector<RPiezaPatron> FPiezas;
    std::vector<RSobranteParametro> FSobrantes;
    std::vector<RSemiproducto> FSemiproductos;
};

// Fills lista[1..n] with the cut lines of P and answers n: one line per cut, then the lines
// between the repeated pieces of every block that is not a single piece (the line on a
// block's far edge is left out when the block fills its leaf).
std::int32_t LineasDeCorte(const CPatron& P, std::vector<RLineaCorte>& lista);
// Fills lista[1..n] with the distinct offcut sizes of P in first-seen order and answers n;
// 300 x 200 and 200 x 300 are one size.
std::int32_t TamanosSobrantes(const CPatron& P, std::vector<RTamanoSobrante>& lista);
