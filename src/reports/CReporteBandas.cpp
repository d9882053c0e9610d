#include "reports/CReporteBandas.h"

#include "document/CLanzamiento.h"
#include "document/UTextos.h"
#include "engine/CSolucion.h"
#include "patterns/CPatron.h"
#include "patterns/UDibujo.h"
#include "ui/CLienzoQt.h"
#include "ui/CPaginaQt.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// Band geometry in report units (1/96 inch).
constexpr double AltoCabecera = 52;
constexpr double AltoForma = 34;
constexpr double AltoPie = 26;
constexpr double AltoDetalle = 15;
constexpr double AltoTitulo = 22;
constexpr double AltoEncabezado = 18;
constexpr double AltoCaption = 14;
constexpr double Relleno = 3;
// The drawing of a card is fitted into its area shrunk by this on every side.
constexpr int MargenDibujo = 30;
// The widest each card caption may be, in the order of the captions.
constexpr double AnchosCaptions[] = {100, 95, 176, 105, 117, 100, 464, 80};

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

QFont Fuente(double puntos, bool negrita = false) {
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(puntos);
    f.setBold(negrita);
    // No ligatures: "X_fin" must read back as typed from the PDF (searching, copying).
    f.setStyleStrategy(QFont::PreferNoShaping);
    return f;
}

QRectF Escalar(const QRectF& r, double e) {
    return {r.x() * e, r.y() * e, r.width() * e, r.height() * e};
}

RRect ARRect(const QRectF& r) {
    return {static_cast<std::int32_t>(std::lround(r.left())),
            static_cast<std::int32_t>(std::lround(r.top())),
            static_cast<std::int32_t>(std::lround(r.right())),
            static_cast<std::int32_t>(std::lround(r.bottom()))};
}

void Texto(QPainter& p, const QRectF& r, const QString& s, Qt::Alignment a) {
    const QString visible =
        QFontMetricsF(p.font(), p.device()).elidedText(s, Qt::ElideRight, r.width());
    p.drawText(r, static_cast<int>(a | Qt::AlignVCenter | Qt::TextSingleLine), visible);
}

} // namespace

CReporteBandas::CReporteBandas(const CLanzamiento& job, TReporte tipo, const REntorno& entorno,
                               std::int32_t patron)
    : FJob(job), FFilas(job, tipo, patron), FEntorno(entorno), FFecha(QDate::currentDate()) {
    FFilasTarjetas = tipo == TReporte::Patrones ? CFilasReporte::FilasTarjetas(job.Opciones()) : 1;
    FColumnasTarjetas =
        tipo == TReporte::Patrones ? CFilasReporte::ColumnasTarjetas(job.Opciones()) : 1;
}

CReporteBandas::~CReporteBandas() = default;

void CReporteBandas::FijarVista(const QRect& vista, const QRect& zoom) {
    FVista = vista;
    FZoom = zoom;
}

QPageLayout CReporteBandas::Diseno() const {
    ROpciones o = FJob.Opciones();
    const TReporte t = FFilas.Tipo();
    if (t != TReporte::Patrones && t != TReporte::Detalle) {
        o.PaperOrientation = FFilas.Apaisado() ? 1 : 0;
    }
    return CPaginaQt::Diseno(o);
}

// ---- Layout ----

double CReporteBandas::AltoFila(const RFilaReporte& f) const {
    return f.Tipo == TFila::Titulo ? AltoTitulo : AltoDetalle;
}

double CReporteBandas::AltoEncabezados() const {
    if (FFilas.Columnas().empty()) {
        return 0;
    }
    return AltoEncabezado * (FFilas.Grupos().empty() ? 1 : 2);
}

double CReporteBandas::AltoCuerpo() const {
    return FAlto - AltoCabecera - AltoEncabezados() - AltoPie;
}

