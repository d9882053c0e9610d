#pragma once

// Manual adjustment of a job's patterns: the commands the user applies to the selected node
// of a pattern (cut, join, swap, enlarge, reduce, turn a two-by-two layout, clear, paste a
// copied semi-product, edit a property), their preconditions (which drive the enabled state
// of the commands), and the undo stack of the job window.
//
// Undo model: a last-in-first-out stack of entries (snapshot, index, kind). Kind 0: the
// pattern at index was changed, the snapshot is a full copy of it as it was; kind 1: the
// pattern at index was removed, the snapshot is that pattern; kind 2: a pattern was added at
// index, no snapshot. Every command that changes a pattern pushes exactly one entry, and only
// when the pattern really changed, so undoing every entry in turn gives back the solution as
// it was and no undo step is a silent no-op. Joining pushes an entry like every other
// command: a join that cannot be undone on its own would lose the user's layout.
//
// After a change the pattern's piece counts are recounted from its tree and the job is
// marked modified. Node pointers into a pattern are not valid after an undo (the pattern is
// replaced by its snapshot); the caller deselects first.

#include "document/CReglasComandos.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CCorte;
class CLanzamiento;
class CPatron;

enum class EAjuste {
    CorteVer,
    CorteHor,
    Unir,
    Intercambiar,
    Ampliar,
    Reducir,
    VerAHor,
    HorAVer,
    Limpiar,
};

class CAjuste {
public:
    // The tag that starts a node text on the clipboard.
    static constexpr const char* EtiquetaPortapapeles = "%Corte%";

    // ---- Preconditions ----
    static bool PuedeCortarVertical(const CCorte& n);
    // Never in bar mode, where a horizontal cut is refused anyway.
    static bool PuedeCortarHorizontal(const CPatron& P, const CCorte& n);
    // A vertical cut whose parts are horizontal cuts at the same position, a horizontal cut
    // and an empty leaf, or a piece block with free width and an empty leaf.
    static bool PuedeVerAHor(const CCorte& n);
    // The same with the axes exchanged.
    static bool PuedeHorAVer(const CCorte& n);
    static bool Puede(const CPatron& P, const CCorte& n, EAjuste op);
    // Every precondition for the selected node (all false without a node).
    static RAjustesPosibles Posibles(const CPatron& P, const CCorte* n);

    // ---- Turning a two-by-two layout (false, changing nothing, without the precondition) ----
    // The horizontal cut n of two vertical cuts at one position becomes a vertical cut of two
    // horizontal cuts with the same four cells in place; an empty part first mirrors its
    // sibling's cut; a piece block with its free band beside it becomes the block across the
    // whole width with the band as a strip beside it.
    static bool HorAVer(CCorte& n);
    static bool VerAHor(CCorte& n);

    // ---- Clipboard ----
    // "%Corte%," followed by the node text.
    static std::string TextoCopia(const CCorte& n);
    // The text is tagged as a node (what enables pasting).
    static bool EsTextoCorte(const std::string& texto);

    explicit CAjuste(CLanzamiento& lanzamiento);
    ~CAjuste();
    CAjuste(const CAjuste&) = delete;
    CAjuste& operator=(const CAjuste&) = delete;

    // ---- Commands on node n of P (P must be a pattern of the job's solution) ----
    // Applies op; the cut commands raise ECorteImposible or EErrorDirHorBarras without their
    // precondition, the others answer false. Nothing changed, nothing pushed, on failure.
    bool Ejecutar(CPatron& P, CCorte& n, EAjuste op);
    // Edits a property of the inspector (AsignarPropiedad) with undo: an entry is pushed when
    // the pattern changed, even when the edit then failed half-way, so that it can be undone.
    void AsignarPropiedad(CPatron& P, CCorte& n, const std::string& valor,
                          const std::string& clave);
    // Pastes a clipboard text into n. A text not tagged "%Corte%" changes nothing (false); a
    // tagged text that is not a node text, or one whose pieces are not the job's, raises
    // EConversion or EErrorIdPieza; a semi-product larger than n in either direction, or one
    // that would make the tree deeper than a pattern may be, raises ECorteImposible with
    // "El semiproducto copiado no cabe en el seleccionado". Failures change nothing.
    bool Pegar(CPatron& P, CCorte& n, const std::string& texto);
    // A piece dropped on leaf n: the leaf gets piece `pieza`, filled to the most pieces that
    // fit, turned when `rotada`; one undo entry for both steps. A refused turn (bar mode)
    // raises its error after the unturned block is in place and its entry pushed.
    void SoltarPieza(CPatron& P, CCorte& n, int pieza, bool rotada);
    // The label designer's result: n gets the format and, with `propagar`, so does every
    // node of both its subtrees. One entry is pushed when a label changed. False when
    // nothing changed.
    bool AsignarEtiqueta(CPatron& P, CCorte& n, const std::string& formato, bool propagar);

    // ---- Patterns removed and added by hand ----
    // Removes pattern k (1-based) of the solution with an entry of kind 1.
    void EliminarPatron(std::int32_t k);
    // Inserts the pattern at k with an entry of kind 2.
    void AgregarPatron(std::unique_ptr<CPatron> patron, std::int32_t k);

    // ---- Undo stack ----
    // Pushes an entry for P (kind 0 or 1: a copy of P; kind 2: none).
    void GuardarDeshacer(const CPatron& P, std::uint8_t tipo);
    bool PuedeDeshacer() const { return !FPila.empty(); }
    std::size_t Entradas() const { return FPila.size(); }
    // Pops the top entry and restores it; answers the index of the pattern to select (0 with
    // an empty stack).
    std::int32_t Deshacer();
    void VaciarDeshacer();

private:
    struct REntrada {
        std::unique_ptr<CPatron> Copia;
        std::int32_t Indice = 0;
        std::uint8_t Tipo = 0;
    };
    // Pushes snapshot as kind 0 when P differs from it; recounts P and marks the job.
    void Cerrar(std::unique_ptr<CPatron> copia, CPatron& P);

    CLanzamiento& FLanzamiento;
    std::vector<REntrada> FPila;
};
