#pragma once

// When each command of the main window may run, and which ones show a check mark. The main
// window takes a snapshot of its state after each batch of events (active job window, shown
// page, focused grid, editing, selection, running calculations...) and applies the flags
// this function answers to its actions, found by name. No widget is involved, so the whole
// table is tested on plain snapshots.

#include <map>
#include <string>

// Pages of a job window.
namespace Pagina {
inline constexpr int Piezas = 0;
inline constexpr int Materiales = 1;
inline constexpr int Resultados = 2;
inline constexpr int Patrones = 3;
inline constexpr int Reporte = 4;
} // namespace Pagina

// Adjustment operations on the selected semi-product, as the pattern view reports them.
struct RAjustesPosibles {
    bool CorteVer = false;
    bool CorteHor = false;
    bool Unir = false;
    bool Intercambiar = false;
    bool Ampliar = false;
    bool Reducir = false;
    bool VerToHor = false;
    bool HorToVer = false;
};

struct REstadoComandos {
    // ---- Frame ----
    int VentanasAbiertas = 0;
    bool HayVentanaActiva = false;
    bool VentanaMinimizada = false;
    // Some calculation is running in the process (opening and creating are then disabled).
    bool Calculando = false;
    bool BarrasVisibles = true;

    // ---- Active job window ----
    bool Guardado = true;
    int Pagina = Pagina::Piezas;
    // The pieces or materials grid has the focus, and whether it is editing a cell.
    bool GrillaDatosEnfocada = false;
    bool EditandoCelda = false;
    bool ResultadosEditando = false;
    // Selection of the shown grid (pieces, materials or results): first and last row, and
    // the grid's last row (data rows for pieces and materials; for results the last row,
    // totals rows included).
    int SeleccionPrimera = 1;
    int SeleccionUltima = 1;
    int UltimaFila = 1;
    bool ResultadosHabilitados = false;
    bool HayPatrones = false;
    bool PatronSeleccionado = false;
    bool SemiproductoSeleccionado = false;
    bool PuedePegar = false;
    bool PermiteFiltrar = false;
    bool FiltroAplicado = false;
    int ModoRedondeo = 0;
    bool HayAnterior = false;
    bool HaySiguiente = false;
    bool HayDeshacer = false;
    bool InspectorPatronVisible = false;
    bool EtiCorte = false;
    bool EtiPieza = false;
    bool EtiSobrante = false;
    bool ReporteGenerado = false;
    RAjustesPosibles Ajustes;
};

struct RFlagsAccion {
    bool Habilitada = false;
    bool Marcada = false;
    bool operator==(const RFlagsAccion&) const = default;
};

// The flags of every action of the main window, keyed by the action's name. Actions that
// later parts of the program will bring (reports, workbook exchange, the pattern tree's
// inspectors) are present and follow the same rules; the window disables on its own the
// ones it has no handler for yet.
std::map<std::string, RFlagsAccion> EvaluarComandos(const REstadoComandos& e);
