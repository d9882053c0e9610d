#include "patterns/CParametrosPatron.h"

#include "document/UTextos.h"
#include "patterns/CCorte.h"
#include "patterns/CPatron.h"

#include <algorithm>

namespace {

// The lists start with room for 10 entries and grow to the needed index + 10.
constexpr std::size_t HolguraParametros = 10;
constexpr std::size_t HolguraLineas = 100;

template <class T>
void Poner(std::vector<T>& lista, std::int32_t indice, const T& valor, std::size_t holgura) {
    const auto i = static_cast<std::size_t>(indice);
    if (i >= lista.size()) {
        lista.resize(i + holgura);
    }
    lista[i] = valor;
}

template <class T> const T& Leer(const std::vector<T>& lista, std::int32_t cuenta, std::int32_t i) {
    static const T vacio{};
    if (i < 1 || i > cuenta || static_cast<std::size_t>(i) >= lista.size()) {
        return vacio;
    }
    return lista[static_cast<std::size_t>(i)];
}

std::int32_t Absoluto(std::int32_t v) {
    return v < 0 ? -v : v;
}

struct CLineas {
    const CPatron& P;
    std::vector<RLineaCorte>& Lista;
    std::int32_t Cuenta = 0;
    std::int32_t Cortes = 0;

    void Agregar(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                 const std::string& texto) {
        ++Cuenta;
        Poner(Lista, Cuenta, RLineaCorte{x1, y1, x2, y2, texto}, HolguraLineas);
    }

    void Recorrer(const CCorte* n, std::int32_t x, std::int32_t y) {
        if (!n) {
            return;
        }
        const std::int32_t k = P.AnchoCorte();
        if (n->Dir() != 0) {
            ++Cortes;
            const std::int32_t pos = n->PosicionCorte();
            const std::string texto = std::string(Textos::LetraCorte) + std::to_string(Cortes);
            if (n->Dir() == 1) {
                Agregar(x + pos - k, y, x + pos - k, y + n->Ancho() - k, texto);
                Recorrer(n->Hijo1(), x, y);
                Recorrer(n->Hijo2(), x + pos, y);
            } else {
                Agregar(x, y + pos - k, x + n->Largo() - k, y + pos - k, texto);
                Recorrer(n->Hijo1(), x, y);
                Recorrer(n->Hijo2(), x, y + pos);
            }
            return;
        }
        // A block without size has no lines (and must not loop over its counts).
        if (n->Pieza() == 0 || n->EsPiezaSimple() || n->LargoPz() <= 0 || n->AnchoPz() <= 0) {
            return;
        }
        const std::string texto =
            std::string(Textos::LetraPieza) + std::to_string(Absoluto(n->Pieza()));
        for (std::int32_t i = 1; i <= n->RepX(); ++i) {
            const std::int32_t xi = x + i * n->LargoPz() - k;
            if (xi < x + n->Largo() - k) {
                Agregar(xi, y, xi, y + n->AnchoPz() * n->RepY() - k, texto);
            }
        }
        for (std::int32_t j = 1; j <= n->RepY(); ++j) {
            const std::int32_t yj = y + j * n->AnchoPz() - k;
            if (yj < y + n->Ancho() - k) {
                Agregar(x, yj, x + n->LargoPz() * n->RepX() - k, yj, texto);
            }
        }
    }
};

struct CTamanos {
    const CPatron& P;
    std::vector<RTamanoSobrante>& Lista;
    std::int32_t Cuenta = 0;

    void Recorrer(const CCorte* n) {
        if (!n) {
            return;
        }
        if (n->Dir() != 0) {
            Recorrer(n->Hijo1());
            Recorrer(n->Hijo2());
            return;
        }
        if (n->Pieza() != 0 || !P.EsSobrante(*n)) {
            return;
        }
        const std::int32_t sx = P.SobranteX(*n);
        const std::int32_t sy = P.SobranteY(*n);
        const std::int32_t largo = std::max(sx, sy);
        const std::int32_t ancho = std::min(sx, sy);
        for (std::int32_t i = 1; i <= Cuenta; ++i) {
            auto& t = Lista[static_cast<std::size_t>(i)];
            if (t.Largo == largo && t.Ancho == ancho) {
                ++t.Cantidad;
                return;
            }
        }
        ++Cuenta;
        Poner(Lista, Cuenta, RTamanoSobrante{largo, ancho, 1}, HolguraParametros);
    }
};

} // namespace

CParametrosPatron::CParametrosPatron()
    : FCortes(HolguraParametros), FPiezas(HolguraParametros), FSobrantes(HolguraParametros),
      FSemiproductos(HolguraParametros) {}

void CParametrosPatron::Construir(const CPatron& P) {
    FNumCortes = FNumPiezas = FNumSobrantes = FNumSemiproductos = 0;
    FCortes.assign(HolguraParametros, {});
    FPiezas.assign(HolguraParametros, {});
    FSobrantes.assign(HolguraParametros, {});
    FSemiproductos.assign(HolguraParametros, {});
    Recorrer(P, P.Raiz(), P.MargenIzq(), P.MargenInf());
}

