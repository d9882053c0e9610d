#include "ui/TDlgEtiqueta.h"

#include "document/UTextos.h"
#include "engine/CAjuste.h"
#include "patterns/CCorte.h"
#include "patterns/CPatron.h"
#include "ui/CDialogos.h"
#include "ui/TDLGParametrosEti.h"
#include "ui/UTextoQt.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>
#include <QVBoxLayout>

namespace {

QFont FuenteQt(const RFuente& f) {
    QFont q(QString::fromStdString(f.Nombre));
    q.setPointSize(f.Tamano > 0 ? f.Tamano : 8);
    q.setBold(f.Negrita);
    q.setItalic(f.Cursiva);
    return q;
}

std::optional<RFuente> FuenteDelDialogo(QWidget* padre, const RFuente& actual) {
    bool aceptada = false;
    const QFont q = QFontDialog::getFont(&aceptada, FuenteQt(actual), padre);
    if (!aceptada) {
        return std::nullopt;
    }
    return RFuente{q.family().toStdString(), q.pointSize() > 0 ? q.pointSize() : 8, q.bold(),
                   q.italic()};
}

// One alignment box: the reference row ("En relación al semiproducto:") and the position
// row, each a group whose button ids are their layout bits.
QGroupBox* CajaAlineacion(const char* titulo, QButtonGroup* referencia, QButtonGroup* posicion,
                          const int bitsReferencia[3], const char* const posiciones[3],
                          const int bitsPosicion[3]) {
    auto* caja = new QGroupBox(Q(titulo));
    auto* capa = new QGridLayout(caja);
    capa->addWidget(new QLabel(Q(Textos::EnRelacionSemiproducto)), 0, 0, 1, 3);
    const char* const referencias[3] = {Textos::PorDentro, Textos::PorFuera, Textos::PorElCorte};
    for (int i = 0; i < 3; ++i) {
        auto* r = new QRadioButton(Q(referencias[i]));
        r->setObjectName(QStringLiteral("rbBit%1").arg(bitsReferencia[i]));
        referencia->addButton(r, bitsReferencia[i]);
        capa->addWidget(r, 1, i);
        auto* p = new QRadioButton(Q(posiciones[i]));
        p->setObjectName(QStringLiteral("rbBit%1").arg(bitsPosicion[i]));
        posicion->addButton(p, bitsPosicion[i]);
        capa->addWidget(p, 2, i);
    }
    return caja;
}

} // namespace

