#include "ui/TMainForm.h"

#include "document/CAlmacenEntorno.h"
#include "document/CLanzamiento.h"
#include "document/UEntorno.h"
#include "document/UTextos.h"
#include "engine/CCalculo.h"
#include "engine/CSolucion.h"
#include "ui/CDialogos.h"
#include "ui/TAboutBox.h"
#include "ui/TDLGEntorno.h"
#include "ui/TDLGFiltro.h"
#include "ui/TDLGGenerarEti.h"
#include "ui/TDLGMulCant.h"
#include "ui/TDLGNuevo.h"
#include "ui/TDLGParametrosEti.h"
#include "ui/TDlgConsumo.h"
#include "ui/TDlgEtiqueta.h"
#include "ui/TDlgHistorico.h"
#include "ui/TDlgOpciones.h"
#include "ui/TFrmCalculo.h"
#include "ui/TMDIChild.h"
#include "ui/TPaginaPatron.h"
#include "ui/TVistaPatron.h"
#include "ui/UAcciones.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QtEndian>

namespace {

// Status panel 0: the file name, or a progress text with an inverted band over its first
// k characters, k = length x position / total.
class CPanelProgreso : public QWidget {
public:
    QString Texto;
    QString Guardado;
    int Total = 0;
    int Posicion = 0;
    bool Activo = false;

    QSize sizeHint() const override { return {80, fontMetrics().height() + 4}; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QRect r = rect().adjusted(2, 0, -2, 0);
        p.drawText(r, Qt::AlignVCenter | Qt::AlignLeft, Texto);
        if (Activo) {
            const int k =
                Total < 1
                    ? 0
                    : static_cast<int>(static_cast<long long>(Texto.size()) * Posicion / Total);
            const int ancho = fontMetrics().horizontalAdvance(Texto.left(k));
            p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
            p.fillRect(QRect(r.left(), r.top(), ancho, r.height()), Qt::white);
        }
    }
};

CPanelProgreso& Panel0(QWidget* w) {
    return *static_cast<CPanelProgreso*>(w);
}

// A small picture for a command: the platform's standard icon where one fits, else the
// command's initials in a framed square.
QIcon IconoAccion(const QString& nombre, const QString& titulo, QStyle* estilo) {
    static const std::map<QString, QStyle::StandardPixmap> estandar = {
        {"FileNew1", QStyle::SP_FileIcon},
        {"FileOpen1", QStyle::SP_DialogOpenButton},
        {"FileSave1", QStyle::SP_DialogSaveButton},
        {"EditEliminar1", QStyle::SP_TrashIcon},
        {"EditPrimero", QStyle::SP_MediaSkipBackward},
        {"EditAnterior", QStyle::SP_MediaSeekBackward},
        {"EditSiguiente", QStyle::SP_MediaSeekForward},
        {"EditUltimo", QStyle::SP_MediaSkipForward},
        {"EditSubir", QStyle::SP_ArrowUp},
        {"EditBajar", QStyle::SP_ArrowDown},
        {"ToolsCalcularPatrones", QStyle::SP_MediaPlay},
        {"HelpContents1", QStyle::SP_DialogHelpButton},
        {"HelpAbout1", QStyle::SP_MessageBoxInformation},
        {"EditUndoAdjusting", QStyle::SP_ArrowBack},
        {"CerrarReporte", QStyle::SP_DialogCloseButton},
    };
    if (const auto it = estandar.find(nombre); it != estandar.end()) {
        return estilo->standardIcon(it->second);
    }
    QString letras;
    for (const QString& palabra : QString(titulo).remove('&').remove("...").split(' ')) {
        if (!palabra.isEmpty() && palabra[0].isLetterOrNumber() && letras.size() < 2) {
            letras += palabra[0].toUpper();
        }
    }
    QPixmap imagen(24, 24);
    imagen.fill(Qt::transparent);
    QPainter p(&imagen);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(60, 90, 140));
    p.setBrush(QColor(225, 233, 245));
    p.drawRoundedRect(QRectF(1.5, 1.5, 21, 21), 4, 4);
    QFont f = p.font();
    f.setPixelSize(10);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(0, 0, 24, 24), Qt::AlignCenter, letras);
    return QIcon(imagen);
}

} // namespace

