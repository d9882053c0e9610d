#include "document/CReglasComandos.h"

#include "engine/CSolucion.h"

#include <initializer_list>

namespace {

// Rows of the results grid below the patterns: an empty one and the two totals rows.
constexpr int FilasTotales = 3;

struct REscritor {
    std::map<std::string, RFlagsAccion>& Mapa;
    void operator()(std::initializer_list<const char*> nombres, bool habilitada,
                    bool marcada = false) {
        for (const char* n : nombres) {
            Mapa[n] = RFlagsAccion{habilitada, marcada};
        }
    }
};

bool PaginaDatos(const REstadoComandos& e) {
    return e.Pagina == Pagina::Piezas || e.Pagina == Pagina::Materiales;
}

bool PaginaPatrones(const REstadoComandos& e) {
    return e.Pagina == Pagina::Resultados || e.Pagina == Pagina::Patrones;
}

bool PuedeSubir(const REstadoComandos& e) {
    if (PaginaDatos(e)) {
        return e.SeleccionPrimera > 1;
    }
    if (e.Pagina == Pagina::Resultados) {
        return e.SeleccionPrimera >= 2 && e.SeleccionUltima < e.UltimaFila - FilasTotales + 1;
    }
    return false;
}

bool PuedeBajar(const REstadoComandos& e) {
    if (PaginaDatos(e)) {
        return e.SeleccionUltima < e.UltimaFila;
    }
    if (e.Pagina == Pagina::Resultados) {
        return e.SeleccionPrimera >= 1 && e.SeleccionUltima < e.UltimaFila - FilasTotales;
    }
    return false;
}

} // namespace

