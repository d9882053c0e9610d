#include "ui/TFrmCalculo.h"

#include "document/CLanzamiento.h"
#include "document/UEntorno.h"
#include "document/ULongitudes.h"
#include "document/UTextos.h"
#include "engine/CCalculo.h"
#include "ui/CApagado.h"
#include "ui/CDialogos.h"
#include "ui/TDlgPromtPedido.h"
#include "ui/UTextoQt.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QThread>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>

namespace {

QString Q(const std::string& texto) {
    return QString::fromStdString(texto);
}

std::string Reemplazar(std::string texto, const std::string& marca, const std::string& valor) {
    const std::size_t p = texto.find(marca);
    if (p != std::string::npos) {
        texto.replace(p, marca.size(), valor);
    }
    return texto;
}

// "3 (2440x1220 Melamina)": what the materials grid shows of a material.
std::string TextoMaterial(const CLanzamiento& job, int m) {
    const ROpciones& o = job.Opciones();
    std::string texto = std::to_string(m) + " (" + FormatearLongitud(job.LargoMaterial(m), o);
    if (!o.Barras) {
        texto += " x " + FormatearLongitud(job.AnchoMaterial(m), o);
    }
    const std::string desc = job.Desc1Material(m);
    if (!desc.empty()) {
        texto += " " + desc;
    }
    return texto + ")";
}

QTreeWidget* Lista(QWidget* padre, const char* nombre, const char* const* columnas, int n) {
    auto* lista = new QTreeWidget(padre);
    lista->setObjectName(Q(nombre));
    lista->setRootIsDecorated(false);
    lista->setSelectionMode(QAbstractItemView::NoSelection);
    lista->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lista->setFocusPolicy(Qt::NoFocus);
    lista->setStyleSheet(QStringLiteral("QTreeView::item { border: 1px solid #d0d0d0; }"));
    QStringList titulos;
    for (int k = 0; k < n; ++k) {
        titulos << Q(columnas[k]);
    }
    lista->setHeaderLabels(titulos);
    lista->header()->setSectionsMovable(false);
    return lista;
}

} // namespace

