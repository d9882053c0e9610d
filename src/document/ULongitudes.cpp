#include "document/ULongitudes.h"

#include "document/ROpciones.h"
#include "document/UExcepciones.h"
#include "document/UGlobals.h"
#include "document/UTextos.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <vector>

namespace {

// Precision outside what an internal length can express is taken at the nearest bound, so a
// damaged option neither overflows the shifts nor asks for millions of decimals.
constexpr int PrecisionMaxima = 30;

int PrecisionUtil(const ROpciones& u) {
    return u.Precision < 0 ? 0 : (u.Precision > PrecisionMaxima ? PrecisionMaxima : u.Precision);
}

// Anything beyond this is above every maximum; keeping the accumulator below it avoids
// overflow on long texts.
constexpr long long Saturacion = 1LL << 40;

long long Saturar(long long a) {
    return a > Saturacion ? Saturacion : (a < -Saturacion ? -Saturacion : a);
}

// Fixed notation with `decimales` decimals after rounding to 12 significant digits.
std::string Fijo(double x, int decimales) {
    if (x != 0.0 && std::isfinite(x)) {
        char e[64];
        std::snprintf(e, sizeof e, "%.11e", x);
        x = std::strtod(e, nullptr);
    }
    std::vector<char> buffer(static_cast<std::size_t>(decimales) + 340);
    std::snprintf(buffer.data(), buffer.size(), "%.*f", decimales, x);
    return Recortar(buffer.data());
}

std::int32_t EnteroEstricto(const std::string& texto) {
    // A decimal integer: leading blanks, an optional sign and digits, in 32 bits.
    std::size_t i = 0;
    while (i < texto.size() && texto[i] == ' ') {
        ++i;
    }
    std::size_t j = i;
    if (j < texto.size() && (texto[j] == '+' || texto[j] == '-')) {
        ++j;
    }
    const bool negativo = j > i && texto[j - 1] == '-';
    bool correcto = j < texto.size();
    long long v = 0;
    for (std::size_t k = j; k < texto.size() && correcto; ++k) {
        correcto = texto[k] >= '0' && texto[k] <= '9' && v <= (1LL << 32);
        v = v * 10 + (texto[k] - '0');
    }
    if (negativo) {
        v = -v;
    }
    if (correcto && v >= std::numeric_limits<std::int32_t>::min() &&
        v <= std::numeric_limits<std::int32_t>::max()) {
        return static_cast<std::int32_t>(v);
    }
    throw EConversion(std::string("'") + texto.substr(0, 60) + "'" + Textos::NoEsEntero);
}

[[noreturn]] void Incorrecto() {
    throw EConversion(Textos::ErrorConversion);
}

void QuitarTodo(std::string& s, const std::string& patron) {
    if (patron.empty() || s.find(patron) == std::string::npos) {
        return;
    }
    std::string r;
    r.reserve(s.size());
    std::size_t i = 0;
    for (std::size_t p = s.find(patron); p != std::string::npos; p = s.find(patron, i)) {
        r.append(s, i, p - i);
        i = p + patron.size();
    }
    r.append(s, i, std::string::npos);
    s = std::move(r);
}

std::vector<std::string> PartirEnBlancos(const std::string& s) {
    std::vector<std::string> partes;
    std::size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && s[i] == ' ') {
            ++i;
        }
        std::size_t fin = i;
        while (fin < s.size() && s[fin] != ' ') {
            ++fin;
        }
        if (fin > i) {
            partes.push_back(s.substr(i, fin - i));
        }
        i = fin;
    }
    return partes;
}