TMainForm::TMainForm(const QString& archivoInicial, CAlmacenEntorno* almacen, QWidget* padre)
    : QMainWindow(padre), FArchivoInicial(archivoInicial), FAlmacen(almacen) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Trazal 4"));
    setMinimumSize(200, 150);
    CDialogos::FijarVentanaPrincipal(this);
    FArea = new QMdiArea(this);
    FArea->setObjectName(QStringLiteral("AreaMDI"));
    FArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    FArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(FArea);
    connect(FArea, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* w) {
        FActiva = w != nullptr ? qobject_cast<TMDIChild*>(w->widget()) : nullptr;
        if (FActiva != nullptr) {
            EscribirPanel(FActiva->NombreArchivo(), 0);
            FActiva->ActualizarPaneles();
        }
    });
    // The reusable dialogs, in the order of the program's start-up.
    FAboutBox = new TAboutBox(this);
    FDLGFiltro = new TDLGFiltro(this);
    FDLGEntorno = new TDLGEntorno(this);
    FDlgHistorico = new TDlgHistorico(this);
    FDlgOpciones = new TDlgOpciones(this);
    FDlgConsumo = new TDlgConsumo(this);
    FDLGParametrosEti = new TDLGParametrosEti(this);
    FDlgEtiqueta = new TDlgEtiqueta(*FDLGParametrosEti, this);
    FDLGGenerarEti = new TDLGGenerarEti(*FDlgEtiqueta, this);
    FDlgOpciones->FijarGenerador(FDLGGenerarEti);
    FDLGMulCant = new TDLGMulCant(this);
    FDLGNuevo = new TDLGNuevo(this);
    CrearAcciones();
    CrearMenus();
    CrearBarras();
    CrearBarraEstado();
    AplicarEntorno();
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        FPortapapelesDatos =
            QApplication::clipboard()->text().startsWith(QStringLiteral("%Data%,"));
    });
    FPortapapelesDatos = QApplication::clipboard()->text().startsWith(QStringLiteral("%Data%,"));
    qApp->installEventFilter(this);
    // The enabling rules run whenever the event loop runs out of work.
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &TMainForm::ActualizarComandos);
    ActualizarComandos();
}

TMainForm::~TMainForm() {
    qApp->removeEventFilter(this);
    disconnect(QAbstractEventDispatcher::instance(), nullptr, this, nullptr);
    disconnect(FArea, nullptr, this, nullptr);
    // The job windows go while this window is still whole: they write into its panels.
    for (QMdiSubWindow* w : FArea->subWindowList()) {
        delete w;
    }
    CDialogos::FijarVentanaPrincipal(nullptr);
}

// ---- Construction --------------------------------------------------------------------------

