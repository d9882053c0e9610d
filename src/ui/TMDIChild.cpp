#include "ui/TMDIChild.h"

#include "document/CLanzamiento.h"
#include "document/CReglasComandos.h"
#include "document/UEntorno.h"
#include "document/UExcepciones.h"
#include "document/UTextos.h"
#include "engine/CAjuste.h"
#include "engine/CSolucion.h"
#include "patterns/CPatron.h"
#include "patterns/UDibujo.h"
#include "ui/CDelegadoMiniatura.h"
#include "ui/CDialogos.h"
#include "ui/CLienzoQt.h"
#include "ui/CModeloGrilla.h"
#include "ui/CVistaGrilla.h"
#include "ui/TMainForm.h"
#include "ui/TPaginaPatron.h"
#include "ui/TVistaPatron.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace {

constexpr int AnchoMiniatura = 128;
constexpr int AltoMiniatura = 96;

// Hourglass while a scope runs.
struct RCursorEspera {
    RCursorEspera() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~RCursorEspera() { QApplication::restoreOverrideCursor(); }
    RCursorEspera(const RCursorEspera&) = delete;
    RCursorEspera& operator=(const RCursorEspera&) = delete;
};

QWidget* PaginaConTitulo(const QString& titulo, QWidget* contenido) {
    auto* pagina = new QWidget;
    auto* caja = new QVBoxLayout(pagina);
    caja->setContentsMargins(4, 4, 4, 4);
    auto* etiqueta = new QLabel(titulo);
    QFont f = etiqueta->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.2);
    etiqueta->setFont(f);
    caja->addWidget(etiqueta);
    caja->addWidget(contenido, 1);
    return pagina;
}

bool Contiene(const QWidget* w, const QWidget* foco) {
    return foco != nullptr && (w == foco || w->isAncestorOf(foco));
}

} // namespace

TMDIChild::TMDIChild(TMainForm& principal, QWidget* padre) : QWidget(padre), FPrincipal(principal) {
    setAttribute(Qt::WA_DeleteOnClose, false);
}

TMDIChild::~TMDIChild() {
    // The calculation refers to the job: it ends before the job goes.
    delete FFrmCalculo.data();
    // The views point into the job: they go first.
    delete FPaginas;
    FPaginas = nullptr;
}

QString TMDIChild::NombreArchivo() const {
    return FEdicion ? QString::fromStdString(FEdicion->Lanzamiento().NombreArchivo()) : QString();
}

void TMDIChild::Abrir(const QString& FileName, const QString& Template) {
    RCursorEspera espera;
    std::string error;
    std::unique_ptr<CLanzamiento> job;
    try {
        if (!Template.isEmpty()) {
            job = CLanzamiento::DesdePlantilla(Template.toStdString(), FileName.toStdString(),
                                               OpcionesPredeterminadas);
        } else {
            job = std::make_unique<CLanzamiento>(FileName.toStdString(), OpcionesPredeterminadas);
        }
    } catch (const std::exception& e) {
        error = e.what();
        job = std::make_unique<CLanzamiento>(std::string(), OpcionesPredeterminadas);
        job->GuardarComo(FileName.toStdString());
    }
    FEdicion = std::make_unique<CEdicionLanzamiento>(std::move(job));
    FEdicion->FijarPreguntar([](const std::string& texto, int defecto, bool cancelar) {
        return CDialogos::Preguntar(texto, defecto, cancelar);
    });
    FEdicion->FijarAvisar([](const std::string& texto) { CDialogos::Avisar(texto); });
    FEdicion->FijarAlCambiarSolucion([this] {
        // The old patterns are about to go or move: nothing may point at them, and the undo
        // entries' positions no longer hold.
        FPaginaPatron->FijarPatron(nullptr);
        FPaginaPatron->Ajuste().VaciarDeshacer();
        FPatronActual = 0;
    });
    CrearPaginas();
    try {
        FEdicion->LeerDelLanzamiento();
    } catch (const std::exception& e) {
        if (error.empty()) {
            error = e.what();
        }
    }
    if (error.empty() && !Lanzamiento().AvisoSolucion().empty()) {
        error = Lanzamiento().AvisoSolucion();
    }
    FModeloPiezas->Refrescar();
    FModeloMateriales->Refrescar();
    FPiezas->AjustarColumnas();
    FMateriales->AjustarColumnas();
    RefrescarSolucion();
    FPiezas->IrACelda(1, 1);
    FMateriales->IrACelda(1, 1);
    if (!error.empty()) {
        CDialogos::Avisar(std::string(Textos::ErrorCrearLanzamiento) + error);
    }
    FPaginas->setCurrentIndex(Pagina::Piezas);
    FPiezas->setFocus();
}

