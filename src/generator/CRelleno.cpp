#include "generator/CRelleno.h"

#include "document/UExcepciones.h"
#include "engine/CControlCalculo.h"

#include <algorithm>
#include <utility>

CRelleno::CRelleno(const RLimites& limites, std::vector<RCandidata> filas, AInt32& restantes,
                   const CControlCalculo* control)
    : FLimites(limites), FFilas(std::move(filas)), FRestantes(restantes), FControl(control) {
    FPila.reserve(CapacidadPila);
}

void CRelleno::Reparto(std::int32_t total, std::int32_t tamano, std::int32_t otro,
                       std::int32_t limite, std::int32_t& n, std::int32_t& resto) const {
    if (tamano <= 0 || total <= 0) {
        n = 0;
        resto = std::max(total, 0);
        return;
    }
    n = total / tamano;
    // Every count above these caps breaks the demand limit or the maximum cut, so the walk
    // below would only step over them one by one (a 1 mm piece in a long bar: a walk as long
    // as the bar at every call).
    std::int64_t tope = n;
    if (otro > 0) {
        tope = std::min<std::int64_t>(tope, std::max<std::int64_t>(limite, -1) / otro);
    }
    tope = std::min<std::int64_t>(tope, std::max<std::int64_t>(1, FLimites.CorteMaximo / tamano));
    n = static_cast<std::int32_t>(std::max<std::int64_t>(tope, 0));
    resto = total - n * tamano;
    while (n > 0 && (static_cast<std::int64_t>(n) * otro > limite ||
                     (resto > 0 && resto < FLimites.SobranteMinimo) ||
                     std::max(tamano, resto) < FLimites.LongitudAgarre ||
                     (n > 1 && static_cast<std::int64_t>(n) * tamano > FLimites.CorteMaximo))) {
        --n;
        resto += tamano;
    }
}

bool CRelleno::ElegirBloque(std::int32_t L, std::int32_t W, bool porAncho, RBloque& bloque) const {
    // Along the exchanged axes the walk, the first count and the first leftover are the
    // width's; the result is turned back into the region's own axes at the end.
    const std::vector<RCandidata>& lista = porAncho ? FPorAncho : FPorLargo;
    const std::int32_t A = porAncho ? W : L;
    const std::int32_t B = porAncho ? L : W;
    const std::int64_t corteMaximo = FLimites.CorteMaximo;
    bool hallado = false;
    RBloque mejor;
    for (std::size_t idx = 0; idx < lista.size(); ++idx) {
        const RCandidata& c = lista[idx];
        const std::int32_t a = porAncho ? c.Ancho : c.Largo;
        const std::int32_t b = porAncho ? c.Largo : c.Ancho;
        if (a > A) {
            break;
        }
        const std::int32_t resto = FRestantes[static_cast<std::size_t>(c.Fila)];
        if (resto <= 0 || b > B) {
            continue;
        }
        std::int32_t n1 = 0;
        std::int32_t r1 = 0;
        Reparto(A, a, 1, resto, n1, r1);
        if (n1 <= 0) {
            continue;
        }
        std::int32_t n2 = 0;
        std::int32_t r2 = 0;
        Reparto(B, b, n1, resto, n2, r2);
        if (n2 < 1) {
            continue;
        }
        bool aceptable;
        if (n1 * n2 == 1 && r1 == 0 && r2 == 0) {
            aceptable = true;
        } else if (n2 == 1 && r2 == 0) {
            aceptable = corteMaximo >= B;
        } else if (n1 == 1 && r1 == 0) {
            aceptable = A <= corteMaximo;
        } else {
            aceptable = !(std::max(B, a) > corteMaximo && std::max(A, b) > corteMaximo);
        }
        if (!aceptable) {
            continue;
        }
        if (!hallado || r1 < mejor.Rx || (r1 == mejor.Rx && r2 < mejor.Ry)) {
            hallado = true;
            mejor.Candidata = static_cast<int>(idx);
            mejor.Fila = c.Fila;
            mejor.Pieza = c.Pieza;
            mejor.LargoPz = c.Largo;
            mejor.AnchoPz = c.Ancho;
            mejor.Nx = n1;
            mejor.Rx = r1;
            mejor.Ny = n2;
            mejor.Ry = r2;
        }
    }
    if (!hallado) {
        return false;
    }
    bloque = mejor;
    if (porAncho) {
        std::swap(bloque.Nx, bloque.Ny);
        std::swap(bloque.Rx, bloque.Ry);
    }
    return true;
}

