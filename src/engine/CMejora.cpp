#include "engine/CMejora.h"

#include "document/UExcepciones.h"
#include "engine/CControlCalculo.h"
#include "engine/CPlanEntero.h"
#include "engine/CSimplex.h"
#include "engine/CSolucion.h"
#include "generator/CMochila.h"
#include "generator/CRelleno.h"
#include "patterns/CCorte.h"
#include "patterns/CPatron.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>

namespace {

// Stock of a material without a limit (65535 in the job's tables).
constexpr std::int64_t StockIlimitado = std::int64_t{1} << 40;
// A material without stock left: its dual keeps the generator from choosing it.
constexpr double DualBloqueado = -1e30;

std::size_t U(std::int64_t i) {
    return static_cast<std::size_t>(i);
}

std::uint16_t Word(std::int64_t v) {
    return static_cast<std::uint16_t>(std::clamp<std::int64_t>(v, 0, 65535));
}

// Work units of the steps, fitted to the CPU time they take on the reference machine: a
// pricing call (fixed part and per cell visit or cut try of the generator), a pivot of the
// residual LP (fixed part and per basis entry) and the pricing of a pool column.
constexpr std::int64_t UnidadesLlamada = 10000;
constexpr std::int64_t UnidadesCelda = 4;
constexpr std::int64_t UnidadesPivote = 5000;
constexpr std::int64_t UnidadesBase = 4;
constexpr std::int64_t UnidadesCandidata = 4;

} // namespace

CMejora::CMejora(CMochila& mochila, CControlCalculo& control)
    : FMochila(mochila), FControl(control) {}

CMejora::~CMejora() = default;

void CMejora::FijarPresupuesto(std::int64_t pasos, double segundos) {
    FMaximoPasos = std::max<std::int64_t>(0, pasos);
    const double s = std::clamp(segundos, 0.0, 1e9);
    FMaximoUnidades = static_cast<std::int64_t>(s * UnidadesPorSegundo);
    FSegundos = s * HolguraReloj;
}

bool CMejora::Gastar(std::int64_t unidades) {
    FUnidades += unidades;
    if (FMaximoUnidades > 0 && FUnidades >= FMaximoUnidades) {
        FAgotado = true;
    }
    return !FAgotado;
}

bool CMejora::Paso(std::int64_t unidades) {
    ++FPasos;
    Gastar(unidades);
    if (FControl.Cancelado.load()) {
        throw ECalculoAbortado();
    }
    if (FControl.Forzar.exchange(false)) {
        FAgotado = true;
    }
    if (FMaximoPasos > 0 && FPasos >= FMaximoPasos) {
        FAgotado = true;
    }
    if (FSegundos > 0.0 && FControl.Ahora() - FInicio >= FSegundos) {
        FAgotado = true;
    }
    return !FAgotado;
}

int CMejora::AgregarColumna(std::unique_ptr<CPatron> patron, int fila, std::int32_t slot) {
    RColumna c;
    c.Fila = fila;
    c.Coste = FMochila.AreaMaterialFila(fila) / FAreaMaxima;
    c.Cantidades.assign(U(FNP) + 1, 0);
    const ACantidades& cantidades = patron->CantPorPieza();
    for (int i = 1; i <= FNP; ++i) {
        const int pieza = FMochila.PiezaDeFila(i);
        if (pieza >= 1 && U(pieza) < cantidades.size()) {
            // An order is at most 65535: a larger count covers the row as fully as that.
            c.Cantidades[U(i)] =
                static_cast<std::int32_t>(std::min<std::int64_t>(cantidades[U(pieza)], 65535));
            if (c.Cantidades[U(i)] > 0) {
                c.Filas.push_back({i, c.Cantidades[U(i)]});
            }
        }
    }
    // A pattern that the pool holds already (the same counts on the same material) is
    // priced once: the later solves generate many of them again.
    auto clave = std::make_pair(fila, c.Filas);
    if (slot == 0) {
        if (const auto it = FConocidas.find(clave); it != FConocidas.end()) {
            return it->second;
        }
    }
    c.Patron = std::move(patron);
    c.Slot = slot;
    FPool.push_back(std::move(c));
    const int indice = static_cast<int>(FPool.size()) - 1;
    FConocidas.emplace(std::move(clave), indice);
    return indice;
}