void TMDIChild::CrearPaginas() {
    FModeloPiezas = std::make_unique<CModeloGrilla>(*FEdicion, TGrilla::Piezas);
    FModeloMateriales = std::make_unique<CModeloGrilla>(*FEdicion, TGrilla::Materiales);
    FModeloResultados = std::make_unique<CModeloGrilla>(*FEdicion);

    FPaginas = new QTabWidget(this);
    FPaginas->setObjectName(QStringLiteral("pcVistas"));
    FPaginas->setTabPosition(QTabWidget::South);
    auto* caja = new QVBoxLayout(this);
    caja->setContentsMargins(0, 0, 0, 0);
    caja->addWidget(FPaginas);

    FPiezas = new CVistaGrilla(*FEdicion, *FModeloPiezas);
    FPiezas->setObjectName(QStringLiteral("sgPiezas"));
    FMateriales = new CVistaGrilla(*FEdicion, *FModeloMateriales);
    FMateriales->setObjectName(QStringLiteral("sgMateriales"));
    FResultados = new CVistaGrilla(*FEdicion, *FModeloResultados);
    FResultados->setObjectName(QStringLiteral("sgReporte"));
    FResultados->setSelectionBehavior(QAbstractItemView::SelectRows);

    const struct {
        const char* nombre;
        const char* titulo;
        const char* pestana;
        QWidget* contenido;
    } paginas[] = {
        {"tbPiezas", "Piezas", "P&iezas", FPiezas},
        {"tbMateriales", "Materiales", "&Materiales", FMateriales},
        {"tbResultados", "Resultados", "&Resultados", FResultados},
    };
    for (const auto& p : paginas) {
        QWidget* w = PaginaConTitulo(QString::fromUtf8(p.titulo), p.contenido);
        w->setObjectName(QString::fromUtf8(p.nombre));
        FPaginas->addTab(w, QString::fromUtf8(p.pestana));
    }

    FMiniaturas = new QListWidget;
    FMiniaturas->setObjectName(QStringLiteral("lwPatrones"));
    FMiniaturas->setViewMode(QListView::IconMode);
    FMiniaturas->setFlow(QListView::TopToBottom);
    FMiniaturas->setWrapping(false);
    FMiniaturas->setMovement(QListView::Static);
    FMiniaturas->setIconSize(QSize(AnchoMiniatura, AltoMiniatura));
    FMiniaturas->setUniformItemSizes(true);
    FDelegadoMiniaturas = new CDelegadoMiniatura(
        QSize(AnchoMiniatura, AltoMiniatura),
        [this](std::int32_t slot) { return DibujarMiniatura(slot); }, FMiniaturas);
    FMiniaturas->setItemDelegate(FDelegadoMiniaturas);
    FMiniaturas->setSpacing(4);
    FMiniaturas->setMinimumWidth(AnchoMiniatura + 24);
    FMiniaturas->setMaximumWidth(AnchoMiniatura + 40);
    FPaginaPatron = new TPaginaPatron(*FEdicion);
    FPaginaPatron->setObjectName(QStringLiteral("pnPatron"));
    TVistaPatron* dibujo = &FPaginaPatron->Vista();
    auto* patrones = new QSplitter;
    patrones->setObjectName(QStringLiteral("tbPatrones"));
    patrones->addWidget(FMiniaturas);
    patrones->addWidget(FPaginaPatron);
    patrones->setStretchFactor(0, 0);
    patrones->setStretchFactor(1, 1);
    patrones->setCollapsible(1, false);
    patrones->setSizes({AnchoMiniatura + 40, 100000});
    FPaginas->addTab(patrones, QStringLiteral("&Patrones"));

    FReporte = new QWidget;
    FReporte->setObjectName(QStringLiteral("tbReportes"));
    auto* vista = new QWidget(FReporte);
    vista->setObjectName(QStringLiteral("QRPreview1"));
    FPaginas->addTab(FReporte, QStringLiteral("R&eporte"));

    for (CVistaGrilla* g : {FPiezas, FMateriales, FResultados}) {
        connect(g, &CVistaGrilla::Cambiado, this, &TMDIChild::AlCambiarGrilla);
        connect(g->selectionModel(), &QItemSelectionModel::currentChanged, this,
                &TMDIChild::ActualizarPaneles);
        g->setContextMenuPolicy(Qt::CustomContextMenu);
        const char* menu = g == FResultados ? "PopupResultados" : "PopupEditDatos";
        connect(g, &QWidget::customContextMenuRequested, this, [this, g, menu](const QPoint& p) {
            FPrincipal.MostrarMenuContextual(QString::fromUtf8(menu),
                                             g->viewport()->mapToGlobal(p));
        });
    }
    // A reset model gives a new selection model connection each time: follow the current
    // row through the model's signals too.
    connect(FResultados->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TMDIChild::AlCambiarFilaResultados);
    connect(FMiniaturas, &QListWidget::currentRowChanged, this, &TMDIChild::AlCambiarMiniatura);
    dibujo->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(dibujo, &QWidget::customContextMenuRequested, this, [this, dibujo](const QPoint& p) {
        FPrincipal.MostrarMenuContextual(QStringLiteral("PopupEditSP"), dibujo->mapToGlobal(p));
    });
    connect(FPaginaPatron, &TPaginaPatron::PatronModificado, this, &TMDIChild::AlModificarPatron);
    connect(FPaginaPatron, &TPaginaPatron::Deshecho, this, &TMDIChild::AlDeshacer);
    connect(FPaginaPatron, &TPaginaPatron::MoverPatron, this, &TMDIChild::MoverPatron);
    connect(FPaginas, &QTabWidget::currentChanged, this, [this] { ActualizarPaneles(); });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* ahora) {
        for (CVistaGrilla* g : {FPiezas, FMateriales}) {
            if (Contiene(g, ahora)) {
                FUltimaGrilla = g;
            }
        }
    });
    FUltimaGrilla = FPiezas;
}

