#include "ui/TPaginaPatron.h"

#include "document/CEdicionLanzamiento.h"
#include "document/CLanzamiento.h"
#include "document/CReglasComandos.h"
#include "document/UExcepciones.h"
#include "document/ULongitudes.h"
#include "document/UTextos.h"
#include "engine/CAjuste.h"
#include "engine/CSolucion.h"
#include "patterns/CPatron.h"
#include "patterns/UPropiedades.h"
#include "patterns/USeleccionPatron.h"
#include "ui/CDialogos.h"
#include "ui/TVistaPatron.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDrag>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr const char* Claves[] = {
    Textos::PropDirCorte,     Textos::PropDimCorte,  Textos::PropPieza,    Textos::PropRotada,
    Textos::PropDistribucion, Textos::PropSobranteX, Textos::PropSobranteY};
constexpr int NumClaves = 7;
// The row Enter moves to in the property list (the first offcut row).
constexpr int FilaEnter = 5;
// Dragging a piece starts after this move in either direction.
constexpr int DistanciaArrastre = 10;

CCorte* NodoDeItem(const QTreeWidgetItem* item) {
    return item == nullptr
               ? nullptr
               : reinterpret_cast<CCorte*>(item->data(0, Qt::UserRole).value<quintptr>());
}

// The four images of the cut tree: vertical cut, horizontal cut, piece, empty leaf.
QIcon IconoNodo(int tipo) {
    QPixmap p(16, 16);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setPen(QPen(Qt::black, 1));
    g.setBrush(tipo == 2   ? QColor(0x9C, 0xC3, 0xE6)
               : tipo == 3 ? QColor(0xF2, 0xE0, 0xB0)
                           : QColor(Qt::white));
    g.drawRect(1, 1, 13, 13);
    g.setPen(QPen(QColor(0xC0, 0x30, 0x30), 2));
    if (tipo == 0) {
        g.drawLine(8, 2, 8, 14);
    } else if (tipo == 1) {
        g.drawLine(2, 8, 14, 8);
    } else if (tipo == 3) {
        g.setPen(QPen(QColor(0xA0, 0x80, 0x40), 1));
        for (int d = -12; d <= 12; d += 4) {
            g.drawLine(2 + std::max(0, d), 14 - std::max(0, -d), 14 - std::max(0, -d),
                       2 + std::max(0, d));
        }
    }
    return QIcon(p);
}

int TipoNodo(const CCorte& n) {
    return n.Dir() == 1 ? 0 : n.Dir() == -1 ? 1 : n.TienePieza() ? 2 : 3;
}

// Pick lists of the property list: an editable combo box where the property has one.
class CDelegadoPropiedades : public QStyledItemDelegate {
public:
    CDelegadoPropiedades(std::function<QStringList(int)> lista, QObject* padre)
        : QStyledItemDelegate(padre), FLista(std::move(lista)) {}

    QWidget* createEditor(QWidget* padre, const QStyleOptionViewItem& opcion,
                          const QModelIndex& indice) const override {
        const QStringList lista = FLista(indice.row());
        if (lista.isEmpty()) {
            return QStyledItemDelegate::createEditor(padre, opcion, indice);
        }
        auto* combo = new QComboBox(padre);
        combo->setEditable(true);
        combo->addItems(lista);
        return combo;
    }
    void setEditorData(QWidget* editor, const QModelIndex& indice) const override {
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            combo->setCurrentText(indice.data().toString());
        } else {
            QStyledItemDelegate::setEditorData(editor, indice);
        }
    }
    void setModelData(QWidget* editor, QAbstractItemModel* modelo,
                      const QModelIndex& indice) const override {
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            modelo->setData(indice, combo->currentText());
        } else {
            QStyledItemDelegate::setModelData(editor, modelo, indice);
        }
    }

private:
    std::function<QStringList(int)> FLista;
};