void TMainForm::CrearAcciones() {
    FManejadores = {
        {"FileOpen1", &TMainForm::FileOpen1Execute},
        {"FileClose1", &TMainForm::FileClose1Execute},
        {"FileCloseAll", &TMainForm::FileCloseAllExecute},
        {"FileSave1", &TMainForm::FileSave1Execute},
        {"FileSaveAs1", &TMainForm::FileSaveAs1Execute},
        {"FileExit1", &TMainForm::FileExit1Execute},
        {"EditInsertar", &TMainForm::EditInsertarExecute},
        {"EditAdicionar", &TMainForm::EditAdicionarExecute},
        {"EditEliminar1", &TMainForm::EditEliminar1Execute},
        {"EditCut1", &TMainForm::EditCut1Execute},
        {"EditCopy1", &TMainForm::EditCopy1Execute},
        {"EditPaste1", &TMainForm::EditPaste1Execute},
        {"EditOrdenAsc", &TMainForm::EditOrdenAscExecute},
        {"EditOrdenDes", &TMainForm::EditOrdenDesExecute},
        {"EditSubir", &TMainForm::EditSubirExecute},
        {"EditBajar", &TMainForm::EditBajarExecute},
        {"EditPrimero", &TMainForm::EditPrimeroExecute},
        {"EditAnterior", &TMainForm::EditAnteriorExecute},
        {"EditSiguiente", &TMainForm::EditSiguienteExecute},
        {"EditUltimo", &TMainForm::EditUltimoExecute},
        {"EditRedExa", &TMainForm::EditRedondeoExecute},
        {"EditRedDef", &TMainForm::EditRedondeoExecute},
        {"EditRedExc", &TMainForm::EditRedondeoExecute},
        {"EditCicloRed", &TMainForm::EditCicloRedExecute},
        {"VerPiezas", &TMainForm::VerPaginaExecute},
        {"VerMateriales", &TMainForm::VerPaginaExecute},
        {"VerResultados", &TMainForm::VerPaginaExecute},
        {"VerPatrones", &TMainForm::VerPaginaExecute},
        {"VerTBEstandar", &TMainForm::VerTBExecute},
        {"VerTBVistas", &TMainForm::VerTBExecute},
        {"VerTBReporte", &TMainForm::VerTBExecute},
        {"VerTBResultados", &TMainForm::VerTBExecute},
        {"VerTBPatron", &TMainForm::VerTBExecute},
        {"VerTBAjuste", &TMainForm::VerTBExecute},
        {"VerTBAyuda", &TMainForm::VerTBExecute},
        {"VerToolBars", &TMainForm::VerToolBarsExecute},
        {"VerStatusBar", &TMainForm::VerStatusBarExecute},
        {"VerEtiCorte", &TMainForm::VerEtiExecute},
        {"VerEtiPieza", &TMainForm::VerEtiExecute},
        {"VerEtiSob", &TMainForm::VerEtiExecute},
        {"EditUndoAdjusting", &TMainForm::EditAjusteExecute},
        {"EditLimpiar", &TMainForm::EditAjusteExecute},
        {"EditCorteVer", &TMainForm::EditAjusteExecute},
        {"EditCorteHor", &TMainForm::EditAjusteExecute},
        {"EditUnir", &TMainForm::EditAjusteExecute},
        {"EditIntercambiar", &TMainForm::EditAjusteExecute},
        {"EditAmpliar", &TMainForm::EditAjusteExecute},
        {"EditReducir", &TMainForm::EditAjusteExecute},
        {"EditVerToHor", &TMainForm::EditAjusteExecute},
        {"EditHorToVer", &TMainForm::EditAjusteExecute},
        {"EditDeseleccionarSP", &TMainForm::EditAjusteExecute},
        {"VerInspectorPatron", &TMainForm::EditAjusteExecute},
        {"VerInspectorPiezas", &TMainForm::EditAjusteExecute},
        {"ZoomAllPatron", &TMainForm::ZoomAllPatronExecute},
        {"ZoomInPatron", &TMainForm::ZoomInPatronExecute},
        {"ZoomOutPatron", &TMainForm::ZoomOutPatronExecute},
        {"ToolsIniSol", &TMainForm::ToolsIniSolExecute},
        {"ToolsCalcularPatrones", &TMainForm::ToolsCalcularPatronesExecute},
        {"FileNew1", &TMainForm::FileNew1Execute},
        {"ToolsOpciones", &TMainForm::ToolsOpcionesExecute},
        {"EditFiltrar", &TMainForm::EditFiltrarExecute},
        {"ToolsConsumoIdeal", &TMainForm::ToolsConsumoIdealExecute},
        {"ToolsHistorico", &TMainForm::ToolsHistoricoExecute},
        {"ToolsMulCant", &TMainForm::ToolsMulCantExecute},
        {"ToolsOpcionesEntorno", &TMainForm::ToolsOpcionesEntornoExecute},
        {"ToolsCalculadora", &TMainForm::ToolsCalculadoraExecute},
        {"HelpContents1", &TMainForm::HelpContents1Execute},
        {"HelpAbout1", &TMainForm::HelpAbout1Execute},
        {"WindowCascade1", &TMainForm::WindowCascade1Execute},
        {"WindowTileHorizontal1", &TMainForm::WindowTileHorizontal1Execute},
        {"WindowTileVertical1", &TMainForm::WindowTileVertical1Execute},
        {"WindowMinimizeAll1", &TMainForm::WindowMinimizeAll1Execute},
    };
    for (const RDefinicionAccion& d : DefinicionesAcciones()) {
        const QString nombre = QString::fromUtf8(d.Nombre);
        const QString titulo = QString::fromUtf8(d.Titulo);
        auto* a = new QAction(titulo, this);
        a->setObjectName(nombre);
        a->setData(d.Tag);
        a->setCheckable(d.Marcable);
        if (*d.Atajo != '\0') {
            a->setShortcut(QKeySequence(QString::fromUtf8(d.Atajo)));
        }
        const QStringList pista = QString::fromUtf8(d.Pista).split('|');
        a->setToolTip(pista.value(0));
        a->setStatusTip(pista.value(1));
        a->setIcon(IconoAccion(nombre, titulo, style()));
        a->setIconVisibleInMenu(false);
        a->setEnabled(false);
        if (const auto it = FManejadores.find(nombre); it != FManejadores.end()) {
            const Manejador m = it->second;
            connect(a, &QAction::triggered, this, [this, m] { (this->*m)(); });
        }
        addAction(a);
        FAcciones[nombre] = a;
    }
}