std::string FormatearPositivo(std::int64_t v, const ROpciones& u) {
    const int p = PrecisionUtil(u);
    switch (u.TipoUnidad) {
    case 0: {
        const double x = static_cast<double>(v) / std::pow(10.0, p);
        const bool entero = u.SuprimirCeros && x == std::floor(x);
        return Fijo(x, entero ? 0 : p) + u.NombreUnidad;
    }
    case 2: {
        const double x = static_cast<double>(v) / std::pow(10.0, p);
        const double w = std::floor(x);
        const double f = x - w;
        const auto entero = static_cast<std::int64_t>(w);
        const std::int64_t pies = entero / 12;
        const double pulgadas = static_cast<double>(entero % 12) + f;
        const std::string textoPies = pies != 0 ? std::to_string(pies) + "'" : std::string();
        const std::string textoPulgadas =
            pulgadas != 0.0 ? Fijo(pulgadas, p) + "\"" : std::string();
        const std::string blanco =
            !textoPies.empty() && !textoPulgadas.empty() ? " " : std::string();
        return textoPies + blanco + textoPulgadas;
    }
    case 1:
    case 3: {
        std::int64_t d = std::int64_t{1} << p;
        std::int64_t r = v % d;
        const std::int64_t w = v >> p;
        std::string fraccion;
        if (r != 0) {
            while (r % 2 == 0) {
                r /= 2;
                d /= 2;
            }
            fraccion = std::to_string(r) + "/" + std::to_string(d);
        }
        if (u.TipoUnidad == 1) {
            const std::string entero = w != 0 ? std::to_string(w) : std::string();
            const std::string blanco = !entero.empty() && !fraccion.empty() ? " " : std::string();
            return entero + blanco + fraccion + u.NombreUnidad;
        }
        const std::int64_t pies = w / 12;
        const std::int64_t pulgadas = w % 12;
        const std::string textoPies = pies != 0 ? std::to_string(pies) + "'" : std::string();
        std::string textoPulgadas = pulgadas != 0 ? std::to_string(pulgadas) : std::string();
        if (!fraccion.empty()) {
            fraccion += "\"";
        } else if (!textoPulgadas.empty()) {
            textoPulgadas += "\"";
        }
        std::string r1 = textoPies;
        if (!textoPies.empty() && (!textoPulgadas.empty() || !fraccion.empty())) {
            r1 += " ";
        }
        r1 += textoPulgadas;
        if (!textoPulgadas.empty() && !fraccion.empty()) {
            r1 += " ";
        }
        return r1 + fraccion;
    }
    default:
        return "0";
    }
}

} // namespace

std::string FormatearLongitud(std::int32_t valor, const ROpciones& unidades) {
    if (valor == 0 || unidades.TipoUnidad < 0 || unidades.TipoUnidad > 3) {
        return "0";
    }
    if (valor < 0) {
        return std::string("-") + FormatearPositivo(-static_cast<std::int64_t>(valor), unidades);
    }
    return FormatearPositivo(valor, unidades);
}