std::unique_ptr<CPatron> CMejora::Acotar(const CPatron& patron,
                                         const std::vector<std::int64_t>& restante) const {
    std::vector<CRelleno::RNodo> nodos = CPlanEntero::ANodos(patron.Raiz());
    if (nodos.empty()) {
        return nullptr;
    }
    AInt32 quedan(U(FNP) + 1, 0);
    for (int i = 1; i <= FNP; ++i) {
        quedan[U(i)] = static_cast<std::int32_t>(std::min<std::int64_t>(restante[U(i)], 65535));
    }
    std::vector<bool> vaciada(nodos.size(), false);
    bool recortado = false;
    for (std::size_t k = 0; k < nodos.size(); ++k) {
        CRelleno::RNodo& n = nodos[k];
        if (n.Dir != 0 || n.Pieza == 0) {
            continue;
        }
        const int pieza = n.Pieza < 0 ? -n.Pieza : n.Pieza;
        const int fila = U(pieza) < FFilaDePieza.size() ? FFilaDePieza[U(pieza)] : 0;
        const std::int32_t copias = n.RepX * n.RepY;
        if (fila == 0 || copias <= 0) {
            continue;
        }
        if (copias <= quedan[U(fila)]) {
            quedan[U(fila)] -= copias;
            continue;
        }
        // The whole leaf is emptied, so that the refill may lay a smaller block of the same
        // piece under the cutting rules instead.
        n.Pieza = 0;
        n.LargoPz = 0;
        n.AnchoPz = 0;
        n.RepX = 0;
        n.RepY = 0;
        vaciada[k] = true;
        recortado = true;
    }
    if (!recortado) {
        return nullptr;
    }
    const double valor = CPlanEntero::AreaBruta(nodos);
    CRelleno busqueda(CPlanEntero::Limites(FMochila.Opciones()), CPlanEntero::Candidatas(FMochila),
                      quedan, &FControl);
    CRelleno::RDisposicion d = busqueda.BuscarRelleno(nodos, valor, valor);
    if (!d.Vacia()) {
        nodos = std::move(d.Nodos);
    }
    // A leaf left empty is an offcut now: across its cut it must be none or a whole
    // minimum offcut, or the copy is not a pattern the shop may cut.
    for (const CRelleno::RNodo& n : nodos) {
        for (const std::int32_t h : {n.Hijo1, n.Hijo2}) {
            if (n.Dir == 0 || h < 0 || U(h) >= vaciada.size() || !vaciada[U(h)]) {
                continue;
            }
            const CRelleno::RNodo& parte = nodos[U(h)];
            const std::int32_t ancho = n.Dir == 1 ? parte.Largo : parte.Ancho;
            if (parte.Dir == 0 && parte.Pieza == 0 && ancho > 0 &&
                ancho < FMochila.Opciones().SobranteMinimo) {
                return nullptr;
            }
        }
    }
    if (!(CPlanEntero::AreaBruta(nodos) > 0.0)) {
        return nullptr;
    }
    std::unique_ptr<CPatron> acotado = CPatron::Copia(patron);
    acotado->SetRaiz(CPlanEntero::DeNodos(nodos));
    acotado->RecontarPiezas(FMochila.TotalPiezas());
    return acotado;
}

