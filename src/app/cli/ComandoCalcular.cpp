// trazal-cli calcular JOB.lan [-o OTHER.lan] [--json] [--sin-mejora] [--tiempo-mejora S]:
// runs the calculation of the job on a worker thread exactly as the desktop program does,
// its display on the terminal (standard error), then saves the solution and the history
// into the job (or into OTHER.lan) and prints the summary, the unfulfilled pieces and the
// plan, or one JSON document. The two improvement flags override the job's options for this
// run only; the file keeps its own.
//
// The first Ctrl+C forces the current level or stage to its end; a second one within two
// seconds cancels the calculation and leaves the file untouched, even when the calculation
// has ended meanwhile (the save waits for those two seconds).
//
// Exit codes: 0 success, 1 calculation error, 2 usage or file errors, 3 cancelled.

#include "cli/ArchivosCli.h"
#include "cli/CColaSincronizada.h"
#include "cli/CVistaTerminal.h"
#include "cli/Comandos.h"
#include "cli/TextosCli.h"

#include "document/CLanzamiento.h"
#include "document/UGlobals.h"
#include "document/ULongitudes.h"
#include "document/UTextos.h"
#include "engine/CCalculo.h"
#include "engine/CSolucion.h"
#include "patterns/CPatron.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <chrono>
#include <cmath>
#include <csignal>
#include <ctime>
#include <exception>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

// ---- Ctrl+C ----------------------------------------------------------------------------

constexpr long long DosSegundos = 2000000000LL;

std::atomic<int> g_Forzados{0};
std::atomic<bool> g_Cancelar{false};
std::atomic<long long> g_UltimaPulsacion{0};

static_assert(std::atomic<long long>::is_always_lock_free, "used in a signal handler");

// Monotonic nanoseconds; safe in a signal handler.
long long Ahora() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

extern "C" void AlInterrumpir(int) {
    const long long ahora = Ahora();
    const long long anterior = g_UltimaPulsacion.exchange(ahora);
    if (anterior != 0 && ahora - anterior <= DosSegundos) {
        g_Cancelar.store(true);
        // A further Ctrl+C ends the process the usual way.
        std::signal(SIGINT, SIG_DFL);
    } else {
        g_Forzados.fetch_add(1);
    }
}

class CManejadorInterrupcion {
public:
    CManejadorInterrupcion() {
        g_Forzados = 0;
        g_Cancelar = false;
        g_UltimaPulsacion = 0;
        struct sigaction accion {};
        accion.sa_handler = AlInterrumpir;
        sigemptyset(&accion.sa_mask);
        sigaction(SIGINT, &accion, &FAnterior);
    }
    ~CManejadorInterrupcion() { sigaction(SIGINT, &FAnterior, nullptr); }
    CManejadorInterrupcion(const CManejadorInterrupcion&) = delete;
    CManejadorInterrupcion& operator=(const CManejadorInterrupcion&) = delete;

private:
    struct sigaction FAnterior {};
};

// ---- Texts -----------------------------------------------------------------------------

std::string Numero(double x) {
    if (!std::isfinite(x)) {
        x = 0.0;
    }
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, x);
    return std::string(buf, r.ptr);
}

std::string Fijo2(double x) {
    if (!std::isfinite(x)) {
        x = 0.0;
    }
    char buf[400];
    const auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, 2);
    return std::string(buf, r.ptr);
}

std::string JsonTexto(const std::string& s) {
    std::string r = "\"";
    for (const char c : s) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (c == '"') {
            r += "\\\"";
        } else if (c == '\\') {
            r += "\\\\";
        } else if (u < 0x20) {
            static const char* hex = "0123456789abcdef";
            r += "\\u00";
            r += hex[u >> 4];
            r += hex[u & 0xF];
        } else {
            r += c;
        }
    }
    return r + "\"";
}

std::size_t Ancho(const std::string& texto) {
    return static_cast<std::size_t>(std::count_if(texto.begin(), texto.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0u) != 0x80u;
    }));
}

// Columns up to `numericas` are right-aligned.
void ImprimirTabla(std::ostream& salida, const std::vector<std::vector<std::string>>& filas,
                   std::size_t numericas) {
    std::vector<std::size_t> anchos;
    for (const auto& fila : filas) {
        anchos.resize(std::max(anchos.size(), fila.size()), 0);
        for (std::size_t c = 0; c < fila.size(); ++c) {
            anchos[c] = std::max(anchos[c], Ancho(fila[c]));
        }
    }
    for (const auto& fila : filas) {
        std::string linea = " ";
        for (std::size_t c = 0; c < fila.size(); ++c) {
            const std::string hueco(anchos[c] - Ancho(fila[c]), ' ');
            linea += " ";
            linea += c < numericas ? hueco + fila[c] : fila[c] + hueco;
            linea += " ";
        }
        while (!linea.empty() && linea.back() == ' ') {
            linea.pop_back();
        }
        salida << linea << "\n";
    }
}

