#pragma once

// "Configurar Página": the job's six page settings (printer, paper size, custom paper
// length and width, orientation, output bin) edited without asking a printer driver, so
// the page can be set up on a computer with no printer installed. The paper sizes are the
// named sizes of CPaginaQt plus a custom size in millimetres.
//
// Use: dlg.Cargar(opciones); if (CDialogos::Ejecutar(dlg) == QDialog::Accepted)
// dlg.Leer(opciones);

#include <QDialog>

struct ROpciones;
class QComboBox;
class QDoubleSpinBox;
class QRadioButton;

class TDlgConfigurarPagina : public QDialog {
    Q_OBJECT

public:
    explicit TDlgConfigurarPagina(QWidget* padre = nullptr);

    void Cargar(const ROpciones& opciones);
    // Writes PrinterIndex, PaperSize, PaperLength, PaperWidth, OutputBin and
    // PaperOrientation; a paper code that names the chosen size is kept as it was.
    void Leer(ROpciones& opciones) const;

private:
    void AlCambiarPapel();

    QComboBox* FImpresora;
    QComboBox* FPapel;
    QDoubleSpinBox* FAncho;
    QDoubleSpinBox* FLargo;
    QRadioButton* FVertical;
    QRadioButton* FHorizontal;
    QComboBox* FBandeja;
    int FCodigoCargado = 0;
};
