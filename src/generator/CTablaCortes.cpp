#include "generator/CTablaCortes.h"

#include "document/UTextos.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>

static_assert(sizeof(RCelda) == 16, "a cell is a double and 8 bytes of bookkeeping");

namespace {

// Umbral = PorcentajeMaterial % of the longest material, rounded half to even on the exact
// value (a negative percentage behaves as 0: every step is then the size itself).
long long Umbral(int porcentaje, int maximo) {
    const long long n = static_cast<long long>(porcentaje) * maximo;
    if (n <= 0) {
        return 0;
    }
    long long q = n / 100;
    const long long resto = n % 100;
    if (resto > 50 || (resto == 50 && (q % 2) != 0)) {
        ++q;
    }
    return q;
}

} // namespace

void CTablaCortes::CalcularPosiciones(const AWord16& Tamanos, const AInt32& Orden,
                                      int NumCandidatas, const AWord16& TamanosMat,
                                      int NumMateriales, const RReglaPosiciones& Regla,
                                      AWord16& Pos, int& NumPos, AWord16& Indice) {
    const int lmax = Regla.MaximoMaterial;
    const long long umbral = Umbral(Regla.Porcentaje, lmax);

    // Steps of the candidates. A step beyond lmax only ever marks 0, so it is capped at
    // lmax + 1: the marks up to lmax stay the same and every index stays in range.
    std::vector<int> pasos;
    pasos.reserve(static_cast<std::size_t>(std::max(NumCandidatas, 0)));
    for (int t = 1; t <= NumCandidatas; ++t) {
        const long long s = Tamanos[static_cast<std::size_t>(Orden[static_cast<std::size_t>(t)])];
        if (s < 1) {
            continue;
        }
        long long paso = s;
        if (Regla.Restringir) {
            const long long q = umbral / s;
            if (q >= 1) {
                paso = s * q;
            }
        }
        pasos.push_back(static_cast<int>(std::min<long long>(paso, lmax + 1)));
    }
    std::sort(pasos.begin(), pasos.end());
    pasos.erase(std::unique(pasos.begin(), pasos.end()), pasos.end());

    // Marks: lengths reachable by the steps. x + paso <= 2 * lmax + 1.
    std::vector<std::uint8_t> marca(static_cast<std::size_t>(2 * lmax + 3), 0);
    marca[0] = 1;
    if (Regla.Nivel == 3 && !pasos.empty()) {
        // Every sum of steps up to the first sum beyond lmax.
        int x = 0;
        while (x <= lmax) {
            for (const int paso : pasos) {
                marca[static_cast<std::size_t>(x + paso)] = 1;
            }
            do {
                ++x;
            } while (!marca[static_cast<std::size_t>(x)]);
        }
    } else {
        for (const int paso : pasos) {
            for (int x = 0; x <= lmax; x += paso) {
                marca[static_cast<std::size_t>(x)] = 1;
                if (Regla.Nivel == 2) {
                    marca[static_cast<std::size_t>(lmax - x)] = 1;
                }
            }
        }
    }

    // The marked lengths up to lmax, ascending, and for every y the largest mark <= y.
    std::vector<int> marcadas;
    std::vector<int> marcaAnterior(static_cast<std::size_t>(lmax + 1), 0);
    for (int y = 0, ultima = 0; y <= lmax; ++y) {
        if (marca[static_cast<std::size_t>(y)]) {
            marcadas.push_back(y);
            ultima = y;
        }
        marcaAnterior[static_cast<std::size_t>(y)] = ultima;
    }

    // Candidate flags: 0, the complements L - a of every mark a of every material size L,
    // each reduced to a marked length, the candidate sizes and the material sizes.
    std::vector<std::uint8_t> bandera(static_cast<std::size_t>(lmax + 2), 0);
    bandera[0] = 1;
    for (int q = 1; q <= NumMateriales; ++q) {
        const int L = TamanosMat[static_cast<std::size_t>(q)];
        for (const int a : marcadas) {
            if (a >= L) {
                break;
            }
            const int p = marcaAnterior[static_cast<std::size_t>(L - a)];
            bandera[static_cast<std::size_t>(p)] = 1;
            if (p == 0) {
                break;
            }
        }
    }
    for (int t = 1; t <= NumCandidatas; ++t) {
        const int s = Tamanos[static_cast<std::size_t>(Orden[static_cast<std::size_t>(t)])];
        if (s <= lmax) {
            bandera[static_cast<std::size_t>(s)] = 1;
        }
    }
    for (int q = 1; q <= NumMateriales; ++q) {
        bandera[TamanosMat[static_cast<std::size_t>(q)]] = 1;
    }
    bandera[static_cast<std::size_t>(lmax + 1)] = 1; // sentinel

    Pos.assign(1, 0);
    for (int x = 1; x <= lmax + 1; ++x) {
        if (bandera[static_cast<std::size_t>(x)]) {
            Pos.push_back(static_cast<std::uint16_t>(std::min(x, 65535)));
        }
    }
    NumPos = static_cast<int>(Pos.size()) - 2;

    Indice.assign(static_cast<std::size_t>(lmax + 1), 0);
    for (int t = 0, y = 0; t <= NumPos; ++t) {
        const int hasta = (t < NumPos) ? Pos[static_cast<std::size_t>(t + 1)] : lmax + 1;
        for (; y < hasta; ++y) {
            Indice[static_cast<std::size_t>(y)] = static_cast<std::uint16_t>(t);
        }
    }
}

void CTablaCortes::Dimensionar() {
    const std::size_t filas = static_cast<std::size_t>(NumPosLargo + 1);
    const std::size_t columnas = static_cast<std::size_t>(NumPosAncho + 1);
    if (filas * columnas > MaximoCeldas) {
        throw std::length_error(Textos::TablaCortesExcesiva);
    }
    FCeldas.assign(filas * columnas, RCelda{0.0, 0, 0, 0, 0});
    FLargoListaLargo = filas;
    FListasLargo.assign(filas * columnas, 0);
    FCuentasLargo.assign(columnas, 0);
    FLargoListaAncho = columnas;
    FListasAncho.assign(filas * columnas, 0);
    FCuentasAncho.assign(filas, 0);
    CuentaL.assign(filas, 0);
    RestoL.assign(filas, 0);
    CuentaRecL.assign(filas, 0);
}