void CRelleno::PrepararCandidatas() {
    FPorLargo.clear();
    for (const RCandidata& c : FFilas) {
        if (c.Fila >= 1 && static_cast<std::size_t>(c.Fila) < FRestantes.size() &&
            FRestantes[static_cast<std::size_t>(c.Fila)] > 0 && c.Largo > 0 && c.Ancho > 0) {
            FPorLargo.push_back(c);
        }
    }
    FPorAncho = FPorLargo;
    std::stable_sort(FPorLargo.begin(), FPorLargo.end(),
                     [](const RCandidata& a, const RCandidata& b) { return a.Largo < b.Largo; });
    std::stable_sort(FPorAncho.begin(), FPorAncho.end(),
                     [](const RCandidata& a, const RCandidata& b) { return a.Ancho < b.Ancho; });
    FFranjaMinima = std::numeric_limits<std::int32_t>::max();
    if (!FPorLargo.empty()) {
        FFranjaMinima = std::min(FPorLargo.front().Largo, FPorAncho.front().Ancho);
    }
}

void CRelleno::Iniciar(double umbral) {
    PrepararCandidatas();
    FNodos.clear();
    FPila.clear();
    FMejor = RDisposicion();
    FUmbral = umbral;
    FHojas = 0;
    FDetenida = false;
}

std::int32_t CRelleno::NuevoNodo(std::int32_t largo, std::int32_t ancho) {
    RNodo n;
    n.Largo = largo;
    n.Ancho = ancho;
    FNodos.push_back(n);
    return static_cast<std::int32_t>(FNodos.size() - 1);
}

void CRelleno::Empujar(std::int32_t nodo, std::int32_t dir, std::int32_t etapa) {
    // A full stack leaves the region empty rather than overrun the room of the search.
    if (FPila.size() < static_cast<std::size_t>(CapacidadPila)) {
        FPila.push_back({nodo, dir, etapa});
    }
}

CRelleno::RDisposicion CRelleno::BuscarHoja(std::int32_t L, std::int32_t W) {
    Iniciar(0.0);
    NuevoNodo(L, W);
    Empujar(0, 0, 0);
    Rellenar(static_cast<double>(L) * W, 0.0);
    return std::move(FMejor);
}

CRelleno::RDisposicion CRelleno::BuscarCorte(std::int32_t L, std::int32_t W, std::int32_t dir,
                                             std::int32_t posicion) {
    Iniciar(0.0);
    NuevoNodo(L, W);
    std::int32_t h1;
    std::int32_t h2;
    if (dir == 1) {
        h1 = NuevoNodo(posicion, W);
        h2 = NuevoNodo(L - posicion, W);
    } else {
        h1 = NuevoNodo(L, posicion);
        h2 = NuevoNodo(L, W - posicion);
    }
    FNodos[0].Dir = dir;
    FNodos[0].Hijo1 = h1;
    FNodos[0].Hijo2 = h2;
    // The second part goes in first, so the first part is popped first.
    Empujar(h2, dir, 1);
    Empujar(h1, dir, 1);
    Rellenar(static_cast<double>(L) * W, 0.0);
    return std::move(FMejor);
}