TFrmCalculo::TFrmCalculo(CLanzamiento& lanzamiento, QWidget* principal)
    : QWidget(principal, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                             Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                             Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      FLanzamiento(lanzamiento) {
    setObjectName(QStringLiteral("TFrmCalculo"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(Q(Textos::CalculandoPatrones));

    auto* label4 = new QLabel(Q(Textos::EstadoCalculo), this);
    label4->setObjectName(QStringLiteral("Label4"));
    FlwSolucion = Lista(this, "lwSolucion", Textos::ColumnasFases, 4);
    // At least the designed widths; wider when the font needs it (check box included).
    const QFontMetrics medida = FlwSolucion->fontMetrics();
    FlwSolucion->setColumnWidth(
        0, std::max(120, medida.horizontalAdvance(Q(Textos::FaseTeorica)) + 3 * medida.height()));
    FlwSolucion->setColumnWidth(
        1, std::max(120, medida.horizontalAdvance(Q(Textos::ColumnasFases[1])) + medida.height()));
    FlwSolucion->setColumnWidth(
        2, std::max(60, medida.horizontalAdvance(Q(Textos::ColumnasFases[2])) + medida.height()));
    FlwSolucion->header()->setStretchLastSection(true);
    FlwSolucion->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The header and the four stage rows, without scrolling.
    FlwSolucion->setFixedHeight(5 * FlwSolucion->fontMetrics().height() + 34);

    auto* label3 = new QLabel(Q(Textos::ConsumoMaterial), this);
    label3->setObjectName(QStringLiteral("Label3"));
    FlwMateriales = Lista(this, "lwMateriales", Textos::ColumnasConsumo, 3);
    FlwMateriales->header()->setStretchLastSection(false);
    FlwMateriales->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    FlwMateriales->header()->setSectionResizeMode(1, QHeaderView::Fixed);
    FlwMateriales->header()->setSectionResizeMode(2, QHeaderView::Fixed);
    FlwMateriales->setColumnWidth(1, 70);
    FlwMateriales->setColumnWidth(2, 70);
    FlwMateriales->setMinimumHeight(6 * FlwMateriales->fontMetrics().height() + 24);

    auto* lbTiempo = new QLabel(Q(Textos::EtiquetaTiempo), this);
    lbTiempo->setObjectName(QStringLiteral("lbTiempo"));
    FEtiTiempo = new QLabel(Q(FTemporizador.Texto()), this);
    FEtiTiempo->setObjectName(QStringLiteral("EtiTiempo"));
    FbtForzar = new QPushButton(Q(Textos::BotonForzar), this);
    FbtForzar->setObjectName(QStringLiteral("btForzar"));
    FbtForzar->setStatusTip(Q(Textos::ForzarAyuda));
    FbtForzar->setEnabled(false);
    FProgressBar1 = new QProgressBar(this);
    FProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    FProgressBar1->setRange(0, 100);
    FProgressBar1->setValue(0);
    FProgressBar1->setTextVisible(false);
    auto* bevel1 = new QFrame(this);
    bevel1->setObjectName(QStringLiteral("Bevel1"));
    bevel1->setFrameShape(QFrame::HLine);
    bevel1->setFrameShadow(QFrame::Sunken);
    FcbGuardar = new QCheckBox(Q(Textos::GuardarAlTerminar), this);
    FcbGuardar->setObjectName(QStringLiteral("cbGuardar"));
    FcbApagar = new QCheckBox(Q(Textos::ApagarSistema), this);
    FcbApagar->setObjectName(QStringLiteral("cbApagar"));
    FButton1 = new QPushButton(Q(Textos::BotonCancelar), this);
    FButton1->setObjectName(QStringLiteral("Button1"));
    FStatusBar1 = new QStatusBar(this);
    FStatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    FStatusBar1->setSizeGripEnabled(false);
    FTimer1 = new QTimer(this);
    FTimer1->setObjectName(QStringLiteral("Timer1"));
    FTimer1->setInterval(1000);

    auto* tiempo = new QHBoxLayout;
    tiempo->addWidget(lbTiempo);
    tiempo->addWidget(FEtiTiempo);
    tiempo->addStretch(1);
    tiempo->addWidget(FbtForzar);
    auto* opciones = new QVBoxLayout;
    opciones->addWidget(FcbGuardar);
    opciones->addWidget(FcbApagar);
    auto* pie = new QHBoxLayout;
    pie->addLayout(opciones, 1);
    pie->addWidget(FButton1, 0, Qt::AlignVCenter);
    auto* capa = new QVBoxLayout;
    capa->addWidget(label4);
    capa->addWidget(FlwSolucion);
    capa->addWidget(label3);
    capa->addWidget(FlwMateriales, 1);
    capa->addLayout(tiempo);
    capa->addWidget(FProgressBar1);
    capa->addWidget(bevel1);
    capa->addLayout(pie);
    auto* exterior = new QVBoxLayout(this);
    exterior->setContentsMargins(0, 0, 0, 0);
    exterior->setSpacing(0);
    auto* cuerpo = new QWidget(this);
    cuerpo->setLayout(capa);
    exterior->addWidget(cuerpo, 1);
    exterior->addWidget(FStatusBar1);
    setFixedSize(520, 420);

    connect(FbtForzar, &QPushButton::clicked, this, &TFrmCalculo::btForzarClick);
    connect(FButton1, &QPushButton::clicked, this, &TFrmCalculo::Button1Click);
    connect(FcbApagar, &QCheckBox::clicked, this, &TFrmCalculo::cbApagarClick);
    connect(FTimer1, &QTimer::timeout, this, &TFrmCalculo::Timer1Timer);

    FCalculo = std::make_unique<CCalculo>(FLanzamiento, *this);
}

TFrmCalculo::~TFrmCalculo() {
    {
        std::lock_guard<std::mutex> bloqueo(FMutex);
        FAbandonada = true;
    }
    FHecha.notify_all();
    if (FDialogo != nullptr) {
        FDialogo->disconnect(this);
    }
    // Cancels and joins a worker still running; its display calls return at once now.
    FCalculo.reset();
}

void TFrmCalculo::Preparar(const std::vector<std::string>& materiales) {
    FlwSolucion->clear();
    for (const char* fase : {Textos::FaseTeorica, Textos::FaseRedondeo, Textos::FaseCompletamiento,
                             Textos::FaseMejora}) {
        auto* fila = new QTreeWidgetItem(FlwSolucion, {Q(fase), QString(), QString(), QString()});
        fila->setCheckState(0, Qt::Unchecked);
        fila->setFlags(Qt::ItemIsEnabled);
    }
    FTemporizador.Reiniciar();
    FEtiTiempo->setText(Q(FTemporizador.Texto()));
    FProgressBar1->setValue(0);
    FTimer1->start();
    FStatusBar1->showMessage(Q(Reemplazar(Textos::Optimizando, "%", FLanzamiento.Nombre())));
    FlwMateriales->clear();
    std::vector<std::string> textos = materiales;
    if (textos.empty()) {
        for (int m = 1; m <= FLanzamiento.CantidadMateriales(); ++m) {
            if (FLanzamiento.MaterialActivo(m)) {
                textos.push_back(TextoMaterial(FLanzamiento, m));
            }
        }
    }
    for (const std::string& texto : textos) {
        auto* fila = new QTreeWidgetItem(FlwMateriales, {Q(texto), QString(), QString()});
        fila->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        fila->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    }
}

void TFrmCalculo::Iniciar() {
    if (FIniciado) {
        return;
    }
    FIniciado = true;
    if (QWidget* principal = parentWidget()) {
        const QRect r = principal->window()->geometry();
        move(r.center() - QPoint(width() / 2, height() / 2));
    }
    show();
    FCalculo->Iniciar();
}

// ---- Hand-over of the display calls ----

void TFrmCalculo::EnVentana(std::function<void(std::uint64_t)> llamada, bool diferida) {
    if (QThread::currentThread() == thread()) {
        // Called on the window's own thread: waiting for itself would never end.
        if (!diferida) {
            llamada(0);
        }
        return;
    }
    std::unique_lock<std::mutex> bloqueo(FMutex);
    if (FAbandonada) {
        return;
    }
    const std::uint64_t id = ++FPedidas;
    QMetaObject::invokeMethod(
        this,
        [this, id, llamada = std::move(llamada), diferida] {
            try {
                llamada(id);
            } catch (const std::exception&) {
                // A display call never fails the calculation.
            }
            if (!diferida) {
                Completar(id);
            }
        },
        Qt::QueuedConnection);
    FHecha.wait(bloqueo, [&] { return FHechas >= id || FAbandonada; });
}

void TFrmCalculo::Completar(std::uint64_t id) {
    {
        std::lock_guard<std::mutex> bloqueo(FMutex);
        FHechas = std::max(FHechas, id);
    }
    FHecha.notify_all();
}

void TFrmCalculo::TextoFila(int fila, int columna, const std::string& texto) {
    if (QTreeWidgetItem* item = FlwSolucion->topLevelItem(fila)) {
        item->setText(columna, Q(texto));
    }
}

void TFrmCalculo::MarcarFaseTeorica() {
    EnVentana([this](std::uint64_t) {
        if (QTreeWidgetItem* item = FlwSolucion->topLevelItem(FilaTeorica)) {
            item->setCheckState(0, Qt::Checked);
        }
    });
}

void TFrmCalculo::HabilitarForzar() {
    EnVentana([this](std::uint64_t) { FbtForzar->setEnabled(true); });
}

void TFrmCalculo::ProcesarMensajes() {
    // The window's own event loop runs between the display calls.
}

void TFrmCalculo::MostrarNivel(std::int32_t, const std::string& proceso) {
    EnVentana([this, proceso](std::uint64_t) { TextoFila(FilaTeorica, 3, proceso); });
}

void TFrmCalculo::MostrarVariantes(int fila, const std::string& texto) {
    if (fila < 0 || fila >= CantidadFases) {
        return;
    }
    Pendiente([&] {
        FPendiente.Variantes[fila] = texto;
        FPendiente.HayVariantes[fila] = true;
    });
}

void TFrmCalculo::MostrarAprovechamiento(int fila, const std::string& texto) {
    if (fila < 0 || fila >= CantidadFases) {
        return;
    }
    Pendiente([&] {
        FPendiente.Aprovechamiento[fila] = texto;
        FPendiente.HayAprovechamiento[fila] = true;
    });
}

void TFrmCalculo::MostrarConsumoTeorico(const std::vector<std::string>& optimo) {
    Pendiente([&] {
        FPendiente.Optimo = optimo;
        FPendiente.HayOptimo = true;
    });
}

void TFrmCalculo::MostrarConsumoReal(const std::vector<std::string>& real) {
    Pendiente([&] {
        FPendiente.Real = real;
        FPendiente.HayReal = true;
    });
}

void TFrmCalculo::MarcarFaseRedondeo() {
    EnVentana([this](std::uint64_t) {
        if (QTreeWidgetItem* item = FlwSolucion->topLevelItem(FilaRedondeo)) {
            item->setCheckState(0, Qt::Checked);
        }
    });
}

void TFrmCalculo::MarcarFaseCompletamiento(const std::string& proceso) {
    EnVentana([this, proceso](std::uint64_t) {
        if (QTreeWidgetItem* item = FlwSolucion->topLevelItem(FilaCompletamiento)) {
            item->setCheckState(0, Qt::Checked);
            item->setText(3, Q(proceso));
        }
    });
}

void TFrmCalculo::MarcarFaseMejora(const std::string& proceso) {
    EnVentana([this, proceso](std::uint64_t) {
        if (QTreeWidgetItem* item = FlwSolucion->topLevelItem(FilaMejora)) {
            item->setCheckState(0, Qt::Checked);
            item->setText(3, Q(proceso));
        }
    });
}

void TFrmCalculo::MarcarFaseHecha(int fila, const std::string& proceso) {
    EnVentana([this, fila, proceso](std::uint64_t) {
        if (QTreeWidgetItem* item = FlwSolucion->topLevelItem(fila)) {
            item->setCheckState(0, Qt::Unchecked);
            item->setText(3, Q(proceso));
        }
    });
}

void TFrmCalculo::MostrarProceso(int fila, const std::string& proceso) {
    EnVentana([this, fila, proceso](std::uint64_t) { TextoFila(fila, 3, proceso); });
}

void TFrmCalculo::MostrarPedidoIncumplido(const std::string& piezas) {
    // The worker stays in this call until the notice closes (OK, close box or countdown).
    EnVentana(
        [this, piezas](std::uint64_t id) {
            FDialogo = new TDlgPromtPedido(Q(piezas), this);
            FIdDialogo = id;
            FDialogo->setWindowModality(Qt::ApplicationModal);
            FTemporizador.AbrirAviso();
            connect(FDialogo, &QDialog::finished, this, [this] {
                FTemporizador.CerrarAviso();
                FDialogo->deleteLater();
                FDialogo = nullptr;
                Completar(FIdDialogo);
            });
            FDialogo->show();
        },
        true);
}

void TFrmCalculo::MostrarMaximoProgreso(std::int32_t maximo) {
    EnVentana([this, maximo](std::uint64_t) { FProgressBar1->setMaximum(std::max(1, maximo)); });
}

void TFrmCalculo::MostrarProgreso(std::int32_t posicion) {
    Pendiente([&] { FPendiente.Progreso = std::max(0, posicion); });
}

void TFrmCalculo::Pendiente(const std::function<void()>& escribir) {
    if (QThread::currentThread() == thread()) {
        escribir();
        MostrarPendiente();
        return;
    }
    std::lock_guard<std::mutex> bloqueo(FMutex);
    if (FAbandonada) {
        return;
    }
    escribir();
    if (!FPendiente.Encolada) {
        FPendiente.Encolada = true;
        QMetaObject::invokeMethod(this, &TFrmCalculo::MostrarPendiente, Qt::QueuedConnection);
    }
}

void TFrmCalculo::MostrarPendiente() {
    RPendiente p;
    {
        std::lock_guard<std::mutex> bloqueo(FMutex);
        p = std::move(FPendiente);
        FPendiente = RPendiente();
    }
    if (p.Progreso >= 0) {
        FProgressBar1->setValue(std::min(p.Progreso, FProgressBar1->maximum()));
    }
    for (int columna : {1, 2}) {
        if (!(columna == 1 ? p.HayOptimo : p.HayReal)) {
            continue;
        }
        const std::vector<std::string>& textos = columna == 1 ? p.Optimo : p.Real;
        for (std::size_t k = 0; k < textos.size(); ++k) {
            if (QTreeWidgetItem* item = FlwMateriales->topLevelItem(static_cast<int>(k))) {
                item->setText(columna, Q(textos[k]));
            }
        }
    }
    for (int fila = 0; fila < CantidadFases; ++fila) {
        if (p.HayVariantes[fila]) {
            TextoFila(fila, 2, p.Variantes[fila]);
        }
        if (p.HayAprovechamiento[fila]) {
            TextoFila(fila, 1, p.Aprovechamiento[fila]);
        }
    }
}

void TFrmCalculo::EjecucionTerminada() {
    std::lock_guard<std::mutex> bloqueo(FMutex);
    if (!FAbandonada) {
        QMetaObject::invokeMethod(this, &TFrmCalculo::FinCalculo, Qt::QueuedConnection);
    }
}

// ---- The end, on the window's thread ----

void TFrmCalculo::FinCalculo() {
    if (FAcabado || FCalculo == nullptr) {
        return;
    }
    FAcabado = true;
    QPointer<TFrmCalculo> vivo(this);
    FCalculo->CalculoTerminado();
    if (vivo == nullptr) {
        return;
    }
    emit CalculoAcabado();
    if (vivo != nullptr && FCerrarAlAcabar) {
        close();
    }
}

void TFrmCalculo::CalculoFinalizado(const std::string& estado, const std::string& titulo) {
    FTimer1->stop();
    FStatusBar1->showMessage(Q(estado));
    FButton1->setText(Q(Textos::BotonCerrar));
    FButton1->setEnabled(true);
    FbtForzar->setEnabled(false);
    FProgressBar1->setValue(0);
    setWindowTitle(Q(titulo));
}

std::string TFrmCalculo::TiempoTranscurrido() const {
    return FTemporizador.Texto();
}

void TFrmCalculo::SoltarSolucion() {
    emit SoltandoSolucion();
}

void TFrmCalculo::SolucionInstalada() {
    emit SolucionCambiada();
    if (!FcbGuardar->isChecked()) {
        return;
    }
    if (FGuardar) {
        FGuardar();
        return;
    }
    try {
        FLanzamiento.Guardar();
    } catch (const std::exception& e) {
        CDialogos::Avisar(std::string(e.what()));
    }
}

void TFrmCalculo::MostrarError(const std::string& mensaje) {
    FStatusBar1->showMessage(Q(FLanzamiento.Nombre()));
    if (!FcbApagar->isChecked()) {
        CDialogos::Avisar(mensaje);
    }
}

bool TFrmCalculo::ApagarAlTerminar() const {
    return FcbApagar->isChecked();
}

void TFrmCalculo::Apagar() {
    ::ApagarAlTerminar = true;
    // The main window turns the flag into the request when it closes; without one, ask now.
    if (QWidget* principal = parentWidget()) {
        QTimer::singleShot(0, principal->window(), &QWidget::close);
    } else {
        CApagado::Apagar();
    }
}

// ---- User ----

void TFrmCalculo::btForzarClick() {
    if (FCalculo != nullptr) {
        FCalculo->Forzar = true;
    }
}

void TFrmCalculo::Button1Click() {
    close();
}

void TFrmCalculo::cbApagarClick() {
    if (FcbApagar->isChecked()) {
        FcbGuardar->setChecked(true);
    }
}

void TFrmCalculo::Timer1Timer() {
    const CTemporizadorCalculo::TAccionAviso accion = FTemporizador.Tick();
    FEtiTiempo->setText(Q(FTemporizador.Texto()));
    FEtiTiempo->repaint();
    if (FDialogo == nullptr) {
        return;
    }
    if (accion == CTemporizadorCalculo::TAccionAviso::Titulo) {
        FDialogo->setWindowTitle(Q(FTemporizador.TituloAviso()));
    } else if (accion == CTemporizadorCalculo::TAccionAviso::Cerrar) {
        CerrarDialogo();
    }
}

void TFrmCalculo::CerrarDialogo() {
    if (FDialogo != nullptr) {
        FDialogo->done(QDialog::Rejected);
    }
}

void TFrmCalculo::closeEvent(QCloseEvent* evento) {
    if (FCalculo != nullptr) {
        FCalculo->Cancelado = true;
    }
    if (FCalculo != nullptr && FIniciado && !FAcabado) {
        // Wait for the worker without blocking: it still needs this window for its display
        // calls; the window closes itself once the calculation's end has been handled.
        CerrarDialogo();
        FCerrarAlAcabar = true;
        FButton1->setEnabled(false);
        FbtForzar->setEnabled(false);
        FStatusBar1->showMessage(Q(Textos::Cancelando));
        evento->ignore();
        return;
    }
    evento->accept();
}
