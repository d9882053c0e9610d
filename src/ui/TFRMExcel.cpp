#include "ui/TFRMExcel.h"

#include "document/CLibroCalculo.h"
#include "document/UEntorno.h"
#include "document/UTextos.h"
#include "exchange/CLectorLibros.h"
#include "exchange/CLibroErrores.h"
#include "ui/CAplicacionExterna.h"
#include "ui/CDialogos.h"
#include "ui/UTextoQt.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// The column cell: a pick list of A..AZ that also takes typed letters.
class CDelegadoColumna : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* padre, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        auto* combo = new QComboBox(padre);
        combo->setEditable(true);
        combo->addItem(QString());
        for (int c = 1; c <= CImportacion::ColumnasLista; ++c) {
            combo->addItem(QString::fromStdString(CImportacion::LetrasColumna(c)));
        }
        return combo;
    }
    void setEditorData(QWidget* editor, const QModelIndex& indice) const override {
        static_cast<QComboBox*>(editor)->setCurrentText(indice.data().toString());
    }
    void setModelData(QWidget* editor, QAbstractItemModel* modelo,
                      const QModelIndex& indice) const override {
        modelo->setData(indice, static_cast<QComboBox*>(editor)->currentText());
    }
};

// The hourglass while the workbook is read.
struct CCursorEspera {
    CCursorEspera() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CCursorEspera() { QApplication::restoreOverrideCursor(); }
    CCursorEspera(const CCursorEspera&) = delete;
    CCursorEspera& operator=(const CCursorEspera&) = delete;
};

} // namespace

TFRMExcel::TFRMExcel(QWidget* padre) : QDialog(padre) {
    setObjectName(QStringLiteral("TFRMExcel"));
    setWindowTitle(Q(Textos::ImportarTitulo));
    setWindowFlag(Qt::WindowStaysOnTopHint, true);

    FpanFile = new QLabel(this);
    FpanFile->setObjectName(QStringLiteral("panFile"));
    QFont negrita = FpanFile->font();
    negrita.setBold(true);
    negrita.setPointSizeF(negrita.pointSizeF() * 1.3);
    FpanFile->setFont(negrita);
    FpanFile->setAlignment(Qt::AlignCenter);
    FpanFile->setFrameShape(QFrame::StyledPanel);
    FpanFile->setMinimumHeight(30);

    auto* grupoHoja = new QGroupBox(Q(Textos::ImportarGrupoHoja), this);
    FedLibro = new QLineEdit(grupoHoja);
    FedLibro->setObjectName(QStringLiteral("edLibro"));
    FedLibro->setReadOnly(true);
    connect(FedLibro, &QLineEdit::textChanged, FedLibro, &QLineEdit::setToolTip);
    FbtnSeleccionarLibro = new QPushButton(Q(Textos::ImportarAbrirLibro), grupoHoja);
    FbtnSeleccionarLibro->setObjectName(QStringLiteral("btnSeleccionarLibro"));
    FcbHojas = new QComboBox(grupoHoja);
    FcbHojas->setObjectName(QStringLiteral("cbHojas"));
    FckbFirstRow = new QCheckBox(Q(Textos::ImportarPrimeraFila), grupoHoja);
    FckbFirstRow->setObjectName(QStringLiteral("ckbFirstRow"));
    auto* capaHoja = new QGridLayout(grupoHoja);
    capaHoja->addWidget(FedLibro, 0, 0);
    capaHoja->addWidget(FbtnSeleccionarLibro, 0, 1);
    capaHoja->addWidget(FcbHojas, 1, 0, 1, 2);
    capaHoja->addWidget(FckbFirstRow, 2, 0, 1, 2);

    auto* grupoCampos = new QGroupBox(Q(Textos::ImportarGrupoCampos), this);
    FvlwCampos = new QTableWidget(0, 2, grupoCampos);
    FvlwCampos->setObjectName(QStringLiteral("vlwCampos"));
    FvlwCampos->setHorizontalHeaderLabels({Q(Textos::ImportarCampo), Q(Textos::ImportarColumna)});
    FvlwCampos->verticalHeader()->hide();
    FvlwCampos->horizontalHeader()->setStretchLastSection(true);
    FvlwCampos->setSelectionBehavior(QAbstractItemView::SelectRows);
    FvlwCampos->setSelectionMode(QAbstractItemView::SingleSelection);
    FvlwCampos->setItemDelegateForColumn(1, new CDelegadoColumna(FvlwCampos));
    FvlwCampos->setEditTriggers(QAbstractItemView::AllEditTriggers);
    auto* etiquetaValor = new QLabel(Q(Textos::ImportarValor), grupoCampos);
    FedDefault = new QLineEdit(grupoCampos);
    FedDefault->setObjectName(QStringLiteral("edDefault"));
    etiquetaValor->setBuddy(FedDefault);
    auto* capaCampos = new QVBoxLayout(grupoCampos);
    capaCampos->addWidget(FvlwCampos, 1);
    capaCampos->addWidget(etiquetaValor);
    capaCampos->addWidget(FedDefault);

    FbtnExcel = new QPushButton(Q(Textos::ImportarIrExcel), this);
    FbtnExcel->setObjectName(QStringLiteral("btnExcel"));
    FbtnCerrar = new QPushButton(Q(Textos::ImportarCerrar), this);
    FbtnCerrar->setObjectName(QStringLiteral("btnCerrar"));
    FbtnTransfer = new QPushButton(Q(Textos::ImportarImportar), this);
    FbtnTransfer->setObjectName(QStringLiteral("btnTransfer"));
    FbtnTransfer->setEnabled(false);
    FbtnStop = new QPushButton(Q(Textos::ImportarDetener), this);
    FbtnStop->setObjectName(QStringLiteral("btnStop"));
    FbtnStop->setEnabled(false);
    for (QPushButton* b : {FbtnExcel, FbtnCerrar, FbtnTransfer, FbtnStop}) {
        b->setAutoDefault(false);
    }
    FlbProgress = new QLabel(this);
    FlbProgress->setObjectName(QStringLiteral("lbProgress"));
    FlbProgress->hide();
    FlbCount = new QLabel(this);
    FlbCount->setObjectName(QStringLiteral("lbCount"));
    FlbCount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    FlbCount->hide();

    auto* botones = new QHBoxLayout;
    botones->addWidget(FbtnExcel);
    botones->addStretch(1);
    botones->addWidget(FbtnTransfer);
    botones->addWidget(FbtnStop);
    botones->addWidget(FbtnCerrar);
    auto* estado = new QHBoxLayout;
    estado->addWidget(FlbProgress);
    estado->addStretch(1);
    estado->addWidget(FlbCount);
    auto* capa = new QVBoxLayout(this);
    capa->addWidget(FpanFile);
    capa->addWidget(grupoHoja);
    capa->addWidget(grupoCampos, 1);
    capa->addLayout(estado);
    capa->addLayout(botones);
    resize(480, 540);

    connect(FbtnSeleccionarLibro, &QPushButton::clicked, this,
            &TFRMExcel::btnSeleccionarLibroClick);
    connect(FcbHojas, &QComboBox::activated, this, &TFRMExcel::cbHojasChange);
    connect(FckbFirstRow, &QCheckBox::clicked, this, &TFRMExcel::ckbFirstRowClick);
    connect(FbtnTransfer, &QPushButton::clicked, this, &TFRMExcel::btnTransferClick);
    connect(FbtnStop, &QPushButton::clicked, this, [this] { FImportacion.Detener(); });
    connect(FbtnCerrar, &QPushButton::clicked, this, &QDialog::reject);
    connect(FbtnExcel, &QPushButton::clicked, this, &TFRMExcel::btnExcelClick);
    connect(FvlwCampos, &QTableWidget::itemSelectionChanged, this, &TFRMExcel::vlwCamposChange);
    connect(FvlwCampos, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (!FLlenando && item->column() == 1) {
            FImportacion.AsignarColumna(item->row(), item->text().toStdString());
        }
    });
    connect(FedDefault, &QLineEdit::returnPressed, this, [this] {
        GuardarValor();
        FedDefault->selectAll();
    });
    connect(FedDefault, &QLineEdit::editingFinished, this, &TFRMExcel::GuardarValor);
}