CRelleno::RDisposicion CRelleno::BuscarRelleno(const std::vector<RNodo>& arbol, double valor,
                                               double umbral) {
    Iniciar(umbral);
    if (arbol.empty()) {
        return RDisposicion();
    }
    FNodos = arbol;
    // The empty leaves in pre-order, each with the direction and stage of the cut above it.
    std::vector<RRegion> abiertas;
    std::vector<RRegion> pendientes{{0, 0, 0}};
    double libre = 0.0;
    while (!pendientes.empty()) {
        const RRegion r = pendientes.back();
        pendientes.pop_back();
        const RNodo& n = FNodos[static_cast<std::size_t>(r.Nodo)];
        if (n.Dir != 0) {
            const std::int32_t etapa = (n.Dir == r.Dir) ? r.Etapa : r.Etapa + 1;
            if (n.Hijo2 >= 0) {
                pendientes.push_back({n.Hijo2, n.Dir, etapa});
            }
            if (n.Hijo1 >= 0) {
                pendientes.push_back({n.Hijo1, n.Dir, etapa});
            }
        } else if (n.Pieza == 0 && n.Largo > 0 && n.Ancho > 0) {
            abiertas.push_back(r);
            libre += static_cast<double>(n.Largo) * n.Ancho;
        }
    }
    for (auto it = abiertas.rbegin(); it != abiertas.rend(); ++it) {
        Empujar(it->Nodo, it->Dir, it->Etapa);
    }
    Rellenar(libre, valor);
    return std::move(FMejor);
}

double CRelleno::MayorSobrante(const std::vector<RNodo>& nodos) {
    double mayor = 0.0;
    for (const RNodo& n : nodos) {
        if (n.Dir != 0) {
            continue;
        }
        if (n.Pieza == 0) {
            mayor = std::max(mayor, static_cast<double>(n.Largo) * n.Ancho);
        } else {
            const double libreX =
                static_cast<double>(n.Largo) - static_cast<double>(n.LargoPz) * n.RepX;
            const double libreY =
                static_cast<double>(n.Ancho) - static_cast<double>(n.AnchoPz) * n.RepY;
            mayor = std::max(mayor, libreX * n.Ancho);
            mayor = std::max(mayor, libreY * n.Largo);
        }
    }
    return mayor;
}

std::int32_t CRelleno::ContarCortes(const std::vector<RNodo>& nodos) {
    std::int32_t cortes = 0;
    for (const RNodo& n : nodos) {
        if (n.Dir != 0) {
            ++cortes;
        }
    }
    return cortes;
}

void CRelleno::Hoja(double valor) {
    bool mejor = false;
    double mayor = 0.0;
    std::int32_t cortes = 0;
    if (FMejor.Vacia()) {
        mejor = MayorIgual(valor, FUmbral);
        if (mejor) {
            mayor = MayorSobrante(FNodos);
            cortes = ContarCortes(FNodos);
        }
    } else if (Mayor(valor, FMejor.AreaPiezas)) {
        mejor = true;
        mayor = MayorSobrante(FNodos);
        cortes = ContarCortes(FNodos);
    } else if (Igual(valor, FMejor.AreaPiezas)) {
        mayor = MayorSobrante(FNodos);
        if (Mayor(mayor, FMejor.MayorSobrante)) {
            mejor = true;
            cortes = ContarCortes(FNodos);
        } else if (Igual(mayor, FMejor.MayorSobrante)) {
            cortes = ContarCortes(FNodos);
            mejor = cortes < FMejor.Cortes;
        }
    }
    // A first cut at a candidate position may leave a part too narrow to be an offcut; when
    // nothing was laid there the layout breaks the minimum offcut and is not kept.
    if (mejor && !RespetaSobranteMinimo()) {
        mejor = false;
    }
    if (mejor) {
        FMejor.Nodos = FNodos;
        FMejor.AreaPiezas = valor;
        FMejor.MayorSobrante = mayor;
        FMejor.Cortes = cortes;
    }
    if (FHojas == LimiteHojas) {
        FDetenida = true;
    } else {
        ++FHojas;
    }
    if (FControl != nullptr && FControl->Forzar.load()) {
        FDetenida = true;
    }
}

