#include "ui/CDialogos.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

class CDialogosTest : public QObject {
    Q_OBJECT

private slots:
    void RespuestasEnCola();
    void CancelarSinBotonEsNo();
    void CajaRealConSusBotones_data();
    void CajaRealConSusBotones();
    void FiltroQt();
};

void CDialogosTest::RespuestasEnCola() {
    CDialogos::Prueba prueba;
    CDialogos::ProximaRespuesta(CDialogos::Si);
    QCOMPARE(CDialogos::Preguntar(QStringLiteral("¿Uno?"), CDialogos::No), CDialogos::Si);
    // An empty queue answers the default.
    QCOMPARE(CDialogos::Preguntar(QStringLiteral("¿Dos?"), CDialogos::Cancelar, true),
             CDialogos::Cancelar);
    CDialogos::Avisar(std::string("Tres"));
    QCOMPARE(CDialogos::AbrirArchivo(nullptr, QStringLiteral("/tmp"), QString(), QString()),
             QString());
    const auto& m = CDialogos::Mostrados();
    QCOMPARE(m.size(), std::size_t{4});
    QCOMPARE(m[0].Texto, QStringLiteral("¿Uno?"));
    QCOMPARE(m[1].ConCancelar, true);
    QCOMPARE(m[1].Predeterminado, CDialogos::Cancelar);
    QCOMPARE(m[2].Tipo, RDialogoMostrado::Aviso);
    QCOMPARE(m[3].Tipo, RDialogoMostrado::Abrir);
}

void CDialogosTest::CancelarSinBotonEsNo() {
    CDialogos::Prueba prueba;
    CDialogos::ProximaRespuesta(CDialogos::Cancelar);
    QCOMPARE(CDialogos::Preguntar(QStringLiteral("¿Seguro?"), CDialogos::Si), CDialogos::No);
}

void CDialogosTest::CajaRealConSusBotones_data() {
    QTest::addColumn<bool>("conCancelar");
    QTest::addColumn<int>("predeterminado");
    QTest::addColumn<QStringList>("botones");
    QTest::addColumn<QString>("enfocado");
    QTest::newRow("si-no") << false << CDialogos::No
                           << QStringList{QStringLiteral("&Sí"), QStringLiteral("&No")}
                           << QStringLiteral("&No");
    QTest::newRow("con cancelar") << true << CDialogos::Cancelar
                                  << QStringList{QStringLiteral("&Sí"), QStringLiteral("&No"),
                                                 QStringLiteral("&Cancelar")}
                                  << QStringLiteral("&Cancelar");
    QTest::newRow("aviso") << false << 0 << QStringList{QStringLiteral("&Aceptar")}
                           << QStringLiteral("&Aceptar");
}

// The real box, pressed by a timer: the buttons and the default the user sees.
void CDialogosTest::CajaRealConSusBotones() {
    QFETCH(bool, conCancelar);
    QFETCH(int, predeterminado);
    QFETCH(QStringList, botones);
    QFETCH(QString, enfocado);
    QStringList vistos;
    QString porDefecto;
    QString titulo;
    QTimer::singleShot(0, [&] {
        auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(caja != nullptr);
        titulo = caja->windowTitle();
        for (QAbstractButton* b : caja->buttons()) {
            vistos << b->text();
        }
        porDefecto = caja->defaultButton()->text();
        caja->defaultButton()->click();
    });
    if (predeterminado == 0) {
        CDialogos::Avisar(QStringLiteral("Aviso"));
    } else {
        const int r =
            CDialogos::Preguntar(QStringLiteral("¿Pregunta?"), predeterminado, conCancelar);
        QCOMPARE(r, predeterminado);
    }
    vistos.sort();
    botones.sort();
    QCOMPARE(vistos, botones);
    QCOMPARE(porDefecto, enfocado);
    QCOMPARE(titulo, QStringLiteral("Trazal 4"));
}

void CDialogosTest::FiltroQt() {
    QCOMPARE(CDialogos::FiltroQt(QStringLiteral("Archivos CSV (*.csv)|*.csv|Archivos de Texto "
                                                "(*.txt)|*.txt|")),
             QStringLiteral("Archivos CSV (*.csv);;Archivos de Texto (*.txt)"));
}

QTEST_MAIN(CDialogosTest)
#include "CDialogosTest.moc"
