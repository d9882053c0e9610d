// The small dialogs: new job, filter, ideal consumption, history, preferences, multiply
// quantities, about box and the calculator launcher. Set TRAZAL_CAPTURAS to a folder to get
// a picture of each dialog there.

#include "PruebaVentana.h"

#include "document/CLanzamiento.h"
#include "document/ROpciones.h"
#include "document/UEntorno.h"
#include "support/CConstructorLanzamiento.h"
#include "support/RutasPrueba.h"
#include "ui/CCalculadora.h"
#include "ui/CDialogos.h"
#include "ui/TAboutBox.h"
#include "ui/TDLGEntorno.h"
#include "ui/TDLGFiltro.h"
#include "ui/TDLGMulCant.h"
#include "ui/TDLGNuevo.h"
#include "ui/TDlgConsumo.h"
#include "ui/TDlgHistorico.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include <filesystem>
#include <fstream>

namespace {

void Ejecutable(const std::filesystem::path& ruta) {
    std::ofstream(ruta) << "#!/bin/sh\n";
    std::filesystem::permissions(ruta, std::filesystem::perms::owner_all);
}

} // namespace

class DialogosTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        FEntorno = Entorno;
        FOpciones = OpcionesPredeterminadas;
        FCarpetaAplicacion = CarpetaAplicacion;
    }
    void cleanup() {
        Entorno = FEntorno;
        OpcionesPredeterminadas = FOpciones;
        CarpetaAplicacion = FCarpetaAplicacion;
    }
    void NuevoBarrasYPlantillas();
    void NuevoConCarpetaVaciaYExaminar();
    void FiltroGuardaHistorial();
    void ConsumoDelPrimerMaterial();
    void HistoricoDelLanzamiento();
    void EntornoColorDePapelYCarpetas();
    void MultiplicarYAcercaDe();
    void Calculadora();

private:
    REntorno FEntorno;
    ROpciones FOpciones;
    std::string FCarpetaAplicacion;
};

void DialogosTest::NuevoBarrasYPlantillas() {
    CDialogos::Prueba prueba;
    rutas::CCarpetaTemporal carpeta;
    std::ofstream(carpeta / "perfiles.pla") << "[Opciones]\nBarras=1\n";
    Entorno.CarpetaPlantillas = carpeta.Ruta().string();
    CarpetaAplicacion = "/opt/trazal/";
    OpcionesPredeterminadas.Barras = false;
    TDLGNuevo dlg;
    dlg.Activar();
    Hijo<QRadioButton>(dlg, "rgDefault0")->click();
    dlg.accept();
    QCOMPARE(dlg.ArchivoPlantilla(), QStringLiteral("/opt/trazal/defaultbars.pla"));
    QVERIFY(OpcionesPredeterminadas.Barras);

    dlg.Activar();
    Hijo<QRadioButton>(dlg, "rgDefault2")->click();
    auto* lista = Hijo<QListWidget>(dlg, "lbxPlantillas");
    QCOMPARE(lista->item(0)->text(), QStringLiteral("perfiles"));
    Capturar(dlg, QStringLiteral("TDLGNuevo"));
    dlg.setResult(QDialog::Rejected);
    // Double-clicking a template acts as OK on it.
    emit lista->itemDoubleClicked(lista->item(0));
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(dlg.ArchivoPlantilla(), QString::fromStdString((carpeta / "perfiles.pla").string()));
}

// An empty folder lists only "Examinar...", enabled with "Utilizar plantilla"; OK with nothing
// selected takes the defaults alone. OK on "Examinar..." browses: cancelled, the dialog stays.
void DialogosTest::NuevoConCarpetaVaciaYExaminar() {
    CDialogos::Prueba prueba;
    rutas::CCarpetaTemporal carpeta;
    Entorno.CarpetaPlantillas = carpeta.Ruta().string();
    TDLGNuevo dlg;
    dlg.Activar();
    auto* lista = Hijo<QListWidget>(dlg, "lbxPlantillas");
    QCOMPARE(lista->count(), 1);
    QCOMPARE(lista->item(0)->text(), QStringLiteral("Examinar..."));
    QVERIFY(!lista->isEnabled());
    Hijo<QRadioButton>(dlg, "rgDefault2")->click();
    QVERIFY(lista->isEnabled());
    dlg.accept();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(dlg.ArchivoPlantilla(), QString());

    dlg.show();
    Hijo<QRadioButton>(dlg, "rgDefault2")->click();
    lista->setCurrentRow(0);
    CDialogos::ProximoArchivo(QString());
    dlg.accept();
    QVERIFY(dlg.isVisible());
    QCOMPARE(lista->currentRow(), 0);
    QCOMPARE(CDialogos::Mostrados().back().Tipo, RDialogoMostrado::Abrir);
    QCOMPARE(CDialogos::Mostrados().back().Texto, QString::fromStdString(carpeta.Ruta().string()));
    CDialogos::ProximoArchivo(QStringLiteral("/otra/carpeta/madera.pla"));
    emit lista->itemDoubleClicked(lista->item(0));
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(dlg.ArchivoPlantilla(), QStringLiteral("/otra/carpeta/madera.pla"));
}

void DialogosTest::FiltroGuardaHistorial() {
    TDLGFiltro dlg;
    const QStringList columnas{QStringLiteral("Patrón #"), QStringLiteral("Material"),
                               QStringLiteral("P1"), QStringLiteral("P2")};
    dlg.Preparar(columnas, 2);
    auto* filtro = Hijo<QComboBox>(dlg, "cbFiltro");
    for (const QString& texto :
         {QStringLiteral("1,5"), QStringLiteral("1,5"), QStringLiteral("10-15")}) {
        dlg.Activar();
        QCOMPARE(filtro->currentText(), QString());
        filtro->setEditText(texto);
        dlg.accept();
    }
    QCOMPARE(filtro->count(), 2);
    QCOMPARE(filtro->itemText(0), QStringLiteral("1,5"));
    QCOMPARE(dlg.Columna(), 2);
    QCOMPARE(dlg.Filtro(), QStringLiteral("10-15"));
    Capturar(dlg, QStringLiteral("TDLGFiltro"));
}

