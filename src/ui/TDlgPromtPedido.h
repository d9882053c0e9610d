#pragma once

// The notice that some ordered quantities could not be met. The progress window shows it
// and closes it when its countdown runs out.

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

class TDlgPromtPedido : public QDialog {
    Q_OBJECT

public:
    // `piezas`: the comma-separated piece numbers, put in place of "#P".
    TDlgPromtPedido(const QString& piezas, QWidget* padre = nullptr);

    QPlainTextEdit* Memo1() const { return FMemo1; }

private:
    QPlainTextEdit* FMemo1;
    QPushButton* FOKBtn;
};