std::string DescripcionMaterial(const CLanzamiento& job, int m) {
    if (m < 1 || m > job.CantidadMateriales()) {
        return std::to_string(m);
    }
    const ROpciones& o = job.Opciones();
    std::string texto = std::to_string(m) + " (" + FormatearLongitud(job.LargoMaterial(m), o);
    if (!o.Barras) {
        texto += "x" + FormatearLongitud(job.AnchoMaterial(m), o);
    }
    const std::string desc = job.Desc1Material(m);
    if (!desc.empty()) {
        texto += " " + desc;
    }
    return texto + ")";
}

std::string PiezasDe(const CPatron& p) {
    std::string texto;
    const ACantidades& c = p.CantPorPieza();
    for (std::size_t i = 1; i < c.size(); ++i) {
        if (c[i] > 0) {
            if (!texto.empty()) {
                texto += " ";
            }
            texto +=
                std::string(Textos::LetraPieza) + std::to_string(i) + "x" + std::to_string(c[i]);
        }
    }
    return texto;
}

// ---- Output ----------------------------------------------------------------------------

void ImprimirResultado(std::ostream& salida, const CLanzamiento& job, const CCalculo& calculo) {
    salida << Textos::CliResumen << ":\n";
    // Exactly as stored in the history.
    for (const std::string& linea : job.LeerHistorico()) {
        salida << linea << "\n";
    }
    const CSolucion& s = job.Solucion();
    const std::vector<std::int32_t>& incumplidas = calculo.ListaIncumplidas();
    if (!incumplidas.empty()) {
        salida << "\n" << Textos::CliIncumplidas << ":\n";
        for (int i : incumplidas) {
            salida << "  " << Textos::CliPieza << " " << i << ": "
                   << (i >= 1 && i <= job.CantidadPiezas() ? job.CantidadPieza(i) : 0) << " "
                   << Textos::CliPedidas << ", " << s.ProduccionPieza(i) << " "
                   << Textos::CliCortadas << "\n";
        }
    }
    salida << "\n" << Textos::CliPlanCorte << ":\n";
    std::vector<std::vector<std::string>> filas;
    filas.emplace_back(std::begin(Textos::CliColumnasPlan), std::end(Textos::CliColumnasPlan));
    for (int k = 1; k <= s.Cantidad(); ++k) {
        const CPatron* p = s.Patron(k);
        // The plan: what is cut. Patterns left at 0 stay in the job for the other plans.
        if (p == nullptr || p->RepEntera(CSolucion::ModoFinal) <= 0) {
            continue;
        }
        filas.push_back({std::to_string(k), DescripcionMaterial(job, p->Material()),
                         std::to_string(p->RepEntera(CSolucion::ModoFinal)),
                         Fijo2(Porcentaje(p->Aprovechamiento(), 2)) + "%", PiezasDe(*p)});
    }
    ImprimirTabla(salida, filas, 1);
    salida << "\n";
    int listados = 0;
    for (int m = 1; m <= job.CantidadMateriales(); ++m) {
        listados += job.MaterialActivo(m) || s.HojasMaterial(m) != 0;
    }
    const bool varios = listados > 1;
    for (int m = 1; m <= job.CantidadMateriales(); ++m) {
        if (!job.MaterialActivo(m) && s.HojasMaterial(m) == 0) {
            continue;
        }
        salida << "  " << Textos::CliMaterial << " " << DescripcionMaterial(job, m) << ": "
               << TextosCli::Unidades(s.HojasMaterial(m), job.Opciones().Barras) << " ("
               << Textos::CliConsumoTeorico << " " << Fijo2(s.ConsumoTeorico(m));
        if (calculo.CotaValida()) {
            salida << ", " << (varios ? TextosCli::RepartoLP : Textos::CliCotaLP) << " "
                   << Fijo2(calculo.CotaMaterial(m));
        }
        salida << ")\n";
    }
    if (calculo.CotaValida() && calculo.PlanOptimo()) {
        salida << "  " << Textos::ResumenOptimo << "\n";
    }
}

