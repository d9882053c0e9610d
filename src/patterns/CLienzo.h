#pragma once

// The drawing surface the pattern drawing talks to: a pen, a fill, a font, rectangles,
// lines and single lines of text. Device coordinates grow to the right and downwards.
// The screen and paper implementations sit over the platform's painter; the spreadsheet
// export and the tests provide their own. Callers clip before they call: a surface draws
// what it is given.

#include "patterns/CCorte.h"
#include "patterns/UEtiquetas.h"

#include <cstdint>
#include <string>

// An RGB colour, red in the low byte, then green, then blue.
using TColor = std::uint32_t;

constexpr TColor ColorRGB(std::uint8_t rojo, std::uint8_t verde, std::uint8_t azul) {
    return static_cast<TColor>(rojo) | (static_cast<TColor>(verde) << 8) |
           (static_cast<TColor>(azul) << 16);
}
constexpr std::uint8_t Rojo(TColor c) {
    return static_cast<std::uint8_t>(c & 0xFF);
}
constexpr std::uint8_t Verde(TColor c) {
    return static_cast<std::uint8_t>((c >> 8) & 0xFF);
}
constexpr std::uint8_t Azul(TColor c) {
    return static_cast<std::uint8_t>((c >> 16) & 0xFF);
}

enum class TEstiloPluma { Solida, Punteada, Ninguna };

// The eight fills, numbered as the environment's offcut fill (RellenoSobrante) numbers them.
enum class TEstiloRelleno : int {
    Solido = 0,
    Hueco = 1,
    Horizontal = 2,
    Vertical = 3,
    DiagonalAdelante = 4,
    DiagonalAtras = 5,
    Cruz = 6,
    CruzDiagonal = 7,
};

// Where the x of a text line is: its left edge, its centre or its right edge.
enum class TAlineacion { Izquierda, Centro, Derecha };

class CLienzo {
public:
    virtual ~CLienzo() = default;

    virtual void Pluma(TColor color, TEstiloPluma estilo, int ancho) = 0;
    virtual void Relleno(TColor color, TEstiloRelleno estilo) = 0;
    // Font and colour of the texts that follow; texts never paint a background.
    virtual void Fuente(const RFuente& fuente, TColor color) = 0;

    // Fills r with the fill (right and bottom edges excluded) and outlines it with the pen.
    // A rectangle of zero width or height still gets its outline: a cut without kerf
    // shows as a line of the pen's width.
    virtual void Rectangulo(const RRect& r) = 0;
    virtual void Linea(int x1, int y1, int x2, int y2) = 0;
    // One line of text whose top is y; nothing outside recorte shows.
    virtual void Texto(const RRect& recorte, int x, int y, TAlineacion alineacion,
                       const std::string& texto) = 0;
    // Size of a line of text in the current font.
    virtual int AnchoTexto(const std::string& texto) = 0;
    virtual int AltoTexto(const std::string& texto) = 0;
    // The drawing is complete: a surface that holds back fills paints them now.
    virtual void Terminar() {}
};
