#include "ui/TDlgOpciones.h"

#include "document/CLanzamiento.h"
#include "document/UEntorno.h"
#include "document/UExcepciones.h"
#include "document/UTextos.h"
#include "patterns/UArchivoFormato.h"
#include "ui/CDialogos.h"
#include "ui/TDLGGenerarEti.h"
#include "ui/TDlgConfigurarPagina.h"
#include "ui/UTextoQt.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <exception>

namespace {

QString Q(const std::string& texto) {
    return QString::fromStdString(texto);
}

// Runs an edit; an error is shown and answers false (nothing was stored).
template <class F> bool Intentar(F&& f) {
    try {
        f();
        return true;
    } catch (const std::exception& e) {
        CDialogos::Avisar(std::string(e.what()));
        return false;
    }
}

} // namespace

TDlgOpciones::TDlgOpciones(QWidget* padre) : QDialog(padre) {
    setObjectName(QStringLiteral("TDlgOpciones"));
    setWindowTitle(Q(Textos::OpcionesLanzamiento));
    FPaginas = Nombrado(new QTabWidget(this), "pcOpciones");
    FPaginas->addTab(PaginaUnidades(), Q(Textos::PaginasOpciones[0]));
    FPaginas->addTab(PaginaCalculo(), Q(Textos::PaginasOpciones[1]));
    FPaginas->addTab(PaginaCorte(), Q(Textos::PaginasOpciones[2]));
    FPaginas->addTab(PaginaEtiquetas(), Q(Textos::PaginasOpciones[3]));
    FPaginas->addTab(PaginaSalidas(), Q(Textos::PaginasOpciones[4]));

    FckbDefault = Nombrado(new QCheckBox(Q(Textos::GuardarEnPlantilla), this), "ckbDefault");
    auto* botones = new QDialogButtonBox(this);
    auto* ok = botones->addButton(Q(Textos::BotonOK), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    botones->addButton(Q(Textos::BotonCancelarSimple), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("CancelBtn"));
    connect(botones, &QDialogButtonBox::accepted, this, &TDlgOpciones::OKBtnClick);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* pie = new QHBoxLayout;
    pie->addWidget(FckbDefault);
    pie->addStretch(1);
    pie->addWidget(botones);
    auto* capa = new QVBoxLayout(this);
    capa->addWidget(FPaginas, 1);
    capa->addLayout(pie);
    FlbNota->setText(Q(CEdicionOpciones::NotaNivel(2)));
    resize(560, 440);
}

// ---- Pages ----

QWidget* TDlgOpciones::PaginaUnidades() {
    auto* pagina = new QWidget;
    FcbUnitType = Nombrado(new QComboBox(pagina), "cbUnitType");
    for (const char* tipo : Textos::TiposUnidad) {
        FcbUnitType->addItem(Q(tipo));
    }
    FcbPresicion = Nombrado(new QComboBox(pagina), "cbPresicion");
    FcbUnitName = Nombrado(new QComboBox(pagina), "cbUnitName");
    FcbUnitName->setEditable(true);
    for (const char* nombre : Textos::NombresUnidad) {
        FcbUnitName->addItem(Q(nombre));
    }
    FcbSuprimir = Nombrado(new QCheckBox(Q(Textos::SuprimirCeros), pagina), "cbSuprimir");
    FlbSample = Nombrado(new QLabel(pagina), "lbSample");
    QFont negrita = FlbSample->font();
    negrita.setBold(true);
    FlbSample->setFont(negrita);
    auto* formulario = new QFormLayout;
    formulario->addRow(Q(Textos::TipoDeUnidad), FcbUnitType);
    formulario->addRow(Q(Textos::PrecisionUnidad), FcbPresicion);
    FlbUnitName = new QLabel(Q(Textos::NombreDeUnidad), pagina);
    formulario->addRow(FlbUnitName, FcbUnitName);
    formulario->addRow(QString(), FcbSuprimir);
    formulario->addRow(Q(Textos::Muestra), FlbSample);

    auto* conversion = new QGroupBox(Q(Textos::ConversionUnidades), pagina);
    FedOldUnit = Nombrado(new QLineEdit(QStringLiteral("1"), conversion), "edOldUnit");
    FedCurrentUnit = Nombrado(new QLineEdit(QStringLiteral("1"), conversion), "edCurrentUnit");
    FedOldUnit->setMaximumWidth(120);
    FedCurrentUnit->setMaximumWidth(120);
    FbtConvertir = Nombrado(new QPushButton(Q(Textos::Convertir), conversion), "btConvertir");
    FbtDeshacer = Nombrado(new QPushButton(Q(Textos::Deshacer), conversion), "btDeshacer");
    FbtDeshacer->setEnabled(false);
    auto* rejilla = new QGridLayout(conversion);
    rejilla->addWidget(new QLabel(Q(Textos::UnidadAnterior), conversion), 0, 0);
    rejilla->addWidget(FedOldUnit, 0, 1);
    rejilla->addWidget(FbtConvertir, 0, 2);
    rejilla->addWidget(new QLabel(Q(Textos::UnidadActual), conversion), 1, 0);
    rejilla->addWidget(FedCurrentUnit, 1, 1);
    rejilla->addWidget(FbtDeshacer, 1, 2);

    auto* capa = new QVBoxLayout(pagina);
    capa->addLayout(formulario);
    capa->addWidget(conversion);
    capa->addStretch(1);

    connect(FcbUnitType, &QComboBox::currentIndexChanged, this, [this] {
        if (FCargando) {
            return;
        }
        FEdicion.FijarTipoUnidad(FcbUnitType->currentIndex());
        LlenarPrecisiones();
        CambioUnidades();
    });
    connect(FcbPresicion, &QComboBox::currentIndexChanged, this, [this] { CambioUnidades(); });
    connect(FcbUnitName, &QComboBox::currentTextChanged, this, [this] { CambioUnidades(); });
    connect(FcbSuprimir, &QCheckBox::toggled, this, [this] { CambioUnidades(); });
    connect(FbtConvertir, &QPushButton::clicked, this, &TDlgOpciones::btConvertirClick);
    connect(FbtDeshacer, &QPushButton::clicked, this, &TDlgOpciones::btDeshacerClick);
    return pagina;
}

QWidget* TDlgOpciones::PaginaCalculo() {
    auto* pagina = new QWidget;
    FtrbNivel = Nombrado(new QSlider(Qt::Horizontal, pagina), "trbNivel");
    FtrbNivel->setRange(1, 3);
    FtrbNivel->setPageStep(1);
    FtrbNivel->setTickPosition(QSlider::TicksBelow);
    FudNivelInicial = Nombrado(new QSpinBox(pagina), "udNivelInicial");
    FudNivelInicial->setRange(1, 3);
    FudNivelInicial->setMaximumWidth(80);
    FudNivelInicial->findChild<QLineEdit*>()->setReadOnly(true);
    FlbNota = Nombrado(new QLabel(pagina), "lbNota");
    FlbNota->setWordWrap(true);
    FckbOCTeorica = Nombrado(new QCheckBox(Q(Textos::CalcularTeorica), pagina), "ckbOCTeorica");
    FckbOCRedondeo =
        Nombrado(new QCheckBox(Q(Textos::RedondearMinimizando), pagina), "ckbOCRedondeo");
    FpnRedondeo = Nombrado(new QWidget(pagina), "pnRedondeo");
    FrbDesvStd = Nombrado(new QRadioButton(Q(Textos::DesvEstandard), FpnRedondeo), "rbDesvStd");
    FrbAreaTotal = Nombrado(new QRadioButton(Q(Textos::AreaTotal), FpnRedondeo), "rbAreaTotal");
    auto* criterio = new QHBoxLayout(FpnRedondeo);
    criterio->setContentsMargins(24, 0, 0, 0);
    criterio->addWidget(FrbDesvStd);
    criterio->addWidget(FrbAreaTotal);
    criterio->addStretch(1);
    FckbOCCompletamiento =
        Nombrado(new QCheckBox(Q(Textos::CompletarExacta), pagina), "ckbOCCompletamiento");
    FckbOCPreferir = Nombrado(new QCheckBox(Q(Textos::PreferirVarios), pagina), "ckbOCPreferir");
    FckbOCMantener = Nombrado(new QCheckBox(Q(Textos::MantenerPatrones), pagina), "ckbOCMantener");
    FckbOCExtender = Nombrado(new QCheckBox(Q(Textos::ExtenderAl), pagina), "ckbOCExtender");
    FedPorcentajeMat = Nombrado(new QLineEdit(pagina), "edPorcentajeMat");
    FedPorcentajeMat->setMaximumWidth(50);
    FckbOCMejorar = Nombrado(new QCheckBox(Q(Textos::MejorarSolucion), pagina), "ckbOCMejorar");
    FudTiempoMejora = Nombrado(new QSpinBox(pagina), "udTiempoMejora");
    FudTiempoMejora->setRange(0, 3600);
    FudTiempoMejora->setMaximumWidth(80);

    auto* niveles = new QFormLayout;
    niveles->addRow(Q(Textos::NivelOptimizacion), FtrbNivel);
    niveles->addRow(QString(), FlbNota);
    niveles->addRow(Q(Textos::NivelInicial), FudNivelInicial);
    auto* extender = new QHBoxLayout;
    extender->addWidget(FckbOCExtender);
    extender->addWidget(FedPorcentajeMat);
    extender->addWidget(new QLabel(Q(Textos::PorcientoMaterial), pagina));
    extender->addStretch(1);
    auto* capa = new QVBoxLayout(pagina);
    capa->addLayout(niveles);
    capa->addWidget(FckbOCTeorica);
    capa->addWidget(FckbOCRedondeo);
    capa->addWidget(FpnRedondeo);
    capa->addWidget(FckbOCCompletamiento);
    auto* mejora = new QHBoxLayout;
    mejora->addWidget(FckbOCMejorar);
    mejora->addWidget(FudTiempoMejora);
    mejora->addWidget(new QLabel(Q(Textos::Segundos), pagina));
    mejora->addStretch(1);
    capa->addLayout(mejora);
    capa->addWidget(FckbOCPreferir);
    capa->addWidget(FckbOCMantener);
    capa->addLayout(extender);
    capa->addStretch(1);

    ROpciones& o = FEdicion.Opciones();
    connect(FtrbNivel, &QSlider::valueChanged, this, &TDlgOpciones::CambioNivel);
    connect(FudNivelInicial, &QSpinBox::valueChanged, this, [this](int nivel) {
        if (FCargando) {
            return;
        }
        if (!FEdicion.FijarNivelInicial(nivel)) {
            FudNivelInicial->setValue(FEdicion.Opciones().NivelOptimizacionInicial);
        }
    });
    connect(FckbOCTeorica, &QCheckBox::toggled, this, [&o](bool b) { o.SolucionTeorica = b; });
    connect(FckbOCRedondeo, &QCheckBox::toggled, this, [this, &o](bool b) {
        o.Redondear = b;
        FpnRedondeo->setEnabled(b);
    });
    connect(FrbDesvStd, &QRadioButton::toggled, this, [&o](bool b) {
        if (b) {
            o.CriterioRedondeo = 1;
        }
    });
    connect(FrbAreaTotal, &QRadioButton::toggled, this, [&o](bool b) {
        if (b) {
            o.CriterioRedondeo = 2;
        }
    });
    connect(FckbOCCompletamiento, &QCheckBox::toggled, this, [&o](bool b) { o.Completar = b; });
    connect(FckbOCMejorar, &QCheckBox::toggled, this, [this, &o](bool b) {
        o.MejorarSolucion = b;
        FudTiempoMejora->setEnabled(b);
    });
    connect(FudTiempoMejora, &QSpinBox::valueChanged, this, [&o](int s) { o.TiempoMejora = s; });
    connect(FckbOCPreferir, &QCheckBox::toggled, this,
            [&o](bool b) { o.PreferirVariosMateriales = b; });
    connect(FckbOCMantener, &QCheckBox::toggled, this,
            [&o](bool b) { o.MantenerPatronesActuales = b; });
    connect(FckbOCExtender, &QCheckBox::toggled, this, [this, &o](bool b) {
        o.RestringirPosiblesCortes = b;
        FedPorcentajeMat->setEnabled(b);
    });
    connect(FedPorcentajeMat, &QLineEdit::textChanged, this, [this](const QString& texto) {
        if (!FCargando) {
            FEdicion.FijarPorcentajeMaterial(texto.toStdString());
        }
    });
    return pagina;
}

QWidget* TDlgOpciones::PaginaCorte() {
    auto* pagina = new QWidget;
    auto* tipo = new QGroupBox(Q(Textos::TipoCorte), pagina);
    FrbGuillotina = Nombrado(new QRadioButton(Q(Textos::CortePlanchas), tipo), "rbGuillotina");
    FrbBarras = Nombrado(new QRadioButton(Q(Textos::CorteBarras), tipo), "rbBarras");
    auto* capaTipo = new QHBoxLayout(tipo);
    capaTipo->addWidget(FrbGuillotina);
    capaTipo->addWidget(FrbBarras);
    capaTipo->addStretch(1);

    auto* parametros = new QGroupBox(Q(Textos::ParametrosTecnologicos), pagina);
    FclbCutParams = Nombrado(new QListWidget(parametros), "clbCutParams");
    for (const char* nombre : Textos::Parametros) {
        auto* item = new QListWidgetItem(Q(nombre), FclbCutParams);
        item->setCheckState(Qt::Unchecked);
    }
    FclbCutParams->setMaximumWidth(230);
    FlbParametro = Nombrado(new QLabel(parametros), "lbParametro");
    FedParametro = Nombrado(new QLineEdit(parametros), "edParametro");
    FlbAyudaPar = Nombrado(new QLabel(parametros), "lbAyudaPar");
    FlbAyudaPar->setWordWrap(true);
    FlbAyudaPar->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    auto* valor = new QVBoxLayout;
    valor->addWidget(FlbParametro);
    valor->addWidget(FedParametro);
    valor->addWidget(FlbAyudaPar, 1);
    auto* capaParametros = new QHBoxLayout(parametros);
    capaParametros->addWidget(FclbCutParams);
    capaParametros->addLayout(valor, 1);

    auto* sobrantes = new QGroupBox(Q(Textos::DeteccionSobrantes), pagina);
    FckbDetectarSob = Nombrado(new QCheckBox(Q(Textos::Habilitar), sobrantes), "ckbDetectarSob");
    FlbSobMin = Nombrado(new QLabel(Q(Textos::DimensionesMinimas), sobrantes), "lbSobMin");
    FedLargoSob = Nombrado(new QLineEdit(sobrantes), "edLargoSob");
    FedAnchoSob = Nombrado(new QLineEdit(sobrantes), "edAnchoSob");
    auto* capaSobrantes = new QHBoxLayout(sobrantes);
    capaSobrantes->addWidget(FckbDetectarSob);
    capaSobrantes->addSpacing(12);
    capaSobrantes->addWidget(FlbSobMin);
    capaSobrantes->addWidget(FedLargoSob);
    capaSobrantes->addWidget(new QLabel(QStringLiteral("x"), sobrantes));
    capaSobrantes->addWidget(FedAnchoSob);

    auto* capa = new QVBoxLayout(pagina);
    capa->addWidget(tipo);
    capa->addWidget(parametros, 1);
    capa->addWidget(sobrantes);

    connect(FrbGuillotina, &QRadioButton::clicked, this, &TDlgOpciones::CambioTipoCorte);
    connect(FrbBarras, &QRadioButton::clicked, this, &TDlgOpciones::CambioTipoCorte);
    connect(FclbCutParams, &QListWidget::currentRowChanged, this, [this] { MostrarParametro(); });
    connect(FclbCutParams, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (FCargando) {
            return;
        }
        FEdicion.Marcar(FclbCutParams->row(item), item->checkState() == Qt::Checked);
        if (FclbCutParams->currentItem() != item) {
            FclbCutParams->setCurrentItem(item);
        }
        MostrarParametro();
    });
    connect(FedParametro, &QLineEdit::editingFinished, this, &TDlgOpciones::GuardarParametro);
    connect(FckbDetectarSob, &QCheckBox::toggled, this, [this](bool b) {
        FEdicion.Opciones().ChequearSobrante = b;
        CambioTipoCorte();
    });
    connect(FedLargoSob, &QLineEdit::editingFinished, this,
            [this] { GuardarSobrante(FedLargoSob, &ROpciones::LargoMinimoSobrante); });
    connect(FedAnchoSob, &QLineEdit::editingFinished, this,
            [this] { GuardarSobrante(FedAnchoSob, &ROpciones::AnchoMinimoSobrante); });
    return pagina;
}

