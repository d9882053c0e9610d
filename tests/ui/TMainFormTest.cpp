// The main window and the job window driven as a user would: actions triggered by name,
// widgets found by object name, questions and file dialogs answered through the dialog seam.

#include "ui/TMainForm.h"
#include "PruebaVentana.h"

#include "document/CEdicionLanzamiento.h"
#include "document/CLanzamiento.h"
#include "document/UEntorno.h"
#include "engine/CCalculo.h"
#include "engine/CSolucion.h"
#include "patterns/CPatron.h"
#include "support/RutasPrueba.h"
#include "ui/CDialogos.h"
#include "ui/CModeloGrilla.h"
#include "ui/CVistaGrilla.h"
#include "ui/TDLGFiltro.h"
#include "ui/TDLGMulCant.h"
#include "ui/TFrmCalculo.h"
#include "ui/TMDIChild.h"
#include "ui/TVistaPatron.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRandomGenerator>
#include <QTabWidget>
#include <QToolBar>
#include <QtTest>

#include <array>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>

namespace {

// The texts of a view's grid, header row and column included.
QStringList Celdas(const CGrilla& g) {
    QStringList celdas;
    for (int f = 0; f < g.Filas(); ++f) {
        QStringList fila;
        for (int c = 0; c < g.Columnas(); ++c) {
            fila << QString::fromStdString(g.Celda(f, c));
        }
        celdas << fila.join('|');
    }
    return celdas;
}

} // namespace

class TMainFormTest : public CPruebaVentana {
    Q_OBJECT

private:
    QString Copia(const std::string& origen, const std::string& nombre) {
        return CPruebaVentana::Copia(rutas::Raiz(origen), nombre);
    }
    CVistaGrilla* Grilla(TMDIChild* h, const char* nombre) {
        return h->findChild<CVistaGrilla*>(QString::fromUtf8(nombre));
    }

private slots:
    void initTestCase() {
        PrepararPrograma();
        // The application folder's templates and manual are those of the repository.
        CarpetaAplicacion = (rutas::Raiz("data") / "").string();
    }
    void init() { AbrirPrincipal(); }
    void cleanup() { CerrarPrincipal(); }

    void ArchivoInicialSeAbreUnaSolaVez() {
        FPrincipal.reset();
        FPrincipal = std::make_unique<TMainForm>(Copia("tests/data/con-patrones.lan", "i.lan"));
        FPrincipal->show();
        QTRY_COMPARE(FPrincipal->Ventanas().size(), 1);
        FPrincipal->activateWindow();
        QEvent activacion(QEvent::ActivationChange);
        QApplication::sendEvent(FPrincipal.get(), &activacion);
        FPrincipal->hide();
        FPrincipal->show();
        QTest::qWait(50);
        QCOMPARE(FPrincipal->Ventanas().size(), 1);
    }

    // Stored bar positions come back exactly, a gap in a row included; a bar stored with a 0
    // stays where the default layout puts it.
    void BarrasVuelvenASuPosicion() {
        const REntorno original = Entorno;
        // tbVistas 40 pixels further right; tbAyuda at the start of the first row.
        const std::array<RBarraHerramientas, 7> antes = [&] {
            std::array<RBarraHerramientas, 7> b{};
            for (int i = 0; i < 7; ++i) {
                QToolBar* t = FPrincipal->Barra(i);
                b[static_cast<std::size_t>(i)] = {true, t->x() + 1, t->y() + 1};
            }
            return b;
        }();
        REntorno& e = Entorno;
        e.BarrasHerramientas = antes;
        e.BarrasHerramientas[1].Left += 40;
        e.BarrasHerramientas[2].Left += 40;
        e.BarrasHerramientas[6] = {true, 0, antes[0].Top};
        FPrincipal.reset();
        FPrincipal = std::make_unique<TMainForm>();
        FPrincipal->resize(1100, 700);
        FPrincipal->show();
        QVERIFY(QTest::qWaitForWindowExposed(FPrincipal.get()));
        QToolBar* vistas = FPrincipal->Barra(1);
        QToolBar* ayuda = FPrincipal->Barra(6);
        QCOMPARE(vistas->x() + 1, antes[1].Left + 40);
        QCOMPARE(FPrincipal->Barra(2)->x() + 1, antes[2].Left + 40);
        // The stored rows keep their bars; the unstored bar goes first, in a row of its own.
        QCOMPARE(vistas->y(), FPrincipal->Barra(0)->y());
        QVERIFY(FPrincipal->Barra(3)->y() > vistas->y());
        QCOMPARE(ayuda->x(), 0);
        QVERIFY(ayuda->y() < vistas->y());
        QVERIFY(FPrincipal->close());
        QCOMPARE(Entorno.BarrasHerramientas[1].Left, antes[1].Left + 40);
        Entorno = original;
    }

