#include "patterns/UPropiedades.h"

#include "document/CGrilla.h"
#include "document/CLanzamiento.h"
#include "document/ROpciones.h"
#include "document/UExcepciones.h"
#include "document/UGlobals.h"
#include "document/ULongitudes.h"
#include "document/UTextos.h"
#include "patterns/CCorte.h"
#include "patterns/CPatron.h"

#include <cctype>
#include <cstdint>
#include <limits>

namespace {

const ROpciones& Unidades(const CPatron& P) {
    static const ROpciones porDefecto;
    return P.Opciones() ? *P.Opciones() : porDefecto;
}

std::int32_t Absoluto(std::int32_t v) {
    return v < 0 ? -v : v;
}

bool IgualSinMayusculas(const std::string& a, const char* b) {
    const std::string bb = b;
    if (a.size() != bb.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(bb[i]))) {
            return false;
        }
    }
    return true;
}

// The strict integer conversion of the inspector: the whole text must be a number.
std::int32_t Entero(const std::string& texto) {
    long long valor = 0;
    if (!LeerEntero(texto, valor) || valor < std::numeric_limits<std::int32_t>::min() ||
        valor > std::numeric_limits<std::int32_t>::max()) {
        throw EConversion("'" + texto + "'" + Textos::NoEsEntero);
    }
    return static_cast<std::int32_t>(valor);
}

std::int32_t LargoPieza(const CLanzamiento& lanzamiento, std::int32_t i) {
    return i >= 1 && i <= lanzamiento.CantidadPiezas() ? lanzamiento.LargoPieza(i) : 0;
}

std::int32_t AnchoPieza(const CLanzamiento& lanzamiento, std::int32_t i) {
    return i >= 1 && i <= lanzamiento.CantidadPiezas() ? lanzamiento.AnchoPieza(i) : 0;
}

void AsignarLargoPz(const CPatron& P, CCorte& n, std::int32_t v) {
    if (v == 0) {
        throw EPiezaNula(Textos::PiezaNula);
    }
    n.SetLargoPz(v + P.AnchoCorte());
}

void AsignarAnchoPz(const CPatron& P, CCorte& n, std::int32_t v) {
    if (P.Barras()) {
        n.SetAnchoPz(n.Ancho());
        return;
    }
    if (v == 0) {
        throw EPiezaNula(Textos::PiezaNula);
    }
    n.SetAnchoPz(v + P.AnchoCorte());
}

// The most pieces that fit, with kerfs between them.
void Rellenar(CCorte& n) {
    n.SetRepX(n.LargoPz() > 0 ? n.Largo() / n.LargoPz() : 0);
    n.SetRepY(n.AnchoPz() > 0 ? n.Ancho() / n.AnchoPz() : 0);
}

void HacerHojaVacia(CCorte& n) {
    n.SetHijo1(nullptr);
    n.SetHijo2(nullptr);
    n.LimpiarPieza();
}

void AsignarDirCorte(const CPatron& P, CCorte& n, int d) {
    switch (d) {
    case 0:
        HacerHojaVacia(n);
        return;
    case 1:
        if (!(n.EsVacio() || n.LibreX() > 0) || !n.CortarVertical(0)) {
            throw ECorteImposible(Textos::CorteImposible);
        }
        return;
    case -1:
        if (P.Barras()) {
            throw EErrorDirHorBarras(Textos::ErrorDirHorBarras);
        }
        if (!(n.EsVacio() || n.LibreY() > 0) || !n.CortarHorizontal(0)) {
            throw ECorteImposible(Textos::CorteImposible);
        }
        return;
    default:
        throw EErrorPropiedad(Textos::ErrorPropiedad);
    }
}

void AsignarDimCorte(const CPatron& P, CCorte& n, std::int32_t d) {
    if (n.Dir() == 0) {
        return;
    }
    const long long k = P.AnchoCorte();
    const long long disponible = n.Dir() == 1 ? P.LargoSP(n) : P.AnchoSP(n);
    if (d == 0 || disponible <= d + k) {
        throw EErrorRangoDimension(Textos::ErrorRangoDimension);
    }
    const auto primera = static_cast<std::int32_t>(d + k);
    if (n.Dir() == 1) {
        n.SetHijo1(CCorte::Create(primera, n.Ancho(), 0, 0, 0, 0, 0, 0));
        n.SetHijo2(CCorte::Create(n.Largo() - primera, n.Ancho(), 0, 0, 0, 0, 0, 0));
    } else {
        n.SetHijo1(CCorte::Create(n.Largo(), primera, 0, 0, 0, 0, 0, 0));
        n.SetHijo2(CCorte::Create(n.Largo(), n.Ancho() - primera, 0, 0, 0, 0, 0, 0));
    }
}