QWidget* TDlgOpciones::PaginaEtiquetas() {
    auto* pagina = new QWidget;
    FmeFormatoEti = Nombrado(new QPlainTextEdit(pagina), "meFormatoEti");
    FmeFormatoEti->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont fija(QStringLiteral("monospace"));
    fija.setStyleHint(QFont::TypeWriter);
    FmeFormatoEti->setFont(fija);
    auto* original = Nombrado(new QPushButton(Q(Textos::BotonOriginal), pagina), "btOriginal");
    auto* cargar = Nombrado(new QPushButton(Q(Textos::BotonCargar), pagina), "btCargar");
    auto* guardar = Nombrado(new QPushButton(Q(Textos::BotonGuardar), pagina), "btGuardar");
    auto* generar = Nombrado(new QPushButton(Q(Textos::BotonGenerar), pagina), "btGenerar");
    generar->setEnabled(false);
    FbtGenerar = generar;
    auto* botones = new QVBoxLayout;
    botones->addWidget(original);
    botones->addWidget(cargar);
    botones->addWidget(guardar);
    botones->addWidget(generar);
    botones->addStretch(1);
    auto* capa = new QHBoxLayout(pagina);
    auto* izquierda = new QVBoxLayout;
    izquierda->addWidget(new QLabel(Q(Textos::FormatoEtiquetas), pagina));
    izquierda->addWidget(FmeFormatoEti, 1);
    capa->addLayout(izquierda, 1);
    capa->addLayout(botones);
    connect(original, &QPushButton::clicked, this, &TDlgOpciones::btOriginalClick);
    connect(cargar, &QPushButton::clicked, this, &TDlgOpciones::btCargarClick);
    connect(guardar, &QPushButton::clicked, this, &TDlgOpciones::btGuardarClick);
    connect(generar, &QPushButton::clicked, this, &TDlgOpciones::btGenerarClick);
    return pagina;
}

