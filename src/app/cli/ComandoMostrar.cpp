// trazal-cli mostrar JOB.lan: the job's name, its options in file order, and its pieces and
// materials as tables with lengths in the job's units.

#include "cli/ArchivosCli.h"
#include "cli/Comandos.h"
#include "cli/ListadoSolucion.h"

#include "document/CLanzamiento.h"
#include "document/ULongitudes.h"
#include "document/UTextos.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

namespace {

// Width on screen: UTF-8 characters, not bytes.
std::size_t Ancho(const std::string& texto) {
    return static_cast<std::size_t>(std::count_if(texto.begin(), texto.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0u) != 0x80u;
    }));
}

std::string Relleno(std::size_t n) {
    return std::string(n, ' ');
}

// Columns 0 (Id), 1 and 2 (lengths) and 3 (quantity) are numbers: aligned to the right.
void ImprimirTabla(std::ostream& salida, const std::vector<std::vector<std::string>>& filas) {
    std::vector<std::size_t> anchos(7, 0);
    for (const auto& fila : filas) {
        for (std::size_t c = 0; c < fila.size(); ++c) {
            anchos[c] = std::max(anchos[c], Ancho(fila[c]));
        }
    }
    for (const auto& fila : filas) {
        std::string linea = " ";
        for (std::size_t c = 0; c < fila.size(); ++c) {
            const std::size_t falta = anchos[c] - Ancho(fila[c]);
            linea += " ";
            linea += c <= 3 ? Relleno(falta) + fila[c] : fila[c] + Relleno(falta);
            linea += " ";
        }
        while (!linea.empty() && linea.back() == ' ') {
            linea.pop_back();
        }
        salida << linea << "\n";
    }
}

std::vector<std::string> Cabecera() {
    return std::vector<std::string>(std::begin(Textos::CliColumnasRegistro),
                                    std::end(Textos::CliColumnasRegistro));
}

std::string Cantidad(int cantidad, bool material) {
    return material && cantidad == CantidadIlimitada ? std::string(Textos::CliIlimitada)
                                                     : std::to_string(cantidad);
}

void ImprimirPiezas(std::ostream& salida, const CLanzamiento& job) {
    const ROpciones& o = job.Opciones();
    std::vector<std::vector<std::string>> filas = {Cabecera()};
    const int n = job.CantidadPiezas();
    for (int i = 1; i <= n; ++i) {
        filas.push_back({std::to_string(i), FormatearLongitud(job.LargoPieza(i), o),
                         o.Barras ? std::string() : FormatearLongitud(job.AnchoPieza(i), o),
                         Cantidad(job.CantidadPieza(i), false), job.Desc1Pieza(i),
                         job.Desc2Pieza(i),
                         job.PiezaActiva(i) ? Textos::CliActivoSi : Textos::CliActivoNo});
    }
    salida << Textos::CliPiezas << ": " << n << "\n";
    ImprimirTabla(salida, filas);
}

void ImprimirMateriales(std::ostream& salida, const CLanzamiento& job) {
    const ROpciones& o = job.Opciones();
    std::vector<std::vector<std::string>> filas = {Cabecera()};
    const int n = job.CantidadMateriales();
    for (int i = 1; i <= n; ++i) {
        filas.push_back({std::to_string(i), FormatearLongitud(job.LargoMaterial(i), o),
                         o.Barras ? std::string() : FormatearLongitud(job.AnchoMaterial(i), o),
                         Cantidad(job.CantidadMaterial(i), true), job.Desc1Material(i),
                         job.Desc2Material(i),
                         job.MaterialActivo(i) ? Textos::CliActivoSi : Textos::CliActivoNo});
    }
    salida << Textos::CliMateriales << ": " << n << "\n";
    ImprimirTabla(salida, filas);
}

// The solution listing, after the materials.
void ImprimirSolucion(std::ostream& salida, const CLanzamiento& job) {
    salida << "\n";
    ListarSolucion(salida, job);
}

} // namespace

int ComandoMostrar(const std::vector<std::string>& argumentos) {
    if (argumentos.size() != 1) {
        std::cerr << Textos::CliUsoMostrar << "\n";
        return 2;
    }
    const std::string& archivo = argumentos[0];
    // The job document treats a missing file as a new job; asked to show a file, the tool
    // says it is not there.
    if (const std::string problema = ProblemaEntrada(archivo); !problema.empty()) {
        std::cerr << problema << "\n";
        return 2;
    }
    // Everything is read before anything is printed, so an error leaves no half listing.
    std::ostringstream salida;
    try {
        CLanzamiento job(archivo, ROpciones());
        salida << Textos::CliLanzamiento << ": " << job.Nombre() << "\n";
        salida << Textos::CliArchivo << ": " << archivo << "\n\n";
        // The options as a save would write them: the file's keys in their order, with the
        // values read (defaults for unreadable ones), then any missing keys.
        job.EscribirOpciones();
        salida << Textos::CliOpciones << ":\n";
        for (const auto& [clave, valor] : job.ValoresSeccion(CLanzamiento::SeccionOpciones)) {
            salida << "  " << clave << " = " << valor << "\n";
        }
        salida << "\n";
        ImprimirPiezas(salida, job);
        salida << "\n";
        ImprimirMateriales(salida, job);
        ImprimirSolucion(salida, job);
    } catch (const std::exception& e) {
        std::cerr << Textos::ErrorCrearLanzamiento << e.what() << "\n";
        return 2;
    }
    std::cout << salida.str();
    return 0;
}
