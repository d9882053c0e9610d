// The import and export windows driven from the main window's commands as a user would:
// the dialogs are filled and their buttons pressed through the dialog seam, the desktop's
// spreadsheet program is replaced by the external-application seam.

#include "PruebaVentana.h"
#include "ui/TMainForm.h"

#include "document/CEdicionLanzamiento.h"
#include "document/CLanzamiento.h"
#include "document/UEntorno.h"
#include "document/UTextos.h"
#include "exchange/CLectorLibros.h"
#include "support/RutasPrueba.h"
#include "ui/CAplicacionExterna.h"
#include "ui/CDialogos.h"
#include "ui/CVistaGrilla.h"
#include "ui/TFRMExcel.h"
#include "ui/TFRMExcelExport.h"
#include "ui/TMDIChild.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <memory>

namespace {

bool Mostrado(const QString& texto) {
    for (const auto& m : CDialogos::Mostrados()) {
        if (m.Texto.contains(texto)) {
            return true;
        }
    }
    return false;
}

} // namespace

class TFRMExcelTest : public CPruebaVentana {
    Q_OBJECT

private:
    std::unique_ptr<CAplicacionExterna::Prueba> FExterna;
    TMDIChild* FHijo = nullptr;

    const CGrilla& Piezas() { return FHijo->Edicion().Grilla(TGrilla::Piezas); }

private slots:
    void initTestCase() { PrepararPrograma(); }

    void init() {
        FExterna = std::make_unique<CAplicacionExterna::Prueba>();
        AbrirPrincipal(1000, 700);
        FHijo = FPrincipal->AbrirLanzamiento(
            Copia(rutas::DatosPrueba("con-patrones.lan"), "trabajo.lan"));
        QVERIFY(FHijo != nullptr);
        auto* grilla = FHijo->findChild<CVistaGrilla*>(QStringLiteral("sgPiezas"));
        QVERIFY(grilla != nullptr);
        grilla->setFocus();
        QTRY_VERIFY(grilla->hasFocus());
    }

    void cleanup() {
        CerrarPrincipal();
        FExterna.reset();
    }

    // Header row mapping, transfer, the rejected row in the errors workbook beside the
    // user's one, which stays as it was.
    void ImportaConEncabezadoYLibroDeErrores() {
        const QString libro = Copia(rutas::DatosPrueba("libros/piezas.xlsx"), "piezas.xlsx");
        const auto antes = std::filesystem::last_write_time(libro.toStdString());
        const int filas = Piezas().Filas();
        QString cuenta;
        QString titulo;
        CDialogos::ProximaEjecucion([&](QDialog& d) {
            auto& f = static_cast<TFRMExcel&>(d);
            f.show();
            titulo = Hijo<QLabel>(f, "panFile")->text();
            auto* transferir = Hijo<QPushButton>(f, "btnTransfer");
            if (transferir->isEnabled()) {
                return 0;
            }
            CDialogos::ProximoArchivo(libro);
            Hijo<QPushButton>(f, "btnSeleccionarLibro")->click();
            if (Hijo<QLineEdit>(f, "edLibro")->text() != "piezas.xlsx" ||
                Hijo<QComboBox>(f, "cbHojas")->count() != 2) {
                return 0;
            }
            Hijo<QCheckBox>(f, "ckbFirstRow")->click();
            auto* campos = Hijo<QTableWidget>(f, "vlwCampos");
            cuenta = campos->item(2, 1)->text(); // Cantidad, found in the header row
            CDialogos::ProximaRespuesta(CDialogos::Si);
            transferir->click();
            Hijo<QPushButton>(f, "btnExcel")->click();
            return static_cast<int>(QDialog::Rejected);
        });
        Disparar("FileImportarExcel");
        QCOMPARE(titulo, QStringLiteral("Piezas"));
        QCOMPARE(cuenta, QStringLiteral("C"));
        QVERIFY(Mostrado(QString::fromUtf8(Textos::ImportarContinuar)));
        QVERIFY(Mostrado(QString::fromUtf8(Textos::ImportacionTerminada)));
        QVERIFY(Mostrado(QStringLiteral("piezas-errores.xlsx")));
        QVERIFY(std::filesystem::exists(*FCarpeta / "piezas-errores.xlsx"));
        QCOMPARE(std::filesystem::last_write_time(libro.toStdString()), antes);
        QVERIFY(Piezas().Filas() > filas);
        QCOMPARE(QString::fromStdString(Piezas().Celda(filas, 4)), QStringLiteral("Puerta"));
        QCOMPARE(FExterna->Abiertos(), QStringList{libro});
        QVERIFY(!FHijo->Lanzamiento().Guardado());
    }