void CParametrosPatron::Recorrer(const CPatron& P, const CCorte* n, std::int32_t x,
                                 std::int32_t y) {
    if (!n) {
        return;
    }
    const std::int32_t k = P.AnchoCorte();
    if (n->Dir() != 0) {
        const std::int32_t pos = n->PosicionCorte();
        const std::int32_t tamano = n->Dir() == 1 ? n->Largo() : n->Ancho();
        ++FNumCortes;
        Poner(FCortes, FNumCortes, RCorteParametro{P.Dim1(*n), tamano - pos - k},
              HolguraParametros);
        Recorrer(P, n->Hijo1(), x, y);
        if (n->Dir() == 1) {
            Recorrer(P, n->Hijo2(), x + pos, y);
        } else {
            Recorrer(P, n->Hijo2(), x, y + pos);
        }
        return;
    }

    RSemiproducto sp;
    sp.X = x;
    sp.Y = y;
    sp.LargoSP = P.LargoSP(*n);
    sp.AnchoSP = P.AnchoSP(*n);
    sp.LargoPzNeto = P.LargoPzNeto(*n);
    sp.AnchoPzNeto = P.AnchoPzNeto(*n);
    sp.Pieza = Absoluto(n->Pieza());
    sp.RepX = n->RepX();
    sp.RepY = n->RepY();
    sp.Rotada = n->Pieza() < 0 ? 1 : 0;
    sp.SobranteX = P.SobranteX(*n);
    sp.SobranteY = P.SobranteY(*n);
    ++FNumSemiproductos;
    Poner(FSemiproductos, FNumSemiproductos, sp, HolguraParametros);

    if (n->Pieza() != 0) {
        RPiezaPatron pieza;
        pieza.Pieza = Absoluto(n->Pieza());
        if (n->Pieza() < 0) {
            // A turned block is laid with its sizes exchanged: give them back.
            pieza.Largo = n->AnchoPz() - k;
            pieza.Ancho = n->LargoPz() - k;
        } else {
            pieza.Largo = P.LargoPzNeto(*n);
            pieza.Ancho = P.AnchoPzNeto(*n);
        }
        pieza.Cantidad = n->RepX() * n->RepY();
        AgregarPieza(pieza);
    } else if (P.EsSobrante(*n)) {
        ++FNumSobrantes;
        Poner(FSobrantes, FNumSobrantes, RSobranteParametro{sp.SobranteX, sp.SobranteY},
              HolguraParametros);
    }
}

void CParametrosPatron::AgregarPieza(const RPiezaPatron& pieza) {
    for (std::int32_t i = 1; i <= FNumPiezas; ++i) {
        auto& p = FPiezas[static_cast<std::size_t>(i)];
        if (p.Pieza == pieza.Pieza) {
            p.Cantidad += pieza.Cantidad;
            return;
        }
    }
    // Keep the list sorted by piece number: insert before the first entry that is not
    // below the new number, moving the later ones up.
    std::int32_t donde = 1;
    while (donde <= FNumPiezas && FPiezas[static_cast<std::size_t>(donde)].Pieza >= 1 &&
           FPiezas[static_cast<std::size_t>(donde)].Pieza < pieza.Pieza) {
        ++donde;
    }
    ++FNumPiezas;
    Poner(FPiezas, FNumPiezas, RPiezaPatron{}, HolguraParametros);
    for (std::int32_t i = FNumPiezas; i > donde; --i) {
        FPiezas[static_cast<std::size_t>(i)] = FPiezas[static_cast<std::size_t>(i - 1)];
    }
    FPiezas[static_cast<std::size_t>(donde)] = pieza;
}

const RCorteParametro& CParametrosPatron::Corte(std::int32_t i) const {
    return Leer(FCortes, FNumCortes, i);
}

const RPiezaPatron& CParametrosPatron::PiezaPatron(std::int32_t i) const {
    return Leer(FPiezas, FNumPiezas, i);
}

const RSobranteParametro& CParametrosPatron::Sobrante(std::int32_t i) const {
    return Leer(FSobrantes, FNumSobrantes, i);
}

const RSemiproducto& CParametrosPatron::Semiproducto(std::int32_t i) const {
    return Leer(FSemiproductos, FNumSemiproductos, i);
}

std::int32_t LineasDeCorte(const CPatron& P, std::vector<RLineaCorte>& lista) {
    lista.assign(HolguraLineas, {});
    CLineas lineas{P, lista};
    lineas.Recorrer(P.Raiz(), P.MargenIzq(), P.MargenInf());
    lista.resize(static_cast<std::size_t>(lineas.Cuenta) + 1);
    return lineas.Cuenta;
}

std::int32_t TamanosSobrantes(const CPatron& P, std::vector<RTamanoSobrante>& lista) {
    lista.assign(HolguraParametros, {});
    CTamanos tamanos{P, lista};
    tamanos.Recorrer(P.Raiz());
    lista.resize(static_cast<std::size_t>(tamanos.Cuenta) + 1);
    return tamanos.Cuenta;
}
