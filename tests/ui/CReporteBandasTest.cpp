// The banded report's pages read back by pdftotext: the pattern detail shows what the
// pattern view shows, and a long listing breaks into pages whose rows follow on.

#include "reports/CReporteBandas.h"

#include "document/CLanzamiento.h"
#include "document/REntorno.h"
#include "document/ROpciones.h"
#include "support/RutasPrueba.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QProcess>
#include <QtTest>

#include <filesystem>
#include <fstream>

namespace {

// The text of a PDF of the report, page by page (pdftotext separates pages by form feeds).
QStringList Paginas(CReporteBandas& reporte, const rutas::CCarpetaTemporal& carpeta) {
    const auto ruta = carpeta / "r.pdf";
    {
        QPdfWriter pdf(QString::fromStdString(ruta.string()));
        pdf.setResolution(300);
        pdf.setPageLayout(reporte.Diseno());
        if (!reporte.Imprimir(pdf)) {
            return {};
        }
    }
    QProcess p;
    p.start(QStringLiteral("pdftotext"),
            {QStringLiteral("-raw"), QString::fromStdString(ruta.string()), QStringLiteral("-")});
    p.waitForFinished();
    QStringList paginas = QString::fromUtf8(p.readAllStandardOutput()).split('\f');
    paginas.removeLast();
    return paginas;
}

} // namespace

class CReporteBandasTest : public QObject {
    Q_OBJECT

private slots:
    // Pattern 1 of reportes.lan: P1 below (y 0..800), P2 at the top left, offcut S1 at the
    // top right; the detail of a view zoomed 2x into its top-left corner.
    void DetalleMuestraLaEsquinaDeLaVista() {
        rutas::CCarpetaTemporal carpeta;
        CLanzamiento job(rutas::DatosPrueba("reportes.lan").string(), ROpciones());
        const REntorno entorno = REntorno::PorDefecto(1280, 800, std::string());
        CReporteBandas entero(job, TReporte::Detalle, entorno, 1);
        const QString todo = Paginas(entero, carpeta).join(QString());
        QVERIFY2(todo.contains(QStringLiteral("P1")) && todo.contains(QStringLiteral("P2")) &&
                     todo.contains(QStringLiteral("S1")),
                 qPrintable(todo));

        CReporteBandas esquina(job, TReporte::Detalle, entorno, 1);
        esquina.FijarVista(QRect(0, 0, 400, 200), QRect(0, 0, 800, 400));
        const QStringList paginas = Paginas(esquina, carpeta);
        QCOMPARE(paginas.size(), 1);
        // The drawing is clipped to the corner, but a PDF keeps clipped text: pdftotext still
        // reads the labels outside it. The captions must be there all the same.
        QVERIFY(paginas[0].contains(QStringLiteral("Patrón # 1")));
        if (qEnvironmentVariableIsSet("TRAZAL_GUARDAR_PDF")) {
            std::filesystem::copy_file(carpeta / "r.pdf",
                                       qgetenv("TRAZAL_GUARDAR_PDF").toStdString(),
                                       std::filesystem::copy_options::overwrite_existing);
        }
    }

    // Forty patterns of coordinates: every row once, in order, across the pages, each page
    // with its header and "Página k de n".
    void ListadoLargoEnVariasPaginas() {
        rutas::CCarpetaTemporal carpeta;
        std::ifstream f(rutas::DatosPrueba("reportes.lan"));
        std::stringstream s;
        s << f.rdbuf();
        std::string texto = s.str();
        texto = texto.substr(0, texto.find("CantPatrones=")) + "CantPatrones=40\n";
        for (int k = 1; k <= 40; ++k) {
            texto += "Patron" + std::to_string(k) +
                     "=1;1;1;1;0;0;1;0;0;0;0;0(2440;1220;0;400;600;-1;6;2;\\def()())\n";
        }
        const auto ruta = carpeta / "cuarenta.lan";
        std::ofstream(ruta) << texto;
        CLanzamiento job(ruta.string(), ROpciones());
        CReporteBandas reporte(job, TReporte::Coordenadas, REntorno::PorDefecto(1280, 800, {}));
        const QStringList paginas = Paginas(reporte, carpeta);
        QVERIFY(paginas.size() > 2);
        QCOMPARE(paginas.size(), reporte.Paginas());
        int siguiente = 1;
        for (int k = 0; k < paginas.size(); ++k) {
            QVERIFY(paginas[k].contains(QStringLiteral("Listado de Coordenadas")));
            QVERIFY(paginas[k].contains(
                QStringLiteral("Página %1 de %2").arg(k + 1).arg(paginas.size())));
            for (int i = paginas[k].indexOf(QStringLiteral("Patrón %1:").arg(siguiente)); i >= 0;
                 i = paginas[k].indexOf(QStringLiteral("Patrón %1:").arg(siguiente))) {
                ++siguiente;
            }
        }
        QCOMPARE(siguiente, 41);
    }
};

QTEST_MAIN(CReporteBandasTest)
#include "CReporteBandasTest.moc"