// The pieces inspector's grid: a press selects the piece's column, a move of more than
// 10 pixels drags the piece with the window's token.
class CGrillaPiezas : public QTableWidget {
public:
    explicit CGrillaPiezas(QWidget* padre) : QTableWidget(padre) {}
    QString Ficha;

protected:
    void mousePressEvent(QMouseEvent* e) override {
        QTableWidget::mousePressEvent(e);
        FInicio = e->button() == Qt::LeftButton ? e->position().toPoint() : QPoint(-1, -1);
        const int col = columnAt(FInicio.x());
        if (col >= 0) {
            setCurrentCell(0, col);
        }
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        if (FInicio.x() < 0 || !(e->buttons() & Qt::LeftButton)) {
            return;
        }
        const QPoint d = e->position().toPoint() - FInicio;
        if (std::abs(d.x()) <= DistanciaArrastre && std::abs(d.y()) <= DistanciaArrastre) {
            return;
        }
        const int col = columnAt(FInicio.x());
        FInicio = QPoint(-1, -1);
        if (col < 0) {
            return;
        }
        auto* datos = new QMimeData;
        datos->setData(QString::fromUtf8(TVistaPatron::TipoMimePieza),
                       QStringLiteral("%1;%2").arg(Ficha).arg(col + 1).toUtf8());
        auto* arrastre = new QDrag(this);
        arrastre->setMimeData(datos);
        arrastre->exec(Qt::CopyAction);
    }

private:
    QPoint FInicio{-1, -1};
};

QGroupBox* Grupo(const char* titulo, const char* nombre) {
    auto* g = new QGroupBox(QString::fromUtf8(titulo));
    g->setObjectName(QString::fromUtf8(nombre));
    return g;
}

} // namespace

TPaginaPatron::TPaginaPatron(CEdicionLanzamiento& edicion, QWidget* padre)
    : QWidget(padre), FEdicion(edicion), FAjuste(std::make_unique<CAjuste>(edicion.Lanzamiento())) {
    CrearControles();
}

TPaginaPatron::~TPaginaPatron() = default;

