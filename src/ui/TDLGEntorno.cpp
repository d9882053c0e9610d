#include "ui/TDLGEntorno.h"

#include "document/UEntorno.h"
#include "document/UTextos.h"
#include "ui/CDialogos.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int RolColor = Qt::UserRole + 1;

// Paints the colour of a sub-cell as a filled rectangle instead of text.
class CDelegadoColor : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* pintor, const QStyleOptionViewItem& opcion,
               const QModelIndex& indice) const override {
        if (indice.column() == 0) {
            QStyledItemDelegate::paint(pintor, opcion, indice);
            return;
        }
        QStyleOptionViewItem fondo = opcion;
        fondo.text.clear();
        QStyledItemDelegate::paint(pintor, fondo, indice);
        const QColor color = indice.data(RolColor).value<QColor>();
        pintor->save();
        pintor->setPen(QPen(Qt::black));
        pintor->setBrush(color);
        pintor->drawRect(opcion.rect.adjusted(3, 2, -4, -3));
        pintor->restore();
    }
};

const Qt::BrushStyle Rellenos[8] = {Qt::SolidPattern, Qt::NoBrush,         Qt::HorPattern,
                                    Qt::VerPattern,   Qt::FDiagPattern,    Qt::BDiagPattern,
                                    Qt::CrossPattern, Qt::DiagCrossPattern};

QLineEdit* Carpeta(QWidget* padre, const char* nombre) {
    auto* edicion = new QLineEdit(padre);
    edicion->setObjectName(QString::fromUtf8(nombre));
    return edicion;
}

} // namespace

QColor TDLGEntorno::ColorQt(std::uint32_t color) {
    if ((color & 0x80000000u) != 0) {
        // System colours: 24 is the tool-tip background; the rest follow the window.
        const QPalette paleta = QApplication::palette();
        return (color & 0xFFu) == 24 ? paleta.color(QPalette::ToolTipBase)
                                     : paleta.color(QPalette::Window);
    }
    return QColor(static_cast<int>(color & 0xFFu), static_cast<int>((color >> 8) & 0xFFu),
                  static_cast<int>((color >> 16) & 0xFFu));
}