int CReporteBandas::Paginar(const QPageLayout& diseno) {
    const QRectF area = diseno.paintRect(QPageLayout::Inch);
    FAncho = area.width() * 96;
    FAlto = area.height() * 96;
    FInicios.clear();
    FFilas.Reiniciar();
    const TReporte t = FFilas.Tipo();
    if (t == TReporte::Patrones || t == TReporte::Detalle) {
        const auto porPagina = static_cast<std::int64_t>(FFilasTarjetas) * FColumnasTarjetas;
        const auto n = static_cast<std::int64_t>(FFilas.Patrones().size());
        for (std::int64_t i = 0; i == 0 || i < n; i += porPagina) {
            FInicios.push_back({RPosicionReporte{i, 0},
                                static_cast<int>(std::min<std::int64_t>(porPagina, n - i)), false,
                                RPosicionReporte{}});
        }
        return Paginas();
    }
    const double cuerpo = std::max(AltoCuerpo(), 2 * AltoTitulo + AltoDetalle);
    RPagina pagina{FFilas.Posicion(), 0, false, RPosicionReporte{}};
    double y = 0;
    bool hayEncabezado = false;
    RPosicionReporte encabezado;
    for (TFila tipo;;) {
        const RPosicionReporte pos = FFilas.Posicion();
        if (!FFilas.Avanzar(tipo)) {
            break;
        }
        const double alto = tipo == TFila::Titulo ? AltoTitulo : AltoDetalle;
        // A heading is never left alone at the foot of a page.
        const double necesario = tipo == TFila::Titulo ? alto + AltoDetalle : alto;
        if (pagina.Filas > 0 && y + necesario > cuerpo) {
            FInicios.push_back(pagina);
            const bool continua = hayEncabezado && tipo != TFila::Titulo;
            pagina = RPagina{pos, 0, continua, encabezado};
            y = continua ? AltoTitulo : 0;
        }
        if (tipo == TFila::Titulo) {
            hayEncabezado = true;
            encabezado = pos;
        }
        y += alto;
        ++pagina.Filas;
    }
    FInicios.push_back(pagina);
    return Paginas();
}

std::vector<double> CReporteBandas::Posiciones() const {
    const std::vector<RColumnaReporte>& c = FFilas.Columnas();
    double total = 0;
    for (const RColumnaReporte& col : c) {
        total += col.Ancho;
    }
    std::vector<double> x{0};
    for (const RColumnaReporte& col : c) {
        x.push_back(x.back() + (total > 0 ? FAncho * col.Ancho / total : 0));
    }
    return x;
}

// ---- Painting ----

bool CReporteBandas::Imprimir(QPagedPaintDevice& d, int desde, int hasta) {
    Paginar(d.pageLayout());
    const int ultima = hasta <= 0 ? Paginas() : std::min(hasta, Paginas());
    desde = std::max(1, desde);
    QPainter p;
    if (!p.begin(&d)) {
        return false;
    }
    const double escala = d.logicalDpiX() / 96.0;
    for (int k = desde; k <= ultima; ++k) {
        if (k > desde) {
            d.newPage();
        }
        PintarPagina(p, k, escala);
    }
    return p.end();
}

void CReporteBandas::PintarPagina(QPainter& p, int pagina, double e) {
    if (pagina < 1 || pagina > Paginas()) {
        return;
    }
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    PintarCabecera(p, pagina, e);
    const RPagina& pg = FInicios[static_cast<std::size_t>(pagina) - 1];
    FFilas.IrA(pg.Inicio);
    const TReporte t = FFilas.Tipo();
    if (t == TReporte::Patrones || t == TReporte::Detalle) {
        const double alto = (FAlto - AltoCabecera - AltoPie - 2) / FFilasTarjetas;
        const double ancho = FAncho / FColumnasTarjetas;
        RFilaReporte f;
        for (int i = 0; i < pg.Filas && FFilas.Siguiente(f); ++i) {
            const QRectF r((i % FColumnasTarjetas) * ancho,
                           AltoCabecera + (i / FColumnasTarjetas) * alto, ancho, alto);
            PintarTarjeta(p, f, r, e);
        }
    } else {
        double y = PintarEncabezados(p, AltoCabecera, e);
        RFilaReporte f;
        if (pg.Continua) {
            FFilas.IrA(pg.Encabezado);
            if (FFilas.Siguiente(f)) {
                PintarFila(p, f, y, e);
                y += AltoFila(f);
            }
            FFilas.IrA(pg.Inicio);
        }
        for (int i = 0; i < pg.Filas && FFilas.Siguiente(f); ++i) {
            PintarFila(p, f, y, e);
            y += AltoFila(f);
        }
    }
    PintarPie(p, pagina, e);
    p.restore();
    if (FAlTerminarPagina) {
        FAlTerminarPagina(pagina);
    }
}

