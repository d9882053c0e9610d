#include "patterns/UDibujo.h"

#include "document/REntorno.h"
#include "document/ROpciones.h"
#include "document/UEntorno.h"
#include "document/UGlobals.h"
#include "patterns/CCorte.h"
#include "patterns/CPatron.h"
#include "patterns/UEtiquetas.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr TColor Negro = ColorRGB(0, 0, 0);
constexpr TColor Blanco = ColorRGB(255, 255, 255);
// Margin bands of a thumbnail: the thumbnail scheme has no offcut colour of its own.
constexpr TColor GrisMiniatura = ColorRGB(160, 160, 160);

class CDibujo {
public:
    CDibujo(CPatron& P, CLienzo& lienzo, int modo, const REntorno& entorno)
        : FP(P), FLienzo(lienzo), FModo(modo), FEntorno(entorno),
          FColores(ColoresDeModo(entorno, modo)) {
        static const ROpciones porDefecto;
        FOpciones = P.Opciones() ? P.Opciones() : &porDefecto;
        FK = P.AnchoCorte();
        FD = std::max(1, static_cast<int>(entorno.AnchoLinea));
    }

    void Ejecutar(const RRect& ajuste, const RRect& recorte);

private:
    int DX(long long x) const {
        const RRect& v = FP.RectVista();
        return static_cast<int>(std::lround(
            static_cast<double>(v.Right - v.Left) * static_cast<double>(x) / FLargoTotal + v.Left));
    }
    int DY(long long y) const {
        const RRect& v = FP.RectVista();
        return static_cast<int>(std::lround(v.Bottom - static_cast<double>(v.Bottom - v.Top) *
                                                           static_cast<double>(y) / FAnchoTotal));
    }
    long long AltoNodo(const CCorte& n) const { return FBarras ? FAnchoTotal : FP.AnchoSP(n); }

    // Primitives clipped to RectDestino.
    void Rectangulo(const RRect& r) {
        RRect c;
        if (RecortarRectangulo(r, FP.RectDestino(), c)) {
            FLienzo.Rectangulo(c);
        }
    }
    void Linea(int x1, int y1, int x2, int y2) {
        if (RecortarLinea(x1, y1, x2, y2, FP.RectDestino())) {
            FLienzo.Linea(x1, y1, x2, y2);
        }
    }
    // The fill of free areas: the rectangle shrunk by the line width, skipped when too small.
    void RellenarLibre(const RRect& r) {
        const RRect s{r.Left + FD, r.Top + FD, r.Right - FD, r.Bottom - FD};
        if (s.Right - s.Left <= 1 || s.Bottom - s.Top <= 1) {
            return;
        }
        FLienzo.Pluma(FColores.RellenoSobrante, TEstiloPluma::Ninguna, 1);
        FLienzo.Relleno(FColores.RellenoSobrante, RellenoSobrante());
        Rectangulo(s);
    }
    // Calls dibujar(i) for the i in 1..n whose line, at device coordinate pixel(i), falls
    // on a pixel of [desde, hasta] not yet drawn: a block of any repetition draws at most
    // one line per visible pixel, in time that grows with the pixels, not the pieces.
    // pixel must be monotonic in i.
    template <class Pixel, class Accion>
    static void PorPixel(int n, int desde, int hasta, Pixel pixel, Accion dibujar) {
        if (n < 1) {
            return;
        }
        const bool crece = pixel(n) >= pixel(1);
        // Whether line i lies before the visible range, or after it, in the walk's direction.
        auto antes = [&](int i) { return crece ? pixel(i) < desde : pixel(i) > hasta; };
        auto despues = [&](int i) { return crece ? pixel(i) > hasta : pixel(i) < desde; };
        // The first index from bajo to n for which pred holds (n + 1 when none).
        auto primero = [&](int bajo, auto pred) {
            int alto = n + 1;
            while (bajo < alto) {
                const int medio = bajo + (alto - bajo) / 2;
                if (pred(medio)) {
                    alto = medio;
                } else {
                    bajo = medio + 1;
                }
            }
            return bajo;
        };
        for (int i = primero(1, [&](int k) { return !antes(k); }); i <= n && !despues(i);) {
            const int d = pixel(i);
            dibujar(i);
            i = i < n && pixel(i + 1) != d ? i + 1
                                           : primero(i + 1, [&](int k) { return pixel(k) != d; });
        }
    }
    TEstiloRelleno RellenoSobrante() const {
        const int r = FEntorno.RellenoSobrante;
        return r >= 0 && r <= 7 ? static_cast<TEstiloRelleno>(r) : TEstiloRelleno::Solido;
    }