TDlgEtiqueta::TDlgEtiqueta(TDLGParametrosEti& parametros, QWidget* padre)
    : QDialog(padre), ElegirFuente(&FuenteDelDialogo), FParametros(parametros) {
    setObjectName(QStringLiteral("TDlgEtiqueta"));
    setWindowTitle(Q(Textos::TituloEditarEtiqueta));
    FmeEti = new QPlainTextEdit(this);
    FmeEti->setObjectName(QStringLiteral("meEti"));
    FmeEti->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont fija(QStringLiteral("Monospace"));
    fija.setStyleHint(QFont::TypeWriter);
    FmeEti->setFont(fija);
    FmeVista = new QPlainTextEdit(this);
    FmeVista->setObjectName(QStringLiteral("meVista"));
    FmeVista->setReadOnly(true);
    FmeVista->setLineWrapMode(QPlainTextEdit::NoWrap);
    FmeVista->setFocusPolicy(Qt::NoFocus);
    FmeVista->setMaximumHeight(90);

    for (QButtonGroup*& g : FGrupos) {
        g = new QButtonGroup(this);
        connect(g, &QButtonGroup::idClicked, this, &TDlgEtiqueta::DirectivaClick);
    }
    static const int refH[3] = {9, 10, 11};
    static const int posH[3] = {2, 3, 5};
    static const int refV[3] = {6, 7, 8};
    static const int posV[3] = {0, 1, 4};
    static const char* const nombresH[3] = {Textos::Izquierda, Textos::Derecha, Textos::Centro};
    static const char* const nombresV[3] = {Textos::Arriba, Textos::Abajo, Textos::Centro};
    QGroupBox* horizontal =
        CajaAlineacion(Textos::AlineacionHorizontal, FGrupos[0], FGrupos[1], refH, nombresH, posH);
    QGroupBox* vertical =
        CajaAlineacion(Textos::AlineacionVertical, FGrupos[2], FGrupos[3], refV, nombresV, posV);

    FckbRecortar = new QCheckBox(Q(Textos::RecortarDentro), this);
    FckbRecortar->setObjectName(QStringLiteral("ckbRecortar"));
    connect(FckbRecortar, &QCheckBox::clicked, this, [this](bool marcado) {
        PonerMemo(FEdicion.FijarRecorte(marcado, FmeEti->toPlainText().toStdString()));
    });
    FckbPropagar = new QCheckBox(Q(Textos::PropagarFormato), this);
    FckbPropagar->setObjectName(QStringLiteral("ckbPropagar"));

    const auto boton = [this](const char* texto, const char* nombre) {
        auto* b = new QPushButton(Q(texto), this);
        b->setObjectName(QString::fromUtf8(nombre));
        b->setAutoDefault(false);
        return b;
    };
    QPushButton* restaurar = boton(Textos::BotonRestaurar, "btRestaurar");
    QPushButton* eliminar = boton(Textos::BotonEliminarEtiqueta, "btEliminar");
    QPushButton* fuente = boton(Textos::BotonFuente, "btFont");
    QPushButton* parametros_ = boton(Textos::BotonParametros, "btParametros");
    connect(restaurar, &QPushButton::clicked, this, &TDlgEtiqueta::btRestaurarClick);
    connect(eliminar, &QPushButton::clicked, this, &TDlgEtiqueta::btEliminarClick);
    connect(fuente, &QPushButton::clicked, this, &TDlgEtiqueta::btFontClick);
    connect(parametros_, &QPushButton::clicked, this, &TDlgEtiqueta::btParametrosClick);
    connect(FmeEti, &QPlainTextEdit::textChanged, this, &TDlgEtiqueta::ActualizarVista);

    auto* botones = new QDialogButtonBox(this);
    QPushButton* ok = botones->addButton(Q(Textos::BotonOK), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OKBtn"));
    botones->addButton(Q(Textos::BotonCancelarSimple), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("CancelBtn"));
    connect(botones, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* izquierda = new QVBoxLayout;
    izquierda->addWidget(FmeEti, 1);
    izquierda->addWidget(new QLabel(Q(Textos::VistaPrevia), this));
    izquierda->addWidget(FmeVista);
    auto* derecha = new QVBoxLayout;
    derecha->addWidget(horizontal);
    derecha->addWidget(vertical);
    derecha->addWidget(FckbRecortar);
    derecha->addWidget(FckbPropagar);
    auto* filaBotones = new QGridLayout;
    filaBotones->addWidget(fuente, 0, 0);
    filaBotones->addWidget(parametros_, 0, 1);
    filaBotones->addWidget(restaurar, 1, 0);
    filaBotones->addWidget(eliminar, 1, 1);
    derecha->addLayout(filaBotones);
    derecha->addStretch(1);
    auto* cuerpo = new QHBoxLayout;
    cuerpo->addLayout(izquierda, 1);
    cuerpo->addLayout(derecha);
    auto* capa = new QVBoxLayout(this);
    capa->addLayout(cuerpo, 1);
    capa->addWidget(botones);
    resize(640, 380);
}

void TDlgEtiqueta::CargarFormato(const std::string& texto) {
    FEdicion.CargarFormato(texto);
    MostrarBanderas();
}

void TDlgEtiqueta::MostrarFormato(const std::string& texto) {
    FmeEti->setPlainText(QString::fromStdString(CEdicionEtiqueta::MostrarFormato(texto)));
}

std::string TDlgEtiqueta::FormatoDeMemo() const {
    return CEdicionEtiqueta::FormatoDeMemo(FmeEti->toPlainText().toStdString());
}

void TDlgEtiqueta::FijarPropagable(bool propagable) {
    FckbPropagar->setEnabled(propagable);
    if (!propagable) {
        FckbPropagar->setChecked(false);
    }
}

bool TDlgEtiqueta::Propagar() const {
    return FckbPropagar->isEnabled() && FckbPropagar->isChecked();
}

void TDlgEtiqueta::FijarNodo(const CPatron* P, const CCorte* n) {
    FPatron = P;
    FNodo = n;
    ActualizarVista();
}

bool TDlgEtiqueta::EditarNodo(CAjuste& ajuste, CPatron& P, CCorte& n) {
    CargarFormato(n.Etiqueta());
    MostrarFormato(n.Etiqueta());
    FijarPropagable(n.Dir() != 0);
    FijarNodo(&P, &n);
    const bool aceptado = CDialogos::Ejecutar(*this) == QDialog::Accepted;
    const bool propagar = Propagar();
    const std::string formato = FormatoDeMemo();
    FijarNodo(nullptr, nullptr);
    return aceptado && ajuste.AsignarEtiqueta(P, n, formato, propagar);
}

void TDlgEtiqueta::showEvent(QShowEvent* evento) {
    FckbPropagar->setChecked(false);
    QDialog::showEvent(evento);
}

void TDlgEtiqueta::btRestaurarClick() {
    FmeEti->setPlainText(QString::fromUtf8(CCorte::EtiquetaDef));
    accept();
}

void TDlgEtiqueta::btEliminarClick() {
    FmeEti->clear();
    accept();
}

void TDlgEtiqueta::btFontClick() {
    const std::optional<RFuente> f = ElegirFuente(this, FEdicion.Fuente());
    if (f) {
        PonerMemo(FEdicion.FijarFuente(*f, FmeEti->toPlainText().toStdString()));
    }
}

void TDlgEtiqueta::btParametrosClick() {
    if (CDialogos::Ejecutar(FParametros) == QDialog::Accepted) {
        FmeEti->textCursor().insertText(QString::fromStdString(FParametros.Resultado()));
    }
}

void TDlgEtiqueta::DirectivaClick(int bit) {
    PonerMemo(FEdicion.ElegirDirectiva(bit, FmeEti->toPlainText().toStdString()));
}

void TDlgEtiqueta::MostrarBanderas() {
    for (QButtonGroup* g : FGrupos) {
        for (QAbstractButton* b : g->buttons()) {
            b->setChecked((FEdicion.Directivas() & (1 << g->id(b))) != 0);
        }
    }
    FckbRecortar->setChecked(FEdicion.Recortar());
    ActualizarVista();
}

void TDlgEtiqueta::ActualizarVista() {
    FmeVista->setFont(FuenteQt(FEdicion.Fuente()));
    FmeVista->setPlainText(QString::fromStdString(
        CEdicionEtiqueta::Vista(FPatron, FNodo, FmeEti->toPlainText().toStdString())));
}

void TDlgEtiqueta::PonerMemo(const std::string& memo) {
    FmeEti->setPlainText(QString::fromStdString(memo));
    FmeEti->moveCursor(QTextCursor::End);
}
