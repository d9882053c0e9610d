#include "ui/TDlgPromtPedido.h"

#include "document/UTextos.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TDlgPromtPedido::TDlgPromtPedido(const QString& piezas, QWidget* padre)
    : QDialog(padre), FMemo1(new QPlainTextEdit(this)),
      FOKBtn(new QPushButton(QString::fromUtf8(Textos::BotonOK), this)) {
    setObjectName(QStringLiteral("TDlgPromtPedido"));
    setWindowTitle(QString::fromUtf8(Textos::PedidoIncumplido));
    FMemo1->setObjectName(QStringLiteral("Memo1"));
    FMemo1->setReadOnly(true);
    FMemo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    FMemo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FMemo1->setPlainText(
        QString::fromUtf8(Textos::PedidoIncumplidoTexto).replace(QStringLiteral("#P"), piezas));
    FOKBtn->setObjectName(QStringLiteral("OKBtn"));
    FOKBtn->setDefault(true);
    connect(FOKBtn, &QPushButton::clicked, this, &QDialog::accept);
    auto* capa = new QVBoxLayout(this);
    capa->addWidget(FMemo1);
    capa->addWidget(FOKBtn, 0, Qt::AlignHCenter);
    resize(420, 220);
}
