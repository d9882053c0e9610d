#include "ui/CDelegadoMiniatura.h"

#include <QPainter>

namespace {
constexpr int Margen = 4;
}

CDelegadoMiniatura::CDelegadoMiniatura(QSize tamano, FuncionDibujo dibujar, QObject* padre)
    : QStyledItemDelegate(padre), FTamano(tamano), FDibujar(std::move(dibujar)) {}

void CDelegadoMiniatura::paint(QPainter* pintor, const QStyleOptionViewItem& opcion,
                               const QModelIndex& indice) const {
    const std::int32_t slot = indice.data(Qt::UserRole).toInt();
    auto it = FCache.find(slot);
    if (it == FCache.end()) {
        it = FCache.insert(slot, FDibujar(slot));
    }
    QStyleOptionViewItem o = opcion;
    initStyleOption(&o, indice);
    const QRect r = o.rect;
    // The current pattern stands out even while the list has no focus.
    const bool seleccionada = o.state & QStyle::State_Selected;
    if (seleccionada) {
        pintor->fillRect(r, o.palette.color(QPalette::Active, QPalette::Highlight));
    }
    const QPoint origen(r.left() + (r.width() - FTamano.width()) / 2, r.top() + Margen);
    pintor->drawPixmap(origen, it.value());
    pintor->setPen(o.palette.color(QPalette::Active,
                                   seleccionada ? QPalette::HighlightedText : QPalette::Text));
    const QRect texto(r.left(), origen.y() + FTamano.height(), r.width(),
                      r.bottom() - origen.y() - FTamano.height());
    pintor->drawText(texto, Qt::AlignHCenter | Qt::AlignVCenter, o.text);
}

QSize CDelegadoMiniatura::sizeHint(const QStyleOptionViewItem& opcion, const QModelIndex&) const {
    return QSize(FTamano.width() + 2 * Margen,
                 FTamano.height() + 2 * Margen + opcion.fontMetrics.height() + 2);
}