// ---- Keeping the views in step -------------------------------------------------------------

TVistaPatron& TMDIChild::VistaPatron() const {
    return FPaginaPatron->Vista();
}

void TMDIChild::RefrescarSolucion() {
    FPaginaPatron->FijarPatron(nullptr);
    FEdicion->ConstruirResultados();
    FModeloResultados->Refrescar();
    FResultados->AjustarColumnas();
    ConstruirMiniaturas();
    HabilitarPaneles();
    std::int32_t slot =
        FEdicion->FilaDeSlot(FPatronActual) != 0 ? FPatronActual : FEdicion->SlotDeFila(1);
    FPatronActual = 0;
    SeleccionarPatron(slot);
    ActualizarPaneles();
}

void TMDIChild::RefrescarGrillas() {
    const int filaPiezas = FPiezas->FilaActual();
    const int filaMateriales = FMateriales->FilaActual();
    Ejecutar([&] { FEdicion->GuardarGrillas(); });
    FModeloPiezas->Refrescar();
    FModeloMateriales->Refrescar();
    FPiezas->AjustarColumnas();
    FMateriales->AjustarColumnas();
    FPiezas->IrACelda(filaPiezas, 1);
    FMateriales->IrACelda(filaMateriales, 1);
    // Accepting the options may have read the solution again.
    FPaginaPatron->Ajuste().VaciarDeshacer();
    RefrescarSolucion();
}

void TMDIChild::SoltarSolucion() {
    FPaginaPatron->FijarPatron(nullptr);
    FPaginaPatron->Ajuste().VaciarDeshacer();
}

