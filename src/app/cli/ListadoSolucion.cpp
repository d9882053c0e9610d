#include "cli/ListadoSolucion.h"

#include "cli/TextosCli.h"

#include "document/CLanzamiento.h"
#include "document/UGlobals.h"
#include "document/UTextos.h"
#include "engine/CSolucion.h"
#include "patterns/CPatron.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <vector>

namespace {

// Fixed-point with "." whatever the locale.
std::string Fijo(double x, int decimales) {
    char texto[64];
    const auto [fin, ec] =
        std::to_chars(texto, texto + sizeof texto, x, std::chars_format::fixed, decimales);
    return ec == std::errc() ? std::string(texto, fin) : std::string("?");
}

std::string Por100(double x) {
    return Fijo(Porcentaje(x, 2), 2) + "%";
}

// The text padded with blanks to `ancho` characters (UTF-8 characters, not bytes).
std::string Columna(const std::string& texto, int ancho) {
    int caracteres = 0;
    for (const char c : texto) {
        caracteres += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    return texto + std::string(static_cast<std::size_t>(std::max(ancho - caracteres, 1)), ' ');
}

} // namespace

void ListarSolucion(std::ostream& salida, const CLanzamiento& job) {
    const CSolucion& s = job.Solucion();
    std::int32_t patrones = 0;
    for (std::int32_t k = 1; k <= s.Cantidad(); ++k) {
        patrones += s.Patron(k) != nullptr ? 1 : 0;
    }
    salida << Textos::CliSolucion << ": " << patrones << " " << Textos::CliPatrones << "; "
           << Textos::CliPlanActual << ": " << Textos::CliPlanes[s.Modo()] << "; "
           << Textos::CliAprovGuardado << " " << Por100(s.AprovechamientoGuardado()) << "\n";
    if (!job.AvisoSolucion().empty()) {
        salida << job.AvisoSolucion() << "\n";
    }
    if (patrones == 0) {
        return;
    }

    const int anchos[9] = {9, 9, 10, 7, 7, 8, 8, 9, 8};
    for (int c = 0; c < 9; ++c) {
        salida << Columna(Textos::CliCabeceraPatrones[c], anchos[c]);
    }
    salida << Textos::CliPiezasPatron << "\n";
    for (std::int32_t k = 1; k <= s.Cantidad(); ++k) {
        const CPatron* p = s.Patron(k);
        salida << Columna(std::to_string(k), anchos[0]);
        if (p == nullptr) {
            salida << Textos::CliPatronVacio << "\n";
            continue;
        }
        const std::string celdas[8] = {std::to_string(p->Material()),
                                       Fijo(p->Repeticion(), 2),
                                       std::to_string(p->RepEntera(CSolucion::ModoFinal)),
                                       std::to_string(p->RepEntera(CSolucion::ModoPorExceso)),
                                       std::to_string(p->RepEntera(CSolucion::ModoPorDefecto)),
                                       Por100(p->Aprovechamiento()),
                                       Por100(p->Sobrante()),
                                       Por100(p->Desperdicio())};
        for (int c = 0; c < 8; ++c) {
            salida << Columna(celdas[c], anchos[c + 1]);
        }
        const ACantidades& cantidades = p->CantPorPieza();
        bool primera = true;
        for (std::size_t i = 1; i < cantidades.size(); ++i) {
            if (cantidades[i] != 0) {
                salida << (primera ? "" : " ") << "P" << i << ":" << cantidades[i];
                primera = false;
            }
        }
        salida << "\n";
    }

    salida << Textos::CliTotales << "\n";
    salida << "  " << Textos::CliRepeticiones << ": " << s.TotalRepeticiones() << "  "
           << Textos::CliTeorica << " " << Fijo(s.TotalTeorico(), 2) << "\n";
    salida << "  " << Textos::CliPiezas << ": " << s.TotalPiezas() << "\n";
    salida << "  " << Textos::CliAprovechamiento << ": " << Textos::CliTeorico << " "
           << Por100(s.AprovechamientoTeorico()) << "  " << Textos::CliReal << " "
           << Por100(s.AprovechamientoReal()) << "\n";
    salida << "  " << Textos::CliSobrante << ": " << Textos::CliTeorico << " "
           << Por100(s.SobranteTeorico()) << "  " << Textos::CliReal << " "
           << Por100(s.SobranteReal()) << "\n";
    salida << "  " << Textos::CliDesperdicio << ": " << Textos::CliTeorico << " "
           << Por100(s.DesperdicioTeorico()) << "  " << Textos::CliReal << " "
           << Por100(s.DesperdicioReal()) << "\n";
    // One walk for the totals of every piece: a job of many pieces and patterns lists in
    // time linear in what it holds.
    const int piezas = job.CantidadPiezas();
    const std::vector<RTotalesPieza> totales = s.TotalesPorPieza(piezas);
    for (int i = 1; i <= piezas; ++i) {
        const RTotalesPieza& t = totales[static_cast<std::size_t>(i)];
        salida << "  " << Textos::CliPieza << " " << i << ": " << Textos::CliProduccion << " "
               << t.Produccion << "  " << Textos::CliTeorica << " " << Fijo(t.Teorica, 2) << "  "
               << Textos::CliAprovechamiento << " " << Por100(t.Aprovechamiento) << "\n";
    }
    for (int m = 1; m <= job.CantidadMateriales(); ++m) {
        salida << "  " << Textos::CliMaterial << " " << m << ": "
               << TextosCli::Unidades(s.HojasMaterial(m), job.Opciones().Barras) << "  "
               << Textos::CliConsumoTeorico << " " << Fijo(s.ConsumoTeorico(m), 2) << "  "
               << Textos::CliCabeceraPatrones[6] << " " << Por100(s.AprovechamientoMaterial(m))
               << "  " << Textos::CliCabeceraPatrones[7] << " " << Por100(s.SobranteMaterial(m))
               << "  " << Textos::CliCabeceraPatrones[8] << " " << Por100(s.DesperdicioMaterial(m))
               << "\n";
    }
}