bool CMejora::ResolverResidual(const std::vector<std::int64_t>& restante,
                               const std::vector<std::int64_t>& stock, std::vector<double>& valores,
                               double& objetivo, bool acotado) {
    std::vector<int> filas;
    std::vector<int> materiales;
    for (int i = 1; i <= FNP; ++i) {
        if (restante[U(i)] > 0) {
            filas.push_back(i);
        }
    }
    for (int j = 1; j <= FNM; ++j) {
        if (stock[U(j)] > 0) {
            materiales.push_back(j);
        }
    }
    valores.assign(FPool.size(), 0.0);
    objetivo = 0.0;
    if (filas.empty()) {
        return true;
    }
    if (materiales.empty()) {
        return false;
    }
    const int nf = static_cast<int>(filas.size());
    const int n = nf + static_cast<int>(materiales.size());
    AWord16 diagonal(U(n) + 1, 0);
    AReal8 costes(U(n) + 1, 0.0);
    // Basis position -> what it holds: a pool column, or -1 an artificial, -2 a slack.
    std::vector<int> tipo(U(n) + 1, -2);
    for (int k = 1; k <= nf; ++k) {
        diagonal[U(k)] = Word(restante[U(filas[U(k - 1)])]);
        costes[U(k)] = 2.0 * diagonal[U(k)];
        tipo[U(k)] = -1;
    }
    std::vector<int> posicionMaterial(U(FNM) + 1, 0);
    for (int m = 0; m < static_cast<int>(materiales.size()); ++m) {
        diagonal[U(nf + m + 1)] = Word(stock[U(materiales[U(m)])]);
        posicionMaterial[U(materiales[U(m)])] = nf + m + 1;
    }
    CSimplex simplex(diagonal, diagonal, costes);
    AReal8 duales(U(n) + 1, 0.0);
    AReal8 completos(U(FNP + FNM) + 1, 0.0);
    AWord16 columna(U(n) + 1, 0);
    // A column covers no more of a row than the row still asks for: the surplus of an
    // unbounded pattern is waste in a whole plan, and the LP that guides the dives sees it so.
    auto cuenta = [&](int fila, std::int64_t c) {
        return acotado ? std::min(c, restante[U(fila)]) : c;
    };
    // Basis position of each piece row still missing (0: none); the pool is priced over
    // the few rows each pattern holds.
    std::vector<int> posicionFila(U(FNP) + 1, 0);
    for (int k = 1; k <= nf; ++k) {
        posicionFila[U(filas[U(k - 1)])] = k;
    }
    // Only the columns that hold a missing piece on a material with stock can improve. Their
    // prices are read from flat arrays, cost, material position and (basis position, count)
    // pairs, laid out once per solve: the pool pricing is most of this loop's time.
    std::vector<int> candidatas;
    std::vector<double> costeCandidata;
    std::vector<int> materialCandidata;
    std::vector<std::size_t> finCandidata;
    std::vector<int> posicionEntrada;
    std::vector<double> cuentaEntrada;
    auto considerar = [&](int p) {
        const RColumna& c = FPool[U(p)];
        if (posicionMaterial[U(c.Fila)] != 0 &&
            std::any_of(c.Filas.begin(), c.Filas.end(),
                        [&](const auto& f) { return posicionFila[U(f.first)] != 0; })) {
            candidatas.push_back(p);
            costeCandidata.push_back(c.Coste);
            materialCandidata.push_back(posicionMaterial[U(c.Fila)]);
            for (const auto& [fila, cantidad] : c.Filas) {
                if (posicionFila[U(fila)] != 0) {
                    posicionEntrada.push_back(posicionFila[U(fila)]);
                    cuentaEntrada.push_back(static_cast<double>(cuenta(fila, cantidad)));
                }
            }
            finCandidata.push_back(posicionEntrada.size());
        }
    };
    for (int p = 0; p < static_cast<int>(FPool.size()); ++p) {
        considerar(p);
    }
    auto costeReducido = [&](const RColumna& c) {
        double rc = c.Coste - duales[U(posicionMaterial[U(c.Fila)])];
        for (const auto& [fila, cantidad] : c.Filas) {
            const int k = posicionFila[U(fila)];
            if (k != 0) {
                rc -= static_cast<double>(cuenta(fila, cantidad)) * duales[U(k)];
            }
        }
        return rc;
    };
    const std::int64_t maximoPivotes = 1000 * static_cast<std::int64_t>(n);
    for (std::int64_t pivotes = 0;; ++pivotes) {
        if (pivotes > maximoPivotes) {
            return false;
        }
        simplex.Duales(duales);
        int entra = -3;
        double rc = -Tolerancia;
        // The pool first: it holds the columns of the earlier solves, most of what this
        // one needs.
        for (std::size_t q = 0, j = 0; q < candidatas.size(); ++q) {
            double r = costeCandidata[q] - duales[U(materialCandidata[q])];
            for (; j < finCandidata[q]; ++j) {
                r -= cuentaEntrada[j] * duales[U(posicionEntrada[j])];
            }
            if (r < rc) {
                rc = r;
                entra = candidatas[q];
            }
        }
        const std::size_t antesGenerador = FPool.size();
        if (entra == -3) {
            // The exact generator proves that no column improves. Capped, its pattern may
            // hold more of a piece than is missing: the piece's price is then lowered in
            // proportion and the generator asked again, a few times, for a pattern that
            // spreads over other pieces (each one also bounded by Acotar).
            std::vector<double> factor(U(nf) + 1, 1.0);
            const int intentos = acotado ? 4 : 1;
            for (int intento = 0; intento < intentos; ++intento) {
                std::fill(completos.begin(), completos.end(), 0.0);
                for (int k = 1; k <= nf; ++k) {
                    completos[U(filas[U(k - 1)])] = duales[U(k)] * factor[U(k)] * FAreaMaxima;
                }
                for (int j = 1; j <= FNM; ++j) {
                    const int pos = posicionMaterial[U(j)];
                    completos[U(FNP + j)] = pos != 0 ? duales[U(pos)] * FAreaMaxima : DualBloqueado;
                }
                std::unique_ptr<CPatron> patron;
                int material = 0;
                double rcGenerador = 0.0;
                const std::int64_t trabajo = FMochila.Trabajo();
                FMochila.GenerarPatron(completos, patron, 2, material, rcGenerador);
                FControl.ContarVariante();
                if (!Paso(UnidadesLlamada + UnidadesCelda * (FMochila.Trabajo() - trabajo))) {
                    return false;
                }
                if (patron == nullptr || material < 1 || material > FNM ||
                    posicionMaterial[U(material)] == 0 ||
                    !(rcGenerador / FAreaMaxima < -Tolerancia)) {
                    break;
                }
                std::unique_ptr<CPatron> justo = acotado ? Acotar(*patron, restante) : nullptr;
                const int nueva = AgregarColumna(std::move(patron), material, 0);
                bool sobra = false;
                for (int k = 1; k <= nf; ++k) {
                    const std::int64_t c = FPool[U(nueva)].Cantidades[U(filas[U(k - 1)])];
                    const std::int64_t r = restante[U(filas[U(k - 1)])];
                    if (c > r) {
                        factor[U(k)] *= static_cast<double>(r) / static_cast<double>(c);
                        sobra = true;
                    }
                }
                for (int columna :
                     {nueva,
                      justo != nullptr ? AgregarColumna(std::move(justo), material, 0) : -1}) {
                    if (columna < 0) {
                        continue;
                    }
                    const double r = costeReducido(FPool[U(columna)]);
                    if (r < rc) {
                        entra = columna;
                        rc = r;
                    }
                }
                // Asked again only while nothing improves: each call is a whole pricing.
                if (!sobra || entra >= 0) {
                    break;
                }
            }
        }
        for (std::size_t p = antesGenerador; p < FPool.size(); ++p) {
            considerar(static_cast<int>(p));
        }
        int slack = 0;
        if (entra == -3) {
            for (int j : materiales) {
                const int pos = posicionMaterial[U(j)];
                if (duales[U(pos)] > Tolerancia) {
                    slack = pos;
                    rc = -duales[U(pos)];
                    entra = -2;
                    break;
                }
            }
        }
        if (entra == -3) {
            break;
        }
        std::fill(columna.begin(), columna.end(), 0);
        if (entra >= 0) {
            const RColumna& c = FPool[U(entra)];
            for (const auto& [fila, cantidad] : c.Filas) {
                if (posicionFila[U(fila)] != 0) {
                    columna[U(posicionFila[U(fila)])] = Word(cuenta(fila, cantidad));
                }
            }
            columna[U(posicionMaterial[U(c.Fila)])] = 1;
        } else {
            columna[U(slack)] = 1;
        }
        int sale = 0;
        if (!simplex.Pivotear(columna, rc, sale) || sale < 1 || sale > n) {
            return false;
        }
        tipo[U(sale)] = entra;
        // A pivot is far cheaper than a pricing call: only every 64th counts as a step.
        const std::int64_t trabajo =
            UnidadesPivote + UnidadesBase * n * n +
            UnidadesCandidata * static_cast<std::int64_t>(candidatas.size());
        if (!(pivotes % 64 == 63 ? Paso(trabajo) : Gastar(trabajo))) {
            return false;
        }
    }
    valores.assign(FPool.size(), 0.0); // the solve may have added columns
    for (int k = 1; k <= n; ++k) {
        const double v = simplex.ValorBasico(k);
        if (tipo[U(k)] == -1 && v * diagonal[U(k)] > 1e-6 && acotado) {
            // The capped columns proved no optimum: the plain LP decides whether the rest
            // can be covered at all.
            return ResolverResidual(restante, stock, valores, objetivo, false);
        }
        if (tipo[U(k)] == -1 && v * diagonal[U(k)] > 1e-6) {
            return false; // the free stock cannot cover the rest
        }
        if (tipo[U(k)] >= 0 && v > 0.0) {
            valores[U(tipo[U(k)])] += v;
            objetivo += v * FPool[U(tipo[U(k)])].Coste;
        }
    }
    return true;
}

