#pragma once

// "Multiplicar cantidades": asks for the factor; the job window reads Edit1's text.
//
// Use: if (CDialogos::Ejecutar(dlg) == QDialog::Accepted) factorText = dlg.Texto();

#include <QDialog>

class QLineEdit;

class TDLGMulCant : public QDialog {
    Q_OBJECT

public:
    explicit TDLGMulCant(QWidget* padre = nullptr);
    QString Texto() const;
    QLineEdit* Edit1() const { return FEdit1; }

private:
    QLineEdit* FEdit1;
};