void TMainForm::CrearMenus() {
    const auto llenar = [this](QMenu* menu, std::span<const char* const> entradas) {
        QList<QMenu*> pila{menu};
        for (const char* e : entradas) {
            const QString s = QString::fromUtf8(e);
            if (s == "-") {
                pila.back()->addSeparator();
            } else if (s.startsWith('>')) {
                pila.push_back(pila.back()->addMenu(s.mid(1)));
            } else if (s == "<") {
                pila.pop_back();
            } else {
                pila.back()->addAction(Accion(s));
            }
        }
    };
    for (const RDefinicionMenu& m : DefinicionesMenus()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(m.Titulo));
        menu->setObjectName(QString::fromUtf8(m.Nombre));
        llenar(menu, m.Entradas);
    }
    for (const RDefinicionMenu& m : DefinicionesMenusContextuales()) {
        auto* menu = new QMenu(this);
        menu->setObjectName(QString::fromUtf8(m.Nombre));
        llenar(menu, m.Entradas);
        FContextuales[menu->objectName()] = menu;
    }
}

void TMainForm::CrearBarras() {
    for (const RDefinicionMenu& b : DefinicionesBarras()) {
        auto* barra = new QToolBar(QString::fromUtf8(b.Titulo), this);
        barra->setObjectName(QString::fromUtf8(b.Nombre));
        barra->setMovable(true);
        barra->setIconSize(QSize(20, 20));
        for (const char* e : b.Entradas) {
            const QString s = QString::fromUtf8(e);
            if (s == "-") {
                barra->addSeparator();
            } else {
                barra->addAction(Accion(s));
            }
        }
        FBarras.push_back(barra);
    }
    // Drop-down buttons: the reports and the rounding modes.
    if (auto* b =
            qobject_cast<QToolButton*>(FBarras[2]->widgetForAction(Accion("GenerarReporte")))) {
        b->setMenu(FContextuales["ppMenReportes"]);
        b->setPopupMode(QToolButton::MenuButtonPopup);
    }
    if (auto* b = qobject_cast<QToolButton*>(FBarras[3]->widgetForAction(Accion("EditCicloRed")))) {
        b->setMenu(FContextuales["PopupRedondeo"]);
        b->setPopupMode(QToolButton::MenuButtonPopup);
    }
}