void CMejora::Aplicar(RPlan& plan, std::vector<std::int64_t>& restante,
                      std::vector<std::int64_t>& stock, int columna, std::int64_t veces) const {
    const RColumna& c = FPool[U(columna)];
    veces = std::min(veces, stock[U(c.Fila)]);
    if (veces <= 0) {
        return;
    }
    plan[U(columna)] += veces;
    stock[U(c.Fila)] -= veces;
    for (int i = 1; i <= FNP; ++i) {
        restante[U(i)] = std::max<std::int64_t>(0, restante[U(i)] - c.Cantidades[U(i)] * veces);
    }
}

double CMejora::Area(const RPlan& plan) const {
    double area = 0.0;
    for (std::size_t p = 0; p < plan.size(); ++p) {
        area += static_cast<double>(plan[p]) * FPool[p].Coste;
    }
    return area;
}

int CMejora::MaterialesUsados(const RPlan& plan) const {
    std::vector<bool> usado(U(FNM) + 1, false);
    for (std::size_t p = 0; p < plan.size(); ++p) {
        if (plan[p] > 0) {
            usado[U(FPool[p].Fila)] = true;
        }
    }
    return static_cast<int>(std::count(usado.begin(), usado.end(), true));
}

bool CMejora::Cumple(const RPlan& plan) const {
    std::vector<std::int64_t> producido(U(FNP) + 1, 0);
    std::vector<std::int64_t> usado(U(FNM) + 1, 0);
    for (std::size_t p = 0; p < plan.size(); ++p) {
        if (plan[p] < 0) {
            return false;
        }
        usado[U(FPool[p].Fila)] += plan[p];
        for (int i = 1; i <= FNP; ++i) {
            producido[U(i)] += FPool[p].Cantidades[U(i)] * plan[p];
        }
    }
    for (int i = 1; i <= FNP; ++i) {
        if (producido[U(i)] < FDemanda[U(i)]) {
            return false;
        }
    }
    for (int j = 1; j <= FNM; ++j) {
        if (usado[U(j)] > FStock[U(j)]) {
            return false;
        }
    }
    return true;
}

