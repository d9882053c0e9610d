#pragma once

// "Nuevo lanzamiento": start a new job as bars, as sheets or from a user template.
//
// Use (the main window's "&Nuevo..."):
//   if (CDialogos::Ejecutar(dlgNuevo) == QDialog::Accepted)
//       AbrirLanzamiento("NUEVO.lan", dlgNuevo.ArchivoPlantilla());
// The template list is rebuilt from the environment's templates folder each time the dialog
// is shown (Activar). OK with "Barras" or "Planchas" also sets Barras of the process-wide
// default options.

#include "document/CListaPlantillas.h"

#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QListWidget;
class QListWidgetItem;

class TDLGNuevo : public QDialog {
    Q_OBJECT

public:
    explicit TDLGNuevo(QWidget* padre = nullptr);

    // The template to start from; empty for the defaults alone.
    const QString& ArchivoPlantilla() const { return FArchivoPlantilla; }
    // Rebuilds the template list (called when the dialog is shown).
    void Activar();

public slots:
    void accept() override;
    void rgDefaultClick();
    void lbxPlantillasDblClick(QListWidgetItem* item);

protected:
    void showEvent(QShowEvent* evento) override;
    void done(int resultado) override;

private:
    // The open dialog over the templates folder; true when a file was chosen.
    bool Examinar();

    CListaPlantillas FLista;
    QString FArchivoPlantilla;
    QButtonGroup* FrgDefault;
    QGroupBox* FgbPlantillas;
    QListWidget* FlbxPlantillas;
};
