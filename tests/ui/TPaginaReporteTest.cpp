// The report page of a job window and the report commands of the main window, driven by
// action name with the dialogs answered through the dialog seam.

#include "PruebaVentana.h"
#include "ui/TMainForm.h"

#include "document/CLanzamiento.h"
#include "document/UEntorno.h"
#include "engine/CExportacionReporte.h"
#include "engine/CFilasReporte.h"
#include "reports/CReporteBandas.h"
#include "support/RutasPrueba.h"
#include "ui/CDialogos.h"
#include "ui/TMDIChild.h"
#include "ui/TPaginaReporte.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

namespace {

QByteArray Leer(const QString& archivo) {
    QFile f(archivo);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TPaginaReporteTest : public CPruebaVentana {
    Q_OBJECT

private:
    // reportes.lan with seven patterns used once (cards 2 x 3: two pages).
    TMDIChild* AbrirSiete() {
        std::ifstream f(rutas::DatosPrueba("reportes.lan"));
        std::stringstream s;
        s << f.rdbuf();
        std::string texto = s.str();
        texto = texto.substr(0, texto.find("CantPatrones=")) + "CantPatrones=7\n";
        for (int k = 1; k <= 7; ++k) {
            texto += "Patron" + std::to_string(k) +
                     "=1;1;1;1;0;0;1;0;0;0;0;0(2440;1220;0;400;600;-1;6;2;\\def()())\n";
        }
        const auto ruta = *FCarpeta / "siete.lan";
        std::ofstream(ruta) << texto;
        return FPrincipal->AbrirLanzamiento(Q(ruta));
    }

private slots:
    void initTestCase() { PrepararPrograma(); }
    void init() { AbrirPrincipal(); }
    void cleanup() { CerrarPrincipal(); }

    void SeisReportesEnLaPagina4_data() {
        QTest::addColumn<QString>("accion");
        QTest::addColumn<int>("tipo");
        QTest::addColumn<int>("paginas");
        QTest::newRow("patrones") << "ReportePatrones" << 0 << 2;
        QTest::newRow("datos") << "ReporteDatos" << 1 << 1;
        QTest::newRow("sobrantes") << "ReporteSobrantes" << 2 << 1;
        QTest::newRow("parametros") << "ReporteParametros" << 3 << 1;
        QTest::newRow("coordenadas") << "ReporteCoordenadas" << 4 << 2;
        QTest::newRow("detalle") << "ReporteDetalle" << 5 << 1;
    }
    void SeisReportesEnLaPagina4() {
        QFETCH(QString, accion);
        QFETCH(int, tipo);
        QFETCH(int, paginas);
        TMDIChild* h = AbrirSiete();
        QVERIFY(h != nullptr);
        QVERIFY(!Habilitada("FileImprimir1"));
        Disparar(accion.toUtf8().constData());
        TPaginaReporte& r = h->PaginaReporte();
        QVERIFY(r.Generado());
        QCOMPARE(static_cast<int>(r.Tipo()), tipo);
        QCOMPARE(h->PaginaActual(), 4);
        QCOMPARE(r.Paginas(), paginas);
        QCOMPARE(FPrincipal->TextoPanel(2), QStringLiteral(" pag 1 de %1").arg(paginas));
        QVERIFY(Habilitada("FileImprimir1"));
        QVERIFY(Habilitada("CicloZoom"));
        if (paginas > 1) {
            Disparar("EditUltimo");
            QCOMPARE(r.PaginaActual(), paginas);
            QCOMPARE(FPrincipal->TextoPanel(2), QStringLiteral(" pag %1 de %1").arg(paginas));
            QVERIFY(!Habilitada("EditSiguiente"));
            Disparar("EditAnterior");
            QCOMPARE(r.PaginaActual(), paginas - 1);
        }
        Disparar("CerrarReporte");
        QVERIFY(!r.Generado());
        QVERIFY(!Habilitada("FileImprimir1"));
    }

    void ZoomsDelReporte() {
        TMDIChild* h = AbrirSiete();
        Disparar("ReporteDatos");
        auto* vista = h->findChild<QPrintPreviewWidget*>(QStringLiteral("QRPreview1"));
        QVERIFY(vista != nullptr);
        Disparar("ZoomAncho");
        QCOMPARE(vista->zoomMode(), QPrintPreviewWidget::FitToWidth);
        Disparar("CicloZoom");
        QCOMPARE(vista->zoomMode(), QPrintPreviewWidget::CustomZoom);
        QCOMPARE(vista->zoomFactor(), 1.0);
        Disparar("CicloZoom");
        QCOMPARE(vista->zoomMode(), QPrintPreviewWidget::FitInView);
    }

    void ExportarTextoCsvYPdf() {
        TMDIChild* h = AbrirSiete();
        Disparar("ReporteParametros");
        const QString csv = Q(*FCarpeta / "p.csv");
        CDialogos::ProximoArchivo(csv);
        Disparar("ExportarReporte");
        CFilasReporte filas(h->Lanzamiento(), TReporte::Parametros);
        std::ostringstream esperado;
        CExportacionReporte::Csv(filas, esperado);
        QCOMPARE(Leer(csv).toStdString(), esperado.str());
        QCOMPARE(CDialogos::Mostrados().back().Filtro,
                 QStringLiteral("Archivos CSV (*.csv)|*.csv|Archivos de Texto (*.txt)|*.txt|"
                                "Documentos PDF (*.pdf)|*.pdf"));
        const QString txt = Q(*FCarpeta / "p.txt");
        CDialogos::ProximoArchivo(txt);
        Disparar("ExportarReporte");
        QVERIFY(Leer(txt).startsWith("Parámetros del Corte\n"));
        const QString pdf = Q(*FCarpeta / "p.pdf");
        CDialogos::ProximoArchivo(pdf);
        Disparar("ExportarReporte");
        QVERIFY(Leer(pdf).startsWith("%PDF"));
        // A folder that does not exist: the error is shown and nothing is written.
        const QString malo = Q(*FCarpeta / "no" / "hay.csv");
        CDialogos::ProximoArchivo(malo);
        Disparar("ExportarReporte");
        QCOMPARE(CDialogos::Mostrados().back().Tipo, RDialogoMostrado::Aviso);
        QVERIFY(!QFile::exists(malo));
    }

    void ImprimirAUnArchivo() {
        TMDIChild* h = AbrirSiete();
        Disparar("ReportePatrones");
        const QString salida = Q(*FCarpeta / "impreso.pdf");
        CDialogos::ProximaEjecucion([&](QDialog& d) {
            QPrinter* impresora = static_cast<QPrintDialog&>(d).printer();
            impresora->setOutputFormat(QPrinter::PdfFormat);
            impresora->setOutputFileName(salida);
            return int(QDialog::Accepted);
        });
        const QString antes = FPrincipal->TextoPanel(0);
        Disparar("FileImprimir1");
        QVERIFY(Leer(salida).startsWith("%PDF"));
        QCOMPARE(FPrincipal->TextoPanel(0), antes);
        QVERIFY(h->PaginaReporte().Generado());
    }

    void ConfigurarPaginaGuardaLosAjustes() {
        TMDIChild* h = AbrirSiete();
        Disparar("ReportePatrones");
        CDialogos::ProximaEjecucion([](QDialog& d) {
            QPrinter* impresora = static_cast<QPageSetupDialog&>(d).printer();
            impresora->setPageSize(QPageSize(QPageSize::A3));
            impresora->setPageOrientation(QPageLayout::Portrait);
            return int(QDialog::Accepted);
        });
        Disparar("FileConfigurarPagina");
        QCOMPARE(h->Lanzamiento().Opciones().PaperSize, 8);
        QCOMPARE(h->Lanzamiento().Opciones().PaperOrientation, 0);
        QVERIFY(!h->Lanzamiento().Guardado());
        QCOMPARE(h->PaginaReporte().Reporte()->Diseno().pageSize().id(), QPageSize::A3);
    }
};

QTEST_MAIN(TPaginaReporteTest)
#include "TPaginaReporteTest.moc"
