#include "document/UGlobals.h"

#include <cctype>
#include <cmath>
#include <limits>

double Porcentaje(double x, int decimales) {
    const double escala = std::pow(10.0, decimales);
    return std::round(x * 100.0 * escala) / escala;
}

std::int64_t SumarCantidad(std::int64_t total, std::int64_t cantidad, std::int64_t veces) {
    if (cantidad <= 0 || veces <= 0) {
        return total;
    }
    std::int64_t producto = 0;
    std::int64_t suma = 0;
    if (__builtin_mul_overflow(cantidad, veces, &producto) ||
        __builtin_add_overflow(total, producto, &suma)) {
        return std::numeric_limits<std::int64_t>::max();
    }
    return suma;
}

std::string Recortar(const std::string& s) {
    std::size_t inicio = 0;
    std::size_t fin = s.size();
    while (inicio < fin && static_cast<unsigned char>(s[inicio]) <= ' ') {
        ++inicio;
    }
    while (fin > inicio && static_cast<unsigned char>(s[fin - 1]) <= ' ') {
        --fin;
    }
    return s.substr(inicio, fin - inicio);
}

bool LeerEntero(const std::string& texto, long long& valor) {
    const std::string t = Recortar(texto);
    std::size_t i = 0;
    bool negativo = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        negativo = t[i] == '-';
        ++i;
    }
    if (i >= t.size()) {
        return false;
    }
    long long v = 0;
    for (; i < t.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(t[i]))) {
            return false;
        }
        const int d = t[i] - '0';
        if (v > (std::numeric_limits<long long>::max() - d) / 10) {
            return false;
        }
        v = v * 10 + d;
    }
    valor = negativo ? -v : v;
    return true;
}

bool EnListaNumeros(const std::string& lista, long long n) {
    if (Recortar(lista).empty()) {
        return true;
    }
    std::size_t i = 0;
    while (i < lista.size()) {
        while (i < lista.size() && (lista[i] == ',' || lista[i] == ' ')) {
            ++i;
        }
        std::size_t fin = i;
        while (fin < lista.size() && lista[fin] != ',' && lista[fin] != ' ') {
            ++fin;
        }
        if (fin == i) {
            break;
        }
        const std::string item = lista.substr(i, fin - i);
        i = fin;
        const std::size_t guion = item.find('-');
        long long bajo = 0;
        long long alto = 0;
        if (guion != std::string::npos) {
            if (LeerEntero(item.substr(0, guion), bajo) &&
                LeerEntero(item.substr(guion + 1), alto) && bajo <= n && n <= alto) {
                return true;
            }
        } else if (LeerEntero(item, bajo) && bajo == n) {
            return true;
        }
    }
    return false;
}
