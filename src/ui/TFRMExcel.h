#pragma once

// "Importar de Excel": the reusable import window. The owner declares its fields
// (AgregarCampo) and plugs its callbacks into Importacion() before showing it; the user opens
// a workbook (.xlsx, .xls, .ods, .csv), picks the sheet, maps fields to columns by letters or
// by the header row, gives constants to unmapped fields and transfers. Every rule lives in
// CImportacion; this window shows it. The user's workbook is only read: rejected rows go to a
// new "<libro>-errores.xlsx" beside it. "Ir a &Excel" opens the workbook in the desktop's
// spreadsheet program.

#include "document/CImportacion.h"

#include <QDialog>

#include <memory>

class CLibroCalculo;
class CHojaCalculo;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

class TFRMExcel : public QDialog {
    Q_OBJECT

public:
    explicit TFRMExcel(QWidget* padre = nullptr);
    ~TFRMExcel() override;

    // The title strip ("Piezas" or "Materiales").
    void FijarTitulo(const QString& titulo);
    void AgregarCampo(const QString& Nombre, const QString& Columna, const QString& ValorDefecto);
    CImportacion& Importacion() { return FImportacion; }
    void AnotarCorrecto() { FImportacion.AnotarCorrecto(); }
    void AnotarError(int Fila, const std::string& Descripcion) {
        FImportacion.AnotarError(Fila, Descripcion);
    }

    // Opens a workbook as btnSeleccionarLibro does after its file dialog (false on error,
    // already shown).
    bool AbrirLibro(const QString& archivo);
    // The workbook of the rejected rows of the last transfer (empty when none).
    QString LibroErrores() const { return FLibroErrores; }

protected:
    void showEvent(QShowEvent* evento) override;
    void done(int resultado) override;

private:
    void btnSeleccionarLibroClick();
    void cbHojasChange(int indice);
    void ckbFirstRowClick();
    void btnTransferClick();
    void btnExcelClick();
    void vlwCamposChange();
    void GuardarValor();
    void MostrarColumnas();
    const CHojaCalculo* Hoja() const;

    CImportacion FImportacion;
    std::unique_ptr<CLibroCalculo> FLibro;
    QString FArchivo;
    QString FLibroErrores;
    QLabel* FpanFile;
    QLineEdit* FedLibro;
    QPushButton* FbtnSeleccionarLibro;
    QComboBox* FcbHojas;
    QCheckBox* FckbFirstRow;
    QTableWidget* FvlwCampos;
    QLineEdit* FedDefault;
    QPushButton* FbtnExcel;
    QPushButton* FbtnCerrar;
    QPushButton* FbtnTransfer;
    QPushButton* FbtnStop;
    QLabel* FlbProgress;
    QLabel* FlbCount;
    bool FLlenando = false;
};
