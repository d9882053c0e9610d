#include "engine/CSimplex.h"

#include "document/UExcepciones.h"
#include "document/UTextos.h"

#include <algorithm>
#include <cmath>

namespace {

// Rebuilding costs O(n^3) and a pivot O(n^2): every max(n, 64) pivots keeps the rebuilds
// at a small share of the work while bounding how far round-off can accumulate.
constexpr int PivotesMinimosEntreRefactorizaciones = 64;
// A chosen pivot this much smaller than the largest entry of its direction is first
// checked against a freshly rebuilt inverse.
constexpr double PivotePequeno = 1e-7;
// Direction entries below this share of the largest are round-off, not limiting rows.
constexpr double RuidoDireccion = 1e-11;
// Elimination pivots below this (times the largest basis entry) mean a singular basis.
constexpr double PivoteSingular = 1e-11;

} // namespace

CSimplex::CSimplex(const AWord16& diagonal, const AWord16& ladoDerecho, const AReal8& costes) {
    FFilas = diagonal.empty() ? 0 : static_cast<int>(diagonal.size()) - 1;
    const auto n = static_cast<std::size_t>(FFilas);
    if (ladoDerecho.size() < n + 1 || costes.size() < n + 1) {
        throw EErrorPrecision(Textos::ErrorPrecision);
    }
    for (std::size_t i = 1; i <= n; ++i) {
        // A piece with nothing to cut or a material without stock would divide by zero.
        if (diagonal[i] == 0) {
            throw EErrorPrecision(Textos::ErrorPrecision);
        }
    }
    FAncho = n + 1;
    FTabla.assign(FAncho * FAncho, 0.0);
    FDireccion.assign(FAncho, 0.0);
    FProducto.assign(FAncho, 0.0L);
    FNoNulos.reserve(FAncho);
    FBase.assign(FAncho, {});
    FCostes.assign(FAncho, 0.0);
    FLadoDerecho.assign(FAncho, 0.0);
    long double objetivo = 0.0L;
    for (int i = 1; i <= FFilas; ++i) {
        const auto iu = static_cast<std::size_t>(i);
        FBase[iu] = {{i, static_cast<double>(diagonal[iu])}};
        FCostes[iu] = costes[iu];
        FLadoDerecho[iu] = ladoDerecho[iu];
        const long double inversa = 1.0L / static_cast<long double>(diagonal[iu]);
        FTabla[Indice(i, i)] = static_cast<double>(inversa);
        FTabla[Indice(0, i)] = static_cast<double>(inversa * costes[iu]);
        const long double valor = static_cast<long double>(ladoDerecho[iu]) * inversa;
        FTabla[Indice(i, 0)] = static_cast<double>(valor);
        objetivo += static_cast<long double>(costes[iu]) * valor;
    }
    FTabla[Indice(0, 0)] = static_cast<double>(objetivo);
}

void CSimplex::FijarCostes(const AReal8& costes) {
    const int n = std::min(FFilas, static_cast<int>(costes.size()) - 1);
    for (int i = 1; i <= FFilas; ++i) {
        FCostes[static_cast<std::size_t>(i)] = i <= n ? costes[static_cast<std::size_t>(i)] : 0.0;
    }
    for (int j = 1; j <= FFilas; ++j) {
        long double dual = 0.0L;
        for (int i = 1; i <= FFilas; ++i) {
            dual += static_cast<long double>(FCostes[static_cast<std::size_t>(i)]) * Celda(i, j);
        }
        FTabla[Indice(0, j)] = static_cast<double>(dual);
    }
    long double objetivo = 0.0L;
    for (int i = 1; i <= FFilas; ++i) {
        objetivo += static_cast<long double>(FCostes[static_cast<std::size_t>(i)]) * Celda(i, 0);
    }
    FTabla[Indice(0, 0)] = static_cast<double>(objetivo);
    if (ResiduoDual() > LimiteResiduo()) {
        Refactorizar();
    }
}

void CSimplex::Duales(AReal8& duales) const {
    const int n = std::min(FFilas, static_cast<int>(duales.size()) - 1);
    for (int j = 1; j <= n; ++j) {
        duales[static_cast<std::size_t>(j)] = Celda(0, j);
    }
}

void CSimplex::CalcularDireccion(const AWord16& columna, AReal8& d) const {
    // Pattern columns are sparse: walk only their non-zero entries.
    FNoNulos.clear();
    const int n = std::min(FFilas, static_cast<int>(columna.size()) - 1);
    for (int j = 1; j <= n; ++j) {
        if (columna[static_cast<std::size_t>(j)] != 0) {
            FNoNulos.push_back(j);
        }
    }
    d[0] = 0.0;
    for (int i = 1; i <= FFilas; ++i) {
        const double* fila = &FTabla[Indice(i, 0)];
        long double suma = 0.0L;
        for (const int j : FNoNulos) {
            suma += static_cast<long double>(columna[static_cast<std::size_t>(j)]) *
                    fila[static_cast<std::size_t>(j)];
        }
        d[static_cast<std::size_t>(i)] = static_cast<double>(-suma);
    }
}