void TPaginaPatron::CrearControles() {
    auto* caja = new QHBoxLayout(this);
    caja->setContentsMargins(0, 0, 0, 0);
    auto* division = new QSplitter(Qt::Horizontal);
    caja->addWidget(division);

    auto* dibujo = new QWidget;
    auto* rejilla = new QGridLayout(dibujo);
    rejilla->setContentsMargins(0, 0, 0, 0);
    rejilla->setSpacing(0);
    FVista = new TVistaPatron;
    FVista->FijarFichaArrastre(QStringLiteral("%1").arg(reinterpret_cast<quintptr>(this), 0, 16));
    FBarraH = new QScrollBar(Qt::Horizontal);
    FBarraH->setObjectName(QStringLiteral("ScrollBar1"));
    FBarraV = new QScrollBar(Qt::Vertical);
    FBarraV->setObjectName(QStringLiteral("ScrollBar2"));
    // Showing a bar must not resize the drawing, which would return it to zoom 1.
    for (QScrollBar* b : {FBarraH, FBarraV}) {
        QSizePolicy politica = b->sizePolicy();
        politica.setRetainSizeWhenHidden(true);
        b->setSizePolicy(politica);
        b->hide();
    }
    rejilla->addWidget(FVista, 0, 0);
    rejilla->addWidget(FBarraV, 0, 1);
    rejilla->addWidget(FBarraH, 1, 0);
    division->addWidget(dibujo);

    auto* inspector = new QSplitter(Qt::Vertical);
    inspector->setObjectName(QStringLiteral("pnInspector"));
    QGroupBox* patron = Grupo(Textos::InspectorPatron, "pnInspectorPatron");
    auto* cajaPatron = new QVBoxLayout(patron);
    cajaPatron->setContentsMargins(2, 2, 2, 2);
    FArbol = new QTreeWidget;
    FArbol->setObjectName(QStringLiteral("TreeView1"));
    FArbol->setHeaderHidden(true);
    FArbol->setColumnCount(1);
    FArbol->setUniformRowHeights(true);
    FPropiedades = new QTableWidget(NumClaves, 2);
    FPropiedades->setObjectName(QStringLiteral("vlvSP"));
    FPropiedades->setHorizontalHeaderLabels(
        {QString::fromUtf8(Textos::ColPropiedad), QString::fromUtf8(Textos::ColValor)});
    FPropiedades->verticalHeader()->hide();
    FPropiedades->verticalHeader()->setDefaultSectionSize(FPropiedades->fontMetrics().height() + 8);
    FPropiedades->horizontalHeader()->setStretchLastSection(true);
    FPropiedades->setSelectionMode(QAbstractItemView::SingleSelection);
    FPropiedades->setEditTriggers(
        QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
        QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    for (int f = 0; f < NumClaves; ++f) {
        auto* clave = new QTableWidgetItem(QString::fromUtf8(Claves[f]));
        clave->setFlags(Qt::ItemIsEnabled);
        FPropiedades->setItem(f, 0, clave);
        FPropiedades->setItem(f, 1, new QTableWidgetItem);
    }
    FPropiedades->resizeColumnToContents(0);
    FPropiedades->setItemDelegateForColumn(
        1, new CDelegadoPropiedades(
               [this](int fila) {
                   QStringList lista;
                   if (FPatron == nullptr || fila < 0 || fila >= NumClaves) {
                       return lista;
                   }
                   const std::string clave = Claves[fila];
                   const auto valores = clave == Textos::PropPieza
                                            ? ListaPiezasPropiedad(FEdicion.Grilla(TGrilla::Piezas),
                                                                   FPatron->Barras())
                                            : ListaPropiedad(clave);
                   for (const std::string& v : valores) {
                       lista << QString::fromStdString(v);
                   }
                   return lista;
               },
               FPropiedades));
    cajaPatron->addWidget(FArbol, 3);
    cajaPatron->addWidget(FPropiedades, 2);
    inspector->addWidget(patron);
    FInspectorPatron = patron;

    QGroupBox* piezas = Grupo(Textos::InspectorPiezas, "pnInspectorPiezas");
    auto* cajaPiezas = new QVBoxLayout(piezas);
    cajaPiezas->setContentsMargins(2, 2, 2, 2);
    auto* grilla = new CGrillaPiezas(piezas);
    grilla->Ficha = QStringLiteral("%1").arg(reinterpret_cast<quintptr>(this), 0, 16);
    FPiezas = grilla;
    FPiezas->setObjectName(QStringLiteral("sgRealVsOrder"));
    FPiezas->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FPiezas->setSelectionMode(QAbstractItemView::SingleSelection);
    FPiezas->setSelectionBehavior(QAbstractItemView::SelectColumns);
    FPiezas->setMaximumHeight(FPiezas->fontMetrics().height() * 5);
    FRotadas = new QCheckBox(QString::fromUtf8(Textos::Rotadas));
    FRotadas->setObjectName(QStringLiteral("ckbRotada"));
    // The panels follow the current piece; their width must not move the splitter.
    auto* filaPaneles = new QWidget;
    filaPaneles->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    auto* paneles = new QHBoxLayout(filaPaneles);
    paneles->setContentsMargins(0, 0, 0, 0);
    paneles->setSpacing(3);
    for (int i = 0; i < 5; ++i) {
        FPaneles[i] = new QLabel;
        FPaneles[i]->setObjectName(QStringLiteral("pnPieza%1").arg(i));
        FPaneles[i]->setFrameShape(QFrame::StyledPanel);
        FPaneles[i]->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        paneles->addWidget(FPaneles[i]);
    }
    paneles->addStretch(1);
    cajaPiezas->addWidget(FPiezas);
    cajaPiezas->addWidget(FRotadas);
    cajaPiezas->addWidget(filaPaneles);
    inspector->addWidget(piezas);
    FInspectorPiezas = piezas;
    inspector->setStretchFactor(0, 3);
    inspector->setStretchFactor(1, 1);
    division->addWidget(inspector);
    division->setStretchFactor(0, 1);
    division->setStretchFactor(1, 0);
    division->setCollapsible(0, false);
    division->setSizes({100000, 400});

    // Enter in the property list goes to the offcut rows, the ones most often typed after a
    // piece or a cut.
    FPropiedades->installEventFilter(this);
    // The inspector's titles are bold while the focus is inside it.
    connect(qApp, &QApplication::focusChanged, this, [inspector](QWidget*, QWidget* ahora) {
        const bool dentro = ahora != nullptr && inspector->isAncestorOf(ahora);
        if (dentro != !inspector->styleSheet().isEmpty()) {
            inspector->setStyleSheet(dentro ? QStringLiteral("QGroupBox { font-weight: bold; }")
                                            : QString());
        }
    });

    connect(FVista, &TVistaPatron::NodoElegido, this, &TPaginaPatron::Seleccionar);
    connect(FVista, &TVistaPatron::PiezaSoltada, this, &TPaginaPatron::SoltarPieza);
    connect(FVista, &TVistaPatron::TeclaNavegacion, this, &TPaginaPatron::Navegar);
    connect(FVista, &TVistaPatron::ZoomCambiado, this, &TPaginaPatron::ActualizarBarras);
    connect(FBarraH, &QScrollBar::valueChanged, this, [this](int v) {
        if (v != FVista->EstadoZoom().BarraHorizontal().Posicion) {
            FVista->DesplazarHorizontal(v);
        }
    });
    connect(FBarraV, &QScrollBar::valueChanged, this, [this](int v) {
        if (v != FVista->EstadoZoom().BarraVertical().Posicion) {
            FVista->DesplazarVertical(v);
        }
    });
    connect(FArbol, &QTreeWidget::currentItemChanged, this, &TPaginaPatron::AlElegirEnArbol);
    connect(FPropiedades, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (item->column() == 1) {
            ValidarPropiedad(item->row());
        }
    });
    connect(FPiezas, &QTableWidget::currentCellChanged, this, &TPaginaPatron::ActualizarPaneles);
    connect(FRotadas, &QCheckBox::toggled, this, [this] {
        ActualizarMarcas();
        ActualizarPaneles();
        FPiezas->setFocus();
    });
    LlenarPropiedades();
}

