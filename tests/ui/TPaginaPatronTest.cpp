// The patterns page driven as a user would: zoom commands and their limits, clicks and bands
// on the drawing, the cut tree and the keys, a property edited in the inspector, a piece
// dropped on an empty leaf, the adjustment commands' enabled states, and undo giving back
// every pattern as it was.

#include "PruebaVentana.h"
#include "ui/TMainForm.h"

#include "document/CLanzamiento.h"
#include "document/CReglasComandos.h"
#include "document/UEntorno.h"
#include "engine/CAjuste.h"
#include "engine/CSolucion.h"
#include "patterns/CPatron.h"
#include "patterns/USeleccionPatron.h"
#include "support/RutasPrueba.h"
#include "ui/CDelegadoMiniatura.h"
#include "ui/CDialogos.h"
#include "ui/TMDIChild.h"
#include "ui/TPaginaPatron.h"
#include "ui/TVistaPatron.h"

#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTableWidget>
#include <QTreeWidget>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <memory>

namespace {

QPoint Centro(const CCorte& n) {
    const RRect& m = n.Marco();
    return QPoint((m.Left + m.Right) / 2, (m.Top + m.Bottom) / 2);
}

} // namespace

class TPaginaPatronTest : public CPruebaVentana {
    Q_OBJECT

private:
    TMDIChild* FVentana = nullptr;

    TPaginaPatron& Pagina() { return FVentana->PaginaPatron(); }
    TVistaPatron& Vista() { return FVentana->VistaPatron(); }
    CPatron& Patron() { return *Pagina().Patron(); }
    std::string Texto(std::int32_t k) {
        return FVentana->Lanzamiento().Solucion().Patron(k)->ATexto();
    }
    // A drag of a piece moved over the drawing at p: whether the drawing takes it.
    bool Aceptada(const QPoint& p, const QString& ficha, int pieza, QMimeData& datos) {
        datos.setData(QString::fromUtf8(TVistaPatron::TipoMimePieza),
                      QStringLiteral("%1;%2").arg(ficha).arg(pieza).toUtf8());
        QDragEnterEvent entrar(p, Qt::CopyAction, &datos, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&Vista(), &entrar);
        QDragMoveEvent sobre(p, Qt::CopyAction, &datos, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&Vista(), &sobre);
        return sobre.isAccepted();
    }
    void Soltar(const QPoint& p, int pieza) {
        QMimeData datos;
        QVERIFY(Aceptada(p, Vista().FichaArrastre(), pieza, datos));
        QDropEvent soltar(p, Qt::CopyAction, &datos, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&Vista(), &soltar);
    }

private slots:
    void initTestCase() { PrepararPrograma(); }

    void init() {
        AbrirPrincipal();
        const auto ruta = *FCarpeta / "p.lan";
        std::filesystem::copy_file(rutas::Raiz("tests/data/con-patrones.lan"), ruta,
                                   std::filesystem::copy_options::overwrite_existing);
        FVentana = FPrincipal->AbrirLanzamiento(QString::fromStdString(ruta.string()));
        FVentana->parentWidget()->showMaximized();
        FVentana->MostrarPagina(Pagina::Patrones);
        QTRY_VERIFY(Vista().isVisible());
        Vista().AsegurarDibujo();
    }

    void cleanup() { CerrarPrincipal(); }

    void ZoomConSusLimites() {
        for (int i = 0; i < 6; ++i) {
            Disparar("ZoomInPatron");
        }
        QVERIFY(std::abs(Vista().Zoom() - 11.39) < 0.02);
        Disparar("ZoomInPatron");
        QVERIFY(std::abs(Vista().Zoom() - 11.39) < 0.02);
        auto* barra = FVentana->findChild<QScrollBar*>(QStringLiteral("ScrollBar1"));
        QVERIFY(barra->isVisible());
        // The whole drawing can be reached: the right end puts its right edge in view.
        barra->setValue(barra->maximum());
        QCOMPARE(Vista().EstadoZoom().RectZoom().Right, Vista().EstadoZoom().RectBase().Right);
        Disparar("ZoomAllPatron");
        QCOMPARE(Vista().Zoom(), 1.0);
        QVERIFY(!barra->isVisible());
        Disparar("ZoomOutPatron");
        Disparar("ZoomOutPatron");
        const double minimo = Vista().Zoom();
        Disparar("ZoomOutPatron");
        QCOMPARE(Vista().Zoom(), minimo);
        QVERIFY(minimo <= 0.5);
    }

