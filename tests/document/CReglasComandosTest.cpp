// The enabling table of the main window's commands, row by row.

#include "document/CReglasComandos.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace {

// An active, shown job window on the pieces page with its grid focused.
REstadoComandos Base() {
    REstadoComandos e;
    e.VentanasAbiertas = 1;
    e.HayVentanaActiva = true;
    e.GrillaDatosEnfocada = true;
    e.SeleccionPrimera = e.SeleccionUltima = 1;
    e.UltimaFila = 3;
    return e;
}

struct Fila {
    const char* descripcion;
    std::function<void(REstadoComandos&)> estado;
    const char* accion;
    bool habilitada;
    bool marcada = false;
};

// Test names in the runner's listing show the row, not the bytes of the lambda.
void PrintTo(const Fila& f, std::ostream* os) {
    *os << f.accion << ", " << f.descripcion;
}

class TablaHabilitacion : public ::testing::TestWithParam<Fila> {};

TEST_P(TablaHabilitacion, Fila) {
    REstadoComandos e = Base();
    GetParam().estado(e);
    const auto mapa = EvaluarComandos(e);
    const auto it = mapa.find(GetParam().accion);
    ASSERT_NE(it, mapa.end()) << GetParam().accion;
    EXPECT_EQ(it->second.Habilitada, GetParam().habilitada) << GetParam().descripcion;
    EXPECT_EQ(it->second.Marcada, GetParam().marcada) << GetParam().descripcion;
}