void CReporteBandas::PintarCabecera(QPainter& p, int pagina, double e) {
    const QRectF forma(0, 0, FAncho, AltoForma);
    p.setPen(Qt::NoPen);
    p.setBrush(CLienzoQt::AColor(FEntorno.Colores[10]));
    p.drawRect(Escalar(forma, e));
    p.setBrush(Qt::NoBrush);
    p.setPen(CLienzoQt::AColor(FEntorno.Colores[11]));
    const QRectF dentro = forma.adjusted(8, 0, -8, 0);
    p.setFont(Fuente(9));
    Texto(p, Escalar(dentro, e), QStringLiteral("%1 %2").arg(Q(Textos::Pagina)).arg(pagina),
          Qt::AlignLeft);
    Texto(p, Escalar(dentro, e), FFecha.toString(QStringLiteral("dd/MM/yyyy")), Qt::AlignRight);
    p.setFont(Fuente(14, true));
    Texto(p, Escalar(dentro.adjusted(90, 0, -90, 0), e), Q(Titulo()), Qt::AlignHCenter);
    p.setFont(Fuente(8));
    p.setPen(Qt::black);
    Texto(p, Escalar(QRectF(0, AltoForma + 2, FAncho, AltoCabecera - AltoForma - 6), e),
          Q(FJob.Nombre()), Qt::AlignLeft);
}

void CReporteBandas::PintarPie(QPainter& p, int pagina, double e) {
    const double y = FAlto - AltoPie;
    p.setPen(QPen(Qt::black, 0.75 * e));
    p.drawLine(QPointF(0, (y + 4) * e), QPointF(FAncho * e, (y + 4) * e));
    p.setFont(Fuente(8));
    Texto(p, Escalar(QRectF(0, y + 6, FAncho, AltoPie - 6), e),
          QStringLiteral("%1 %2 %3 %4")
              .arg(Q(Textos::Pagina))
              .arg(pagina)
              .arg(Q(Textos::De))
              .arg(Paginas()),
          Qt::AlignHCenter);
}

double CReporteBandas::PintarEncabezados(QPainter& p, double y, double e) {
    const std::vector<RColumnaReporte>& c = FFilas.Columnas();
    if (c.empty()) {
        return y;
    }
    const std::vector<double> x = Posiciones();
    p.setPen(Qt::black);
    p.setFont(Fuente(8, true));
    for (const RGrupoColumnas& g : FFilas.Grupos()) {
        const double x0 = x[static_cast<std::size_t>(g.Primera)];
        const double x1 = x[static_cast<std::size_t>(g.Primera + g.Cantidad)];
        const QRectF r(x0 + 1, y, x1 - x0 - 2, AltoEncabezado);
        p.fillRect(Escalar(r, e), QColor(230, 230, 230));
        Texto(p, Escalar(r, e), Q(g.Titulo), Qt::AlignHCenter);
    }
    if (!FFilas.Grupos().empty()) {
        y += AltoEncabezado;
    }
    for (std::size_t i = 0; i < c.size(); ++i) {
        const double izq = c[i].Derecha ? Relleno : 2 * Relleno;
        const QRectF r(x[i] + izq, y, x[i + 1] - x[i] - izq - Relleno, AltoEncabezado);
        Texto(p, Escalar(r, e), Q(c[i].Titulo), c[i].Derecha ? Qt::AlignRight : Qt::AlignLeft);
    }
    y += AltoEncabezado;
    p.setPen(QPen(Qt::black, 0.75 * e));
    p.drawLine(QPointF(0, (y - 1) * e), QPointF(FAncho * e, (y - 1) * e));
    return y;
}