    // Options the calculation cannot use are refused at the command, before any window opens.
    void OpcionesImposiblesNoSeCalculan() {
        TMDIChild* h = FPrincipal->AbrirLanzamiento(Copia("tests/data/con-patrones.lan", "o.lan"));
        ROpciones o = h->Lanzamiento().Opciones();
        o.ChequearAnchoCorte = true;
        o.AnchoCorte = -3;
        h->Lanzamiento().AsignarOpciones(o);
        CDialogos::OlvidarMostrados();
        Disparar("ToolsCalcularPatrones");
        QCOMPARE(CDialogos::Mostrados().size(), std::size_t{1});
        QCOMPARE(CDialogos::Mostrados()[0].Texto,
                 QStringLiteral("La opción AnchoCorte tiene un valor incorrecto: -3 (debe estar "
                                "entre 0 y 65535)"));
        QVERIFY(FPrincipal->findChild<TFrmCalculo*>() == nullptr);
        QCOMPARE(CCalculo::CalculosActivos(), 0);
    }

    void LanzamientoDanadoSeAbreConLoLeido() {
        const auto ruta = *FCarpeta / "danado.lan";
        std::ofstream(ruta) << "[Piezas]\nN=muchas\n[Materiales]\nN=1\n1=2440;1220;3;Tablero;;1;\n";
        CDialogos::OlvidarMostrados();
        TMDIChild* h = FPrincipal->AbrirLanzamiento(Q(ruta));
        QCOMPARE(CDialogos::Mostrados().size(), std::size_t{1});
        QVERIFY(CDialogos::Mostrados()[0].Texto.startsWith(
            QStringLiteral("Error al crear el lanzamiento: ")));
        QCOMPARE(QString::fromStdString(h->Edicion().Grilla(TGrilla::Materiales).Celda(1, 1)),
                 QStringLiteral("2440"));
        QCOMPARE(FPrincipal->Ventanas().size(), 1);
    }

    void GuardarSeHabilitaConLaPrimeraEdicion() {
        TMDIChild* h = FPrincipal->AbrirLanzamiento(Copia("tests/data/con-patrones.lan", "g.lan"));
        QVERIFY(!Habilitada("FileSave1"));
        QVERIFY(Habilitada("FileSaveAs1"));
        Grilla(h, "sgPiezas")->IrACelda(1, 4);
        Grilla(h, "sgPiezas")->Escribir(QStringLiteral("Otra puerta"));
        QVERIFY(Habilitada("FileSave1"));
        Disparar("FileSave1");
        QVERIFY(!Habilitada("FileSave1"));
        CLanzamiento leido(h->Lanzamiento().NombreArchivo(), ROpciones{});
        QCOMPARE(QString::fromStdString(leido.Desc1Pieza(1)), QStringLiteral("Otra puerta"));
    }

