#include "ui/TFrmCalculo.h"
#include "PruebaVentana.h"

#include "document/CLanzamiento.h"
#include "document/ROpciones.h"
#include "document/UEntorno.h"
#include "engine/CCalculo.h"
#include "engine/CSolucion.h"
#include "patterns/CPatron.h"
#include "support/RutasPrueba.h"
#include "ui/CApagado.h"
#include "ui/CDialogos.h"
#include "ui/TDlgPromtPedido.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include <atomic>
#include <filesystem>
#include <memory>
#include <thread>

namespace {

std::string TextoSolucion(const CLanzamiento& job) {
    std::string texto;
    const CSolucion& s = job.Solucion();
    for (int k = 1; k <= s.Cantidad(); ++k) {
        if (const CPatron* p = s.Patron(k)) {
            texto += p->ATexto() + "|" + std::to_string(p->RepEntera(CSolucion::ModoFinal)) + "\n";
        }
    }
    return texto;
}

// The worker's call and the 60 ticks happen while nothing is started: the window only
// needs a job.
std::unique_ptr<CLanzamiento> Trabajo(const rutas::CCarpetaTemporal& carpeta,
                                      const std::string& ejemplo = "examples/cocina.lan") {
    const auto destino = carpeta / "trabajo.lan";
    std::filesystem::copy_file(rutas::Raiz(ejemplo), destino,
                               std::filesystem::copy_options::overwrite_existing);
    return std::make_unique<CLanzamiento>(destino.string(), OpcionesPorDefecto());
}

} // namespace

class TFrmCalculoTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        CApagado::FijarFuncion([this] { ++FApagados; });
    }
    void cleanup() {
        CApagado::FijarFuncion({});
        ApagarAlTerminar = false;
    }
    void TiempoDe65Minutos();
    void AvisoSeCierraSoloTras60Segundos();
    void CalculoCompletoGuardaYApaga();
    void CerrarEnCualquierMomentoCancela();
    void DestruirMientrasCalculaNoSeCuelga();

private:
    int FApagados = 0;
};

void TFrmCalculoTest::TiempoDe65Minutos() {
    rutas::CCarpetaTemporal carpeta;
    auto job = Trabajo(carpeta);
    QPointer<TFrmCalculo> frm = new TFrmCalculo(*job);
    frm->Preparar();
    frm->Timer1()->stop();
    auto* eti = frm->findChild<QLabel*>(QStringLiteral("EtiTiempo"));
    QCOMPARE(eti->text(), QStringLiteral("00:00:00"));
    for (int s = 0; s < 65 * 60; ++s) {
        frm->Timer1Timer();
    }
    QCOMPARE(eti->text(), QStringLiteral("01:05:00"));
    QCOMPARE(QString::fromStdString(frm->TiempoTranscurrido()), QStringLiteral("01:05:00"));
    frm->close();
    QTRY_VERIFY(frm.isNull());
}

void TFrmCalculoTest::AvisoSeCierraSoloTras60Segundos() {
    rutas::CCarpetaTemporal carpeta;
    auto job = Trabajo(carpeta);
    auto frm = std::make_unique<TFrmCalculo>(*job);
    frm->setAttribute(Qt::WA_DeleteOnClose, false);
    frm->Preparar();
    frm->Timer1()->stop();
    std::atomic<bool> volvio{false};
    std::thread trabajador([&] {
        frm->MostrarPedidoIncumplido("2,5");
        volvio = true;
    });
    QTRY_VERIFY(frm->Dialogo() != nullptr);
    TDlgPromtPedido* aviso = frm->Dialogo();
    Capturar(*aviso, QStringLiteral("TDlgPromtPedido"));
    QVERIFY(aviso->Memo1()->toPlainText().contains(QStringLiteral("siguientes: \n2,5\nDebido a:")));
    QCOMPARE(aviso->windowTitle(), QStringLiteral("No se cumplimentó el pedido para las piezas:"));
    for (int s = 59; s >= 1; --s) {
        frm->Timer1Timer();
        QCOMPARE(aviso->windowTitle(),
                 QStringLiteral("No se cumplimentó el pedido para las piezas:...%1").arg(s));
        QVERIFY(!volvio);
    }
    frm->Timer1Timer();
    QVERIFY(frm->Dialogo() == nullptr);
    trabajador.join();
    QVERIFY(volvio);
}

