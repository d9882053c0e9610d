#include "CResumen.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <tuple>

namespace {

std::string Num(double x, int decimales) {
    if (std::isnan(x)) {
        return "–";
    }
    char t[64];
    std::snprintf(t, sizeof t, "%.*f", decimales, x);
    return t;
}

struct RAcumulado {
    int N = 0;
    double Suma = 0;
    double Peor = NAN;
    void Sumar(double x) {
        if (std::isnan(x)) {
            return;
        }
        ++N;
        Suma += x;
        Peor = std::isnan(Peor) ? x : std::max(Peor, x);
    }
    double Media() const { return N > 0 ? Suma / N : NAN; }
};

struct RGrupo {
    std::string Familia;
    std::string Variante;
    std::string Nombre;
    int Instancias = 0;
    int Omitidas = 0;
    int Errores = 0;
    int Resueltas = 0;
    int AlMejor = 0;
    int ConMejor = 0; // solved rows with a best known value to compare with
    RAcumulado Teorico, Redondeo, Completar, Mejora;
    RAcumulado Gap, Tiempo, Cpu, Lp, Exceso, LpCota, TechoMenosMejor;
    // The floor plan leaves a residual worth (LP - floor plan) in the LP; the completion
    // covers it with (final - floor plan). Both in % of the best known value, and for counts
    // the sheets the completion used beyond ceil(residual).
    RAcumulado Residuo, Completado, PerdidaCompletar, HojasDeMas;
    long long Memoria = 0;
    // Bars: the final count against ceil(LP) from the published LP bound.
    int IgualTecho = 0;
    int TechoMasUno = 0;
    int SobreTechoMasUno = 0;
};

// "–" for a group without best known values (the generated cabinet jobs).
std::string AlMejor(const RGrupo& g) {
    if (g.Resueltas > 0 && g.ConMejor == 0) {
        return "–";
    }
    return std::to_string(g.AlMejor) + " / " + std::to_string(g.Resueltas);
}

double Pct(double valor, double referencia) {
    if (std::isnan(valor) || std::isnan(referencia) || referencia == 0) {
        return NAN;
    }
    return (valor - referencia) / referencia * 100.0;
}

void Acumular(RGrupo& g, const RResultado& r) {
    if (r.Estado == "omitida") {
        ++g.Omitidas;
        return;
    }
    ++g.Instancias;
    if (r.Estado != "ok") {
        ++g.Errores;
        return;
    }
    ++g.Resueltas;
    g.ConMejor += std::isnan(r.Mejor) ? 0 : 1;
    if (CResumen::AlcanzaMejor(r)) {
        ++g.AlMejor;
    }
    g.Gap.Sumar(r.Gap);
    g.Tiempo.Sumar(r.Segundos);
    g.Cpu.Sumar(r.SegundosCpu);
    g.Teorico.Sumar(r.SegundosTeorico);
    g.Redondeo.Sumar(r.SegundosRedondeo);
    g.Completar.Sumar(r.SegundosCompletar);
    g.Mejora.Sumar(r.SegundosMejora);
    g.Memoria = std::max(g.Memoria, r.MemoriaKb);
    g.Lp.Sumar(Pct(r.Lp, r.Mejor));
    g.Exceso.Sumar(Pct(r.Exceso, r.Mejor));
    g.LpCota.Sumar(Pct(r.Lp, r.Cota));
    g.Residuo.Sumar(Pct(r.Lp - r.Defecto + r.Mejor, r.Mejor));
    g.Completado.Sumar(Pct(r.Objetivo - r.Defecto + r.Mejor, r.Mejor));
    g.PerdidaCompletar.Sumar(Pct(r.Objetivo - r.Lp + r.Mejor, r.Mejor));
    if (r.Cuenta) {
        g.HojasDeMas.Sumar((r.Objetivo - r.Defecto) - std::ceil(r.Lp - r.Defecto - 1e-6));
        g.TechoMenosMejor.Sumar(r.TechoLp - r.Mejor);
    }
    if (r.Familia == "barras" && !std::isnan(r.Cota)) {
        const double techo = std::ceil(r.Cota - 1e-6);
        if (r.Objetivo <= techo) {
            ++g.IgualTecho;
        } else if (r.Objetivo <= techo + 1) {
            ++g.TechoMasUno;
        } else {
            ++g.SobreTechoMasUno;
        }
    }
}

// The rows of one table: one group per key, in order of first appearance.
struct RTabla {
    std::vector<RGrupo> Grupos;
    std::map<std::string, std::size_t> Indice;
};

RGrupo& GrupoDe(RTabla& t, const std::string& clave, const RResultado& r) {
    const auto [it, nuevo] = t.Indice.try_emplace(clave, t.Grupos.size());
    if (nuevo) {
        t.Grupos.push_back({});
        t.Grupos.back().Familia = r.Familia;
        t.Grupos.back().Variante = r.Variante;
    }
    return t.Grupos[it->second];
}

// A family's group without its size ("Class_01 n=20" -> "Class_01").
std::string GrupoSinTamano(const std::string& grupo) {
    return grupo.substr(0, grupo.find(" n="));
}

} // namespace

