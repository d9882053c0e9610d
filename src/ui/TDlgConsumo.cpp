#include "ui/TDlgConsumo.h"

#include "document/CConsumoIdeal.h"
#include "document/CLanzamiento.h"
#include "document/ULongitudes.h"
#include "document/UTextos.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TDlgConsumo::TDlgConsumo(QWidget* padre) : QDialog(padre) {
    setObjectName(QStringLiteral("TDlgConsumo"));
    setWindowTitle(QString::fromUtf8(Textos::ConsumoIdeal));
    FcbMaterial = new QComboBox(this);
    FcbMaterial->setObjectName(QStringLiteral("cbMaterial"));
    FstCantidad = new QLabel(this);
    FstCantidad->setObjectName(QStringLiteral("stCantidad"));
    FstCantidad->setFrameShape(QFrame::StyledPanel);
    FstCantidad->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* formulario = new QFormLayout;
    auto* etiqueta = new QLabel(QString::fromUtf8(Textos::EtiquetaMaterial), this);
    etiqueta->setBuddy(FcbMaterial);
    formulario->addRow(etiqueta, FcbMaterial);
    formulario->addRow(QString::fromUtf8(Textos::EtiquetaCantidad), FstCantidad);
    auto* capa = new QVBoxLayout(this);
    capa->addLayout(formulario);
    for (const char* linea : Textos::ConsumoExplicacion) {
        auto* explicacion = new QLabel(QString::fromUtf8(linea), this);
        explicacion->setWordWrap(true);
        capa->addWidget(explicacion);
    }
    auto* botones = new QDialogButtonBox(this);
    botones->addButton(QString::fromUtf8(Textos::BotonOK), QDialogButtonBox::AcceptRole)
        ->setDefault(true);
    connect(botones, &QDialogButtonBox::accepted, this, &QDialog::accept);
    capa->addWidget(botones);
    resize(420, 220);
    connect(FcbMaterial, &QComboBox::activated, this, &TDlgConsumo::cbMaterialSelect);
}

void TDlgConsumo::Preparar(const CLanzamiento& job, const std::vector<std::string>& materiales) {
    FLanzamiento = &job;
    FcbMaterial->clear();
    FstCantidad->clear();
    const ROpciones& o = job.Opciones();
    for (int m = 1; m <= job.CantidadMateriales(); ++m) {
        std::string texto;
        if (static_cast<std::size_t>(m) <= materiales.size()) {
            texto = materiales[static_cast<std::size_t>(m - 1)];
        } else {
            texto = std::to_string(m) + " (" + FormatearLongitud(job.LargoMaterial(m), o);
            if (!o.Barras) {
                texto += " x " + FormatearLongitud(job.AnchoMaterial(m), o);
            }
            texto += ")";
        }
        FcbMaterial->addItem(QString::fromStdString(texto));
    }
    FcbMaterial->setEnabled(FcbMaterial->count() > 0);
    if (FcbMaterial->count() > 0) {
        FcbMaterial->setCurrentIndex(0);
        cbMaterialSelect(0);
    }
}

QString TDlgConsumo::Cantidad() const {
    return FstCantidad->text();
}

void TDlgConsumo::cbMaterialSelect(int indice) {
    if (FLanzamiento == nullptr || indice < 0) {
        return;
    }
    FstCantidad->setText(QString::fromStdString(CConsumoIdeal::Texto(*FLanzamiento, indice + 1)));
}
