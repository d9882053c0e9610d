#pragma once

// A table model over one grid of the job window's editing rules: the pieces or materials
// grid, or the results grid. Row 0 of the grid gives the column headers and column 0 the
// row headers, so the view's row r and column c are the grid's r + 1 and c + 1. The model
// only reads; edits go through the editing rules (CEdicionLanzamiento), after which the
// window calls Refrescar.

#include "document/CEdicionLanzamiento.h"

#include <QAbstractTableModel>

class CModeloGrilla : public QAbstractTableModel {
    Q_OBJECT

public:
    // Data grids: pieces or materials.
    CModeloGrilla(CEdicionLanzamiento& edicion, TGrilla grilla, QObject* padre = nullptr);
    // The results grid.
    CModeloGrilla(CEdicionLanzamiento& edicion, QObject* padre = nullptr);

    bool EsResultados() const { return FResultados; }
    TGrilla Tipo() const { return FGrilla; }
    const CGrilla& Grilla() const;
    // The grid may have changed shape: the views re-read everything.
    void Refrescar();
    // Same shape, new texts.
    void RefrescarTextos();

    int rowCount(const QModelIndex& padre = QModelIndex()) const override;
    int columnCount(const QModelIndex& padre = QModelIndex()) const override;
    QVariant data(const QModelIndex& indice, int rol) const override;
    QVariant headerData(int seccion, Qt::Orientation orientacion, int rol) const override;
    Qt::ItemFlags flags(const QModelIndex& indice) const override;

private:
    CEdicionLanzamiento& FEdicion;
    TGrilla FGrilla = TGrilla::Piezas;
    bool FResultados = false;
};
