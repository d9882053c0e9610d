#include "CSerieCrecimiento.h"

#include "AzarFijo.h"

#include <cstdint>

namespace {

constexpr std::uint32_t Semilla = 20261206;

} // namespace

const std::vector<int>& CSerieCrecimiento::Tamanos() {
    static const std::vector<int> tamanos = {10, 20, 40, 80, 160};
    return tamanos;
}

RInstancia CSerieCrecimiento::Generar(int tipos, int precision) {
    RInstancia r;
    r.Familia = EFamilia::Crecimiento;
    r.Grupo = "precisión " + std::to_string(precision);
    r.Nombre = std::to_string(tipos) + " tipos";
    r.Precision = precision;
    const int escala = precision > 0 ? 10 : 1;
    r.Materiales.push_back({2440LL * escala, 1220LL * escala});
    std::mt19937 sizes(Semilla + static_cast<std::uint32_t>(tipos));
    std::mt19937 decimales(Semilla + 7919U * static_cast<std::uint32_t>(tipos));
    for (int i = 0; i < tipos; ++i) {
        const int largo = Entre(sizes, 80, 1200);
        const int ancho = Entre(sizes, 60, 600);
        const int cantidad = Entre(sizes, 1, 12);
        long long l = largo;
        long long a = ancho;
        if (precision > 0) {
            // Tenths only below the whole size, so a piece never outgrows the sheet.
            l = l * 10 - Entre(decimales, 0, 9);
            a = a * 10 - Entre(decimales, 0, 9);
        }
        r.Piezas.push_back({l, a, cantidad});
    }
    return r;
}
