#include "ui/TDlgOpciones.h"
#include "PruebaVentana.h"

#include "document/CGrilla.h"
#include "document/CLanzamiento.h"
#include "document/ROpciones.h"
#include "document/UEntorno.h"
#include "support/RutasPrueba.h"
#include "ui/CDialogos.h"
#include "ui/CPaginaQt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <memory>

namespace {

// A job window stand-in: the job, its two grids and the hooks the dialog calls.
struct RVentanaPrueba {
    std::unique_ptr<CLanzamiento> Job;
    CGrilla Piezas;
    CGrilla Materiales;
    int Reinicios = 0;
    int Refrescos = 0;

    RVentanaOpciones Ventana() {
        RVentanaOpciones v;
        v.Lanzamiento = Job.get();
        v.Piezas = &Piezas;
        v.Materiales = &Materiales;
        v.ReiniciarSolucion = [this] { ++Reinicios; };
        v.Refrescar = [this] {
            Job->EscribirPiezas(Piezas);
            Job->EscribirMateriales(Materiales);
            ++Refrescos;
        };
        return v;
    }
};

std::unique_ptr<RVentanaPrueba> Abrir(const rutas::CCarpetaTemporal& carpeta,
                                      const std::string& ejemplo = "examples/cocina.lan") {
    const auto destino = carpeta / "trabajo.lan";
    std::filesystem::copy_file(rutas::Raiz(ejemplo), destino,
                               std::filesystem::copy_options::overwrite_existing);
    auto v = std::make_unique<RVentanaPrueba>();
    v->Piezas = CGrilla(1, 7);
    v->Materiales = CGrilla(1, 7);
    v->Job = std::make_unique<CLanzamiento>(destino.string(), OpcionesPorDefecto());
    v->Job->LeerPiezas(v->Piezas);
    v->Job->LeerMateriales(v->Materiales);
    return v;
}

void Escribir(QLineEdit* edicion, const QString& texto) {
    edicion->setText(texto);
    emit edicion->editingFinished();
}

} // namespace

class TDlgOpcionesTest : public QObject {
    Q_OBJECT

private slots:
    void CargaYCapturas();
    void ControlesSiguenLasReglasYCancelarNoTocaNada();
    void CambioATipoBarrasPregunta();
    void ConversionYDeshacer();
    void GuardarEnLaPlantilla();
    void PaginaIdaYVuelta_data();
    void PaginaIdaYVuelta();
};

void TDlgOpcionesTest::CargaYCapturas() {
    rutas::CCarpetaTemporal carpeta;
    auto v = Abrir(carpeta);
    TDlgOpciones dlg;
    dlg.Cargar(v->Ventana());
    QCOMPARE(Hijo<QLabel>(dlg, "lbSample")->text(), QStringLiteral("65535 mm"));
    QCOMPARE(Hijo<QSlider>(dlg, "trbNivel")->value(), v->Job->Opciones().NivelOptimizacionFinal);
    QVERIFY(Hijo<QPlainTextEdit>(dlg, "meFormatoEti")->toPlainText().contains(QLatin1Char('\n')));
    QVERIFY(!Hijo<QCheckBox>(dlg, "ckbDefault")->isEnabled());
    // The kerf is checked in the example: its value shows in the job's units.
    auto* parametros = Hijo<QListWidget>(dlg, "clbCutParams");
    parametros->setCurrentRow(CEdicionOpciones::AnchoCorte);
    QCOMPARE(Hijo<QLineEdit>(dlg, "edParametro")->text(), QStringLiteral("4 mm"));
    QCOMPARE(Hijo<QLabel>(dlg, "lbParametro")->text(), QStringLiteral("Ancho del corte:"));
    // The improvement stage and its time limit.
    auto* mejorar = Hijo<QCheckBox>(dlg, "ckbOCMejorar");
    auto* tiempo = Hijo<QSpinBox>(dlg, "udTiempoMejora");
    QCOMPARE(mejorar->isChecked(), v->Job->Opciones().MejorarSolucion);
    QCOMPARE(tiempo->value(), v->Job->Opciones().TiempoMejora);
    tiempo->setValue(25);
    mejorar->setChecked(false);
    QVERIFY(!tiempo->isEnabled());
    QCOMPARE(dlg.Edicion().Opciones().TiempoMejora, 25);
    QVERIFY(!dlg.Edicion().Opciones().MejorarSolucion);
    const QString capturas = qEnvironmentVariable("TRAZAL_CAPTURAS");
    if (!capturas.isEmpty()) {
        dlg.show();
        auto* paginas = Hijo<QTabWidget>(dlg, "pcOpciones");
        for (int p = 0; p < paginas->count(); ++p) {
            paginas->setCurrentIndex(p);
            QCoreApplication::processEvents();
            dlg.grab().save(capturas + QStringLiteral("/TDlgOpciones-%1.png").arg(p));
        }
    }
}