void AsignarPieza(const CPatron& P, CCorte& n, const CLanzamiento& lanzamiento,
                  const std::string& valor) {
    std::string texto = Recortar(valor);
    const std::size_t blanco = texto.find(' ');
    if (blanco != std::string::npos) {
        texto.erase(blanco);
    }
    const std::int32_t i = texto.empty() ? 0 : Absoluto(Entero(texto));
    if (i > lanzamiento.CantidadPiezas()) {
        throw EErrorIdPieza(Textos::ErrorIdPieza);
    }
    // A cut node loses its parts too, so that it becomes a leaf that can hold the block.
    HacerHojaVacia(n);
    if (i >= 1) {
        AsignarLargoPz(P, n, LargoPieza(lanzamiento, i));
        AsignarAnchoPz(P, n, AnchoPieza(lanzamiento, i));
        n.SetPieza(i);
        Rellenar(n);
    }
}

void AsignarRotada(const CPatron& P, CCorte& n, const CLanzamiento& lanzamiento,
                   const std::string& valor) {
    const bool si = IgualSinMayusculas(valor, Textos::RotadaSi);
    if (!valor.empty() && !si && !IgualSinMayusculas(valor, Textos::RotadaNo)) {
        throw EErrorPropiedad(Textos::ErrorPropiedad);
    }
    // A bar's pieces are lengths: there is no other way to lay them.
    if (n.Dir() != 0 || (si && P.Barras())) {
        throw EErrorPropiedad(Textos::ErrorPropiedad);
    }
    const std::int32_t i = Absoluto(n.Pieza());
    if (si) {
        n.SetPieza(-i);
        AsignarLargoPz(P, n, AnchoPieza(lanzamiento, i));
        AsignarAnchoPz(P, n, LargoPieza(lanzamiento, i));
    } else {
        n.SetPieza(i);
        AsignarLargoPz(P, n, LargoPieza(lanzamiento, i));
        AsignarAnchoPz(P, n, AnchoPieza(lanzamiento, i));
    }
    Rellenar(n);
}

void AsignarDistribucion(const CPatron& P, CCorte& n, const std::string& valor) {
    if (n.Dir() != 0) {
        throw EErrorPropiedad(Textos::ErrorPropiedad);
    }
    std::int32_t repX = 0;
    std::int32_t repY = 0;
    if (!valor.empty()) {
        if (P.Barras()) {
            repX = Entero(valor);
            repY = 1;
        } else {
            const std::size_t x = valor.find_first_of("xX");
            repX = Entero(valor.substr(0, x));
            repY = Entero(x == std::string::npos ? std::string() : valor.substr(x + 1));
        }
    }
    // Negative counts would make a block that the counts and the drawing cannot hold.
    if (repX < 0 || repY < 0) {
        throw EErrorPropiedad(Textos::ErrorPropiedad);
    }
    if (static_cast<long long>(n.LargoPz()) * repX > n.Largo() ||
        static_cast<long long>(n.AnchoPz()) * repY > n.Ancho()) {
        throw EErrorRangoPieza(Textos::ErrorRangoPieza);
    }
    n.SetRepX(repX);
    n.SetRepY(repY);
}

// The keys a value can be given to; the two offcut sizes are only shown.
bool EsClaveAsignable(const std::string& clave) {
    for (const char* c : {Textos::PropDirCorte, Textos::PropDimCorte, Textos::PropPieza,
                          Textos::PropRotada, Textos::PropDistribucion}) {
        if (clave == c) {
            return true;
        }
    }
    return false;
}

std::string LongitudSinCero(std::int32_t v, const ROpciones& unidades) {
    const std::string s = FormatearLongitud(v, unidades);
    return s == "0" ? std::string() : s;
}

} // namespace