QWidget* TDlgOpciones::PaginaSalidas() {
    auto* pagina = new QWidget;
    auto* reporte = new QGroupBox(Q(Textos::ReportePatrones), pagina);
    FudRowsPat = Nombrado(new QSpinBox(reporte), "udRowsPat");
    FudColsPat = Nombrado(new QSpinBox(reporte), "udColsPat");
    FudRowsPat->setRange(1, 20);
    FudColsPat->setRange(1, 20);
    FudRowsPat->setMaximumWidth(80);
    FudColsPat->setMaximumWidth(80);
    auto* btConfigPag =
        Nombrado(new QPushButton(Q(Textos::ConfigurarPagina), reporte), "btConfigPag");
    auto* capaReporte = new QFormLayout(reporte);
    capaReporte->addRow(Q(Textos::FilasPorPagina), FudRowsPat);
    capaReporte->addRow(Q(Textos::ColumnasPorPagina), FudColsPat);
    capaReporte->addRow(QString(), btConfigPag);
    auto* excluir = new QGroupBox(Q(Textos::ExcluirNulos), pagina);
    FckbSEPiezas = Nombrado(new QCheckBox(Q(Textos::ExcluirPiezas), excluir), "ckbSEPiezas");
    FckbSEMateriales =
        Nombrado(new QCheckBox(Q(Textos::ExcluirMateriales), excluir), "ckbSEMateriales");
    FckbSEPatrones = Nombrado(new QCheckBox(Q(Textos::ExcluirPatrones), excluir), "ckbSEPatrones");
    auto* capaExcluir = new QVBoxLayout(excluir);
    capaExcluir->addWidget(FckbSEPiezas);
    capaExcluir->addWidget(FckbSEMateriales);
    capaExcluir->addWidget(FckbSEPatrones);
    auto* capa = new QVBoxLayout(pagina);
    capa->addWidget(reporte);
    capa->addWidget(excluir);
    capa->addStretch(1);
    connect(btConfigPag, &QPushButton::clicked, this, &TDlgOpciones::btConfigPagClick);
    const auto cambio = [this] {
        if (!FCargando) {
            FPaginaCambiada = true;
        }
    };
    connect(FudRowsPat, &QSpinBox::valueChanged, this, cambio);
    connect(FudColsPat, &QSpinBox::valueChanged, this, cambio);
    return pagina;
}

