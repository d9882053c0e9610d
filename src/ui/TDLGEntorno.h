#pragma once

// "Preferencias": drawing colours for screen and paper, the offcut fill, line and bar widths,
// the colours of the thumbnails and the jobs and templates folders. Works on a copy
// (CEdicionEntorno) loaded from Entorno when shown; OK writes it back and emits
// EntornoCambiado so that the main window refreshes its job windows. The registry copy is
// written only when the main window closes.
//
// Use: if (CDialogos::Ejecutar(dlgEntorno) == QDialog::Accepted) ...  (or connect the signal)

#include "document/CEdicionEntorno.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QSpinBox;
class QTreeWidget;

class TDLGEntorno : public QDialog {
    Q_OBJECT

public:
    explicit TDLGEntorno(QWidget* padre = nullptr);

    // Loads the working copy from Entorno (called when the dialog is shown).
    void Activar();
    const CEdicionEntorno& Edicion() const { return FEdicion; }

    // Colour value of the environment (RGB with red low, or a system colour) for the screen.
    static QColor ColorQt(std::uint32_t color);

signals:
    void EntornoCambiado();

public slots:
    void accept() override;
    // Header "Pantalla" (1) or "Papel" (2): the colour dialog for the selected rows.
    void lwColoresColumnClick(int columna);
    void btRestaurarClick();
    void btCarpetaLanzamientosClick();
    void btCarpetaPlantillasClick();

protected:
    void showEvent(QShowEvent* evento) override;

private:
    void MostrarColores();
    void LlenarRellenos();

    CEdicionEntorno FEdicion;
    QTreeWidget* FlwColores;
    QComboBox* FcbPatSob;
    QSpinBox* FudAnchoLinea;
    QSpinBox* FudAnchoBarra;
    QComboBox* FcbMiniatura;
    QLineEdit* FedCarpetaLanzamientos;
    QLineEdit* FedCarpetaPlantillas;
};
