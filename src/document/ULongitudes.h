#pragma once

// Lengths and units. Every length is an integer count of the job's smallest unit
// (an internal length): 10^-Precision or 2^-Precision of the display unit, inches for the
// feet kinds. The user sees and types lengths in one of four unit kinds (TipoUnidad):
//   0 decimal number + NombreUnidad      2 feet ' and decimal inches "
//   1 whole units and a binary fraction  3 feet ', inches and a binary fraction "
// Only the unit fields of the option record are used.

#include <cstdint>
#include <string>

struct ROpciones;

inline constexpr std::int32_t LongitudMaxima = 65535;

std::string FormatearLongitud(std::int32_t valor, const ROpciones& unidades);
// Raises EConversion with the user's message on a malformed, negative or too large text.
std::int32_t LeerLongitud(const std::string& texto, const ROpciones& unidades);
// Display units (inches for the feet kinds).
double LongitudAReal(std::int32_t valor, const ROpciones& unidades);
// A number of display units as text, without unit name or feet.
std::string RealATexto(const ROpciones& unidades, double x);