    void Material();
    void Nodo(CCorte& n, long long x, long long y);
    void Hoja(CCorte& n, long long x, long long y);
    void Etiquetas(const CCorte& n, long long x, long long y);
    void Colocar(std::string texto, const RRect& dentro, const RRect& fuera, const RRect& corte);

    CPatron& FP;
    CLienzo& FLienzo;
    int FModo;
    const REntorno& FEntorno;
    RColoresDibujo FColores;
    const ROpciones* FOpciones = nullptr;
    long long FK = 0;
    int FD = 1;
    int FAnchoPluma = 1;
    bool FBarras = false;
    double FLargoTotal = 1;
    double FAnchoTotal = 1;
    int FCortes = 0;
    int FHojas = 0;
    int FSobrantes = 0;
};

void CDibujo::Ejecutar(const RRect& ajuste, const RRect& recorte) {
    FP.SetModo(static_cast<std::uint8_t>(FModo));
    FP.SetLienzo(&FLienzo);
    FP.SetRectDestino(recorte);
    FBarras = FP.Barras();

    const std::int32_t largoTotal = FP.LargoTotal();
    std::int32_t anchoTotal = FP.AnchoTotal();
    if (FBarras) {
        anchoTotal = static_cast<std::int32_t>(std::lround(largoTotal * FEntorno.AnchoBarra));
    }
    FP.SetLargoTotalDibujo(largoTotal);
    FP.SetAnchoTotalDibujo(anchoTotal);
    if (!FP.Raiz() || largoTotal <= 0 || anchoTotal <= 0) {
        return;
    }
    FLargoTotal = largoTotal;
    FAnchoTotal = anchoTotal;

    // The material keeps its aspect ratio, as large as fits, centred in `ajuste`.
    const double anchoAjuste = ajuste.Right - ajuste.Left;
    const double altoAjuste = ajuste.Bottom - ajuste.Top;
    const double escala =
        std::max(0.0, std::min(anchoAjuste / FLargoTotal, altoAjuste / FAnchoTotal));
    const int ancho = static_cast<int>(std::lround(FLargoTotal * escala));
    const int alto = static_cast<int>(std::lround(FAnchoTotal * escala));
    const int izq = ajuste.Left + static_cast<int>(std::lround((anchoAjuste - ancho) / 2));
    const int arriba = ajuste.Top + static_cast<int>(std::lround((altoAjuste - alto) / 2));
    FP.SetRectVista(RRect{izq, arriba, izq + ancho, arriba + alto});

    FAnchoPluma = FModo == ModoDibujo::Miniatura ? 1 : FD;
    Material();
    Nodo(*FP.Raiz(), FP.MargenIzq(), FP.MargenInf());
    if (FModo != ModoDibujo::Miniatura) {
        FCortes = FHojas = FSobrantes = 0;
        Etiquetas(*FP.Raiz(), FP.MargenIzq(), FP.MargenInf());
    }
    FLienzo.Terminar();
}