bool CRelleno::RespetaSobranteMinimo() const {
    for (const RNodo& n : FNodos) {
        if (n.Dir == 0) {
            continue;
        }
        for (const std::int32_t h : {n.Hijo1, n.Hijo2}) {
            if (h < 0) {
                continue;
            }
            const RNodo& parte = FNodos[static_cast<std::size_t>(h)];
            const std::int32_t ancho = n.Dir == 1 ? parte.Largo : parte.Ancho;
            if (parte.Dir == 0 && parte.Pieza == 0 && ancho > 0 &&
                ancho < FLimites.SobranteMinimo) {
                return false;
            }
        }
    }
    return true;
}

void CRelleno::PonerBloque(std::int32_t nodo, const RBloque& b) {
    RNodo& n = FNodos[static_cast<std::size_t>(nodo)];
    n.Dir = 0;
    n.Pieza = b.Pieza;
    n.LargoPz = b.LargoPz;
    n.AnchoPz = b.AnchoPz;
    n.RepX = b.Nx;
    n.RepY = b.Ny;
}

void CRelleno::Limpiar(std::int32_t nodo, std::size_t tamano) {
    // Everything added below the region since it was popped sits at the end of the list:
    // the deeper recursions have already cleared what they added.
    FNodos.resize(tamano);
    RNodo& n = FNodos[static_cast<std::size_t>(nodo)];
    const std::int32_t largo = n.Largo;
    const std::int32_t ancho = n.Ancho;
    n = RNodo();
    n.Largo = largo;
    n.Ancho = ancho;
}

void CRelleno::Tomar(const RBloque& b, int signo) {
    FRestantes[static_cast<std::size_t>(b.Fila)] += signo * b.Nx * b.Ny;
}

void CRelleno::Dividir(std::int32_t nodo, std::int32_t dir, std::int32_t h1, std::int32_t h2) {
    RNodo& n = FNodos[static_cast<std::size_t>(nodo)];
    n.Dir = dir;
    n.Hijo1 = h1;
    n.Hijo2 = h2;
}

void CRelleno::PonerYSeguir(std::int32_t destino, const RBloque& b, double libre, double valor) {
    PonerBloque(destino, b);
    const double area = static_cast<double>(b.Nx) * b.Ny * b.LargoPz * b.AnchoPz;
    Tomar(b, -1);
    Rellenar(libre - area, valor + area);
    Tomar(b, 1);
}

bool CRelleno::PartirA(const RRegion& r, const RBloque& b, double libre, double valor) {
    const std::int32_t L = FNodos[static_cast<std::size_t>(r.Nodo)].Largo;
    const std::int32_t W = FNodos[static_cast<std::size_t>(r.Nodo)].Ancho;
    // A cut continuing the region's own direction adds no stage.
    const std::int32_t s1 = (r.Dir == -1) ? r.Etapa : r.Etapa + 1;
    if (!(b.Ry >= FFranjaMinima && s1 <= FLimites.NivelCorte && L <= FLimites.CorteMaximo)) {
        return false;
    }
    const std::size_t antes = FNodos.size();
    const std::int32_t h1 = NuevoNodo(L, W - b.Ry);
    const std::int32_t h2 = NuevoNodo(L, b.Ry);
    Dividir(r.Nodo, -1, h1, h2);
    Empujar(h2, -1, s1);
    std::int32_t destino = h1;
    if (b.Rx >= FFranjaMinima && s1 + 1 <= FLimites.NivelCorte &&
        W - b.Ry <= FLimites.CorteMaximo) {
        const std::int32_t g1 = NuevoNodo(L - b.Rx, W - b.Ry);
        const std::int32_t g2 = NuevoNodo(b.Rx, W - b.Ry);
        Dividir(h1, 1, g1, g2);
        Empujar(g2, 1, s1 + 1);
        destino = g1;
    }
    PonerYSeguir(destino, b, libre, valor);
    Limpiar(r.Nodo, antes);
    return true;
}

