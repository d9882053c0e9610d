#include "patterns/CZoomPatron.h"

#include "document/UGlobals.h"

#include <algorithm>
#include <cmath>

namespace {

int Ancho(const RRect& r) {
    return r.Right - r.Left;
}
int Alto(const RRect& r) {
    return r.Bottom - r.Top;
}

// A rectangle of the base's size times f, placed by its left and top edges.
RRect Escalado(const RRect& base, double f, double izq, double sup) {
    const auto ancho = static_cast<std::int32_t>(std::lround(Ancho(base) * f));
    const auto alto = static_cast<std::int32_t>(std::lround(Alto(base) * f));
    const auto l = static_cast<std::int32_t>(std::lround(izq));
    const auto t = static_cast<std::int32_t>(std::lround(sup));
    return RRect{l, t, l + std::max(1, ancho), t + std::max(1, alto)};
}

CZoomPatron::RBarra Barra(int inicioBase, int finBase, int inicio, int fin) {
    CZoomPatron::RBarra b;
    const int posicion = inicioBase - inicio;
    b.Visible = inicio < inicioBase || fin > finBase;
    b.Posicion = posicion;
    b.Minimo = std::min(0, posicion);
    b.Maximo = std::max((fin - inicio) - (finBase - inicioBase), posicion);
    b.Pagina = std::max(1, finBase - inicioBase);
    return b;
}

} // namespace

void CZoomPatron::FijarBase(const RRect& base) {
    FBase = base;
    FBase.Right = std::max(FBase.Right, FBase.Left + 1);
    FBase.Bottom = std::max(FBase.Bottom, FBase.Top + 1);
    FZoom = FBase;
}

double CZoomPatron::Factor() const {
    return static_cast<double>(Ancho(FZoom)) / Ancho(FBase);
}

bool CZoomPatron::Aumentar() {
    if (!Menor(Factor(), MaximoAumentar)) {
        return false;
    }
    FijarFactor(Factor() * PasoAumentar);
    return true;
}

bool CZoomPatron::Reducir() {
    if (!Mayor(Factor(), MinimoReducir)) {
        return false;
    }
    FijarFactor(Factor() / PasoAumentar);
    return true;
}

void CZoomPatron::FijarFactor(double f) {
    f = std::clamp(f, 1e-3, FactorMaximo);
    const RRect nuevo = Escalado(FBase, f, 0, 0);
    const double izq = FZoom.Left - std::round((Ancho(nuevo) - Ancho(FZoom)) / 2.0);
    const double sup = FZoom.Top - std::round((Alto(nuevo) - Alto(FZoom)) / 2.0);
    FZoom = Escalado(FBase, f, izq, sup);
}

bool CZoomPatron::ZoomABanda(const RRect& banda, int anchoCaja, int altoCaja) {
    const int l = std::min(banda.Left, banda.Right);
    const int r = std::max(banda.Left, banda.Right);
    const int t = std::min(banda.Top, banda.Bottom);
    const int b = std::max(banda.Top, banda.Bottom);
    if (r <= l || b <= t || anchoCaja < 1 || altoCaja < 1) {
        return false;
    }
    const double f = std::min(Factor() * std::min(static_cast<double>(anchoCaja) / (r - l),
                                                  static_cast<double>(altoCaja) / (b - t)),
                              FactorMaximo);
    // The point of the drawing under the band's centre goes to the box's centre.
    const double u = ((l + r) / 2.0 - FZoom.Left) / Ancho(FZoom);
    const double v = ((t + b) / 2.0 - FZoom.Top) / Alto(FZoom);
    const RRect tam = Escalado(FBase, f, 0, 0);
    FZoom = Escalado(FBase, f, anchoCaja / 2.0 - u * Ancho(tam), altoCaja / 2.0 - v * Alto(tam));
    return true;
}

CZoomPatron::RBarra CZoomPatron::BarraHorizontal() const {
    return Barra(FBase.Left, FBase.Right, FZoom.Left, FZoom.Right);
}

CZoomPatron::RBarra CZoomPatron::BarraVertical() const {
    return Barra(FBase.Top, FBase.Bottom, FZoom.Top, FZoom.Bottom);
}

void CZoomPatron::DesplazarHorizontal(int posicion) {
    const int ancho = Ancho(FZoom);
    FZoom.Left = FBase.Left - posicion;
    FZoom.Right = FZoom.Left + ancho;
}

void CZoomPatron::DesplazarVertical(int posicion) {
    const int alto = Alto(FZoom);
    FZoom.Top = FBase.Top - posicion;
    FZoom.Bottom = FZoom.Top + alto;
}