void TMainForm::CrearBarraEstado() {
    QStatusBar* barra = statusBar();
    barra->setObjectName(QStringLiteral("StatusBar1"));
    auto* panel0 = new CPanelProgreso;
    panel0->setObjectName(QStringLiteral("Panel0"));
    FPanel0 = panel0;
    FPanel1 = new QLabel;
    FPanel1->setObjectName(QStringLiteral("Panel1"));
    FPanel2 = new QLabel;
    FPanel2->setObjectName(QStringLiteral("Panel2"));
    FPanel3 = new QLabel;
    FPanel3->setObjectName(QStringLiteral("Panel3"));
    FPanel3->setFixedWidth(51);
    FPanel3->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(32, 16));
    for (QLabel* l : {FPanel1, FPanel2}) {
        l->setFixedWidth(80);
        l->setFrameShape(QFrame::StyledPanel);
    }
    barra->addPermanentWidget(FPanel0, 1);
    barra->addPermanentWidget(FPanel1);
    barra->addPermanentWidget(FPanel2);
    barra->addPermanentWidget(FPanel3);
}

// ---- Environment ---------------------------------------------------------------------------

void TMainForm::AplicarEntorno() {
    const REntorno& e = Entorno;
    const RPosicionVentana& p = e.PosPrincipal;
    if (p.Width > 0 && p.Height > 0) {
        setGeometry(p.Left, p.Top, std::max(200, p.Width), std::max(150, p.Height));
    }
    statusBar()->setVisible(e.VerBarraEstado);
    Accion("VerStatusBar")->setChecked(e.VerBarraEstado);
    ColocarBarras();
    for (int i = 0; i < REntorno::CantidadBarras; ++i) {
        const bool visible = e.BarrasHerramientas[static_cast<std::size_t>(i)].Visible;
        FBarras[i]->setVisible(visible && e.VerBarras);
    }
    for (int i = 0; i < REntorno::CantidadBarras; ++i) {
        Accion(AccionesBarras[i])
            ->setChecked(e.BarrasHerramientas[static_cast<std::size_t>(i)].Visible);
    }
    Accion("VerToolBars")->setChecked(e.VerBarras);
}

// Stored positions are the bars' coordinates in this window counted from 1, so that a stored
// 0 always means "never stored". Qt places bars in rows of the top area: a stored position
// puts a bar in the row of its top coordinate and orders it there by its left one; a bar whose
// stored left or top is 0 stays where the default layout puts it (first, in the default
// order). Within a row Qt lays the bars one after the other, each as long as its preferred
// length, so a bar lands at its stored left when the bar before it is given the distance
// between the two as its length. That length lives only in the window's saved state: it is
// written there (the record of a bar is its object name, its shown flag, its position and
// its length) and the state is restored.
void TMainForm::ColocarBarras() {
    struct RBarra {
        int Fila;
        int Izq;
        int Indice;
        bool Guardada;
    };
    // Rows more than half a bar apart are different rows.
    const int altoFila = 16;
    std::vector<RBarra> orden;
    for (int i = 0; i < REntorno::CantidadBarras; ++i) {
        const RBarraHerramientas& b = Entorno.BarrasHerramientas[static_cast<std::size_t>(i)];
        const bool guardada = b.Left != 0 && b.Top != 0;
        // By default the first three bars make one row and the other four the next.
        const int filaDefecto = i < 3 ? -4 * altoFila : -2 * altoFila;
        orden.push_back({guardada ? b.Top : filaDefecto, guardada ? b.Left : i, i, guardada});
    }
    std::stable_sort(orden.begin(), orden.end(), [](const RBarra& a, const RBarra& b) {
        return a.Fila != b.Fila ? a.Fila < b.Fila : a.Izq < b.Izq;
    });
    for (const RBarra& b : orden) {
        removeToolBar(FBarras[b.Indice]);
    }
    std::map<int, int> largos; // bar index -> preferred length
    for (std::size_t k = 0; k < orden.size(); ++k) {
        const RBarra& b = orden[k];
        const bool nuevaFila = k > 0 && b.Fila - orden[k - 1].Fila > altoFila;
        if (nuevaFila) {
            addToolBarBreak(Qt::TopToolBarArea);
        }
        addToolBar(Qt::TopToolBarArea, FBarras[b.Indice]);
        FBarras[b.Indice]->show();
        if (k + 1 < orden.size() && b.Guardada && orden[k + 1].Guardada &&
            orden[k + 1].Fila - b.Fila <= altoFila) {
            const int largo = orden[k + 1].Izq - b.Izq;
            if (largo >= FBarras[b.Indice]->minimumSizeHint().width()) {
                largos[b.Indice] = largo;
            }
        }
    }
    if (largos.empty()) {
        return;
    }
    QByteArray estado = saveState();
    for (const auto& [indice, largo] : largos) {
        QByteArray nombre;
        QDataStream flujo(&nombre, QIODevice::WriteOnly);
        flujo << FBarras[indice]->objectName();
        const qsizetype inicio = estado.indexOf(nombre);
        // Name, shown flag (1 byte), position (4 bytes), length (4 bytes, big-endian).
        const qsizetype campo = inicio + nombre.size() + 1 + 4;
        if (inicio < 0 || campo + 4 > estado.size()) {
            continue;
        }
        qToBigEndian<qint32>(largo, estado.data() + campo);
    }
    restoreState(estado);
}

