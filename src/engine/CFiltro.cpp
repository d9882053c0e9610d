#include "engine/CFiltro.h"

#include "document/UExcepciones.h"
#include "document/UGlobals.h"
#include "document/UTextos.h"
#include "engine/CSolucion.h"
#include "patterns/CPatron.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Items of a list separated by commas; blanks outside quotes separate too, a quoted item
// keeps them and "" inside quotes stands for one quote. A separator at the very end, or two
// in a row, gives an empty item.
std::vector<std::string> Separar(const std::string& texto) {
    std::vector<std::string> elementos;
    const auto blanco = [](char c) { return c != '\0' && static_cast<unsigned char>(c) <= ' '; };
    std::size_t i = 0;
    const std::size_t n = texto.size();
    while (i < n && blanco(texto[i])) {
        ++i;
    }
    while (i < n) {
        std::string item;
        if (texto[i] == '"') {
            ++i;
            while (i < n) {
                if (texto[i] == '"') {
                    if (i + 1 < n && texto[i + 1] == '"') {
                        item += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += texto[i++];
            }
        } else {
            const std::size_t inicio = i;
            while (i < n && !blanco(texto[i]) && texto[i] != ',') {
                ++i;
            }
            item = texto.substr(inicio, i - inicio);
        }
        elementos.push_back(item);
        while (i < n && blanco(texto[i])) {
            ++i;
        }
        if (i < n && texto[i] == ',') {
            if (i + 1 == n) {
                elementos.emplace_back();
            }
            do {
                ++i;
            } while (i < n && blanco(texto[i]));
        }
    }
    return elementos;
}

// A decimal number with optional sign, fraction and exponent, "." as the separator,
// whatever the process locale; anything else raises EConversion.
double LeerNumero(const std::string& texto) {
    const std::string t = Recortar(texto);
    const char* inicio = t.data();
    const char* fin = t.data() + t.size();
    if (inicio != fin && *inicio == '+') {
        ++inicio;
    }
    double valor = 0.0;
    const auto [ptr, ec] = std::from_chars(inicio, fin, valor, std::chars_format::general);
    if (inicio == fin || ec != std::errc() || ptr != fin || !std::isfinite(valor)) {
        std::string mensaje = Textos::FiltroNoNumerico;
        mensaje.replace(mensaje.find('%'), 1, t);
        throw EConversion(mensaje);
    }
    return valor;
}

} // namespace

CFiltro::CFiltro(const CSolucion& solucion, const std::string& texto, std::int32_t criterio,
                 std::int32_t pieza)
    : FSolucion(&solucion), FTexto(texto), FCriterio(std::clamp(criterio, 0, 7)), FPieza(pieza) {
    for (const std::string& item : Separar(texto)) {
        ElementoFiltro e;
        const std::size_t guion = item.find('-');
        if (guion != std::string::npos) {
            e.Desde = LeerNumero(item.substr(0, guion));
            e.Hasta = LeerNumero(item.substr(guion + 1));
            e.Tipo = ElementoFiltro::Rango;
        } else {
            e.Desde = LeerNumero(item);
            e.Tipo = ElementoFiltro::Valor;
        }
        FElementos.push_back(e);
    }
}

double CFiltro::RedondearComoTexto(double x, int decimales) {
    if (!std::isfinite(x) || x == 0.0) {
        return x;
    }
    // The sheet shows at most 6 significant digits: a value with more whole digits loses
    // decimals first, and one of a million or more keeps 6 significant digits.
    char texto[64];
    std::snprintf(texto, sizeof texto, "%.5e", std::fabs(x));
    const char* e = std::strchr(texto, 'e');
    const int exponente = e != nullptr ? std::atoi(e + 1) : 0;
    const int digitos = std::min(decimales, 5 - exponente);
    // Half away from zero, as the percentages of the sheet.
    const double escala = std::pow(10.0, digitos);
    const double redondeado = std::round(x * escala) / escala;
    const auto [fin, ec] = std::to_chars(texto, texto + sizeof texto, redondeado,
                                         std::chars_format::fixed, std::max(digitos, 0));
    double leido = redondeado;
    if (ec == std::errc()) {
        std::from_chars(texto, fin, leido);
    }
    return leido;
}

double CFiltro::Valor(std::int32_t k) const {
    const CPatron* p = FSolucion->Patron(k);
    if (FCriterio == 0) {
        return k;
    }
    if (p == nullptr) {
        return 0.0;
    }
    switch (FCriterio) {
    case 1:
        return p->Material();
    case 2:
        return RedondearComoTexto(p->Aprovechamiento() * 100.0, 2);
    case 3:
        return RedondearComoTexto(p->Sobrante() * 100.0, 2);
    case 4:
        return RedondearComoTexto(p->Desperdicio() * 100.0, 2);
    case 5:
        return RedondearComoTexto(p->Repeticion(), 2);
    case 6:
        return FSolucion->RepActual(k);
    default: {
        const ACantidades& cantidades = p->CantPorPieza();
        if (FPieza < 1 || static_cast<std::size_t>(FPieza) >= cantidades.size()) {
            return 0.0;
        }
        return cantidades[static_cast<std::size_t>(FPieza)];
    }
    }
}

bool CFiltro::Acepta(std::int32_t k) const {
    const double v = Valor(k);
    const bool tolerante = FCriterio >= 2 && FCriterio <= 5;
    for (const ElementoFiltro& e : FElementos) {
        if (e.Tipo == ElementoFiltro::Valor) {
            if (tolerante ? Igual(v, e.Desde) : v == e.Desde) {
                return true;
            }
        } else if (e.Tipo == ElementoFiltro::Rango) {
            if (tolerante ? (MenorIgual(e.Desde, v) && MenorIgual(v, e.Hasta))
                          : (e.Desde <= v && v <= e.Hasta)) {
                return true;
            }
        }
    }
    return false;
}
