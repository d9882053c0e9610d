#pragma once

// "Generar formato de etiqueta": composes the common label format from four part formats
// (piece, offcut, vertical cut, horizontal cut) and shows it on a sample pattern.
// "&Configurar..." opens the designer on the part chosen in "Tipo de etiqueta". The sample
// and its options belong to the dialog (CGeneradorEtiqueta): the job's options are never
// changed, whether the dialog ends with OK or not.
//
// Use (the options dialog's "Generar..."):
//   dlg.Cargar(job, {pieza, sobrante, corteVer, corteHor});
//   if (CDialogos::Ejecutar(dlg) == QDialog::Accepted) { dlg.Partes(); dlg.TextoMemo(); }

#include <QDialog>

#include <array>
#include <memory>
#include <string>

class CGeneradorEtiqueta;
class CLanzamiento;
class QComboBox;
class TDlgEtiqueta;

class TDLGGenerarEti : public QDialog {
    Q_OBJECT

public:
    // etiqueta: the designer "&Configurar..." opens (not owned).
    explicit TDLGGenerarEti(TDlgEtiqueta& etiqueta, QWidget* padre = nullptr);
    ~TDLGGenerarEti() override;

    void Cargar(const CLanzamiento& lanzamiento, const std::array<std::string, 4>& partes);
    // The parts and the composition as they were when the dialog closed (or as they are
    // while it is open).
    std::array<std::string, 4> Partes() const;
    // The composed format as the options dialog's memo shows it.
    std::string TextoMemo() const;
    // The composed common format (what the preview draws with).
    std::string FormatoComun() const;

public slots:
    void btConfigurarClick();
    // Keeps the results and frees the sample (it refers to the job).
    void done(int resultado) override;

private:
    std::array<std::string, 4> FPartes;
    std::string FTextoMemo;
    std::string FFormatoComun;
    TDlgEtiqueta& FEtiqueta;
    std::unique_ptr<CGeneradorEtiqueta> FGenerador;
    QComboBox* FcbTipo;
    QWidget* FpnVista;
};
