#pragma once

// Geometric check of cutting patterns, independent of the code that builds them: the tree
// is walked with its coordinates and every rule a shop would check on the drawing is tested.
// Used on the patterns of the pricing step and on whole plans.
//
// Every measure is gross (net size plus one kerf), as the tree stores them, and so are the
// limits in RReglasPatron.

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

class CCorte;
class CLanzamiento;
class CPatron;

namespace validacion {

struct RReglasPatron {
    // Gross size the root must have (0: not checked).
    std::int32_t LargoRaiz = 0;
    std::int32_t AnchoRaiz = 0;
    // Every free band beside a block of pieces and every empty part of a cut is either none
    // or at least this long across the cut (0: no rule).
    std::int32_t SobranteMinimo = 0;
    // Longest cut line: a vertical cut is as long as its rectangle's width, a horizontal cut
    // as its length; the cuts inside a block must be possible in one order within the limit.
    std::int32_t CorteMaximo = INT_MAX;
    // Most cutting stages (0: no limit). A stage is a run of parallel cuts; a cut that only
    // separates a block from its free band (an explicit offcut) is part of the block.
    std::int32_t NivelCorte = 0;
    // Every leaf's piece must have the job's gross size of that piece (turned when negative).
    bool ComprobarTamanoPiezas = true;
    // The canonical form has cut the free bands of the blocks off as empty leaves (the job's
    // ChequearSobrante): a chain of cuts whose first parts lead to one block and whose second
    // parts are empty leaves is judged as the block it was made from (its cut lines are not
    // ones the shop makes, and it adds no stage).
    bool SobrantesExplicitos = false;
};

// The rules of the pattern's job as the calculation applies them: kerf added to every
// limit, check boxes honoured, no maximum cut in bars mode; the root is the pattern's
// material less the pattern's margins plus one kerf (width 1 in bars mode).
RReglasPatron ReglasDelPatron(const CPatron& patron);

// Problems found (Spanish, one per line); empty when the pattern is valid. The pattern
// must have a job unless reglas.ComprobarTamanoPiezas is false.
std::vector<std::string> ValidarPatron(const CPatron& patron, const RReglasPatron& reglas);
// With ReglasDelPatron.
std::vector<std::string> ValidarPatron(const CPatron& patron);

// Cutting stages of a subtree, counted like the generator: a leaf 0; a cut the most of its
// parts, each part adding one when its direction differs from the cut's (a leaf always does).
// With sobrantesExplicitos a block with its offcuts cut off counts as the block.
int EtapasDe(const CCorte* nodo, bool sobrantesExplicitos = false);

// The problems joined by line breaks, for test messages.
std::string Texto(const std::vector<std::string>& problemas);

} // namespace validacion