    // Stopping during a long transfer still ends with "Importación terminada.".
    void DetenerTerminaLaImportacion() {
        const auto csv = *FCarpeta / "largo.csv";
        {
            std::ofstream f(csv);
            for (int i = 0; i < 500; ++i) {
                f << 100 + i << ",50,1\n";
            }
        }
        const int filas = Piezas().Filas();
        bool paradoAlFinal = false;
        CDialogos::ProximaEjecucion([&](QDialog& d) {
            auto& f = static_cast<TFRMExcel&>(d);
            f.show();
            f.AbrirLibro(Q(csv));
            auto* parar = Hijo<QPushButton>(f, "btnStop");
            // The first pending events run before the first row, the next ones after row 5.
            QTimer::singleShot(
                0, &f, [parar, &f] { QTimer::singleShot(0, &f, [parar] { parar->click(); }); });
            CDialogos::ProximaRespuesta(CDialogos::Si);
            Hijo<QPushButton>(f, "btnTransfer")->click();
            paradoAlFinal = !parar->isEnabled();
            return static_cast<int>(QDialog::Rejected);
        });
        Disparar("FileImportarExcel");
        QVERIFY(paradoAlFinal);
        QVERIFY(Mostrado(QString::fromUtf8(Textos::ImportacionTerminada)));
        const int nuevas = Piezas().Filas() - filas;
        QVERIFY2(nuevas >= 1 && nuevas < 100, qPrintable(QString::number(nuevas)));
    }

    // No file name: a new workbook in a temporary file, opened with the desktop's program.
    void ExportarSinNombreAbreElLibro() {
        CDialogos::ProximaEjecucion([](QDialog& d) {
            Hijo<QLineEdit>(d, "edBook")->clear();
            Hijo<QCheckBox>(d, "ckbResultados")->setChecked(true);
            return static_cast<int>(QDialog::Accepted);
        });
        const QString panel = FPrincipal->TextoPanel(0);
        Disparar("FileExportarExcel");
        QCOMPARE(FExterna->Abiertos().size(), 1);
        const auto libro = CLectorLibros::Abrir(FExterna->Abiertos()[0].toStdString());
        QCOMPARE(libro->Hojas(), 4);
        QCOMPARE(QString::fromStdString(libro->Hoja(3).Nombre()), QStringLiteral("Resultados"));
        QCOMPARE(FPrincipal->TextoPanel(0), panel);
        std::filesystem::remove(FExterna->Abiertos()[0].toStdString());
    }

    void ExportarConNombreNoAbreNada() {
        const auto ruta = *FCarpeta / "plan";
        CDialogos::ProximaEjecucion([&](QDialog& d) {
            CDialogos::ProximoArchivo(Q(ruta));
            Hijo<QPushButton>(d, "btExaminar")->click();
            Hijo<QCheckBox>(d, "ckbPatrones")->setChecked(false);
            return static_cast<int>(QDialog::Accepted);
        });
        Disparar("FileExportarExcel");
        QVERIFY(FExterna->Abiertos().isEmpty());
        const auto libro = CLectorLibros::Abrir((*FCarpeta / "plan.xlsx").string());
        QCOMPARE(libro->Hojas(), 2);
    }
};

QTEST_MAIN(TFRMExcelTest)
#include "TFRMExcelTest.moc"