AReal8 CSimplex::Direccion(const AWord16& columna) const {
    AReal8 d(FAncho, 0.0);
    CalcularDireccion(columna, d);
    return d;
}

double CSimplex::ResiduoDireccion(const AWord16& columna, const AReal8& d) const {
    // B (B^-1 a) must give a back; B^-1 a = -d.
    std::fill(FProducto.begin(), FProducto.end(), 0.0L);
    for (int k = 1; k <= FFilas; ++k) {
        const long double v = -static_cast<long double>(d[static_cast<std::size_t>(k)]);
        if (v != 0.0L) {
            for (const RElemento& e : FBase[static_cast<std::size_t>(k)]) {
                FProducto[static_cast<std::size_t>(e.Fila)] += v * e.Valor;
            }
        }
    }
    long double peor = 0.0L;
    long double escala = 1.0L;
    const int n = std::min(FFilas, static_cast<int>(columna.size()) - 1);
    for (int i = 1; i <= FFilas; ++i) {
        const long double a = i <= n ? columna[static_cast<std::size_t>(i)] : 0;
        escala = std::max(escala, 1.0L + a);
        peor = std::max(peor, std::fabs(a - FProducto[static_cast<std::size_t>(i)]));
    }
    return static_cast<double>(peor / escala);
}

double CSimplex::ResiduoPrimal() const {
    std::fill(FProducto.begin(), FProducto.end(), 0.0L);
    for (int k = 1; k <= FFilas; ++k) {
        const long double x = Celda(k, 0);
        for (const RElemento& e : FBase[static_cast<std::size_t>(k)]) {
            FProducto[static_cast<std::size_t>(e.Fila)] += x * e.Valor;
        }
    }
    long double peor = 0.0L;
    for (int i = 1; i <= FFilas; ++i) {
        const long double b = FLadoDerecho[static_cast<std::size_t>(i)];
        peor = std::max(peor, std::fabs(b - FProducto[static_cast<std::size_t>(i)]) /
                                  (1.0L + std::fabs(b)));
    }
    return static_cast<double>(peor);
}

double CSimplex::ResiduoDual() const {
    long double peor = 0.0L;
    for (int k = 1; k <= FFilas; ++k) {
        const long double c = FCostes[static_cast<std::size_t>(k)];
        long double pa = 0.0L;
        for (const RElemento& e : FBase[static_cast<std::size_t>(k)]) {
            pa += static_cast<long double>(Celda(0, e.Fila)) * e.Valor;
        }
        peor = std::max(peor, std::fabs(c - pa) / (1.0L + std::fabs(c)));
    }
    return static_cast<double>(peor);
}

void CSimplex::LimpiarValores() {
    for (int i = 1; i <= FFilas; ++i) {
        double& x = FTabla[Indice(i, 0)];
        if (x < 0.0 && x >= -ToleranciaCero) {
            x = 0.0;
        }
    }
}

bool CSimplex::NecesitaRefactorizar() const {
    if (FPivotesSinRefactorizar == 0) {
        return false;
    }
    if (FPivotesSinRefactorizar >= std::max(FFilas, PivotesMinimosEntreRefactorizaciones)) {
        return true;
    }
    for (int i = 1; i <= FFilas; ++i) {
        if (!(Celda(i, 0) >= -ToleranciaCero)) { // also a NaN
            return true;
        }
    }
    return ResiduoPrimal() > LimiteResiduo() || ResiduoDual() > LimiteResiduo();
}

double CSimplex::LimiteResiduo() const {
    // A basis so ill-conditioned that even a fresh inverse misses the tolerance is rebuilt
    // only once it has drifted well past where the rebuild left it, not after every pivot.
    return std::max(ToleranciaResiduo, 10.0 * FResiduoRefactorizado);
}

