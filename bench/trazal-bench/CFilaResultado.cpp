#include "CFilaResultado.h"

#include "document/UGlobals.h"

#include <charconv>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

std::string Real(double x) {
    if (std::isnan(x)) {
        return "";
    }
    char texto[64];
    std::snprintf(texto, sizeof texto, "%.10g", x);
    return texto;
}

double LeerReal(const std::string& texto) {
    double x = NAN;
    if (texto.empty()) {
        return NAN;
    }
    const auto r = std::from_chars(texto.data(), texto.data() + texto.size(), x);
    return r.ec == std::errc() ? x : NAN;
}

long long LeerLargo(const std::string& texto) {
    long long v = 0;
    return LeerEntero(texto, v) ? v : 0;
}

struct RColumna {
    const char* Nombre;
    std::function<std::string(const RResultado&)> Escribir;
    std::function<void(RResultado&, const std::string&)> Leer;
};

#define COLUMNA_TEXTO(nombre, campo)                                                               \
    RColumna {                                                                                     \
        nombre, [](const RResultado& r) { return r.campo; },                                       \
            [](RResultado& r, const std::string& t) { r.campo = t; }                               \
    }
#define COLUMNA_REAL(nombre, campo)                                                                \
    RColumna {                                                                                     \
        nombre, [](const RResultado& r) { return Real(r.campo); },                                 \
            [](RResultado& r, const std::string& t) { r.campo = LeerReal(t); }                     \
    }
#define COLUMNA_ENTERA(nombre, campo)                                                              \
    RColumna {                                                                                     \
        nombre, [](const RResultado& r) { return std::to_string(r.campo); },                       \
            [](RResultado& r, const std::string& t) {                                              \
                r.campo = static_cast<decltype(r.campo)>(LeerLargo(t));                            \
            }                                                                                      \
    }
#define COLUMNA_SINO(nombre, campo)                                                                \
    RColumna {                                                                                     \
        nombre, [](const RResultado& r) { return std::string(r.campo ? "si" : "no"); },            \
            [](RResultado& r, const std::string& t) { r.campo = t == "si"; }                       \
    }

const std::vector<RColumna>& Columnas() {
    static const std::vector<RColumna> columnas = {
        COLUMNA_TEXTO("familia", Familia),
        COLUMNA_TEXTO("grupo", Grupo),
        COLUMNA_TEXTO("instancia", Instancia),
        COLUMNA_TEXTO("variante", Variante),
        COLUMNA_TEXTO("estado", Estado),
        COLUMNA_SINO("objetivo_en_hojas", Cuenta),
        COLUMNA_REAL("objetivo", Objetivo),
        COLUMNA_REAL("mejor_conocido", Mejor),
        COLUMNA_REAL("gap_pct", Gap),
        COLUMNA_REAL("lp", Lp),
        COLUMNA_REAL("techo_lp", TechoLp),
        COLUMNA_REAL("cota_publicada", Cota),
        COLUMNA_REAL("redondeo_defecto", Defecto),
        COLUMNA_REAL("area_faltante_defecto", AreaFaltanteDefecto),
        COLUMNA_REAL("redondeo_exceso", Exceso),
        COLUMNA_REAL("completado", Objetivo),
        COLUMNA_ENTERA("nivel", Nivel),
        COLUMNA_ENTERA("variantes_teorico", VariantesTeorico),
        COLUMNA_ENTERA("variantes_completar", VariantesCompletar),
        COLUMNA_ENTERA("patrones", Patrones),
        COLUMNA_ENTERA("patrones_completar", PatronesCompletar),
        COLUMNA_REAL("segundos", Segundos),
        COLUMNA_REAL("segundos_cpu", SegundosCpu),
        COLUMNA_REAL("segundos_teorico", SegundosTeorico),
        COLUMNA_REAL("segundos_redondeo", SegundosRedondeo),
        COLUMNA_REAL("segundos_completar", SegundosCompletar),
        COLUMNA_REAL("segundos_mejora", SegundosMejora),
        COLUMNA_ENTERA("memoria_pico_kb", MemoriaKb),
        COLUMNA_SINO("patrones_validos", PatronesValidos),
        COLUMNA_SINO("pedido_cumplido", PedidoCumplido),
        COLUMNA_TEXTO("motivo", Motivo),
    };
    return columnas;
}

std::string CampoCsv(const std::string& t) {
    if (t.find_first_of(",\"\r\n") == std::string::npos) {
        return t;
    }
    std::string r = "\"";
    for (char c : t) {
        if (c == '"') {
            r += '"';
        }
        r += c;
    }
    return r + "\"";
}

std::string SinSeparadores(std::string t) {
    for (char& c : t) {
        if (c == '\t' || c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    return t;
}

} // namespace

std::string CFilaResultado::CabeceraCsv() {
    std::string r;
    for (const auto& c : Columnas()) {
        r += (r.empty() ? "" : ",") + std::string(c.Nombre);
    }
    return r;
}

std::string CFilaResultado::Csv(const RResultado& r) {
    std::string linea;
    bool primero = true;
    for (const auto& c : Columnas()) {
        if (!primero) {
            linea += ',';
        }
        primero = false;
        linea += CampoCsv(c.Escribir(r));
    }
    return linea;
}

std::string CFilaResultado::Serializar(const RResultado& r) {
    std::string linea;
    bool primero = true;
    for (const auto& c : Columnas()) {
        if (!primero) {
            linea += '\t';
        }
        primero = false;
        linea += SinSeparadores(c.Escribir(r));
    }
    return linea;
}

namespace {

std::optional<RResultado> DesdeCampos(const std::vector<std::string>& campos) {
    const auto& columnas = Columnas();
    if (campos.size() != columnas.size()) {
        return std::nullopt;
    }
    RResultado r;
    for (std::size_t i = 0; i < columnas.size(); ++i) {
        columnas[i].Leer(r, campos[i]);
    }
    return r;
}

} // namespace

std::optional<RResultado> CFilaResultado::Deserializar(const std::string& linea) {
    std::vector<std::string> campos;
    std::string actual;
    for (char c : linea) {
        if (c == '\t') {
            campos.push_back(actual);
            actual.clear();
        } else if (c != '\n' && c != '\r') {
            actual += c;
        }
    }
    campos.push_back(actual);
    return DesdeCampos(campos);
}

std::optional<RResultado> CFilaResultado::DesdeCsv(const std::string& linea) {
    std::vector<std::string> campos;
    std::string actual;
    bool comillas = false;
    for (std::size_t i = 0; i < linea.size(); ++i) {
        const char c = linea[i];
        if (comillas) {
            if (c == '"' && i + 1 < linea.size() && linea[i + 1] == '"') {
                actual += '"';
                ++i;
            } else if (c == '"') {
                comillas = false;
            } else {
                actual += c;
            }
        } else if (c == '"') {
            comillas = true;
        } else if (c == ',') {
            campos.push_back(actual);
            actual.clear();
        } else if (c != '\r' && c != '\n') {
            actual += c;
        }
    }
    campos.push_back(actual);
    return DesdeCampos(campos);
}