TFRMExcel::~TFRMExcel() = default;

void TFRMExcel::FijarTitulo(const QString& titulo) {
    FpanFile->setText(titulo);
}

void TFRMExcel::AgregarCampo(const QString& Nombre, const QString& Columna,
                             const QString& ValorDefecto) {
    FImportacion.AgregarCampo(Nombre.toStdString(), Columna.toStdString(),
                              ValorDefecto.toStdString());
    MostrarColumnas();
    vlwCamposChange();
}

void TFRMExcel::MostrarColumnas() {
    FLlenando = true;
    FvlwCampos->setRowCount(FImportacion.Campos());
    for (int i = 0; i < FImportacion.Campos(); ++i) {
        const RCampoImportacion& c = FImportacion.Campo(i);
        auto* nombre = new QTableWidgetItem(QString::fromStdString(c.Nombre));
        nombre->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        FvlwCampos->setItem(i, 0, nombre);
        FvlwCampos->setItem(i, 1, new QTableWidgetItem(QString::fromStdString(c.Columna)));
    }
    FLlenando = false;
}

void TFRMExcel::vlwCamposChange() {
    const int fila = FvlwCampos->currentRow();
    if (fila >= 0 && fila < FImportacion.Campos()) {
        FedDefault->setText(QString::fromStdString(FImportacion.Campo(fila).Valor));
    }
}

void TFRMExcel::GuardarValor() {
    const int fila = FvlwCampos->currentRow();
    if (fila >= 0 && fila < FImportacion.Campos()) {
        FImportacion.AsignarValor(fila, FedDefault->text().toStdString());
    }
}

void TFRMExcel::showEvent(QShowEvent* evento) {
    // The owner may have declared its fields straight into the import rules.
    MostrarColumnas();
    if (FvlwCampos->rowCount() > 0) {
        FvlwCampos->selectRow(0);
    }
    if (QWidget* p = parentWidget()) {
        const QWidget* principal = p->window();
        move(principal->geometry().center() - rect().center());
    }
    QDialog::showEvent(evento);
}

