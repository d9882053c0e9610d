#pragma once

// The pattern drawing's surface over a QPainter: the screen, printed pages, images and PDF
// files all draw through it.

#include "patterns/CLienzo.h"

#include <QColor>
#include <QFont>

class QPainter;

class CLienzoQt : public CLienzo {
public:
    // The painter must be active for as long as the surface is used.
    explicit CLienzoQt(QPainter& pintor);

    void Pluma(TColor color, TEstiloPluma estilo, int ancho) override;
    void Relleno(TColor color, TEstiloRelleno estilo) override;
    void Fuente(const RFuente& fuente, TColor color) override;
    void Rectangulo(const RRect& r) override;
    void Linea(int x1, int y1, int x2, int y2) override;
    void Texto(const RRect& recorte, int x, int y, TAlineacion alineacion,
               const std::string& texto) override;
    int AnchoTexto(const std::string& texto) override;
    int AltoTexto(const std::string& texto) override;

    static QColor AColor(TColor color);

private:
    QPainter& FPintor;
    QFont FFuente;
    QColor FColorTexto;
};
