#include "ui/TDLGMulCant.h"

#include "document/UTextos.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TDLGMulCant::TDLGMulCant(QWidget* padre) : QDialog(padre) {
    setObjectName(QStringLiteral("TDLGMulCant"));
    setWindowTitle(QString::fromUtf8(Textos::MultiplicarCantidades));
    auto* grupo = new QGroupBox(this);
    auto* fila = new QHBoxLayout(grupo);
    fila->addWidget(new QLabel(QString::fromUtf8(Textos::MultiplicarPor), grupo));
    FEdit1 = new QLineEdit(grupo);
    FEdit1->setObjectName(QStringLiteral("Edit1"));
    fila->addWidget(FEdit1, 1);
    auto* botones = new QDialogButtonBox(this);
    botones->addButton(QString::fromUtf8(Textos::BotonOK), QDialogButtonBox::AcceptRole)
        ->setDefault(true);
    botones->addButton(QString::fromUtf8(Textos::BotonCancelarSimple),
                       QDialogButtonBox::RejectRole);
    connect(botones, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* capa = new QVBoxLayout(this);
    capa->addWidget(grupo);
    capa->addWidget(botones);
}

QString TDLGMulCant::Texto() const {
    return FEdit1->text();
}