void TMainForm::GuardarEnEntorno() {
    REntorno& e = Entorno;
    e.EstadoPrincipal = isMaximized() ? 2 : isMinimized() ? 1 : 0;
    if (!isMaximized() && !isMinimized()) {
        e.PosPrincipal = {geometry().x(), geometry().y(), geometry().width(), geometry().height()};
    }
    if (QMdiSubWindow* w = FArea->activeSubWindow()) {
        e.EstadoLanzamiento = w->isMaximized() ? 2 : w->isMinimized() ? 1 : 0;
        if (e.EstadoLanzamiento == 0) {
            e.PosLanzamiento = {w->x(), w->y(), w->width(), w->height()};
        }
    }
    for (int i = 0; i < REntorno::CantidadBarras; ++i) {
        RBarraHerramientas& b = e.BarrasHerramientas[static_cast<std::size_t>(i)];
        QToolBar* t = FBarras[i];
        // Each bar keeps its own choice, also while the bars are hidden as a whole.
        b.Visible = Accion(AccionesBarras[i])->isChecked();
        b.Left = t->x() + 1;
        b.Top = t->y() + 1;
    }
    e.VerBarraEstado = statusBar()->isVisibleTo(this);
    e.VerBarras = Accion("VerToolBars")->isChecked();
}

// ---- Windows and panels --------------------------------------------------------------------

QAction* TMainForm::Accion(const QString& nombre) const {
    const auto it = FAcciones.find(nombre);
    return it == FAcciones.end() ? nullptr : it->second;
}

QToolBar* TMainForm::Barra(int indice) const {
    return FBarras.value(indice);
}

TMDIChild* TMainForm::VentanaActiva() const {
    QMdiSubWindow* w = FArea->activeSubWindow();
    return w != nullptr ? qobject_cast<TMDIChild*>(w->widget()) : nullptr;
}

QList<TMDIChild*> TMainForm::Ventanas() const {
    QList<TMDIChild*> lista;
    for (QMdiSubWindow* w : FArea->subWindowList()) {
        if (auto* h = qobject_cast<TMDIChild*>(w->widget())) {
            lista.push_back(h);
        }
    }
    return lista;
}

TMDIChild* TMainForm::AbrirLanzamiento(const QString& FileName, const QString& Template) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    auto* hijo = new TMDIChild(*this);
    hijo->setWindowTitle(QFileInfo(FileName).completeBaseName());
    QMdiSubWindow* sub = FArea->addSubWindow(hijo);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(windowIcon());
    const RPosicionVentana& p = Entorno.PosLanzamiento;
    if (p.Width > 0 && p.Height > 0) {
        sub->setGeometry(p.Left, p.Top, p.Width, p.Height);
    } else {
        sub->resize(FArea->size() * 0.8);
    }
    hijo->Abrir(FileName, Template);
    if (Entorno.EstadoLanzamiento == 2) {
        sub->showMaximized();
    } else {
        sub->show();
    }
    FArea->setActiveSubWindow(sub);
    EscribirPanel(FileName, 0);
    QApplication::restoreOverrideCursor();
    return hijo;
}

