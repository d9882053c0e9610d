#pragma once

// The about box: program name, version and a line on what it does.
// Use: CDialogos::Ejecutar(aboutBox);

#include <QDialog>

class TAboutBox : public QDialog {
    Q_OBJECT

public:
    explicit TAboutBox(QWidget* padre = nullptr);
};