void CDibujo::Material() {
    const long long lt = static_cast<long long>(FLargoTotal);
    const long long at = static_cast<long long>(FAnchoTotal);
    const RRect material{DX(0), DY(at), DX(lt), DY(0)};
    FLienzo.Pluma(FColores.CortesSemiproductos, TEstiloPluma::Ninguna, FAnchoPluma);
    FLienzo.Relleno(FColores.Fondo, TEstiloRelleno::Solido);
    Rectangulo(material);
    if (FOpciones->ChequearMargenes) {
        const TColor banda =
            FModo == ModoDibujo::Miniatura ? GrisMiniatura : FColores.RellenoSobrante;
        FLienzo.Relleno(banda, RellenoSobrante());
        const long long mi = FP.MargenIzq();
        const long long md = FP.MargenDer();
        const long long ms = FP.MargenSup();
        const long long mf = FP.MargenInf();
        if (mi > 0) {
            Rectangulo(RRect{DX(0), DY(at), DX(mi), DY(0)});
        }
        if (md > 0) {
            Rectangulo(RRect{DX(lt - md), DY(at), DX(lt), DY(0)});
        }
        if (mf > 0) {
            Rectangulo(RRect{DX(0), DY(mf), DX(lt), DY(0)});
        }
        if (ms > 0) {
            Rectangulo(RRect{DX(0), DY(at), DX(lt), DY(at - ms)});
        }
    }
    FLienzo.Pluma(FColores.CortesSemiproductos, TEstiloPluma::Solida, FAnchoPluma);
    FLienzo.Relleno(FColores.Fondo, TEstiloRelleno::Hueco);
    Rectangulo(material);
}

void CDibujo::Nodo(CCorte& n, long long x, long long y) {
    const long long l = FP.LargoSP(n);
    const long long h = AltoNodo(n);
    RRect marco;
    if (!RecortarRectangulo(RRect{DX(x), DY(y + h), DX(x + l), DY(y)}, FP.RectDestino(), marco)) {
        // Nothing of the node is visible: an empty frame that no point hits.
        marco = RRect{FP.RectDestino().Left, FP.RectDestino().Top, FP.RectDestino().Left,
                      FP.RectDestino().Top};
    }
    n.SetMarco(marco);

    if (n.Dir() != 0 && n.Hijo1() && n.Hijo2()) {
        const long long pos = n.PosicionCorte();
        FLienzo.Pluma(FColores.CortesSemiproductos, TEstiloPluma::Solida, FAnchoPluma);
        FLienzo.Relleno(FColores.CortesSemiproductos, TEstiloRelleno::Solido);
        if (n.Dir() == 1) {
            Rectangulo(RRect{DX(x + pos - FK), DY(y + h), DX(x + pos), DY(y)});
            Nodo(*n.Hijo1(), x, y);
            Nodo(*n.Hijo2(), x + pos, y);
        } else {
            Rectangulo(RRect{DX(x), DY(y + pos), DX(x + l), DY(y + pos - FK)});
            Nodo(*n.Hijo1(), x, y);
            Nodo(*n.Hijo2(), x, y + pos);
        }
        return;
    }
    if (n.Dir() == 0 && FModo != ModoDibujo::Miniatura) {
        Hoja(n, x, y);
    }
}

void CDibujo::Hoja(CCorte& n, long long x, long long y) {
    const long long l = FP.LargoSP(n);
    const long long h = AltoNodo(n);
    const RRect& marco = n.Marco();
    if (n.Pieza() == 0 || n.RepX() <= 0 || n.RepY() <= 0 || n.LargoPz() <= 0 || n.AnchoPz() <= 0) {
        RellenarLibre(marco);
        return;
    }
    const long long bl = static_cast<long long>(n.LargoPz()) * n.RepX() - FK;
    const long long bw = FBarras ? h : static_cast<long long>(n.AnchoPz()) * n.RepY() - FK;
    // The last line of a block that fills the node would lie on the node's edge.
    const int nx = n.RepX() - (bl == l ? 1 : 0);
    const int ny = n.RepY() - (bw == h ? 1 : 0);

    FLienzo.Pluma(FColores.CortesPiezas, TEstiloPluma::Punteada, 1);
    FLienzo.Relleno(FColores.CortesPiezas, TEstiloRelleno::Hueco);
    const RRect& visible = FP.RectDestino();
    const auto columna = [&](int i) { return x + static_cast<long long>(i) * n.LargoPz(); };
    PorPixel(
        nx, visible.Left, visible.Right, [&](int i) { return DX(columna(i) - FK); },
        [&](int i) {
            Linea(DX(columna(i) - FK), DY(y) - 1, DX(columna(i) - FK), DY(y + bw) + 1);
            if (FK > 0) {
                Linea(DX(columna(i)), DY(y) - 1, DX(columna(i)), DY(y + bw) + 1);
            }
        });
    RellenarLibre(RRect{DX(x + bl + FK), DY(y + h), DX(x + l), DY(y)});
    if (FBarras) {
        return;
    }
    FLienzo.Pluma(FColores.CortesPiezas, TEstiloPluma::Punteada, 1);
    FLienzo.Relleno(FColores.CortesPiezas, TEstiloRelleno::Hueco);
    const auto fila = [&](int j) { return y + static_cast<long long>(j) * n.AnchoPz(); };
    PorPixel(
        ny, visible.Top, visible.Bottom, [&](int j) { return DY(fila(j) - FK); },
        [&](int j) {
            Linea(DX(x) + 1, DY(fila(j) - FK), DX(x + bl) - 1, DY(fila(j) - FK));
            if (FK > 0) {
                Linea(DX(x) + 1, DY(fila(j)), DX(x + bl) - 1, DY(fila(j)));
            }
        });
    RellenarLibre(RRect{DX(x), DY(y + h), DX(x + l), DY(y + bw + FK)});
}