// ---- Loading ----

void TDlgOpciones::showEvent(QShowEvent* evento) {
    FckbDefault->setChecked(false);
    QDialog::showEvent(evento);
}

void TDlgOpciones::Cargar(const RVentanaOpciones& ventana) {
    FVentana = ventana;
    if (FVentana.Lanzamiento == nullptr) {
        return;
    }
    FCargando = true;
    FEdicion.Cargar(FVentana.Lanzamiento->Opciones());
    const ROpciones& o = FEdicion.Opciones();
    FtrbNivel->setValue(o.NivelOptimizacionFinal);
    FlbNota->setText(Q(CEdicionOpciones::NotaNivel(o.NivelOptimizacionFinal)));
    FudNivelInicial->setValue(o.NivelOptimizacionInicial);
    FckbOCTeorica->setChecked(o.SolucionTeorica);
    FckbOCRedondeo->setChecked(o.Redondear);
    FpnRedondeo->setEnabled(o.Redondear);
    (o.CriterioRedondeo == 1 ? FrbDesvStd : FrbAreaTotal)->setChecked(true);
    FckbOCCompletamiento->setChecked(o.Completar);
    FckbOCMejorar->setChecked(o.MejorarSolucion);
    FudTiempoMejora->setEnabled(o.MejorarSolucion);
    FudTiempoMejora->setValue(o.TiempoMejora);
    FckbOCPreferir->setChecked(o.PreferirVariosMateriales);
    FckbOCMantener->setChecked(o.MantenerPatronesActuales);
    FckbOCExtender->setChecked(o.RestringirPosiblesCortes);
    FedPorcentajeMat->setEnabled(o.RestringirPosiblesCortes);
    FedPorcentajeMat->setText(QString::number(o.PorcentajeMaterial));
    for (int i = 0; i < CEdicionOpciones::CantidadParametros; ++i) {
        FclbCutParams->item(i)->setCheckState(FEdicion.Marcado(i) ? Qt::Checked : Qt::Unchecked);
    }
    (o.Barras ? FrbBarras : FrbGuillotina)->setChecked(true);
    FmeFormatoEti->setPlainText(Q(CEdicionOpciones::FormatoAMemo(o.FormatoEti)));
    FudRowsPat->setValue(o.FilasReportePatrones);
    FudColsPat->setValue(o.ColumnasReportePatrones);
    FckbSEPiezas->setChecked(o.ExcluirPiezasNulas);
    FckbSEMateriales->setChecked(o.ExcluirMaterialesNulos);
    FckbSEPatrones->setChecked(o.ExcluirPatronesNulos);
    FckbDetectarSob->setChecked(o.ChequearSobrante);
    FcbUnitType->setCurrentIndex(o.TipoUnidad);
    LlenarPrecisiones();
    FcbPresicion->setCurrentIndex(o.Precision);
    FcbUnitName->setCurrentText(Q(o.NombreUnidad));
    FcbSuprimir->setChecked(o.SuprimirCeros);
    FckbDefault->setChecked(false);
    FckbDefault->setEnabled(!o.Plantilla.empty());
    FbtDeshacer->setEnabled(false);
    FPaginaCambiada = false;
    FCargando = false;
    // The stored values win over what the handlers above wrote while loading.
    FEdicion.Cargar(FVentana.Lanzamiento->Opciones());
    CambioUnidades();
    CambioTipoCorte();
    if (FclbCutParams->currentRow() < 0) {
        FclbCutParams->setCurrentRow(0);
    }
    MostrarParametro();
}