void ImprimirJson(std::ostream& salida, const CLanzamiento& job, const CCalculo& calculo,
                  const std::string& archivo, double segundos) {
    const CSolucion& s = job.Solucion();
    salida << "{\n";
    salida << "  \"lanzamiento\": " << JsonTexto(job.Nombre()) << ",\n";
    salida << "  \"archivo\": " << JsonTexto(archivo) << ",\n";
    salida << "  \"materiales\": [";
    bool primero = true;
    for (int m = 1; m <= job.CantidadMateriales(); ++m) {
        if (!job.MaterialActivo(m) && s.HojasMaterial(m) == 0) {
            continue;
        }
        salida << (primero ? "\n" : ",\n") << "    {\"material\": " << m
               << ", \"consumoTeorico\": " << Numero(s.ConsumoTeorico(m))
               << ", \"hojas\": " << s.HojasMaterial(m);
        if (calculo.CotaValida()) {
            salida << ", \"cotaLP\": " << Numero(calculo.CotaMaterial(m));
        }
        salida << "}";
        primero = false;
    }
    salida << (primero ? "],\n" : "\n  ],\n");
    salida << "  \"aprovechamientoTeorico\": " << Numero(100.0 * s.AprovechamientoTeorico())
           << ",\n";
    salida << "  \"aprovechamientoReal\": " << Numero(100.0 * s.AprovechamientoReal()) << ",\n";
    salida << "  \"variantesAnalizadas\": " << calculo.VariantesAnalizadas() << ",\n";
    salida << "  \"cotaLP\": {\"valida\": " << (calculo.CotaValida() ? "true" : "false")
           << ", \"area\": " << Numero(calculo.CotaArea())
           << ", \"optimo\": " << (calculo.PlanOptimo() ? "true" : "false") << "},\n";
    salida << "  \"duracion\": " << JsonTexto(calculo.Duracion()) << ",\n";
    salida << "  \"duracionSegundos\": " << Numero(segundos) << ",\n";
    salida << "  \"piezasIncumplidas\": [";
    primero = true;
    for (std::int32_t i : calculo.ListaIncumplidas()) {
        salida << (primero ? "" : ", ") << i;
        primero = false;
    }
    salida << "],\n";
    salida << "  \"patrones\": [";
    primero = true;
    for (int k = 1; k <= s.Cantidad(); ++k) {
        const CPatron* p = s.Patron(k);
        if (p == nullptr) {
            continue;
        }
        salida << (primero ? "\n" : ",\n") << "    {\"patron\": " << k
               << ", \"material\": " << p->Material()
               << ", \"repeticionTeorica\": " << Numero(p->Repeticion())
               << ", \"repeticionFinal\": " << p->RepEntera(CSolucion::ModoFinal)
               << ", \"repeticionExceso\": " << p->RepEntera(CSolucion::ModoPorExceso)
               << ", \"repeticionDefecto\": " << p->RepEntera(CSolucion::ModoPorDefecto)
               << ", \"aprovechamiento\": " << Numero(100.0 * p->Aprovechamiento())
               << ", \"piezas\": [";
        bool primeraPieza = true;
        const ACantidades& c = p->CantPorPieza();
        for (std::size_t i = 1; i < c.size(); ++i) {
            if (c[i] > 0) {
                salida << (primeraPieza ? "" : ", ") << "{\"pieza\": " << i
                       << ", \"cantidad\": " << c[i] << "}";
                primeraPieza = false;
            }
        }
        salida << "], \"texto\": " << JsonTexto(p->ATexto()) << "}";
        primero = false;
    }
    salida << (primero ? "],\n" : "\n  ],\n");
    salida << "  \"resumen\": [";
    primero = true;
    for (const std::string& linea : job.LeerHistorico()) {
        salida << (primero ? "\n" : ",\n") << "    " << JsonTexto(linea);
        primero = false;
    }
    salida << (primero ? "]\n" : "\n  ]\n");
    salida << "}\n";
}

} // namespace

