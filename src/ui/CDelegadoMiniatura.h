#pragma once

// Draws the thumbnails of the pattern list only when they come into view, and keeps each one
// drawn until it is forgotten: a job with hundreds of patterns opens without drawing them all.
// The list's items carry their pattern's slot as Qt::UserRole.

#include <QHash>
#include <QPixmap>
#include <QStyledItemDelegate>

#include <cstdint>
#include <functional>

class CDelegadoMiniatura : public QStyledItemDelegate {
public:
    // Draws the thumbnail of a slot at the thumbnail size.
    using FuncionDibujo = std::function<QPixmap(std::int32_t slot)>;

    CDelegadoMiniatura(QSize tamano, FuncionDibujo dibujar, QObject* padre = nullptr);

    void paint(QPainter* pintor, const QStyleOptionViewItem& opcion,
               const QModelIndex& indice) const override;
    QSize sizeHint(const QStyleOptionViewItem& opcion, const QModelIndex& indice) const override;

    void Olvidar() { FCache.clear(); }
    void Olvidar(std::int32_t slot) { FCache.remove(slot); }
    // Thumbnails drawn so far.
    int Dibujadas() const { return static_cast<int>(FCache.size()); }

private:
    QSize FTamano;
    FuncionDibujo FDibujar;
    mutable QHash<std::int32_t, QPixmap> FCache;
};