void CMejora::Bucear() {
    RPlan plan = FBase;
    plan.resize(FPool.size(), 0);
    std::vector<std::int64_t> restante = FDemanda;
    std::vector<std::int64_t> stock = FStock;
    for (std::size_t p = 0; p < plan.size(); ++p) {
        const std::int64_t veces = plan[p];
        plan[p] = 0;
        Aplicar(plan, restante, stock, static_cast<int>(p), veces);
    }
    std::vector<double> valores;
    while (std::any_of(restante.begin(), restante.end(), [](std::int64_t r) { return r > 0; })) {
        double objetivo = 0.0;
        if (FAgotado || !ResolverResidual(restante, stock, valores, objetivo)) {
            return;
        }
        plan.resize(FPool.size(), 0);
        if (Inutil(Area(plan) + objetivo)) {
            return;
        }
        const std::vector<std::int64_t> antes = restante;
        int mayor = -1;
        for (std::size_t p = 0; p < valores.size(); ++p) {
            const double x = valores[p];
            if (x >= 1.0 - Tolerancia) {
                Aplicar(plan, restante, stock, static_cast<int>(p),
                        static_cast<std::int64_t>(std::floor(x + Tolerancia)));
            } else if (x > Tolerancia && stock[U(FPool[p].Fila)] > 0 &&
                       (mayor < 0 || x > valores[U(mayor)])) {
                mayor = static_cast<int>(p);
            }
        }
        if (restante == antes) {
            if (mayor < 0) {
                return;
            }
            Aplicar(plan, restante, stock, mayor, 1);
            if (restante == antes) {
                return;
            }
        }
    }
    const double area = Area(plan);
    if (area < FAreaMejor - Tolerancia && Cumple(plan)) {
        FMejor = plan;
        FAreaMejor = area;
    }
}