// The controls follow the editing rules (their cases are in CEdicionOpcionesTest): the final
// level lowers the initial one, bars disable three parameters and the offcut width, the
// margins' text is read and shown back; Cancel then leaves the job as it was.
void TDlgOpcionesTest::ControlesSiguenLasReglasYCancelarNoTocaNada() {
    CDialogos::Prueba prueba;
    rutas::CCarpetaTemporal carpeta;
    auto v = Abrir(carpeta);
    ROpciones o = v->Job->Opciones();
    o.NivelOptimizacionFinal = 2;
    o.NivelOptimizacionInicial = 3;
    v->Job->AsignarOpciones(o);
    v->Job->Guardar();
    TDlgOpciones dlg;
    dlg.Cargar(v->Ventana());
    auto* nivel = Hijo<QSlider>(dlg, "trbNivel");
    auto* inicial = Hijo<QSpinBox>(dlg, "udNivelInicial");
    QCOMPARE(inicial->value(), 3);
    nivel->setValue(3);
    nivel->setValue(2);
    QCOMPARE(inicial->value(), 2);
    QCOMPARE(dlg.Edicion().Opciones().NivelOptimizacionInicial, 2);
    QVERIFY(Hijo<QLabel>(dlg, "lbNota")->text().startsWith(QStringLiteral("Nivel 2:")));
    inicial->setValue(3);
    QCOMPARE(inicial->value(), 2);

    Hijo<QCheckBox>(dlg, "ckbDetectarSob")->setChecked(true);
    QVERIFY(Hijo<QLineEdit>(dlg, "edAnchoSob")->isEnabled());
    Hijo<QRadioButton>(dlg, "rbBarras")->click();
    auto* parametros = Hijo<QListWidget>(dlg, "clbCutParams");
    for (int i = 0; i < parametros->count(); ++i) {
        const bool deshabilitado = i == 2 || i == 4 || i == 5;
        QCOMPARE(!(parametros->item(i)->flags() & Qt::ItemIsEnabled), deshabilitado);
    }
    QVERIFY(!Hijo<QLineEdit>(dlg, "edAnchoSob")->isEnabled());
    QVERIFY(Hijo<QLineEdit>(dlg, "edLargoSob")->isEnabled());
    Hijo<QRadioButton>(dlg, "rbGuillotina")->click();
    QVERIFY(parametros->item(4)->flags() & Qt::ItemIsEnabled);

    parametros->setCurrentRow(CEdicionOpciones::Margenes);
    parametros->item(CEdicionOpciones::Margenes)->setCheckState(Qt::Checked);
    auto* valor = Hijo<QLineEdit>(dlg, "edParametro");
    QVERIFY(valor->isEnabled());
    Escribir(valor, QStringLiteral("10,20,30,40:1,3"));
    const ROpciones& e = dlg.Edicion().Opciones();
    QCOMPARE(e.MargenIzq + e.MargenDer + e.MargenInf, 60);
    QCOMPARE(e.MargenSup, 40);
    QCOMPARE(e.MaterialesConMargen, std::string("1,3"));
    QCOMPARE(valor->text(), QStringLiteral("10 mm,20 mm,30 mm,40 mm:1,3"));
    Escribir(valor, QStringLiteral("1,dos"));
    QCOMPARE(CDialogos::Mostrados().back().Tipo, RDialogoMostrado::Aviso);
    QCOMPARE(e.MargenIzq, 10);

    Hijo<QComboBox>(dlg, "cbUnitType")->setCurrentIndex(1);
    const ROpciones antes = v->Job->Opciones();
    dlg.reject();
    QCOMPARE(v->Job->Opciones(), antes);
    QVERIFY(v->Job->Guardado());
}

