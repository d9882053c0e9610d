#include "engine/CPlanEntero.h"

#include "document/CLanzamiento.h"
#include "document/UExcepciones.h"
#include "engine/CSolucion.h"
#include "generator/CMochila.h"
#include "patterns/CCorte.h"
#include "patterns/CPatron.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <utility>

namespace {

std::int32_t A32(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// One level of the depth-first rounding search: slot k, which branch comes next
// (0 the changed copy, 1 the unchanged one, 2 done) and how many rows the change touched.
struct RMarco {
    int K;
    int Fase;
    int Tocadas;
};

} // namespace

CPlanEntero::CPlanEntero(CMochila& mochila) : FMochila(mochila), FNumFilas(mochila.NumPiezas()) {}

CControlCalculo& CPlanEntero::Control() {
    CControlCalculo* c = FMochila.Lanzamiento().Calculo();
    return c != nullptr ? *c : FControlPropio;
}

std::int32_t CPlanEntero::Stock(std::int32_t material) const {
    const AWord16& disponibles = FMochila.Disponibles();
    if (material < 1 || static_cast<std::size_t>(material) >= disponibles.size()) {
        return 0;
    }
    return disponibles[static_cast<std::size_t>(material)];
}

std::int32_t& CPlanEntero::Usados(std::int32_t material) {
    if (material < 1 || static_cast<std::size_t>(material) >= FUsados.size()) {
        return FUsadoFuera;
    }
    return FUsados[static_cast<std::size_t>(material)];
}

std::int32_t CPlanEntero::CantidadEn(const CPatron& patron, int fila) const {
    const int pieza = FMochila.PiezaDeFila(fila);
    const ACantidades& cantidades = patron.CantPorPieza();
    if (pieza < 1 || static_cast<std::size_t>(pieza) >= cantidades.size()) {
        return 0;
    }
    return cantidades[static_cast<std::size_t>(pieza)];
}

double CPlanEntero::Desviacion(const std::vector<std::int64_t>& producido) const {
    const AWord16& pedido = FMochila.Pedido();
    const AWord16& largos = FMochila.Largos();
    const AWord16& anchos = FMochila.Anchos();
    const bool cuadrados = FMochila.Opciones().CriterioRedondeo == 1;
    double suma = 0.0;
    for (int i = 1; i <= FNumFilas; ++i) {
        const std::int64_t diferencia =
            producido[static_cast<std::size_t>(i)] - pedido[static_cast<std::size_t>(i)];
        if (cuadrados) {
            // One missing piece weighs as much as one surplus piece, whatever its size.
            suma += static_cast<double>(diferencia * diferencia);
        } else {
            suma += static_cast<double>(std::llabs(diferencia)) *
                    largos[static_cast<std::size_t>(i)] * anchos[static_cast<std::size_t>(i)];
        }
    }
    return suma;
}

// ---- Rounding --------------------------------------------------------------------------

void CPlanEntero::PrepararPasada(int tipo) {
    const int n = FSolucion->Cantidad();
    FCuenta.assign(static_cast<std::size_t>(n) + 1, 0);
    FFilasPatron.assign(static_cast<std::size_t>(n) + 1, AInt32());
    FCantidadesPatron.assign(static_cast<std::size_t>(n) + 1, AInt32());
    FMaterialPatron.assign(static_cast<std::size_t>(n) + 1, 0);
    FProducido.assign(static_cast<std::size_t>(FNumFilas) + 1, 0);
    FSolucion->SetModo(tipo);
    for (int k = 1; k <= n; ++k) {
        const CPatron* p = FSolucion->Patron(k);
        if (p == nullptr) {
            continue;
        }
        const std::size_t sk = static_cast<std::size_t>(k);
        FCuenta[sk] = p->RepEntera(tipo);
        FMaterialPatron[sk] = p->Material();
        for (int i = 1; i <= FNumFilas; ++i) {
            const std::int32_t c = CantidadEn(*p, i);
            if (c > 0) {
                FFilasPatron[sk].push_back(i);
                FCantidadesPatron[sk].push_back(c);
                FProducido[static_cast<std::size_t>(i)] +=
                    static_cast<std::int64_t>(c) * FCuenta[sk];
            }
        }
    }
    FMejor = Desviacion(FProducido);
}

void CPlanEntero::Hoja(int tipo) {
    const double d = Desviacion(FProducido);
    if (d < FMejor) {
        FMejor = d;
        const int n = FSolucion->Cantidad();
        for (int s = 1; s <= n; ++s) {
            if (CPatron* p = FSolucion->Patron(s)) {
                p->SetRepEntera(tipo, FCuenta[static_cast<std::size_t>(s)]);
            }
        }
    }
}

void CPlanEntero::Buscar(int tipo) {
    // Depth-first over "one copy of slot k more (default plan) or less (up plan), or not",
    // slot n first, the change first. An explicit stack: a job may hold many patterns.
    const bool porDefecto = tipo == CSolucion::ModoPorDefecto;
    const int paso = porDefecto ? 1 : -1;
    const AWord16& pedido = FMochila.Pedido();
    const int n = FSolucion->Cantidad();
    CControlCalculo& control = Control();
    // The pass ends on its own budget of steps, whatever the clock or the display do, so
    // the same job gives the same plan on any machine; the bar moves in step with it.
    const std::int64_t pasosPorMarca = std::max<std::int64_t>(1, FPasosRedondeo / MaximoRedondeo);
    std::int64_t pasos = 0;
    std::vector<RMarco> pila;
    pila.reserve(static_cast<std::size_t>(n) + 1);
    pila.push_back({n, 0, 0});
    while (!pila.empty()) {
        if (++pasos > FPasosRedondeo) {
            break;
        }
        if (pasos % pasosPorMarca == 0) {
            control.AvanzarProgreso(1);
        }
        const std::size_t t = pila.size() - 1;
        const int k = pila[t].K;
        if (k == 0) {
            pila.pop_back();
            if (control.Cancelado.load()) {
                throw ECalculoAbortado();
            }
            // "Forzar" ends this pass with the best plan written.
            if (control.Forzar.exchange(false)) {
                break;
            }
            Hoja(tipo);
            continue;
        }
        const std::size_t sk = static_cast<std::size_t>(k);
        const std::int32_t m = FMaterialPatron[sk];
        const AInt32& filas = FFilasPatron[sk];
        const AInt32& cantidades = FCantidadesPatron[sk];
        if (pila[t].Fase == 0) {
            // A copy more needs stock left; a copy less needs a copy.
            if (porDefecto ? Usados(m) >= Stock(m) : FCuenta[sk] == 0) {
                pila[t].Fase = 2;
                pila.push_back({k - 1, 0, 0});
                continue;
            }
            FCuenta[sk] += paso;
            if (porDefecto) {
                ++Usados(m);
            }
            // The default plan may not exceed the order, the up plan may not fall short of it.
            bool fuera = false;
            int tocadas = 0;
            for (std::size_t r = 0; r < filas.size(); ++r) {
                const std::size_t fila = static_cast<std::size_t>(filas[r]);
                FProducido[fila] += paso * cantidades[r];
                ++tocadas;
                if (porDefecto ? FProducido[fila] > pedido[fila]
                               : FProducido[fila] < pedido[fila]) {
                    fuera = true;
                    break;
                }
            }
            pila[t].Tocadas = tocadas;
            pila[t].Fase = 1;
            if (!fuera) {
                pila.push_back({k - 1, 0, 0});
            }
            continue;
        }
        if (pila[t].Fase == 1) {
            for (int r = 0; r < pila[t].Tocadas; ++r) {
                FProducido[static_cast<std::size_t>(filas[static_cast<std::size_t>(r)])] -=
                    paso * cantidades[static_cast<std::size_t>(r)];
            }
            FCuenta[sk] -= paso;
            if (porDefecto) {
                --Usados(m);
            }
            pila[t].Fase = 2;
            pila.push_back({k - 1, 0, 0});
            continue;
        }
        pila.pop_back();
    }
}

void CPlanEntero::AjustarSolucion(CSolucion& solucion) {
    FSolucion = &solucion;
    CControlCalculo& control = Control();
    control.IniciarProgreso(MaximoRedondeo);
    control.FijarProgreso(0);
    FUsados.assign(static_cast<std::size_t>(FMochila.TotalMateriales()) + 1, 0);
    FUsadoFuera = 0;
    for (int k = 1; k <= solucion.Cantidad(); ++k) {
        if (const CPatron* p = solucion.Patron(k)) {
            Usados(p->Material()) += p->RepEntera(CSolucion::ModoPorDefecto);
        }
    }

    control.AvisarRedondeoPorDefecto();
    control.FijarProgreso(0);
    solucion.Ordenar(CSolucion::OrdenAprovechamientoDescendente);
    PrepararPasada(CSolucion::ModoPorDefecto);
    Buscar(CSolucion::ModoPorDefecto);

    control.AvisarRedondeoPorExceso();
    control.FijarProgreso(0);
    solucion.Ordenar(CSolucion::OrdenAprovechamientoAscendente);
    PrepararPasada(CSolucion::ModoPorExceso);
    Buscar(CSolucion::ModoPorExceso);
}

// ---- Completion ------------------------------------------------------------------------

void CPlanEntero::Sumar(const CPatron& patron, std::int32_t veces) {
    Usados(patron.Material()) += veces;
    for (int i = 1; i <= FNumFilas; ++i) {
        FProducido[static_cast<std::size_t>(i)] +=
            static_cast<std::int64_t>(CantidadEn(patron, i)) * veces;
    }
    ActualizarRestantes();
}

void CPlanEntero::ActualizarRestantes() {
    const AWord16& pedido = FMochila.Pedido();
    FRestantes.assign(static_cast<std::size_t>(FNumFilas) + 1, 0);
    for (int i = 1; i <= FNumFilas; ++i) {
        const std::size_t si = static_cast<std::size_t>(i);
        FRestantes[si] = A32(static_cast<std::int64_t>(pedido[si]) - FProducido[si]);
    }
}

void CPlanEntero::Contabilizar() {
    FUsados.assign(static_cast<std::size_t>(FMochila.TotalMateriales()) + 1, 0);
    FUsadoFuera = 0;
    FProducido.assign(static_cast<std::size_t>(FNumFilas) + 1, 0);
    for (int k = 1; k <= FSolucion->Cantidad(); ++k) {
        if (const CPatron* p = FSolucion->Patron(k)) {
            Sumar(*p, p->RepEntera(CSolucion::ModoFinal));
        }
    }
    ActualizarRestantes();
}

std::int32_t CPlanEntero::Copias(const CPatron& patron) const {
    const std::int32_t m = patron.Material();
    std::int64_t usados = FUsadoFuera;
    if (m >= 1 && static_cast<std::size_t>(m) < FUsados.size()) {
        usados = FUsados[static_cast<std::size_t>(m)];
    }
    std::int64_t copias = static_cast<std::int64_t>(Stock(m)) - usados;
    for (int i = 1; i <= FNumFilas; ++i) {
        const std::int32_t c = CantidadEn(patron, i);
        if (c > 0) {
            copias = std::min<std::int64_t>(copias, FRestantes[static_cast<std::size_t>(i)] / c);
        }
    }
    return A32(std::max<std::int64_t>(copias, 0));
}

std::vector<CRelleno::RCandidata> CPlanEntero::Candidatas(const CMochila& mochila) {
    std::vector<CRelleno::RCandidata> filas;
    const AWord16& largos = mochila.Largos();
    const AWord16& anchos = mochila.Anchos();
    const AWord16& piezas = mochila.Piezas();
    for (int r = 1; r <= mochila.NumFilas(); ++r) {
        const std::size_t sr = static_cast<std::size_t>(r);
        CRelleno::RCandidata c;
        // A turned row shares the remaining quantity of the row it copies.
        c.Fila = r <= mochila.NumPiezas() ? r : piezas[sr];
        c.Pieza = mochila.PiezaDeFila(r);
        c.Largo = largos[sr];
        c.Ancho = anchos[sr];
        filas.push_back(c);
    }
    return filas;
}

CRelleno::RLimites CPlanEntero::Limites(const ROpciones& op) {
    CRelleno::RLimites limites;
    limites.SobranteMinimo = op.SobranteMinimo;
    limites.LongitudAgarre = op.LongitudAgarre;
    limites.CorteMaximo = op.CorteMaximo;
    limites.NivelCorte = op.NivelCorte;
    return limites;
}

CRelleno CPlanEntero::NuevaBusqueda() {
    return CRelleno(Limites(FMochila.Opciones()), Candidatas(FMochila), FRestantes, &Control());
}

std::vector<CRelleno::RNodo> CPlanEntero::ANodos(const CCorte* raiz) {
    std::vector<CRelleno::RNodo> nodos;
    if (raiz == nullptr) {
        return nodos;
    }
    auto copiar = [&nodos](const CCorte& c) {
        CRelleno::RNodo n;
        n.Largo = c.Largo();
        n.Ancho = c.Ancho();
        n.Dir = c.Dir();
        n.LargoPz = c.LargoPz();
        n.AnchoPz = c.AnchoPz();
        n.Pieza = c.Pieza();
        n.RepX = c.RepX();
        n.RepY = c.RepY();
        nodos.push_back(n);
        return static_cast<std::int32_t>(nodos.size() - 1);
    };
    std::vector<std::pair<const CCorte*, std::int32_t>> pila{{raiz, copiar(*raiz)}};
    while (!pila.empty()) {
        const auto [c, i] = pila.back();
        pila.pop_back();
        if (c->Dir() == 0 || c->Hijo1() == nullptr || c->Hijo2() == nullptr) {
            continue;
        }
        const std::int32_t h1 = copiar(*c->Hijo1());
        const std::int32_t h2 = copiar(*c->Hijo2());
        nodos[static_cast<std::size_t>(i)].Hijo1 = h1;
        nodos[static_cast<std::size_t>(i)].Hijo2 = h2;
        pila.emplace_back(c->Hijo2(), h2);
        pila.emplace_back(c->Hijo1(), h1);
    }
    return nodos;
}

std::unique_ptr<CCorte> CPlanEntero::DeNodos(const std::vector<CRelleno::RNodo>& nodos) {
    if (nodos.empty()) {
        return nullptr;
    }
    auto crear = [&nodos](std::int32_t i) {
        const CRelleno::RNodo& n = nodos[static_cast<std::size_t>(i)];
        return CCorte::Create(n.Largo, n.Ancho, n.Dir, n.LargoPz, n.AnchoPz, n.Pieza, n.RepX,
                              n.RepY);
    };
    std::unique_ptr<CCorte> raiz = crear(0);
    std::vector<std::pair<CCorte*, std::int32_t>> pila{{raiz.get(), 0}};
    while (!pila.empty()) {
        const auto [c, i] = pila.back();
        pila.pop_back();
        const CRelleno::RNodo& n = nodos[static_cast<std::size_t>(i)];
        if (n.Dir == 0 || n.Hijo1 < 0 || n.Hijo2 < 0) {
            continue;
        }
        c->SetHijo1(crear(n.Hijo1));
        c->SetHijo2(crear(n.Hijo2));
        pila.emplace_back(c->Hijo2(), n.Hijo2);
        pila.emplace_back(c->Hijo1(), n.Hijo1);
    }
    return raiz;
}

double CPlanEntero::AreaBruta(const std::vector<CRelleno::RNodo>& nodos) {
    double area = 0.0;
    for (const CRelleno::RNodo& n : nodos) {
        if (n.Dir == 0 && n.Pieza != 0) {
            area += static_cast<double>(n.LargoPz) * n.AnchoPz * n.RepX * n.RepY;
        }
    }
    return area;
}

bool CPlanEntero::CompletarSolucion(CSolucion& solucion, bool inicio) {
    FSolucion = &solucion;
    CControlCalculo& control = Control();
    Contabilizar();

    if (inicio) {
        const int n = solucion.Cantidad();
        for (int s = 1; s <= n; ++s) {
            CPatron* p = solucion.Patron(s);
            if (p == nullptr || p->Raiz() == nullptr || p->RepEntera(CSolucion::ModoFinal) <= 0) {
                continue;
            }
            const std::vector<CRelleno::RNodo> arbol = ANodos(p->Raiz());
            const double valor = AreaBruta(arbol);
            CRelleno busqueda = NuevaBusqueda();
            const CRelleno::RDisposicion d = busqueda.BuscarRelleno(arbol, valor, valor + 1);
            if (d.Vacia()) {
                continue;
            }
            std::unique_ptr<CPatron> copia = CPatron::Copia(*p);
            copia->SetRaiz(DeNodos(d.Nodos));
            copia->RecontarPiezas(FMochila.TotalPiezas());
            // Some of slot s's sheets become the richer copy: as many as the demand still
            // open and the stock allow once slot s's own production is taken out.
            const std::int32_t rs = p->RepEntera(CSolucion::ModoFinal);
            Sumar(*p, -rs);
            const std::int32_t c = std::min(Copias(*copia), rs);
            if (c <= 0) {
                Sumar(*p, rs);
                continue;
            }
            copia->SetRepeticion(0.0);
            copia->SetRepEntera({c, 0, 0});
            p->SetRepEntera(CSolucion::ModoFinal, rs - c);
            Sumar(*p, rs - c);
            Sumar(*copia, c);
            solucion.FijarPatron(solucion.Cantidad() + 1, std::move(copia));
            control.ContarVariante();
        }
        control.Forzar = false;
        return false;
    }

    control.FijarProgreso(0);
    std::vector<int> conStock;
    for (int j = 1; j <= FMochila.NumMateriales(); ++j) {
        const std::int32_t m = FMochila.MaterialDeFila(j);
        if (Stock(m) > Usados(m)) {
            conStock.push_back(j);
        }
    }
    const bool falta =
        std::any_of(FRestantes.begin() + 1, FRestantes.end(), [](std::int32_t r) { return r > 0; });
    if (conStock.empty() || !falta) {
        control.Forzar = false;
        return false;
    }

    const ROpciones& op = FMochila.Opciones();
    AWord16 posLargo;
    AWord16 posAncho;
    int numLargo = 0;
    int numAncho = 0;
    FMochila.PosicionesCandidatas(true, posLargo, numLargo);
    FMochila.PosicionesCandidatas(false, posAncho, numAncho);
    auto contar = [](const AWord16& pos, int num, std::int32_t tope) {
        std::int32_t n = 0;
        for (int t = 1; t <= num && static_cast<std::size_t>(t) < pos.size(); ++t) {
            if (pos[static_cast<std::size_t>(t)] >= 1 && pos[static_cast<std::size_t>(t)] <= tope) {
                ++n;
            }
        }
        return n;
    };
    const std::int64_t corteMaximo = op.CorteMaximo;
    std::int64_t total = 0;
    for (int j : conStock) {
        const std::int32_t L = FMochila.LargosMat()[static_cast<std::size_t>(j)];
        const std::int32_t W = FMochila.AnchosMat()[static_cast<std::size_t>(j)];
        total += 1;
        if (corteMaximo >= W) {
            total += contar(posLargo, numLargo, L - 1);
        }
        if (corteMaximo >= L) {
            total += contar(posAncho, numAncho, W - 1);
        }
    }
    control.IniciarProgreso(A32(total));

    const std::int32_t minimoParte = std::max(op.SobranteMinimo, op.LongitudAgarre);
    CRelleno::RDisposicion mejor;
    int filaMejor = 0;
    double areaMejor = 0.0;
    double aprovMejor = 0.0;
    double areaHoja = 0.0;
    int filaActual = 0;
    auto considerar = [&](CRelleno::RDisposicion d) {
        if (d.Vacia()) {
            return;
        }
        const double A = d.AreaPiezas;
        const double U = areaHoja > 0.0 ? A / areaHoja : 0.0;
        bool reemplaza;
        if (op.PreferirVariosMateriales) {
            reemplaza = Mayor(U, aprovMejor) || (Igual(U, aprovMejor) && Mayor(A, areaMejor));
        } else {
            reemplaza = Mayor(A, areaMejor) || (Igual(A, areaMejor) && Mayor(U, aprovMejor));
        }
        if (reemplaza) {
            mejor = std::move(d);
            areaMejor = A;
            aprovMejor = U;
            filaMejor = filaActual;
        }
    };

    for (int j : conStock) {
        const std::int32_t L = FMochila.LargosMat()[static_cast<std::size_t>(j)];
        const std::int32_t W = FMochila.AnchosMat()[static_cast<std::size_t>(j)];
        filaActual = j;
        areaHoja = static_cast<double>(L) * W;
        CRelleno busqueda = NuevaBusqueda();
        considerar(busqueda.BuscarHoja(L, W));
        if (corteMaximo >= W) {
            for (int t = 1; t <= numLargo && static_cast<std::size_t>(t) < posLargo.size(); ++t) {
                const std::int32_t x = posLargo[static_cast<std::size_t>(t)];
                if (x < 1 || x > L - 1) {
                    continue;
                }
                if (minimoParte <= L - x) {
                    considerar(busqueda.BuscarCorte(L, W, 1, x));
                }
                control.AvanzarProgreso(1);
            }
        }
        if (corteMaximo >= L) {
            for (int t = 1; t <= numAncho && static_cast<std::size_t>(t) < posAncho.size(); ++t) {
                const std::int32_t y = posAncho[static_cast<std::size_t>(t)];
                if (y < 1 || y > W - 1) {
                    continue;
                }
                if (minimoParte <= W - y) {
                    considerar(busqueda.BuscarCorte(L, W, -1, y));
                }
                control.AvanzarProgreso(1);
            }
        }
        control.Forzar = false;
    }

    if (mejor.Vacia() || filaMejor == 0) {
        return false;
    }
    std::unique_ptr<CPatron> patron = CPatron::Create(
        FMochila.TotalPiezas(), FMochila.MaterialDeFila(filaMejor), &FMochila.Lanzamiento());
    patron->SetRaiz(DeNodos(mejor.Nodos));
    patron->RecontarPiezas(FMochila.TotalPiezas());
    const std::int32_t copias = Copias(*patron);
    if (copias <= 0) {
        return false;
    }
    patron->SetRepeticion(0.0);
    patron->SetRepEntera({copias, 0, 0});
    solucion.FijarPatron(solucion.Cantidad() + 1, std::move(patron));
    control.ContarVariante();
    return true;
}