TDLGEntorno::TDLGEntorno(QWidget* padre) : QDialog(padre) {
    setObjectName(QStringLiteral("TDLGEntorno"));
    setWindowTitle(QString::fromUtf8(Textos::Preferencias));

    auto* colores = new QGroupBox(QString::fromUtf8(Textos::Colores), this);
    FlwColores = new QTreeWidget(colores);
    FlwColores->setObjectName(QStringLiteral("lwColores"));
    FlwColores->setRootIsDecorated(false);
    FlwColores->setSelectionMode(QAbstractItemView::ExtendedSelection);
    FlwColores->setItemDelegate(new CDelegadoColor(FlwColores));
    FlwColores->setHeaderLabels({QString::fromUtf8(Textos::ColumnasColores[0]),
                                 QString::fromUtf8(Textos::ColumnasColores[1]),
                                 QString::fromUtf8(Textos::ColumnasColores[2])});
    FlwColores->header()->setSectionsClickable(true);
    FlwColores->header()->setStretchLastSection(false);
    FlwColores->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    FlwColores->setColumnWidth(1, 70);
    FlwColores->setColumnWidth(2, 70);
    for (int k = 0; k < CEdicionEntorno::CantidadElementos; ++k) {
        new QTreeWidgetItem(FlwColores, {QString::fromUtf8(Textos::ElementosColor[k])});
    }
    auto* btRestaurar = new QPushButton(QString::fromUtf8(Textos::RestaurarColores), colores);
    btRestaurar->setObjectName(QStringLiteral("btRestaurar"));
    auto* capaColores = new QVBoxLayout(colores);
    capaColores->addWidget(FlwColores);
    capaColores->addWidget(btRestaurar, 0, Qt::AlignRight);

    auto* dibujo = new QGroupBox(QString::fromUtf8(Textos::Dibujo), this);
    FcbPatSob = new QComboBox(dibujo);
    FcbPatSob->setObjectName(QStringLiteral("cbPatSob"));
    FcbPatSob->setIconSize(QSize(60, 14));
    FudAnchoLinea = new QSpinBox(dibujo);
    FudAnchoLinea->setObjectName(QStringLiteral("udAnchoLinea"));
    FudAnchoLinea->setRange(0, 5);
    FudAnchoBarra = new QSpinBox(dibujo);
    FudAnchoBarra->setObjectName(QStringLiteral("udAnchoBarra"));
    FudAnchoBarra->setRange(1, 50);
    FcbMiniatura = new QComboBox(dibujo);
    FcbMiniatura->setObjectName(QStringLiteral("cbColoresMiniatura"));
    for (const char* opcion : Textos::OpcionesMiniatura) {
        FcbMiniatura->addItem(QString::fromUtf8(opcion));
    }
    auto* capaDibujo = new QFormLayout(dibujo);
    capaDibujo->addRow(QString::fromUtf8(Textos::RellenoSobrante), FcbPatSob);
    capaDibujo->addRow(QString::fromUtf8(Textos::AnchoLinea), FudAnchoLinea);
    capaDibujo->addRow(QString::fromUtf8(Textos::AnchoBarra), FudAnchoBarra);
    capaDibujo->addRow(QString::fromUtf8(Textos::ColoresMiniatura), FcbMiniatura);

    auto* carpetas = new QGroupBox(QString::fromUtf8(Textos::Carpetas), this);
    FedCarpetaLanzamientos = Carpeta(carpetas, "edCarpetaLanzamientos");
    FedCarpetaPlantillas = Carpeta(carpetas, "edCarpetaPlantillas");
    auto* btLanzamientos = new QToolButton(carpetas);
    btLanzamientos->setObjectName(QStringLiteral("btCarpetaLanzamientos"));
    btLanzamientos->setText(QStringLiteral("..."));
    auto* btPlantillas = new QToolButton(carpetas);
    btPlantillas->setObjectName(QStringLiteral("btCarpetaPlantillas"));
    btPlantillas->setText(QStringLiteral("..."));
    auto* capaCarpetas = new QFormLayout(carpetas);
    auto* filaLanzamientos = new QHBoxLayout;
    filaLanzamientos->addWidget(FedCarpetaLanzamientos, 1);
    filaLanzamientos->addWidget(btLanzamientos);
    auto* filaPlantillas = new QHBoxLayout;
    filaPlantillas->addWidget(FedCarpetaPlantillas, 1);
    filaPlantillas->addWidget(btPlantillas);
    capaCarpetas->addRow(QString::fromUtf8(Textos::CarpetaLanzamientos), filaLanzamientos);
    capaCarpetas->addRow(QString::fromUtf8(Textos::CarpetaPlantillas), filaPlantillas);

    auto* botones = new QDialogButtonBox(this);
    botones->addButton(QString::fromUtf8(Textos::BotonOK), QDialogButtonBox::AcceptRole)
        ->setDefault(true);
    botones->addButton(QString::fromUtf8(Textos::BotonCancelarSimple),
                       QDialogButtonBox::RejectRole);
    connect(botones, &QDialogButtonBox::accepted, this, &TDLGEntorno::accept);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* arriba = new QHBoxLayout;
    arriba->addWidget(colores, 3);
    arriba->addWidget(dibujo, 2);
    auto* capa = new QVBoxLayout(this);
    capa->addLayout(arriba, 1);
    capa->addWidget(carpetas);
    capa->addWidget(botones);
    resize(760, 420);

    connect(FlwColores->header(), &QHeaderView::sectionClicked, this,
            &TDLGEntorno::lwColoresColumnClick);
    connect(btRestaurar, &QPushButton::clicked, this, &TDLGEntorno::btRestaurarClick);
    connect(btLanzamientos, &QToolButton::clicked, this, &TDLGEntorno::btCarpetaLanzamientosClick);
    connect(btPlantillas, &QToolButton::clicked, this, &TDLGEntorno::btCarpetaPlantillasClick);
    Activar();
}

void TDLGEntorno::showEvent(QShowEvent* evento) {
    Activar();
    QDialog::showEvent(evento);
}

