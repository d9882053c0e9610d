#include "engine/CSimplex.h"

#include "document/UExcepciones.h"
#include "document/UTextos.h"

#include <algorithm>

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
    FNoNulos.reserve(FAncho);
    long double objetivo = 0.0L;
    for (int i = 1; i <= FFilas; ++i) {
        const auto iu = static_cast<std::size_t>(i);
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
    for (int j = 1; j <= FFilas; ++j) {
        long double dual = 0.0L;
        for (int i = 1; i <= n; ++i) {
            dual += static_cast<long double>(costes[static_cast<std::size_t>(i)]) * Celda(i, j);
        }
        FTabla[Indice(0, j)] = static_cast<double>(dual);
    }
    long double objetivo = 0.0L;
    for (int i = 1; i <= n; ++i) {
        objetivo += static_cast<long double>(costes[static_cast<std::size_t>(i)]) * Celda(i, 0);
    }
    FTabla[Indice(0, 0)] = static_cast<double>(objetivo);
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

bool CSimplex::Pivotear(const AWord16& columna, double costeReducido, int& sale,
                        const AByte* artificiales) {
    sale = 0;
    AReal8& d = FDireccion;
    CalcularDireccion(columna, d);

    // Ratio test: only rows whose entry clearly limits the step; ties within the tolerance
    // keep the lower position.
    double mejor = MaximoReal;
    for (int i = 1; i <= FFilas; ++i) {
        const double di = d[static_cast<std::size_t>(i)];
        const bool artificial = artificiales != nullptr &&
                                static_cast<std::size_t>(i) < artificiales->size() &&
                                (*artificiales)[static_cast<std::size_t>(i)] != 0;
        if (artificial && Mayor(di, 0.0)) {
            // A degenerate pivot on this row keeps every value and drives the artificial out.
            if (Menor(0.0, mejor)) {
                mejor = 0.0;
                sale = i;
            }
        } else if (Menor(di, 0.0)) {
            const double razon = Celda(i, 0) / -di;
            if (Menor(razon, mejor)) {
                mejor = razon;
                sale = i;
            }
        }
    }
    if (sale == 0) {
        return false;
    }

    d[0] = costeReducido;
    const std::size_t ancho = FAncho;
    double* pivote = &FTabla[Indice(sale, 0)];
    const long double divisor = -static_cast<long double>(d[static_cast<std::size_t>(sale)]);
    for (std::size_t k = 0; k < ancho; ++k) {
        pivote[k] = static_cast<double>(pivote[k] / divisor);
    }
    // Row 0 is updated like the others: with d[0] = r the duals move by r times the new
    // pivot row and the objective falls by |r| times the step length.
    for (int i = 0; i <= FFilas; ++i) {
        const double di = d[static_cast<std::size_t>(i)];
        if (i == sale || di == 0.0) {
            continue;
        }
        const long double factor = di;
        double* fila = &FTabla[Indice(i, 0)];
        for (std::size_t k = 0; k < ancho; ++k) {
            fila[k] = static_cast<double>(fila[k] + factor * pivote[k]);
        }
    }
    return true;
}