std::int32_t LeerLongitud(const std::string& texto, const ROpciones& unidades) {
    if (texto.empty()) {
        return 0;
    }
    const int p = PrecisionUtil(unidades);
    const int tipo = unidades.TipoUnidad;
    std::string t = Recortar(texto);
    long long a = 0;
    bool conPies = false;
    if (tipo == 2 || tipo == 3) {
        const std::size_t pie = t.find('\'');
        if (pie != std::string::npos) {
            conPies = true;
            a = static_cast<long long>(EnteroEstricto(t.substr(0, pie))) * 12;
            t = t.substr(pie + 1);
        }
    }
    QuitarTodo(t, "\"");
    QuitarTodo(t, unidades.NombreUnidad);
    if (tipo == 0 || tipo == 2) {
        QuitarTodo(t, " ");
        t = "0" + t;
        std::vector<std::string> partes;
        std::size_t inicio = 0;
        while (true) {
            const std::size_t punto = t.find('.', inicio);
            partes.push_back(
                t.substr(inicio, punto == std::string::npos ? std::string::npos : punto - inicio));
            if (punto == std::string::npos || partes.size() > 2) {
                break;
            }
            inicio = punto + 1;
        }
        if (partes.size() > 2) {
            Incorrecto();
        }
        a = Saturar(a + EnteroEstricto(partes[0]));
        if (partes.size() == 2) {
            // The first P digits of the fraction; the rest is cut off, not rounded. Every
            // character of the fraction must still be a digit.
            for (const char c : partes[1]) {
                if (c < '0' || c > '9') {
                    throw EConversion(std::string("'") + partes[1].substr(0, 60) + "'" +
                                      Textos::NoEsEntero);
                }
            }
            const std::string fraccion = partes[1] + "000000000";
            for (int k = 0; k < p; ++k) {
                const char c = k < static_cast<int>(fraccion.size())
                                   ? fraccion[static_cast<std::size_t>(k)]
                                   : '0';
                a = Saturar(a * 10 + (c - '0'));
            }
        } else {
            for (int k = 0; k < p; ++k) {
                a = Saturar(a * 10);
            }
        }
    } else if (tipo == 1 || tipo == 3) {
        const long long d = 1LL << p;
        const std::vector<std::string> partes = PartirEnBlancos(Recortar(t));
        long long n = 0;
        long long m = 1;
        auto leerFraccion = [&](const std::string& parte) {
            const std::size_t barra = parte.find('/');
            if (barra == std::string::npos) {
                Incorrecto();
            }
            n = EnteroEstricto(parte.substr(0, barra));
            m = EnteroEstricto(parte.substr(barra + 1));
        };
        if (partes.size() == 2) {
            a = Saturar(a + EnteroEstricto(partes[0]));
            leerFraccion(partes[1]);
        } else if (partes.size() == 1) {
            if (partes[0].find('/') != std::string::npos) {
                leerFraccion(partes[0]);
            } else {
                a = Saturar(a + EnteroEstricto(partes[0]));
            }
        } else if (!(partes.empty() && conPies)) {
            Incorrecto(); // feet alone ("5'") are a whole length
        }
        if (m <= 0) {
            Incorrecto(); // no fraction of a length has a null or negative denominator
        }
        const double q = std::nearbyint(static_cast<double>(n) * static_cast<double>(d) /
                                        static_cast<double>(m));
        const double total = static_cast<double>(Saturar(a)) * static_cast<double>(d) + q;
        a = total > static_cast<double>(Saturacion)
                ? Saturacion
                : (total < -static_cast<double>(Saturacion) ? -Saturacion
                                                            : static_cast<long long>(total));
    }
    if (a > LongitudMaxima) {
        throw EConversion(std::string(Textos::ExcedeMaximo) + "(" +
                          FormatearLongitud(LongitudMaxima, unidades) + ")");
    }
    if (a < 0) {
        // A negative length (a minus sign in the fractional kinds) is no length at all.
        Incorrecto();
    }
    return static_cast<std::int32_t>(a);
}

double LongitudAReal(std::int32_t valor, const ROpciones& unidades) {
    const int p = PrecisionUtil(unidades);
    switch (unidades.TipoUnidad) {
    case 0:
    case 2:
        return static_cast<double>(valor) / std::pow(10.0, p);
    case 1:
    case 3: {
        const std::int64_t d = std::int64_t{1} << p;
        const std::int64_t v = valor;
        // Floor division, so that negative values keep value = whole * d + remainder.
        std::int64_t w = v / d;
        std::int64_t r = v % d;
        if (r < 0) {
            r += d;
            --w;
        }
        return static_cast<double>(r) / static_cast<double>(d) + static_cast<double>(w);
    }
    default:
        return 0.0;
    }
}

std::string RealATexto(const ROpciones& unidades, double x) {
    const int p = PrecisionUtil(unidades);
    switch (unidades.TipoUnidad) {
    case 0:
    case 2:
        return Fijo(x, p);
    case 1:
    case 3: {
        if (!std::isfinite(x) || std::fabs(x) > 1e15) {
            x = 0.0;
        }
        const double f = x - std::trunc(x);
        const double d = std::ldexp(1.0, p);
        const auto n = static_cast<long long>(std::nearbyint(d * f));
        const auto w = static_cast<long long>(std::nearbyint(x - f));
        return std::to_string(w) + " " + std::to_string(n) + "/" +
               std::to_string(static_cast<long long>(d));
    }
    default:
        return std::string();
    }
}
