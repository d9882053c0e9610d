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
inline constexpr const char* ErrorDirHorBarras = "Utilice sólo corte verticales en el corte de barras";
inline constexpr const char* ErrorConversion = "Valor de longitud incorrecto";
inline constexpr const char* ReinicializarSolucion =
    "Esta acción reinicializará la solución actual. ¿Continuar?";

// ---- Document: job, files, units, environment ----
inline constexpr const char* ErrorCrearLanzamiento = "Error al crear el lanzamiento: ";
inline constexpr const char* ExcedeMaximo = "El valor excede el máximo permitido";
// "'abc' no es un valor entero válido"
inline constexpr const char* NoEsEntero = " no es un valor entero válido";
inline constexpr const char* NoSePuedeLeerArchivo = "No se puede leer el archivo ";
inline constexpr const char* EsUnaCarpeta = ": es una carpeta, no un archivo";
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



// ---- Engine: driver, solution set, summary ----
// A filter item that is not a number; "%" stands for the item.
inline constexpr const char* FiltroNoNumerico = "'%' no es un valor numérico válido";



// ---- Generator ----
inline constexpr const char* TablaCortesExcesiva =
    "Demasiadas posiciones de corte para la memoria disponible: restrinja los posibles cortes "
    "o baje el nivel de optimización";



// ---- Command-line tool ----



// ---- Desktop program, reports, exchange ----



} // namespace Textos