// ---- Showing -------------------------------------------------------------------------------

void TPaginaPatron::FijarPatron(CPatron* patron) {
    FPatron = patron;
    FSeleccion = nullptr;
    FVista->FijarPatron(patron);
    ConstruirArbol();
    ActualizarPiezas();
}

void TPaginaPatron::ConstruirArbol() {
    const QSignalBlocker bloqueo(FArbol);
    FArbol->clear();
    FItems.clear();
    if (FPatron == nullptr) {
        LlenarPropiedades();
        return;
    }
    static const QIcon iconos[4] = {IconoNodo(0), IconoNodo(1), IconoNodo(2), IconoNodo(3)};
    const std::vector<RNodoArbol> nodos = NodosEnOrden(*FPatron);
    std::vector<QTreeWidgetItem*> items(nodos.size(), nullptr);
    for (std::size_t i = 0; i < nodos.size(); ++i) {
        const RNodoArbol& e = nodos[i];
        QTreeWidgetItem* item = e.Padre < 0
                                    ? new QTreeWidgetItem(FArbol)
                                    : new QTreeWidgetItem(items[static_cast<std::size_t>(e.Padre)]);
        item->setText(0, QString::fromStdString(TextoNodo(*FPatron, *e.Nodo, e.X, e.Y)));
        item->setIcon(0, iconos[TipoNodo(*e.Nodo)]);
        item->setData(0, Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(e.Nodo)));
        items[i] = item;
        FItems[e.Nodo] = item;
    }
    FArbol->expandAll();
    if (QTreeWidgetItem* item = FSeleccion != nullptr ? FItems[FSeleccion] : nullptr) {
        FArbol->setCurrentItem(item);
        FArbol->scrollToItem(item);
    }
}

void TPaginaPatron::Seleccionar(CCorte* nodo) {
    if (nodo != nullptr && FItems.count(nodo) == 0) {
        nodo = nullptr;
    }
    FSeleccion = nodo;
    FVista->FijarSeleccion(nodo);
    if (!FEligiendo) {
        const QSignalBlocker bloqueo(FArbol);
        if (nodo != nullptr) {
            FArbol->setCurrentItem(FItems[nodo]);
            FArbol->scrollToItem(FItems[nodo]);
        } else {
            FArbol->setCurrentItem(nullptr);
            FArbol->clearSelection();
        }
    }
    LlenarPropiedades();
    ActualizarMarcas();
    ActualizarPaneles();
}

void TPaginaPatron::AlElegirEnArbol() {
    FEligiendo = true;
    Seleccionar(NodoDeItem(FArbol->currentItem()));
    FEligiendo = false;
}