// ---- Units ----

void TDlgOpciones::LlenarPrecisiones() {
    const bool antes = FCargando;
    FCargando = true;
    const int tipo = FcbUnitType->currentIndex();
    FcbPresicion->clear();
    for (const std::string& p : CEdicionOpciones::ListaPrecision(tipo)) {
        FcbPresicion->addItem(Q(p));
    }
    FcbPresicion->setCurrentIndex(0);
    FcbSuprimir->setEnabled(CEdicionOpciones::SuprimirHabilitado(tipo));
    const bool conNombre = CEdicionOpciones::NombreHabilitado(tipo);
    if (!conNombre) {
        FcbUnitName->setCurrentText(QString());
    }
    FcbUnitName->setEnabled(conNombre);
    FlbUnitName->setEnabled(conNombre);
    FCargando = antes;
}

void TDlgOpciones::CambioUnidades() {
    if (FCargando) {
        return;
    }
    ROpciones& o = FEdicion.Opciones();
    o.TipoUnidad = FcbUnitType->currentIndex();
    o.Precision = std::max(0, FcbPresicion->currentIndex());
    o.NombreUnidad = FcbUnitName->currentText().toStdString();
    o.SuprimirCeros = FcbSuprimir->isEnabled() && FcbSuprimir->isChecked();
    FlbSample->setText(Q(FEdicion.Muestra()));
    MostrarLongitudes();
}