void TDLGEntorno::Activar() {
    FEdicion.Cargar(Entorno);
    MostrarColores();
    FcbPatSob->setCurrentIndex(FEdicion.RellenoSobrante);
    FudAnchoLinea->setValue(FEdicion.AnchoLinea);
    FudAnchoBarra->setValue(FEdicion.AnchoBarra);
    FcbMiniatura->setCurrentIndex(FEdicion.ColoresMiniatura);
    FedCarpetaLanzamientos->setText(QString::fromStdString(FEdicion.CarpetaLanzamientos));
    FedCarpetaPlantillas->setText(QString::fromStdString(FEdicion.CarpetaPlantillas));
}

void TDLGEntorno::MostrarColores() {
    const QColor sinColor = QApplication::palette().color(QPalette::Inactive, QPalette::Mid);
    for (int k = 0; k < CEdicionEntorno::CantidadElementos; ++k) {
        QTreeWidgetItem* item = FlwColores->topLevelItem(k);
        const CEdicionEntorno::RElemento& e =
            CEdicionEntorno::Elementos()[static_cast<std::size_t>(k)];
        item->setData(1, RolColor, ColorQt(FEdicion.Color(e.Pantalla)));
        item->setData(2, RolColor, e.Papel == 0 ? sinColor : ColorQt(FEdicion.Color(e.Papel)));
    }
    LlenarRellenos();
}

void TDLGEntorno::LlenarRellenos() {
    const int actual = FcbPatSob->currentIndex();
    const QColor color = ColorQt(FEdicion.Color(REntorno::ColorRellenoSobrante));
    FcbPatSob->clear();
    for (int k = 0; k < 8; ++k) {
        QPixmap muestra(60, 14);
        muestra.fill(Qt::white);
        QPainter pintor(&muestra);
        pintor.setPen(Qt::black);
        pintor.setBrush(QBrush(color, Rellenos[k]));
        pintor.drawRect(0, 0, 59, 13);
        pintor.end();
        FcbPatSob->addItem(QIcon(muestra), QString());
    }
    FcbPatSob->setCurrentIndex(actual < 0 ? FEdicion.RellenoSobrante : actual);
}

void TDLGEntorno::lwColoresColumnClick(int columna) {
    if (columna != 1 && columna != 2) {
        return;
    }
    std::vector<int> filas;
    for (QTreeWidgetItem* item : FlwColores->selectedItems()) {
        filas.push_back(FlwColores->indexOfTopLevelItem(item));
    }
    if (filas.empty()) {
        return;
    }
    QColor inicial =
        FlwColores->topLevelItem(filas.front())->data(columna, RolColor).value<QColor>();
    const std::optional<QColor> color = CDialogos::ElegirColor(this, inicial);
    if (!color) {
        return;
    }
    const std::uint32_t valor = static_cast<std::uint32_t>(color->red()) |
                                (static_cast<std::uint32_t>(color->green()) << 8) |
                                (static_cast<std::uint32_t>(color->blue()) << 16);
    FEdicion.AplicarColor(filas, columna == 2, valor);
    MostrarColores();
}

void TDLGEntorno::btRestaurarClick() {
    FEdicion.RestaurarColores();
    MostrarColores();
}

void TDLGEntorno::btCarpetaLanzamientosClick() {
    const QString carpeta = CDialogos::ElegirCarpeta(this, QString::fromUtf8(Textos::BuscarCarpeta),
                                                     FedCarpetaLanzamientos->text());
    if (!carpeta.isEmpty()) {
        FedCarpetaLanzamientos->setText(carpeta);
    }
}

void TDLGEntorno::btCarpetaPlantillasClick() {
    const QString carpeta = CDialogos::ElegirCarpeta(this, QString::fromUtf8(Textos::BuscarCarpeta),
                                                     FedCarpetaPlantillas->text());
    if (!carpeta.isEmpty()) {
        FedCarpetaPlantillas->setText(carpeta);
    }
}

void TDLGEntorno::accept() {
    FEdicion.RellenoSobrante = FcbPatSob->currentIndex();
    FEdicion.AnchoLinea = FudAnchoLinea->value();
    FEdicion.AnchoBarra = FudAnchoBarra->value();
    FEdicion.ColoresMiniatura = FcbMiniatura->currentIndex();
    FEdicion.CarpetaLanzamientos = FedCarpetaLanzamientos->text().toStdString();
    FEdicion.CarpetaPlantillas = FedCarpetaPlantillas->text().toStdString();
    FEdicion.Guardar(Entorno);
    QDialog::accept();
    emit EntornoCambiado();
}