    void CerrarTodoConCancelarEnLaSegunda() {
        for (const char* n : {"a.lan", "b.lan", "c.lan"}) {
            TMDIChild* h = FPrincipal->AbrirLanzamiento(Copia("tests/data/con-patrones.lan", n));
            h->Lanzamiento().MarcarModificado();
        }
        CDialogos::ProximaRespuesta(CDialogos::No);
        CDialogos::ProximaRespuesta(CDialogos::Cancelar);
        CDialogos::ProximaRespuesta(CDialogos::No);
        CDialogos::OlvidarMostrados();
        Disparar("FileCloseAll");
        QTRY_COMPARE(FPrincipal->Ventanas().size(), 1);
        QCOMPARE(FPrincipal->Ventanas().front()->windowTitle(), QStringLiteral("b"));
        QCOMPARE(CDialogos::Mostrados().size(), std::size_t{3});
        QCOMPARE(CDialogos::Mostrados()[1].Texto,
                 QStringLiteral("El lanzamiento b ha sido modificado. ¿Desea Guardarlo?"));
    }

    void NuevoSeGuardaPorGuardarComo() {
        TMDIChild* h = FPrincipal->AbrirLanzamiento(Q(*FCarpeta / "NUEVO.lan"),
                                                    Q(rutas::Raiz("data/defaultsheets.pla")));
        Grilla(h, "sgPiezas")->IrACelda(1, 1);
        Grilla(h, "sgPiezas")->Escribir(QStringLiteral("500"));
        const QString destino = Q(*FCarpeta / "guardado.lan");
        CDialogos::ProximoArchivo(destino);
        CDialogos::OlvidarMostrados();
        Disparar("FileSave1");
        QCOMPARE(CDialogos::Mostrados().size(), std::size_t{1});
        QCOMPARE(CDialogos::Mostrados()[0].Tipo, RDialogoMostrado::Guardar);
        QCOMPARE(h->windowTitle(), QStringLiteral("guardado"));
        QVERIFY(std::filesystem::exists(destino.toStdString()));
        QVERIFY(h->Lanzamiento().Guardado());
    }