void CDibujo::Etiquetas(const CCorte& n, long long x, long long y) {
    const long long l = FP.LargoSP(n);
    const long long h = AltoNodo(n);
    const CCorte& raiz = *FP.Raiz();
    const RRect& m = n.Marco();
    const RRect dentro{m.Left + FD, m.Top + FD, m.Right - FD, m.Bottom - FD};

    // The node with the kerf that borders it inside the usable area.
    const long long x0 = x > FP.MargenIzq() ? x - FK : x;
    const long long x1 =
        x + n.Largo() >= FP.MargenIzq() + static_cast<long long>(raiz.Largo()) ? x + l : x + l + FK;
    long long y0 = y;
    long long y1 = y + h;
    if (!FBarras) {
        y0 = y > FP.MargenInf() ? y - FK : y;
        y1 = y + n.Ancho() >= FP.MargenInf() + static_cast<long long>(raiz.Ancho()) ? y + h
                                                                                    : y + h + FK;
    }
    const RRect fuera{DX(x0) - FD, DY(y1) - FD, DX(x1) + FD, DY(y0) + FD};

    if (n.Dir() != 0 && n.Hijo1() && n.Hijo2()) {
        ++FCortes;
        const long long pos = n.PosicionCorte();
        const RRect corte = n.Dir() == 1
                                ? RRect{DX(x + pos - FK) - FD, DY(y + h), DX(x + pos) + FD, DY(y)}
                                : RRect{DX(x), DY(y + pos) - FD, DX(x + l), DY(y + pos - FK) + FD};
        if (FOpciones->EtiCorte) {
            Colocar(ExpandirEtiqueta(FP, n.Etiqueta(), &n, 0, 0, FCortes, static_cast<int>(y),
                                     static_cast<int>(x)),
                    dentro, fuera, corte);
        }
        if (n.Dir() == 1) {
            Etiquetas(*n.Hijo1(), x, y);
            Etiquetas(*n.Hijo2(), x + pos, y);
        } else {
            Etiquetas(*n.Hijo1(), x, y);
            Etiquetas(*n.Hijo2(), x, y + pos);
        }
        return;
    }
    if (n.Dir() != 0) {
        return;
    }
    ++FHojas;
    if (n.Pieza() == 0 && FP.EsSobrante(n)) {
        ++FSobrantes;
    }
    const std::string texto = ExpandirEtiqueta(FP, n.Etiqueta(), &n, FSobrantes, FHojas, 0,
                                               static_cast<int>(y), static_cast<int>(x));
    if (texto.empty()) {
        return;
    }
    if ((n.Pieza() != 0 && FOpciones->EtiPieza) || (n.Pieza() == 0 && FOpciones->EtiSobrante)) {
        Colocar(texto, dentro, fuera, fuera);
    }
}

