#include "ui/CVistaGrilla.h"

#include "document/UEntorno.h"
#include "patterns/UDibujo.h"
#include "ui/CDialogos.h"
#include "ui/CLienzoQt.h"
#include "ui/CModeloGrilla.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMetaProperty>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {

QColor ColorEntorno(int i) {
    return CLienzoQt::AColor(ColorDeEntorno(Entorno.Colores[static_cast<std::size_t>(i)]));
}

// Paints the current row and the selection in the environment's colours, and hands the
// editor's text to the view instead of writing it into the model.
class CDelegadoGrilla : public QStyledItemDelegate {
public:
    explicit CDelegadoGrilla(CVistaGrilla& vista) : QStyledItemDelegate(&vista), FVista(vista) {}

    void paint(QPainter* pintor, const QStyleOptionViewItem& opcion,
               const QModelIndex& indice) const override {
        QStyleOptionViewItem o = opcion;
        initStyleOption(&o, indice);
        const bool seleccionada = o.state & QStyle::State_Selected;
        const bool enfocada = FVista.hasFocus() || FVista.Editando();
        if (seleccionada && enfocada) {
            pintor->fillRect(o.rect, ColorEntorno(REntorno::ColorSeleccion));
        } else if (indice.row() == FVista.currentIndex().row()) {
            pintor->fillRect(o.rect, ColorEntorno(REntorno::ColorResalteFila));
        }
        o.state &= ~QStyle::State_Selected;
        o.state &= ~QStyle::State_HasFocus;
        o.backgroundBrush = Qt::NoBrush;
        QStyledItemDelegate::paint(pintor, o, indice);
        if (indice == FVista.currentIndex()) {
            pintor->save();
            pintor->setPen(QPen(o.palette.color(QPalette::Text), 1, Qt::DotLine));
            pintor->drawRect(o.rect.adjusted(0, 0, -1, -1));
            pintor->restore();
        }
    }

    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex&) const override {
        const QByteArray propiedad = editor->metaObject()->userProperty().name();
        FVista.AplicarEdicion(editor->property(propiedad).toString());
    }

private:
    CVistaGrilla& FVista;
};

} // namespace

CVistaGrilla::CVistaGrilla(CEdicionLanzamiento& edicion, CModeloGrilla& modelo, QWidget* padre)
    : QTableView(padre), FEdicion(edicion), FModelo(modelo) {
    setModel(&modelo);
    setItemDelegate(new CDelegadoGrilla(*this));
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::AnyKeyPressed);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setTabKeyNavigation(true);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setHighlightSections(true);
    horizontalHeader()->setHighlightSections(true);
    setAlternatingRowColors(false);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, viewport(),
            qOverload<>(&QWidget::update));
}

RSeleccion CVistaGrilla::Seleccion() const {
    const auto rangos = selectionModel() ? selectionModel()->selection() : QItemSelection();
    if (rangos.isEmpty()) {
        const QModelIndex i = currentIndex();
        const int f = i.isValid() ? i.row() + 1 : 1;
        const int c = i.isValid() ? i.column() + 1 : 1;
        return {c, f, c, f};
    }
    RSeleccion s{1 << 30, 1 << 30, 0, 0};
    for (const auto& r : rangos) {
        s.Izq = std::min(s.Izq, r.left() + 1);
        s.Sup = std::min(s.Sup, r.top() + 1);
        s.Der = std::max(s.Der, r.right() + 1);
        s.Inf = std::max(s.Inf, r.bottom() + 1);
    }
    return s;
}

int CVistaGrilla::FilaActual() const {
    return currentIndex().isValid() ? currentIndex().row() + 1 : 0;
}

int CVistaGrilla::ColumnaActual() const {
    return currentIndex().isValid() ? currentIndex().column() + 1 : 0;
}

void CVistaGrilla::IrACelda(int fila, int col) {
    const QModelIndex i = FModelo.index(std::clamp(fila, 1, std::max(1, FModelo.rowCount())) - 1,
                                        std::clamp(col, 1, std::max(1, FModelo.columnCount())) - 1);
    if (i.isValid()) {
        setCurrentIndex(i);
        scrollTo(i);
    }
}

void CVistaGrilla::Seleccionar(const RSeleccion& s) {
    const QModelIndex a = FModelo.index(s.Sup - 1, s.Izq - 1);
    const QModelIndex b = FModelo.index(s.Inf - 1, s.Der - 1);
    if (!a.isValid() || !b.isValid()) {
        return;
    }
    selectionModel()->setCurrentIndex(a, QItemSelectionModel::NoUpdate);
    selectionModel()->select(QItemSelection(a, b), QItemSelectionModel::ClearAndSelect);
    scrollTo(a);
}