void CSimplex::Refactorizar() {
    const auto n = static_cast<std::size_t>(FFilas);
    FPivotesSinRefactorizar = 0;
    ++FRefactorizaciones;
    if (n == 0) {
        return;
    }
    // Gauss-Jordan on [B | I] with partial pivoting: rows are the equations, columns the
    // basis positions, so the right half ends as B^-1 with rows by position.
    std::vector<double> a(n * n, 0.0);
    std::vector<double> inv(n * n, 0.0);
    double mayor = 0.0;
    for (std::size_t k = 0; k < n; ++k) {
        for (const RElemento& e : FBase[k + 1]) {
            a[(static_cast<std::size_t>(e.Fila) - 1) * n + k] = e.Valor;
            mayor = std::max(mayor, std::fabs(e.Valor));
        }
        inv[k * n + k] = 1.0;
    }
    const double singular = PivoteSingular * std::max(1.0, mayor);
    for (std::size_t k = 0; k < n; ++k) {
        std::size_t p = k;
        for (std::size_t i = k + 1; i < n; ++i) {
            if (std::fabs(a[i * n + k]) > std::fabs(a[p * n + k])) {
                p = i;
            }
        }
        if (!(std::fabs(a[p * n + k]) > singular)) {
            throw EErrorPrecision(Textos::ErrorPrecision);
        }
        if (p != k) {
            std::swap_ranges(a.begin() + static_cast<std::ptrdiff_t>(p * n),
                             a.begin() + static_cast<std::ptrdiff_t>(p * n + n),
                             a.begin() + static_cast<std::ptrdiff_t>(k * n));
            std::swap_ranges(inv.begin() + static_cast<std::ptrdiff_t>(p * n),
                             inv.begin() + static_cast<std::ptrdiff_t>(p * n + n),
                             inv.begin() + static_cast<std::ptrdiff_t>(k * n));
        }
        const double pivote = a[k * n + k];
        for (std::size_t j = k; j < n; ++j) {
            a[k * n + j] /= pivote;
        }
        for (std::size_t j = 0; j < n; ++j) {
            inv[k * n + j] /= pivote;
        }
        for (std::size_t i = 0; i < n; ++i) {
            const double f = a[i * n + k];
            if (i == k || f == 0.0) {
                continue;
            }
            for (std::size_t j = k; j < n; ++j) {
                a[i * n + j] -= f * a[k * n + j];
            }
            for (std::size_t j = 0; j < n; ++j) {
                inv[i * n + j] -= f * inv[k * n + j];
            }
        }
    }
    for (std::size_t k = 0; k < n; ++k) {
        std::copy(inv.begin() + static_cast<std::ptrdiff_t>(k * n),
                  inv.begin() + static_cast<std::ptrdiff_t>(k * n + n),
                  FTabla.begin() + static_cast<std::ptrdiff_t>(Indice(static_cast<int>(k) + 1, 1)));
    }

    // x = B^-1 b, then one step of refinement on the residual b - B x.
    std::vector<long double> x(n + 1, 0.0L);
    std::vector<long double> resto(n + 1, 0.0L);
    for (int paso = 0; paso < 2; ++paso) {
        if (paso == 0) {
            std::copy(FLadoDerecho.begin(), FLadoDerecho.end(), resto.begin());
        } else {
            std::copy(FLadoDerecho.begin(), FLadoDerecho.end(), resto.begin());
            for (std::size_t k = 1; k <= n; ++k) {
                for (const RElemento& e : FBase[k]) {
                    resto[static_cast<std::size_t>(e.Fila)] -= x[k] * e.Valor;
                }
            }
        }
        for (std::size_t k = 1; k <= n; ++k) {
            const double* fila = &FTabla[Indice(static_cast<int>(k), 0)];
            long double suma = 0.0L;
            for (std::size_t i = 1; i <= n; ++i) {
                suma += fila[i] * resto[i];
            }
            x[k] += suma;
        }
    }
    // pi = c_B B^-1, then one step of refinement on c_B - pi B.
    std::vector<long double> pi(n + 1, 0.0L);
    for (int paso = 0; paso < 2; ++paso) {
        for (std::size_t k = 1; k <= n; ++k) {
            long double r = FCostes[k];
            if (paso == 1) {
                for (const RElemento& e : FBase[k]) {
                    r -= pi[static_cast<std::size_t>(e.Fila)] * e.Valor;
                }
            }
            resto[k] = r;
        }
        for (std::size_t k = 1; k <= n; ++k) {
            if (resto[k] == 0.0L) {
                continue;
            }
            const double* fila = &FTabla[Indice(static_cast<int>(k), 0)];
            for (std::size_t j = 1; j <= n; ++j) {
                pi[j] += resto[k] * fila[j];
            }
        }
    }
    long double objetivo = 0.0L;
    for (std::size_t k = 1; k <= n; ++k) {
        FTabla[Indice(static_cast<int>(k), 0)] = static_cast<double>(x[k]);
        FTabla[Indice(0, static_cast<int>(k))] = static_cast<double>(pi[k]);
        objetivo += static_cast<long double>(FCostes[k]) * x[k];
    }
    FTabla[Indice(0, 0)] = static_cast<double>(objetivo);
    LimpiarValores();
    FResiduoRefactorizado = std::max(ResiduoPrimal(), ResiduoDual());
}

