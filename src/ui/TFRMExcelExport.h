#pragma once

// "Exportar a Excel": the workbook's file name and the elements to export; Exportar writes
// the active job window's job into a new ".xlsx" (exchange/CExportacionLibro.h) with the
// progress in the main window's status bar. Without a file name the workbook goes to a
// temporary file opened with the desktop's spreadsheet program (a new workbook not saved).
// Created once; its check boxes keep their last state.

#include "exchange/CExportacionLibro.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class TMDIChild;
class TMainForm;

class TFRMExcelExport : public QDialog {
    Q_OBJECT

public:
    explicit TFRMExcelExport(TMainForm& principal);

    QString NombreLibro() const;
    RElementosLibro Elementos() const;
    // Writes the workbook; errors are shown. Answers the file written (empty on failure).
    QString Exportar(TMDIChild& VentanaTrabajo, const QString& NombreLibro);

protected:
    void showEvent(QShowEvent* evento) override;

private:
    void btExaminarClick();

    TMainForm& FPrincipal;
    QLineEdit* FedBook;
    QPushButton* FbtExaminar;
    QCheckBox* FckbPiezas;
    QCheckBox* FckbMateriales;
    QCheckBox* FckbPatrones;
    QCheckBox* FckbResultados;
    QCheckBox* FckbParametros;
    QCheckBox* FckbSobrantes;
    QCheckBox* FckbCoordenadas;
};