void CResumen::EscribirDatos(std::ostream& salida, const RDatosEjecucion& d) {
    salida << "fecha=" << d.Fecha << "\ncommit=" << d.Commit << "\nmaquina=" << d.Maquina
           << "\nconjunto=" << d.Conjunto << "\ncompilacion=" << d.Compilacion
           << "\nlimite=" << d.LimiteSegundos << "\nsegundos=" << d.SegundosTotales
           << "\nmemoria_base_kb=" << d.MemoriaBaseKb << "\n";
}

RDatosEjecucion CResumen::LeerDatos(std::istream& entrada) {
    RDatosEjecucion d;
    std::string linea;
    for (int n = 0; n < 100 && std::getline(entrada, linea); ++n) {
        const auto igual = linea.find('=');
        if (igual == std::string::npos) {
            continue;
        }
        const std::string clave = linea.substr(0, igual);
        const std::string valor = linea.substr(igual + 1);
        const double numero = std::strtod(valor.c_str(), nullptr);
        if (clave == "fecha") {
            d.Fecha = valor;
        } else if (clave == "commit") {
            d.Commit = valor;
        } else if (clave == "maquina") {
            d.Maquina = valor;
        } else if (clave == "conjunto") {
            d.Conjunto = valor;
        } else if (clave == "compilacion") {
            d.Compilacion = valor;
        } else if (clave == "limite") {
            d.LimiteSegundos = numero;
        } else if (clave == "segundos") {
            d.SegundosTotales = numero;
        } else if (clave == "memoria_base_kb") {
            d.MemoriaBaseKb = static_cast<long long>(numero);
        }
    }
    return d;
}

std::vector<RPuntoCrecimiento> CResumen::LeerCrecimiento(std::istream& entrada) {
    std::vector<RPuntoCrecimiento> puntos;
    std::string linea;
    std::getline(entrada, linea); // header
    // Anything but a whole number text (an empty cell, a dash) is no value.
    auto real = [](const std::string& t) {
        double x = NAN;
        const auto r = std::from_chars(t.data(), t.data() + t.size(), x);
        return (r.ec == std::errc() && r.ptr == t.data() + t.size()) ? x : NAN;
    };
    for (int n = 0; n < 10000 && std::getline(entrada, linea); ++n) {
        std::vector<std::string> c;
        std::string actual;
        for (char x : linea + ",") {
            if (x == ',') {
                c.push_back(actual);
                actual.clear();
            } else if (x != '\r') {
                actual += x;
            }
        }
        if (c.size() != 11) {
            continue;
        }
        RPuntoCrecimiento p;
        p.Precision = std::atoi(c[0].c_str());
        p.Tipos = std::atoi(c[1].c_str());
        p.Piezas = std::atoll(c[2].c_str());
        p.Estado = c[3];
        p.Segundos = real(c[4]);
        p.SegundosCpu = real(c[5]);
        p.SegundosTeorico = real(c[6]);
        p.MemoriaKb = std::atoll(c[7].c_str());
        p.Objetivo = real(c[8]);
        p.Lp = real(c[9]);
        p.Variantes = std::atoll(c[10].c_str());
        puntos.push_back(p);
    }
    return puntos;
}

