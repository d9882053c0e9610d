#pragma once

// What the pattern view needs to know about the drawn pattern, without any widget: which
// leaf a click falls in, which node a selection band holds, the nodes in the order of the
// cut tree (with their lower-left corners and tree captions), and how a job piece fits the
// selected leaf (the pieces inspector's counts, remainders and column marks).
//
// Hit-testing reads each node's Marco, the device rectangle the last drawing recorded.

#include "patterns/CCorte.h"

#include <cstdint>
#include <string>
#include <vector>

class CLanzamiento;
class CPatron;

// The leaf whose Marco holds (x, y) strictly inside, searching a cut's first part before its
// second; null on a kerf strip or outside the material.
CCorte* HojaEnPunto(CCorte* raiz, int x, int y);
// The first node, in pre-order, whose Marco lies inside the band (edges included; the band's
// corners may come in any order).
CCorte* NodoEnBanda(CCorte* raiz, const RRect& banda);

struct RNodoArbol {
    CCorte* Nodo = nullptr;
    int Padre = -1; // index in the list, -1 for the root
    std::int32_t X = 0;
    std::int32_t Y = 0;
};
// Every node in pre-order (the order of the cut tree), from the root at (MargenIzq, MargenInf).
std::vector<RNodoArbol> NodosEnOrden(CPatron& P);
// The tree caption: "<size> en <coordinates>" in the job's units.
std::string TextoNodo(const CPatron& P, const CCorte& n, std::int32_t x, std::int32_t y);

// How a piece of net size (pl, pw) fits leaf n: counts along X and Y and what is left over.
struct REncajePieza {
    std::int32_t CuentaX = 0;
    std::int32_t RestoX = 0;
    std::int32_t CuentaY = 0;
    std::int32_t RestoY = 0;
};
REncajePieza EncajePieza(const CPatron& P, const CCorte& n, std::int32_t pl, std::int32_t pw);

// The column marks of the pieces inspector for the selected node (">P" instead of "P"):
// element i (from 1) is true for piece i. Nothing is marked unless n is an empty leaf.
// diferencias[i] is the quantity the plan produces less the one ordered; `rotadas` places
// the pieces turned (only pieces that may be turned can then be placed).
std::vector<bool> MarcasPiezas(const CPatron& P, const CCorte* n, const CLanzamiento& job,
                               const std::vector<std::int64_t>& diferencias, bool rotadas);
