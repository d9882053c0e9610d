#include "CBanco.h"

#include "CEjecucion.h"
#include "CFilaResultado.h"
#include "CPlanMedicion.h"
#include "CProcesoAislado.h"
#include "CResumen.h"
#include "CSerieCrecimiento.h"
#include "CValoresConocidos.h"
#include "TextosBanco.h"
#include "document/UGlobals.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <poll.h>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Families that have a quick set, and families that can be measured by name.
const std::set<std::string> FamiliasRapidas = {"barras", "hojas", "clases", "empaquetados",
                                               "crecimiento"};
const std::set<std::string> FamiliasMedibles = {"barras", "hojas", "clases", "empaquetados",
                                                "muebles"};

std::string Orden(const std::string& orden) {
    std::string salida;
    if (FILE* tubo = ::popen(orden.c_str(), "r")) {
        char bloque[256];
        while (std::fgets(bloque, sizeof bloque, tubo)) {
            salida += bloque;
        }
        ::pclose(tubo);
    }
    return Recortar(salida);
}

std::string ModeloCpu() {
    std::ifstream cpu("/proc/cpuinfo");
    std::string linea;
    while (std::getline(cpu, linea)) {
        if (linea.rfind("model name", 0) == 0) {
            const auto dos = linea.find(':');
            if (dos != std::string::npos) {
                return Recortar(linea.substr(dos + 1));
            }
        }
    }
    return "desconocido";
}

std::string FechaUtc() {
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    ::gmtime_r(&t, &tm);
    char texto[64];
    std::strftime(texto, sizeof texto, "%Y-%m-%d %H:%M UTC", &tm);
    return texto;
}

std::string Real(double x, int decimales) {
    if (std::isnan(x)) {
        return "–";
    }
    char t[64];
    std::snprintf(t, sizeof t, "%.*f", decimales, x);
    return t;
}

class CProgreso {
public:
    explicit CProgreso(std::size_t total) : FTotal(total), FTerminal(::isatty(2) != 0) {}

    void Mostrar(std::size_t hecho, const std::string& texto) {
        char cuenta[48];
        std::snprintf(cuenta, sizeof cuenta, "[%zu/%zu] ", hecho, FTotal);
        std::string linea = cuenta + texto;
        if (FTerminal) {
            if (linea.size() > 110) {
                linea.resize(110);
            }
            std::cerr << "\r" << linea
                      << std::string(linea.size() < FAncho ? FAncho - linea.size() : 0, ' ')
                      << std::flush;
            FAncho = linea.size();
        } else {
            std::cerr << linea << "\n";
        }
    }
    void Terminar() {
        if (FTerminal) {
            std::cerr << "\n";
        }
    }

private:
    std::size_t FTotal;
    bool FTerminal;
    std::size_t FAncho = 0;
};

// A number for a CSV cell: empty when it does not exist.
std::string Celda(double x, int decimales) {
    return std::isnan(x) ? "" : Real(x, decimales);
}

std::string Describir(const RResultado& r) {
    std::string t = r.Familia + " " + r.Instancia + " " + r.Variante + ": ";
    if (r.Estado != "ok") {
        return t + r.Estado + " " + r.Motivo;
    }
    t += Real(r.Objetivo, 0) + " (mejor " + Real(r.Mejor, 0) + ", gap " + Real(r.Gap, 2) + "%) " +
         Real(r.Segundos, 2) + " s";
    return t;
}

// One run waiting for its turn: what it measures, its row so far and where its row goes.
struct RPendiente {
    CProcesoAislado::FuncionMedicion Medicion;
    RResultado Base;
    std::string Texto;
    std::function<void(const RResultado&)> Hecho;
};

// Runs every pending measurement, at most `trabajos` child processes at a time.
void EjecutarTodas(const std::vector<RPendiente>& pendientes, int trabajos, double limite,
                   CProgreso& progreso, std::size_t& hecho) {
    std::vector<std::pair<std::unique_ptr<CProcesoAislado>, std::size_t>> activos;
    std::size_t siguiente = 0;
    while (siguiente < pendientes.size() || !activos.empty()) {
        while (static_cast<int>(activos.size()) < trabajos && siguiente < pendientes.size()) {
            const RPendiente& p = pendientes[siguiente];
            progreso.Mostrar(hecho, p.Texto + "...");
            activos.emplace_back(std::make_unique<CProcesoAislado>(p.Medicion, p.Base, limite),
                                 siguiente);
            ++siguiente;
        }
        std::vector<pollfd> espera;
        for (const auto& a : activos) {
            if (a.first->Descriptor() >= 0) {
                espera.push_back({a.first->Descriptor(), POLLIN, 0});
            }
        }
        if (!espera.empty()) {
            ::poll(espera.data(), espera.size(), 200);
        }
        for (auto it = activos.begin(); it != activos.end();) {
            if (it->first->Atender()) {
                ++hecho;
                progreso.Mostrar(hecho, Describir(it->first->Resultado()));
                pendientes[it->second].Hecho(it->first->Resultado());
                it = activos.erase(it);
            } else {
                ++it;
            }
        }
    }
}

