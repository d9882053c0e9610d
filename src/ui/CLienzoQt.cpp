#include "ui/CLienzoQt.h"

#include <QBitmap>
#include <QFontMetrics>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// Label fonts come from user text: keep their size within what a page can show.
constexpr int TamanoFuenteMaximo = 200;

Qt::BrushStyle EstiloRelleno(TEstiloRelleno estilo) {
    switch (estilo) {
    case TEstiloRelleno::Solido:
        return Qt::SolidPattern;
    case TEstiloRelleno::Hueco:
        return Qt::NoBrush;
    case TEstiloRelleno::Horizontal:
        return Qt::HorPattern;
    case TEstiloRelleno::Vertical:
        return Qt::VerPattern;
    case TEstiloRelleno::DiagonalAdelante:
        return Qt::FDiagPattern;
    case TEstiloRelleno::DiagonalAtras:
        return Qt::BDiagPattern;
    case TEstiloRelleno::Cruz:
        return Qt::CrossPattern;
    case TEstiloRelleno::CruzDiagonal:
        return Qt::DiagCrossPattern;
    }
    return Qt::SolidPattern;
}

} // namespace

CLienzoQt::CLienzoQt(QPainter& pintor) : FPintor(pintor) {
    // Pens and hatching are measured in screen pixels: on a finer device (a 300 dpi page) they
    // grow with it, so the paper shows the lines, dots and hatching the screen shows.
    if (const QPaintDevice* d = FPintor.device()) {
        // An image's 3780 dots a metre are 96.01 dpi: that is the screen's scale.
        const double escala = d->logicalDpiX() / 96.0;
        FEscala = escala < 1.05 ? 1.0 : escala;
    }
    FPintor.setBrush(Qt::NoBrush);
    FFuente = QFont(QStringLiteral("Arial"), 8);
    FColorTexto = Qt::black;
}

QBitmap CLienzoQt::Trama(Qt::BrushStyle estilo) const {
    const int n = std::max(8, static_cast<int>(std::lround(8 * FEscala)));
    QImage imagen(n, n, QImage::Format_RGB32);
    imagen.fill(Qt::white);
    {
        QPainter p(&imagen);
        p.setPen(QPen(Qt::black, std::max(1.0, std::round(FEscala)), Qt::SolidLine, Qt::FlatCap));
        const double m = n / 2.0;
        const bool horizontal = estilo == Qt::HorPattern || estilo == Qt::CrossPattern;
        const bool vertical = estilo == Qt::VerPattern || estilo == Qt::CrossPattern;
        const bool adelante = estilo == Qt::FDiagPattern || estilo == Qt::DiagCrossPattern;
        const bool atras = estilo == Qt::BDiagPattern || estilo == Qt::DiagCrossPattern;
        if (horizontal) {
            p.drawLine(QPointF(0, m), QPointF(n, m));
        }
        if (vertical) {
            p.drawLine(QPointF(m, 0), QPointF(m, n));
        }
        // Each diagonal also one tile before and after, so that the tiles join.
        for (int k = -1; k <= 1; ++k) {
            if (adelante) {
                p.drawLine(QPointF(k * n, 0), QPointF(k * n + n, n));
            }
            if (atras) {
                p.drawLine(QPointF(k * n, n), QPointF(k * n + n, 0));
            }
        }
    }
    return QBitmap::fromImage(imagen, Qt::ThresholdDither | Qt::MonoOnly);
}

CLienzoQt::~CLienzoQt() {
    if (FPintor.isActive()) {
        Terminar();
    }
}

void CLienzoQt::Terminar() {
    if (FRayados.empty()) {
        return;
    }
    QPainterPath camino;
    // Winding: margin bands that meet at a corner stay filled there.
    camino.setFillRule(Qt::WindingFill);
    for (const QRect& r : FRayados) {
        camino.addRect(r);
    }
    FPintor.fillPath(camino, FBrochaRayado);
    FRayados.clear();
    FCajaRayados = QRect();
}

void CLienzoQt::VaciarSi(const QRectF& zona) {
    if (FRayados.empty() || !zona.intersects(FCajaRayados)) {
        return;
    }
    for (const QRect& r : FRayados) {
        if (zona.intersects(r)) {
            Terminar();
            return;
        }
    }
}

QColor CLienzoQt::AColor(TColor color) {
    return QColor(Rojo(color), Verde(color), Azul(color));
}

void CLienzoQt::Pluma(TColor color, TEstiloPluma estilo, int ancho) {
    if (estilo == TEstiloPluma::Ninguna) {
        FPintor.setPen(Qt::NoPen);
        return;
    }
    QPen pluma(AColor(color));
    pluma.setWidthF(std::max(1, ancho) * FEscala);
    pluma.setStyle(estilo == TEstiloPluma::Punteada ? Qt::DotLine : Qt::SolidLine);
    pluma.setCapStyle(Qt::FlatCap);
    pluma.setJoinStyle(Qt::MiterJoin);
    FPintor.setPen(pluma);
}