void CVistaGrilla::AjustarColumnas() {
    const QFontMetrics m = fontMetrics();
    if (!FModelo.EsResultados()) {
        verticalHeader()->setMinimumWidth(m.horizontalAdvance(QStringLiteral("IdMM")));
        setColumnWidth(0, m.horizontalAdvance(QStringLiteral("  Largo  ")) + 30);
        setColumnWidth(1, m.horizontalAdvance(QStringLiteral("  Ancho  ")) + 30);
        setColumnWidth(2, 70);
        setColumnWidth(3, m.horizontalAdvance(QStringLiteral("CODIGO LARGO")) + 12);
        setColumnWidth(4, m.horizontalAdvance(QStringLiteral("CODIGO LARGO")) + 12);
        setColumnWidth(5, m.horizontalAdvance(QStringLiteral("ActMM")));
        return;
    }
    verticalHeader()->setMinimumWidth(m.horizontalAdvance(QStringLiteral("Total TeóricoMM")));
    int material = 50;
    for (int f = 1; f <= FEdicion.PatronesMostrados(); ++f) {
        material = std::max(
            material, m.horizontalAdvance(QString::fromStdString(FModelo.Grilla().Celda(f, 1))));
    }
    setColumnWidth(0, material + 20);
    for (int c = 1; c <= 4; ++c) {
        setColumnWidth(c, m.horizontalAdvance(QStringLiteral(" Sobrante ")) + 8);
    }
    setColumnWidth(5, m.horizontalAdvance(QStringLiteral("RealMM")) + 8);
    for (int c = 6; c < FModelo.columnCount(); ++c) {
        setColumnWidth(c, m.horizontalAdvance(QStringLiteral("99.99%")) + 8);
    }
}

bool CVistaGrilla::edit(const QModelIndex& indice, EditTrigger disparador, QEvent* evento) {
    if (disparador == AnyKeyPressed && evento != nullptr && evento->type() == QEvent::KeyPress) {
        const auto* tecla = static_cast<QKeyEvent*>(evento);
        if (tecla->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
            return false;
        }
    }
    const bool abierto = QTableView::edit(indice, disparador, evento);
    if (abierto && (disparador & (AnyKeyPressed | DoubleClicked | EditKeyPressed))) {
        FSeleccionEdicion = Seleccion();
        const int f = indice.row() + 1;
        const int c = indice.column() + 1;
        // A selection that does not hold the edited cell (a click elsewhere) edits the cell.
        if (f < FSeleccionEdicion.Sup || f > FSeleccionEdicion.Inf || c < FSeleccionEdicion.Izq ||
            c > FSeleccionEdicion.Der) {
            FSeleccionEdicion = {c, f, c, f};
        }
    }
    return abierto;
}

void CVistaGrilla::AplicarEdicion(const QString& texto) {
    try {
        if (FModelo.EsResultados()) {
            FEdicion.AsignarReal(FSeleccionEdicion.Sup, texto.toStdString());
        } else {
            FEdicion.AsignarSeleccion(FModelo.Tipo(), FSeleccionEdicion, texto.toStdString());
        }
    } catch (const std::exception& e) {
        MostrarError(e);
    }
    FModelo.RefrescarTextos();
    emit Cambiado();
}

void CVistaGrilla::Escribir(const QString& texto) {
    FSeleccionEdicion = Seleccion();
    AplicarEdicion(texto);
}

void CVistaGrilla::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint sugerencia) {
    QTableView::closeEditor(editor, sugerencia == QAbstractItemDelegate::SubmitModelCache
                                        ? QAbstractItemDelegate::NoHint
                                        : sugerencia);
    if (sugerencia == QAbstractItemDelegate::SubmitModelCache && !FModelo.EsResultados()) {
        const RSeleccion s = FEdicion.SiguienteCelda(FModelo.Tipo(), FilaActual(), ColumnaActual());
        IrACelda(s.Sup, s.Izq);
    }
}

void CVistaGrilla::keyPressEvent(QKeyEvent* evento) {
    if (FModelo.EsResultados() || Editando()) {
        QTableView::keyPressEvent(evento);
        return;
    }
    const int ultima = FModelo.rowCount();
    const int fila = FilaActual();
    const int col = ColumnaActual();
    const bool enUltima = fila == ultima;
    try {
        const int k = evento->key();
        if (enUltima && (k == Qt::Key_Down ||
                         (k == Qt::Key_Tab && col == CEdicionLanzamiento::ColumnasDatos - 1 &&
                          !(evento->modifiers() & Qt::ShiftModifier)))) {
            const int nueva = FEdicion.Adicionar(FModelo.Tipo());
            FModelo.Refrescar();
            IrACelda(nueva, 1);
            emit Cambiado();
            return;
        }
        if (enUltima && (k == Qt::Key_Up || (k == Qt::Key_Backtab && col == 1))) {
            if (FEdicion.QuitarUltimaFilaVacia(FModelo.Tipo())) {
                FModelo.Refrescar();
                IrACelda(fila - 1,
                         k == Qt::Key_Backtab ? CEdicionLanzamiento::ColumnasDatos - 1 : col);
                emit Cambiado();
                return;
            }
        }
    } catch (const std::exception& e) {
        MostrarError(e);
        return;
    }
    QTableView::keyPressEvent(evento);
}

void CVistaGrilla::mouseDoubleClickEvent(QMouseEvent* evento) {
    const QModelIndex i = indexAt(evento->position().toPoint());
    if (!FModelo.EsResultados() && i.isValid() && i.column() + 1 == CEdicionLanzamiento::ColAct) {
        try {
            FEdicion.AlternarAct(FModelo.Tipo(), i.row() + 1);
        } catch (const std::exception& e) {
            MostrarError(e);
        }
        FModelo.RefrescarTextos();
        emit Cambiado();
        return;
    }
    QTableView::mouseDoubleClickEvent(evento);
}

void CVistaGrilla::MostrarError(const std::exception& e) {
    CDialogos::Avisar(QString::fromUtf8(e.what()));
}
