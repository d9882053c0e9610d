#include "ui/TDlgConfigurarPagina.h"

#include "document/ROpciones.h"
#include "document/UTextos.h"
#include "ui/CPaginaQt.h"
#include "ui/UTextoQt.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPageSize>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The size a paper code stands for.
QPageSize::PageSizeId TamanoDeCodigo(int codigo) {
    ROpciones o;
    o.PaperSize = codigo;
    return CPaginaQt::Diseno(o).pageSize().id();
}

QDoubleSpinBox* Milimetros(const char* nombre) {
    auto* e = Nombrado(new QDoubleSpinBox, nombre);
    e->setRange(10, 5000);
    e->setDecimals(1);
    return e;
}

} // namespace

TDlgConfigurarPagina::TDlgConfigurarPagina(QWidget* padre) : QDialog(padre) {
    setObjectName(QStringLiteral("TDlgConfigurarPagina"));
    setWindowTitle(Q(Textos::TituloConfigurarPagina));

    FImpresora = Nombrado(new QComboBox, "cbImpresora");
    FImpresora->addItem(Q(Textos::PaginaImpresoraPredeterminada), -1);
    const QList<QPrinterInfo> impresoras = QPrinterInfo::availablePrinters();
    for (qsizetype k = 0; k < impresoras.size(); ++k) {
        FImpresora->addItem(impresoras[k].printerName(), static_cast<int>(k));
    }

    // One entry per size: several codes name the same paper, the first one stands for it.
    FPapel = Nombrado(new QComboBox, "cbPapel");
    FPapel->addItem(Q(Textos::PaginaPapelPredeterminado), 0);
    QList<QPageSize::PageSizeId> vistos;
    for (int codigo = 1; codigo < CPaginaQt::TamanoPersonalizado; ++codigo) {
        const QPageSize::PageSizeId id = TamanoDeCodigo(codigo);
        if (!vistos.contains(id)) {
            vistos.push_back(id);
            FPapel->addItem(QPageSize::name(id), codigo);
        }
    }
    FPapel->addItem(Q(Textos::PaginaPapelPersonalizado), CPaginaQt::TamanoPersonalizado);
    FAncho = Milimetros("edAncho");
    FLargo = Milimetros("edLargo");
    connect(FPapel, &QComboBox::currentIndexChanged, this, &TDlgConfigurarPagina::AlCambiarPapel);

    auto* orientacion = new QGroupBox(Q(Textos::PaginaOrientacion));
    FVertical = Nombrado(new QRadioButton(Q(Textos::PaginaVertical)), "rbVertical");
    FHorizontal = Nombrado(new QRadioButton(Q(Textos::PaginaHorizontal)), "rbHorizontal");
    auto* grupo = new QButtonGroup(this);
    grupo->addButton(FVertical);
    grupo->addButton(FHorizontal);
    auto* fila = new QHBoxLayout(orientacion);
    fila->addWidget(FVertical);
    fila->addWidget(FHorizontal);

    FBandeja = Nombrado(new QComboBox, "cbBandeja");
    for (const char* bandeja : Textos::PaginaBandejas) {
        FBandeja->addItem(Q(bandeja));
    }

    auto* campos = new QFormLayout;
    campos->addRow(Q(Textos::PaginaImpresora), FImpresora);
    campos->addRow(Q(Textos::PaginaPapel), FPapel);
    campos->addRow(Q(Textos::PaginaAncho), FAncho);
    campos->addRow(Q(Textos::PaginaLargo), FLargo);
    campos->addRow(Q(Textos::PaginaBandeja), FBandeja);

    auto* botones = new QDialogButtonBox(this);
    botones->addButton(Q(Textos::BotonOK), QDialogButtonBox::AcceptRole)->setDefault(true);
    botones->addButton(Q(Textos::BotonCancelarSimple), QDialogButtonBox::RejectRole);
    connect(botones, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* capa = new QVBoxLayout(this);
    capa->addLayout(campos);
    capa->addWidget(orientacion);
    capa->addWidget(botones);
    AlCambiarPapel();
}

void TDlgConfigurarPagina::Cargar(const ROpciones& o) {
    FImpresora->setCurrentIndex(std::max(0, FImpresora->findData(o.PrinterIndex)));
    FCodigoCargado = ((o.PaperSize % 128) + 128) % 128;
    int fila = FPapel->findData(std::min(FCodigoCargado, CPaginaQt::TamanoPersonalizado));
    if (fila < 0) {
        // A code that shares its paper with an earlier one.
        const QPageSize::PageSizeId id = TamanoDeCodigo(FCodigoCargado);
        for (int k = 1; k < FPapel->count() && fila < 0; ++k) {
            const int codigo = FPapel->itemData(k).toInt();
            if (codigo < CPaginaQt::TamanoPersonalizado && TamanoDeCodigo(codigo) == id) {
                fila = k;
            }
        }
    }
    FPapel->setCurrentIndex(std::max(0, fila));
    // The custom size as the page comes out; a named size shows its own.
    const QSizeF mm = CPaginaQt::Diseno(o).pageSize().size(QPageSize::Millimeter);
    FAncho->setValue(mm.width());
    FLargo->setValue(mm.height());
    (o.PaperOrientation == 1 ? FHorizontal : FVertical)->setChecked(true);
    FBandeja->setCurrentIndex(o.OutputBin >= 0 && o.OutputBin < FBandeja->count() ? o.OutputBin
                                                                                  : 7);
    AlCambiarPapel();
}

void TDlgConfigurarPagina::Leer(ROpciones& o) const {
    o.PrinterIndex = FImpresora->currentData().toInt();
    const int codigo = FPapel->currentData().toInt();
    if (codigo == CPaginaQt::TamanoPersonalizado) {
        o.PaperSize = CPaginaQt::TamanoPersonalizado;
        o.PaperWidth = FAncho->value();
        o.PaperLength = FLargo->value();
    } else if (codigo == 0 || FCodigoCargado == 0 ||
               FCodigoCargado >= CPaginaQt::TamanoPersonalizado ||
               TamanoDeCodigo(FCodigoCargado) != TamanoDeCodigo(codigo)) {
        o.PaperSize = codigo;
    }
    o.PaperOrientation = FHorizontal->isChecked() ? 1 : 0;
    o.OutputBin = FBandeja->currentIndex();
}

void TDlgConfigurarPagina::AlCambiarPapel() {
    const bool personalizado = FPapel->currentData().toInt() == CPaginaQt::TamanoPersonalizado;
    FAncho->setEnabled(personalizado);
    FLargo->setEnabled(personalizado);
    if (!personalizado) {
        ROpciones o;
        o.PaperSize = FPapel->currentData().toInt();
        const QSizeF mm = CPaginaQt::Diseno(o).pageSize().size(QPageSize::Millimeter);
        FAncho->setValue(mm.width());
        FLargo->setValue(mm.height());
    }
}