bool TMainForm::GuardarComoVentana(TMDIChild& ventana) {
    const QString archivo = CDialogos::GuardarArchivo(
        this, QString::fromStdString(Entorno.CarpetaLanzamientos), ventana.windowTitle(),
        QStringLiteral("Archivo de Lanzamiento (*.lan)|*.lan|Plantilla de Lanzamiento "
                       "(*.pla)|*.pla"),
        QStringLiteral("lan"));
    return !archivo.isEmpty() && ventana.GuardarComo(archivo);
}

bool TMainForm::EditarEtiqueta(CAjuste& ajuste, CPatron& P, CCorte& n) {
    return FDlgEtiqueta->EditarNodo(ajuste, P, n);
}

void TMainForm::EscribirPanel(const QString& texto, int indice) {
    if (indice == 0) {
        Panel0(FPanel0).Texto = texto;
        FPanel0->update();
        return;
    }
    QLabel* l = indice == 1 ? FPanel1 : indice == 2 ? FPanel2 : nullptr;
    if (l == nullptr) {
        return;
    }
    if (texto.isEmpty()) {
        l->clear();
        l->setFixedWidth(80);
    } else {
        l->setText(' ' + texto);
        l->setFixedWidth(l->fontMetrics().horizontalAdvance(l->text()) + 10 + 2 * l->frameWidth());
    }
}

QString TMainForm::TextoPanel(int indice) const {
    if (indice == 0) {
        return Panel0(FPanel0).Texto;
    }
    return indice == 1 ? FPanel1->text() : indice == 2 ? FPanel2->text() : QString();
}

int TMainForm::AnchoPanel(int indice) const {
    switch (indice) {
    case 0:
        return FPanel0->width();
    case 1:
        return FPanel1->width();
    case 2:
        return FPanel2->width();
    default:
        return FPanel3->width();
    }
}

void TMainForm::IniciarProgreso(const QString& texto) {
    CPanelProgreso& p = Panel0(FPanel0);
    p.Guardado = p.Texto;
    p.Total = 0;
    p.Posicion = 0;
    p.Texto = texto;
    p.Activo = true;
    FPanel0->repaint();
}

void TMainForm::TotalProgreso(int n) {
    Panel0(FPanel0).Total = n;
    FPanel0->repaint();
}

void TMainForm::AvanzarProgreso(int i) {
    Panel0(FPanel0).Posicion = i;
    FPanel0->repaint();
}

void TMainForm::TerminarProgreso() {
    CPanelProgreso& p = Panel0(FPanel0);
    p.Activo = false;
    p.Texto = p.Guardado;
    FPanel0->update();
}

void TMainForm::MostrarMenuContextual(const QString& nombre, const QPoint& posicion) {
    if (const auto it = FContextuales.find(nombre); it != FContextuales.end()) {
        ActualizarComandos();
        it->second->popup(posicion);
    }
}

QMenu* TMainForm::createPopupMenu() {
    // Qt frees the menu after showing it.
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("PopupBarras"));
    for (const char* nombre : AccionesBarras) {
        menu->addAction(Accion(QString::fromUtf8(nombre)));
    }
    return menu;
}

// ---- Enabling ------------------------------------------------------------------------------

REstadoComandos TMainForm::Estado() const {
    REstadoComandos e;
    const QList<TMDIChild*> ventanas = Ventanas();
    e.VentanasAbiertas = static_cast<int>(ventanas.size());
    e.Calculando = CCalculo::CalculosActivos() > 0;
    e.BarrasVisibles = Accion("VerToolBars")->isChecked();
    if (TMDIChild* h = VentanaActiva()) {
        e.HayVentanaActiva = true;
        e.VentanaMinimizada = FArea->activeSubWindow()->isMinimized();
        h->LlenarEstado(e);
    }
    return e;
}

