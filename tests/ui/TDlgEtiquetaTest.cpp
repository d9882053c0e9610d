// The label dialogs driven as a user would: the designer's buttons rewrite the memo and its
// preview follows the typing; "&Editar etiqueta..." on a node goes through the undo stack;
// the generator composes its parts without touching the job; the options dialog's label page
// loads, saves and generates formats.

#include "ui/TDlgEtiqueta.h"
#include "PruebaVentana.h"

#include "document/CLanzamiento.h"
#include "document/UEntorno.h"
#include "engine/CAjuste.h"
#include "engine/CSolucion.h"
#include "patterns/CCorte.h"
#include "patterns/CPatron.h"
#include "support/RutasPrueba.h"
#include "ui/CDialogos.h"
#include "ui/TDLGGenerarEti.h"
#include "ui/TDLGParametrosEti.h"
#include "ui/TDlgOpciones.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <memory>

namespace {

QString Memo(QWidget& w) {
    return Hijo<QPlainTextEdit>(w, "meEti")->toPlainText();
}

std::unique_ptr<CLanzamiento> Trabajo(const rutas::CCarpetaTemporal& carpeta) {
    const auto destino = carpeta / "trabajo.lan";
    std::filesystem::copy_file(rutas::DatosPrueba("con-patrones.lan"), destino,
                               std::filesystem::copy_options::overwrite_existing);
    return std::make_unique<CLanzamiento>(destino.string(), OpcionesPorDefecto());
}

} // namespace

class TDlgEtiquetaTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CDialogos::Prueba> FSeam;
    std::unique_ptr<TDLGParametrosEti> FParametros;
    std::unique_ptr<TDlgEtiqueta> FEtiqueta;