void TMDIChild::HabilitarPaneles() {
    const bool hay = Lanzamiento().Solucion().Cantidad() > 0;
    FPaginas->setTabEnabled(Pagina::Resultados, hay);
    FPaginas->setTabEnabled(Pagina::Patrones, hay);
    // The report page comes with the reports.
    FPaginas->setTabEnabled(Pagina::Reporte, false);
}

void TMDIChild::ConstruirMiniaturas() {
    const QSignalBlocker bloqueo(FMiniaturas);
    FMiniaturas->clear();
    // Items only: each thumbnail is drawn when it first comes into view.
    FDelegadoMiniaturas->Olvidar();
    for (int f = 1; f <= FEdicion->PatronesMostrados(); ++f) {
        const std::int32_t k = FEdicion->SlotDeFila(f);
        auto* item = new QListWidgetItem(QString::number(k));
        item->setData(Qt::UserRole, k);
        item->setToolTip(QString::fromStdString(FEdicion->TituloPatron(k)));
        FMiniaturas->addItem(item);
    }
}

QPixmap TMDIChild::DibujarMiniatura(std::int32_t slot) const {
    QPixmap imagen(AnchoMiniatura, AltoMiniatura);
    imagen.fill(Qt::white);
    const CPatron* original = FEdicion->Lanzamiento().Solucion().Patron(slot);
    if (original != nullptr && original->Raiz() != nullptr) {
        // A copy: drawing records each node's rectangle, and the pattern view's clicks read
        // those of its own drawing.
        const std::unique_ptr<CPatron> p = CPatron::Copia(*original);
        QPainter pintor(&imagen);
        CLienzoQt lienzo(pintor);
        Dibujar(*p, lienzo, RRect{3, 3, AnchoMiniatura - 3, AltoMiniatura - 3},
                ModoDibujo::Miniatura, RRect{0, 0, AnchoMiniatura, AltoMiniatura}, Entorno);
        p->SetLienzo(nullptr);
    }
    return imagen;
}

void TMDIChild::AlModificarPatron() {
    FEdicion->ConstruirResultados();
    const int fila = FResultados->FilaActual();
    const int col = FResultados->ColumnaActual();
    {
        const QSignalBlocker bloqueo(FResultados->selectionModel());
        FModeloResultados->Refrescar();
        FResultados->IrACelda(fila, std::max(1, col));
    }
    FDelegadoMiniaturas->Olvidar(FPatronActual);
    if (QListWidgetItem* item = FMiniaturas->currentItem()) {
        item->setToolTip(QString::fromStdString(FEdicion->TituloPatron(FPatronActual)));
    }
    FMiniaturas->viewport()->update();
    ActualizarPaneles();
}

void TMDIChild::AlDeshacer(std::int32_t indice) {
    FEdicion->ConstruirResultados();
    FPatronActual = 0;
    RefrescarSolucion();
    if (indice != 0) {
        SeleccionarPatron(indice);
    }
}

void TMDIChild::MoverPatron(int tecla) {
    switch (tecla) {
    case Qt::Key_Home:
        Primero();
        break;
    case Qt::Key_End:
        Ultimo();
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
        if (HayAnterior()) {
            Anterior();
        }
        break;
    default:
        if (HaySiguiente()) {
            Siguiente();
        }
        break;
    }
}

void TMDIChild::SeleccionarPatron(std::int32_t slot) {
    if (FOcupado) {
        return;
    }
    FOcupado = true;
    const int fila = FEdicion->FilaDeSlot(slot);
    FPatronActual = fila != 0 ? slot : 0;
    CPatron* patron = fila != 0 ? Lanzamiento().Solucion().Patron(slot) : nullptr;
    if (patron != FPaginaPatron->Patron() || patron == nullptr) {
        FPaginaPatron->FijarPatron(patron);
    }
    if (fila != 0) {
        if (FResultados->FilaActual() != fila) {
            FResultados->IrACelda(fila, std::max(1, FResultados->ColumnaActual()));
        }
        FMiniaturas->setCurrentRow(fila - 1);
    }
    FOcupado = false;
    ActualizarPaneles();
}

void TMDIChild::AlCambiarFilaResultados() {
    const std::int32_t k = FEdicion->SlotDeFila(FResultados->FilaActual());
    if (k != 0) {
        SeleccionarPatron(k);
    }
}