int ComandoCalcular(const std::vector<std::string>& argumentos) {
    std::string archivo;
    std::string destino;
    bool json = false;
    bool sinMejora = false;
    long long tiempoMejora = -1;
    for (std::size_t k = 0; k < argumentos.size(); ++k) {
        const std::string& a = argumentos[k];
        if (a == "--json") {
            json = true;
        } else if (a == "--sin-mejora") {
            sinMejora = true;
        } else if (a == "--tiempo-mejora" && k + 1 < argumentos.size() && tiempoMejora < 0) {
            long long n = -1;
            if (!LeerEntero(argumentos[++k], n) || n < 0 || n > 86400) {
                archivo.clear();
                break;
            }
            tiempoMejora = n;
        } else if (a == "-o" && k + 1 < argumentos.size() && destino.empty()) {
            destino = argumentos[++k];
        } else if (!a.empty() && a[0] != '-' && archivo.empty()) {
            archivo = a;
        } else {
            archivo.clear();
            break;
        }
    }
    if (archivo.empty() || (destino.empty() && std::find(argumentos.begin(), argumentos.end(),
                                                         "-o") != argumentos.end())) {
        std::cerr << Textos::CliUsoCalcular << "\n";
        return 2;
    }
    if (const std::string problema = ProblemaEntrada(archivo); !problema.empty()) {
        std::cerr << problema << "\n";
        return 2;
    }
    if (!destino.empty()) {
        if (const std::string problema = ProblemaSalida(archivo, destino, {".lan", ".pla"});
            !problema.empty()) {
            std::cerr << problema << "\n";
            return 2;
        }
    }
    std::unique_ptr<CLanzamiento> job;
    try {
        job = std::make_unique<CLanzamiento>(archivo, OpcionesPorDefecto());
        job->ComprobarOpciones();
    } catch (const std::exception& e) {
        std::cerr << Textos::ErrorCrearLanzamiento << e.what() << "\n";
        return 2;
    }
    if (!job->AvisoSolucion().empty()) {
        std::cerr << job->AvisoSolucion() << "\n";
    }

    const ROpciones opcionesArchivo = job->Opciones();
    if (sinMejora || tiempoMejora >= 0) {
        ROpciones opciones = opcionesArchivo;
        opciones.MejorarSolucion = opciones.MejorarSolucion && !sinMejora;
        if (tiempoMejora >= 0) {
            opciones.TiempoMejora = static_cast<std::int32_t>(tiempoMejora);
        }
        job->AsignarOpciones(opciones);
    }

    const auto inicio = std::chrono::steady_clock::now();
    CColaSincronizada cola;
    CVistaTerminal vista(cola, std::cerr, isatty(STDERR_FILENO) != 0);
    CCalculo calculo(*job, vista);
    {
        CManejadorInterrupcion manejador;
        calculo.Iniciar();
        int forzados = 0;
        bool cancelado = false;
        while (!calculo.Terminado()) {
            cola.Atender(std::chrono::milliseconds(100));
            if (g_Cancelar.load() && !cancelado) {
                cancelado = true;
                calculo.Cancelado = true;
                vista.Aviso(Textos::CliCancelando);
            }
            const int f = g_Forzados.load();
            if (f != forzados) {
                forzados = f;
                if (!cancelado) {
                    calculo.Forzar = true;
                    vista.Aviso(Textos::CliForzar);
                }
            }
        }
        calculo.CalculoTerminado();
        // A forced step often ends the calculation within a second, before the second Ctrl+C
        // that was meant to cancel it: the save waits until two seconds have passed since the
        // last Ctrl+C, so that one still cancels and leaves the file untouched.
        if (!cancelado && g_UltimaPulsacion.load() != 0 && !g_Cancelar.load()) {
            vista.Aviso(TextosCli::EsperaGuardar);
            while (!g_Cancelar.load() && Ahora() - g_UltimaPulsacion.load() <= DosSegundos) {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        }
        if (g_Cancelar.load() && !cancelado) {
            calculo.Cancelado = true;
        }
        vista.Cerrar();
    }
    const double segundos =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();

    if (calculo.Cancelado.load()) {
        std::cerr << Textos::CalculoCancelado << "\n";
        return 3;
    }
    if (!calculo.MensajeError().empty()) {
        std::cerr << calculo.MensajeError() << "\n";
        return 1;
    }
    if (sinMejora || tiempoMejora >= 0) {
        ROpciones opciones = job->Opciones();
        opciones.MejorarSolucion = opcionesArchivo.MejorarSolucion;
        opciones.TiempoMejora = opcionesArchivo.TiempoMejora;
        job->AsignarOpciones(opciones);
    }
    const std::string guardado = destino.empty() ? archivo : destino;
    try {
        if (!destino.empty()) {
            job->GuardarComo(destino);
        }
        job->Guardar();
    } catch (const std::exception& e) {
        std::cerr << Textos::CliErrorGuardar << e.what() << "\n";
        return 2;
    }
    std::ostringstream salida;
    if (json) {
        ImprimirJson(salida, *job, calculo, guardado, segundos);
    } else {
        ImprimirResultado(salida, *job, calculo);
        salida << "\n" << Textos::CliGuardadoEn << guardado << "\n";
    }
    std::cout << salida.str() << std::flush;
    return 0;
}
