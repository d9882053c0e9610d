#pragma once

// The calculation's display on a terminal. Every display operation is handed to the main
// thread through a CColaSincronizada and waits there, as the desktop program's progress
// window does. On a terminal each stage has one live line (level, variants, utilisation and
// a progress bar) that is redrawn in place; otherwise plain lines are written at the steps.

#include "engine/CVistaCalculo.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

class CColaSincronizada;

class CVistaTerminal : public CVistaCalculo {
public:
    CVistaTerminal(CColaSincronizada& cola, std::ostream& salida, bool terminal);

    void MarcarFaseTeorica() override;
    void HabilitarForzar() override;
    void ProcesarMensajes() override;
    void MostrarNivel(std::int32_t nivel, const std::string& proceso) override;
    void MostrarVariantes(int fila, const std::string& texto) override;
    void MostrarAprovechamiento(int fila, const std::string& texto) override;
    void MostrarConsumoTeorico(const std::vector<std::string>& optimo) override;
    void MostrarConsumoReal(const std::vector<std::string>& real) override;
    void MarcarFaseRedondeo() override;
    void MarcarFaseCompletamiento(const std::string& proceso) override;
    void MarcarFaseMejora(const std::string& proceso) override;
    void MarcarFaseHecha(int fila, const std::string& proceso) override;
    void MostrarProceso(int fila, const std::string& proceso) override;
    void MostrarPedidoIncumplido(const std::string& piezas) override;
    void MostrarMaximoProgreso(std::int32_t maximo) override;
    void MostrarProgreso(std::int32_t posicion) override;

    // Main thread: a notice of its own (force, cancel) on a line of its own.
    void Aviso(const std::string& texto);
    // Main thread: ends the live line, if one is open.
    void Cerrar();

private:
    struct RFila {
        std::string Proceso;
        std::string Variantes;
        std::string Aprovechamiento;
    };

    void EnPrincipal(const std::function<void()>& llamada);
    void Empezar(int fila, const std::string& proceso);
    void Dibujar(bool siempre);
    std::string Linea() const;

    CColaSincronizada& FCola;
    std::ostream& FSalida;
    bool FTerminal;
    RFila FFilas[4];
    int FFila = -1;
    std::int32_t FNivel = 0;
    std::int32_t FMaximo = 0;
    std::int32_t FPosicion = 0;
    bool FLineaAbierta = false;
    std::chrono::steady_clock::time_point FUltimoDibujo;
};