void TMDIChild::AlCambiarMiniatura() {
    const QListWidgetItem* item = FMiniaturas->currentItem();
    if (item != nullptr) {
        SeleccionarPatron(item->data(Qt::UserRole).toInt());
    }
}

void TMDIChild::AlCambiarGrilla() {
    if (FModeloResultados->rowCount() != FEdicion->Resultados().Filas() - 1 || FPatronActual == 0) {
        RefrescarSolucion();
    }
    ActualizarPaneles();
}

void TMDIChild::ActualizarPaneles() {
    if (!FEdicion) {
        return;
    }
    FPrincipal.EscribirPanel(FPatronActual != 0
                                 ? QString::fromStdString(FEdicion->TituloPatron(FPatronActual))
                                 : QString::fromUtf8(Textos::NoHayPatrones),
                             1);
    QString posicion;
    const auto texto = [](const char* prefijo, int actual, int total) {
        return QStringLiteral("%1 %2 %3 %4")
            .arg(QString::fromUtf8(prefijo))
            .arg(actual)
            .arg(QString::fromUtf8(Textos::PanelDe))
            .arg(total);
    };
    switch (PaginaActual()) {
    case Pagina::Piezas:
        posicion = texto(Textos::PanelPiezas, FPiezas->FilaActual(), FModeloPiezas->rowCount());
        break;
    case Pagina::Materiales:
        posicion = texto(Textos::PanelMateriales, FMateriales->FilaActual(),
                         FModeloMateriales->rowCount());
        break;
    case Pagina::Resultados:
    case Pagina::Patrones:
        if (FEdicion->PatronesMostrados() > 0) {
            posicion =
                texto(Textos::PanelPatrones, std::max(1, FEdicion->FilaDeSlot(FPatronActual)),
                      FEdicion->PatronesMostrados());
        }
        break;
    default:
        break;
    }
    FPrincipal.EscribirPanel(posicion, 2);
}

// ---- State ---------------------------------------------------------------------------------

int TMDIChild::PaginaActual() const {
    return FPaginas ? FPaginas->currentIndex() : 0;
}

void TMDIChild::MostrarPagina(int pagina) {
    if (FPaginas->isTabEnabled(pagina)) {
        FPaginas->setCurrentIndex(pagina);
        if (pagina == Pagina::Piezas) {
            FPiezas->setFocus();
        } else if (pagina == Pagina::Materiales) {
            FMateriales->setFocus();
        } else if (pagina == Pagina::Resultados) {
            FResultados->setFocus();
        } else if (pagina == Pagina::Patrones) {
            FPaginaPatron->Vista().setFocus();
        }
    }
}

CVistaGrilla* TMDIChild::GrillaEnfocada() const {
    const QWidget* foco = QApplication::focusWidget();
    for (CVistaGrilla* g : {FPiezas, FMateriales}) {
        if (Contiene(g, foco)) {
            return g;
        }
    }
    return nullptr;
}

CVistaGrilla* TMDIChild::GrillaDePagina() const {
    switch (PaginaActual()) {
    case Pagina::Piezas:
        return FPiezas;
    case Pagina::Materiales:
        return FMateriales;
    case Pagina::Resultados:
        return FResultados;
    default:
        return nullptr;
    }
}

bool TMDIChild::PuedePegar() const {
    if (PaginaActual() == Pagina::Patrones) {
        return FPaginaPatron->PuedePegar();
    }
    if (GrillaEnfocada() == nullptr) {
        return false;
    }
    const QString texto = QApplication::clipboard()->text();
    return texto.startsWith(QStringLiteral("%Data%,"));
}

int TMDIChild::ColumnaResultados() const {
    return std::max(0, FResultados->ColumnaActual());
}

bool TMDIChild::HayAnterior() const {
    switch (PaginaActual()) {
    case Pagina::Piezas:
    case Pagina::Materiales:
    case Pagina::Resultados:
        return GrillaDePagina()->FilaActual() > 1;
    case Pagina::Patrones:
        return FMiniaturas->currentRow() > 0;
    default:
        return false;
    }
}

