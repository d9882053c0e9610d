#include "patterns/USeleccionPatron.h"

#include "document/CLanzamiento.h"
#include "document/UTextos.h"
#include "patterns/CPatron.h"

#include <limits>

namespace {

bool Dentro(const RRect& r, int x, int y) {
    return r.Left < x && x < r.Right && r.Top < y && y < r.Bottom;
}

} // namespace

CCorte* HojaEnPunto(CCorte* raiz, int x, int y) {
    // Iterative: a tree read from a file may be a few thousand nodes deep.
    CCorte* n = raiz;
    while (n != nullptr && Dentro(n->Marco(), x, y)) {
        if (n->EsHoja()) {
            return n;
        }
        CCorte* h1 = n->Hijo1();
        n = h1 != nullptr && Dentro(h1->Marco(), x, y) ? h1 : n->Hijo2();
    }
    return nullptr;
}

CCorte* NodoEnBanda(CCorte* raiz, const RRect& banda) {
    const int l = std::min(banda.Left, banda.Right);
    const int r = std::max(banda.Left, banda.Right);
    const int t = std::min(banda.Top, banda.Bottom);
    const int b = std::max(banda.Top, banda.Bottom);
    std::vector<CCorte*> pila;
    if (raiz != nullptr) {
        pila.push_back(raiz);
    }
    while (!pila.empty()) {
        CCorte* n = pila.back();
        pila.pop_back();
        const RRect& m = n->Marco();
        if (l <= m.Left && m.Right <= r && t <= m.Top && m.Bottom <= b) {
            return n;
        }
        if (n->Hijo2() != nullptr) {
            pila.push_back(n->Hijo2());
        }
        if (n->Hijo1() != nullptr) {
            pila.push_back(n->Hijo1());
        }
    }
    return nullptr;
}

std::vector<RNodoArbol> NodosEnOrden(CPatron& P) {
    std::vector<RNodoArbol> nodos;
    if (P.Raiz() == nullptr) {
        return nodos;
    }
    std::vector<RNodoArbol> pila{{P.Raiz(), -1, P.MargenIzq(), P.MargenInf()}};
    while (!pila.empty()) {
        const RNodoArbol e = pila.back();
        pila.pop_back();
        const int indice = static_cast<int>(nodos.size());
        nodos.push_back(e);
        CCorte& n = *e.Nodo;
        if (n.Hijo2() != nullptr) {
            const std::int32_t p = n.PosicionCorte();
            pila.push_back(
                {n.Hijo2(), indice, n.Dir() == 1 ? e.X + p : e.X, n.Dir() == 1 ? e.Y : e.Y + p});
        }
        if (n.Hijo1() != nullptr) {
            pila.push_back({n.Hijo1(), indice, e.X, e.Y});
        }
    }
    return nodos;
}

std::string TextoNodo(const CPatron& P, const CCorte& n, std::int32_t x, std::int32_t y) {
    return P.TextoTamano(n) + " " + Textos::En + " " + P.TextoCoordenadas(x, y);
}

REncajePieza EncajePieza(const CPatron& P, const CCorte& n, std::int32_t pl, std::int32_t pw) {
    const std::int32_t k = P.AnchoCorte();
    REncajePieza e;
    const auto encajar = [k](std::int32_t pieza, std::int32_t bruto, std::int32_t neto,
                             std::int32_t& cuenta, std::int32_t& resto) {
        if (pieza > 0 && static_cast<long long>(pieza) + k <= bruto) {
            cuenta = bruto / (pieza + k);
            resto = bruto - cuenta * (pieza + k);
        } else {
            cuenta = 0;
            resto = neto;
        }
    };
    encajar(pl, n.Largo(), P.LargoSP(n), e.CuentaX, e.RestoX);
    if (P.Barras()) {
        e.CuentaY = 1;
        e.RestoY = 0;
    } else {
        encajar(pw, n.Ancho(), P.AnchoSP(n), e.CuentaY, e.RestoY);
    }
    return e;
}

std::vector<bool> MarcasPiezas(const CPatron& P, const CCorte* n, const CLanzamiento& job,
                               const std::vector<std::int64_t>& diferencias, bool rotadas) {
    const int np = job.CantidadPiezas();
    std::vector<bool> marcas(static_cast<std::size_t>(np) + 1, false);
    if (n == nullptr || !n->EsVacio()) {
        return marcas;
    }
    const bool barras = P.Barras();
    if (rotadas && (barras || !job.Opciones().RotarPiezas)) {
        return marcas;
    }
    constexpr std::int32_t Ninguno = std::numeric_limits<std::int32_t>::max();
    int mejorX = 0;
    std::int32_t restoX = Ninguno;
    std::vector<std::pair<int, std::int32_t>> candidatas; // piece, Y remainder
    for (int i = 1; i <= np; ++i) {
        const auto d = static_cast<std::size_t>(i);
        if (d >= diferencias.size() || diferencias[d] >= 0) {
            continue;
        }
        std::int32_t pl = 0;
        std::int32_t pw = 0;
        try {
            pl = job.LargoPieza(i);
            pw = job.AnchoPieza(i);
        } catch (const std::exception&) {
            continue; // a grid row that is not a valid piece cannot be placed
        }
        if (rotadas) {
            std::swap(pl, pw);
        }
        const REncajePieza e = EncajePieza(P, *n, pl, pw);
        if (e.CuentaX < 1 || e.CuentaY < 1) {
            continue;
        }
        if (e.RestoX == 0 || (!barras && e.RestoY == 0)) {
            marcas[d] = true;
        }
        if (e.RestoX > 0 && e.RestoX < restoX) {
            restoX = e.RestoX;
            mejorX = i;
        }
        candidatas.emplace_back(i, e.RestoY);
    }
    if (mejorX != 0) {
        marcas[static_cast<std::size_t>(mejorX)] = true;
    }
    int mejorY = 0;
    std::int32_t restoY = Ninguno;
    for (const auto& [i, r] : candidatas) {
        if (i != mejorX && r > 0 && r < restoY) {
            restoY = r;
            mejorY = i;
        }
    }
    if (mejorY != 0) {
        marcas[static_cast<std::size_t>(mejorY)] = true;
    }
    return marcas;
}