bool CRelleno::PartirB(const RRegion& r, const RBloque& b, double libre, double valor) {
    const std::int32_t L = FNodos[static_cast<std::size_t>(r.Nodo)].Largo;
    const std::int32_t W = FNodos[static_cast<std::size_t>(r.Nodo)].Ancho;
    const std::int32_t s1 = (r.Dir == 1) ? r.Etapa : r.Etapa + 1;
    if (!(b.Rx >= FFranjaMinima && s1 <= FLimites.NivelCorte && W <= FLimites.CorteMaximo)) {
        return false;
    }
    const std::size_t antes = FNodos.size();
    const std::int32_t h1 = NuevoNodo(L - b.Rx, W);
    const std::int32_t h2 = NuevoNodo(b.Rx, W);
    Dividir(r.Nodo, 1, h1, h2);
    Empujar(h2, 1, s1);
    std::int32_t destino = h1;
    if (b.Ry >= FFranjaMinima && s1 + 1 <= FLimites.NivelCorte &&
        L - b.Rx <= FLimites.CorteMaximo) {
        const std::int32_t g1 = NuevoNodo(L - b.Rx, W - b.Ry);
        const std::int32_t g2 = NuevoNodo(L - b.Rx, b.Ry);
        Dividir(h1, -1, g1, g2);
        Empujar(g2, -1, s1 + 1);
        destino = g1;
    }
    PonerYSeguir(destino, b, libre, valor);
    Limpiar(r.Nodo, antes);
    return true;
}

void CRelleno::Colocar(const RRegion& r, const RBloque& b, double libre, double valor) {
    const RNodo& n = FNodos[static_cast<std::size_t>(r.Nodo)];
    const double region = static_cast<double>(n.Largo) * n.Ancho;
    const std::size_t antes = FNodos.size();
    PonerBloque(r.Nodo, b);
    const double area = static_cast<double>(b.Nx) * b.Ny * b.LargoPz * b.AnchoPz;
    Tomar(b, -1);
    Rellenar(libre - region, valor + area);
    Tomar(b, 1);
    Limpiar(r.Nodo, antes);
}

void CRelleno::Rellenar(double libre, double valor) {
    if (FDetenida) {
        return;
    }
    if (FControl != nullptr && FControl->Cancelado.load()) {
        throw ECalculoAbortado();
    }
    if (FPila.empty()) {
        Hoja(valor);
        return;
    }
    const RRegion r = FPila.back();
    FPila.pop_back();
    const std::int32_t L = FNodos[static_cast<std::size_t>(r.Nodo)].Largo;
    const std::int32_t W = FNodos[static_cast<std::size_t>(r.Nodo)].Ancho;
    const double region = static_cast<double>(L) * W;

    const double mejorArea = FMejor.Vacia() ? FUmbral : FMejor.AreaPiezas;
    if (Menor(valor + libre, mejorArea)) {
        Rellenar(libre - region, valor);
        return;
    }

    bool hecho = false;
    RBloque bloque;
    if (ElegirBloque(L, W, false, bloque)) {
        bool partido = PartirA(r, bloque, libre, valor);
        if (!FDetenida && PartirB(r, bloque, libre, valor)) {
            partido = true;
        }
        hecho = partido;
        if (!partido && !FDetenida) {
            Colocar(r, bloque, libre, valor);
            hecho = true;
        }
    }
    if (!FDetenida && ElegirBloque(L, W, true, bloque)) {
        if (PartirB(r, bloque, libre, valor)) {
            hecho = true;
        }
        if (!FDetenida && PartirA(r, bloque, libre, valor)) {
            hecho = true;
        }
        if (!hecho && !FDetenida) {
            Colocar(r, bloque, libre, valor);
            hecho = true;
        }
    }
    if (!hecho && !FDetenida) {
        Rellenar(libre - region, valor);
    }
}