void TPaginaPatron::Navegar(int tecla) {
    if (FSeleccion == nullptr || FPatron == nullptr) {
        emit MoverPatron(tecla);
        return;
    }
    const std::vector<RNodoArbol> nodos = NodosEnOrden(*FPatron);
    const auto ultimo = static_cast<std::ptrdiff_t>(nodos.size()) - 1;
    std::ptrdiff_t i = 0;
    while (i < ultimo && nodos[static_cast<std::size_t>(i)].Nodo != FSeleccion) {
        ++i;
    }
    switch (tecla) {
    case Qt::Key_Home:
        i = 0;
        break;
    case Qt::Key_End:
        i = ultimo;
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
        i = std::max<std::ptrdiff_t>(0, i - 1);
        break;
    default:
        i = std::min(ultimo, i + 1);
        break;
    }
    Seleccionar(nodos[static_cast<std::size_t>(i)].Nodo);
}

void TPaginaPatron::LlenarPropiedades() {
    FLlenando = true;
    const QColor soloLectura = palette().color(QPalette::Window);
    const QColor textoSoloLectura = palette().color(QPalette::Disabled, QPalette::Text);
    for (int f = 0; f < NumClaves; ++f) {
        QTableWidgetItem* item = FPropiedades->item(f, 1);
        const bool hay = FPatron != nullptr && FSeleccion != nullptr;
        const bool editable = hay && PropiedadEditable(*FPatron, *FSeleccion, Claves[f]);
        item->setText(hay ? QString::fromStdString(ValorPropiedad(*FPatron, *FSeleccion, Claves[f]))
                          : QString());
        item->setFlags(editable ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable
                                : Qt::ItemIsEnabled);
        item->setBackground(editable ? QBrush() : QBrush(soloLectura));
        item->setForeground(editable ? QBrush() : QBrush(textoSoloLectura));
        FPropiedades->item(f, 0)->setBackground(editable ? QBrush() : QBrush(soloLectura));
    }
    FPropiedades->setEnabled(FSeleccion != nullptr);
    FLlenando = false;
}

void TPaginaPatron::ValidarPropiedad(int fila) {
    if (FLlenando || FValidando || FPatron == nullptr || FSeleccion == nullptr || fila < 0 ||
        fila >= NumClaves) {
        return;
    }
    FValidando = true;
    const std::string valor = FPropiedades->item(fila, 1)->text().toStdString();
    CCorte* n = FSeleccion;
    Ejecutar(n, [&] { FAjuste->AsignarPropiedad(*FPatron, *n, valor, Claves[fila]); });
    FValidando = false;
}

void TPaginaPatron::ActualizarPiezas() {
    const CLanzamiento& job = FEdicion.Lanzamiento();
    // A job read with errors may not even say how many pieces it has: nothing is shown.
    int np = 0;
    std::vector<RTotalesPieza> totales;
    try {
        np = job.CantidadPiezas();
        totales = job.Solucion().TotalesPorPieza(np);
    } catch (const std::exception&) {
        np = 0;
    }
    const QSignalBlocker bloqueo(FPiezas);
    const int col = FPiezas->currentColumn();
    FPiezas->setRowCount(1);
    FPiezas->setColumnCount(np);
    FPiezas->setVerticalHeaderLabels({QString::fromUtf8(Textos::FilaDiferencia)});
    for (int i = 1; i <= np; ++i) {
        long long pedidas = 0;
        try {
            pedidas = job.CantidadPieza(i);
        } catch (const std::exception&) {
            pedidas = 0;
        }
        const std::int64_t dif = totales[static_cast<std::size_t>(i)].Produccion - pedidas;
        auto* item = new QTableWidgetItem(QString::number(dif));
        item->setData(Qt::UserRole, QVariant::fromValue<qlonglong>(dif));
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        FPiezas->setItem(0, i - 1, item);
    }
    FPiezas->resizeColumnsToContents();
    if (np > 0) {
        FPiezas->setCurrentCell(0, std::clamp(col, 0, np - 1));
    }
    ActualizarMarcas();
    ActualizarPaneles();
}

