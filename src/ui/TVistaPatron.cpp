#include "ui/TVistaPatron.h"

#include "document/CLanzamiento.h"
#include "document/REntorno.h"
#include "document/UEntorno.h"
#include "patterns/CPatron.h"
#include "patterns/UDibujo.h"
#include "patterns/USeleccionPatron.h"
#include "ui/CLienzoQt.h"

#include <QDragEnterEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

namespace {

// Drags up to this size in either direction are clicks.
constexpr int ArrastreMinimo = 10;

// RectBase's corners as the drawing takes them.
RRect DeQRect(const QRect& r) {
    return RRect{r.left(), r.top(), r.right(), r.bottom()};
}

QRect AQRect(const RRect& r) {
    return QRect(QPoint(r.Left, r.Top), QPoint(r.Right, r.Bottom));
}

} // namespace

bool TVistaPatron::RClaveCache::operator==(const RClaveCache& o) const {
    return Zoom == o.Zoom && Tamano == o.Tamano && Etiquetas[0] == o.Etiquetas[0] &&
           Etiquetas[1] == o.Etiquetas[1] && Etiquetas[2] == o.Etiquetas[2] &&
           Colores == o.Colores && AnchoLinea == o.AnchoLinea;
}

TVistaPatron::TVistaPatron(QWidget* padre) : QWidget(padre) {
    setObjectName(QStringLiteral("PaintBox1"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(120, 90);
    setAcceptDrops(true);
    FZoom.FijarBase(DeQRect(RectBase()));
}

void TVistaPatron::FijarPatron(CPatron* patron) {
    FPatron = patron;
    FSeleccion = nullptr;
    FArrastrando = false;
    Invalidar();
}

void TVistaPatron::FijarSeleccion(CCorte* nodo) {
    if (FSeleccion != nodo) {
        FSeleccion = nodo;
        update();
    }
}

void TVistaPatron::Invalidar() {
    FCacheValida = false;
    update();
}

void TVistaPatron::CambioDeZoom() {
    FCacheValida = false;
    update();
    emit ZoomCambiado();
}

void TVistaPatron::Aumentar() {
    if (FZoom.Aumentar()) {
        CambioDeZoom();
    }
}

void TVistaPatron::Reducir() {
    if (FZoom.Reducir()) {
        CambioDeZoom();
    }
}

void TVistaPatron::Encajar() {
    FZoom.Encajar();
    CambioDeZoom();
}

void TVistaPatron::DesplazarHorizontal(int posicion) {
    FZoom.DesplazarHorizontal(posicion);
    FCacheValida = false;
    update();
}

void TVistaPatron::DesplazarVertical(int posicion) {
    FZoom.DesplazarVertical(posicion);
    FCacheValida = false;
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

TVistaPatron::RClaveCache TVistaPatron::ClaveActual() const {
    RClaveCache c;
    c.Zoom = FZoom.RectZoom();
    c.Tamano = size();
    if (FPatron != nullptr && FPatron->Lanzamiento() != nullptr) {
        const ROpciones& o = FPatron->Lanzamiento()->Opciones();
        c.Etiquetas[0] = o.EtiCorte;
        c.Etiquetas[1] = o.EtiPieza;
        c.Etiquetas[2] = o.EtiSobrante;
    }
    c.Colores = Entorno.Colores;
    c.AnchoLinea = Entorno.AnchoLinea;
    return c;
}

void TVistaPatron::AsegurarDibujo() {
    const RClaveCache clave = ClaveActual();
    // Another drawing of the same pattern (a report) leaves its own Marco in every node.
    const bool marcos = FPatron == nullptr || (FPatron->RectVista() == FRectVista &&
                                               FPatron->RectDestino() == FRectDestino);
    if (FCacheValida && clave == FClave && marcos) {
        return;
    }
    FClave = clave;
    FCacheValida = true;
    FCache = QPixmap(size().expandedTo(QSize(1, 1)));
    FCache.fill(palette().color(QPalette::Window));
    if (FPatron == nullptr || FPatron->Raiz() == nullptr) {
        return;
    }
    QPainter pintor(&FCache);
    pintor.setRenderHint(QPainter::TextAntialiasing, true);
    CLienzoQt lienzo(pintor);
    Dibujar(*FPatron, lienzo, FZoom.RectZoom(), ModoDibujo::Pantalla,
            RRect{-1, -1, width() + 1, height() + 1}, Entorno);
    FPatron->SetLienzo(nullptr);
    FRectVista = FPatron->RectVista();
    FRectDestino = FPatron->RectDestino();
}

void TVistaPatron::paintEvent(QPaintEvent*) {
    if (FPintando) {
        return;
    }
    FPintando = true;
    AsegurarDibujo();
    QPainter pintor(this);
    pintor.drawPixmap(0, 0, FCache);
    // Outline and band invert what lies beneath them, like a pen in XOR mode.
    pintor.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    pintor.setBrush(Qt::NoBrush);
    if (FSeleccion != nullptr && FPatron != nullptr) {
        QPen pluma(Qt::white, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
        pintor.setPen(pluma);
        const QRect m = AQRect(FSeleccion->Marco());
        // A 2-pixel pen on a rectangle with its right and bottom edges included.
        pintor.drawRect(QRectF(m).adjusted(0.5, 0.5, 0.5, 0.5));
    }
    if (FArrastrando) {
        const QColor fondo = CLienzoQt::AColor(ColoresDeModo(Entorno, ModoDibujo::Pantalla).Fondo);
        pintor.setPen(QPen(QColor(fondo.rgb() ^ 0xFFFFFFu), 1));
        pintor.drawRect(QRect(FAncla, FEsquina).normalized());
    }
    FPintando = false;
}

void TVistaPatron::resizeEvent(QResizeEvent* evento) {
    QWidget::resizeEvent(evento);
    FZoom.FijarBase(DeQRect(RectBase()));
    CambioDeZoom();
}

void TVistaPatron::mousePressEvent(QMouseEvent* evento) {
    if (evento->button() == Qt::RightButton) {
        QWidget::mousePressEvent(evento);
        return;
    }
    setFocus();
    FAncla = FEsquina = evento->position().toPoint();
    FArrastrando = true;
    update();
}

void TVistaPatron::mouseMoveEvent(QMouseEvent* evento) {
    if (!FArrastrando) {
        return;
    }
    if (evento->modifiers() & Qt::ShiftModifier) {
        setCursor(Qt::DragMoveCursor);
    } else {
        unsetCursor();
    }
    const QPoint p = evento->position().toPoint();
    FEsquina = QPoint(std::clamp(p.x(), 0, width() - 1), std::clamp(p.y(), 0, height() - 1));
    update();
}

void TVistaPatron::mouseReleaseEvent(QMouseEvent* evento) {
    if (evento->button() == Qt::RightButton || !FArrastrando) {
        return;
    }
    FArrastrando = false;
    update();
    const QPoint fin = evento->position().toPoint();
    FEsquina = QPoint(std::clamp(fin.x(), 0, width() - 1), std::clamp(fin.y(), 0, height() - 1));
    const bool banda = std::abs(FEsquina.x() - FAncla.x()) > ArrastreMinimo &&
                       std::abs(FEsquina.y() - FAncla.y()) > ArrastreMinimo;
    const RRect r{FAncla.x(), FAncla.y(), FEsquina.x(), FEsquina.y()};
    if (evento->modifiers() & Qt::ShiftModifier) {
        unsetCursor();
        if (banda && FPatron != nullptr) {
            AsegurarDibujo();
            if (CCorte* n = NodoEnBanda(FPatron->Raiz(), r)) {
                emit NodoElegido(n);
            }
        }
    } else if (banda) {
        if (FZoom.ZoomABanda(r, width(), height())) {
            CambioDeZoom();
        }
    } else if (FPatron != nullptr) {
        AsegurarDibujo();
        const QPoint p = evento->position().toPoint();
        emit NodoElegido(HojaEnPunto(FPatron->Raiz(), p.x(), p.y()));
    }
}

void TVistaPatron::keyPressEvent(QKeyEvent* evento) {
    switch (evento->key()) {
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
        emit TeclaNavegacion(evento->key());
        evento->accept();
        return;
    default:
        QWidget::keyPressEvent(evento);
    }
}

int TVistaPatron::PiezaArrastrada(const QMimeData* datos, const QPoint& punto) {
    if (datos == nullptr || !datos->hasFormat(QString::fromUtf8(TipoMimePieza)) ||
        FSeleccion == nullptr || !FSeleccion->EsHoja()) {
        return 0;
    }
    const QStringList partes =
        QString::fromUtf8(datos->data(QString::fromUtf8(TipoMimePieza))).split(';');
    if (partes.size() != 2 || partes[0] != FFicha || FFicha.isEmpty()) {
        return 0;
    }
    AsegurarDibujo();
    const RRect& m = FSeleccion->Marco();
    if (!(m.Left < punto.x() && punto.x() < m.Right && m.Top < punto.y() && punto.y() < m.Bottom)) {
        return 0;
    }
    bool ok = false;
    const int pieza = partes[1].toInt(&ok);
    return ok && pieza > 0 ? pieza : 0;
}

void TVistaPatron::dragEnterEvent(QDragEnterEvent* evento) {
    // The point decides at each move; the drag is followed while it is ours.
    if (evento->mimeData()->hasFormat(QString::fromUtf8(TipoMimePieza))) {
        evento->acceptProposedAction();
    }
}

void TVistaPatron::dragMoveEvent(QDragMoveEvent* evento) {
    if (PiezaArrastrada(evento->mimeData(), evento->position().toPoint()) != 0) {
        evento->acceptProposedAction();
    } else {
        evento->ignore();
    }
}

void TVistaPatron::dropEvent(QDropEvent* evento) {
    const int pieza = PiezaArrastrada(evento->mimeData(), evento->position().toPoint());
    if (pieza == 0) {
        evento->ignore();
        return;
    }
    evento->acceptProposedAction();
    emit PiezaSoltada(pieza);
}