void TDlgOpcionesTest::CambioATipoBarrasPregunta() {
    CDialogos::Prueba prueba;
    rutas::CCarpetaTemporal carpeta;
    auto v = Abrir(carpeta);
    TDlgOpciones dlg;
    dlg.show();
    dlg.Cargar(v->Ventana());
    Hijo<QRadioButton>(dlg, "rbBarras")->click();
    CDialogos::ProximaRespuesta(CDialogos::No);
    dlg.OKBtnClick();
    QVERIFY(dlg.isVisible());
    QVERIFY(!v->Job->Opciones().Barras);
    CDialogos::ProximaRespuesta(CDialogos::Si);
    Hijo<QListWidget>(dlg, "clbCutParams")->setCurrentRow(CEdicionOpciones::AnchoCorte);
    Escribir(Hijo<QLineEdit>(dlg, "edParametro"), QStringLiteral("6"));
    dlg.OKBtnClick();
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QVERIFY(v->Job->Opciones().Barras);
    QCOMPARE(v->Job->Opciones().AnchoCorte, 6);
    QCOMPARE(v->Reinicios, 1);
    QVERIFY(!v->Job->Guardado());
    QCOMPARE(CDialogos::Mostrados().back().Texto,
             QStringLiteral("Esta acción reinicializará la solución actual. ¿Continuar?"));
}

// Millimetres to centimetres with one decimal ("10 mm are 1 cm"), then undone.
void TDlgOpcionesTest::ConversionYDeshacer() {
    CDialogos::Prueba prueba;
    rutas::CCarpetaTemporal carpeta;
    auto v = Abrir(carpeta);
    const ROpciones antes = v->Job->Opciones();
    const CGrilla piezasAntes = v->Piezas;
    const std::string largo = v->Piezas.Celda(1, 1);
    TDlgOpciones dlg;
    dlg.Cargar(v->Ventana());
    Hijo<QComboBox>(dlg, "cbUnitName")->setCurrentText(QStringLiteral("cm"));
    Hijo<QComboBox>(dlg, "cbPresicion")->setCurrentIndex(1);
    Hijo<QLineEdit>(dlg, "edOldUnit")->setText(QStringLiteral("10"));
    Hijo<QLineEdit>(dlg, "edCurrentUnit")->setText(QStringLiteral("1"));
    // "No" to the question changes nothing.
    CDialogos::ProximaRespuesta(CDialogos::No);
    Hijo<QPushButton>(dlg, "btConvertir")->click();
    QCOMPARE(v->Piezas, piezasAntes);
    CDialogos::ProximaRespuesta(CDialogos::Si);
    Hijo<QPushButton>(dlg, "btConvertir")->click();
    QCOMPARE(v->Reinicios, 1);
    const double mm = std::stod(largo);
    QCOMPARE(QString::fromStdString(v->Piezas.Celda(1, 1)),
             QString::number(mm / 10.0, 'f', 1) + QStringLiteral("cm"));
    QCOMPARE(v->Job->Opciones().NombreUnidad, std::string("cm"));
    QCOMPARE(v->Job->Opciones().AnchoCorte, antes.AnchoCorte); // 4 mm = 0.4 cm = 4 tenths
    QCOMPARE(v->Job->LargoPieza(1), static_cast<int>(mm));     // tenths of a cm
    auto* deshacer = Hijo<QPushButton>(dlg, "btDeshacer");
    QVERIFY(deshacer->isEnabled());
    deshacer->click();
    QVERIFY(!deshacer->isEnabled());
    QCOMPARE(v->Piezas, piezasAntes);
    QCOMPARE(v->Job->Opciones(), antes);
    QCOMPARE(Hijo<QLabel>(dlg, "lbSample")->text(), QStringLiteral("65535 mm"));
    // A scale that is not a number converts nothing.
    Hijo<QLineEdit>(dlg, "edOldUnit")->setText(QStringLiteral("diez"));
    CDialogos::ProximaRespuesta(CDialogos::Si);
    Hijo<QPushButton>(dlg, "btConvertir")->click();
    QCOMPARE(v->Piezas, piezasAntes);
    QCOMPARE(CDialogos::Mostrados().back().Tipo, RDialogoMostrado::Aviso);
}

