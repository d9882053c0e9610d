#include "ui/TDLGParametrosEti.h"

#include "document/UTextos.h"
#include "patterns/CEdicionEtiqueta.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <vector>

TDLGParametrosEti::TDLGParametrosEti(QWidget* padre) : QDialog(padre) {
    setObjectName(QStringLiteral("TDLGParametrosEti"));
    setWindowTitle(QString::fromUtf8(Textos::TituloParametrosEti));
    FclbParametros = new QListWidget(this);
    FclbParametros->setObjectName(QStringLiteral("clbParametros"));
    for (const RParametroEtiqueta& p : CEdicionEtiqueta::Parametros()) {
        auto* item = new QListWidgetItem(
            QString::fromStdString(CEdicionEtiqueta::TextoParametro(p)), FclbParametros);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    // A click anywhere on the row toggles it, as in a check list.
    connect(FclbParametros, &QListWidget::itemActivated, this, [](QListWidgetItem* item) {
        item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    });
    auto* botones = new QDialogButtonBox(this);
    botones->addButton(QString::fromUtf8(Textos::BotonOK), QDialogButtonBox::AcceptRole)
        ->setObjectName(QStringLiteral("OKBtn"));
    botones->addButton(QString::fromUtf8(Textos::BotonCancelarSimple),
                       QDialogButtonBox::RejectRole);
    connect(botones, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* capa = new QVBoxLayout(this);
    capa->addWidget(new QLabel(QString::fromUtf8(Textos::MarqueParametros), this));
    capa->addWidget(FclbParametros, 1);
    capa->addWidget(botones);
    resize(520, 520);
}

std::string TDLGParametrosEti::Resultado() const {
    std::vector<bool> marcados;
    for (int i = 0; i < FclbParametros->count(); ++i) {
        marcados.push_back(FclbParametros->item(i)->checkState() == Qt::Checked);
    }
    return CEdicionEtiqueta::TextoParametros(marcados);
}

void TDLGParametrosEti::showEvent(QShowEvent* evento) {
    for (int i = 0; i < FclbParametros->count(); ++i) {
        FclbParametros->item(i)->setCheckState(Qt::Unchecked);
    }
    FclbParametros->setCurrentRow(0);
    QDialog::showEvent(evento);
}
