#pragma once

// "Histórico del cálculo": the summary of the last calculation stored in the job.
//
// Use: dlgHistorico.Mostrar(job); CDialogos::Ejecutar(dlgHistorico);

#include <QDialog>

class CLanzamiento;
class QLabel;
class QPlainTextEdit;

class TDlgHistorico : public QDialog {
    Q_OBJECT

public:
    explicit TDlgHistorico(QWidget* padre = nullptr);
    void Mostrar(const CLanzamiento& job);

private:
    QLabel* FLbLanzamiento;
    QPlainTextEdit* FmeHis;
};
