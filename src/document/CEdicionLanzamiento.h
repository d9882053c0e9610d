#pragma once

// The editing rules of a job window, without any widget: the pieces and materials grids as
// the user edits them, the results grid built from the solution, and every command the
// window carries out on them (cell rule, typing into a selection, Act toggling, insert, add,
// delete, copy, paste, move, sort, filter, the "Real" column, multiply quantities, reset of
// the solution, save and close). The window's grids only show these grids and forward the
// user's input here; questions go through a hook so that tests answer them.
//
// Grids: row 0 holds the headers and column 0 the row numbers. The pieces and materials
// grids have 7 columns (Id, Largo, Ancho, Cantidad, Desc1, Desc2, Act); they are written
// into the job only by GuardarGrillas, so "a row that exists in the job" is a row whose
// number is not above the job's count as last written. The results grid has 7 columns plus
// one per piece: one row per shown pattern, then an empty row, "Total Real" and
// "Aprov/Pza(%)".
//
// Errors are the exceptions of the document (EConversion with the user's message); a
// solution reset the user declines throws nothing and changes nothing.

#include "document/CGrilla.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CLanzamiento;

// Answers of a question, as the message boxes give them.
namespace Respuesta {
inline constexpr int Si = 6;
inline constexpr int No = 7;
inline constexpr int Cancelar = 2;
} // namespace Respuesta

enum class TGrilla { Piezas, Materiales };

// A rectangle of cells, both corners included.
struct RSeleccion {
    int Izq = 1;
    int Sup = 1;
    int Der = 1;
    int Inf = 1;
    bool operator==(const RSeleccion&) const = default;
};

class CEdicionLanzamiento {
public:
    // (text, default answer, with a cancel button) -> Respuesta.
    using FuncionPreguntar = std::function<int(const std::string&, int, bool)>;

    static constexpr int ColumnasDatos = 7;
    static constexpr int ColLargo = 1;
    static constexpr int ColAncho = 2;
    static constexpr int ColCantidad = 3;
    static constexpr int ColAct = 6;
    static constexpr int ColumnasFijasResultados = 7;
    static constexpr int ColReal = 6;
    // Rows of the results grid after the patterns.
    static constexpr int FilasTotales = 3;

    // Takes the job; the grids are filled from it. Errors while reading the grids are
    // raised after the object is complete (the window keeps what was read).
    explicit CEdicionLanzamiento(std::unique_ptr<CLanzamiento> lanzamiento);
    ~CEdicionLanzamiento();
    CEdicionLanzamiento(const CEdicionLanzamiento&) = delete;
    CEdicionLanzamiento& operator=(const CEdicionLanzamiento&) = delete;

    // Reads the pieces and materials grids from the job and builds the results grid.
    void LeerDelLanzamiento();

    void FijarPreguntar(FuncionPreguntar preguntar) { FPreguntar = std::move(preguntar); }
    void FijarAvisar(std::function<void(const std::string&)> avisar) {
        FAvisar = std::move(avisar);
    }
    // Called after the solution was replaced by an empty one or reordered (the window drops
    // its adjustment undo stack and its views of patterns).
    void FijarAlCambiarSolucion(std::function<void()> f) { FAlCambiarSolucion = std::move(f); }

    CLanzamiento& Lanzamiento() { return *FLanzamiento; }
    const CLanzamiento& Lanzamiento() const { return *FLanzamiento; }
    CGrilla& Grilla(TGrilla g) { return g == TGrilla::Piezas ? FPiezas : FMateriales; }
    const CGrilla& Grilla(TGrilla g) const { return g == TGrilla::Piezas ? FPiezas : FMateriales; }
    const CGrilla& Resultados() const { return FResultados; }

    // ---- Pieces and materials grids ----
    // The cell rule. False when a needed solution reset was declined (nothing changed).
    bool AsignarCelda(TGrilla g, int fila, int col, const std::string& texto);
    // The typed text, trimmed, into every cell of the selection (cells beyond the grid are
    // skipped). Stops at the first error or declined reset.
    bool AsignarSeleccion(TGrilla g, const RSeleccion& sel, const std::string& texto);
    // Double-click on Act: "0" becomes "1", anything else "0".
    bool AlternarAct(TGrilla g, int fila);
    // Row where editing goes on after Enter from (fila, col): the next column, or column 1
    // of the next row from the last column (the same row when there is none).
    RSeleccion SiguienteCelda(TGrilla g, int fila, int col) const;