void TFrmCalculoTest::CalculoCompletoGuardaYApaga() {
    CDialogos::Prueba prueba;
    rutas::CCarpetaTemporal carpeta;
    auto job = Trabajo(carpeta);
    QVERIFY(job->Solucion().Cantidad() == 0);
    QPointer<TFrmCalculo> frm = new TFrmCalculo(*job);
    int guardados = 0;
    frm->FijarGuardar([&] { ++guardados; });
    int cambios = 0;
    connect(frm, &TFrmCalculo::SolucionCambiada, this, [&] { ++cambios; });
    frm->Preparar();
    auto* materiales = frm->findChild<QTreeWidget*>(QStringLiteral("lwMateriales"));
    QCOMPARE(materiales->topLevelItemCount(), job->CantidadMateriales());
    // "Apagar" ticks "Guardar"; unticked again, "Guardar" stays.
    auto* guardar = frm->findChild<QCheckBox*>(QStringLiteral("cbGuardar"));
    auto* apagar = frm->findChild<QCheckBox*>(QStringLiteral("cbApagar"));
    apagar->click();
    QVERIFY(guardar->isChecked());
    apagar->click();
    QVERIFY(!apagar->isChecked());
    QVERIFY(guardar->isChecked());
    apagar->click();
    frm->Iniciar();
    auto* boton = frm->findChild<QPushButton*>(QStringLiteral("Button1"));
    QTRY_COMPARE_WITH_TIMEOUT(boton->text(), QStringLiteral("Cerrar"), 120000);
    Capturar(*frm, QStringLiteral("TFrmCalculo"));
    QCOMPARE(frm->windowTitle(), QStringLiteral("Calculo Completado"));
    QVERIFY(!frm->findChild<QPushButton*>(QStringLiteral("btForzar"))->isEnabled());
    QVERIFY(!materiales->topLevelItem(0)->text(2).isEmpty());
    // Every stage has its row, the improvement after the completion included, and ends done.
    auto* fases = frm->findChild<QTreeWidget*>(QStringLiteral("lwSolucion"));
    QCOMPARE(fases->topLevelItemCount(), 4);
    QCOMPARE(fases->topLevelItem(3)->text(0), QStringLiteral("Mejora"));
    QVERIFY(!fases->topLevelItem(3)->text(3).isEmpty());
    QCOMPARE(fases->topLevelItem(3)->checkState(0), Qt::Unchecked);
    QVERIFY(job->Solucion().Cantidad() > 0);
    QVERIFY(!job->Guardado());
    QCOMPARE(cambios, 1);
    QCOMPARE(guardados, 1);
    QVERIFY(ApagarAlTerminar.load());
    QCOMPARE(FApagados, 1);
    QCOMPARE(job->Calculo(), static_cast<CControlCalculo*>(frm->Calculo()));
    boton->click();
    QTRY_VERIFY(frm.isNull());
    QVERIFY(job->Calculo() == nullptr);
    QCOMPARE(CCalculo::CalculosActivos(), 0);
}

// Closing the window is how a calculation is cancelled: at any moment it ends the run, the
// window goes away and the job keeps the solution it had.
void TFrmCalculoTest::CerrarEnCualquierMomentoCancela() {
    CDialogos::Prueba prueba;
    rutas::CCarpetaTemporal carpeta;
    auto job = Trabajo(carpeta, "tests/data/con-patrones.lan");
    std::string antes = TextoSolucion(*job);
    QVERIFY(!antes.empty());
    auto* azar = QRandomGenerator::global();
    int cancelados = 0;
    for (int vez = 0; vez < 20; ++vez) {
        QPointer<TFrmCalculo> frm = new TFrmCalculo(*job);
        bool cancelado = false;
        connect(frm, &TFrmCalculo::CalculoAcabado, this, [&] {
            cancelado = frm->Calculo()->Cancelado.load() && !frm->Calculo()->MensajeError().empty();
        });
        frm->Preparar();
        frm->Iniciar();
        QTest::qWait(static_cast<int>(azar->bounded(400)));
        frm->close();
        QTRY_VERIFY_WITH_TIMEOUT(frm.isNull(), 60000);
        QVERIFY(job->Calculo() == nullptr);
        QCOMPARE(CCalculo::CalculosActivos(), 0);
        if (cancelado) {
            ++cancelados;
            QCOMPARE(TextoSolucion(*job), antes);
        } else {
            antes = TextoSolucion(*job);
        }
    }
    QVERIFY(cancelados > 0);
}

void TFrmCalculoTest::DestruirMientrasCalculaNoSeCuelga() {
    CDialogos::Prueba prueba;
    rutas::CCarpetaTemporal carpeta;
    auto job = Trabajo(carpeta);
    const std::string antes = TextoSolucion(*job);
    for (int espera : {0, 5, 50, 300}) {
        auto frm = std::make_unique<TFrmCalculo>(*job);
        frm->Preparar();
        frm->Iniciar();
        QTest::qWait(espera);
        frm.reset();
        QVERIFY(job->Calculo() == nullptr);
        QCOMPARE(TextoSolucion(*job), antes);
    }
    QCOMPARE(CCalculo::CalculosActivos(), 0);
}

QTEST_MAIN(TFrmCalculoTest)
#include "TFrmCalculoTest.moc"