// The comma-separated items of an option's value, empty ones included.
std::vector<std::string> Elementos(const std::string& lista) {
    std::vector<std::string> elementos(1);
    for (const char c : lista) {
        if (c == ',') {
            elementos.emplace_back();
        } else {
            elementos.back() += c;
        }
    }
    return elementos;
}

} // namespace

bool CBanco::LeerArgumentos(const std::vector<std::string>& argumentos, ROpcionesBanco& o,
                            std::string& error) {
    o.Instancias = fs::path(TRAZAL_RAIZ) / ".." / "shared" / "benchmarks";
    for (std::size_t i = 0; i < argumentos.size(); ++i) {
        const std::string& a = argumentos[i];
        auto valor = [&](std::string& destino) {
            if (i + 1 >= argumentos.size()) {
                error = a;
                return false;
            }
            destino = argumentos[++i];
            return true;
        };
        // A comma list of families, each one of `validas`, into `destino`.
        auto familias = [&](const std::set<std::string>& validas, std::set<std::string>& destino) {
            std::string lista;
            if (!valor(lista)) {
                return false;
            }
            for (const std::string& f : Elementos(lista)) {
                if (validas.count(f) == 0) {
                    error = f;
                    return false;
                }
                destino.insert(f);
            }
            return true;
        };
        std::string v;
        if (a == "--rapido") {
            o.Rapidas = FamiliasRapidas;
        } else if (a == "--rapido-en") {
            if (!familias(FamiliasRapidas, o.Rapidas)) {
                return false;
            }
        } else if (a == "--instancias") {
            if (!valor(v)) {
                return false;
            }
            o.Instancias = v;
        } else if (a == "--familias") {
            o.Familias.clear();
            if (!familias(FamiliasMedibles, o.Familias)) {
                return false;
            }
        } else if (a == "--limite") {
            long long segundos = 0;
            if (!valor(v) || !LeerEntero(v, segundos) || segundos < 1) {
                error = a;
                return false;
            }
            o.LimiteSegundos = static_cast<double>(segundos);
        } else if (a == "--trabajos") {
            long long n = 0;
            if (!valor(v) || !LeerEntero(v, n) || n < 1 || n > 64) {
                error = a;
                return false;
            }
            o.Trabajos = static_cast<int>(n);
        } else if (a == "--solo") {
            if (!valor(v)) {
                return false;
            }
            for (const std::string& prefijo : Elementos(v)) {
                if (!prefijo.empty()) {
                    o.Solo.push_back(prefijo);
                }
            }
        } else if (a == "--sin-crecimiento") {
            o.Crecimiento = false;
        } else if (a == "--resumir") {
            o.Resumir = true;
        } else if (a == "--solo-crecimiento") {
            o.SoloCrecimiento = true;
        } else if (!a.empty() && a[0] == '-') {
            error = a;
            return false;
        } else if (o.Salida.empty()) {
            o.Salida = a;
        } else {
            error = a;
            return false;
        }
    }
    if (o.Salida.empty()) {
        error = "CARPETA_SALIDA";
        return false;
    }
    return true;
}

int CBanco::Main(int argc, char** argv) {
    ROpcionesBanco o;
    std::string error;
    if (!LeerArgumentos(std::vector<std::string>(argv + 1, argv + argc), o, error)) {
        std::cerr << error << "\n" << TextosBanco::Uso;
        return 2;
    }
    return o.Resumir ? Resumir(o.Salida) : Ejecutar(o);
}