void TMainForm::ActualizarComandos() {
    if (FActualizando) {
        return;
    }
    FActualizando = true;
    const auto flags = EvaluarComandos(Estado());
    for (const auto& [nombre, accion] : FAcciones) {
        const auto it = flags.find(nombre.toStdString());
        const bool conManejador = FManejadores.count(nombre) != 0;
        const bool habilitada = conManejador && it != flags.end() && it->second.Habilitada;
        if (accion->isEnabled() != habilitada) {
            accion->setEnabled(habilitada);
        }
        // Check actions that show a state of the job follow the rules; the bar and status
        // bar switches keep the user's choice.
        if (it != flags.end() && accion->isCheckable() && !nombre.startsWith("VerTB") &&
            nombre != "VerToolBars" && nombre != "VerStatusBar" &&
            accion->isChecked() != it->second.Marcada) {
            accion->setChecked(it->second.Marcada);
        }
    }
    // The filter action says what it will do.
    QAction* filtrar = Accion("EditFiltrar");
    const bool quitar = filtrar->isChecked();
    const QString titulo =
        quitar ? QStringLiteral("Quitar &filtro") : QStringLiteral("&Filtrar patrones");
    if (filtrar->text() != titulo) {
        filtrar->setText(titulo);
        filtrar->setToolTip(quitar ? QStringLiteral("Quitar filtro")
                                   : QStringLiteral("Filtrar patrones"));
        filtrar->setStatusTip(
            quitar ? QStringLiteral("Desactiva el filtro actual aplicado")
                   : QStringLiteral("Restringe los patrones mostrados a los que cumplan un "
                                    "determinado criterio de filtrado"));
    }
    FActualizando = false;
}

// ---- Events --------------------------------------------------------------------------------

void TMainForm::showEvent(QShowEvent* evento) {
    QMainWindow::showEvent(evento);
    if (Entorno.EstadoPrincipal == 2 && FPrimeraActivacion) {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
    // Without a window manager the window may never be activated: the first pass of the
    // event loop after showing counts as the first activation.
    QTimer::singleShot(0, this, &TMainForm::AbrirArchivoInicial);
}

void TMainForm::changeEvent(QEvent* evento) {
    QMainWindow::changeEvent(evento);
    if (evento->type() == QEvent::ActivationChange && isActiveWindow()) {
        AbrirArchivoInicial();
    }
}

void TMainForm::AbrirArchivoInicial() {
    if (!FPrimeraActivacion) {
        return;
    }
    FPrimeraActivacion = false;
    if (!FArchivoInicial.isEmpty()) {
        const QString archivo = FArchivoInicial;
        FArchivoInicial.clear();
        AbrirLanzamiento(archivo);
    }
}

void TMainForm::closeEvent(QCloseEvent* evento) {
    for (QMdiSubWindow* w : FArea->subWindowList()) {
        FArea->setActiveSubWindow(w);
        if (!w->close()) {
            evento->ignore();
            return;
        }
    }
    GuardarEnEntorno();
    if (FAlmacen != nullptr) {
        GuardarEntorno(*FAlmacen);
    }
    evento->accept();
}

bool TMainForm::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() != QEvent::KeyPress) {
        return QMainWindow::eventFilter(objeto, evento);
    }
    TMDIChild* h = VentanaActiva();
    // With a semi-product selected the keys move in the cut tree (the pattern page's own).
    if (h == nullptr || objeto != &h->VistaPatron() || !h->VistaPatron().hasFocus() ||
        h->PaginaPatron().Seleccion() != nullptr) {
        return QMainWindow::eventFilter(objeto, evento);
    }
    switch (static_cast<QKeyEvent*>(evento)->key()) {
    case Qt::Key_Home:
        h->Primero();
        return true;
    case Qt::Key_End:
        h->Ultimo();
        return true;
    case Qt::Key_Left:
    case Qt::Key_Up:
        if (h->HayAnterior()) {
            h->Anterior();
        }
        return true;
    case Qt::Key_Right:
    case Qt::Key_Down:
        if (h->HaySiguiente()) {
            h->Siguiente();
        }
        return true;
    default:
        return QMainWindow::eventFilter(objeto, evento);
    }
}