bool TMDIChild::HaySiguiente() const {
    switch (PaginaActual()) {
    case Pagina::Piezas:
    case Pagina::Materiales:
        return GrillaDePagina()->FilaActual() < GrillaDePagina()->Modelo().rowCount();
    case Pagina::Resultados:
        return FResultados->FilaActual() < FEdicion->PatronesMostrados();
    case Pagina::Patrones:
        return FMiniaturas->currentRow() + 1 < FMiniaturas->count();
    default:
        return false;
    }
}

void TMDIChild::LlenarEstado(REstadoComandos& e) const {
    const CSolucion& s = FEdicion->Lanzamiento().Solucion();
    e.Guardado = FEdicion->Lanzamiento().Guardado();
    e.Pagina = PaginaActual();
    CVistaGrilla* enfocada = GrillaEnfocada();
    e.GrillaDatosEnfocada = enfocada != nullptr;
    e.EditandoCelda = enfocada != nullptr && enfocada->Editando();
    e.ResultadosEditando = FResultados->Editando();
    if (CVistaGrilla* g = GrillaDePagina()) {
        const RSeleccion sel = g->Seleccion();
        e.SeleccionPrimera = sel.Sup;
        e.SeleccionUltima = sel.Inf;
        e.UltimaFila = g->Modelo().rowCount();
    }
    e.HayPatrones = s.Cantidad() > 0;
    e.ResultadosHabilitados = e.HayPatrones;
    e.PatronSeleccionado = FPatronActual != 0;
    e.SemiproductoSeleccionado = false;
    FPaginaPatron->LlenarEstado(e);
    e.PuedePegar = PuedePegar();
    e.FiltroAplicado = s.Filtro() != nullptr;
    e.PermiteFiltrar = (e.Pagina == Pagina::Resultados && e.HayPatrones) || e.FiltroAplicado;
    e.FiltroAplicado = s.Filtro() != nullptr;
    e.ModoRedondeo = s.Modo();
    e.HayAnterior = HayAnterior();
    e.HaySiguiente = HaySiguiente();
    e.EtiCorte = FEdicion->Lanzamiento().Opciones().EtiCorte;
    e.EtiPieza = FEdicion->Lanzamiento().Opciones().EtiPieza;
    e.EtiSobrante = FEdicion->Lanzamiento().Opciones().EtiSobrante;
}

// ---- Commands ------------------------------------------------------------------------------

template <class F> void TMDIChild::Ejecutar(F&& f) {
    try {
        f();
    } catch (const ENotPurgeSol&) {
    } catch (const std::exception& e) {
        CDialogos::Avisar(QString::fromUtf8(e.what()));
    }
    if (FPatronActual == 0 || FModeloResultados->rowCount() != FEdicion->Resultados().Filas() - 1) {
        RefrescarSolucion();
    }
    ActualizarPaneles();
}

bool TMDIChild::Guardar() {
    bool guardado = false;
    Ejecutar([&] { guardado = FEdicion->Guardar(); });
    return guardado || !FEdicion->EsNuevo();
}

bool TMDIChild::GuardarComo(const QString& FileName) {
    bool guardado = false;
    Ejecutar([&] {
        guardado = FEdicion->GuardarComo(FileName.toStdString());
        if (guardado) {
            setWindowTitle(QString::fromStdString(Lanzamiento().Nombre()));
            if (parentWidget() != nullptr) {
                parentWidget()->setWindowTitle(windowTitle());
            }
            FPrincipal.EscribirPanel(FileName, 0);
        }
    });
    return guardado;
}

void TMDIChild::GuardarGrillas() {
    FEdicion->GuardarGrillas();
    if (FModeloResultados->columnCount() != FEdicion->Resultados().Columnas() - 1) {
        RefrescarSolucion();
    }
}