std::map<std::string, RFlagsAccion> EvaluarComandos(const REstadoComandos& e) {
    std::map<std::string, RFlagsAccion> mapa;
    REscritor fijar{mapa};
    const bool job = e.HayVentanaActiva && !e.VentanaMinimizada;
    const bool libre = !e.Calculando;
    const bool datosSinEditar = e.GrillaDatosEnfocada && !e.EditandoCelda;

    fijar({"FileNew1", "FileOpen1", "FileExit1", "ToolsCalculadora", "ToolsOpcionesEntorno",
           "HelpContents1", "HelpAbout1", "VerToolBars", "VerStatusBar"},
          true);
    mapa["FileNew1"].Habilitada = libre;
    mapa["FileOpen1"].Habilitada = libre;
    mapa["VerToolBars"].Marcada = e.BarrasVisibles;

    fijar({"FileSave1"}, job && !e.Guardado);
    fijar({"FileSaveAs1", "ToolsConsumoIdeal", "ToolsHistorico"}, job);
    fijar({"FileClose1"}, e.HayVentanaActiva);
    fijar({"FileCloseAll"}, e.VentanasAbiertas > 0);
    fijar({"ToolsCalcularPatrones", "ToolsOpciones"}, job && libre);
    fijar({"FileImportarExcel"}, job && e.GrillaDatosEnfocada);
    fijar({"FileExportarExcel"}, job);
    fijar({"EditInsertar"}, job && datosSinEditar);
    const bool adicionar = job && (PaginaPatrones(e) || datosSinEditar);
    fijar({"EditAdicionar"}, adicionar);
    fijar({"EditEliminar1"}, adicionar && (!PaginaPatrones(e) || e.PatronSeleccionado));
    const bool copiar = job && ((PaginaDatos(e) && e.GrillaDatosEnfocada) ||
                                (e.Pagina == Pagina::Patrones && e.SemiproductoSeleccionado));
    fijar({"EditCut1", "EditCopy1"}, copiar);
    fijar({"EditPaste1"}, job && e.PuedePegar);
    fijar({"ToolsMulCant"}, job && PaginaDatos(e));

    const bool ordenar =
        job && e.Pagina == Pagina::Resultados && e.HayPatrones && !e.ResultadosEditando;
    fijar({"EditOrdenAsc", "EditOrdenDes", "EditCicloRed"}, ordenar);
    fijar({"EditRedExa"}, ordenar, e.ModoRedondeo == CSolucion::ModoFinal);
    fijar({"EditRedExc"}, ordenar, e.ModoRedondeo == CSolucion::ModoPorExceso);
    fijar({"EditRedDef"}, ordenar, e.ModoRedondeo == CSolucion::ModoPorDefecto);
    fijar({"EditFiltrar"}, job && e.PermiteFiltrar, e.FiltroAplicado);

    fijar({"EditSubir"}, job && PuedeSubir(e));
    fijar({"EditBajar"}, job && PuedeBajar(e));
    fijar({"EditAnterior", "EditPrimero"}, job && e.HayAnterior);
    fijar({"EditSiguiente", "EditUltimo"}, job && e.HaySiguiente);

    const bool limpiar = job && e.Pagina == Pagina::Patrones && e.SemiproductoSeleccionado;
    fijar({"EditLimpiar", "EditEti", "EditDeseleccionarSP"}, limpiar);
    fijar({"EditCorteVer"}, limpiar && e.Ajustes.CorteVer);
    fijar({"EditCorteHor"}, limpiar && e.Ajustes.CorteHor);
    fijar({"EditUnir"}, limpiar && e.Ajustes.Unir);
    fijar({"EditIntercambiar"}, limpiar && e.Ajustes.Intercambiar);
    fijar({"EditAmpliar"}, limpiar && e.Ajustes.Ampliar);
    fijar({"EditReducir"}, limpiar && e.Ajustes.Reducir);
    fijar({"EditVerToHor"}, limpiar && e.Ajustes.VerToHor);
    fijar({"EditHorToVer"}, limpiar && e.Ajustes.HorToVer);
    fijar({"EditUndoAdjusting"}, job && e.HayDeshacer);

    const char* paginas[] = {"VerPiezas", "VerMateriales", "VerResultados", "VerPatrones",
                             "VerReportes"};
    for (int i = 0; i < 5; ++i) {
        fijar({paginas[i]}, job, job && e.Pagina == i);
    }
    fijar({"VerInspectorPatron"}, job && e.Pagina == Pagina::Patrones, e.InspectorPatronVisible);
    fijar({"VerInspectorPiezas"}, job && e.Pagina == Pagina::Patrones);
    const bool vistaPatron = job && e.Pagina == Pagina::Patrones && e.HayPatrones;
    fijar({"VerEtiCorte"}, vistaPatron, e.EtiCorte);
    fijar({"VerEtiPieza"}, vistaPatron, e.EtiPieza);
    fijar({"VerEtiSob"}, vistaPatron, e.EtiSobrante);
    fijar({"ZoomAllPatron", "ZoomInPatron", "ZoomOutPatron"}, vistaPatron);

    fijar({"GenerarReporte", "ReportePatrones", "ReporteDatos", "ReporteSobrantes",
           "ReporteParametros", "ReporteCoordenadas", "ReporteDetalle", "ToolsIniSol"},
          job && e.HayPatrones);
    const bool reporte = job && e.ReporteGenerado;
    fijar({"FileImprimir1", "FileConfigurarPagina", "ExportarReporte", "CerrarReporte", "ZoomTodo",
           "ZoomAncho", "Zoom100"},
          reporte);
    fijar({"CicloZoom"}, reporte && e.Pagina == Pagina::Reporte);
    fijar({"ToolsAjustarRepeticion"}, job && PaginaPatrones(e) && e.PatronSeleccionado);
    fijar({"WindowCascade1", "WindowTileHorizontal1", "WindowTileVertical1", "WindowMinimizeAll1"},
          job);
    fijar({"VerTBEstandar", "VerTBVistas", "VerTBReporte", "VerTBResultados", "VerTBPatron",
           "VerTBAjuste", "VerTBAyuda"},
          e.BarrasVisibles);
    return mapa;
}
