#include "ui/TFRMExcelExport.h"

#include "document/UEntorno.h"
#include "document/UTextos.h"
#include "ui/CAplicacionExterna.h"
#include "ui/CDialogos.h"
#include "ui/TMDIChild.h"
#include "ui/TMainForm.h"
#include "ui/UTextoQt.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFRMExcelExport::TFRMExcelExport(TMainForm& principal)
    : QDialog(&principal), FPrincipal(principal) {
    setObjectName(QStringLiteral("TFRMExcelExport"));
    setWindowTitle(Q(Textos::ExportarTitulo));

    auto* grupoLibro = new QGroupBox(Q(Textos::ExportarGrupoLibro), this);
    FedBook = new QLineEdit(grupoLibro);
    FedBook->setObjectName(QStringLiteral("edBook"));
    FbtExaminar = new QPushButton(Q(Textos::ExportarExaminar), grupoLibro);
    FbtExaminar->setObjectName(QStringLiteral("btExaminar"));
    FbtExaminar->setAutoDefault(false);
    auto* nota = new QLabel(Q(Textos::ExportarNota), grupoLibro);
    nota->setWordWrap(true);
    auto* capaLibro = new QGridLayout(grupoLibro);
    capaLibro->addWidget(FedBook, 0, 0);
    capaLibro->addWidget(FbtExaminar, 0, 1);
    capaLibro->addWidget(nota, 1, 0, 1, 2);

    auto* grupoElementos = new QGroupBox(Q(Textos::ExportarGrupoElementos), this);
    auto* capaElementos = new QVBoxLayout(grupoElementos);
    const char* nombres[7] = {"ckbPiezas",     "ckbMateriales", "ckbPatrones",   "ckbResultados",
                              "ckbParametros", "ckbSobrantes",  "ckbCoordenadas"};
    QCheckBox** casillas[7] = {&FckbPiezas,     &FckbMateriales, &FckbPatrones,   &FckbResultados,
                               &FckbParametros, &FckbSobrantes,  &FckbCoordenadas};
    for (int i = 0; i < 7; ++i) {
        *casillas[i] = new QCheckBox(Q(Textos::ExportarElementos[i]), grupoElementos);
        (*casillas[i])->setObjectName(QString::fromLatin1(nombres[i]));
        (*casillas[i])->setChecked(i < 3);
        capaElementos->addWidget(*casillas[i]);
    }

    auto* botones = new QDialogButtonBox(this);
    auto* exportar = botones->addButton(Q(Textos::ExportarExportar), QDialogButtonBox::AcceptRole);
    exportar->setObjectName(QStringLiteral("btExportar"));
    exportar->setDefault(true);
    botones->addButton(Q(Textos::ExportarCancelar), QDialogButtonBox::RejectRole);
    connect(botones, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(FbtExaminar, &QPushButton::clicked, this, &TFRMExcelExport::btExaminarClick);

    auto* capa = new QVBoxLayout(this);
    capa->addWidget(grupoLibro);
    capa->addWidget(grupoElementos);
    capa->addWidget(botones);
    resize(420, sizeHint().height());
}

void TFRMExcelExport::showEvent(QShowEvent* evento) {
    move(FPrincipal.geometry().center() - rect().center());
    QDialog::showEvent(evento);
}

QString TFRMExcelExport::NombreLibro() const {
    return FedBook->text().trimmed();
}

RElementosLibro TFRMExcelExport::Elementos() const {
    RElementosLibro e;
    e.Piezas = FckbPiezas->isChecked();
    e.Materiales = FckbMateriales->isChecked();
    e.Patrones = FckbPatrones->isChecked();
    e.Resultados = FckbResultados->isChecked();
    e.Parametros = FckbParametros->isChecked();
    e.Sobrantes = FckbSobrantes->isChecked();
    e.Coordenadas = FckbCoordenadas->isChecked();
    return e;
}

void TFRMExcelExport::btExaminarClick() {
    const QString archivo = CDialogos::GuardarArchivo(
        this, QString::fromStdString(Entorno.CarpetaLanzamientos), FedBook->text(),
        Q(Textos::FiltroLibrosEscritura), QStringLiteral("xlsx"));
    if (!archivo.isEmpty()) {
        FedBook->setText(archivo);
    }
}

QString TFRMExcelExport::Exportar(TMDIChild& VentanaTrabajo, const QString& NombreLibro) {
    // No name: a new workbook in a temporary file, shown but not kept under a name.
    QString archivo = NombreLibro;
    if (archivo.isEmpty()) {
        archivo = QDir::temp().filePath(
            QStringLiteral("%1-%2.xlsx")
                .arg(QFileInfo(VentanaTrabajo.NombreArchivo()).completeBaseName(),
                     QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"))));
    } else if (QFileInfo(archivo).suffix().isEmpty()) {
        archivo += QStringLiteral(".xlsx");
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    FPrincipal.IniciarProgreso(Q(Textos::ExportandoLibro));
    QString escrito;
    try {
        VentanaTrabajo.GuardarGrillas();
        CExportacionLibro exportacion(VentanaTrabajo.Edicion(), Entorno);
        exportacion.OnTotal = [this](int n) { FPrincipal.TotalProgreso(n); };
        exportacion.OnAvance = [this](int i) { FPrincipal.AvanzarProgreso(i); };
        // Paint only: a click could close the job window being written.
        exportacion.OnEventos = [] {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        };
        exportacion.Exportar(archivo.toStdString(), Elementos());
        escrito = archivo;
    } catch (const std::exception& e) {
        FPrincipal.TerminarProgreso();
        QApplication::restoreOverrideCursor();
        CDialogos::Avisar(std::string(e.what()));
        return {};
    }
    FPrincipal.TerminarProgreso();
    QApplication::restoreOverrideCursor();
    if (NombreLibro.isEmpty()) {
        CAplicacionExterna::Abrir(escrito);
    }
    return escrito;
}