void CReporteBandas::PintarFila(QPainter& p, const RFilaReporte& f, double y, double e) {
    p.setPen(Qt::black);
    if (f.Tipo == TFila::Titulo) {
        p.setFont(Fuente(9, true));
        Texto(p, Escalar(QRectF(0, y + 4, FAncho, AltoTitulo - 4), e), Q(f.Texto), Qt::AlignLeft);
        return;
    }
    const std::vector<double> x = Posiciones();
    const std::vector<RColumnaReporte>& c = FFilas.Columnas();
    const bool total = f.Tipo == TFila::Total;
    p.setFont(Fuente(8, f.Negrita || total));
    if (total) {
        p.setPen(QPen(Qt::black, 0.5 * e));
        p.drawLine(QPointF(x[3] * e, y * e), QPointF(FAncho * e, y * e));
    }
    for (std::size_t i = 0; i < c.size() && i < f.Celdas.size(); ++i) {
        if (f.Celdas[i].empty()) {
            continue;
        }
        // Text to the left gets a wider gap from a number to the right before it.
        const double izq = c[i].Derecha ? Relleno : 2 * Relleno;
        const QRectF r(x[i] + izq, y, x[i + 1] - x[i] - izq - Relleno, AltoDetalle);
        Texto(p, Escalar(r, e), Q(f.Celdas[i]), c[i].Derecha ? Qt::AlignRight : Qt::AlignLeft);
    }
}

void CReporteBandas::PintarTarjeta(QPainter& p, const RFilaReporte& f, const QRectF& r, double e) {
    const QRectF tarjeta = r.adjusted(2, 2, -2, -2);
    p.setPen(QPen(Qt::black, 0.75 * e));
    p.setBrush(Qt::NoBrush);
    p.drawRect(Escalar(tarjeta, e));
    // The captions flow in lines across the card.
    double x = 0;
    double y = 0;
    const std::size_t n = std::min<std::size_t>(f.Celdas.size(), std::size(AnchosCaptions));
    for (std::size_t i = 0; i < n; ++i) {
        p.setFont(Fuente(8, i == 0));
        // A caption wider than its room keeps its whole text as long as the card allows.
        const double texto =
            QFontMetricsF(p.font(), p.device()).horizontalAdvance(Q(f.Celdas[i])) / e + 6;
        const double ancho = std::clamp(std::max(AnchosCaptions[i], texto), 0.0, tarjeta.width());
        if (x > 0 && x + ancho > tarjeta.width()) {
            x = 0;
            y += AltoCaption;
        }
        Texto(p, Escalar(QRectF(tarjeta.left() + x, tarjeta.top() + 2 + y, ancho, AltoCaption), e),
              Q(f.Celdas[i]), Qt::AlignLeft);
        x += ancho;
    }
    y += 2 * AltoCaption; // the last line and the blank line
    const QRectF area(tarjeta.left(), tarjeta.top() + y, tarjeta.width(), tarjeta.height() - y);
    const CPatron* original = FJob.Solucion().Patron(f.Patron);
    if (original == nullptr || original->Raiz() == nullptr || area.height() < 4) {
        return;
    }
    // The drawing records screen rectangles in the pattern: a copy keeps the pattern view's.
    const std::unique_ptr<CPatron> P = CPatron::Copia(*original);
    QRectF ajuste;
    QRectF recorte;
    if (FFilas.Tipo() == TReporte::Detalle && FVista.isValid() && FZoom.isValid()) {
        // The visible part of the view, fitted into the area keeping its proportions.
        const double s = std::min(area.width() / FVista.width(), area.height() / FVista.height());
        const QPointF o(area.center().x() - FVista.width() * s / 2,
                        area.center().y() - FVista.height() * s / 2);
        const auto mapa = [&](const QRect& q) {
            return QRectF(o.x() + (q.left() - FVista.left()) * s,
                          o.y() + (q.top() - FVista.top()) * s, q.width() * s, q.height() * s);
        };
        recorte = mapa(FVista);
        ajuste = mapa(FZoom);
    } else {
        const double m = std::min({double(MargenDibujo), area.width() / 4, area.height() / 4});
        recorte = area;
        ajuste = area.adjusted(m, m, -m, -m);
    }
    p.save();
    CLienzoQt lienzo(p);
    Dibujar(*P, lienzo, ARRect(Escalar(ajuste, e)), ModoDibujo::Papel, ARRect(Escalar(recorte, e)),
            FEntorno);
    p.restore();
    if (FFilas.Tipo() == TReporte::Detalle) {
        p.setPen(QPen(Qt::black, 0.75 * e));
        p.setBrush(Qt::NoBrush);
        p.drawRect(Escalar(recorte, e));
    }
}
