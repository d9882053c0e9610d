#include "ui/UAcciones.h"

#include <array>

namespace {

// clang-format off
constexpr RDefinicionAccion Acciones[] = {
    // Archivo
    {"FileNew1", "&Nuevo...", "Ctrl+N", "Nuevo|Crea un lanzamiento nuevo a partir de una plantilla", 0, false},
    {"FileOpen1", "&Abrir...", "Ctrl+O", "Abrir|Abre un lanzamiento o una plantilla existente", 0, false},
    {"FileClose1", "&Cerrar", "", "Cerrar|Cierra el lanzamiento activo", 0, false},
    {"FileCloseAll", "Cerrar &todo", "", "Cerrar todo|Cierra todos los lanzamientos abiertos", 0, false},
    {"FileSave1", "&Guardar", "F2", "Guardar|Guarda el lanzamiento activo", 0, false},
    {"FileSaveAs1", "G&uardar como...", "Shift+F2", "Guardar como|Guarda el lanzamiento activo con otro nombre", 0, false},
    {"FileImportarExcel", "Importar &hoja de Excel...", "", "Importar hoja|Importa piezas o materiales de un libro de cálculo", 0, false},
    {"FileExportarExcel", "Exportar &libro de Excel...", "", "Exportar libro|Exporta el lanzamiento y su solución a un libro de cálculo", 0, false},
    {"FileConfigurarPagina", "Configurar p&ágina...", "Ctrl+S", "Configurar página|Elige la impresora y el papel del reporte", 0, false},
    {"FileImprimir1", "Im&primir reporte...", "Ctrl+P", "Imprimir|Imprime el reporte actual", 0, false},
    {"ExportarReporte", "Exportar &reporte...", "", "Exportar reporte|Guarda el reporte actual como texto", 0, false},
    {"FileExit1", "&Salir", "Ctrl+Alt+X", "Salir|Cierra todos los lanzamientos y termina el programa", 0, false},
    // Edición
    {"EditInsertar", "&Insertar", "Ins", "Insertar|Inserta una fila encima de la actual", 0, false},
    {"EditAdicionar", "&Adicionar", "Ctrl+Ins", "Adicionar|Añade una fila al final, o un patrón vacío", 0, false},
    {"EditEliminar1", "&Eliminar", "Ctrl+Del", "Eliminar|Elimina la selección", 0, false},
    {"EditCut1", "Cor&tar", "Ctrl+X", "Cortar|Copia la selección al portapapeles y la elimina", 0, false},
    {"EditCopy1", "&Copiar", "Ctrl+C", "Copiar|Copia la selección al portapapeles", 0, false},
    {"EditPaste1", "&Pegar", "Ctrl+V", "Pegar|Pega el contenido del portapapeles", 0, false},
    {"EditFiltrar", "&Filtrar patrones", "Ctrl+F", "Filtrar patrones|Restringe los patrones mostrados a los que cumplan un determinado criterio de filtrado", 0, true},
    {"EditOrdenAsc", "Orden &ascendente", "Ctrl+A", "Orden ascendente|Ordena los patrones de menor a mayor según la columna actual", 0, false},
    {"EditOrdenDes", "Orden &descendente", "Ctrl+D", "Orden descendente|Ordena los patrones de mayor a menor según la columna actual", 0, false},
    {"EditSubir", "&Subir", "Ctrl+Alt+A", "Subir|Sube las filas seleccionadas un lugar", 0, false},
    {"EditBajar", "&Bajar", "Ctrl+Alt+D", "Bajar|Baja las filas seleccionadas un lugar", 0, false},
    {"EditPrimero", "&Primero", "", "Primero|Va al primer elemento", 0, false},
    {"EditAnterior", "&Anterior", "", "Anterior|Va al elemento anterior", 0, false},
    {"EditSiguiente", "&Siguiente", "", "Siguiente|Va al elemento siguiente", 0, false},
    {"EditUltimo", "&Ultimo", "", "Último|Va al último elemento", 0, false},
    // Ver
    {"VerTBEstandar", "&Estándar", "", "Barra estándar|Muestra u oculta la barra estándar", 0, true},
    {"VerTBVistas", "&Vistas", "", "Barra de vistas|Muestra u oculta la barra de vistas", 1, true},
    {"VerTBReporte", "&Reporte", "", "Barra de reporte|Muestra u oculta la barra de reporte", 2, true},
    {"VerTBResultados", "&Resultados", "", "Barra de resultados|Muestra u oculta la barra de resultados", 3, true},
    {"VerTBPatron", "&Patrón", "", "Barra de patrón|Muestra u oculta la barra de patrón", 4, true},
    {"VerTBAjuste", "&Ajuste", "", "Barra de ajuste|Muestra u oculta la barra de ajuste", 5, true},
    {"VerTBAyuda", "&Ayuda", "", "Barra de ayuda|Muestra u oculta la barra de ayuda", 6, true},
    {"VerToolBars", "&Mostrar barras", "", "Barras de herramientas|Muestra u oculta todas las barras de herramientas", 0, true},
    {"VerStatusBar", "Barra de &estado", "", "Barra de estado|Muestra u oculta la barra de estado", 0, true},
    {"VerPiezas", "&Piezas", "F3", "Piezas|Muestra las piezas del lanzamiento", 0, true},
    {"VerMateriales", "&Materiales", "F4", "Materiales|Muestra los materiales del lanzamiento", 1, true},
    {"VerResultados", "&Resultados", "F5", "Resultados|Muestra la tabla de resultados", 2, true},
    {"VerPatrones", "&Patrones", "F6", "Patrones|Muestra los patrones de corte", 3, true},
    {"VerReportes", "&Reporte", "F7", "Reporte|Muestra el reporte", 4, true},
    {"VerInspectorPatron", "&Inspector de patrón", "F8", "Inspector de patrón|Muestra u oculta el inspector de patrón", 0, true},
    {"VerInspectorPiezas", "&Inspector de piezas", "", "Inspector de piezas|Muestra u oculta el inspector de piezas", 0, true},
    {"VerEtiCorte", "&Cortes", "", "Etiquetas de cortes|Muestra u oculta las etiquetas de los cortes", 0, true},
    {"VerEtiPieza", "&Piezas", "", "Etiquetas de piezas|Muestra u oculta las etiquetas de las piezas", 0, true},
    {"VerEtiSob", "&Sobrantes", "", "Etiquetas de sobrantes|Muestra u oculta las etiquetas de los sobrantes", 0, true},
    {"EditRedExa", "&Exacto", "", "Redondeo exacto|Muestra el plan final de repeticiones", 0, true},
    {"EditRedDef", "Por &Defecto", "", "Redondeo por defecto|Muestra el plan redondeado por defecto", 2, true},
    {"EditRedExc", "Por E&xceso", "", "Redondeo por exceso|Muestra el plan redondeado por exceso", 1, true},
    {"EditCicloRed", "Redondeo", "", "Redondeo|Cambia el plan de repeticiones mostrado", 0, false},
    {"ZoomAllPatron", "&Encajar", "", "Encajar|Muestra el patrón entero", 0, false},
    {"ZoomInPatron", "&Aumentar", "", "Aumentar|Aumenta el dibujo del patrón", 0, false},
    {"ZoomOutPatron", "&Reducir", "", "Reducir|Reduce el dibujo del patrón", 0, false},
    {"ZoomTodo", "Toda la página", "", "Toda la página|Muestra la página entera del reporte", 0, false},
    {"ZoomAncho", "Ancho de página", "", "Ancho de página|Ajusta el reporte al ancho de la ventana", 0, false},
    {"Zoom100", "100 %", "", "100 %|Muestra el reporte a tamaño real", 0, false},
    // Herramientas
    {"ToolsOpciones", "&Opciones de lanzamiento...", "F9", "Opciones|Cambia las opciones del lanzamiento", 0, false},
    {"ToolsCalcularPatrones", "Calcular &patrones de corte...", "F10", "Calcular|Calcula los patrones de corte del lanzamiento", 0, false},
    {"ToolsIniSol", "&Reinicializar la solución", "", "Reinicializar|Elimina todos los patrones de corte", 0, false},
    {"ToolsConsumoIdeal", "Consumo &ideal del material...", "", "Consumo ideal|Muestra el consumo de material de cada pieza", 0, false},
    {"ToolsHistorico", "&Histórico del cálculo...", "", "Histórico|Muestra el resumen de los cálculos del lanzamiento", 0, false},
    {"ToolsMulCant", "&Multiplicar cantidades...", "", "Multiplicar cantidades|Multiplica las cantidades seleccionadas por un factor", 0, false},
    {"ToolsAjustarRepeticion", "Ajustar repetición", "", "Ajustar repetición|Ajusta la repetición del patrón a lo que falta", 0, false},
    {"ToolsCalculadora", "&Calculadora de Windows...", "", "Calculadora|Abre la calculadora del escritorio", 0, false},
    {"ToolsOpcionesEntorno", "&Preferencias...", "", "Preferencias|Cambia los colores, carpetas y parámetros de dibujo", 0, false},
    // Ajuste
    {"EditUndoAdjusting", "&Paso atrás", "Ctrl+Z", "Paso atrás|Deshace el último ajuste del patrón", 0, false},
    {"EditLimpiar", "&Limpiar", "", "Limpiar|Convierte el semiproducto en sobrante", 0, false},
    {"EditCorteVer", "Cortar &verticalmente", "", "Cortar verticalmente|Corta el semiproducto verticalmente", 0, false},
    {"EditCorteHor", "Cortar &horizontalmente", "", "Cortar horizontalmente|Corta el semiproducto horizontalmente", 0, false},
    {"EditUnir", "&Unir hijos", "", "Unir hijos|Une las dos partes del corte", 0, false},
    {"EditIntercambiar", "&Intercambiar hijos", "", "Intercambiar hijos|Intercambia las dos partes del corte", 0, false},
    {"EditAmpliar", "&Ampliar el corte", "", "Ampliar el corte|Amplía la primera parte del corte", 0, false},
    {"EditReducir", "&Reducir el corte", "", "Reducir el corte|Reduce la primera parte del corte", 0, false},
    {"EditVerToHor", "Corte a &horizontal", "", "Corte a horizontal|Cambia el corte vertical por uno horizontal", 0, false},
    {"EditHorToVer", "Corte a &vertical", "", "Corte a vertical|Cambia el corte horizontal por uno vertical", 0, false},
    {"EditEti", "&Editar etiqueta...", "", "Editar etiqueta|Cambia la etiqueta del semiproducto", 0, false},
    {"EditDeseleccionarSP", "&Deseleccionar", "", "Deseleccionar|Quita la selección del semiproducto", 0, false},
    // Reportes
    {"ReportePatrones", "&Patrones de Corte", "", "Patrones de corte|Reporte de los patrones de corte", 0, false},
    {"ReporteDatos", "Listado de &Materiales y Piezas", "", "Materiales y piezas|Reporte de los materiales y las piezas", 1, false},
    {"ReporteSobrantes", "Listado de &Sobrantes", "", "Sobrantes|Reporte de los sobrantes", 2, false},
    {"ReporteParametros", "&Parámetros del Corte", "", "Parámetros del corte|Reporte de los parámetros del corte", 3, false},
    {"ReporteCoordenadas", "Listado de &Coordenadas", "", "Coordenadas|Reporte de las coordenadas de los cortes", 4, false},
    {"ReporteDetalle", "&Detalle de Patrón", "", "Detalle de patrón|Reporte del patrón actual en detalle", 5, false},
    {"CerrarReporte", "Cerrar reporte", "", "Cerrar reporte|Cierra el reporte actual", 0, false},
    {"GenerarReporte", "Generar &reporte", "", "Generar reporte|Genera de nuevo el reporte actual", 0, false},
    {"CicloZoom", "&Vista Reporte", "", "Vista reporte|Cambia la escala del reporte", 0, false},
    // Ventana
    {"WindowCascade1", "&Cascada", "", "Cascada|Coloca las ventanas en cascada", 0, false},
    {"WindowTileHorizontal1", "Mosaico &horizontal", "", "Mosaico horizontal|Coloca las ventanas una debajo de otra", 0, false},
    {"WindowTileVertical1", "Mosaico &vertical", "", "Mosaico vertical|Coloca las ventanas una al lado de otra", 0, false},
    {"WindowMinimizeAll1", "&Minimizar todo", "", "Minimizar todo|Minimiza todas las ventanas", 0, false},
    // Ayuda
    {"HelpContents1", "&Contenido e Indice", "", "Contenido|Abre el manual del programa", 0, false},
    {"HelpAbout1", "&Acerca de...", "", "Acerca de|Muestra la versión del programa", 0, false},
};

constexpr const char* MenuArchivo[] = {"FileNew1", "FileOpen1", "FileClose1", "FileCloseAll", "-",
    "FileSave1", "FileSaveAs1", "-", "FileImportarExcel", "FileExportarExcel", "-",
    "FileConfigurarPagina", "FileImprimir1", "ExportarReporte", "-", "FileExit1"};
constexpr const char* MenuEdicion[] = {"EditInsertar", "EditAdicionar", "EditEliminar1", "-",
    "EditCut1", "EditCopy1", "EditPaste1", "-", "EditFiltrar", "EditOrdenAsc", "EditOrdenDes",
    ">Orden &manual", "EditSubir", "EditBajar", "<", ">&Ir a", "EditPrimero", "EditAnterior",
    "EditSiguiente", "EditUltimo", "<"};
constexpr const char* MenuVer[] = {">&Barras de &herramientas", "VerTBEstandar", "VerTBReporte",
    "VerTBAjuste", "VerTBVistas", "VerTBResultados", "VerTBPatron", "VerTBAyuda", "-",
    "VerToolBars", "<", "VerStatusBar", "-", "VerPiezas", "VerMateriales", "VerResultados",
    "VerPatrones", "VerReportes", "-", "VerInspectorPatron", "VerInspectorPiezas",
    ">E&tiquetas", "VerEtiCorte", "VerEtiPieza", "VerEtiSob", "<", ">&Redondeo", "EditRedExa",
    "EditRedDef", "EditRedExc", "<", ">&Vista patrón", "ZoomAllPatron", "ZoomInPatron",
    "ZoomOutPatron", "<", ">V&ista reporte", "ZoomTodo", "ZoomAncho", "Zoom100", "<"};
constexpr const char* MenuHerramientas[] = {"ToolsOpciones", "ToolsCalcularPatrones",
    "ToolsIniSol", "-", "ToolsConsumoIdeal", "ToolsHistorico", "ToolsMulCant",
    "ToolsAjustarRepeticion", "-", "ToolsCalculadora", "ToolsOpcionesEntorno"};
constexpr const char* MenuAjuste[] = {"EditUndoAdjusting", "-", "EditLimpiar", "EditCorteVer",
    "EditCorteHor", "EditUnir", "EditIntercambiar", "EditAmpliar", "EditReducir", "EditVerToHor",
    "EditHorToVer", "-", "EditEti", "EditDeseleccionarSP"};
constexpr const char* MenuReportes[] = {"ReportePatrones", "ReporteDatos", "ReporteSobrantes",
    "ReporteParametros", "ReporteCoordenadas", "ReporteDetalle", "-", "CerrarReporte"};
constexpr const char* MenuVentana[] = {"WindowCascade1", "WindowTileHorizontal1",
    "WindowTileVertical1", "WindowMinimizeAll1"};
constexpr const char* MenuAyuda[] = {"HelpContents1", "HelpAbout1"};

constexpr RDefinicionMenu Menus[] = {
    {"Archivo1", "&Archivo", MenuArchivo},
    {"Edicion1", "&Edición", MenuEdicion},
    {"Ver1", "&Ver", MenuVer},
    {"Herramientas1", "&Herramientas", MenuHerramientas},
    {"Ajuste1", "A&juste", MenuAjuste},
    {"Reportes1", "&Reportes", MenuReportes},
    {"Ventana1", "&Ventana", MenuVentana},
    {"Ayuda1", "A&yuda", MenuAyuda},
};

constexpr const char* BarraEstandar[] = {"FileNew1", "FileOpen1", "FileSave1", "-",
    "EditInsertar", "EditAdicionar", "EditEliminar1", "-", "EditCopy1", "EditCut1", "EditPaste1",
    "-", "EditPrimero", "EditAnterior", "EditSiguiente", "EditUltimo", "-", "EditSubir",
    "EditBajar", "-", "ToolsOpciones", "ToolsCalcularPatrones"};
constexpr const char* BarraVistas[] = {"VerPiezas", "VerMateriales", "VerResultados",
    "VerPatrones", "VerReportes"};
constexpr const char* BarraReporte[] = {"GenerarReporte", "CicloZoom", "FileImprimir1",
    "FileConfigurarPagina", "CerrarReporte"};
constexpr const char* BarraResultados[] = {"EditFiltrar", "EditOrdenAsc", "EditOrdenDes", "-",
    "EditCicloRed"};
constexpr const char* BarraPatron[] = {"VerEtiCorte", "VerEtiPieza", "VerEtiSob", "-",
    "ZoomAllPatron", "ZoomInPatron", "ZoomOutPatron"};
constexpr const char* BarraAjuste[] = {"EditUndoAdjusting", "-", "EditEti", "-", "EditLimpiar",
    "EditCorteVer", "EditCorteHor", "-", "EditUnir", "EditIntercambiar", "EditAmpliar",
    "EditReducir", "EditVerToHor", "EditHorToVer"};
constexpr const char* BarraAyuda[] = {"HelpContents1", "HelpAbout1"};

constexpr RDefinicionMenu Barras[] = {
    {"tbEstandard", "Estándar", BarraEstandar},
    {"tbVistas", "Vistas", BarraVistas},
    {"tbReporte", "Reporte", BarraReporte},
    {"tbResultados", "Resultados", BarraResultados},
    {"tbPatron", "Patrón", BarraPatron},
    {"tbAjuste", "Ajuste", BarraAjuste},
    {"tbAyuda", "Ayuda", BarraAyuda},
};

constexpr const char* PopupEditDatos[] = {"EditCut1", "EditCopy1", "EditPaste1", "-",
    "EditSubir", "EditBajar", "-", "EditInsertar", "EditAdicionar", "EditEliminar1", "-",
    "ToolsMulCant", "-", "ToolsOpciones", "ToolsCalcularPatrones"};
constexpr const char* PopupResultados[] = {"EditFiltrar", "EditOrdenAsc", "EditOrdenDes", "-",
    "EditSubir", "EditBajar", "-", "EditRedExa", "EditRedDef", "EditRedExc", "-",
    "ToolsAjustarRepeticion", "-", "ToolsOpciones", "ToolsCalcularPatrones"};
constexpr const char* PopupEditSP[] = {"EditUndoAdjusting", "EditDeseleccionarSP",
    "ZoomAllPatron", "-", "VerInspectorPatron", "VerInspectorPiezas", "-", "EditCut1",
    "EditCopy1", "EditPaste1", "-", "EditLimpiar", "EditCorteVer", "EditCorteHor", "EditUnir",
    "EditIntercambiar", "EditAmpliar", "EditReducir", "EditVerToHor", "EditHorToVer", "-",
    "EditEti", "ToolsAjustarRepeticion", "-", "ToolsOpciones", "ToolsCalcularPatrones"};
constexpr const char* PopupReporte[] = {"ReportePatrones", "ReporteDatos", "ReporteSobrantes",
    "ReporteParametros", "ReporteCoordenadas", "ReporteDetalle", "-", "ZoomTodo", "ZoomAncho",
    "Zoom100", "-", "FileConfigurarPagina", "FileImprimir1", "CerrarReporte", "-",
    "ToolsOpciones", "ToolsCalcularPatrones"};
constexpr const char* PopupBarras[] = {"VerTBEstandar", "VerTBVistas", "VerTBReporte",
    "VerTBResultados", "VerTBPatron", "VerTBAjuste", "VerTBAyuda"};
constexpr const char* PopupRedondeo[] = {"EditRedExa", "EditRedDef", "EditRedExc"};

constexpr RDefinicionMenu Contextuales[] = {
    {"PopupEditDatos", "", PopupEditDatos},
    {"PopupResultados", "", PopupResultados},
    {"PopupEditSP", "", PopupEditSP},
    {"PopupReporte", "", PopupReporte},
    {"ppMenReportes", "", PopupReporte},
    {"PopupBarras", "", PopupBarras},
    {"PopupRedondeo", "", PopupRedondeo},
};
// clang-format on

} // namespace

std::span<const RDefinicionAccion> DefinicionesAcciones() {
    return Acciones;
}
std::span<const RDefinicionMenu> DefinicionesMenus() {
    return Menus;
}
std::span<const RDefinicionMenu> DefinicionesBarras() {
    return Barras;
}
std::span<const RDefinicionMenu> DefinicionesMenusContextuales() {
    return Contextuales;
}