void TMDIChild::Adicionar() {
    Ejecutar([&] {
        const int pagina = PaginaActual();
        if (pagina == Pagina::Resultados || pagina == Pagina::Patrones) {
            const std::int32_t k =
                FEdicion->AdicionarPatron(std::max(1, FMateriales->FilaActual()));
            FPaginaPatron->Ajuste().GuardarDeshacer(*Lanzamiento().Solucion().Patron(k), 2);
            RefrescarSolucion();
            SeleccionarPatron(k);
            return;
        }
        CVistaGrilla* g = FUltimaGrilla;
        const int fila = FEdicion->Adicionar(g->Modelo().Tipo());
        g->Modelo().Refrescar();
        g->IrACelda(fila, 1);
        g->setFocus();
    });
}

void TMDIChild::Insertar() {
    Ejecutar([&] {
        CVistaGrilla* g = FUltimaGrilla;
        const int fila = std::max(1, g->FilaActual());
        const int col = std::max(1, g->ColumnaActual());
        if (FEdicion->Insertar(g->Modelo().Tipo(), fila)) {
            g->Modelo().Refrescar();
            g->IrACelda(fila, col);
        }
        g->setFocus();
    });
}

void TMDIChild::Eliminar() {
    Ejecutar([&] {
        const int pagina = PaginaActual();
        if (pagina == Pagina::Patrones || pagina == Pagina::Resultados) {
            int primera = FEdicion->FilaDeSlot(FPatronActual);
            int ultima = primera;
            if (const RSeleccion s = FResultados->Seleccion();
                pagina == Pagina::Resultados && s.Inf > s.Sup) {
                primera = std::max(1, s.Sup);
                ultima = std::min(s.Inf, FEdicion->PatronesMostrados());
            }
            std::vector<std::int32_t> borrados;
            for (int f = primera; f >= 1 && f <= ultima; ++f) {
                borrados.push_back(FEdicion->SlotDeFila(f));
            }
            // From the last slot back, so that each entry's position stays right; every
            // deleted pattern can be brought back by undo.
            std::sort(borrados.rbegin(), borrados.rend());
            FPaginaPatron->FijarPatron(nullptr);
            for (const std::int32_t k : borrados) {
                FPaginaPatron->Ajuste().EliminarPatron(k);
            }
            FEdicion->ConstruirResultados();
            FPatronActual = 0;
            RefrescarSolucion();
            return;
        }
        CVistaGrilla* g = FUltimaGrilla;
        const int fila = FEdicion->Eliminar(g->Modelo().Tipo(), g->Seleccion());
        if (fila != 0) {
            g->Modelo().Refrescar();
            g->IrACelda(fila, 1);
        }
    });
}

void TMDIChild::Copiar() {
    if (PaginaActual() == Pagina::Patrones) {
        FPaginaPatron->Copiar();
        return;
    }
    if (CVistaGrilla* g = FUltimaGrilla; g != nullptr && PaginaActual() <= Pagina::Materiales) {
        QApplication::clipboard()->setText(
            QString::fromStdString(FEdicion->Copiar(g->Modelo().Tipo(), g->Seleccion())));
    }
}

void TMDIChild::Cortar() {
    if (PaginaActual() == Pagina::Patrones) {
        FPaginaPatron->Cortar();
        return;
    }
    if (PaginaActual() <= Pagina::Materiales) {
        Copiar();
        Eliminar();
    }
}

void TMDIChild::Pegar() {
    if (PaginaActual() == Pagina::Patrones) {
        FPaginaPatron->Pegar();
        return;
    }
    Ejecutar([&] {
        CVistaGrilla* g = FUltimaGrilla;
        if (g == nullptr || PaginaActual() > Pagina::Materiales) {
            return;
        }
        const RSeleccion s = FEdicion->Pegar(g->Modelo().Tipo(), std::max(1, g->FilaActual()),
                                             std::max(1, g->ColumnaActual()),
                                             QApplication::clipboard()->text().toStdString());
        g->Modelo().Refrescar();
        g->Seleccionar(s);
    });
}

void TMDIChild::Subir() {
    Ejecutar([&] {
        if (PaginaActual() == Pagina::Resultados) {
            const RSeleccion s = FResultados->Seleccion();
            const int primera = FEdicion->SubirPatrones(s.Sup, s.Inf);
            RefrescarSolucion();
            FResultados->Seleccionar(
                {1, primera, FModeloResultados->columnCount(), primera + s.Inf - s.Sup});
            return;
        }
        CVistaGrilla* g = FUltimaGrilla;
        const RSeleccion s = FEdicion->Subir(g->Modelo().Tipo(), g->Seleccion());
        g->Modelo().RefrescarTextos();
        g->Seleccionar(s);
    });
}

