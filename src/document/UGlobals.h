#pragma once

// Shared types and helpers of the whole core: the array types of the calculation,
// the tolerant comparison of doubles, the 1-based quicksort, percentages and number lists.

#include <cstdint>
#include <string>
#include <vector>

// Arrays of the calculation. Piece and material arrays are indexed from 1; element 0 is
// not used, so an array for n items has n + 1 elements.
using AWord16 = std::vector<std::uint16_t>;
using AInt32 = std::vector<std::int32_t>;
using AReal8 = std::vector<double>;
using AByte = std::vector<std::uint8_t>;
using MWord16 = std::vector<AWord16>;
using MInt32 = std::vector<AInt32>;
using MReal8 = std::vector<AReal8>;
// Pieces a pattern or a plan yields, per job piece: 64-bit, because one block of a large
// sheet already holds more pieces than 16 bits count, and a plan multiplies that again.
using ACantidades = std::vector<std::int64_t>;

// total + cantidad * veces for counts that are never negative: a negative factor counts as
// 0, and the result stays at the largest 64-bit value instead of wrapping.
std::int64_t SumarCantidad(std::int64_t total, std::int64_t cantidad, std::int64_t veces);

// 65535 in a material quantity means unlimited stock.
inline constexpr std::uint16_t CantidadIlimitada = 65535;

// Tolerance of every comparison of doubles in the engine, the measures and the reports.
inline constexpr double Tolerancia = 1e-9;
// Start value of every minimum search.
inline constexpr double MaximoReal = 1.7E308;

inline bool Igual(double a, double b) {
    return (a - b < Tolerancia) && (b - a < Tolerancia);
}
inline bool MayorIgual(double a, double b) {
    return Igual(a, b) || a > b;
}
inline bool MenorIgual(double a, double b) {
    return Igual(a, b) || a < b;
}
inline bool Menor(double a, double b) {
    return !MayorIgual(a, b);
}
inline bool Mayor(double a, double b) {
    return !MenorIgual(a, b);
}

// x * 100 rounded to d decimals: every percentage the program shows.
double Porcentaje(double x, int decimales);

// Number lists such as "2,5-7": numbers and low-high ranges separated by commas or blanks.
// An empty list matches every number; items that are not numbers are skipped.
bool EnListaNumeros(const std::string& lista, long long n);

// Text helpers shared by the document and the patterns.
std::string Recortar(const std::string& s);
// Decimal integer the way the files read it: optional blanks, optional sign, digits.
// Answers false (and leaves valor alone) for anything else or for an out-of-range value.
bool LeerEntero(const std::string& texto, long long& valor);