void TDlgOpciones::MostrarLongitudes() {
    const ROpciones& o = FEdicion.Opciones();
    FedLargoSob->setText(Q(FEdicion.Longitud(o.LargoMinimoSobrante)));
    FedAnchoSob->setText(Q(FEdicion.Longitud(o.AnchoMinimoSobrante)));
    MostrarParametro();
}

void TDlgOpciones::btConvertirClick() {
    if (FVentana.Lanzamiento == nullptr || FVentana.Piezas == nullptr ||
        FVentana.Materiales == nullptr) {
        return;
    }
    if (CDialogos::Preguntar(std::string(Textos::ReinicializarSolucion), CDialogos::No) !=
        CDialogos::Si) {
        return;
    }
    if (FVentana.ReiniciarSolucion) {
        FVentana.ReiniciarSolucion();
    }
    Intentar([&] {
        const double factor = CEdicionOpciones::LeerEscala(FedCurrentUnit->text().toStdString()) /
                              CEdicionOpciones::LeerEscala(FedOldUnit->text().toStdString());
        const ROpciones antes = FVentana.Lanzamiento->Opciones();
        const ROpciones& unidades = FEdicion.Opciones();
        CGrilla piezas = *FVentana.Piezas;
        CGrilla materiales = *FVentana.Materiales;
        CEdicionOpciones::ConvertirGrilla(piezas, factor, antes, unidades);
        CEdicionOpciones::ConvertirGrilla(materiales, factor, antes, unidades);
        const ROpciones nuevas = CEdicionOpciones::ConvertirOpciones(antes, unidades, factor);
        // Everything converted: only now does anything change.
        FOpcionesAntes = antes;
        FPiezasAntes = *FVentana.Piezas;
        FMaterialesAntes = *FVentana.Materiales;
        *FVentana.Piezas = std::move(piezas);
        *FVentana.Materiales = std::move(materiales);
        if (FVentana.AsignarOpciones) {
            FVentana.AsignarOpciones(nuevas);
        } else {
            FVentana.Lanzamiento->AsignarOpciones(nuevas);
        }
        FVentana.Lanzamiento->MarcarModificado();
        ROpciones& copia = FEdicion.Opciones();
        CEdicionOpciones::CopiarLongitudes(nuevas, copia);
        MostrarLongitudes();
        if (FVentana.Refrescar) {
            FVentana.Refrescar();
        }
        FbtDeshacer->setEnabled(true);
        FbtDeshacer->setFocus();
    });
}

