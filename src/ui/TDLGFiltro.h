#pragma once

// "Filtrar patrones": a column of the result sheet and a list of values or ranges. The texts
// of earlier filters (at most 20) stay in cbFiltro while the dialog exists.
//
// Use (the job window's filter command):
//   dlgFiltro.Preparar(headersOfTheResultGrid, currentColumn);
//   if (CDialogos::Ejecutar(dlgFiltro) == QDialog::Accepted)
//       solucion.FijarFiltro(text, CHistorialFiltro::Criterio(c), CHistorialFiltro::Pieza(c))
//   with c = dlgFiltro.Columna(), text = dlgFiltro.Filtro().

#include "engine/CHistorialFiltro.h"

#include <QDialog>
#include <QStringList>

class QComboBox;

class TDLGFiltro : public QDialog {
    Q_OBJECT

public:
    explicit TDLGFiltro(QWidget* padre = nullptr);

    // `columnas`: the header text of every column of the result grid, in column order.
    void Preparar(const QStringList& columnas, int columna);
    // Empties the filter text (called when the dialog is shown).
    void Activar();

    int Columna() const;
    QString Filtro() const;
    const CHistorialFiltro& Historial() const { return FHistorial; }

public slots:
    void accept() override;

protected:
    void showEvent(QShowEvent* evento) override;

private:
    CHistorialFiltro FHistorial;
    QComboBox* FcbColumnas;
    QComboBox* FcbFiltro;
};
