#pragma once

// "Parámetros de etiqueta": the variables of the label language as a check list (each item
// its description and its variable). OK leaves, in Resultado, the checked variables in list
// order, each followed by a blank; the designer inserts them at its caret. Every opening
// starts with nothing checked.

#include <QDialog>

#include <string>

class QListWidget;

class TDLGParametrosEti : public QDialog {
    Q_OBJECT

public:
    explicit TDLGParametrosEti(QWidget* padre = nullptr);

    std::string Resultado() const;

protected:
    void showEvent(QShowEvent* evento) override;

private:
    QListWidget* FclbParametros;
};