void TDlgOpciones::btDeshacerClick() {
    if (FVentana.Lanzamiento == nullptr || !FbtDeshacer->isEnabled()) {
        return;
    }
    *FVentana.Piezas = FPiezasAntes;
    *FVentana.Materiales = FMaterialesAntes;
    if (FVentana.AsignarOpciones) {
        FVentana.AsignarOpciones(FOpcionesAntes);
    } else {
        FVentana.Lanzamiento->AsignarOpciones(FOpcionesAntes);
    }
    if (FVentana.Refrescar) {
        FVentana.Refrescar();
    }
    // The dialog shows the job's units and lengths again; its other edits stay.
    ROpciones& copia = FEdicion.Opciones();
    CEdicionOpciones::CopiarLongitudes(FOpcionesAntes, copia);
    const ROpciones unidades = FOpcionesAntes;
    FCargando = true;
    FcbUnitType->setCurrentIndex(unidades.TipoUnidad);
    LlenarPrecisiones();
    FcbPresicion->setCurrentIndex(unidades.Precision);
    FcbUnitName->setCurrentText(Q(unidades.NombreUnidad));
    FcbSuprimir->setChecked(unidades.SuprimirCeros);
    FCargando = false;
    CambioUnidades();
    FbtDeshacer->setEnabled(false);
}

// ---- Calculation ----

void TDlgOpciones::CambioNivel(int nivel) {
    if (FCargando) {
        return;
    }
    FEdicion.FijarNivelFinal(nivel);
    FlbNota->setText(Q(CEdicionOpciones::NotaNivel(nivel)));
    FCargando = true;
    FudNivelInicial->setValue(FEdicion.Opciones().NivelOptimizacionInicial);
    FCargando = false;
}

// ---- Cutting ----

void TDlgOpciones::CambioTipoCorte() {
    ROpciones& o = FEdicion.Opciones();
    if (FrbGuillotina->isChecked() || FrbBarras->isChecked()) {
        o.Barras = FrbBarras->isChecked();
    }
    const bool antes = FCargando;
    FCargando = true;
    for (int i = 0; i < CEdicionOpciones::CantidadParametros; ++i) {
        QListWidgetItem* item = FclbCutParams->item(i);
        const Qt::ItemFlags base = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
        item->setFlags(FEdicion.Habilitado(i) ? base | Qt::ItemIsUserCheckable : Qt::NoItemFlags);
    }
    FCargando = antes;
    const bool sobrante = FckbDetectarSob->isChecked();
    FlbSobMin->setEnabled(sobrante);
    FedLargoSob->setEnabled(sobrante);
    FedAnchoSob->setEnabled(sobrante && !o.Barras);
    MostrarParametro();
}

void TDlgOpciones::MostrarParametro() {
    const int i = FclbCutParams->currentRow();
    if (i < 0) {
        return;
    }
    const bool activo = FEdicion.Marcado(i) && FEdicion.Habilitado(i);
    FlbParametro->setText(Q(CEdicionOpciones::Etiqueta(i)));
    FlbAyudaPar->setText(Q(Textos::AyudasParametros[i]));
    FedParametro->setEnabled(activo);
    FlbParametro->setEnabled(activo);
    FedParametro->setText(activo ? Q(FEdicion.Texto(i)) : QString());
}

void TDlgOpciones::GuardarParametro() {
    const int i = FclbCutParams->currentRow();
    if (i < 0 || !FedParametro->isEnabled()) {
        return;
    }
    Intentar([&] { FEdicion.Fijar(i, FedParametro->text().toStdString()); });
    FedParametro->setText(Q(FEdicion.Texto(i)));
    FedParametro->selectAll();
}

void TDlgOpciones::GuardarSobrante(QLineEdit* edicion, std::int32_t ROpciones::*campo) {
    Intentar(
        [&] { FEdicion.Opciones().*campo = FEdicion.LeerLongitud(edicion->text().toStdString()); });
    edicion->setText(Q(FEdicion.Longitud(FEdicion.Opciones().*campo)));
}