void CLienzoQt::Relleno(TColor color, TEstiloRelleno estilo) {
    // Kept here, not in the painter: a PDF writes a hatched brush out again as a new pattern
    // object each time the painter's state is written (every clipped label would add one).
    const Qt::BrushStyle trama = EstiloRelleno(estilo);
    if (FEscala > 1.0 && trama != Qt::SolidPattern && trama != Qt::NoBrush) {
        // Qt's hatch patterns are 8 device pixels whatever the device (and a PDF ignores the
        // brush's transform): on a finer device the same hatching is a tile drawn to scale.
        // One brush per fill and colour, so that a PDF keeps one image of the tile.
        QBrush& b = FTramas[{static_cast<int>(trama), color}];
        if (b.style() == Qt::NoBrush) {
            b = QBrush(AColor(color), Trama(trama));
        }
        FRelleno = b;
        return;
    }
    FRelleno = QBrush(AColor(color), trama);
}

void CLienzoQt::Fuente(const RFuente& fuente, TColor color) {
    FFuente = QFont(QString::fromStdString(fuente.Nombre));
    // A negative size is a height in pixels, as the label fonts of other programs write it.
    const int tamano = std::clamp(std::abs(fuente.Tamano), 1, TamanoFuenteMaximo);
    if (fuente.Tamano < 0) {
        FFuente.setPixelSize(tamano);
    } else {
        FFuente.setPointSize(tamano);
    }
    FFuente.setBold(fuente.Negrita);
    FFuente.setItalic(fuente.Cursiva);
    FColorTexto = AColor(color);
}

void CLienzoQt::Rectangulo(const RRect& r) {
    const int ancho = r.Right - r.Left;
    const int alto = r.Bottom - r.Top;
    const bool conPluma = FPintor.pen().style() != Qt::NoPen;
    const qreal pluma = conPluma ? FPintor.pen().widthF() : 0.0;
    // Whatever this draws reaches half a pen beyond the rectangle.
    const qreal borde = conPluma ? pluma : 0.0;
    VaciarSi(QRectF(r.Left, r.Top, ancho, alto).adjusted(-borde, -borde, borde, borde));
    const Qt::BrushStyle estilo = FRelleno.style();
    if (estilo != Qt::NoBrush && ancho > 0 && alto > 0) {
        const QRect zona(r.Left, r.Top, ancho, alto);
        if (estilo == Qt::SolidPattern) {
            FPintor.fillRect(zona, FRelleno);
        } else {
            if (!FRayados.empty() && FRelleno != FBrochaRayado) {
                Terminar();
            }
            FBrochaRayado = FRelleno;
            FRayados.push_back(zona);
            FCajaRayados = FCajaRayados.united(zona);
            if (conPluma) {
                Terminar(); // the outline goes on top of its own fill
            }
        }
    }
    if (conPluma && (ancho < 2 * pluma || alto < 2 * pluma)) {
        // Too thin for an outline (a kerf narrower than the pen): the outline covers it,
        // widened to the pen on the thin side. Stroking it would draw miter spikes.
        QRectF zona(r.Left, r.Top, ancho, alto);
        if (zona.width() < pluma) {
            zona.adjust(-(pluma - zona.width()) / 2, 0, (pluma - zona.width()) / 2, 0);
        }
        if (zona.height() < pluma) {
            zona.adjust(0, -(pluma - zona.height()) / 2, 0, (pluma - zona.height()) / 2);
        }
        FPintor.fillRect(zona, FPintor.pen().color());
        return;
    }
    if (conPluma) {
        // The outline lies inside the rectangle, as wide as the pen.
        const qreal media = FPintor.pen().widthF() / 2.0;
        FPintor.drawRect(QRectF(r.Left + media, r.Top + media,
                                std::max<qreal>(0, ancho - 2 * media),
                                std::max<qreal>(0, alto - 2 * media)));
    }
}

void CLienzoQt::Linea(int x1, int y1, int x2, int y2) {
    const qreal media = FPintor.pen().widthF() / 2.0 + 1.0;
    VaciarSi(QRectF(QPointF(std::min(x1, x2), std::min(y1, y2)),
                    QPointF(std::max(x1, x2), std::max(y1, y2)))
                 .adjusted(-media, -media, media, media));
    FPintor.drawLine(x1, y1, x2, y2);
}

void CLienzoQt::Texto(const RRect& recorte, int x, int y, TAlineacion alineacion,
                      const std::string& texto) {
    const QString t = QString::fromStdString(texto);
    const QFontMetrics medidas(FFuente, FPintor.device());
    const int ancho = medidas.horizontalAdvance(t);
    int izquierda = x;
    if (alineacion == TAlineacion::Centro) {
        izquierda = x - ancho / 2;
    } else if (alineacion == TAlineacion::Derecha) {
        izquierda = x - ancho;
    }
    VaciarSi(QRectF(izquierda, y, ancho, medidas.height()).adjusted(-2, -2, 2, 2));
    FPintor.save();
    const QRect limite(recorte.Left, recorte.Top, recorte.Right - recorte.Left,
                       recorte.Bottom - recorte.Top);
    // A clip is written out to a PDF with the whole painter state: only where it cuts.
    if (!limite.contains(QRect(izquierda, y, ancho, medidas.height()))) {
        FPintor.setClipRect(limite, Qt::IntersectClip);
    }
    FPintor.setFont(FFuente);
    FPintor.setPen(FColorTexto);
    FPintor.drawText(QPoint(izquierda, y + medidas.ascent()), t);
    FPintor.restore();
}

int CLienzoQt::AnchoTexto(const std::string& texto) {
    return QFontMetrics(FFuente, FPintor.device()).horizontalAdvance(QString::fromStdString(texto));
}

int CLienzoQt::AltoTexto(const std::string&) {
    return QFontMetrics(FFuente, FPintor.device()).height();
}
