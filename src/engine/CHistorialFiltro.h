#pragma once

// The texts of the earlier pattern filters the filter dialog offers: at most 20, oldest
// first, no repeats, kept as long as the dialog exists.

#include <cstdint>
#include <string>
#include <vector>

class CHistorialFiltro {
public:
    static constexpr std::size_t Maximo = 20;

    // An empty or known text changes nothing; a 21st text drops the oldest.
    void Agregar(const std::string& texto);
    const std::vector<std::string>& Textos() const { return FTextos; }

    // Column c of the result sheet as the filter's criterion min(c, 7) and piece
    // max(0, c - 6): columns from 7 on are the pieces.
    static std::int32_t Criterio(int columna);
    static std::int32_t Pieza(int columna);

private:
    std::vector<std::string> FTextos;
};
