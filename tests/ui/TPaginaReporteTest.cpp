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
#include "ui/TDlgConfigurarPagina.h"
#include "ui/TMDIChild.h"
#include "ui/TPaginaReporte.h"
#include "ui/TPaginaReporteVista.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QScrollBar>
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
    // reportes.lan with n patterns used once (cards 2 x 3: six a page).
    TMDIChild* AbrirSiete(int n = 7) {
        std::ifstream f(rutas::DatosPrueba("reportes.lan"));
        std::stringstream s;
        s << f.rdbuf();
        std::string texto = s.str();
        texto = texto.substr(0, texto.find("CantPatrones=")) + "CantPatrones=" + std::to_string(n) +
                "\n";
        for (int k = 1; k <= n; ++k) {
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
        auto* vista = h->findChild<TPaginaReporteVista*>(QStringLiteral("QRPreview1"));
        QVERIFY(vista != nullptr);
        const int alto = vista->viewport()->height();
        Disparar("ZoomAncho");
        QCOMPARE(vista->ModoZoom(), TPaginaReporteVista::AjustarAncho);
        Disparar("CicloZoom");
        QCOMPARE(vista->ModoZoom(), TPaginaReporteVista::Factor);
        QCOMPARE(vista->FactorZoom(), 1.0);
        Disparar("CicloZoom");
        QCOMPARE(vista->ModoZoom(), TPaginaReporteVista::AjustarPagina);
        // The whole page in view: nothing to scroll.
        QCOMPARE(vista->verticalScrollBar()->maximum(), 0);
        QCOMPARE(vista->viewport()->height(), alto);
    }

    // A report of 30 pages: only the pages in view are painted, once each while they stay
    // among the last painted; the keys page the preview and the status panel follows.
    void VistaPreviaPintaSoloLoVisible() {
        TMDIChild* h = AbrirSiete(180);
        Disparar("ReportePatrones");
        auto* vista = h->findChild<TPaginaReporteVista*>(QStringLiteral("QRPreview1"));
        QVERIFY(vista != nullptr);
        QCOMPARE(vista->Paginas(), 30);
        QCOMPARE(FPrincipal->TextoPanel(2), QStringLiteral(" pag 1 de 30"));
        vista->viewport()->grab();
        const long long alAbrir = vista->PaginasPintadas();
        QVERIFY(alAbrir >= 1 && alAbrir <= 2);
        vista->setFocus();
        QTest::keyClick(vista, Qt::Key_End);
        QCOMPARE(vista->PaginaActual(), 30);
        QCOMPARE(FPrincipal->TextoPanel(2), QStringLiteral(" pag 30 de 30"));
        vista->viewport()->grab();
        QVERIFY(vista->PaginasPintadas() <= alAbrir + 2);
        const struct {
            Qt::Key tecla;
            Qt::KeyboardModifiers mod;
            int pagina;
        } pasos[] = {{Qt::Key_PageUp, Qt::NoModifier, 29},   {Qt::Key_Up, Qt::NoModifier, 28},
                     {Qt::Key_Left, Qt::NoModifier, 27},     {Qt::Key_Home, Qt::NoModifier, 1},
                     {Qt::Key_Left, Qt::NoModifier, 1},      {Qt::Key_PageDown, Qt::NoModifier, 2},
                     {Qt::Key_Down, Qt::NoModifier, 3},      {Qt::Key_Right, Qt::NoModifier, 4},
                     {Qt::Key_End, Qt::ControlModifier, 30}, {Qt::Key_Right, Qt::NoModifier, 30},
                     {Qt::Key_Home, Qt::ControlModifier, 1}};
        for (const auto& p : pasos) {
            QTest::keyClick(vista, p.tecla, p.mod);
            QCOMPARE(vista->PaginaActual(), p.pagina);
        }
        // Page 1 again: still among the painted ones.
        const long long antes = vista->PaginasPintadas();
        vista->viewport()->grab();
        QCOMPARE(vista->PaginasPintadas(), antes);
        // Scrolling with the bar moves the current page too.
        vista->verticalScrollBar()->setValue(vista->verticalScrollBar()->maximum());
        QCOMPARE(vista->PaginaActual(), 30);
        QCOMPARE(FPrincipal->TextoPanel(2), QStringLiteral(" pag 30 de 30"));
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
        const auto elegir = [](const QString& papel, bool vertical, int bandeja, double ancho,
                               double largo) {
            CDialogos::ProximaEjecucion([=](QDialog& d) {
                auto& dlg = dynamic_cast<TDlgConfigurarPagina&>(d);
                auto* cbPapel = dlg.findChild<QComboBox*>(QStringLiteral("cbPapel"));
                cbPapel->setCurrentIndex(cbPapel->findText(papel));
                dlg.findChild<QRadioButton*>(vertical ? QStringLiteral("rbVertical")
                                                      : QStringLiteral("rbHorizontal"))
                    ->setChecked(true);
                dlg.findChild<QComboBox*>(QStringLiteral("cbBandeja"))->setCurrentIndex(bandeja);
                if (ancho > 0) {
                    dlg.findChild<QDoubleSpinBox*>(QStringLiteral("edAncho"))->setValue(ancho);
                    dlg.findChild<QDoubleSpinBox*>(QStringLiteral("edLargo"))->setValue(largo);
                }
                return int(QDialog::Accepted);
            });
        };
        elegir(QStringLiteral("A3"), true, 2, 0, 0);
        Disparar("FileConfigurarPagina");
        const ROpciones& o = h->Lanzamiento().Opciones();
        QCOMPARE(o.PaperSize, 8);
        QCOMPARE(o.PaperOrientation, 0);
        QCOMPARE(o.OutputBin, 2);
        QVERIFY(!h->Lanzamiento().Guardado());
        QCOMPARE(h->PaginaReporte().Reporte()->Diseno().pageSize().id(), QPageSize::A3);
        QCOMPARE(CDialogos::Mostrados().back().Texto, QStringLiteral("TDlgConfigurarPagina"));

        elegir(QStringLiteral("Personalizado"), false, 7, 300, 500);
        Disparar("FileConfigurarPagina");
        QCOMPARE(o.PaperSize, 27);
        QCOMPARE(o.PaperWidth, 300.0);
        QCOMPARE(o.PaperLength, 500.0);
        QCOMPARE(o.PaperOrientation, 1);
        const QSizeF mm =
            h->PaginaReporte().Reporte()->Diseno().fullRect(QPageLayout::Millimeter).size();
        QCOMPARE(mm, QSizeF(500, 300));

        // Cancelled: nothing changes.
        CDialogos::ProximaEjecucion([](QDialog& d) {
            d.findChild<QComboBox*>(QStringLiteral("cbPapel"))->setCurrentIndex(1);
            return int(QDialog::Rejected);
        });
        Disparar("FileConfigurarPagina");
        QCOMPARE(o.PaperSize, 27);
    }
};

QTEST_MAIN(TPaginaReporteTest)
#include "TPaginaReporteTest.moc"