void CDibujo::Colocar(std::string texto, const RRect& dentro, const RRect& fuera,
                      const RRect& corte) {
    using namespace Directiva;
    const int banderas = LeerDirectivas(texto);
    const bool recorte = LeerRecorte(texto);
    RFuente fuente;
    AplicarFuente(LeerFuente(texto), fuente);
    FLienzo.Fuente(fuente, FColores.Etiquetas);

    std::vector<std::string> lineas;
    std::size_t inicio = 0;
    while (inicio <= texto.size()) {
        std::size_t fin = texto.find('\n', inicio);
        if (fin == std::string::npos) {
            fin = texto.size();
        }
        std::string linea = Recortar(texto.substr(inicio, fin - inicio));
        if (!linea.empty()) {
            lineas.push_back(std::move(linea));
        }
        inicio = fin + 1;
    }
    if (lineas.empty()) {
        return;
    }
    std::vector<int> altos;
    int w = 0;
    int th = 0;
    for (const auto& linea : lineas) {
        w = std::max(w, FLienzo.AnchoTexto(linea));
        altos.push_back(FLienzo.AltoTexto(linea));
        th += altos.back();
    }

    const bool vDentro = banderas & DentroVertical;
    const bool hDentro = banderas & DentroHorizontal;
    const RRect& rv = vDentro ? dentro : (banderas & FueraVertical) ? fuera : corte;
    const RRect& rh = hDentro ? dentro : (banderas & FueraHorizontal) ? fuera : corte;

    int ty = 0;
    if (banderas & Arriba) {
        ty = vDentro ? rv.Top : rv.Top - th;
    } else if (banderas & Abajo) {
        ty = vDentro ? rv.Bottom - th : rv.Bottom;
    } else {
        ty = (rv.Top + rv.Bottom - th) / 2;
    }
    int tx = 0;
    if (banderas & Izquierda) {
        tx = hDentro ? rh.Left + 2 : rh.Left - w - 2;
    } else if (banderas & Derecha) {
        tx = hDentro ? rh.Right - w - 1 : rh.Right + 2;
    } else {
        tx = (rh.Left + rh.Right - w) / 2;
    }

    RRect bloque{tx, ty, tx + w, ty + th};
    const RRect& destino = FP.RectDestino();
    bloque = RRect{std::max(bloque.Left, destino.Left), std::max(bloque.Top, destino.Top),
                   std::min(bloque.Right, destino.Right), std::min(bloque.Bottom, destino.Bottom)};
    if (bloque.Left >= bloque.Right || bloque.Top >= bloque.Bottom) {
        return;
    }
    const bool vCorte = banderas & CorteVertical;
    const bool hCorte = banderas & CorteHorizontal;
    if (recorte && ((vDentro && hDentro) || (vDentro && hCorte) || (vCorte && hDentro))) {
        bloque =
            RRect{std::max(bloque.Left, dentro.Left), std::max(bloque.Top, dentro.Top),
                  std::min(bloque.Right, dentro.Right), std::min(bloque.Bottom, dentro.Bottom)};
        if (bloque.Left >= bloque.Right || bloque.Top >= bloque.Bottom) {
            return;
        }
    }

    TAlineacion alineacion = TAlineacion::Izquierda;
    int ax = bloque.Left;
    if (((banderas & Izquierda) && !hDentro) || ((banderas & Derecha) && hDentro)) {
        alineacion = TAlineacion::Derecha;
        ax = bloque.Right;
    } else if (banderas & CentroHorizontal) {
        alineacion = TAlineacion::Centro;
        ax = (bloque.Left + bloque.Right) / 2;
    }
    const bool desdeAbajo = ((banderas & Arriba) && !vDentro) || ((banderas & Abajo) && vDentro);
    if (desdeAbajo) {
        int y = bloque.Bottom;
        for (std::size_t i = lineas.size(); i-- > 0;) {
            y -= altos[i];
            if (y + altos[i] <= bloque.Top) {
                break;
            }
            FLienzo.Texto(bloque, ax, y, alineacion, lineas[i]);
        }
    } else {
        int y = bloque.Top;
        for (std::size_t i = 0; i < lineas.size(); ++i) {
            if (y >= bloque.Bottom) {
                break;
            }
            FLienzo.Texto(bloque, ax, y, alineacion, lineas[i]);
            y += altos[i];
        }
    }
}

} // namespace

