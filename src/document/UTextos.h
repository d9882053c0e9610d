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



// ---- Patterns: tree, reshaping, properties, labels, drawing ----
inline constexpr const char* ErrorCrearPatron = "Ocurrió un error al crear el patrón";



// ---- Engine: driver, solution set, summary ----



// ---- Generator ----



// ---- Command-line tool ----



// ---- Desktop program, reports, exchange ----



} // namespace Textos
