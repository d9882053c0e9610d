#pragma once

// Drawing of a pattern to scale on any surface: the material with its margins, the kerf
// strip of every cut, the piece blocks with the lines between repeated pieces, the free
// areas in the offcut fill, and the labels placed by their layout words. While drawing, every
// node's device rectangle is recorded in its Marco for hit-testing.
//
// World to device: DX(x) = round(width(RectVista) * x / LargoTotal + RectVista.left),
// DY(y) = round(RectVista.bottom - height(RectVista) * y / AnchoTotal); the world's Y grows
// upwards, the device's downwards.

#include "patterns/CLienzo.h"

class CPatron;
struct REntorno;

namespace ModoDibujo {
inline constexpr int Pantalla = 0;
inline constexpr int Papel = 1;
inline constexpr int Miniatura = 2;
} // namespace ModoDibujo

// The colours of one drawing mode.
struct RColoresDibujo {
    TColor CortesSemiproductos = 0;
    TColor CortesPiezas = 0;
    TColor RellenoSobrante = 0;
    TColor Etiquetas = 0;
    TColor Fondo = 0;
};

RColoresDibujo ColoresDeModo(const REntorno& entorno, int modo);
// An environment colour as RGB: a system colour (high bit set) becomes a fixed colour.
TColor ColorDeEntorno(std::uint32_t valor);

// Draws P fitted into `ajuste`, everything clipped to `recorte`, with the colours and line
// width of `entorno`. Stores the drawing state in P and the Marco of every node.
void Dibujar(CPatron& P, CLienzo& lienzo, const RRect& ajuste, int modo, const RRect& recorte,
             const REntorno& entorno);
// The same with the process-wide environment.
void Dibujar(CPatron& P, CLienzo& lienzo, const RRect& ajuste, int modo, const RRect& recorte);

// Clipping as every primitive of the drawing does it. Rectangles keep their zero-width or
// zero-height remains (a cut without kerf); false when nothing remains.
bool RecortarRectangulo(const RRect& r, const RRect& limite, RRect& resultado);
bool RecortarLinea(int& x1, int& y1, int& x2, int& y2, const RRect& limite);
