#include "cli/CVistaTerminal.h"

#include "cli/CColaSincronizada.h"

#include "document/UTextos.h"

#include <algorithm>

namespace {

const char* NombreFase(int fila) {
    switch (fila) {
    case CVistaCalculo::FilaTeorica:
        return Textos::FaseTeorica;
    case CVistaCalculo::FilaRedondeo:
        return Textos::FaseRedondeo;
    case CVistaCalculo::FilaMejora:
        return Textos::FaseMejora;
    default:
        return Textos::FaseCompletamiento;
    }
}

// "85.1234567890%" shown with two decimals.
std::string Corto(const std::string& porcentaje) {
    const std::size_t punto = porcentaje.find('.');
    if (punto == std::string::npos || punto + 3 >= porcentaje.size()) {
        return porcentaje;
    }
    return porcentaje.substr(0, punto + 3) + "%";
}

constexpr int AnchoBarra = 20;

} // namespace

CVistaTerminal::CVistaTerminal(CColaSincronizada& cola, std::ostream& salida, bool terminal)
    : FCola(cola), FSalida(salida), FTerminal(terminal) {}

void CVistaTerminal::EnPrincipal(const std::function<void()>& llamada) {
    FCola.Ejecutar(llamada);
}

std::string CVistaTerminal::Linea() const {
    if (FFila < 0) {
        return std::string();
    }
    const RFila& f = FFilas[FFila];
    std::string linea = NombreFase(FFila);
    if (!f.Proceso.empty()) {
        linea += "  " + f.Proceso;
    }
    if (!f.Variantes.empty()) {
        linea += "  " + std::string(Textos::CliVariantes) + ": " + f.Variantes;
    }
    if (!f.Aprovechamiento.empty()) {
        linea += "  " + std::string(Textos::CliAprovechamiento) + ": " + Corto(f.Aprovechamiento);
    }
    if (FTerminal && FMaximo > 0 && f.Proceso != Textos::ProcesoHecho) {
        const int llenas = static_cast<int>(
            static_cast<long long>(std::clamp(FPosicion, 0, FMaximo)) * AnchoBarra / FMaximo);
        linea += "  [" + std::string(static_cast<std::size_t>(llenas), '#') +
                 std::string(static_cast<std::size_t>(AnchoBarra - llenas), '.') + "]";
    }
    return linea;
}

void CVistaTerminal::Dibujar(bool siempre) {
    if (!FTerminal || FFila < 0) {
        return;
    }
    const auto ahora = std::chrono::steady_clock::now();
    if (!siempre && ahora - FUltimoDibujo < std::chrono::milliseconds(100)) {
        return;
    }
    FUltimoDibujo = ahora;
    FSalida << "\r\033[K" << Linea() << std::flush;
    FLineaAbierta = true;
}

void CVistaTerminal::Cerrar() {
    if (FLineaAbierta) {
        FSalida << "\n" << std::flush;
        FLineaAbierta = false;
    }
}

void CVistaTerminal::Aviso(const std::string& texto) {
    Cerrar();
    FSalida << texto << "\n" << std::flush;
    Dibujar(true);
}

void CVistaTerminal::Empezar(int fila, const std::string& proceso) {
    Cerrar();
    FFila = fila;
    FFilas[fila].Proceso = proceso;
    FMaximo = 0;
    FPosicion = 0;
    if (FTerminal) {
        Dibujar(true);
    } else {
        FSalida << NombreFase(fila) << "\n";
        if (!proceso.empty()) {
            FSalida << "  " << proceso << "\n";
        }
        FSalida << std::flush;
    }
}

void CVistaTerminal::MarcarFaseTeorica() {
    EnPrincipal([this] { Empezar(FilaTeorica, std::string()); });
}

void CVistaTerminal::HabilitarForzar() {}

void CVistaTerminal::ProcesarMensajes() {}

void CVistaTerminal::MostrarNivel(std::int32_t nivel, const std::string& proceso) {
    EnPrincipal([&] {
        FNivel = nivel;
        FFilas[FilaTeorica].Proceso = proceso;
        if (FTerminal) {
            Dibujar(true);
        } else {
            FSalida << "  " << proceso << "\n" << std::flush;
        }
    });
}

void CVistaTerminal::MostrarVariantes(int fila, const std::string& texto) {
    EnPrincipal([&] {
        FFilas[std::clamp(fila, 0, 3)].Variantes = texto;
        Dibujar(false);
    });
}

void CVistaTerminal::MostrarAprovechamiento(int fila, const std::string& texto) {
    EnPrincipal([&] {
        FFilas[std::clamp(fila, 0, 3)].Aprovechamiento = texto;
        Dibujar(false);
    });
}

void CVistaTerminal::MostrarConsumoTeorico(const std::vector<std::string>&) {}

void CVistaTerminal::MostrarConsumoReal(const std::vector<std::string>&) {}

void CVistaTerminal::MarcarFaseRedondeo() {
    EnPrincipal([this] { Empezar(FilaRedondeo, std::string()); });
}

void CVistaTerminal::MarcarFaseCompletamiento(const std::string& proceso) {
    EnPrincipal([&] { Empezar(FilaCompletamiento, proceso); });
}

void CVistaTerminal::MarcarFaseMejora(const std::string& proceso) {
    EnPrincipal([&] { Empezar(FilaMejora, proceso); });
}

void CVistaTerminal::MarcarFaseHecha(int fila, const std::string& proceso) {
    EnPrincipal([&] {
        const int f = std::clamp(fila, 0, 3);
        FFilas[f].Proceso = proceso;
        if (FTerminal) {
            if (FFila == f) {
                Dibujar(true);
                Cerrar();
            }
            return;
        }
        std::string linea = "  " + proceso;
        if (!FFilas[f].Variantes.empty()) {
            linea += "  " + std::string(Textos::CliVariantes) + ": " + FFilas[f].Variantes;
        }
        if (!FFilas[f].Aprovechamiento.empty()) {
            linea += "  " + std::string(Textos::CliAprovechamiento) + ": " +
                     Corto(FFilas[f].Aprovechamiento);
        }
        FSalida << linea << "\n" << std::flush;
    });
}

void CVistaTerminal::MostrarProceso(int fila, const std::string& proceso) {
    EnPrincipal([&] {
        FFilas[std::clamp(fila, 0, 3)].Proceso = proceso;
        if (FTerminal) {
            Dibujar(true);
        } else {
            FSalida << "  " << proceso << "\n" << std::flush;
        }
    });
}

void CVistaTerminal::MostrarPedidoIncumplido(const std::string& piezas) {
    EnPrincipal([&] { Aviso(std::string(Textos::PedidoIncumplido) + " " + piezas); });
}

void CVistaTerminal::MostrarMaximoProgreso(std::int32_t maximo) {
    EnPrincipal([&] {
        FMaximo = maximo;
        Dibujar(false);
    });
}

void CVistaTerminal::MostrarProgreso(std::int32_t posicion) {
    EnPrincipal([&] {
        FPosicion = posicion;
        Dibujar(false);
    });
}