    // Typing with the keyboard: a value typed over three selected cells fills them all, Enter
    // moves to the next column, Escape keeps the old text, Down on the last row adds a row.
    void EscribirConElTeclado() {
        TMDIChild* h = FPrincipal->AbrirLanzamiento(Copia("tests/data/con-patrones.lan", "k.lan"));
        CVistaGrilla* g = Grilla(h, "sgPiezas");
        g->setFocus();
        h->Edicion().ReinicializarSolucion();
        g->Seleccionar({4, 1, 4, 2});
        // The first key opens the editor, which takes the rest.
        QTest::keyClick(g, 'T');
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("apa"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(g->ColumnaActual(), 5);
        const CGrilla& p = h->Edicion().Grilla(TGrilla::Piezas);
        QCOMPARE(QString::fromStdString(p.Celda(1, 4)), QStringLiteral("Tapa"));
        QCOMPARE(QString::fromStdString(p.Celda(2, 4)), QStringLiteral("Tapa"));

        g->IrACelda(1, 3);
        QTest::keyClick(g, Qt::Key_9);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("9"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QTRY_VERIFY(!g->Editando());
        QCOMPARE(QString::fromStdString(p.Celda(1, 3)), QStringLiteral("10"));

        g->IrACelda(2, 1);
        QTest::keyClick(g, Qt::Key_Down);
        QCOMPARE(g->Modelo().rowCount(), 3);
        QCOMPARE(g->FilaActual(), 3);
        QTest::keyClick(g, Qt::Key_Up);
        QCOMPARE(g->Modelo().rowCount(), 2);
    }

    void NuevoDesdeElDialogoYMultiplicar() {
        CDialogos::ProximaEjecucion([](QDialog& d) {
            d.accept();
            return d.result();
        });
        Disparar("FileNew1");
        QCOMPARE(FPrincipal->Ventanas().size(), 1);
        TMDIChild* h = FPrincipal->VentanaActiva();
        QCOMPARE(h->windowTitle(), QStringLiteral("NUEVO"));
        QCOMPARE(QString::fromStdString(h->Lanzamiento().Opciones().Plantilla),
                 Q(rutas::Raiz("data") / "defaultsheets.pla"));
        CVistaGrilla* g = Grilla(h, "sgPiezas");
        g->setFocus();
        g->IrACelda(1, 3);
        g->Escribir(QStringLiteral("7"));
        CDialogos::ProximaEjecucion([](QDialog& d) {
            static_cast<TDLGMulCant&>(d).Edit1()->setText(QStringLiteral("2.5"));
            return int(QDialog::Accepted);
        });
        g->Seleccionar({3, 1, 3, 1});
        Disparar("ToolsMulCant");
        QCOMPARE(QString::fromStdString(h->Edicion().Grilla(TGrilla::Piezas).Celda(1, 3)),
                 QStringLiteral("18")); // 17.5 to even
    }

    void OpcionesSeAbrenSobreElLanzamiento() {
        TMDIChild* h = FPrincipal->AbrirLanzamiento(Copia("tests/data/con-patrones.lan", "o.lan"));
        QString titulo;
        CDialogos::ProximaEjecucion([&titulo](QDialog& d) {
            titulo = d.objectName();
            return int(QDialog::Rejected);
        });
        Disparar("ToolsOpciones");
        QCOMPARE(titulo, QStringLiteral("TDlgOpciones"));
        QVERIFY(h->Lanzamiento().Guardado());
        QVERIFY(h->Edicion().PatronesMostrados() > 0);
    }

    void FiltroDeResultados() {
        TMDIChild* h = FPrincipal->AbrirLanzamiento(Copia("tests/data/con-patrones.lan", "f.lan"));
        Disparar("VerResultados");
        const int todos = h->Edicion().PatronesMostrados();
        QVERIFY(todos >= 2);
        CDialogos::ProximaEjecucion([](QDialog& d) {
            // Column 0, the pattern number: only pattern 1.
            Hijo<QComboBox>(d, "cbColumnas")->setCurrentIndex(0);
            Hijo<QComboBox>(d, "cbFiltro")->setCurrentText("1");
            return int(QDialog::Accepted);
        });
        Disparar("EditFiltrar");
        QCOMPARE(h->Edicion().PatronesMostrados(), 1);
        QVERIFY(FPrincipal->Accion("EditFiltrar")->isChecked());
        FPrincipal->ActualizarComandos();
        QCOMPARE(FPrincipal->Accion("EditFiltrar")->text(), QStringLiteral("Quitar &filtro"));
        Disparar("EditFiltrar");
        QCOMPARE(h->Edicion().PatronesMostrados(), todos);
    }

    void EliminarPreguntaYBorraLasFilas() {
        TMDIChild* h = FPrincipal->AbrirLanzamiento(Copia("tests/data/con-patrones.lan", "e.lan"));
        CVistaGrilla* g = Grilla(h, "sgPiezas");
        g->setFocus();
        g->Seleccionar({1, 2, 6, 2});
        CDialogos::ProximaRespuesta(CDialogos::Si); // "¿Seguro desea eliminar?"
        CDialogos::ProximaRespuesta(CDialogos::Si); // the solution goes
        Disparar("EditEliminar1");
        QCOMPARE(g->Modelo().rowCount(), 1);
        QCOMPARE(h->Lanzamiento().Solucion().Cantidad(), 0);
        QVERIFY(!h->findChild<QTabWidget*>("pcVistas")->isTabEnabled(2));
    }

    void PanelesYBarras() {
        FPrincipal->EscribirPanel(QString(), 1);
        FPrincipal->EscribirPanel(QString(), 2);
        QCOMPARE(FPrincipal->AnchoPanel(1), 80);
        QCOMPARE(FPrincipal->AnchoPanel(2), 80);
        FPrincipal->EscribirPanel(QStringLiteral("pza 1 de 2"), 2);
        QVERIFY(FPrincipal->AnchoPanel(2) > 40);
        QCOMPARE(FPrincipal->TextoPanel(2), QStringLiteral(" pza 1 de 2"));
        // Hiding a bar through its action, then all of them.
        Disparar("VerTBAyuda");
        QVERIFY(!FPrincipal->Barra(6)->isVisible());
        Disparar("VerToolBars");
        QVERIFY(!FPrincipal->Barra(0)->isVisible());
        QVERIFY(!Habilitada("VerTBEstandar"));
    }

    // Open the kitchen example, F10, the results' "Total Real" row agrees with the solution
    // shown; save, reopen, the same solution.
    void CalcularGuardarYReabrir() {
        const QString archivo = Copia("examples/cocina.lan", "cocina.lan");
        TMDIChild* h = FPrincipal->AbrirLanzamiento(archivo);
        QCOMPARE(h->Lanzamiento().Solucion().Cantidad(), 0);
        Disparar("ToolsCalcularPatrones");
        auto* frm = FPrincipal->findChild<TFrmCalculo*>();
        QVERIFY(frm != nullptr);
        if (CCalculo::CalculosActivos() > 0) {
            QVERIFY(!Habilitada("FileOpen1"));
        }
        QTRY_VERIFY_WITH_TIMEOUT(CCalculo::CalculosActivos() == 0, 240000);
        QTRY_VERIFY_WITH_TIMEOUT(h->Edicion().PatronesMostrados() > 0, 240000);
        QTRY_VERIFY_WITH_TIMEOUT(CCalculo::CalculosActivos() == 0, 240000);
        QVERIFY(Habilitada("FileOpen1"));
        frm->close();
        QApplication::setActiveWindow(FPrincipal.get());
        QVERIFY(QTest::qWaitForWindowActive(FPrincipal.get()));

        const CGrilla& r = h->Edicion().Resultados();
        const int total = h->Edicion().FilaTotalReal();
        QCOMPARE(QString::fromStdString(r.Celda(total, 0)), QStringLiteral("Total Real"));

        const CSolucion& s = h->Lanzamiento().Solucion();
        QVERIFY(std::abs(std::stod(r.Celda(total, 2)) - 100.0 * s.AprovechamientoReal()) < 0.01);
        long long repeticiones = 0;
        std::map<int, long long> piezas;
        for (int k = 1; k <= s.Cantidad(); ++k) {
            const long long n = s.RepActual(k);
            repeticiones += n;
            const auto& cant = s.Patron(k)->CantPorPieza();
            for (std::size_t i = 1; i < cant.size(); ++i) {
                piezas[static_cast<int>(i)] += n * cant[i];
            }
        }
        QCOMPARE(QString::fromStdString(r.Celda(total, 6)), QString::number(repeticiones));
        for (const auto& [pieza, cantidad] : piezas) {
            QCOMPARE(QString::fromStdString(r.Celda(total, 6 + pieza)), QString::number(cantidad));
        }

        // The patterns page draws the current pattern and follows the thumbnails.
        Disparar("VerPatrones");
        auto* miniaturas = h->findChild<QListWidget*>("lwPatrones");
        QCOMPARE(miniaturas->count(), h->Edicion().PatronesMostrados());
        QVERIFY(h->VistaPatron().Patron() != nullptr);
        h->VistaPatron().setFocus();
        QTest::keyClick(&h->VistaPatron(), Qt::Key_End);
        QCOMPARE(miniaturas->currentRow(), miniaturas->count() - 1);
        QCOMPARE(h->PatronActual(), h->Edicion().SlotDeFila(miniaturas->count()));
        QTest::keyClick(&h->VistaPatron(), Qt::Key_Left);
        QCOMPARE(miniaturas->currentRow(), miniaturas->count() - 2);

        const QStringList antes = Celdas(r);
        Disparar("FileSave1");
        QVERIFY(h->Lanzamiento().Guardado());
        FPrincipal->AreaMDI()->closeAllSubWindows();
        QTRY_COMPARE(FPrincipal->Ventanas().size(), 0);
        TMDIChild* otra = FPrincipal->AbrirLanzamiento(archivo);
        QCOMPARE(Celdas(otra->Edicion().Resultados()), antes);
    }

    // Random user actions on a job window: nothing crashes, and what is saved reads back as
    // the grids that were shown.
    void MonoAlAzar() {
        const QString archivo = Copia("tests/data/con-patrones.lan", "mono.lan");
        TMDIChild* h = FPrincipal->AbrirLanzamiento(archivo);
        QRandomGenerator azar(20261207);
        const char* acciones[] = {
            "EditInsertar",  "EditAdicionar", "EditEliminar1", "EditCut1",      "EditCopy1",
            "EditPaste1",    "EditSubir",     "EditBajar",     "EditPrimero",   "EditAnterior",
            "EditSiguiente", "EditUltimo",    "VerPiezas",     "VerMateriales", "VerResultados",
            "VerPatrones",   "EditOrdenAsc",  "EditOrdenDes",  "EditRedExc",    "EditRedDef",
            "EditRedExa",    "EditCicloRed",  "ToolsIniSol",   "ZoomInPatron",  "ZoomOutPatron",
            "ZoomAllPatron", "VerEtiCorte",   "WindowCascade1"};
        const QString textos[] = {"", "0", "150", "2500", "x", "70000", "Tapa", "1", " 12 "};
        const QString portapapeles[] = {"%Data%,1,1,2,2,10,20,30,40,", "%Data%,1,1,1,3,a,b,c,",
                                        "%Data%,1,1,1,1,a,b,", "basura", "%Data%,-1,1,1,1,a,"};
        for (int paso = 0; paso < 2000; ++paso) {
            for (int i = 0; i < 3; ++i) {
                CDialogos::ProximaRespuesta(azar.bounded(2) ? CDialogos::Si : CDialogos::No);
            }
            const int tipo = azar.bounded(10);
            CVistaGrilla* g = Grilla(h, azar.bounded(2) ? "sgPiezas" : "sgMateriales");
            if (tipo < 5) {
                const char* a = acciones[azar.bounded(int(std::size(acciones)))];
                FPrincipal->ActualizarComandos();
                if (FPrincipal->Accion(a)->isEnabled()) {
                    FPrincipal->Accion(a)->trigger();
                }
            } else if (tipo < 8) {
                h->MostrarPagina(g->objectName() == "sgPiezas" ? 0 : 1);
                g->setFocus();
                const int filas = g->Modelo().rowCount();
                const int f = 1 + azar.bounded(filas);
                const int c = 1 + azar.bounded(6);
                g->Seleccionar(
                    {c, f, std::min(6, c + azar.bounded(2)), std::min(filas, f + azar.bounded(2))});
                if (tipo == 7) {
                    const int teclas[] = {Qt::Key_Down, Qt::Key_Up, Qt::Key_Tab, Qt::Key_Backtab};
                    QTest::keyClick(g, Qt::Key(teclas[azar.bounded(4)]));
                } else {
                    g->Escribir(textos[azar.bounded(int(std::size(textos)))]);
                }
            } else {
                QApplication::clipboard()->setText(
                    portapapeles[azar.bounded(int(std::size(portapapeles)))]);
            }
        }
        h->MostrarPagina(0);
        const QStringList piezas = Celdas(h->Edicion().Grilla(TGrilla::Piezas));
        const QStringList materiales = Celdas(h->Edicion().Grilla(TGrilla::Materiales));
        QVERIFY(h->GuardarComo(Q(*FCarpeta / "mono-guardado.lan")));
        TMDIChild* otra = FPrincipal->AbrirLanzamiento(Q(*FCarpeta / "mono-guardado.lan"));
        // The header row is the same; rows 1.. are what the job holds.
        QCOMPARE(Celdas(otra->Edicion().Grilla(TGrilla::Piezas)), piezas);
        QCOMPARE(Celdas(otra->Edicion().Grilla(TGrilla::Materiales)), materiales);
    }
};

QTEST_MAIN(TMainFormTest)
#include "TMainFormTest.moc"
