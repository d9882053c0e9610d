#pragma once

// "Consumo ideal del material": how many of the chosen material the active pieces would need
// at 100 % utilisation (CConsumoIdeal).
//
// Use: the job window commits its grids to the job, then
//   dlgConsumo.Preparar(job, materialCaptions); CDialogos::Ejecutar(dlgConsumo);

#include <QDialog>

#include <string>
#include <vector>

class CLanzamiento;
class QComboBox;
class QLabel;

class TDlgConsumo : public QDialog {
    Q_OBJECT

public:
    explicit TDlgConsumo(QWidget* padre = nullptr);

    // One entry per material of the job; with no captions, "1 (2440x1220 ...)" from the job.
    // The job must outlive the dialog's use.
    void Preparar(const CLanzamiento& job, const std::vector<std::string>& materiales = {});
    QString Cantidad() const;

public slots:
    void cbMaterialSelect(int indice);

private:
    const CLanzamiento* FLanzamiento = nullptr;
    QComboBox* FcbMaterial;
    QLabel* FstCantidad;
};