private slots:
    void initTestCase() {
        // The drawing colours of the environment.
        InicializarGlobales(QCoreApplication::applicationFilePath().toStdString(), 1280, 800,
                            nullptr);
    }
    void init() {
        FSeam = std::make_unique<CDialogos::Prueba>();
        FParametros = std::make_unique<TDLGParametrosEti>();
        FEtiqueta = std::make_unique<TDlgEtiqueta>(*FParametros);
    }
    void cleanup() {
        FEtiqueta.reset();
        FParametros.reset();
        FSeam.reset();
    }

    void BotonesReescribenElMemo() {
        TDlgEtiqueta& d = *FEtiqueta;
        d.CargarFormato("\\vcen\\hcenP#P");
        d.MostrarFormato("\\vcen\\hcenP#P");
        QVERIFY(Hijo<QRadioButton>(d, "rbBit5")->isChecked());
        QVERIFY(Hijo<QRadioButton>(d, "rbBit4")->isChecked());
        Hijo<QRadioButton>(d, "rbBit2")->click();
        Hijo<QRadioButton>(d, "rbBit3")->click();
        QCOMPARE(Memo(d), QStringLiteral("P#P\\rig\\vcen\\vin\\hin"));
        Hijo<QCheckBox>(d, "ckbRecortar")->click();
        QVERIFY(Memo(d).endsWith(QStringLiteral("\\clipoff")));
        d.ElegirFuente = [](QWidget*, const RFuente&) {
            return std::optional<RFuente>(RFuente{"Courier", 11, true, false});
        };
        Hijo<QPushButton>(d, "btFont")->click();
        QVERIFY(Memo(d).endsWith(QStringLiteral("\\fontCourier,11,bold\\endfont")));
        QCOMPARE(Hijo<QPlainTextEdit>(d, "meVista")->font().pointSize(), 11);
        // The parameter list inserts the checked variables at the caret.
        Hijo<QPlainTextEdit>(d, "meEti")->moveCursor(QTextCursor::Start);
        CDialogos::ProximaEjecucion([](QDialog& p) {
            auto* lista = Hijo<QListWidget>(p, "clbParametros");
            lista->item(1)->setCheckState(Qt::Checked);
            lista->item(18)->setCheckState(Qt::Checked);
            return int(QDialog::Accepted);
        });
        Hijo<QPushButton>(d, "btParametros")->click();
        QVERIFY(Memo(d).startsWith(QStringLiteral("#SL #OFF P#P")));
        // "(" typed in the memo is stored as "\1".
        Hijo<QPlainTextEdit>(d, "meEti")->setPlainText(QStringLiteral("(a;b)\nc"));
        QCOMPARE(d.FormatoDeMemo(), std::string("\\1a\\3b\\2\\n\\retc"));
    }

    void RestaurarYEliminarCierranConOK_data() {
        QTest::addColumn<QString>("boton");
        QTest::addColumn<QString>("formato");
        QTest::newRow("restaurar") << "btRestaurar"
                                   << "\\def";
        QTest::newRow("eliminar") << "btEliminar"
                                  << "";
    }
    void RestaurarYEliminarCierranConOK() {
        QFETCH(QString, boton);
        QFETCH(QString, formato);
        rutas::CCarpetaTemporal carpeta;
        auto job = Trabajo(carpeta);
        CAjuste ajuste(*job);
        CPatron& P = *job->Solucion().Patron(1);
        CCorte& hoja = *P.Raiz()->Hijo1();
        hoja.SetEtiqueta("X#P");
        CDialogos::ProximaEjecucion([boton](QDialog& d) {
            Hijo<QPushButton>(d, boton)->click();
            return d.result();
        });
        QVERIFY(FEtiqueta->EditarNodo(ajuste, P, hoja));
        QCOMPARE(QString::fromStdString(hoja.Etiqueta()), formato);
        QCOMPARE(ajuste.Entradas(), std::size_t{1});
    }

    // On a cut "Pr&opagar formato" gives the format to every node below; on a leaf it is
    // not offered. The preview shows the edited node's label while typing.
    void EditarNodoPropagaYSeDeshace() {
        rutas::CCarpetaTemporal carpeta;
        auto job = Trabajo(carpeta);
        CAjuste ajuste(*job);
        CPatron& P = *job->Solucion().Patron(1);
        const std::string antes = P.ATexto();
        CCorte& raiz = *P.Raiz();
        QVERIFY(raiz.Dir() != 0);
        CDialogos::ProximaEjecucion([](QDialog& d) {
            auto* propagar = Hijo<QCheckBox>(d, "ckbPropagar");
            if (!propagar->isEnabled()) {
                return int(QDialog::Rejected);
            }
            Hijo<QPlainTextEdit>(d, "meEti")->setPlainText(QStringLiteral("\\topD#DIR"));
            if (Hijo<QPlainTextEdit>(d, "meVista")->toPlainText() != QStringLiteral("D1") &&
                Hijo<QPlainTextEdit>(d, "meVista")->toPlainText() != QStringLiteral("D-1")) {
                return int(QDialog::Rejected);
            }
            propagar->setChecked(true);
            return int(QDialog::Accepted);
        });
        QVERIFY(FEtiqueta->EditarNodo(ajuste, P, raiz));
        std::vector<const CCorte*> pila{P.Raiz()};
        int nodos = 0;
        while (!pila.empty()) {
            const CCorte* n = pila.back();
            pila.pop_back();
            QCOMPARE(QString::fromStdString(n->Etiqueta()), QStringLiteral("\\topD#DIR"));
            ++nodos;
            for (const CCorte* h : {n->Hijo1(), n->Hijo2()}) {
                if (h != nullptr) {
                    pila.push_back(h);
                }
            }
        }
        QVERIFY(nodos > 2);
        if (const QString capturas = qEnvironmentVariable("TRAZAL_CAPTURAS"); !capturas.isEmpty()) {
            FEtiqueta->CargarFormato(raiz.Etiqueta());
            FEtiqueta->MostrarFormato(raiz.Etiqueta());
            FEtiqueta->FijarNodo(&P, P.Raiz()->Hijo1());
            FEtiqueta->grab().save(capturas + QStringLiteral("/TDlgEtiqueta.png"));
            FEtiqueta->FijarNodo(nullptr, nullptr);
        }
        QVERIFY(job->Solucion().Patron(1)->ATexto() != antes);
        ajuste.Deshacer();
        QCOMPARE(job->Solucion().Patron(1)->ATexto(), antes);

        // A leaf: no propagation offered; Cancel changes nothing.
        CPatron& Q = *job->Solucion().Patron(1);
        CCorte* hoja = Q.Raiz();
        while (hoja->Dir() != 0) {
            hoja = hoja->Hijo1();
        }
        CDialogos::ProximaEjecucion([](QDialog& d) {
            return Hijo<QCheckBox>(d, "ckbPropagar")->isEnabled() ? int(QDialog::Accepted)
                                                                  : int(QDialog::Rejected);
        });
        QVERIFY(!FEtiqueta->EditarNodo(ajuste, Q, *hoja));
        QCOMPARE(ajuste.Entradas(), std::size_t{0});
    }

    // The generator changes only its own parts: the job's options stay as they were, also
    // after OK.
    void GeneradorNoTocaElLanzamiento() {
        rutas::CCarpetaTemporal carpeta;
        auto job = Trabajo(carpeta);
        const ROpciones antes = job->Opciones();
        TDLGGenerarEti g(*FEtiqueta);
        g.Cargar(*job, {"P#P", "S#OFF", "V", "H"});
        Hijo<QComboBox>(g, "cbTipo")->setCurrentIndex(1);
        CDialogos::ProximaEjecucion([](QDialog& d) {
            if (Hijo<QCheckBox>(d, "ckbPropagar")->isEnabled()) {
                return int(QDialog::Rejected);
            }
            Hijo<QPlainTextEdit>(d, "meEti")->setPlainText(QStringLiteral("Sob(#OFF)"));
            return int(QDialog::Accepted);
        });
        Hijo<QPushButton>(g, "btConfigurar")->click();
        g.resize(500, 400);
        QVERIFY(!g.grab().isNull());
        Capturar(g, QStringLiteral("TDLGGenerarEti"));
        Capturar(*FParametros, QStringLiteral("TDLGParametrosEti"));
        g.accept();
        QCOMPARE(g.Partes()[1], std::string("Sob\\1#OFF\\2"));
        QVERIFY(
            QString::fromStdString(g.TextoMemo()).contains(QStringLiteral("\nSob\\1#OFF\\2\n")));
        QCOMPARE(job->Opciones().FormatoEti, antes.FormatoEti);
        QCOMPARE(job->Opciones().EtiSobrante, antes.EtiSobrante);
        QCOMPARE(job->Opciones().LargoMinimoSobrante, antes.LargoMinimoSobrante);
    }

    // The options dialog: "Generar..." fills the memo and the four parts; "Guardar..." and
    // "Cargar..." give back the same common format; a damaged file is refused with a message
    // and leaves the memo alone.
    void PaginaEtiquetasDeLasOpciones() {
        rutas::CCarpetaTemporal carpeta;
        auto job = Trabajo(carpeta);
        TDLGGenerarEti generador(*FEtiqueta);
        TDlgOpciones dlg;
        dlg.FijarGenerador(&generador);
        RVentanaOpciones v;
        v.Lanzamiento = job.get();
        CGrilla piezas(1, 7);
        CGrilla materiales(1, 7);
        job->LeerPiezas(piezas);
        job->LeerMateriales(materiales);
        v.Piezas = &piezas;
        v.Materiales = &materiales;
        dlg.Cargar(v);
        auto* memo = Hijo<QPlainTextEdit>(dlg, "meFormatoEti");

        CDialogos::ProximaEjecucion([](QDialog& d) {
            d.accept();
            return d.result();
        });
        Hijo<QPushButton>(dlg, "btGenerar")->click();
        QVERIFY(memo->toPlainText().startsWith(QStringLiteral("\\if#DIR=0\\then\n  \\if#P<>0")));
        const QString generado = memo->toPlainText();

        const QString archivo = QString::fromStdString((carpeta / "g.fmt").string());
        CDialogos::ProximoArchivo(archivo);
        Hijo<QPushButton>(dlg, "btGuardar")->click();
        memo->setPlainText(QStringLiteral("otra cosa"));
        CDialogos::ProximoArchivo(archivo);
        Hijo<QPushButton>(dlg, "btCargar")->click();
        QCOMPARE(memo->toPlainText(), generado);

        const auto danado = carpeta / "danado.fmt";
        std::ofstream(danado, std::ios::binary) << std::string("\\top\0\1\2", 7);
        CDialogos::OlvidarMostrados();
        CDialogos::ProximoArchivo(QString::fromStdString(danado.string()));
        Hijo<QPushButton>(dlg, "btCargar")->click();
        QCOMPARE(CDialogos::Mostrados().back().Tipo, RDialogoMostrado::Aviso);
        QVERIFY(CDialogos::Mostrados().back().Texto.contains(QStringLiteral("no es un formato")));
        QCOMPARE(memo->toPlainText(), generado);

        dlg.OKBtnClick();
        QCOMPARE(job->Opciones().FormatoEtiPieza, FormatoEtiPiezaPorDefecto());
        QVERIFY(job->Opciones().FormatoEti.find("\\if#P<>0 \\then\\ret") != std::string::npos);
    }
};

QTEST_MAIN(TDlgEtiquetaTest)
#include "TDlgEtiquetaTest.moc"