auto Nada = [](REstadoComandos&) {};
auto SinVentana = [](REstadoComandos& e) {
    e.HayVentanaActiva = false;
    e.VentanasAbiertas = 0;
};
auto Resultados = [](REstadoComandos& e) {
    e.Pagina = Pagina::Resultados;
    e.GrillaDatosEnfocada = false;
    e.HayPatrones = true;
    e.UltimaFila = 8; // 5 patterns and 3 totals rows
};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Reglas, TablaHabilitacion, ::testing::Values(
    Fila{"guardado", Nada, "FileSave1", false},
    Fila{"modificado", [](auto& e) { e.Guardado = false; }, "FileSave1", true},
    Fila{"modificado y minimizado", [](auto& e) { e.Guardado = false; e.VentanaMinimizada = true; }, "FileSave1", false},
    Fila{"sin ventana", SinVentana, "FileSaveAs1", false},
    Fila{"minimizada: cerrar sigue", [](auto& e) { e.VentanaMinimizada = true; }, "FileClose1", true},
    Fila{"minimizada: guardar como no", [](auto& e) { e.VentanaMinimizada = true; }, "FileSaveAs1", false},
    Fila{"cerrar todo sin activa", [](auto& e) { e.HayVentanaActiva = false; }, "FileCloseAll", true},
    Fila{"cerrar todo sin ventanas", SinVentana, "FileCloseAll", false},
    Fila{"calcular libre", Nada, "ToolsCalcularPatrones", true},
    Fila{"calcular durante un cálculo", [](auto& e) { e.Calculando = true; }, "ToolsCalcularPatrones", false},
    Fila{"opciones durante un cálculo", [](auto& e) { e.Calculando = true; }, "ToolsOpciones", false},
    Fila{"abrir durante un cálculo", [](auto& e) { e.Calculando = true; }, "FileOpen1", false},
    Fila{"nuevo durante un cálculo", [](auto& e) { e.Calculando = true; }, "FileNew1", false},
    Fila{"abrir sin ventanas", SinVentana, "FileOpen1", true},
    Fila{"importar con grilla", Nada, "FileImportarExcel", true},
    Fila{"importar sin foco", [](auto& e) { e.GrillaDatosEnfocada = false; }, "FileImportarExcel", false},
    Fila{"insertar", Nada, "EditInsertar", true},
    Fila{"insertar editando", [](auto& e) { e.EditandoCelda = true; }, "EditInsertar", false},
    Fila{"insertar en resultados", Resultados, "EditInsertar", false},
    Fila{"adicionar en resultados", Resultados, "EditAdicionar", true},
    Fila{"adicionar editando", [](auto& e) { e.EditandoCelda = true; }, "EditAdicionar", false},
    Fila{"eliminar sin patrón", Resultados, "EditEliminar1", false},
    Fila{"eliminar con patrón", [](auto& e) { Resultados(e); e.PatronSeleccionado = true; }, "EditEliminar1", true},
    Fila{"eliminar en piezas", Nada, "EditEliminar1", true},
    Fila{"copiar en piezas", Nada, "EditCopy1", true},
    Fila{"copiar sin foco", [](auto& e) { e.GrillaDatosEnfocada = false; }, "EditCut1", false},
    Fila{"copiar en patrones sin semiproducto", [](auto& e) { e.Pagina = Pagina::Patrones; }, "EditCopy1", false},
    Fila{"copiar semiproducto", [](auto& e) { e.Pagina = Pagina::Patrones; e.SemiproductoSeleccionado = true; }, "EditCopy1", true},
    Fila{"pegar", [](auto& e) { e.PuedePegar = true; }, "EditPaste1", true},
    Fila{"pegar sin texto", Nada, "EditPaste1", false},
    Fila{"multiplicar en materiales", [](auto& e) { e.Pagina = Pagina::Materiales; }, "ToolsMulCant", true},
    Fila{"multiplicar en resultados", Resultados, "ToolsMulCant", false},
    Fila{"ordenar", Resultados, "EditOrdenAsc", true},
    Fila{"ordenar editando Real", [](auto& e) { Resultados(e); e.ResultadosEditando = true; }, "EditOrdenDes", false},
    Fila{"ordenar sin patrones", [](auto& e) { Resultados(e); e.HayPatrones = false; }, "EditOrdenAsc", false},
    Fila{"redondeo exacto marcado", Resultados, "EditRedExa", true, true},
    Fila{"redondeo por exceso", [](auto& e) { Resultados(e); e.ModoRedondeo = 1; }, "EditRedExc", true, true},
    Fila{"redondeo por defecto no marcado", [](auto& e) { Resultados(e); e.ModoRedondeo = 1; }, "EditRedDef", true, false},
    Fila{"filtro aplicado", [](auto& e) { e.PermiteFiltrar = true; e.FiltroAplicado = true; }, "EditFiltrar", true, true},
    Fila{"subir desde la primera fila", Nada, "EditSubir", false},
    Fila{"subir desde la segunda", [](auto& e) { e.SeleccionPrimera = e.SeleccionUltima = 2; }, "EditSubir", true},
    Fila{"bajar desde la última", [](auto& e) { e.SeleccionPrimera = e.SeleccionUltima = 3; }, "EditBajar", false},
    Fila{"bajar desde la primera", Nada, "EditBajar", true},
    Fila{"subir el último patrón", [](auto& e) { Resultados(e); e.SeleccionPrimera = e.SeleccionUltima = 5; }, "EditSubir", true},
    Fila{"subir la fila vacía", [](auto& e) { Resultados(e); e.SeleccionPrimera = e.SeleccionUltima = 6; }, "EditSubir", false},
    Fila{"bajar el último patrón", [](auto& e) { Resultados(e); e.SeleccionPrimera = e.SeleccionUltima = 5; }, "EditBajar", false},
    Fila{"bajar el penúltimo", [](auto& e) { Resultados(e); e.SeleccionPrimera = e.SeleccionUltima = 4; }, "EditBajar", true},
    Fila{"subir en patrones", [](auto& e) { e.Pagina = Pagina::Patrones; e.SeleccionPrimera = 3; }, "EditSubir", false},
    Fila{"anterior", [](auto& e) { e.HayAnterior = true; }, "EditPrimero", true},
    Fila{"siguiente", [](auto& e) { e.HaySiguiente = true; }, "EditUltimo", true},
    Fila{"sin siguiente", Nada, "EditSiguiente", false},
    Fila{"limpiar", [](auto& e) { e.Pagina = Pagina::Patrones; e.SemiproductoSeleccionado = true; }, "EditLimpiar", true},
    Fila{"cortar vertical imposible", [](auto& e) { e.Pagina = Pagina::Patrones; e.SemiproductoSeleccionado = true; }, "EditCorteVer", false},
    Fila{"cortar vertical posible", [](auto& e) { e.Pagina = Pagina::Patrones; e.SemiproductoSeleccionado = true; e.Ajustes.CorteVer = true; }, "EditCorteVer", true},
    Fila{"unir sin selección", [](auto& e) { e.Ajustes.Unir = true; }, "EditUnir", false},
    Fila{"deshacer", [](auto& e) { e.HayDeshacer = true; }, "EditUndoAdjusting", true},
    Fila{"página mostrada", Nada, "VerPiezas", true, true},
    Fila{"otra página", Nada, "VerPatrones", true, false},
    Fila{"páginas sin ventana", SinVentana, "VerPiezas", false, false},
    Fila{"etiquetas", [](auto& e) { e.Pagina = Pagina::Patrones; e.HayPatrones = true; e.EtiPieza = true; }, "VerEtiPieza", true, true},
    Fila{"etiquetas sin patrones", [](auto& e) { e.Pagina = Pagina::Patrones; e.EtiCorte = true; }, "VerEtiCorte", false, true},
    Fila{"encajar", [](auto& e) { e.Pagina = Pagina::Patrones; e.HayPatrones = true; }, "ZoomAllPatron", true},
    Fila{"reinicializar", [](auto& e) { e.HayPatrones = true; }, "ToolsIniSol", true},
    Fila{"reinicializar sin patrones", Nada, "ToolsIniSol", false},
    Fila{"imprimir sin reporte", [](auto& e) { e.HayPatrones = true; }, "FileImprimir1", false},
    Fila{"ciclo de zoom fuera del reporte", [](auto& e) { e.ReporteGenerado = true; }, "CicloZoom", false},
    Fila{"ciclo de zoom", [](auto& e) { e.ReporteGenerado = true; e.Pagina = Pagina::Reporte; }, "CicloZoom", true},
    Fila{"ajustar repetición", [](auto& e) { Resultados(e); e.PatronSeleccionado = true; }, "ToolsAjustarRepeticion", true},
    Fila{"ajustar repetición en piezas", [](auto& e) { e.PatronSeleccionado = true; }, "ToolsAjustarRepeticion", false},
    Fila{"inspector", [](auto& e) { e.Pagina = Pagina::Patrones; e.InspectorPatronVisible = true; }, "VerInspectorPatron", true, true},
    Fila{"mosaico", Nada, "WindowTileVertical1", true},
    Fila{"barras ocultas", [](auto& e) { e.BarrasVisibles = false; }, "VerTBAyuda", false},
    Fila{"barras visibles", Nada, "VerTBEstandar", true},
    Fila{"salir siempre", SinVentana, "FileExit1", true}));
// clang-format on

} // namespace
