#include "ui/TDLGGenerarEti.h"

#include "document/UEntorno.h"
#include "document/UTextos.h"
#include "patterns/CGeneradorEtiqueta.h"
#include "patterns/CPatron.h"
#include "patterns/UDibujo.h"
#include "ui/CDialogos.h"
#include "ui/CLienzoQt.h"
#include "ui/TDlgEtiqueta.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The sample pattern in the screen colours, fitted with room for the labels drawn outside.
class CVistaMuestra : public QWidget {
public:
    explicit CVistaMuestra(QWidget* padre) : QWidget(padre) {}
    CGeneradorEtiqueta* Generador = nullptr;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter pintor(this);
        pintor.fillRect(rect(),
                        CLienzoQt::AColor(ColoresDeModo(Entorno, ModoDibujo::Pantalla).Fondo));
        if (Generador == nullptr) {
            return;
        }
        pintor.setRenderHint(QPainter::TextAntialiasing, true);
        CLienzoQt lienzo(pintor);
        CPatron& muestra = Generador->Muestra();
        Dibujar(muestra, lienzo, RRect{5, 5, width() - 20, height() - 20}, ModoDibujo::Pantalla,
                RRect{0, 0, width(), height()}, Entorno);
        muestra.SetLienzo(nullptr);
    }
};

} // namespace

TDLGGenerarEti::TDLGGenerarEti(TDlgEtiqueta& etiqueta, QWidget* padre)
    : QDialog(padre), FEtiqueta(etiqueta) {
    setObjectName(QStringLiteral("TDLGGenerarEti"));
    setWindowTitle(QString::fromUtf8(Textos::TituloGenerarEti));
    FcbTipo = new QComboBox(this);
    FcbTipo->setObjectName(QStringLiteral("cbTipo"));
    for (const char* t : Textos::TiposEtiqueta) {
        FcbTipo->addItem(QString::fromUtf8(t));
    }
    auto* configurar = new QPushButton(QString::fromUtf8(Textos::BotonConfigurar), this);
    configurar->setObjectName(QStringLiteral("btConfigurar"));
    configurar->setAutoDefault(false);
    connect(configurar, &QPushButton::clicked, this, &TDLGGenerarEti::btConfigurarClick);
    FpnVista = new CVistaMuestra(this);
    FpnVista->setObjectName(QStringLiteral("pnVista"));
    FpnVista->setMinimumSize(420, 320);

    auto* botones = new QDialogButtonBox(this);
    botones->addButton(QString::fromUtf8(Textos::BotonOK), QDialogButtonBox::AcceptRole)
        ->setObjectName(QStringLiteral("OKBtn"));
    botones->addButton(QString::fromUtf8(Textos::BotonCancelarSimple),
                       QDialogButtonBox::RejectRole);
    connect(botones, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* fila = new QHBoxLayout;
    auto* tipo = new QLabel(QString::fromUtf8(Textos::TipoEtiqueta), this);
    tipo->setBuddy(FcbTipo);
    fila->addWidget(tipo);
    fila->addWidget(FcbTipo, 1);
    fila->addWidget(configurar);
    auto* capa = new QVBoxLayout(this);
    capa->addLayout(fila);
    capa->addWidget(FpnVista, 1);
    capa->addWidget(botones);
}

TDLGGenerarEti::~TDLGGenerarEti() = default;

void TDLGGenerarEti::Cargar(const CLanzamiento& lanzamiento,
                            const std::array<std::string, 4>& partes) {
    static_cast<CVistaMuestra*>(FpnVista)->Generador = nullptr;
    FGenerador = std::make_unique<CGeneradorEtiqueta>(lanzamiento, partes);
    static_cast<CVistaMuestra*>(FpnVista)->Generador = FGenerador.get();
    FcbTipo->setCurrentIndex(0);
    FpnVista->update();
}

std::array<std::string, 4> TDLGGenerarEti::Partes() const {
    return FGenerador ? FGenerador->Partes() : FPartes;
}

std::string TDLGGenerarEti::TextoMemo() const {
    return FGenerador ? FGenerador->TextoMemo() : FTextoMemo;
}

std::string TDLGGenerarEti::FormatoComun() const {
    return FGenerador ? FGenerador->FormatoComun() : FFormatoComun;
}

void TDLGGenerarEti::done(int resultado) {
    if (FGenerador) {
        FPartes = FGenerador->Partes();
        FTextoMemo = FGenerador->TextoMemo();
        FFormatoComun = FGenerador->FormatoComun();
        static_cast<CVistaMuestra*>(FpnVista)->Generador = nullptr;
        FGenerador.reset();
    }
    QDialog::done(resultado);
}

void TDLGGenerarEti::btConfigurarClick() {
    if (!FGenerador) {
        return;
    }
    const int i = FcbTipo->currentIndex();
    const std::string& parte = FGenerador->Parte(i);
    FEtiqueta.CargarFormato(parte);
    FEtiqueta.MostrarFormato(parte);
    FEtiqueta.FijarPropagable(false);
    FEtiqueta.FijarNodo(nullptr, nullptr);
    if (CDialogos::Ejecutar(FEtiqueta) == QDialog::Accepted) {
        FGenerador->FijarParte(i, FEtiqueta.FormatoDeMemo());
        FpnVista->update();
    }
}