int CSimplex::Saliente(const AByte* artificiales) const {
    const AReal8& d = FDireccion;
    double mayor = 0.0;
    for (int i = 1; i <= FFilas; ++i) {
        mayor = std::max(mayor, std::fabs(d[static_cast<std::size_t>(i)]));
    }
    const double ruido = std::max(ToleranciaCero, RuidoDireccion * mayor);
    const auto esArtificial = [&](int i) {
        return artificiales != nullptr && static_cast<std::size_t>(i) < artificiales->size() &&
               (*artificiales)[static_cast<std::size_t>(i)] != 0;
    };
    // Pivot magnitude and ratio of a limiting row (0 when the row does not limit the step).
    // A basic value below zero is round-off: it limits like a zero, never with a negative
    // step. An artificial at zero in phase 2 limits with ratio 0 when the column would
    // raise it, so it can leave but never grow again.
    const auto limite = [&](int i, double& razon, double& holgura) {
        const double di = d[static_cast<std::size_t>(i)];
        if (esArtificial(i) && di > ruido) {
            razon = 0.0;
            holgura = 0.0;
            return di;
        }
        if (di < -ruido) {
            const double x = std::max(Celda(i, 0), 0.0);
            razon = x / -di;
            holgura = (x + ToleranciaCero) / -di;
            return -di;
        }
        return 0.0;
    };
    // Harris: the step may pass a row's own bound by at most the zero tolerance; among the
    // rows that fit under the tightest such bound the largest pivot leaves, the lower
    // position on a tie.
    double cota = MaximoReal;
    for (int i = 1; i <= FFilas; ++i) {
        double razon = 0.0;
        double holgura = 0.0;
        if (limite(i, razon, holgura) > 0.0) {
            cota = std::min(cota, holgura);
        }
    }
    int sale = 0;
    double mejorPivote = 0.0;
    for (int i = 1; i <= FFilas; ++i) {
        double razon = 0.0;
        double holgura = 0.0;
        const double pivote = limite(i, razon, holgura);
        if (pivote > mejorPivote && razon <= cota) {
            mejorPivote = pivote;
            sale = i;
        }
    }
    return sale;
}

bool CSimplex::Pivotear(const AWord16& columna, double costeReducido, int& sale,
                        const AByte* artificiales) {
    sale = 0;
    AReal8& d = FDireccion;
    CalcularDireccion(columna, d);
    if (FPivotesSinRefactorizar > 0 && ResiduoDireccion(columna, d) > LimiteResiduo()) {
        Refactorizar();
        CalcularDireccion(columna, d);
    }
    int r = Saliente(artificiales);
    if (r != 0 && FPivotesSinRefactorizar > 0) {
        double mayor = 0.0;
        for (int i = 1; i <= FFilas; ++i) {
            mayor = std::max(mayor, std::fabs(d[static_cast<std::size_t>(i)]));
        }
        if (std::fabs(d[static_cast<std::size_t>(r)]) < PivotePequeno * mayor) {
            Refactorizar();
            CalcularDireccion(columna, d);
            r = Saliente(artificiales);
        }
    }
    if (r == 0) {
        return false;
    }

    // The entering column's own cost, for later rebuilds: its reduced cost plus pi a.
    const int n = std::min(FFilas, static_cast<int>(columna.size()) - 1);
    long double coste = costeReducido;
    AColumna nueva;
    for (int j = 1; j <= n; ++j) {
        const std::uint16_t a = columna[static_cast<std::size_t>(j)];
        if (a != 0) {
            coste += static_cast<long double>(a) * Celda(0, j);
            nueva.push_back({j, static_cast<double>(a)});
        }
    }

    d[0] = costeReducido;
    const std::size_t ancho = FAncho;
    double* pivote = &FTabla[Indice(r, 0)];
    pivote[0] = std::max(pivote[0], 0.0);
    const long double divisor = -static_cast<long double>(d[static_cast<std::size_t>(r)]);
    for (std::size_t k = 0; k < ancho; ++k) {
        pivote[k] = static_cast<double>(pivote[k] / divisor);
    }
    // Row 0 is updated like the others: with d[0] = r the duals move by r times the new
    // pivot row and the objective falls by |r| times the step length.
    for (int i = 0; i <= FFilas; ++i) {
        const double di = d[static_cast<std::size_t>(i)];
        if (i == r || di == 0.0) {
            continue;
        }
        const long double factor = di;
        double* fila = &FTabla[Indice(i, 0)];
        for (std::size_t k = 0; k < ancho; ++k) {
            fila[k] = static_cast<double>(fila[k] + factor * pivote[k]);
        }
    }
    FBase[static_cast<std::size_t>(r)] = std::move(nueva);
    FCostes[static_cast<std::size_t>(r)] = static_cast<double>(coste);
    ++FPivotesSinRefactorizar;
    LimpiarValores();
    if (NecesitaRefactorizar()) {
        Refactorizar();
    }
    sale = r;
    return true;
}
