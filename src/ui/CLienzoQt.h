#pragma once

// The pattern drawing's surface over a QPainter: the screen, printed pages, images and PDF
// files all draw through it.
//
// Hatched fills are held back and painted together as one path, just before anything that
// overlaps them is drawn (or at Terminar): a PDF then holds one hatch pattern for a run of
// offcuts instead of one per offcut, and the hatching, aligned to the page, looks the same.

#include "patterns/CLienzo.h"

#include <QBitmap>
#include <QBrush>
#include <QColor>
#include <QFont>
#include <QRect>

#include <map>
#include <utility>
#include <vector>

class QPainter;

class CLienzoQt : public CLienzo {
public:
    // The painter must be active for as long as the surface is used.
    explicit CLienzoQt(QPainter& pintor);
    ~CLienzoQt() override;
    CLienzoQt(const CLienzoQt&) = delete;
    CLienzoQt& operator=(const CLienzoQt&) = delete;

    void Pluma(TColor color, TEstiloPluma estilo, int ancho) override;
    void Relleno(TColor color, TEstiloRelleno estilo) override;
    void Fuente(const RFuente& fuente, TColor color) override;
    void Rectangulo(const RRect& r) override;
    void Linea(int x1, int y1, int x2, int y2) override;
    void Texto(const RRect& recorte, int x, int y, TAlineacion alineacion,
               const std::string& texto) override;
    int AnchoTexto(const std::string& texto) override;
    int AltoTexto(const std::string& texto) override;
    void Terminar() override;

    static QColor AColor(TColor color);

private:
    // The tile of a hatch style at this device's scale.
    QBitmap Trama(Qt::BrushStyle estilo) const;
    // Paints the held-back fills when `zona` overlaps them.
    void VaciarSi(const QRectF& zona);

    QPainter& FPintor;
    std::vector<QRect> FRayados; // hatched rectangles not yet painted, all with FBrochaRayado
    QBrush FBrochaRayado;
    QRect FCajaRayados;
    QBrush FRelleno;
    std::map<std::pair<int, TColor>, QBrush> FTramas; // hatch tiles by style and colour
    double FEscala = 1.0;                             // device pixels per screen pixel, at least 1
    QFont FFuente;
    QColor FColorTexto;
};