void TDlgOpcionesTest::GuardarEnLaPlantilla() {
    rutas::CCarpetaTemporal carpeta;
    auto v = Abrir(carpeta);
    const std::string plantilla = (carpeta / "melamina.pla").string();
    { std::ofstream(plantilla) << "[Opciones]\nAnchoCorte=3\n"; }
    ROpciones o = v->Job->Opciones();
    o.Plantilla = plantilla;
    v->Job->AsignarOpciones(o);
    TDlgOpciones dlg;
    dlg.Cargar(v->Ventana());
    auto* enPlantilla = Hijo<QCheckBox>(dlg, "ckbDefault");
    QVERIFY(enPlantilla->isEnabled());
    QVERIFY(!enPlantilla->isChecked());
    enPlantilla->setChecked(true);
    Hijo<QListWidget>(dlg, "clbCutParams")->setCurrentRow(CEdicionOpciones::AnchoCorte);
    Escribir(Hijo<QLineEdit>(dlg, "edParametro"), QStringLiteral("5"));
    dlg.OKBtnClick();
    QCOMPARE(v->Job->Opciones().Plantilla, plantilla);
    CLanzamiento leida(plantilla, OpcionesPorDefecto());
    QCOMPARE(leida.Opciones().AnchoCorte, 5);
    QCOMPARE(leida.Opciones().Plantilla, std::string());
}

void TDlgOpcionesTest::PaginaIdaYVuelta_data() {
    QTest::addColumn<int>("tamano");
    QTest::addColumn<int>("orientacion");
    QTest::addColumn<double>("largo");
    QTest::addColumn<double>("ancho");
    QTest::newRow("A4 vertical") << 9 << 0 << 0.0 << 0.0;
    QTest::newRow("A3 apaisado") << 8 << 1 << 0.0 << 0.0;
    QTest::newRow("carta") << 1 << 0 << 0.0 << 0.0;
    QTest::newRow("personalizado") << 27 << 1 << 500.0 << 300.0;
    QTest::newRow("personalizado alto") << 27 + 128 << 0 << 420.0 << 250.0;
}

void TDlgOpcionesTest::PaginaIdaYVuelta() {
    QFETCH(int, tamano);
    QFETCH(int, orientacion);
    QFETCH(double, largo);
    QFETCH(double, ancho);
    ROpciones o;
    o.PaperSize = tamano;
    o.PaperOrientation = orientacion;
    o.PaperLength = largo;
    o.PaperWidth = ancho;
    // Read back into the record the page came from, as the page set-up does.
    ROpciones leidas = o;
    leidas.PaperLength = leidas.PaperWidth = 0;
    CPaginaQt::LeerDiseno(CPaginaQt::Diseno(o), leidas);
    QCOMPARE(leidas.PaperSize, tamano % 128);
    QCOMPARE(leidas.PaperOrientation, orientacion);
    if (tamano % 128 >= CPaginaQt::TamanoPersonalizado) {
        QVERIFY(std::abs(leidas.PaperLength - largo) < 0.01);
        QVERIFY(std::abs(leidas.PaperWidth - ancho) < 0.01);
    }
}

QTEST_MAIN(TDlgOpcionesTest)
#include "TDlgOpcionesTest.moc"
