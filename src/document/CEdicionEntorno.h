#pragma once

// The preferences dialog's working copy of the environment: the 15 colours, the drawing
// parameters and the two folders. Nothing reaches the environment before Guardar.
//
// The colour list shows nine elements, each with its screen colour number and, for five of
// them, a paper colour number (0: none).

#include "document/REntorno.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class CEdicionEntorno {
public:
    struct RElemento {
        int Pantalla;
        int Papel; // 0: the element has no paper colour
    };
    static constexpr int CantidadElementos = 9;
    static const std::array<RElemento, CantidadElementos>& Elementos();

    void Cargar(const REntorno& entorno);
    // Colour number 1..15 of the working copy.
    std::uint32_t Color(int numero) const;
    // The screen (or paper) colour of every listed row becomes `color`; rows without a
    // paper colour are skipped for paper.
    void AplicarColor(const std::vector<int>& filas, bool papel, std::uint32_t color);
    void RestaurarColores();

    std::int32_t RellenoSobrante = 5; // 0..7
    std::int32_t AnchoLinea = 2;      // 0..5
    std::int32_t AnchoBarra = 10;     // percent of the length, 1..50
    std::int32_t ColoresMiniatura = 0;
    std::string CarpetaLanzamientos;
    std::string CarpetaPlantillas;

    // Writes everything into `entorno`; folders cut to 255 bytes on a character boundary.
    void Guardar(REntorno& entorno) const;

private:
    std::array<std::uint32_t, REntorno::CantidadColores + 1> FColores{};
};
