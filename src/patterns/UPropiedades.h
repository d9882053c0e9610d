#pragma once

// The seven properties the pattern inspector shows for the selected node ("Dir Corte",
// "Dim Corte", "Pieza", "Rotada", "Distribución", "Sobrante en x", "Sobrante en y"): the text
// each shows, which of them may be edited, the pick lists, and the setter that parses,
// validates and applies a new value to the tree.

#include <functional>
#include <string>
#include <vector>

class CCorte;
class CGrilla;
class CLanzamiento;
class CPatron;

// The text a property shows for node n of P; "" for an unknown key.
std::string ValorPropiedad(const CPatron& P, const CCorte& n, const std::string& clave);
// Whether the inspector lets the user edit it; unknown keys are not editable.
bool PropiedadEditable(const CPatron& P, const CCorte& n, const std::string& clave);

// Pick lists: "Dir Corte" and "Rotada" have fixed words, other keys none.
std::vector<std::string> ListaPropiedad(const std::string& clave);
// "Pieza": one entry per row of the pieces grid (row 0 is the header, column 1 Largo,
// column 2 Ancho): "i [largo x ancho]", "i [largo]" in bar mode.
std::vector<std::string> ListaPiezasPropiedad(const CGrilla& piezas, bool barras);

// What the job window does around a change; either may be empty.
struct RAccionesPropiedad {
    // Called first: pushes an undo snapshot of P. It stays pushed when the change fails.
    std::function<void()> GuardarDeshacer;
    // Called after a change that completed: refreshes the views (and recounts P's pieces).
    std::function<void()> Refrescar;
};

// Parses `valor` for the property `clave` and applies it to node n of P. The job gives the
// piece sizes and is marked modified when the call completes. Failures raise the property
// exceptions (EErrorPropiedad, EErrorDirHorBarras, ECorteImposible, EErrorRangoDimension,
// EErrorIdPieza, EErrorRangoPieza, EPiezaNula, EConversion) with their messages; a failed step
// changes nothing, except that "Pieza" and "Rotada" have already cleared or re-signed the node
// when a piece of size 0 is refused. The two offcut keys and unknown keys take no value:
// they change nothing and call neither action.
void AsignarPropiedad(CPatron& P, CCorte& n, CLanzamiento& lanzamiento, const std::string& valor,
                      const std::string& clave, const RAccionesPropiedad& acciones = {});
