#include "ui/TDlgHistorico.h"

#include "document/CLanzamiento.h"
#include "document/UTextos.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

TDlgHistorico::TDlgHistorico(QWidget* padre) : QDialog(padre) {
    setObjectName(QStringLiteral("TDlgHistorico"));
    setWindowTitle(QString::fromUtf8(Textos::HistoricoCalculo));
    FLbLanzamiento = new QLabel(this);
    FLbLanzamiento->setObjectName(QStringLiteral("LbLanzamiento"));
    QFont negrita = FLbLanzamiento->font();
    negrita.setBold(true);
    FLbLanzamiento->setFont(negrita);
    FmeHis = new QPlainTextEdit(this);
    FmeHis->setObjectName(QStringLiteral("meHis"));
    FmeHis->setReadOnly(true);
    FmeHis->setLineWrapMode(QPlainTextEdit::NoWrap);
    FmeHis->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* botones = new QDialogButtonBox(this);
    botones->addButton(QString::fromUtf8(Textos::BotonOK), QDialogButtonBox::AcceptRole)
        ->setDefault(true);
    connect(botones, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* capa = new QVBoxLayout(this);
    capa->addWidget(FLbLanzamiento);
    capa->addWidget(new QLabel(QString::fromUtf8(Textos::ReporteUltimoCalculo), this));
    capa->addWidget(FmeHis, 1);
    capa->addWidget(botones);
    resize(460, 380);
}

void TDlgHistorico::Mostrar(const CLanzamiento& job) {
    QStringList lineas;
    for (const std::string& linea : job.LeerHistorico()) {
        lineas << QString::fromStdString(linea);
    }
    FmeHis->setPlainText(lineas.join(QLatin1Char('\n')));
    FLbLanzamiento->setText(QString::fromStdString(job.Nombre()));
}