    // Ten pixels is a click; eleven by eleven zooms; with Shift the band selects.
    void ClicYBanda() {
        CCorte* bloque = Patron().Raiz()->Hijo1();
        const QPoint c = Centro(*bloque);
        QTest::mousePress(&Vista(), Qt::LeftButton, {}, c);
        QTest::mouseRelease(&Vista(), Qt::LeftButton, {}, c + QPoint(10, 10));
        QCOMPARE(Pagina().Seleccion(), bloque);
        auto* arbol = FVentana->findChild<QTreeWidget*>(QStringLiteral("TreeView1"));
        QCOMPARE(arbol->currentItem()->text(0).toStdString(), TextoNodo(Patron(), *bloque, 0, 0));
        // Outside the material: nothing selected.
        QTest::mouseClick(&Vista(), Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(Pagina().Seleccion(), nullptr);
        QVERIFY(arbol->currentItem() == nullptr);
        // The Shift band around the lower half selects its cut, not a leaf.
        CCorte* abajo = Patron().Raiz()->Hijo2();
        const RRect& m = abajo->Marco();
        QTest::mousePress(&Vista(), Qt::LeftButton, {}, QPoint(m.Left - 2, m.Top - 2));
        QTest::mouseMove(&Vista(), QPoint(m.Right + 2, m.Bottom + 2));
        QVERIFY(Vista().BandaVisible());
        QTest::mouseRelease(&Vista(), Qt::LeftButton, Qt::ShiftModifier,
                            QPoint(m.Right + 2, m.Bottom + 2));
        QVERIFY(!Vista().BandaVisible());
        QCOMPARE(Pagina().Seleccion(), abajo);
        QCOMPARE(Vista().Zoom(), 1.0);
        QTest::mousePress(&Vista(), Qt::LeftButton, {}, c);
        QTest::mouseRelease(&Vista(), Qt::LeftButton, {}, c + QPoint(11, 11));
        QVERIFY(Vista().Zoom() > 10);
    }

    // Keys move in the tree while a node is selected, between patterns otherwise.
    void Teclado() {
        Vista().setFocus();
        QTest::keyClick(&Vista(), Qt::Key_Right);
        QCOMPARE(FVentana->PatronActual(), 2);
        QTest::keyClick(&Vista(), Qt::Key_Home);
        QCOMPARE(FVentana->PatronActual(), 1);
        Pagina().Seleccionar(Patron().Raiz());
        QTest::keyClick(&Vista(), Qt::Key_Down);
        QCOMPARE(Pagina().Seleccion(), Patron().Raiz()->Hijo1());
        QTest::keyClick(&Vista(), Qt::Key_End);
        QCOMPARE(Pagina().Seleccion(), Patron().Raiz()->Hijo2()->Hijo2());
        QTest::keyClick(&Vista(), Qt::Key_Right);
        QCOMPARE(Pagina().Seleccion(), Patron().Raiz()->Hijo2()->Hijo2());
        QCOMPARE(FVentana->PatronActual(), 1);
        // In the inspector Enter goes to the first offcut row, and its titles are bold.
        auto* propiedades = FVentana->findChild<QTableWidget*>(QStringLiteral("vlvSP"));
        auto* inspector = FVentana->findChild<QWidget*>(QStringLiteral("pnInspector"));
        QVERIFY(inspector->styleSheet().isEmpty());
        propiedades->setFocus();
        QTRY_VERIFY(propiedades->hasFocus());
        QVERIFY(inspector->styleSheet().contains(QStringLiteral("bold")));
        propiedades->setCurrentCell(0, 1);
        QTest::keyClick(propiedades, Qt::Key_Return);
        QCOMPARE(propiedades->currentRow(), 5);
        Vista().setFocus();
        QTRY_VERIFY(inspector->styleSheet().isEmpty());
    }

    // Every adjustment command is enabled exactly when its operation is possible.
    void HabilitacionDeAjustes() {
        const char* acciones[] = {"EditCorteVer",     "EditCorteHor", "EditUnir",
                                  "EditIntercambiar", "EditAmpliar",  "EditReducir",
                                  "EditVerToHor",     "EditHorToVer"};
        for (const char* a : acciones) {
            QVERIFY2(!Habilitada(a), a);
        }
        QVERIFY(!Habilitada("EditLimpiar"));
        QVERIFY(!Habilitada("EditUndoAdjusting"));
        for (const RNodoArbol& e : NodosEnOrden(Patron())) {
            Pagina().Seleccionar(e.Nodo);
            const RAjustesPosibles p = CAjuste::Posibles(Patron(), e.Nodo);
            const bool esperado[] = {p.CorteVer, p.CorteHor, p.Unir,     p.Intercambiar,
                                     p.Ampliar,  p.Reducir,  p.VerToHor, p.HorToVer};
            for (std::size_t i = 0; i < std::size(acciones); ++i) {
                QVERIFY2(Habilitada(acciones[i]) == esperado[i], acciones[i]);
            }
            QVERIFY(Habilitada("EditLimpiar"));
        }
        // The block of the first piece fills the length less 40: it can be cut vertically;
        // the second piece's block fills its length: it cannot.
        Pagina().Seleccionar(Patron().Raiz()->Hijo2()->Hijo1());
        QVERIFY(!Habilitada("EditCorteVer"));
        Disparar("EditCorteHor");
        QVERIFY(Habilitada("EditUndoAdjusting"));
        QCOMPARE(Pagina().Seleccion()->Dir(), -1);
        Disparar("EditDeseleccionarSP");
        QVERIFY(!Habilitada("EditLimpiar"));
    }

    // A piece dropped on the empty leaf fills it, the results follow, undo gives back the text.
    void SoltarPiezaYDeshacer() {
        const std::string antes = Texto(1);
        const std::int64_t piezas2 = Patron().CantidadPieza(2);
        CCorte* vacia = Patron().Raiz()->Hijo2()->Hijo2();
        Pagina().Seleccionar(vacia);
        auto* grilla = FVentana->findChild<QTableWidget*>(QStringLiteral("sgRealVsOrder"));
        // Both pieces are over their orders: no column is marked.
        QCOMPARE(grilla->horizontalHeaderItem(1)->text(), QStringLiteral("P2"));
        Soltar(Centro(*vacia), 2);
        QCOMPARE(vacia->Pieza(), 2);
        QCOMPARE(Patron().CantidadPieza(2), piezas2 + 4);
        QCOMPARE(QString::fromStdString(FVentana->Edicion().Resultados().Celda(1, 8)),
                 QString::number(piezas2 + 4));
        QVERIFY(!FVentana->Lanzamiento().Guardado());
        // Refused: a drag from elsewhere, a point outside the selected leaf, a cut.
        QMimeData datos;
        QVERIFY(!Aceptada(Centro(*vacia), QStringLiteral("otra"), 2, datos));
        QVERIFY(!Aceptada(Centro(*Patron().Raiz()->Hijo1()), Vista().FichaArrastre(), 2, datos));
        Pagina().Seleccionar(Patron().Raiz());
        QVERIFY(!Aceptada(Centro(*vacia), Vista().FichaArrastre(), 2, datos));
        Disparar("EditUndoAdjusting");
        QCOMPARE(Texto(1), antes);
        QVERIFY(!Habilitada("EditUndoAdjusting"));
    }

    // "&Editar etiqueta..." on a selected leaf opens the designer; OK gives the leaf the typed
    // format with one undo step, Cancel changes nothing.
    void EditarEtiquetaDeUnaHoja() {
        const std::string antes = Texto(1);
        QVERIFY(!Habilitada("EditEti"));
        CCorte* hoja = Patron().Raiz()->Hijo2()->Hijo2();
        Pagina().Seleccionar(hoja);
        CDialogos::ProximaEjecucion([](QDialog&) { return int(QDialog::Rejected); });
        Disparar("EditEti");
        QCOMPARE(Texto(1), antes);
        QVERIFY(!Habilitada("EditUndoAdjusting"));
        CDialogos::ProximaEjecucion([](QDialog& d) {
            d.findChild<QPlainTextEdit*>(QStringLiteral("meEti"))
                ->setPlainText(QStringLiteral("Sobra #P"));
            return int(QDialog::Accepted);
        });
        Disparar("EditEti");
        QVERIFY(QString::fromStdString(hoja->Etiqueta()).contains(QStringLiteral("Sobra")));
        QCOMPARE(Pagina().Seleccion(), hoja);
        Disparar("EditUndoAdjusting");
        QCOMPARE(Texto(1), antes);
    }

    // A count that does not fit is refused with its message and the old value comes back.
    void PropiedadFueraDeRango() {
        Pagina().Seleccionar(Patron().Raiz()->Hijo1());
        auto* lista = FVentana->findChild<QTableWidget*>(QStringLiteral("vlvSP"));
        QTableWidgetItem* distribucion = lista->item(4, 1);
        const QString valor = distribucion->text();
        QVERIFY(distribucion->flags() & Qt::ItemIsEditable);
        QVERIFY(!(lista->item(5, 1)->flags() & Qt::ItemIsEditable));
        CDialogos::OlvidarMostrados();
        distribucion->setText(QStringLiteral("9x9"));
        QCOMPARE(CDialogos::Mostrados().size(), std::size_t{1});
        QCOMPARE(CDialogos::Mostrados()[0].Texto,
                 QStringLiteral("Las piezas no caben en el semiproducto"));
        QCOMPARE(lista->item(4, 1)->text(), valor);
        QVERIFY(!Habilitada("EditUndoAdjusting"));
        distribucion->setText(QStringLiteral("3x2"));
        QCOMPARE(Patron().Raiz()->Hijo1()->RepX(), 3);
        QVERIFY(Habilitada("EditUndoAdjusting"));
    }

    // Copy a semi-product and paste it into a larger one; a larger one does not fit.
    void CopiarYPegar() {
        CCorte* bloque2 = Patron().Raiz()->Hijo2()->Hijo1();
        Pagina().Seleccionar(bloque2);
        Disparar("EditCopy1");
        QVERIFY(QApplication::clipboard()->text().startsWith(QStringLiteral("%Corte%,")));
        CCorte* vacia = Patron().Raiz()->Hijo2()->Hijo2();
        Pagina().Seleccionar(vacia);
        Disparar("EditPaste1");
        QCOMPARE(vacia->Dir(), 1);
        QCOMPARE(vacia->Hijo1()->Pieza(), 2);
        // The whole sheet's upper block does not fit in the lower one.
        Pagina().Seleccionar(Patron().Raiz()->Hijo1());
        Disparar("EditCopy1");
        Pagina().Seleccionar(Patron().Raiz()->Hijo2());
        const std::size_t entradas = Pagina().Ajuste().Entradas();
        CDialogos::OlvidarMostrados();
        Disparar("EditPaste1");
        QCOMPARE(CDialogos::Mostrados().size(), std::size_t{1});
        QCOMPARE(CDialogos::Mostrados()[0].Texto,
                 QStringLiteral("El semiproducto copiado no cabe en el seleccionado"));
        QCOMPARE(Pagina().Ajuste().Entradas(), entradas);
    }

    // A job of four hundred patterns draws only the thumbnails in view.
    void MiniaturasSoloVisibles() {
        std::ifstream origen(rutas::Raiz("tests/data/con-patrones.lan"), std::ios::binary);
        std::string texto((std::istreambuf_iterator<char>(origen)), {});
        const std::size_t solucion = texto.find("CantPatrones=2");
        const std::size_t patron = texto.find("Patron1=");
        const std::string linea = texto.substr(patron + 8, texto.find('\n', patron) - patron - 8);
        std::string nuevo = texto.substr(0, solucion) + "CantPatrones=400\r\n";
        nuevo +=
            texto.substr(texto.find('\n', solucion) + 1, patron - texto.find('\n', solucion) - 1);
        for (int k = 1; k <= 400; ++k) {
            nuevo += "Patron" + std::to_string(k) + "=" + linea + "\n";
        }
        const auto ruta = *FCarpeta / "cuatrocientos.lan";
        std::ofstream(ruta, std::ios::binary) << nuevo;
        TMDIChild* h = FPrincipal->AbrirLanzamiento(QString::fromStdString(ruta.string()));
        h->MostrarPagina(Pagina::Patrones);
        auto* lista = h->findChild<QListWidget*>(QStringLiteral("lwPatrones"));
        QCOMPARE(lista->count(), 400);
        auto* delegado = dynamic_cast<CDelegadoMiniatura*>(lista->itemDelegate());
        QVERIFY(delegado != nullptr);
        QTRY_VERIFY(delegado->Dibujadas() > 0);
        QVERIFY(delegado->Dibujadas() < 30);
        lista->setCurrentRow(399);
        QTRY_VERIFY(lista->item(399)->isSelected());
        QCoreApplication::processEvents();
        QVERIFY(delegado->Dibujadas() < 60);
    }

    // Deleting and adding patterns by hand are undone like the adjustments.
    void DeshacerBorradoYAlta() {
        const std::string uno = Texto(1);
        const std::string dos = Texto(2);
        CDialogos::ProximaRespuesta(CDialogos::Si);
        Disparar("EditEliminar1");
        QCOMPARE(FVentana->Lanzamiento().Solucion().Cantidad(), 1);
        Disparar("EditAdicionar");
        QCOMPARE(FVentana->Lanzamiento().Solucion().Cantidad(), 2);
        Disparar("EditUndoAdjusting");
        QCOMPARE(FVentana->Lanzamiento().Solucion().Cantidad(), 1);
        Disparar("EditUndoAdjusting");
        QCOMPARE(FVentana->Lanzamiento().Solucion().Cantidad(), 2);
        QCOMPARE(Texto(1), uno);
        QCOMPARE(Texto(2), dos);
        QCOMPARE(FVentana->Edicion().PatronesMostrados(), 2);
    }
};

QTEST_MAIN(TPaginaPatronTest)
#include "TPaginaPatronTest.moc"