void CMejora::Explorar(RPlan plan, std::vector<std::int64_t> restante,
                       std::vector<std::int64_t> stock, int desvios) {
    if (std::none_of(restante.begin(), restante.end(), [](std::int64_t r) { return r > 0; })) {
        const double area = Area(plan);
        if (area < FAreaMejor - Tolerancia && Cumple(plan)) {
            FMejor = plan;
            FAreaMejor = area;
        }
        return;
    }
    std::vector<double> valores;
    double objetivo = 0.0;
    if (FAgotado || !ResolverResidual(restante, stock, valores, objetivo)) {
        return;
    }
    plan.resize(FPool.size(), 0);
    if (Inutil(Area(plan) + objetivo)) {
        return;
    }
    std::vector<int> orden;
    for (std::size_t p = 0; p < valores.size(); ++p) {
        if (valores[p] > Tolerancia && stock[U(FPool[p].Fila)] > 0) {
            orden.push_back(static_cast<int>(p));
        }
    }
    std::stable_sort(orden.begin(), orden.end(),
                     [&](int a, int b) { return valores[U(a)] > valores[U(b)]; });
    const std::size_t ramas =
        std::min<std::size_t>(orden.size(), static_cast<std::size_t>(desvios) + 1);
    for (std::size_t r = 0; r < ramas && !FAgotado && !EnLaCota(); ++r) {
        const int p = orden[r];
        RPlan hijo = plan;
        std::vector<std::int64_t> restanteHijo = restante;
        std::vector<std::int64_t> stockHijo = stock;
        Aplicar(hijo, restanteHijo, stockHijo, p,
                std::max<std::int64_t>(
                    1, static_cast<std::int64_t>(std::floor(valores[U(p)] + Tolerancia))));
        if (restanteHijo != restante) {
            Explorar(std::move(hijo), std::move(restanteHijo), std::move(stockHijo),
                     desvios - static_cast<int>(r));
        }
    }
}

