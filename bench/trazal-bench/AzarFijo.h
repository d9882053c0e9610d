#pragma once

// Draws for the generated jobs. mt19937 output is fixed by the standard; its distributions are
// not, so the draws are mapped by hand to keep the jobs the same with every library.

#include <cstdint>
#include <random>

inline int Entre(std::mt19937& g, int desde, int hasta) {
    return desde + static_cast<int>(g() % static_cast<std::uint32_t>(hasta - desde + 1));
}