TColor ColorDeEntorno(std::uint32_t valor) {
    if ((valor & 0x80000000u) == 0) {
        return valor & 0xFFFFFFu;
    }
    // The few system colours the environment may hold, with their usual values.
    switch (valor & 0xFFu) {
    case 5:  // window
    case 24: // tool-tip background
        return ColorRGB(255, 255, 225);
    case 8: // window text
        return Negro;
    case 15: // button face
        return ColorRGB(240, 240, 240);
    default:
        return ColorRGB(128, 128, 128);
    }
}

RColoresDibujo ColoresDeModo(const REntorno& entorno, int modo) {
    const auto color = [&](int numero) {
        return ColorDeEntorno(entorno.Colores[static_cast<std::size_t>(numero)]);
    };
    RColoresDibujo c;
    switch (modo) {
    case ModoDibujo::Papel:
        c.CortesSemiproductos = color(REntorno::ColorPapelCortesSemiproductos);
        c.CortesPiezas = color(REntorno::ColorPapelCortesPiezas);
        c.RellenoSobrante = color(REntorno::ColorPapelRellenoSobrante);
        c.Etiquetas = color(REntorno::ColorPapelEtiquetas);
        c.Fondo = Blanco;
        break;
    case ModoDibujo::Miniatura:
        c.CortesSemiproductos =
            entorno.ColoresMiniatura == 1   ? color(REntorno::ColorCortesSemiproductos)
            : entorno.ColoresMiniatura == 2 ? color(REntorno::ColorPapelCortesSemiproductos)
                                            : Negro;
        c.CortesPiezas = c.CortesSemiproductos;
        c.RellenoSobrante = GrisMiniatura;
        c.Etiquetas = c.CortesSemiproductos;
        c.Fondo = entorno.ColoresMiniatura == 1 ? color(REntorno::ColorFondoPatrones) : Blanco;
        break;
    default:
        c.CortesSemiproductos = color(REntorno::ColorCortesSemiproductos);
        c.CortesPiezas = color(REntorno::ColorCortesPiezas);
        c.RellenoSobrante = color(REntorno::ColorRellenoSobrante);
        c.Etiquetas = color(REntorno::ColorEtiquetas);
        c.Fondo = color(REntorno::ColorFondoPatrones);
        break;
    }
    return c;
}

void Dibujar(CPatron& P, CLienzo& lienzo, const RRect& ajuste, int modo, const RRect& recorte,
             const REntorno& entorno) {
    CDibujo(P, lienzo, modo, entorno).Ejecutar(ajuste, recorte);
}

void Dibujar(CPatron& P, CLienzo& lienzo, const RRect& ajuste, int modo, const RRect& recorte) {
    Dibujar(P, lienzo, ajuste, modo, recorte, Entorno);
}

bool RecortarRectangulo(const RRect& r, const RRect& limite, RRect& resultado) {
    const RRect n{std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
                  std::max(r.Top, r.Bottom)};
    resultado = RRect{std::max(n.Left, limite.Left), std::max(n.Top, limite.Top),
                      std::min(n.Right, limite.Right), std::min(n.Bottom, limite.Bottom)};
    return resultado.Left <= resultado.Right && resultado.Top <= resultado.Bottom;
}

bool RecortarLinea(int& x1, int& y1, int& x2, int& y2, const RRect& limite) {
    // Liang-Barsky on the closed rectangle.
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    double t0 = 0.0;
    double t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {
        static_cast<double>(x1 - limite.Left), static_cast<double>(limite.Right - x1),
        static_cast<double>(y1 - limite.Top), static_cast<double>(limite.Bottom - y1)};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) {
                return false;
            }
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
        if (t0 > t1) {
            return false;
        }
    }
    const int ax = x1;
    const int ay = y1;
    x1 = static_cast<int>(std::lround(ax + t0 * dx));
    y1 = static_cast<int>(std::lround(ay + t0 * dy));
    x2 = static_cast<int>(std::lround(ax + t1 * dx));
    y2 = static_cast<int>(std::lround(ay + t1 * dy));
    return true;
}