bool CResumen::AlcanzaMejor(const RResultado& r) {
    return !std::isnan(r.Objetivo) && !std::isnan(r.Mejor) &&
           r.Objetivo <= r.Mejor + 1e-9 * std::max(1.0, std::fabs(r.Mejor));
}

double CResumen::ExponenteCrecimiento(const std::vector<RPuntoCrecimiento>& puntos, int precision,
                                      double RPuntoCrecimiento::*tiempo) {
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    int n = 0;
    for (const auto& p : puntos) {
        if (p.Precision != precision || p.Estado != "ok" || !(p.*tiempo > 0) || p.Tipos <= 0) {
            continue;
        }
        const double x = std::log(static_cast<double>(p.Tipos));
        const double y = std::log(p.*tiempo);
        sx += x;
        sy += y;
        sxx += x * x;
        sxy += x * y;
        ++n;
    }
    const double d = n * sxx - sx * sx;
    if (n < 2 || d == 0) {
        return NAN;
    }
    return (n * sxy - sx * sy) / d;
}

void CResumen::Escribir(std::ostream& salida, const RDatosEjecucion& datos,
                        const std::vector<RResultado>& filas,
                        const std::vector<RPuntoCrecimiento>& crecimiento) {
    RTabla porVariante;
    RTabla porGrupo;
    for (const auto& r : filas) {
        Acumular(GrupoDe(porVariante, r.Familia + "|" + r.Variante, r), r);
        const std::string grupo = GrupoSinTamano(r.Grupo);
        RGrupo& h = GrupoDe(porGrupo, r.Familia + "|" + grupo + "|" + r.Variante, r);
        h.Nombre = grupo;
        Acumular(h, r);
    }
    const std::vector<RGrupo>& grupos = porVariante.Grupos;
    // Runs finish in any order: the groups of a family are listed by name and variant.
    std::map<std::string, std::size_t> ordenFamilia;
    for (const auto& g : grupos) {
        ordenFamilia.try_emplace(g.Familia, ordenFamilia.size());
    }
    std::stable_sort(porGrupo.Grupos.begin(), porGrupo.Grupos.end(),
                     [&](const RGrupo& a, const RGrupo& b) {
                         return std::tie(ordenFamilia[a.Familia], a.Nombre, a.Variante) <
                                std::tie(ordenFamilia[b.Familia], b.Nombre, b.Variante);
                     });

    salida << "# Resultados de trazal-bench\n\n";
    salida << "- Fecha: " << datos.Fecha << "\n";
    salida << "- Commit: " << datos.Commit << "\n";
    salida << "- Máquina: " << datos.Maquina << "\n";
    salida << "- Compilación: " << datos.Compilacion << "\n";
    salida << "- Conjunto: " << datos.Conjunto << "; límite por ejecución "
           << Num(datos.LimiteSegundos, 0) << " s; duración total "
           << Num(datos.SegundosTotales / 60.0, 1) << " min\n";
    salida << "- Memoria: pico del proceso hijo que hizo cada cálculo (VmHWM); el proceso que "
              "mide ocupa unos "
           << Num(static_cast<double>(datos.MemoriaBaseKb) / 1024.0, 1)
           << " MB que el hijo hereda al nacer.\n\n";

    salida << "## Resumen por familia\n\n";
    salida << "Gap = (objetivo − mejor conocido) / mejor conocido. Tiempo = reloj de pared del "
              "cálculo completo; CPU = tiempo de procesador del proceso que lo hizo (menos "
              "sensible a la carga de la máquina).\n\n";
    salida
        << "| Familia | Variante | Instancias | Omitidas | Errores | Al mejor conocido | "
           "Gap medio % | Peor gap % | Tiempo medio s | Peor tiempo s | CPU medio s | Peor CPU s "
           "| Memoria pico MB |\n";
    salida << "|---|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n";
    for (const auto& g : grupos) {
        salida << "| " << g.Familia << " | " << g.Variante << " | " << g.Instancias << " | "
               << g.Omitidas << " | " << g.Errores << " | " << AlMejor(g) << " | "
               << Num(g.Gap.Media(), 3) << " | " << Num(g.Gap.Peor, 3) << " | "
               << Num(g.Tiempo.Media(), 2) << " | " << Num(g.Tiempo.Peor, 2) << " | "
               << Num(g.Cpu.Media(), 2) << " | " << Num(g.Cpu.Peor, 2) << " | "
               << Num(static_cast<double>(g.Memoria) / 1024.0, 1) << " |\n";
    }

    salida << "\n## Dónde se pierde: etapas\n\n";
    salida << "Medias sobre las instancias resueltas, en % del mejor conocido. «LP»: el LP del "
              "último nivel; «LP − cota»: frente a la cota publicada (LP de Gilmore-Gomory en "
              "barras, mejor cota conocida en hojas); si es positivo, las posiciones de corte del "
              "nivel no alcanzan el LP completo. «Por exceso»: el plan redondeado hacia arriba. "
              "El plan final es el plan por defecto (tras la búsqueda de redondeo) más el "
              "completamiento: «Residuo» es lo que el LP aún debía cubrir tras el plan por "
              "defecto (LP − por defecto), «Completado» lo que usó el completamiento para "
              "cubrirlo (final − por defecto) y «Pérdida» la diferencia (final − LP). «Hojas de "
              "más»: hojas del completamiento por encima de techo(residuo), media por "
              "instancia.\n\n";
    salida << "| Familia | Variante | LP % | LP − cota % | Por exceso % | Residuo % | Completado % "
              "| Pérdida % | Final % | Hojas de más | techo(LP) − mejor |\n";
    salida << "|---|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n";
    for (const auto& g : grupos) {
        if (g.Resueltas == 0) {
            continue;
        }
        salida << "| " << g.Familia << " | " << g.Variante << " | " << Num(g.Lp.Media(), 3) << " | "
               << Num(g.LpCota.Media(), 3) << " | " << Num(g.Exceso.Media(), 3) << " | "
               << Num(g.Residuo.Media(), 3) << " | " << Num(g.Completado.Media(), 3) << " | "
               << Num(g.PerdidaCompletar.Media(), 3) << " | " << Num(g.Gap.Media(), 3) << " | "
               << Num(g.HojasDeMas.Media(), 2) << " | " << Num(g.TechoMenosMejor.Media(), 2)
               << " |\n";
    }

    salida << "\n## Por grupo\n\n";
    salida << "Las mismas medidas por grupo de instancias (en las clases 2-D, cada clase con "
              "todos sus tamaños).\n\n";
    salida << "| Familia | Grupo | Variante | Instancias | Errores | Al mejor conocido | Gap "
              "medio % | Peor gap % | CPU medio s | Residuo % | Hojas de más |\n";
    salida << "|---|---|---|---:|---:|---:|---:|---:|---:|---:|---:|\n";
    for (const auto& g : porGrupo.Grupos) {
        if (g.Instancias == 0) {
            continue;
        }
        salida << "| " << g.Familia << " | " << g.Nombre << " | " << g.Variante << " | "
               << g.Instancias << " | " << g.Errores << " | " << AlMejor(g) << " | "
               << Num(g.Gap.Media(), 3) << " | " << Num(g.Gap.Peor, 3) << " | "
               << Num(g.Cpu.Media(), 2) << " | " << Num(g.Residuo.Media(), 3) << " | "
               << Num(g.HojasDeMas.Media(), 2) << " |\n";
    }

    salida << "\n## Tiempo por etapa\n\n";
    salida << "Media de reloj de pared de cada etapa, tal como el cálculo las anuncia: solución "
              "teórica, redondeo, completamiento y mejora.\n\n";
    salida << "| Familia | Variante | Teórica s | Redondeo s | Completamiento s | Mejora s |\n";
    salida << "|---|---|---:|---:|---:|---:|\n";
    for (const auto& g : grupos) {
        if (g.Resueltas == 0) {
            continue;
        }
        salida << "| " << g.Familia << " | " << g.Variante << " | " << Num(g.Teorico.Media(), 2)
               << " | " << Num(g.Redondeo.Media(), 2) << " | " << Num(g.Completar.Media(), 2)
               << " | " << Num(g.Mejora.Media(), 2) << " |\n";
    }

    bool hayBarras = false;
    for (const auto& g : grupos) {
        hayBarras = hayBarras || (g.Familia == "barras" && g.Resueltas > 0);
    }
    if (hayBarras) {
        salida << "\n## Barras: resultado final frente a techo(LP) publicado\n\n";
        salida << "| Variante | Resueltas | = techo(LP) | = techo(LP) + 1 | > techo(LP) + 1 | "
                  "Al óptimo |\n";
        salida << "|---|---:|---:|---:|---:|---:|\n";
        for (const auto& g : grupos) {
            if (g.Familia != "barras" || g.Resueltas == 0) {
                continue;
            }
            salida << "| " << g.Variante << " | " << g.Resueltas << " | " << g.IgualTecho << " | "
                   << g.TechoMasUno << " | " << g.SobreTechoMasUno << " | " << g.AlMejor << " |\n";
        }
    }

    bool cabecera = false;
    for (const auto& r : filas) {
        if (r.Estado == "ok") {
            continue;
        }
        if (!cabecera) {
            salida << "\n## Omitidas y errores\n\n| Familia | Instancia | Variante | Estado | "
                      "Motivo |\n|---|---|---|---|---|\n";
            cabecera = true;
        }
        salida << "| " << r.Familia << " | " << r.Instancia << " | " << r.Variante << " | "
               << r.Estado << " | " << r.Motivo << " |\n";
    }

    if (!crecimiento.empty()) {
        salida << "\n## Crecimiento\n\n";
        salida << "Una hoja de 2440 × 1220, tipos de pieza de tamaño aleatorio (semilla fija), "
                  "opciones por defecto. Precisión 1: los mismos trabajos con un decimal "
                  "aleatorio en cada medida, diez veces más posiciones posibles.\n\n";
        salida << "| Precisión | Tipos | Piezas | Estado | Segundos | CPU s | Teórica s | "
                  "Memoria MB | Hojas | LP | Variantes |\n"
                  "|---:|---:|---:|---|---:|---:|---:|---:|---:|---:|---:|\n";
        for (const auto& p : crecimiento) {
            salida << "| " << p.Precision << " | " << p.Tipos << " | " << p.Piezas << " | "
                   << p.Estado << " | " << Num(p.Segundos, 3) << " | " << Num(p.SegundosCpu, 3)
                   << " | " << Num(p.SegundosTeorico, 3) << " | "
                   << Num(static_cast<double>(p.MemoriaKb) / 1024.0, 1) << " | "
                   << Num(p.Objetivo, 0) << " | " << Num(p.Lp, 3) << " | " << p.Variantes << " |\n";
        }
        salida
            << "\nExponente ajustado (tiempo ∝ tipos^b, mínimos cuadrados en escala log-log):\n\n";
        const std::pair<const char*, double RPuntoCrecimiento::*> tiempos[] = {
            {"reloj total", &RPuntoCrecimiento::Segundos},
            {"CPU", &RPuntoCrecimiento::SegundosCpu},
            {"etapa teórica", &RPuntoCrecimiento::SegundosTeorico},
        };
        for (const auto& [nombre, campo] : tiempos) {
            salida << "- " << nombre << ":";
            for (int precision : {0, 1}) {
                salida << (precision == 0 ? " " : "; ") << "precisión " << precision
                       << " b = " << Num(ExponenteCrecimiento(crecimiento, precision, campo), 2);
            }
            salida << "\n";
        }
    }
}
