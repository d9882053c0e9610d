#pragma once

// Random pattern trees for property tests, an independent checker of the tree invariants,
// and small pictures of trees for failure messages.
//
// Trees are built from a table of pieces (gross sizes, 1-based); a negative piece number is
// the same piece turned, laid with length and width exchanged. Every piece leaf uses the
// table's size for its signed piece, as the generator and the adjustments do.

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

class CCorte;
class CPatron;

namespace azar {

struct RDimPieza {
    std::int32_t Largo = 0;
    std::int32_t Ancho = 0;
};

// Element 0 unused.
using TablaPiezas = std::vector<RDimPieza>;

struct RParametrosArbol {
    std::int32_t Largo = 1000; // gross size of the root
    std::int32_t Ancho = 500;  // ignored in bar mode (the root width is 1)
    bool Barras = false;       // only vertical cuts, widths 1
    bool Rotar = true;         // turned pieces (negative numbers) may appear
    int ProfundidadMaxima = 7;
    double ProbabilidadHoja = 0.3;  // chance to stop cutting at a node that could be cut
    double ProbabilidadVacia = 0.3; // chance that a leaf stays empty
    double ProbabilidadEtiqueta = 0.2;
    double ProbabilidadCorteNulo = 0.03; // a cut that leaves a part of size 0
};

// n pieces with gross lengths and widths in 1..maxLargo and 1..maxAncho (width 1 in bars).
TablaPiezas PiezasAzar(std::mt19937& rng, int n, std::int32_t maxLargo, std::int32_t maxAncho,
                       bool barras);

// A valid tree over the table.
std::unique_ptr<CCorte> ArbolAzar(std::mt19937& rng, const RParametrosArbol& parametros,
                                  const TablaPiezas& piezas);

// A label the label language could have written: no "(", ")", ";" nor line breaks.
std::string EtiquetaAzar(std::mt19937& rng);

// Empty when every invariant of the tree holds, else a description of the first broken one
// and where (the path from the root, "1" and "2" for the children). With a table, the piece
// leaves must also use the table's sizes and only numbers within it. Every operation leaves
// the block fields of an empty leaf at 0; a tree read from a text may carry other values
// there, which mean nothing: vaciasEstrictas = false lets them pass.
std::string Invariantes(const CCorte* raiz, const TablaPiezas* piezas = nullptr,
                        bool vaciasEstrictas = true);

// Indented listing of the tree, one node a line, for failure messages.
std::string Esquema(const CCorte* raiz);
std::string Mostrar(const CCorte* raiz);

// Calls f on every node, parents before children, without recursion.
template <class TNodo, class F> void ParaCadaNodo(TNodo* raiz, F f) {
    std::vector<TNodo*> pila;
    if (raiz) {
        pila.push_back(raiz);
    }
    while (!pila.empty()) {
        TNodo* n = pila.back();
        pila.pop_back();
        f(*n);
        if (n->Hijo2()) {
            pila.push_back(n->Hijo2());
        }
        if (n->Hijo1()) {
            pila.push_back(n->Hijo1());
        }
    }
}

// Pieces of each number (1..numPiezas) and the piece area (gross), counted independently
// of CPatron.
std::vector<long long> ContarPiezas(const CCorte* raiz, int numPiezas);
long long AreaBrutaPiezas(const CCorte* raiz);

} // namespace azar
