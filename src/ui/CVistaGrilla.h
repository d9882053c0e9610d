#pragma once

// The view of one grid of a job window (sgPiezas, sgMateriales, sgReporte): shows the grid
// through CModeloGrilla and forwards the user's input to the editing rules. It decides
// nothing itself: the text typed into a cell goes to CEdicionLanzamiento (every cell of the
// selection that was current when typing began), Act is toggled there, the keyboard growth
// and shrink of the last row is asked there. Errors are shown with Avisar.
//
// Editing starts by typing a key without Control or Alt, or by double-clicking a cell (the
// Act cell toggles instead). Enter applies the text and moves to the next column (from Act
// to column 1 of the next row); Escape restores the cell.

#include "document/CEdicionLanzamiento.h"

#include <QTableView>

class CModeloGrilla;

class CVistaGrilla : public QTableView {
    Q_OBJECT

public:
    CVistaGrilla(CEdicionLanzamiento& edicion, CModeloGrilla& modelo, QWidget* padre = nullptr);

    CModeloGrilla& Modelo() const { return FModelo; }
    // Grid coordinates (row 0 and column 0 are the headers).
    RSeleccion Seleccion() const;
    int FilaActual() const;
    int ColumnaActual() const;
    void IrACelda(int fila, int col);
    void Seleccionar(const RSeleccion& s);
    bool Editando() const { return state() == QAbstractItemView::EditingState; }
    // Applies a typed text (used by the delegate when the editor closes).
    void AplicarEdicion(const QString& texto);
    // A text typed with the current selection, as if an editor had opened and closed on it.
    void Escribir(const QString& texto);
    void AjustarColumnas();

signals:
    // The grid's content changed through the user: the window refreshes what depends on it.
    void Cambiado();

protected:
    bool edit(const QModelIndex& indice, EditTrigger disparador, QEvent* evento) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint sugerencia) override;
    void keyPressEvent(QKeyEvent* evento) override;
    void mouseDoubleClickEvent(QMouseEvent* evento) override;

private:
    void MostrarError(const std::exception& e);

    CEdicionLanzamiento& FEdicion;
    CModeloGrilla& FModelo;
    // The selection when the editor opened: a typed value fills all of it.
    RSeleccion FSeleccionEdicion;
    bool FAvanzarTrasEdicion = false;
};