void TPaginaPatron::ActualizarMarcas() {
    const int np = FPiezas->columnCount();
    std::vector<std::int64_t> diferencias(static_cast<std::size_t>(np) + 1, 0);
    for (int i = 1; i <= np; ++i) {
        diferencias[static_cast<std::size_t>(i)] =
            FPiezas->item(0, i - 1)->data(Qt::UserRole).toLongLong();
    }
    std::vector<bool> marcas;
    if (FPatron != nullptr) {
        try {
            marcas = MarcasPiezas(*FPatron, FSeleccion, FEdicion.Lanzamiento(), diferencias,
                                  FRotadas->isChecked());
        } catch (const std::exception&) {
            marcas.clear();
        }
    }
    QStringList titulos;
    for (int i = 1; i <= np; ++i) {
        const bool marca =
            static_cast<std::size_t>(i) < marcas.size() && marcas[static_cast<std::size_t>(i)];
        titulos << (marca ? QStringLiteral(">P%1") : QStringLiteral("P%1")).arg(i);
    }
    FPiezas->setHorizontalHeaderLabels(titulos);
}

void TPaginaPatron::ActualizarPaneles() {
    QStringList textos;
    const CLanzamiento& job = FEdicion.Lanzamiento();
    const int pieza = FPiezas->currentColumn() + 1;
    if (pieza >= 1 && pieza <= FPiezas->columnCount()) {
        try {
            const ROpciones& o = job.Opciones();
            std::int32_t pl = job.LargoPieza(pieza);
            std::int32_t pw = job.AnchoPieza(pieza);
            if (FRotadas->isChecked()) {
                std::swap(pl, pw);
            }
            const auto largo = [&o](std::int32_t v) {
                return QString::fromStdString(FormatearLongitud(v, o));
            };
            textos << QStringLiteral("%1: %2").arg(QString::fromUtf8(Textos::PanelLargo), largo(pl))
                   << QStringLiteral("%1: %2").arg(QString::fromUtf8(Textos::PanelAncho),
                                                   largo(pw));
            if (FPatron != nullptr && FSeleccion != nullptr) {
                const REncajePieza e = EncajePieza(*FPatron, *FSeleccion, pl, pw);
                const bool barras = FPatron->Barras();
                textos << QStringLiteral("%1: %2").arg(
                    QString::fromUtf8(Textos::PanelDistrib),
                    barras ? QString::number(e.CuentaX)
                           : QStringLiteral("%1x%2").arg(e.CuentaX).arg(e.CuentaY));
                if (e.RestoX > 0) {
                    textos << QStringLiteral("%1: %2").arg(QString::fromUtf8(Textos::PanelSobX),
                                                           largo(e.RestoX));
                }
                if (!barras && e.RestoY > 0) {
                    textos << QStringLiteral("%1: %2").arg(QString::fromUtf8(Textos::PanelSobY),
                                                           largo(e.RestoY));
                }
            }
        } catch (const std::exception&) {
            textos.clear();
        }
    }
    for (int i = 0; i < 5; ++i) {
        FPaneles[i]->setText(textos.value(i));
        FPaneles[i]->setVisible(i < textos.size());
        FPaneles[i]->adjustSize();
    }
}

void TPaginaPatron::ActualizarBarras() {
    const CZoomPatron& z = FVista->EstadoZoom();
    const auto aplicar = [](QScrollBar* barra, const CZoomPatron::RBarra& b) {
        const QSignalBlocker bloqueo(barra);
        barra->setRange(b.Minimo, b.Maximo);
        barra->setPageStep(b.Pagina);
        barra->setSingleStep(std::max(1, b.Pagina / 20));
        barra->setValue(b.Posicion);
        barra->setVisible(b.Visible);
    };
    aplicar(FBarraH, z.BarraHorizontal());
    aplicar(FBarraV, z.BarraVertical());
}

// ---- Changes -------------------------------------------------------------------------------

template <class F> void TPaginaPatron::Ejecutar(CCorte* n, F&& f) {
    if (FPatron == nullptr || n == nullptr) {
        return;
    }
    try {
        f();
    } catch (const ENotPurgeSol&) {
    } catch (const std::exception& e) {
        CDialogos::Avisar(QString::fromUtf8(e.what()));
    }
    Refrescar(n);
}