std::string ValorPropiedad(const CPatron& P, const CCorte& n, const std::string& clave) {
    const ROpciones& unidades = Unidades(P);
    const bool barras = P.Barras();
    const bool pieza = n.TienePieza();
    if (clave == Textos::PropDirCorte) {
        return n.Dir() == 1    ? Textos::DirVertical
               : n.Dir() == -1 ? Textos::DirHorizontal
                               : Textos::DirNinguno;
    }
    if (clave == Textos::PropDimCorte) {
        return n.Dir() == 0 ? std::string() : FormatearLongitud(P.Dim1(n), unidades);
    }
    if (clave == Textos::PropPieza) {
        if (!pieza) {
            return {};
        }
        std::string s = std::to_string(Absoluto(n.Pieza())) + " [" +
                        FormatearLongitud(P.LargoPzNeto(n), unidades);
        if (!barras) {
            s += 'x';
            s += FormatearLongitud(P.AnchoPzNeto(n), unidades);
        }
        return s + "]";
    }
    if (clave == Textos::PropRotada) {
        if (!pieza || barras) {
            return {};
        }
        return n.Pieza() < 0 ? Textos::RotadaSi : Textos::RotadaNo;
    }
    if (clave == Textos::PropDistribucion) {
        if (!pieza) {
            return {};
        }
        return barras ? std::to_string(n.RepX())
                      : std::to_string(n.RepX()) + "x" + std::to_string(n.RepY());
    }
    if (clave == Textos::PropSobranteX) {
        return LongitudSinCero(P.SobranteX(n), unidades);
    }
    if (clave == Textos::PropSobranteY) {
        return barras ? std::string() : LongitudSinCero(P.SobranteY(n), unidades);
    }
    return {};
}

bool PropiedadEditable(const CPatron& P, const CCorte& n, const std::string& clave) {
    if (clave == Textos::PropDirCorte) {
        return n.Dir() == 0 && (n.EsVacio() || n.LibreX() > 0 || n.LibreY() > 0);
    }
    if (clave == Textos::PropDimCorte) {
        return n.Dir() != 0 && n.Hijo1() && n.Hijo2() && n.Hijo1()->EsVacio() &&
               n.Hijo2()->EsVacio();
    }
    if (clave == Textos::PropPieza) {
        return n.Dir() == 0;
    }
    if (clave == Textos::PropRotada) {
        return n.TienePieza() && !P.Barras();
    }
    if (clave == Textos::PropDistribucion) {
        return n.TienePieza();
    }
    return false;
}

std::vector<std::string> ListaPropiedad(const std::string& clave) {
    if (clave == Textos::PropDirCorte) {
        return {Textos::DirVertical, Textos::DirHorizontal, Textos::DirNinguno};
    }
    if (clave == Textos::PropRotada) {
        return {Textos::RotadaSi, Textos::RotadaNo};
    }
    return {};
}

std::vector<std::string> ListaPiezasPropiedad(const CGrilla& piezas, bool barras) {
    std::vector<std::string> lista;
    for (int fila = 1; fila < piezas.Filas(); ++fila) {
        std::string s = std::to_string(fila) + " [" + Recortar(piezas.Celda(fila, 1));
        if (!barras) {
            s += 'x';
            s += Recortar(piezas.Celda(fila, 2));
        }
        lista.push_back(s + "]");
    }
    return lista;
}

void AsignarPropiedad(CPatron& P, CCorte& n, CLanzamiento& lanzamiento, const std::string& valor,
                      const std::string& clave, const RAccionesPropiedad& acciones) {
    if (!EsClaveAsignable(clave)) {
        return;
    }
    if (acciones.GuardarDeshacer) {
        acciones.GuardarDeshacer();
    }
    if (clave == Textos::PropDirCorte) {
        int d = 0;
        if (IgualSinMayusculas(valor, Textos::DirVertical)) {
            d = 1;
        } else if (IgualSinMayusculas(valor, Textos::DirHorizontal)) {
            d = -1;
        } else if (!valor.empty() && !IgualSinMayusculas(valor, Textos::DirNinguno)) {
            throw EErrorPropiedad(Textos::ErrorPropiedad);
        }
        if (d == -1 && P.Barras()) {
            throw EErrorDirHorBarras(Textos::ErrorDirHorBarras);
        }
        AsignarDirCorte(P, n, d);
    } else if (clave == Textos::PropDimCorte) {
        const std::int32_t d = LeerLongitud(valor, Unidades(P));
        AsignarDimCorte(P, n, Absoluto(d));
    } else if (clave == Textos::PropPieza) {
        AsignarPieza(P, n, lanzamiento, valor);
    } else if (clave == Textos::PropRotada) {
        AsignarRotada(P, n, lanzamiento, valor);
    } else if (clave == Textos::PropDistribucion) {
        AsignarDistribucion(P, n, valor);
    }
    lanzamiento.MarcarModificado();
    if (acciones.Refrescar) {
        acciones.Refrescar();
    }
}