void DialogosTest::ConsumoDelPrimerMaterial() {
    CConstructorLanzamiento c;
    c.Pieza(40, 40, 2).Pieza(30, 60, 1).Material(100, 50).Material(200, 100);
    auto job = c.Crear();
    TDlgConsumo dlg;
    dlg.Preparar(*job);
    auto* material = Hijo<QComboBox>(dlg, "cbMaterial");
    QCOMPARE(material->count(), 2);
    QCOMPARE(dlg.Cantidad(), QStringLiteral("1.00"));
    material->setCurrentIndex(1);
    emit material->activated(1);
    QCOMPARE(dlg.Cantidad(), QStringLiteral("0.25"));
    Capturar(dlg, QStringLiteral("TDlgConsumo"));
    CConstructorLanzamiento vacio;
    auto sinMateriales = vacio.Crear();
    dlg.Preparar(*sinMateriales);
    QVERIFY(!material->isEnabled());
}

void DialogosTest::HistoricoDelLanzamiento() {
    rutas::CCarpetaTemporal carpeta;
    CLanzamiento job((carpeta / "cocina.lan").string(), OpcionesPorDefecto());
    job.EscribirHistorico({"Fecha y Hora: hoy", "", "Solución Teórica:"});
    TDlgHistorico dlg;
    dlg.Mostrar(job);
    QCOMPARE(Hijo<QLabel>(dlg, "LbLanzamiento")->text(), QStringLiteral("cocina"));
    QCOMPARE(Hijo<QPlainTextEdit>(dlg, "meHis")->toPlainText(),
             QStringLiteral("Fecha y Hora: hoy\n\nSolución Teórica:"));
    Capturar(dlg, QStringLiteral("TDlgHistorico"));
}

// Selecting "Selección" and "Etiquetas" and choosing a paper colour changes only the paper
// colour of "Etiquetas"; the folder buttons take the picked folder; OK writes Entorno.
void DialogosTest::EntornoColorDePapelYCarpetas() {
    CDialogos::Prueba prueba;
    Entorno = REntorno::PorDefecto(1280, 1024, "/app/");
    const REntorno antes = Entorno;
    TDLGEntorno dlg;
    QSignalSpy cambiado(&dlg, &TDLGEntorno::EntornoCambiado);
    dlg.Activar();
    auto* colores = Hijo<QTreeWidget>(dlg, "lwColores");
    QCOMPARE(colores->topLevelItemCount(), 9);
    colores->topLevelItem(2)->setSelected(true);
    colores->topLevelItem(8)->setSelected(true);
    CDialogos::ProximoColor(QColor(0x12, 0x34, 0x56));
    emit colores->header()->sectionClicked(2);
    CDialogos::ProximoArchivo(QStringLiteral("/home/taller/plantillas"));
    Hijo<QToolButton>(dlg, "btCarpetaPlantillas")->click();
    QCOMPARE(Hijo<QLineEdit>(dlg, "edCarpetaPlantillas")->text(),
             QStringLiteral("/home/taller/plantillas"));
    Capturar(dlg, QStringLiteral("TDLGEntorno"));
    // Cancel leaves the environment alone.
    dlg.reject();
    QCOMPARE(Entorno, antes);
    dlg.Activar();
    colores->clearSelection();
    colores->topLevelItem(2)->setSelected(true);
    colores->topLevelItem(8)->setSelected(true);
    CDialogos::ProximoColor(QColor(0x12, 0x34, 0x56));
    emit colores->header()->sectionClicked(2);
    Hijo<QLineEdit>(dlg, "edCarpetaPlantillas")->setText(QStringLiteral("/home/taller/plantillas"));
    dlg.accept();
    REntorno esperado = antes;
    esperado.Colores[REntorno::ColorPapelEtiquetas] = 0x563412;
    esperado.CarpetaPlantillas = "/home/taller/plantillas";
    QCOMPARE(Entorno, esperado);
    QCOMPARE(cambiado.count(), 1);
}

void DialogosTest::MultiplicarYAcercaDe() {
    TDLGMulCant mul;
    mul.Edit1()->setText(QStringLiteral("2.5"));
    QCOMPARE(mul.Texto(), QStringLiteral("2.5"));
    Capturar(mul, QStringLiteral("TDLGMulCant"));
    QCoreApplication::setApplicationVersion(QStringLiteral("0.1"));
    TAboutBox acerca;
    QCOMPARE(Hijo<QLabel>(acerca, "Version")->text(), QStringLiteral("Versión 0.1"));
    Capturar(acerca, QStringLiteral("TAboutBox"));
}

void DialogosTest::Calculadora() {
    CDialogos::Prueba prueba;
    rutas::CCarpetaTemporal carpeta;
    const QStringList carpetas{QString::fromStdString(carpeta.Ruta().string())};
    QCOMPARE(CCalculadora::Buscar(carpetas), QString());
    QVERIFY(!CCalculadora::Abrir(carpetas));
    QCOMPARE(CDialogos::Mostrados().back().Tipo, RDialogoMostrado::Aviso);
    Ejecutable(carpeta / "xcalc");
    Ejecutable(carpeta / "galculator");
    QCOMPARE(CCalculadora::Buscar(carpetas),
             QString::fromStdString((carpeta / "galculator").string()));
}

QTEST_MAIN(DialogosTest)
#include "DialogosTest.moc"