void TFRMExcel::done(int resultado) {
    // A running transfer ends first; closing then clears the window for its next owner.
    if (FbtnStop->isEnabled()) {
        FImportacion.Detener();
        return;
    }
    FImportacion.LimpiarCampos();
    FImportacion.OnAntes = nullptr;
    FImportacion.OnRegistro = nullptr;
    FImportacion.OnDespues = nullptr;
    FvlwCampos->setRowCount(0);
    FcbHojas->clear();
    FedLibro->clear();
    FedDefault->clear();
    FbtnTransfer->setEnabled(false);
    FckbFirstRow->setChecked(false);
    FLibro.reset();
    FArchivo.clear();
    QDialog::done(resultado);
}

void TFRMExcel::btnSeleccionarLibroClick() {
    const QString archivo =
        CDialogos::AbrirArchivo(this, QString::fromStdString(Entorno.CarpetaLanzamientos),
                                Q(Textos::FiltroLibrosLectura), QStringLiteral("xlsx"));
    if (!archivo.isEmpty()) {
        QCoreApplication::processEvents();
        AbrirLibro(archivo);
    }
}

bool TFRMExcel::AbrirLibro(const QString& archivo) {
    std::unique_ptr<CLibroCalculo> libro;
    try {
        CCursorEspera espera;
        libro = CLectorLibros::Abrir(archivo.toStdString());
    } catch (const std::exception& e) {
        CDialogos::Avisar(std::string(e.what()));
        return false;
    }
    FLibro = std::move(libro);
    FArchivo = archivo;
    FcbHojas->clear();
    for (int i = 0; i < FLibro->Hojas(); ++i) {
        FcbHojas->addItem(QString::fromStdString(FLibro->Hoja(i).Nombre()));
    }
    FedLibro->setText(QString::fromStdString(FLibro->Nombre()));
    FcbHojas->setCurrentIndex(FLibro->HojaActiva());
    FbtnTransfer->setEnabled(true);
    if (FckbFirstRow->isChecked()) {
        ckbFirstRowClick();
    }
    return true;
}

const CHojaCalculo* TFRMExcel::Hoja() const {
    const int i = FcbHojas->currentIndex();
    if (!FLibro || i < 0 || i >= FLibro->Hojas()) {
        return nullptr;
    }
    return &FLibro->Hoja(i);
}

void TFRMExcel::cbHojasChange(int) {
    if (FckbFirstRow->isChecked()) {
        ckbFirstRowClick();
    }
}

void TFRMExcel::ckbFirstRowClick() {
    const CHojaCalculo* hoja = Hoja();
    if (!FckbFirstRow->isChecked() || hoja == nullptr) {
        return;
    }
    CCursorEspera espera;
    FImportacion.MapearEncabezados(*hoja);
    MostrarColumnas();
}

void TFRMExcel::btnTransferClick() {
    const CHojaCalculo* hoja = Hoja();
    if (hoja == nullptr) {
        return;
    }
    GuardarValor();
    FLibroErrores.clear();
    FbtnTransfer->setEnabled(false);
    FbtnCerrar->setEnabled(false);
    FbtnExcel->setEnabled(false);
    FbtnStop->setEnabled(true);
    FlbProgress->show();
    FlbCount->show();
    FbtnStop->setFocus();
    FlbProgress->setText(Q(Textos::ImportandoDatos));
    QCoreApplication::processEvents();
    FImportacion.OnProgreso = [this](const RProgresoImportacion& p) {
        FlbCount->setText(QString::fromStdString(CImportacion::LineaCuenta(p)));
        FlbCount->repaint();
    };
    FImportacion.OnEventos = [] { QCoreApplication::processEvents(); };
    const std::string fallo = FImportacion.Transferir(*hoja, FckbFirstRow->isChecked());
    FImportacion.OnProgreso = nullptr;
    FImportacion.OnEventos = nullptr;
    if (!fallo.empty()) {
        CDialogos::Avisar(fallo);
    }
    if (FImportacion.Erroneos() > 0) {
        const std::string ruta = CLibroErrores::Ruta(FArchivo.toStdString());
        try {
            CLibroErrores::Escribir(ruta, FImportacion.Errores());
            FLibroErrores = QString::fromStdString(ruta);
            CDialogos::Avisar(CLibroErrores::Mensaje(FImportacion.Erroneos(), ruta));
        } catch (const std::exception& e) {
            CDialogos::Avisar(std::string(e.what()));
        }
    }
    CDialogos::Avisar(Q(Textos::ImportacionTerminada));
    FlbCount->hide();
    FlbCount->clear();
    FlbProgress->hide();
    FbtnTransfer->setEnabled(true);
    FbtnCerrar->setEnabled(true);
    FbtnExcel->setEnabled(true);
    FbtnStop->setEnabled(false);
}

void TFRMExcel::btnExcelClick() {
    if (!FArchivo.isEmpty()) {
        CAplicacionExterna::Abrir(FArchivo);
    }
}
