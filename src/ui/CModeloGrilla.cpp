#include "ui/CModeloGrilla.h"

#include <QBrush>
#include <QColor>
#include <QFont>

CModeloGrilla::CModeloGrilla(CEdicionLanzamiento& edicion, TGrilla grilla, QObject* padre)
    : QAbstractTableModel(padre), FEdicion(edicion), FGrilla(grilla) {}

CModeloGrilla::CModeloGrilla(CEdicionLanzamiento& edicion, QObject* padre)
    : QAbstractTableModel(padre), FEdicion(edicion), FResultados(true) {}

const CGrilla& CModeloGrilla::Grilla() const {
    return FResultados ? FEdicion.Resultados() : FEdicion.Grilla(FGrilla);
}

void CModeloGrilla::Refrescar() {
    beginResetModel();
    endResetModel();
}

void CModeloGrilla::RefrescarTextos() {
    if (rowCount() > 0 && columnCount() > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    }
    emit headerDataChanged(Qt::Vertical, 0, std::max(0, rowCount() - 1));
}

int CModeloGrilla::rowCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : std::max(0, Grilla().Filas() - 1);
}

int CModeloGrilla::columnCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : std::max(0, Grilla().Columnas() - 1);
}

QVariant CModeloGrilla::data(const QModelIndex& indice, int rol) const {
    if (!indice.isValid()) {
        return {};
    }
    const int fila = indice.row() + 1;
    const int col = indice.column() + 1;
    const std::string& texto = Grilla().Celda(fila, col);
    switch (rol) {
    case Qt::DisplayRole:
        if (!FResultados && col == CEdicionLanzamiento::ColAct) {
            // A check mark instead of the text; nothing for "0".
            return texto == "0" ? QString() : QStringLiteral("\u2714");
        }
        return QString::fromStdString(texto);
    case Qt::EditRole:
        return QString::fromStdString(texto);
    case Qt::TextAlignmentRole:
        if (!FResultados && col == CEdicionLanzamiento::ColAct) {
            return int(Qt::AlignCenter);
        }
        if ((FResultados && col == 1) || (!FResultados && col > CEdicionLanzamiento::ColCantidad)) {
            return int(Qt::AlignLeft | Qt::AlignVCenter);
        }
        return int(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::ForegroundRole:
        if (FResultados && fila == FEdicion.FilaTotalReal() &&
            col >= CEdicionLanzamiento::ColumnasFijasResultados) {
            const int c =
                FEdicion.ComparacionTotal(col - CEdicionLanzamiento::ColumnasFijasResultados + 1);
            if (c > 0) {
                return QBrush(QColor(Qt::blue));
            }
            if (c < 0) {
                return QBrush(QColor(Qt::red));
            }
        }
        return {};
    case Qt::FontRole:
        if (FResultados && fila > FEdicion.PatronesMostrados()) {
            QFont f;
            f.setBold(true);
            return f;
        }
        return {};
    default:
        return {};
    }
}

QVariant CModeloGrilla::headerData(int seccion, Qt::Orientation orientacion, int rol) const {
    if (rol != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(seccion, orientacion, rol);
    }
    if (orientacion == Qt::Horizontal) {
        return QString::fromStdString(Grilla().Celda(0, seccion + 1));
    }
    return QString::fromStdString(Grilla().Celda(seccion + 1, 0));
}

Qt::ItemFlags CModeloGrilla::flags(const QModelIndex& indice) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(indice);
    if (!indice.isValid()) {
        return f;
    }
    const int fila = indice.row() + 1;
    const int col = indice.column() + 1;
    if (!FResultados) {
        if (col != CEdicionLanzamiento::ColAct) {
            f |= Qt::ItemIsEditable;
        }
    } else if (col == CEdicionLanzamiento::ColReal && fila <= FEdicion.PatronesMostrados()) {
        f |= Qt::ItemIsEditable;
    }
    return f;
}
