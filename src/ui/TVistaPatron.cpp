#include "ui/TVistaPatron.h"

#include "document/UEntorno.h"
#include "document/UGlobals.h"
#include "patterns/CPatron.h"
#include "patterns/UDibujo.h"
#include "ui/CLienzoQt.h"

#include <QPainter>

TVistaPatron::TVistaPatron(QWidget* padre) : QWidget(padre) {
    setObjectName(QStringLiteral("PaintBox1"));
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    setMinimumSize(120, 90);
}

void TVistaPatron::FijarPatron(CPatron* patron) {
    FPatron = patron;
    update();
}

void TVistaPatron::Aumentar() {
    if (Menor(FZoom, 10.0)) {
        FZoom *= 1.5;
        update();
    }
}

void TVistaPatron::Reducir() {
    if (Mayor(FZoom, 0.5)) {
        FZoom *= 2.0 / 3.0;
        update();
    }
}

void TVistaPatron::Encajar() {
    FZoom = 1.0;
    update();
}

QRect TVistaPatron::RectBase() const {
    const QFontMetrics m = fontMetrics();
    const int izq = 20;
    const int sup = 2 * m.height();
    const int der = width() - m.horizontalAdvance(QStringLiteral("P100"));
    const int inf = height() - 15;
    return QRect(QPoint(izq, sup), QPoint(std::max(izq + 1, der), std::max(sup + 1, inf)));
}

void TVistaPatron::paintEvent(QPaintEvent*) {
    if (FPintando) {
        return;
    }
    FPintando = true;
    QPainter pintor(this);
    pintor.fillRect(rect(), palette().color(QPalette::Window));
    if (FPatron != nullptr && FPatron->Raiz() != nullptr) {
        const QRect base = RectBase();
        const QPointF centro = QRectF(base).center();
        const double ancho = base.width() * FZoom;
        const double alto = base.height() * FZoom;
        const RRect ajuste{static_cast<int>(std::lround(centro.x() - ancho / 2)),
                           static_cast<int>(std::lround(centro.y() - alto / 2)),
                           static_cast<int>(std::lround(centro.x() + ancho / 2)),
                           static_cast<int>(std::lround(centro.y() + alto / 2))};
        pintor.setRenderHint(QPainter::TextAntialiasing, true);
        CLienzoQt lienzo(pintor);
        Dibujar(*FPatron, lienzo, ajuste, ModoDibujo::Pantalla,
                RRect{-1, -1, width() + 1, height() + 1}, Entorno);
        FPatron->SetLienzo(nullptr);
    }
    FPintando = false;
}
