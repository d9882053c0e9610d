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
inline constexpr const char* CliHojas = "hojas";
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

} // namespace Textos