    // Appends an empty numbered row; answers its number.
    int Adicionar(TGrilla g);
    // Inserts an empty row above `fila`. False when the needed reset was declined.
    bool Insertar(TGrilla g, int fila);
    // Empties the cells of a partial selection, or deletes whole rows when it spans
    // columns 1 to 6. Answers the row the cursor goes to (0 when the reset was declined).
    int Eliminar(TGrilla g, const RSeleccion& sel);
    // Keyboard shrink: the last row goes when the grid has two data rows or more and the
    // last one is empty. Answers whether it went.
    bool QuitarUltimaFilaVacia(TGrilla g);

    // "%Data%," then the four bounds and every cell of the selection, each followed by ",".
    std::string Copiar(TGrilla g, const RSeleccion& sel) const;
    // Writes a copied block from (fila, col); rows are added past the end and values beyond
    // the last column dropped. A text that is not a well-formed block raises EConversion and
    // changes nothing. Answers the block as written (clamped to the grid).
    RSeleccion Pegar(TGrilla g, int fila, int col, const std::string& texto);
    static bool EsBloqueCeldas(const std::string& texto);

    // Manual order: the selected rows move one up (down); answers the new selection
    // (unchanged when impossible or declined).
    RSeleccion Subir(TGrilla g, const RSeleccion& sel);
    RSeleccion Bajar(TGrilla g, const RSeleccion& sel);

    // q := q x factor (ties to even) for the rows of the selection, through the cell rule.
    // The factor text uses "."; it must be a positive number.
    void MultiplicarCantidades(TGrilla g, const RSeleccion& sel, const std::string& factor);

    // Writes both grids into the job; rebuilds the results grid when the number of pieces
    // changed.
    void GuardarGrillas();

    // ---- Solution and results grid ----
    void ConstruirResultados();
    int PatronesMostrados() const { return static_cast<int>(FSlots.size()); }
    // Slot of the pattern shown on row `fila` (1-based), 0 for other rows.
    std::int32_t SlotDeFila(int fila) const;
    // Row of a slot in the results grid, 0 when it is not shown.
    int FilaDeSlot(std::int32_t slot) const;
    int FilaTotalReal() const { return PatronesMostrados() + 2; }
    // -1 when piece i's total falls short of its order, 1 when it exceeds it, 0 otherwise.
    int ComparacionTotal(int pieza) const;
    // "Patrón 3: 2440x1220 (x5)".
    std::string TituloPatron(std::int32_t slot) const;

    // Adds an empty pattern on material `material`; answers its slot.
    std::int32_t AdicionarPatron(int material);
    // Deletes the patterns shown on rows primera..ultima (clamped to the pattern rows).
    void EliminarPatrones(int primera, int ultima);
    // Moves the patterns of rows primera..ultima one row up (down); answers the first row
    // of the block afterwards.
    int SubirPatrones(int primera, int ultima);
    int BajarPatrones(int primera, int ultima);
    // Orders the pattern rows by a results column (stable).
    void OrdenarResultados(int columna, bool ascendente);
    // An empty text removes the filter.
    void FiltrarResultados(const std::string& texto, int columna);
    // Enter in the "Real" column of row `fila`.
    void AsignarReal(int fila, const std::string& texto);
    void ReinicializarSolucion();

    // ---- Save and close ----
    bool EsNuevo() const;
    // False when the job has never been saved ("NUEVO"): the caller runs Save as.
    bool Guardar();
    // False when the file exists and the user did not allow overwriting it.
    bool GuardarComo(const std::string& archivo);
    // The close query: true when the window may close. `guardarComo` is called when the
    // user wants to save a job that has never been saved (it answers whether it saved).
    bool PuedeCerrar(const std::function<bool()>& guardarComo);
    std::string PreguntaCierre() const;

private:
    // Clears the solution after asking, when rows that exist in the job are touched while
    // it has patterns. False when declined.
    bool ConfirmarReinicio();
    bool FilaEnLanzamiento(TGrilla g, int fila) const;
    void NumerarFilas(CGrilla& grilla) const;
    void Modificado();
    std::string ValorCelda(TGrilla g, int col, const std::string& texto) const;

    std::unique_ptr<CLanzamiento> FLanzamiento;
    CGrilla FPiezas;
    CGrilla FMateriales;
    CGrilla FResultados;
    std::vector<std::int32_t> FSlots; // slot of each pattern row, from row 1
    FuncionPreguntar FPreguntar;
    std::function<void(const std::string&)> FAvisar;
    std::function<void()> FAlCambiarSolucion;
};