// ---- Labels ----

void TDlgOpciones::btOriginalClick() {
    FmeFormatoEti->setPlainText(Q(CEdicionOpciones::FormatoAMemo(FormatoEtiPorDefecto())));
}

void TDlgOpciones::btCargarClick() {
    const QString archivo = CDialogos::AbrirArchivo(
        this, Q(Entorno.CarpetaPlantillas), Q(Textos::FiltroFormatosAbrir), QStringLiteral("fmt"));
    if (archivo.isEmpty()) {
        return;
    }
    // A damaged file leaves the memo as it was.
    Intentar([&] { FmeFormatoEti->setPlainText(Q(ArchivoFormato::Leer(archivo.toStdString()))); });
}

void TDlgOpciones::btGuardarClick() {
    const QString archivo =
        CDialogos::GuardarArchivo(this, Q(Entorno.CarpetaPlantillas), QString(),
                                  Q(Textos::FiltroFormatosGuardar), QStringLiteral("fmt"));
    if (archivo.isEmpty()) {
        return;
    }
    Intentar([&] {
        ArchivoFormato::Guardar(archivo.toStdString(), FmeFormatoEti->toPlainText().toStdString());
    });
}

void TDlgOpciones::FijarGenerador(TDLGGenerarEti* generador) {
    FGenerador = generador;
    FbtGenerar->setEnabled(generador != nullptr);
}

void TDlgOpciones::btGenerarClick() {
    if (FGenerador == nullptr || FVentana.Lanzamiento == nullptr) {
        return;
    }
    ROpciones& o = FEdicion.Opciones();
    FGenerador->Cargar(*FVentana.Lanzamiento, {o.FormatoEtiPieza, o.FormatoEtiSobrante,
                                               o.FormatoEtiCorteVer, o.FormatoEtiCorteHor});
    if (CDialogos::Ejecutar(*FGenerador) != QDialog::Accepted) {
        return;
    }
    const std::array<std::string, 4> partes = FGenerador->Partes();
    o.FormatoEtiPieza = partes[0];
    o.FormatoEtiSobrante = partes[1];
    o.FormatoEtiCorteVer = partes[2];
    o.FormatoEtiCorteHor = partes[3];
    FmeFormatoEti->setPlainText(Q(FGenerador->TextoMemo()));
}

// ---- Outputs ----

void TDlgOpciones::btConfigPagClick() {
    // The same page set-up as the report's: it needs no installed printer.
    TDlgConfigurarPagina dialogo(this);
    dialogo.Cargar(FEdicion.Opciones());
    if (CDialogos::Ejecutar(dialogo) != QDialog::Accepted) {
        return;
    }
    dialogo.Leer(FEdicion.Opciones());
    FPaginaCambiada = true;
}

// ---- OK ----

void TDlgOpciones::OKBtnClick() {
    if (FVentana.Lanzamiento == nullptr) {
        reject();
        return;
    }
    GuardarParametro();
    CLanzamiento& job = *FVentana.Lanzamiento;
    ROpciones& o = FEdicion.Opciones();
    if (o.Barras != job.Opciones().Barras) {
        if (CDialogos::Preguntar(std::string(Textos::ReinicializarSolucion), CDialogos::No) !=
            CDialogos::Si) {
            return;
        }
        if (FVentana.ReiniciarSolucion) {
            FVentana.ReiniciarSolucion();
        }
    }
    o.FormatoEti = CEdicionOpciones::MemoAFormato(FmeFormatoEti->toPlainText().toStdString());
    o.FilasReportePatrones = FudRowsPat->value();
    o.ColumnasReportePatrones = FudColsPat->value();
    o.ExcluirPiezasNulas = FckbSEPiezas->isChecked();
    o.ExcluirMaterialesNulos = FckbSEMateriales->isChecked();
    o.ExcluirPatronesNulos = FckbSEPatrones->isChecked();
    if (FVentana.AsignarOpciones) {
        FVentana.AsignarOpciones(o);
    } else {
        job.AsignarOpciones(o);
    }
    job.MarcarModificado();
    if (FVentana.Refrescar) {
        FVentana.Refrescar();
    }
    if (FckbDefault->isChecked() && !job.Opciones().Plantilla.empty()) {
        ROpciones paraPlantilla = o;
        paraPlantilla.Plantilla.clear();
        Intentar([&] {
            CLanzamiento plantilla(job.Opciones().Plantilla, OpcionesPredeterminadas);
            plantilla.AsignarOpciones(paraPlantilla);
            plantilla.Guardar();
        });
    }
    accept();
}
