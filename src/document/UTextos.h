#pragma once

// The string table: every text the user sees, in one place. Spanish, UTF-8.
// Grouped by subsystem; each group keeps to its own block.

namespace Textos {

// ---- Letters of the default label formats ----
inline constexpr const char* LetraPieza = "P";
inline constexpr const char* LetraSobrante = "S";
inline constexpr const char* LetraCorte = "C";

// ---- Calculation messages (exception classes) ----
inline constexpr const char* CalculoCancelado = "Cálculo cancelado";
inline constexpr const char* NoHayPiezas = "No hay piezas para cortar";
inline constexpr const char* NoHayMateriales = "No hay materiales";
inline constexpr const char* PiezaNula = "Pieza con dimensión nula";
inline constexpr const char* PedidoNulo = "Pieza con cantidad nula";
inline constexpr const char* MaterialNulo = "Material con dimensión nula";
inline constexpr const char* ErrorPrecision = "Error en el cálculo";
inline constexpr const char* ErrorPropiedad = "Valor de propiedad incorrecto";
inline constexpr const char* ErrorRangoDimension = "Dimensión fuera de rango";
inline constexpr const char* ErrorRangoPieza = "Las piezas no caben en el semiproducto";
inline constexpr const char* CorteImposible = "No hay espacio para cortar.";
inline constexpr const char* ErrorIdPieza = "Id de pieza incorrecto";
inline constexpr const char* ErrorDirHorBarras =
    "Utilice sólo corte verticales en el corte de barras";
inline constexpr const char* ErrorConversion = "Valor de longitud incorrecto";
inline constexpr const char* ReinicializarSolucion =
    "Esta acción reinicializará la solución actual. ¿Continuar?";

// ---- Document: job, files, units, environment ----
inline constexpr const char* ErrorCrearLanzamiento = "Error al crear el lanzamiento: ";
inline constexpr const char* ExcedeMaximo = "El valor excede el máximo permitido";
// "'abc' no es un valor entero válido"
inline constexpr const char* Registro = ", registro ";
inline constexpr const char* OpcionIncorrecta = "La opción ";
inline constexpr const char* OpcionFueraDeRango = " tiene un valor incorrecto: ";
inline constexpr const char* OpcionRango = " (debe estar entre 0 y 65535)";
inline constexpr const char* OpcionesMargenes = "Las opciones ";
inline constexpr const char* Y = " y ";
inline constexpr const char* MargenesSinMaterial = " no dejan material útil en el material ";
inline constexpr const char* CampoLargo = "Largo";
inline constexpr const char* CampoAncho = "Ancho";
inline constexpr const char* NoEsEntero = " no es un valor entero válido";
inline constexpr const char* NoSePuedeLeerArchivo = "No se puede leer el archivo ";
inline constexpr const char* EsUnaCarpeta = ": es una carpeta, no un archivo";
inline constexpr const char* NoEsArchivoNormal = ": no es un archivo normal";
inline constexpr const char* ArchivoDemasiadoGrande = ": el archivo es demasiado grande";
inline constexpr const char* NoSePuedeGuardarArchivo = "No se pudo guardar el archivo ";
inline constexpr const char* NoSePuedeCrearTemporal = ": no se puede crear el archivo temporal";
inline constexpr const char* ErrorEscrituraDisco = ": error de escritura (¿disco lleno?)";
inline constexpr const char* NoSePuedeReemplazar = ": no se puede reemplazar el archivo";
// "La sección [Piezas] declara una cantidad de registros incorrecta: abc"
inline constexpr const char* CantidadRegistrosIncorrecta =
    " declara una cantidad de registros incorrecta: ";
// "La sección [Piezas] declara 70000 registros; el máximo es 65535"
inline constexpr const char* CantidadRegistrosExcesiva = " registros; el máximo es ";
inline constexpr const char* LaSeccion = "La sección ";
inline constexpr const char* Declara = " declara ";
// "Cantidad incorrecta en el registro 3 de [Piezas]: 70000 (debe estar entre 0 y 65535)"
inline constexpr const char* CantidadIncorrecta = "Cantidad incorrecta en el registro ";
inline constexpr const char* CantidadRango = " (debe estar entre 0 y 65535)";
inline constexpr const char* DemasiadasFilas = "Demasiadas filas para guardar; el máximo es ";

// ---- Patterns: tree, reshaping, properties, labels, drawing ----
inline constexpr const char* ErrorCrearPatron = "Ocurrió un error al crear el patrón";
// Node properties of the pattern inspector: keys and pick-list words.
inline constexpr const char* PropDirCorte = "Dir Corte";
inline constexpr const char* PropDimCorte = "Dim Corte";
inline constexpr const char* PropPieza = "Pieza";
inline constexpr const char* PropRotada = "Rotada";
inline constexpr const char* PropDistribucion = "Distribución";
inline constexpr const char* PropSobranteX = "Sobrante en x";
inline constexpr const char* PropSobranteY = "Sobrante en y";
inline constexpr const char* DirVertical = "Vertical";
inline constexpr const char* DirHorizontal = "Horizontal";
inline constexpr const char* DirNinguno = "Ninguno";
inline constexpr const char* RotadaSi = "si";
inline constexpr const char* RotadaNo = "no";
// The pattern view: tree captions ("2440x1220 en (10,10)"), inspectors and their panels.
inline constexpr const char* En = "en";
inline constexpr const char* InspectorPatron = "Inspector de Patrón";
inline constexpr const char* InspectorPiezas = "Inspector de Piezas";
inline constexpr const char* ColPropiedad = "Propiedad";
inline constexpr const char* ColValor = "Valor";
inline constexpr const char* Rotadas = "&Rotadas";
inline constexpr const char* PanelLargo = "Largo";
inline constexpr const char* PanelAncho = "Ancho";
inline constexpr const char* PanelDistrib = "Distrib.";
inline constexpr const char* PanelSobX = "Sob_x";
inline constexpr const char* PanelSobY = "Sob_y";
inline constexpr const char* FilaDiferencia = "Dif.";

// ---- Spreadsheet exchange: import and export of workbooks ----
inline constexpr const char* ImportarTitulo = "Importar de Excel";
inline constexpr const char* ImportarGrupoHoja = "Hoja de Excel";
inline constexpr const char* ImportarAbrirLibro = "&Abrir Libro ...";
inline constexpr const char* ImportarPrimeraFila =
    "La &primera fila contiene los nombres de los campos";
inline constexpr const char* ImportarGrupoCampos = "Correspondencia entre columnas y campos";
inline constexpr const char* ImportarCampo = "Campo";
inline constexpr const char* ImportarColumna = "Columna";
inline constexpr const char* ImportarValor = "Si no se asigna la columna importar el &valor:";
inline constexpr const char* ImportarIrExcel = "Ir a &Excel";
inline constexpr const char* ImportarCerrar = "&Cerrar";
inline constexpr const char* ImportarImportar = "&Importar";
inline constexpr const char* ImportarDetener = "&Detener";
inline constexpr const char* ImportandoDatos = "Importando datos...";
// %R processed, %T total, %I accepted, %E rejected.
inline constexpr const char* ImportarCuenta = "Transferidos %R de %T  OK %I  Erróneos %E";
// %R rejected rows, %H the errors sheet and its workbook.
inline constexpr const char* ImportarErroneos = "%R registros erróneos se copiaron en la hoja %H.";
inline constexpr const char* ImportarDelLibro = " del libro ";
inline constexpr const char* ImportacionTerminada = "Importación terminada.";
inline constexpr const char* ImportarContinuar =
    "Se procederá a añadir datos al lanzamiento. ¿Continuar?";
inline constexpr const char* HojaErrores = "Errores";
inline constexpr const char* ErroresFila = "FILA";
inline constexpr const char* ErroresDescripcion = "DESCRIPCION DEL ERROR";
inline constexpr const char* SufijoLibroErrores = "-errores.xlsx";
inline constexpr const char* CampoCantidad = "Cantidad";
inline constexpr const char* CampoDesc1 = "Desc1";
inline constexpr const char* CampoDesc2 = "Desc2";
inline constexpr const char* TituloPiezas = "Piezas";
inline constexpr const char* TituloMateriales = "Materiales";
inline constexpr const char* FiltroLibrosLectura =
    "Libros de cálculo (*.xlsx *.xls *.ods *.csv)|*.xlsx;*.xls;*.ods;*.csv|"
    "Todos los archivos (*.*)|*.*";
inline constexpr const char* FiltroLibrosEscritura = "Libros de Excel (*.xlsx)|*.xlsx";
// %C the column as typed, %F the field.
inline constexpr const char* ColumnaIncorrecta = "La columna \"%C\" del campo %F no es válida";
// %C the column, %F the field, %U the last column a sheet may have.
inline constexpr const char* ColumnaFueraDeHoja =
    "La columna %C del campo %F está fuera de la hoja (la última columna es %U)";
// %C the cell's address.
inline constexpr const char* CeldaDemasiadoLarga = "La celda %C tiene más de 32767 caracteres";
inline constexpr const char* NoSePuedeLeerLibro = "No se puede leer el libro ";
inline constexpr const char* LibroDanado = ": no es un libro de cálculo o está dañado";
inline constexpr const char* LibroCifrado =
    ": está protegido con contraseña; guárdelo sin contraseña e inténtelo de nuevo";
inline constexpr const char* LibroFormatoDesconocido =
    ": el formato no es conocido (use .xlsx, .xls, .ods o .csv)";
inline constexpr const char* LibroSinHojas = ": no tiene hojas";
inline constexpr const char* HojaInexistente = "El libro no tiene la hoja ";
inline constexpr const char* NoSePuedeEscribirLibro = "No se pudo escribir el libro ";
inline constexpr const char* Verdadero = "VERDADERO";
inline constexpr const char* Falso = "FALSO";

inline constexpr const char* ExportarTitulo = "Exportar a Excel";
inline constexpr const char* ExportarGrupoLibro = "Archivo de libro de Excel";
inline constexpr const char* ExportarNota =
    "Con este cuadro en blanco se creará un libro nuevo sin guardar.";
inline constexpr const char* ExportarExaminar = "&Examinar...";
inline constexpr const char* ExportarGrupoElementos = "Elementos a exportar";
inline constexpr const char* ExportarCancelar = "&Cancelar";
inline constexpr const char* ExportarExportar = "Ex&portar";
// The check boxes, in the dialog's order: pieces, materials, patterns, results, parameters,
// offcuts, coordinates.
inline constexpr const char* ExportarElementos[7] = {"Piezas",
                                                     "Materiales",
                                                     "Patrones de corte",
                                                     "Hoja de resultados",
                                                     "Parámetros del corte",
                                                     "Sobrantes reutilizables",
                                                     "Coordenadas de los cortes"};
// The sheets, in the same order.
inline constexpr const char* HojasLibro[7] = {
    "Piezas", "Materiales", "Patrones", "Resultados", "Parámetros", "Sobrantes", "Coordenadas"};
inline constexpr const char* ExportandoLibro = "Exportando libro de Excel. Por favor, espere...";
inline constexpr const char* LibroGeneradoCon = "Libro de Excel generado con";
inline constexpr const char* TituloProducto = "Trazal 4";
inline constexpr const char* LibroCabeceraCoordenadas[6] = {"#",     "X_ini", "Y_ini",
                                                            "X_fin", "Y_fin", "Referencia"};
inline constexpr const char* LibroCabeceraSobrantes[4] = {"#", "Largo", "Ancho", "Cantidad"};
inline constexpr const char* LibroGruposParametros[3] = {"Cortes", "Piezas+Sobrantes",
                                                         "Semiproductos Finales"};
inline constexpr const char* LibroCabeceraParametros[16] = {
    "#",  "Dim1", "Dim2",  "#",     "Largo", "Ancho",    "Cantidad", "#",
    "OX", "OY",   "Largo", "Ancho", "Pieza", "Distrib.", "Sob_x",    "Sob_y"};
inline constexpr const char* LibroGruposResultados[4] = {"Material", "Porcentajes", "Repetición",
                                                         "Piezas/Patrón"};
inline constexpr const char* LibroCabeceraResultados[7] = {
    "Patrón #", "Material", "Aprov", "Sobrante", "Desp", "Teórica", "Real"};
inline constexpr const char* LibroCabeceraMateriales[9] = {
    "Id", "Largo", "Ancho", "Desc1", "Desc2", "Cantidad", "Aprov(%)", "Sobrante(%)", "Desp(%)"};
inline constexpr const char* LibroCabeceraPiezas[7] = {"Id",    "Largo",    "Ancho",   "Desc1",
                                                       "Desc2", "Cantidad", "Aprov(%)"};
inline constexpr const char* LibroMaterial = "Material";
inline constexpr const char* LibroTotal = "Total";

// ---- Engine: driver, solution set, summary ----
// A filter item that is not a number; "%" stands for the item.
inline constexpr const char* FiltroNoNumerico = "'%' no es un valor numérico válido";
// Calculation driver: stage names, the progress texts and the run summary (history).
inline constexpr const char* FaseTeorica = "Solución Teórica";
inline constexpr const char* FaseRedondeo = "Redondeo";
inline constexpr const char* FaseCompletamiento = "Completamiento";
inline constexpr const char* FaseMejora = "Mejora";
inline constexpr const char* ResumenFechaHora = "Fecha y Hora: ";
inline constexpr const char* ResumenCalculado = "Calculado";
inline constexpr const char* ResumenNoCalculado = "No calculado";
inline constexpr const char* ResumenExistente = "Se utilizó existente";
inline constexpr const char* ResumenVariantes = "Variantes Analizadas: ";
inline constexpr const char* ResumenAprovechamiento = "Aprovechamiento: ";
inline constexpr const char* ResumenNivel = "Nivel de Optimización: ";
// The first level was above the last one: "#" and "$" stand for the levels run.
inline constexpr const char* ResumenNivelesInvertidos =
    "Nivel inicial mayor que el final: se optimizó del nivel # al $";
inline constexpr const char* PedidoIncumplido = "No se cumplimentó el pedido para las piezas:";
inline constexpr const char* ResumenDuracion = "Duración (hh:mm:ss): ";
inline constexpr const char* ResumenMejorado = "Plan mejorado";
inline constexpr const char* ResumenSinMejora = "Sin mejora";
// The LP lower bound of the last level, per material ("#" the job material) and overall.
inline constexpr const char* ResumenCota = "Cota inferior (LP)";
inline constexpr const char* ResumenCotaMaterial = "Material #: ";
inline constexpr const char* ResumenCotaPlan = " (plan ";
// One material: its LP sheets are a bound. Several: only the total area is; each material's
// share of the LP is not a bound on that material.
inline constexpr const char* ResumenCotaAlMenos = "al menos ";
inline constexpr const char* ResumenHojas = " hojas";
inline constexpr const char* ResumenBarras = " barras";
inline constexpr const char* ResumenCotaReparto = "el LP usa ";
inline constexpr const char* ResumenCotaAreaTotal =
    "La cota es del área total; el reparto del LP entre materiales no es una cota de cada uno";
inline constexpr const char* ResumenOptimo = "Plan óptimo";
inline constexpr const char* ResumenSobreCota = "Sobre la cota: ";
inline constexpr const char* ResumenCotaNoDisponible = "No disponible";
inline constexpr const char* Optimo = "óptimo";
// "#" stands for the level.
inline constexpr const char* ProcesoNivel = "Optimizando en el Nivel #...";
inline constexpr const char* ProcesoCompletando = "Completando solución entera...";
inline constexpr const char* ProcesoMejorando = "Buscando un plan con menos material...";
inline constexpr const char* ProcesoHecho = "hecho";
inline constexpr const char* ProcesoRedondeoDefecto = "Redondeando por defecto...";
inline constexpr const char* ProcesoRedondeoExceso = "Redondeando por exceso...";
// "%" stands for the job's name.
inline constexpr const char* OptimizacionCompletada = "%. Optimización completada.";
inline constexpr const char* CalculoCompletado = "Calculo Completado";

// ---- Generator ----
inline constexpr const char* TablaCortesExcesiva =
    "Demasiadas posiciones de corte para la memoria disponible: restrinja los posibles cortes "
    "o baje el nivel de optimización";

// ---- Job window: grids, editing rules, save and close questions ----
inline constexpr const char* Nuevo = "NUEVO";
inline constexpr const char* ColumnasDatos[7] = {"Id",    "Largo", "Ancho", "Cantidad",
                                                 "Desc1", "Desc2", "Act"};
inline constexpr const char* ColumnasResultados[7] = {"Patrón #", "Material", "Aprov", "Sobrante",
                                                      "Desp",     "Teórica",  "Real"};
inline constexpr const char* PrefijoColumnaPieza = " P";
inline constexpr const char* TotalReal = "Total Real";
inline constexpr const char* TotalTeorico = "Total Teórico";
inline constexpr const char* AprovPorPieza = "Aprov/Pza(%)";
inline constexpr const char* Patron = "Patrón";
inline constexpr const char* NoHayPatrones = "No hay patrones";
inline constexpr const char* PanelPiezas = "pza";
inline constexpr const char* PanelMateriales = "mat";
inline constexpr const char* PanelPatrones = "pat";
inline constexpr const char* PanelPaginas = "pag";
inline constexpr const char* PanelDe = "de";
inline constexpr const char* ValorNegativo = "El valor no puede ser negativo";
inline constexpr const char* SeguroEliminar = "¿Seguro desea eliminar?";
inline constexpr const char* EliminarPatrones =
    "Esta acción eliminará todos los patrones de corte. ¿OK para continuar?";
// "%" stands for a file or job name.
inline constexpr const char* ArchivoExiste = "El archivo % ya existe. ¿Sobreescribir?";
inline constexpr const char* PlantillaModificada =
    "La plantilla % ha sido modificada. ¿Desea Guardarla?";
inline constexpr const char* LanzamientoModificado =
    "El lanzamiento % ha sido modificado. ¿Desea Guardarlo?";
inline constexpr const char* FinaliceCalculo = "Finalice el calculo antes de cerrar";
inline constexpr const char* SemiproductoNoCabe =
    "El semiproducto copiado no cabe en el seleccionado";
inline constexpr const char* PortapapelesIncorrecto =
    "El portapapeles no contiene un bloque de celdas válido";
inline constexpr const char* FactorIncorrecto = "El factor debe ser un número positivo";
inline constexpr const char* ManualNoDisponible = "No se puede abrir el manual ";

// ---- Dialogs of the desktop program: progress window, options, filter, consumption, new job,
// multiply quantities, preferences, about box ----
inline constexpr const char* TituloAplicacion = "Trazal 4";
// Progress window.
inline constexpr const char* CalculandoPatrones = "Calculando patrones de corte...";
inline constexpr const char* EstadoCalculo = "Estado del cálculo:";
inline constexpr const char* ColumnasFases[4] = {"Fase", "Aprovechamiento", "Variantes", "Proceso"};
inline constexpr const char* ConsumoMaterial = "Consumo del material:";
inline constexpr const char* ColumnasConsumo[3] = {"Material", "Optimo", "Real"};
inline constexpr const char* EtiquetaTiempo = "Tiempo transcurrido (hh:mm:ss):";
inline constexpr const char* BotonForzar = "&Forzar >>";
inline constexpr const char* ForzarAyuda = "Ir al siguiente proceso del cálculo";
inline constexpr const char* GuardarAlTerminar = "&Guardar el lanzamiento al terminar";
inline constexpr const char* ApagarSistema = "&Apagar el sistema al terminar";
inline constexpr const char* BotonCancelar = "&Cancelar";
inline constexpr const char* BotonCerrar = "Cerrar";
inline constexpr const char* Optimizando = "Optimizando %. Por favor, espere ...";
inline constexpr const char* Cancelando = "Cancelando el cálculo...";
inline constexpr const char* PedidoIncumplidoTexto =
    "No se pudo cumplimentar el pedido para las piezas siguientes: \n#P\nDebido a: \n - Se "
    "agotó el material.\n - Las piezas no caben en ningún material o es imposible cortarlas por "
    "las restricciones tecnológicas.\n - No se realizó el completamiento.";
inline constexpr const char* BotonOK = "OK";
inline constexpr const char* BotonCancelarSimple = "Cancelar";

// New job.
inline constexpr const char* NuevoLanzamiento = "Nuevo lanzamiento";
inline constexpr const char* ConfiguracionInicial = "Configuración Inicial";
inline constexpr const char* Configuraciones[3] = {"Barras", "Planchas", "Utilizar plantilla"};
inline constexpr const char* ConfiguracionAyuda =
    "Elija la configuración inicial del lanzamiento según una plantilla predefinida o de usuario";
inline constexpr const char* SeleccionarPlantilla = "Seleccionar plantilla";
inline constexpr const char* PlantillasAyuda = "Seleccione una plantilla de usuario. Haga doble "
                                               "clic en Examinar para buscarla en las carpetas.";
inline constexpr const char* Examinar = "Examinar...";
inline constexpr const char* PlantillaBarras = "defaultbars.pla";
inline constexpr const char* PlantillaPlanchas = "defaultsheets.pla";
inline constexpr const char* FiltroPlantillas = "Plantillas de Lanzamiento (*.pla)|*.pla";
// Multiply quantities.
inline constexpr const char* MultiplicarCantidades = "Multiplicar cantidades";
inline constexpr const char* MultiplicarPor = "Multiplicar por:";
// Filter.
inline constexpr const char* FiltrarPatrones = "Filtrar patrones";
inline constexpr const char* CampoAFiltrar = "Campo a filtrar en la Hoja de Resultados";
inline constexpr const char* ListaFiltro = "Lista de filtro";
inline constexpr const char* FiltroAyuda[3] = {
    "Teclee una lista de valores o rangos separados por coma.", "Ejemplo: 1,5,10-15",
    "Filtre los materiales por el Id y no por las dimensiones."};
// Ideal consumption.
inline constexpr const char* ConsumoIdeal = "Consumo ideal del material";
inline constexpr const char* EtiquetaMaterial = "&Material:";
inline constexpr const char* EtiquetaCantidad = "Cantidad:";
inline constexpr const char* ConsumoExplicacion[2] = {
    "Cantidad = SUM(AreaPieza*Pedido)/AreaMaterial,",
    "para todas las piezas activas que quepan en el material. Expresa el consumo hipotético "
    "para un 100% de aprovechamiento sin tener en cuenta las restricciones del corte y "
    "suponiendo que este material sea el único utilizado. "};
// History.
inline constexpr const char* HistoricoCalculo = "Histórico del cálculo";
inline constexpr const char* ReporteUltimoCalculo = "Reporte del último cálculo realizado:";
// Preferences.
inline constexpr const char* Preferencias = "Preferencias";
inline constexpr const char* ColumnasColores[3] = {"Elemento", "Pantalla", "Papel"};
inline constexpr const char* ElementosColor[9] = {"Fondo de la barra de título",
                                                  "Texto de la barra de título",
                                                  "Selección",
                                                  "Fondo de los patrones",
                                                  "Resalte de la fila actual",
                                                  "Cortes de semiproductos",
                                                  "Cortes de piezas",
                                                  "Relleno del sobrante",
                                                  "Etiquetas"};
inline constexpr const char* RestaurarColores = "Restaurar colores &originales";
inline constexpr const char* Colores = "Colores";
inline constexpr const char* Dibujo = "Dibujo";
inline constexpr const char* Carpetas = "Carpetas";
inline constexpr const char* RellenoSobrante = "Relleno del sobrante:";
inline constexpr const char* AnchoLinea = "Ancho de línea de los cortes:";
inline constexpr const char* AnchoBarra = "Ancho de las barras (% del largo):";
inline constexpr const char* ColoresMiniatura = "Colores de las miniaturas:";
inline constexpr const char* OpcionesMiniatura[3] = {"Blanco y Negro", "Pantalla", "Papel"};
inline constexpr const char* CarpetaLanzamientos = "Carpeta de lanzamientos:";
inline constexpr const char* CarpetaPlantillas = "Carpeta de plantillas:";
inline constexpr const char* BuscarCarpeta = "Buscar carpeta";
// About box and calculator.
inline constexpr const char* AcercaDe = "Acerca de Trazal";
inline constexpr const char* AcercaDeTexto =
    "Optimización del corte de planchas y barras.\nCortes de guillotina, cálculo por "
    "generación de columnas y redondeo a repeticiones enteras.";
inline constexpr const char* Version = "Versión ";
inline constexpr const char* SinCalculadora =
    "No se encontró ninguna calculadora instalada (gnome-calculator, kcalc, galculator, "
    "mate-calc o xcalc).";

// Job options.
inline constexpr const char* OpcionesLanzamiento = "Opciones de lanzamiento";
inline constexpr const char* PaginasOpciones[5] = {"Unidades", "Cálculo", "Corte", "Etiquetas",
                                                   "Salidas"};
inline constexpr const char* TiposUnidad[4] = {
    "Decimales", "Fraccionarias", "Pies y pulgadas decimales", "Pies y pulgadas fraccionarias"};
inline constexpr const char* PrecisionesDecimales[4] = {"1", "0.1", "0.01", "0.001"};
inline constexpr const char* PrecisionesFraccionarias[9] = {"1",    "1/2",  "1/4",   "1/8",  "1/16",
                                                            "1/32", "1/64", "1/128", "1/256"};
inline constexpr const char* NombresUnidad[9] = {"mm", "cm", "dm", "m", "\"", "'", "ft", "in", ""};
inline constexpr const char* SuprimirCeros = "Suprimir ceros a la derecha";
inline constexpr const char* TipoDeUnidad = "Tipo de unidad:";
inline constexpr const char* PrecisionUnidad = "Precisión:";
inline constexpr const char* NombreDeUnidad = "Nombre de la unidad:";
inline constexpr const char* Muestra = "Muestra:";
inline constexpr const char* ConversionUnidades = "Conversión de unidades";
inline constexpr const char* UnidadAnterior = "Unidad anterior:";
inline constexpr const char* UnidadActual = "Unidad actual:";
inline constexpr const char* Convertir = "Con&vertir";
inline constexpr const char* Deshacer = "&Deshacer";
inline constexpr const char* NivelOptimizacion = "Nivel de optimización:";
inline constexpr const char* NivelInicial = "Nivel inicial:";
inline constexpr const char* NotasNivel[3] = {
    "Nivel 1: La optimización es buena y el rendimiento superior.",
    "Nivel 2: La optimización es casi máxima y el rendimiento eficiente (recomendado).",
    "Nivel 3: La optimización es máxima pero el rendimiento será inferior."};
inline constexpr const char* CalcularTeorica = "Calcular solución teórica";
inline constexpr const char* RedondearMinimizando = "Redondear minimizando:";
inline constexpr const char* DesvEstandard = "Desv. Estándard";
inline constexpr const char* AreaTotal = "Area Total";
inline constexpr const char* CompletarExacta = "Completar solución entera exacta";
inline constexpr const char* PreferirVarios =
    "Preferir el uso de varios materiales en el completamiento";
inline constexpr const char* MantenerPatrones = "Mantener patrones actuales en la solución";
inline constexpr const char* ExtenderAl = "Extender dimensiones al ";
inline constexpr const char* PorcientoMaterial = "% del material para el cálculo de los cortes";
inline constexpr const char* CortePlanchas = "Corte de &planchas";
inline constexpr const char* CorteBarras = "Corte de &barras";
inline constexpr const char* TipoCorte = "Tipo de corte";
inline constexpr const char* ParametrosTecnologicos = "Parámetros tecnológicos";
inline constexpr const char* Parametros[7] = {
    "Ancho del corte",           "Longitud mínima del residuo",
    "Longitud máxima del corte", "Longitud de agarre",
    "Rotar las piezas",          "Restringir niveles del corte",
    "Márgenes del material"};
inline constexpr const char* EtiquetaRotar = "Sólo las siguientes: (ej. 1,2,5-10)";
inline constexpr const char* EtiquetaNiveles = "Cantidad de niveles:";
inline constexpr const char* EtiquetaMargenes = "Izq, Der, Inf, Sup[:<lista de mat.>]:";
inline constexpr const char* AyudasParametros[7] = {
    "Distancia o separación entre las piezas para que la herramienta de corte trabaje "
    "apropiadamente.",
    "Longitud mínima del sobrante o desecho que puede quedar en el semiproducto después del "
    "último corte.",
    "Longitud máxima que puede alcanzar la herramienta de corte.",
    "Longitud de la zona de seguridad necesaria para sujetar el material.",
    "Las piezas pueden rotarse en los patrones de corte. Aumenta significativamente las "
    "posibilidades de optimización.",
    "Limita la cantidad de veces (niveles) que puede cambiar la dirección del corte antes de "
    "alcanzar semiproductos de piezas o sobrantes.",
    "Define bandas de seguridad en los extremos del material, reduciendo el área de ubicación de "
    "las piezas ."};
inline constexpr const char* DeteccionSobrantes = "Detección de sobrantes";
inline constexpr const char* Habilitar = "Habilitar";
inline constexpr const char* DimensionesMinimas = "Dimensiones mínimas:";
inline constexpr const char* FormatoEtiquetas = "Formato de las etiquetas de los patrones";
inline constexpr const char* BotonOriginal = "&Original";
inline constexpr const char* BotonCargar = "Cargar...";
inline constexpr const char* BotonGuardar = "Guardar...";
inline constexpr const char* BotonGenerar = "Generar...";
inline constexpr const char* FiltroFormatosAbrir =
    "Formatos de Etiqueta (*.fmt)|*.fmt|Todos los archivos (*.*)|*.*";
inline constexpr const char* FiltroFormatosGuardar = "Formatos de Etiqueta (*.fmt)|*.fmt";
inline constexpr const char* ReportePatrones = "Reporte de patrones de corte";
inline constexpr const char* FilasPorPagina = "Filas por página:";
inline constexpr const char* ColumnasPorPagina = "Columnas por página:";
inline constexpr const char* ConfigurarPagina = "Configurar Página...";
inline constexpr const char* TituloConfigurarPagina = "Configurar Página";
inline constexpr const char* PaginaImpresora = "&Impresora:";
inline constexpr const char* PaginaImpresoraPredeterminada = "(Predeterminada)";
inline constexpr const char* PaginaPapel = "&Papel:";
inline constexpr const char* PaginaPapelPredeterminado = "Predeterminado de la impresora";
inline constexpr const char* PaginaPapelPersonalizado = "Personalizado";
inline constexpr const char* PaginaAncho = "&Ancho (mm):";
inline constexpr const char* PaginaLargo = "&Largo (mm):";
inline constexpr const char* PaginaOrientacion = "Orientación";
inline constexpr const char* PaginaVertical = "&Vertical";
inline constexpr const char* PaginaHorizontal = "&Horizontal";
inline constexpr const char* PaginaBandeja = "&Bandeja:";
// The output bins, in the order of OutputBin.
inline constexpr const char* PaginaBandejas[] = {
    "Única",          "Superior",       "Inferior",   "Central",   "Manual",
    "Sobre",          "Sobre manual",   "Automática", "Tractor",   "Formato pequeño",
    "Formato grande", "Gran capacidad", "Casete",     "Formulario"};
inline constexpr const char* ExcluirNulos = "Excluir de los reportes";
inline constexpr const char* ExcluirPiezas = "Piezas con cantidad nula";
inline constexpr const char* ExcluirMateriales = "Materiales sin consumo";
inline constexpr const char* ExcluirPatrones = "Patrones con repetición nula";
inline constexpr const char* GuardarEnPlantilla = "&Guardar en la plantilla";
inline constexpr const char* MejorarSolucion = "Mejorar la solución entera durante un máximo de";
inline constexpr const char* Segundos = "segundos";
inline constexpr const char* EscalaIncorrecta = "'%' no es un número válido";
inline constexpr const char* NoSePuedeLeerFormato = "No se puede leer el archivo ";

// ---- Label dialogs ----
inline constexpr const char* TituloEditarEtiqueta = "Editar etiqueta";
inline constexpr const char* AlineacionHorizontal = "Alineación &horizontal";
inline constexpr const char* AlineacionVertical = "Alineación &vertical";
inline constexpr const char* EnRelacionSemiproducto = "En relación al semiproducto:";
inline constexpr const char* PorDentro = "por dentro";
inline constexpr const char* PorFuera = "por fuera";
inline constexpr const char* PorElCorte = "por el corte";
inline constexpr const char* Izquierda = "Izquierda";
inline constexpr const char* Derecha = "Derecha";
inline constexpr const char* Centro = "Centro";
inline constexpr const char* Arriba = "Arriba";
inline constexpr const char* Abajo = "Abajo";
inline constexpr const char* RecortarDentro = "Re&cortar dentro del semiproducto";
inline constexpr const char* PropagarFormato = "Pr&opagar formato";
inline constexpr const char* BotonRestaurar = "&Restaurar";
inline constexpr const char* BotonEliminarEtiqueta = "&Eliminar";
inline constexpr const char* BotonFuente = "&Font";
inline constexpr const char* BotonParametros = "&Parámetros";
inline constexpr const char* VistaPrevia = "Vista previa:";
inline constexpr const char* TituloParametrosEti = "Parámetros de etiqueta";
inline constexpr const char* MarqueParametros =
    "Marque los parámetros a insertar en el formato de la etiqueta:";
inline constexpr const char* TituloGenerarEti = "Generar formato de etiqueta";
inline constexpr const char* TipoEtiqueta = "Tipo de etiqueta";
inline constexpr const char* TiposEtiqueta[4] = {"Etiqueta de Pieza", "Etiqueta de Sobrante",
                                                 "Etiqueta de Corte Vertical",
                                                 "Etiqueta de Corte Horizontal"};
inline constexpr const char* BotonConfigurar = "&Configurar...";
inline constexpr const char* ParametroC = "No. Consecutivo del Corte";
inline constexpr const char* ParametroSL = "Largo del Semiproducto";
inline constexpr const char* ParametroSW = "Ancho del Semiproducto";
inline constexpr const char* ParametroOX = "Coordenada X del Semiproducto";
inline constexpr const char* ParametroOY = "Coordenada Y del Semiproducto";
inline constexpr const char* ParametroP = "Indice de la Pieza (0=No hay pieza)";
inline constexpr const char* ParametroPL = "Largo de la Pieza";
inline constexpr const char* ParametroPW = "Ancho de la Pieza";
inline constexpr const char* ParametroRX = "Repetición de la Pieza en X";
inline constexpr const char* ParametroRY = "Repetición de la Pieza en Y";
inline constexpr const char* ParametroOFFX = "Longitud del Sobrante en X";
inline constexpr const char* ParametroOFFY = "Longitud del Sobrante en Y";
inline constexpr const char* ParametroROT = "Rotacion de la Pieza (0=No rotada,1=Rotada)";
inline constexpr const char* ParametroDESC1 = "Descripción1 de la Pieza";
inline constexpr const char* ParametroDESC2 = "Descripción2 de la Pieza";
inline constexpr const char* ParametroDIM1 = "Primera Dimensión para el Corte";
inline constexpr const char* ParametroDIM2 = "Segunda Dimensión para el Corte";
inline constexpr const char* ParametroSP = "No. Consecutivo del Semiproducto";
inline constexpr const char* ParametroOFF = "No. Consecutivo del Sobrante";
inline constexpr const char* ParametroDIR =
    "Dirección del Corte (-1=Horizontal,1=Vertical,0=No hay corte)";
inline constexpr const char* ParametroCW = "Ancho del Corte";
inline constexpr const char* ParametroLM = "Margen Izquierdo";
inline constexpr const char* ParametroRM = "Margen Derecho";
inline constexpr const char* ParametroBM = "Margen Inferior";
inline constexpr const char* ParametroTM = "Margen Superior";
// "No se puede leer el archivo x.fmt: no es un formato de etiqueta (contiene caracteres que
// no son texto)"
inline constexpr const char* FormatoNoEsTexto =
    ": no es un formato de etiqueta (contiene caracteres que no son texto)";

// ---- Command-line tool ----
// Solution listing of "mostrar".
inline constexpr const char* CliSolucion = "Solución";
inline constexpr const char* CliPatrones = "patrones";
inline constexpr const char* CliPlanActual = "plan actual";
inline constexpr const char* CliPlanes[3] = {"final", "por exceso", "por defecto"};
inline constexpr const char* CliAprovGuardado = "aprovechamiento teórico guardado";
inline constexpr const char* CliCabeceraPatrones[9] = {
    "Patrón #", "Material", "Teórica", "Final", "Exceso", "Defecto", "Aprov", "Sobrante", "Desp"};
inline constexpr const char* CliPiezasPatron = "Piezas/Patrón";
inline constexpr const char* CliPatronVacio = "(vacío)";
inline constexpr const char* CliTotales = "Totales";
inline constexpr const char* CliRepeticiones = "Repeticiones";
inline constexpr const char* CliTeorica = "teórica";
inline constexpr const char* CliTeorico = "teórico";
inline constexpr const char* CliPiezas = "Piezas";
inline constexpr const char* CliAprovechamiento = "Aprovechamiento";
inline constexpr const char* CliSobrante = "Sobrante";
inline constexpr const char* CliDesperdicio = "Desperdicio";
inline constexpr const char* CliReal = "real";
inline constexpr const char* CliProduccion = "Producción";
inline constexpr const char* CliPieza = "Pieza";
inline constexpr const char* CliMaterial = "Material";
inline constexpr const char* CliConsumoTeorico = "consumo teórico";

// Job listing of "mostrar".
inline constexpr const char* CliUsoMostrar = "Uso: trazal-cli mostrar LANZAMIENTO.lan";
inline constexpr const char* CliLanzamiento = "Lanzamiento";
inline constexpr const char* CliArchivo = "Archivo";
inline constexpr const char* CliOpciones = "Opciones";
inline constexpr const char* CliMateriales = "Materiales";
inline constexpr const char* CliColumnasRegistro[7] = {"Id",    "Largo", "Ancho", "Cantidad",
                                                       "Desc1", "Desc2", "Act"};
inline constexpr const char* CliActivoSi = "sí";
inline constexpr const char* CliActivoNo = "no";
inline constexpr const char* CliIlimitada = "ilimitada";
inline constexpr const char* CliNoExiste = "No existe el archivo ";

// Calculation of "calcular".
inline constexpr const char* CliUsoCalcular =
    "Uso: trazal-cli calcular LANZAMIENTO.lan [-o OTRO.lan] [--json] [--sin-mejora] "
    "[--tiempo-mejora SEGUNDOS]";
inline constexpr const char* CliCotaLP = "cota LP";
inline constexpr const char* CliVariantes = "Variantes";
inline constexpr const char* CliForzar =
    "Forzar >>: se pasa al siguiente nivel o etapa (Ctrl+C otra vez antes de 2 segundos cancela "
    "el cálculo)";
inline constexpr const char* CliCancelando = "Cancelando el cálculo...";
inline constexpr const char* CliResumen = "Resumen del cálculo";
inline constexpr const char* CliPlanCorte = "Plan de corte";
inline constexpr const char* CliColumnasPlan[5] = {"Patrón", "Material", "Repeticiones",
                                                   "Aprovechamiento", "Piezas"};
inline constexpr const char* CliIncumplidas = "Piezas sin cumplimentar";
inline constexpr const char* CliPedidas = "pedidas";
inline constexpr const char* CliCortadas = "cortadas";
inline constexpr const char* CliGuardadoEn = "Solución guardada en ";
inline constexpr const char* CliErrorGuardar = "No se pudo guardar el lanzamiento: ";

// Pictures of patterns, "dibujar".
inline constexpr const char* CliUsoDibujar =
    "Uso: trazal-cli dibujar LANZAMIENTO.lan --patron N -o ARCHIVO.png|ARCHIVO.pdf "
    "[--modo pantalla|papel|miniatura] [--ancho PIXELES]";
inline constexpr const char* CliModos[3] = {"pantalla", "papel", "miniatura"};
// "%1" stands for the number asked for, "%2" for the number of patterns.
inline constexpr const char* CliPatronInexistente =
    "No existe el patrón %1: la solución tiene %2 patrones";
inline constexpr const char* CliAnchoIncorrecto = "El ancho debe estar entre 16 y 20000 píxeles";
inline constexpr const char* CliSinQt = "Esta versión de trazal-cli no puede dibujar (sin Qt)";
inline constexpr const char* CliErrorDibujo = "No se pudo escribir el dibujo en ";

// ---- Desktop program, reports, exchange ----

// ---- Reports ----
// Titles, by report kind (TReporte): cards, materials and pieces, offcuts, cutting
// parameters, coordinates, pattern detail.
inline constexpr const char* TitulosReportes[6] = {
    "Patrones de Corte",    "Listado de Materiales y Piezas", "Listado de Sobrantes",
    "Parámetros del Corte", "Listado de Coordenadas",         "Detalle de Patrón"};
inline constexpr const char* GruposParametros[3] = {"CORTES", "PIEZAS+SOBRANTES",
                                                    "SEMIPRODUCTOS FINALES"};
inline constexpr const char* ColumnasParametros[16] = {
    "#",  "Dim1", "Dim2",  "#",     "Largo", "Ancho",   "Cant",  "#",
    "OX", "OY",   "Largo", "Ancho", "Pieza", "Distrib", "Sob_x", "Sob_y"};
inline constexpr const char* ColumnasCoordenadas[6] = {"# Corte", "X_ini", "Y_ini",
                                                       "X_fin",   "Y_fin", "Referencia"};
inline constexpr const char* ColumnasReporteDatos[8] = {"No",   "Descripción", "Largo", "Ancho",
                                                        "Cant", "%Aprov",      "%Sob",  "%Desp"};
inline constexpr const char* ColumnasSobrantes[4] = {"No", "Largo", "Ancho", "Cant"};
inline constexpr const char* SeccionMateriales = "Materiales";
inline constexpr const char* SeccionPiezas = "Piezas";
inline constexpr const char* Total = "Total";
inline constexpr const char* MaterialReporte = "Material";
inline constexpr const char* PrefijoCorte = "C";
inline constexpr const char* PrefijoPieza = "P";
inline constexpr const char* PrefijoSobrante = "S";
inline constexpr const char* MarcaRotada = "*";
// Captions of a pattern card.
inline constexpr const char* TarjetaPatron = " Patrón # ";
inline constexpr const char* TarjetaRepetir = " Repetir: x";
inline constexpr const char* TarjetaAprov = " Aprov: ";
inline constexpr const char* TarjetaDims = " Dims: ";
inline constexpr const char* TarjetaSobrante = " Sobrante: ";
inline constexpr const char* TarjetaDesp = " Desp: ";
inline constexpr const char* TarjetaMaterial = " Material: ";
inline constexpr const char* TarjetaObserv = " Observ:";
inline constexpr const char* Pagina = "Página";
inline constexpr const char* De = "de";
inline constexpr const char* ImprimiendoReporte = "Imprimiendo reporte...";
inline constexpr const char* ExportandoReporte = "Exportando reporte...";
inline constexpr const char* FiltroExportarReporte =
    "Archivos CSV (*.csv)|*.csv|Archivos de Texto (*.txt)|*.txt|";
inline constexpr const char* FiltroExportarPdf = "Documentos PDF (*.pdf)|*.pdf";
inline constexpr const char* ErrorImprimir = "No se pudo imprimir el reporte";

} // namespace Textos