bool CMejora::Inutil(double minimo) const {
    // Whatever a branch ends with costs about its fixed part plus its residual LP. The capped
    // LP is no bound (its pricing is not exact): with one material a branch goes on while that
    // estimate does not exceed the best plan.
    return FAreaUnica > 0.0 ? std::ceil(minimo / FAreaUnica - 1.0 - 1e-6) * FAreaUnica >
                                  FAreaMejor - 0.5 * FAreaUnica
                            : minimo >= FAreaMejor - Tolerancia;
}

bool CMejora::EnLaCota() const {
    return FAreaUnica > 0.0
               ? FAreaMejor <= std::ceil(FCota / FAreaUnica - 1e-6) * FAreaUnica + Tolerancia
               : FAreaMejor <= FCota + Tolerancia;
}

void CMejora::Escribir(CSolucion& solucion, const RPlan& plan) const {
    const std::int32_t n = solucion.Cantidad();
    std::vector<bool> cortado(U(n) + 1, false);
    for (std::int32_t k = 1; k <= n; ++k) {
        if (CPatron* p = solucion.Patron(k)) {
            cortado[U(k)] = p->RepEntera(CSolucion::ModoFinal) > 0;
            p->SetRepEntera(CSolucion::ModoFinal, 0);
        }
    }
    for (std::size_t c = 0; c < plan.size(); ++c) {
        if (plan[c] <= 0) {
            continue;
        }
        const std::int32_t veces =
            static_cast<std::int32_t>(std::min<std::int64_t>(plan[c], 2000000000));
        if (FPool[c].Slot > 0) {
            solucion.Patron(FPool[c].Slot)->SetRepEntera(CSolucion::ModoFinal, veces);
        } else {
            std::unique_ptr<CPatron> copia = CPatron::Copia(*FPool[c].Patron);
            copia->SetRepeticion(0.0);
            copia->SetRepEntera({veces, 0, 0});
            solucion.FijarPatron(solucion.Cantidad() + 1, std::move(copia));
        }
    }
    // A pattern that only the old final plan cut belongs to no plan any more.
    for (std::int32_t k = n; k >= 1; --k) {
        const CPatron* p = std::as_const(solucion).Patron(k);
        if (p != nullptr && cortado[U(k)] && Igual(p->Repeticion(), 0.0) &&
            p->RepEntera(CSolucion::ModoFinal) == 0 &&
            p->RepEntera(CSolucion::ModoPorExceso) == 0 &&
            p->RepEntera(CSolucion::ModoPorDefecto) == 0) {
            solucion.Eliminar(k);
        }
    }
    solucion.SetModo(CSolucion::ModoFinal);
}

