#include "ui/TDLGFiltro.h"

#include "document/UTextos.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TDLGFiltro::TDLGFiltro(QWidget* padre) : QDialog(padre) {
    setObjectName(QStringLiteral("TDLGFiltro"));
    setWindowTitle(QString::fromUtf8(Textos::FiltrarPatrones));
    auto* campo = new QGroupBox(QString::fromUtf8(Textos::CampoAFiltrar), this);
    FcbColumnas = new QComboBox(campo);
    FcbColumnas->setObjectName(QStringLiteral("cbColumnas"));
    (new QVBoxLayout(campo))->addWidget(FcbColumnas);

    auto* lista = new QGroupBox(QString::fromUtf8(Textos::ListaFiltro), this);
    FcbFiltro = new QComboBox(lista);
    FcbFiltro->setObjectName(QStringLiteral("cbFiltro"));
    FcbFiltro->setEditable(true);
    FcbFiltro->setInsertPolicy(QComboBox::NoInsert);
    auto* capaLista = new QVBoxLayout(lista);
    capaLista->addWidget(FcbFiltro);
    QStringList ayuda;
    for (const char* linea : Textos::FiltroAyuda) {
        ayuda << QString::fromUtf8(linea);
        capaLista->addWidget(new QLabel(QString::fromUtf8(linea), lista));
    }
    FcbFiltro->setToolTip(ayuda.join(QLatin1Char('\n')));

    auto* botones = new QDialogButtonBox(this);
    botones->addButton(QString::fromUtf8(Textos::BotonOK), QDialogButtonBox::AcceptRole)
        ->setDefault(true);
    botones->addButton(QString::fromUtf8(Textos::BotonCancelarSimple),
                       QDialogButtonBox::RejectRole);
    connect(botones, &QDialogButtonBox::accepted, this, &TDLGFiltro::accept);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* capa = new QVBoxLayout(this);
    capa->addWidget(campo);
    capa->addWidget(lista);
    capa->addWidget(botones);
}

void TDLGFiltro::Preparar(const QStringList& columnas, int columna) {
    FcbColumnas->clear();
    FcbColumnas->addItems(columnas);
    FcbColumnas->setCurrentIndex(columna);
}

void TDLGFiltro::showEvent(QShowEvent* evento) {
    Activar();
    QDialog::showEvent(evento);
}

void TDLGFiltro::Activar() {
    FcbFiltro->setEditText(QString());
}

int TDLGFiltro::Columna() const {
    return FcbColumnas->currentIndex();
}

QString TDLGFiltro::Filtro() const {
    return FcbFiltro->currentText();
}

void TDLGFiltro::accept() {
    const QString texto = Filtro();
    FHistorial.Agregar(texto.toStdString());
    FcbFiltro->clear();
    for (const std::string& t : FHistorial.Textos()) {
        FcbFiltro->addItem(QString::fromStdString(t));
    }
    FcbFiltro->setEditText(texto);
    QDialog::accept();
}