int CBanco::Resumir(const fs::path& carpeta) {
    std::ifstream csv(carpeta / "resultados.csv", std::ios::binary);
    if (!csv) {
        std::cerr << TextosBanco::ArchivoIlegible << (carpeta / "resultados.csv").string() << "\n";
        return 2;
    }
    std::vector<RResultado> filas;
    std::string linea;
    std::getline(csv, linea);
    while (std::getline(csv, linea)) {
        if (const auto r = CFilaResultado::DesdeCsv(linea)) {
            filas.push_back(*r);
        }
    }
    std::ifstream datos(carpeta / "ejecucion.txt", std::ios::binary);
    std::ifstream serie(carpeta / "crecimiento.csv", std::ios::binary);
    std::ofstream resumen(carpeta / "resumen.md", std::ios::binary);
    CResumen::Escribir(resumen, CResumen::LeerDatos(datos), filas,
                       CResumen::LeerCrecimiento(serie));
    if (!resumen) {
        std::cerr << TextosBanco::ArchivoIlegible << (carpeta / "resumen.md").string() << "\n";
        return 2;
    }
    std::cerr << (carpeta / "resumen.md").string() << "\n";
    return 0;
}

int CBanco::Ejecutar(const ROpcionesBanco& opciones) {
    ROpcionesBanco o = opciones;
    if (o.LimiteSegundos <= 0) {
        o.LimiteSegundos = o.Rapido() ? 30 : 600;
    }
    const auto inicio = std::chrono::steady_clock::now();
    // Taken before the runs: the tree may move on while they go.
    const std::string commit = Orden("git -C '" + std::string(TRAZAL_RAIZ) +
                                     "' describe --always --dirty --abbrev=10 2>/dev/null");
    if (std::string(TRAZAL_COMPILACION).rfind("Release", 0) != 0) {
        std::cerr << TextosBanco::CompilacionNoRelease << TRAZAL_COMPILACION << "\n";
    }
    std::error_code ec;
    fs::create_directories(o.Salida, ec);
    std::ofstream csv(o.Salida / "resultados.csv", std::ios::binary);
    if (!csv) {
        std::cerr << TextosBanco::ArchivoIlegible << (o.Salida / "resultados.csv").string() << "\n";
        return 2;
    }
    csv << CFilaResultado::CabeceraCsv() << "\n";

    CValoresConocidos conocidos;
    std::vector<RResultado> filas;
    std::vector<RTarea> tareas;
    if (!o.SoloCrecimiento) {
        conocidos.LeerCarpeta(o.Instancias);
        tareas = CPlanMedicion::Construir(o.Instancias, conocidos, o.Rapidas, o.Familias, filas);
        if (!o.Solo.empty()) {
            auto fuera = [&](const std::string& nombre) {
                return std::none_of(o.Solo.begin(), o.Solo.end(),
                                    [&](const std::string& s) { return nombre.rfind(s, 0) == 0; });
            };
            std::erase_if(tareas, [&](const RTarea& t) { return fuera(t.Instancia->Nombre); });
            std::erase_if(filas, [&](const RResultado& r) { return fuera(r.Instancia); });
        }
        // A wrong folder would otherwise give a run without the published instances that
        // looks successful (the generated families need no folder).
        auto deArchivo = [](const std::string& familia) {
            return familia == "barras" || familia == "hojas" || familia == "clases";
        };
        const bool pideArchivos = std::any_of(o.Familias.begin(), o.Familias.end(), deArchivo);
        const bool hayArchivos =
            std::any_of(tareas.begin(), tareas.end(),
                        [&](const RTarea& t) { return deArchivo(t.Base.Familia); }) ||
            std::any_of(filas.begin(), filas.end(),
                        [&](const RResultado& r) { return deArchivo(r.Familia); });
        if ((pideArchivos && !hayArchivos) || (tareas.empty() && filas.empty())) {
            std::cerr << TextosBanco::SinInstancias << o.Instancias.string() << "\n";
            return 2;
        }
        for (const auto& r : filas) {
            csv << CFilaResultado::Csv(r) << "\n";
        }
    }
    std::vector<std::pair<int, int>> serie;
    if (o.Crecimiento) {
        for (int precision : {0, 1}) {
            for (int tipos : CSerieCrecimiento::Tamanos()) {
                // The quick set keeps the two smallest sizes.
                if (o.Rapidas.count("crecimiento") && tipos > 20) {
                    continue;
                }
                serie.emplace_back(precision, tipos);
            }
        }
    }
    const long long memoriaBase = CProcesoAislado::MemoriaActualKb();
    CProgreso progreso(tareas.size() + serie.size());
    std::size_t hecho = 0;
    std::vector<RPendiente> pendientes;
    for (const auto& t : tareas) {
        pendientes.push_back(
            {[&t]() { return CEjecucion::Medir(*t.Instancia, t.Variante, t.Base); }, t.Base,
             t.Base.Familia + " " + t.Base.Instancia + " " + t.Variante.Nombre,
             [&](const RResultado& r) {
                 csv << CFilaResultado::Csv(r) << "\n" << std::flush;
                 filas.push_back(r);
             }});
    }
    EjecutarTodas(pendientes, o.Trabajos, o.LimiteSegundos, progreso, hecho);

    std::vector<RPuntoCrecimiento> crecimiento;
    if (!serie.empty()) {
        std::ofstream csvSerie(o.Salida / "crecimiento.csv", std::ios::binary);
        csvSerie << "precision,tipos,piezas,estado,segundos,segundos_cpu,segundos_teorico,"
                    "memoria_pico_kb,hojas,lp,variantes\n";
        const RVariante porDefecto{"por defecto", "", 1, 2, true, 0};
        std::vector<RInstancia> instancias;
        for (const auto& [precision, tipos] : serie) {
            instancias.push_back(CSerieCrecimiento::Generar(tipos, precision));
        }
        crecimiento.resize(instancias.size());
        pendientes.clear();
        for (std::size_t i = 0; i < instancias.size(); ++i) {
            const RInstancia& instancia = instancias[i];
            const RResultado base = CPlanMedicion::Base(instancia, porDefecto, conocidos);
            pendientes.push_back({[&instancia, base, porDefecto]() {
                                      return CEjecucion::Medir(instancia, porDefecto, base);
                                  },
                                  base, "crecimiento " + instancia.Grupo + " " + instancia.Nombre,
                                  [&, i](const RResultado& r) {
                                      RPuntoCrecimiento& p = crecimiento[i];
                                      p.Precision = instancias[i].Precision;
                                      p.Tipos = static_cast<int>(instancias[i].Piezas.size());
                                      for (const auto& pieza : instancias[i].Piezas) {
                                          p.Piezas += pieza.Cantidad;
                                      }
                                      p.Estado = r.Estado;
                                      p.Segundos = r.Segundos;
                                      p.SegundosCpu = r.SegundosCpu;
                                      p.SegundosTeorico = r.SegundosTeorico;
                                      p.MemoriaKb = r.MemoriaKb;
                                      p.Objetivo = r.Objetivo;
                                      p.Lp = r.Lp;
                                      p.Variantes = r.VariantesTeorico + r.VariantesCompletar;
                                  }});
        }
        // Alone, so that the times of the series are comparable with each other.
        EjecutarTodas(pendientes, 1, o.LimiteSegundos, progreso, hecho);
        for (const auto& p : crecimiento) {
            csvSerie << p.Precision << "," << p.Tipos << "," << p.Piezas << "," << p.Estado << ","
                     << Celda(p.Segundos, 4) << "," << Celda(p.SegundosCpu, 4) << ","
                     << Celda(p.SegundosTeorico, 4) << "," << p.MemoriaKb << ","
                     << Celda(p.Objetivo, 0) << "," << Celda(p.Lp, 6) << "," << p.Variantes << "\n";
        }
    }
    progreso.Terminar();

    RDatosEjecucion datos;
    datos.Fecha = FechaUtc();
    datos.Commit = commit;
    datos.Maquina =
        std::to_string(std::thread::hardware_concurrency()) + " núcleos, " + ModeloCpu();
    datos.Compilacion = TRAZAL_COMPILACION;
    std::string rapidas;
    for (const auto& f : o.Rapidas) {
        rapidas += (rapidas.empty() ? "" : ", ") + f;
    }
    datos.Conjunto = (o.Rapido()        ? std::string("rápido (--rapido)")
                      : rapidas.empty() ? std::string("completo")
                                        : "completo salvo " + rapidas + " (conjunto rápido)") +
                     ", " + std::to_string(o.Trabajos) + " ejecuciones a la vez";
    datos.LimiteSegundos = o.LimiteSegundos;
    datos.SegundosTotales =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
    datos.MemoriaBaseKb = memoriaBase;
    std::ofstream(o.Salida / "ejecucion.txt", std::ios::binary) << [&] {
        std::ostringstream t;
        CResumen::EscribirDatos(t, datos);
        return t.str();
    }();
    std::ofstream resumen(o.Salida / "resumen.md", std::ios::binary);
    CResumen::Escribir(resumen, datos, filas, crecimiento);
    if (!resumen) {
        std::cerr << TextosBanco::ArchivoIlegible << (o.Salida / "resumen.md").string() << "\n";
        return 2;
    }
    std::cerr << (o.Salida / "resumen.md").string() << "\n";
    return 0;
}
