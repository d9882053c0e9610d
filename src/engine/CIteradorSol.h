#pragma once

// Walks the slots of a solution set that hold a pattern accepted by the set's filter.

#include <cstdint>

class CSolucion;

class CIteradorSol {
public:
    explicit CIteradorSol(const CSolucion& solucion) : FSolucion(&solucion) {}

    // Moves to the next such slot: true with its number in k, or false with k = 0 at the
    // end (and on every later call).
    bool Siguiente(std::int32_t& k);

private:
    const CSolucion* FSolucion;
    std::int32_t FIndice = 0;
};