void TMDIChild::Bajar() {
    Ejecutar([&] {
        if (PaginaActual() == Pagina::Resultados) {
            const RSeleccion s = FResultados->Seleccion();
            const int primera = FEdicion->BajarPatrones(s.Sup, s.Inf);
            RefrescarSolucion();
            FResultados->Seleccionar(
                {1, primera, FModeloResultados->columnCount(), primera + s.Inf - s.Sup});
            return;
        }
        CVistaGrilla* g = FUltimaGrilla;
        const RSeleccion s = FEdicion->Bajar(g->Modelo().Tipo(), g->Seleccion());
        g->Modelo().RefrescarTextos();
        g->Seleccionar(s);
    });
}

void TMDIChild::OrdenarResultados(bool ascendente) {
    Ejecutar([&] {
        const int col = FResultados->ColumnaActual();
        FEdicion->OrdenarResultados(col, ascendente);
        RefrescarSolucion();
    });
}

void TMDIChild::ReinicializarSolucion() {
    Ejecutar([&] { FEdicion->ReinicializarSolucion(); });
    RefrescarSolucion();
}

void TMDIChild::MultiplicarCantidades(const QString& factor) {
    Ejecutar([&] {
        CVistaGrilla* g = FUltimaGrilla;
        const RSeleccion s = g->Seleccion();
        try {
            FEdicion->MultiplicarCantidades(g->Modelo().Tipo(), s, factor.toStdString());
        } catch (...) {
            g->Modelo().RefrescarTextos();
            throw;
        }
        g->Modelo().RefrescarTextos();
    });
}

void TMDIChild::Filtrar(const QString& texto, int columna) {
    Ejecutar([&] { FEdicion->FiltrarResultados(texto.toStdString(), columna); });
    RefrescarSolucion();
}

void TMDIChild::Primero() {
    if (PaginaActual() == Pagina::Patrones) {
        FMiniaturas->setCurrentRow(0);
    } else if (CVistaGrilla* g = GrillaDePagina()) {
        g->IrACelda(1, std::max(1, g->ColumnaActual()));
    }
}

void TMDIChild::Anterior() {
    if (PaginaActual() == Pagina::Patrones) {
        FMiniaturas->setCurrentRow(std::max(0, FMiniaturas->currentRow() - 1));
    } else if (CVistaGrilla* g = GrillaDePagina()) {
        g->IrACelda(g->FilaActual() - 1, std::max(1, g->ColumnaActual()));
    }
}

void TMDIChild::Siguiente() {
    if (PaginaActual() == Pagina::Patrones) {
        FMiniaturas->setCurrentRow(
            std::min(FMiniaturas->count() - 1, FMiniaturas->currentRow() + 1));
    } else if (CVistaGrilla* g = GrillaDePagina()) {
        g->IrACelda(g->FilaActual() + 1, std::max(1, g->ColumnaActual()));
    }
}

void TMDIChild::Ultimo() {
    if (PaginaActual() == Pagina::Patrones) {
        FMiniaturas->setCurrentRow(FMiniaturas->count() - 1);
    } else if (CVistaGrilla* g = GrillaDePagina()) {
        const int ultima =
            g == FResultados ? FEdicion->PatronesMostrados() : g->Modelo().rowCount();
        g->IrACelda(ultima, std::max(1, g->ColumnaActual()));
    }
}

void TMDIChild::closeEvent(QCloseEvent* evento) {
    bool puede = false;
    try {
        puede = FEdicion == nullptr ||
                FEdicion->PuedeCerrar([this] { return FPrincipal.GuardarComoVentana(*this); });
    } catch (const std::exception& e) {
        CDialogos::Avisar(QString::fromUtf8(e.what()));
        puede = false;
    }
    if (puede) {
        evento->accept();
    } else {
        evento->ignore();
    }
}