void TPaginaPatron::Refrescar(CCorte* n) {
    FVista->FijarSeleccion(nullptr);
    FVista->Invalidar();
    FSeleccion = n;
    ConstruirArbol();
    emit PatronModificado();
    ActualizarPiezas();
    Seleccionar(n);
}

void TPaginaPatron::SoltarPieza(int pieza) {
    CCorte* n = FSeleccion;
    const bool rotada = FRotadas->isChecked();
    Ejecutar(n, [&] { FAjuste->SoltarPieza(*FPatron, *n, pieza, rotada); });
}

bool TPaginaPatron::Comando(const QString& accion) {
    static const std::pair<const char*, EAjuste> ajustes[] = {
        {"EditCorteVer", EAjuste::CorteVer}, {"EditCorteHor", EAjuste::CorteHor},
        {"EditUnir", EAjuste::Unir},         {"EditIntercambiar", EAjuste::Intercambiar},
        {"EditAmpliar", EAjuste::Ampliar},   {"EditReducir", EAjuste::Reducir},
        {"EditVerToHor", EAjuste::VerAHor},  {"EditHorToVer", EAjuste::HorAVer},
        {"EditLimpiar", EAjuste::Limpiar},
    };
    for (const auto& [nombre, op] : ajustes) {
        if (accion == QLatin1String(nombre)) {
            CCorte* n = FSeleccion;
            Ejecutar(n, [&] { FAjuste->Ejecutar(*FPatron, *n, op); });
            return true;
        }
    }
    if (accion == QLatin1String("EditDeseleccionarSP")) {
        Seleccionar(nullptr);
    } else if (accion == QLatin1String("EditUndoAdjusting")) {
        if (!FAjuste->PuedeDeshacer()) {
            return true;
        }
        // The patterns the page shows may be replaced by their snapshots.
        FijarPatron(nullptr);
        emit Deshecho(FAjuste->Deshacer());
    } else if (accion == QLatin1String("VerInspectorPatron")) {
        FInspectorPatron->setVisible(FInspectorPatron->isHidden());
    } else if (accion == QLatin1String("VerInspectorPiezas")) {
        FInspectorPiezas->setVisible(FInspectorPiezas->isHidden());
    } else {
        return false;
    }
    return true;
}

void TPaginaPatron::Copiar() {
    if (FSeleccion != nullptr) {
        QApplication::clipboard()->setText(
            QString::fromStdString(CAjuste::TextoCopia(*FSeleccion)));
    }
}

void TPaginaPatron::Cortar() {
    Copiar();
    Comando(QStringLiteral("EditLimpiar"));
}

void TPaginaPatron::Pegar() {
    CCorte* n = FSeleccion;
    const std::string texto = QApplication::clipboard()->text().toStdString();
    Ejecutar(n, [&] { FAjuste->Pegar(*FPatron, *n, texto); });
}

bool TPaginaPatron::PuedePegar() const {
    return FSeleccion != nullptr &&
           CAjuste::EsTextoCorte(QApplication::clipboard()->text().toStdString());
}

void TPaginaPatron::AsignarEtiqueta(const std::string& formato, bool propagar) {
    CCorte* n = FSeleccion;
    Ejecutar(n, [&] { FAjuste->AsignarEtiqueta(*FPatron, *n, formato, propagar); });
}

bool TPaginaPatron::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == FPropiedades && evento->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent*>(evento)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            FPropiedades->setCurrentCell(FilaEnter, 1);
            return true;
        }
    }
    return QWidget::eventFilter(objeto, evento);
}

void TPaginaPatron::EditarEtiqueta(const std::function<bool(CAjuste&, CPatron&, CCorte&)>& editar) {
    CCorte* n = FSeleccion;
    if (FPatron != nullptr && n != nullptr && editar(*FAjuste, *FPatron, *n)) {
        Refrescar(n);
    }
}

void TPaginaPatron::LlenarEstado(REstadoComandos& e) const {
    if (e.Pagina == Pagina::Patrones && FPatron != nullptr) {
        e.SemiproductoSeleccionado = FSeleccion != nullptr;
        e.Ajustes = CAjuste::Posibles(*FPatron, FSeleccion);
    }
    e.HayDeshacer = FAjuste->PuedeDeshacer();
    e.InspectorPatronVisible = !FInspectorPatron->isHidden();
}
