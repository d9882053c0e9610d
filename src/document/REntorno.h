#pragma once

// The per-user environment: window placement, shown bars, drawing colours and parameters,
// default folders. Stored as one binary value of exactly TamanoEntorno bytes, little-endian,
// every field at a fixed offset (see the .cpp for the layout).

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct RPosicionVentana {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    bool operator==(const RPosicionVentana&) const = default;
};

struct RBarraHerramientas {
    bool Visible = true;
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    bool operator==(const RBarraHerramientas&) const = default;
};

struct REntorno {
    static constexpr std::size_t TamanoEntorno = 696;
    static constexpr int CantidadBarras = 7;
    static constexpr int CantidadColores = 15;
    static constexpr std::size_t LargoMaximoCarpeta = 255;

    // Screen colours 1-9, paper colours 10-15.
    enum : int {
        ColorFondoTitulo = 1,
        ColorTextoTitulo = 2,
        ColorSeleccion = 3,
        ColorResalteFila = 4,
        ColorCortesSemiproductos = 5,
        ColorCortesPiezas = 6,
        ColorRellenoSobrante = 7,
        ColorFondoPatrones = 8,
        ColorEtiquetas = 9,
        ColorPapelFondoTitulo = 10,
        ColorPapelTextoTitulo = 11,
        ColorPapelCortesSemiproductos = 12,
        ColorPapelCortesPiezas = 13,
        ColorPapelRellenoSobrante = 14,
        ColorPapelEtiquetas = 15,
    };

    std::uint8_t EstadoLanzamiento = 2; // 0 normal, 1 minimised, 2 maximised
    std::uint8_t EstadoPrincipal = 0;
    RPosicionVentana PosPrincipal;
    RPosicionVentana PosLanzamiento;
    bool VerBarraEstado = true;
    bool VerBarras = true;
    std::array<RBarraHerramientas, CantidadBarras> BarrasHerramientas{};
    bool VerInspectorPatron = true;
    // Colours 1..15 (element 0 unused): RGB with red in the low byte, or a system colour
    // (high bit set, index in the low byte).
    std::array<std::uint32_t, CantidadColores + 1> Colores{};
    std::int32_t RellenoSobrante = 5; // 0..7
    std::int32_t AnchoLinea = 2;      // 0..5
    std::string CarpetaLanzamientos;  // at most 255 bytes are stored
    std::string CarpetaPlantillas;
    std::uint8_t ColoresMiniatura = 0; // 0 black and white, 1 screen, 2 paper
    double AnchoBarra = 0.1;

    bool operator==(const REntorno&) const = default;

    // The defaults for a screen of the given size and the application folder (with its
    // trailing separator).
    static REntorno PorDefecto(int anchoPantalla, int altoPantalla,
                               const std::string& carpetaAplicacion);
    static std::array<std::uint32_t, CantidadColores + 1> ColoresPorDefecto();

    // A folder as stored: at most LargoMaximoCarpeta bytes, cut on a character boundary.
    static std::string CortarCarpeta(const std::string& carpeta);

    std::vector<std::uint8_t> ABytes() const;
    // Fills the record from a stored value; answers false (record untouched) unless the
    // value has exactly TamanoEntorno bytes.
    bool DesdeBytes(const std::vector<std::uint8_t>& bytes);
};