bool CMejora::Mejorar(CSolucion& solucion) {
    FInicio = FControl.Ahora();
    FPasos = 0;
    FUnidades = 0;
    FAgotado = false;
    FNP = FMochila.NumPiezas();
    FNM = FMochila.NumMateriales();
    FPool.clear();
    FConocidas.clear();
    FAreaMaxima = 1.0;
    for (int j = 1; j <= FNM; ++j) {
        FAreaMaxima = std::max(FAreaMaxima, FMochila.AreaMaterialFila(j));
    }
    FAreaUnica = FNM == 1 ? FMochila.AreaMaterialFila(1) / FAreaMaxima : 0.0;
    FDemanda.assign(U(FNP) + 1, 0);
    for (int i = 1; i <= FNP; ++i) {
        FDemanda[U(i)] = FMochila.Pedido()[U(i)];
    }
    FFilaDePieza.assign(U(FMochila.TotalPiezas()) + 1, 0);
    for (int i = 1; i <= FNP; ++i) {
        const int pieza = FMochila.PiezaDeFila(i);
        if (pieza >= 1 && U(pieza) < FFilaDePieza.size()) {
            FFilaDePieza[U(pieza)] = i;
        }
    }
    FStock.assign(U(FNM) + 1, 0);
    std::vector<int> filaDeMaterial(U(FMochila.TotalMateriales()) + 1, 0);
    for (int j = 1; j <= FNM; ++j) {
        const int m = FMochila.MaterialDeFila(j);
        const std::uint16_t s = FMochila.DisponibleMaterial(m);
        FStock[U(j)] = s == 65535 ? StockIlimitado : s;
        if (m >= 1 && U(m) < filaDeMaterial.size()) {
            filaDeMaterial[U(m)] = j;
        }
    }

    RPlan final;
    FBase.clear();
    for (std::int32_t k = 1; k <= solucion.Cantidad(); ++k) {
        const CPatron* p = std::as_const(solucion).Patron(k);
        const int m = p != nullptr ? p->Material() : 0;
        if (m < 1 || U(m) >= filaDeMaterial.size() || filaDeMaterial[U(m)] == 0) {
            if (p != nullptr && p->RepEntera(CSolucion::ModoFinal) > 0) {
                return false; // a plan on a material outside the calculation: leave it
            }
            continue;
        }
        AgregarColumna(CPatron::Copia(*p), filaDeMaterial[U(m)], k);
        final.push_back(std::max(0, p->RepEntera(CSolucion::ModoFinal)));
        FBase.push_back(std::max(0, p->RepEntera(CSolucion::ModoPorDefecto)));
    }
    // Less material than the final plan, even when that one falls short of the order (no
    // completion): the stage never trades material for pieces the user did not ask it for.
    FAreaMejor = Area(final);
    const int materialesFinal = MaterialesUsados(final);
    {
        // The floor plan is the dives' start when it keeps within the stock (the rounding
        // search sees to it; a kept or hand-made plan may not).
        std::vector<std::int64_t> usado(U(FNM) + 1, 0);
        for (std::size_t c = 0; c < FBase.size(); ++c) {
            usado[U(FPool[c].Fila)] += FBase[c];
        }
        for (int j = 1; j <= FNM; ++j) {
            if (usado[U(j)] > FStock[U(j)]) {
                std::fill(FBase.begin(), FBase.end(), 0);
            }
        }
    }
    FMejor.clear();
    const double areaInicial = FAreaMejor;

    try {
        std::vector<double> valores;
        // Uncapped: the LP of the whole demand is then a true bound.
        if (!ResolverResidual(FDemanda, FStock, valores, FCota, false)) {
            FCota = 0.0;
        }
        // Every whole part at once from the rounded-down plan, then from nothing; then a
        // depth-first search from nothing that fixes one column per LP, the columns of
        // largest value first.
        if (!EnLaCota() && !FAgotado) {
            Bucear();
        }
        std::fill(FBase.begin(), FBase.end(), 0);
        if (!EnLaCota() && !FAgotado) {
            Bucear();
        }
        for (int desvios = 1; desvios <= MaximoDesvios && !EnLaCota() && !FAgotado; ++desvios) {
            Explorar(RPlan(FPool.size(), 0), FDemanda, FStock, desvios);
        }
    } catch (const ECalculoForzado&) {
        // Forced inside the generator: the best plan so far stands.
        FControl.Forzar = false;
    }

    if (FMejor.empty() || !(FAreaMejor < areaInicial - Tolerancia) || !Cumple(FMejor)) {
        return false;
    }
    FMejor.resize(FPool.size(), 0);
    if (FMochila.Opciones().PreferirVariosMateriales &&
        MaterialesUsados(FMejor) < materialesFinal) {
        return false;
    }
    Escribir(solucion, FMejor);
    return true;
}
