#include "ui/TDLGNuevo.h"

#include "document/UEntorno.h"
#include "document/UTextos.h"
#include "ui/CDialogos.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TDLGNuevo::TDLGNuevo(QWidget* padre) : QDialog(padre) {
    setObjectName(QStringLiteral("TDLGNuevo"));
    setWindowTitle(QString::fromUtf8(Textos::NuevoLanzamiento));

    auto* rgDefault = new QGroupBox(QString::fromUtf8(Textos::ConfiguracionInicial), this);
    rgDefault->setObjectName(QStringLiteral("rgDefault"));
    rgDefault->setStatusTip(QString::fromUtf8(Textos::ConfiguracionAyuda));
    auto* filaRadios = new QHBoxLayout(rgDefault);
    FrgDefault = new QButtonGroup(this);
    for (int k = 0; k < 3; ++k) {
        auto* radio = new QRadioButton(QString::fromUtf8(Textos::Configuraciones[k]), rgDefault);
        radio->setObjectName(QStringLiteral("rgDefault%1").arg(k));
        FrgDefault->addButton(radio, k);
        filaRadios->addWidget(radio);
    }
    FrgDefault->button(CListaPlantillas::Planchas)->setChecked(true);

    FgbPlantillas = new QGroupBox(QString::fromUtf8(Textos::SeleccionarPlantilla), this);
    FgbPlantillas->setObjectName(QStringLiteral("gbPlantillas"));
    FlbxPlantillas = new QListWidget(FgbPlantillas);
    FlbxPlantillas->setObjectName(QStringLiteral("lbxPlantillas"));
    FlbxPlantillas->setToolTip(QString::fromUtf8(Textos::PlantillasAyuda));
    (new QVBoxLayout(FgbPlantillas))->addWidget(FlbxPlantillas);

    auto* botones = new QDialogButtonBox(this);
    botones->addButton(QString::fromUtf8(Textos::BotonOK), QDialogButtonBox::AcceptRole)
        ->setDefault(true);
    botones->addButton(QString::fromUtf8(Textos::BotonCancelarSimple),
                       QDialogButtonBox::RejectRole);
    connect(botones, &QDialogButtonBox::accepted, this, &TDLGNuevo::accept);
    connect(botones, &QDialogButtonBox::rejected, this, &TDLGNuevo::reject);

    auto* capa = new QVBoxLayout(this);
    capa->addWidget(rgDefault);
    capa->addWidget(FgbPlantillas, 1);
    capa->addWidget(botones);
    resize(380, 300);

    connect(FrgDefault, &QButtonGroup::idClicked, this, &TDLGNuevo::rgDefaultClick);
    connect(FlbxPlantillas, &QListWidget::itemDoubleClicked, this,
            &TDLGNuevo::lbxPlantillasDblClick);
    rgDefaultClick();
}

void TDLGNuevo::showEvent(QShowEvent* evento) {
    Activar();
    QDialog::showEvent(evento);
}

void TDLGNuevo::Activar() {
    FLista.Cargar(Entorno.CarpetaPlantillas);
    FlbxPlantillas->clear();
    for (const CListaPlantillas::REntrada& e : FLista.Entradas()) {
        FlbxPlantillas->addItem(QString::fromStdString(e.Nombre));
    }
    rgDefaultClick();
}

void TDLGNuevo::rgDefaultClick() {
    const bool plantilla = FrgDefault->checkedId() == CListaPlantillas::Plantilla;
    FgbPlantillas->setEnabled(plantilla);
    FlbxPlantillas->setEnabled(plantilla);
}

bool TDLGNuevo::Examinar() {
    const QString archivo =
        CDialogos::AbrirArchivo(this, QString::fromStdString(Entorno.CarpetaPlantillas),
                                QString::fromUtf8(Textos::FiltroPlantillas), QStringLiteral("pla"));
    if (archivo.isEmpty()) {
        return false;
    }
    FArchivoPlantilla = archivo;
    return true;
}

void TDLGNuevo::accept() {
    std::string archivo;
    const int seleccion =
        FlbxPlantillas->selectedItems().isEmpty() ? -1 : FlbxPlantillas->currentRow();
    if (FLista.Aceptar(FrgDefault->checkedId(), seleccion, CarpetaAplicacion,
                       OpcionesPredeterminadas, archivo)) {
        FArchivoPlantilla = QString::fromStdString(archivo);
        QDialog::accept();
        return;
    }
    // "Examinar...": the dialog stays open unless a file is chosen.
    FArchivoPlantilla.clear();
    if (Examinar()) {
        QDialog::accept();
    }
}

void TDLGNuevo::lbxPlantillasDblClick(QListWidgetItem* item) {
    if (item == nullptr) {
        return;
    }
    FlbxPlantillas->setCurrentItem(item);
    item->setSelected(true);
    accept();
}

void TDLGNuevo::done(int resultado) {
    QDialog::done(resultado);
    FlbxPlantillas->clear();
}
