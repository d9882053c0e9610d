#pragma once

// Zoom and scrolling of the pattern view, in device pixels, without any widget.
//
// RectBase is where the whole pattern fits at zoom 1; RectZoom is where it is drawn now, and
// the zoom factor is width(RectZoom) / width(RectBase). Setting a factor keeps RectZoom's
// centre in place. The scroll bars run over the zoomed drawing: position p puts RectZoom's
// left edge at RectBase.left - p, so p = 0 shows the drawing's left edge where zoom 1 puts it
// and the largest position its right edge where zoom 1 puts that one.

#include "patterns/CLienzo.h"

class CZoomPatron {
public:
    // Limits of the zoom commands: in while the factor is below MaximoAumentar, out while it
    // is above MinimoReducir (tolerance 1e-9, tested before multiplying).
    static constexpr double MaximoAumentar = 10.0;
    static constexpr double MinimoReducir = 0.5;
    static constexpr double PasoAumentar = 1.5;
    // A band zoom stops here: beyond it the drawing's coordinates would overflow while
    // showing less than a pixel of the material.
    static constexpr double FactorMaximo = 200.0;

    // A new base (the box was resized) returns to zoom 1.
    void FijarBase(const RRect& base);
    const RRect& RectBase() const { return FBase; }
    const RRect& RectZoom() const { return FZoom; }
    double Factor() const;

    // The zoom commands; false when the limit stopped them.
    bool Aumentar();
    bool Reducir();
    void Encajar() { FZoom = FBase; }
    void FijarFactor(double f);
    // The band (any two corners) becomes the visible part of a box of the given size: the
    // band, widened to the box's aspect ratio, fills the box. False for an empty band.
    bool ZoomABanda(const RRect& banda, int anchoCaja, int altoCaja);

    struct RBarra {
        bool Visible = false;
        int Minimo = 0;
        int Maximo = 0;
        int Pagina = 1;
        int Posicion = 0;
    };
    // Scroll bar state; shown only while the drawing reaches beyond its room at zoom 1.
    RBarra BarraHorizontal() const;
    RBarra BarraVertical() const;
    // A scroll bar moved to a position.
    void DesplazarHorizontal(int posicion);
    void DesplazarVertical(int posicion);

private:
    RRect FBase{0, 0, 1, 1};
    RRect FZoom{0, 0, 1, 1};
};
