#pragma once

// A display for a calculation that nobody watches: it places nothing, keeps the last level
// shown and tells the waiting main thread when the worker has finished, so that the
// termination runs on the main thread as it does in the program.

#include "engine/CVistaCalculo.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

class CPantallaMuda : public CVistaCalculo {
public:
    using Reloj = std::chrono::steady_clock;

    void MarcarFaseTeorica() override {}
    void HabilitarForzar() override {}
    void ProcesarMensajes() override {}
    void MostrarNivel(std::int32_t nivel, const std::string&) override { FNivel = nivel; }
    void MostrarVariantes(int, const std::string&) override {}
    void MostrarAprovechamiento(int, const std::string&) override {}
    void MostrarConsumoTeorico(const std::vector<std::string>&) override {}
    void MostrarConsumoReal(const std::vector<std::string>&) override {}
    void MarcarFaseRedondeo() override { FInicioRedondeo = Reloj::now(); }
    void MarcarFaseCompletamiento(const std::string&) override {
        FInicioCompletamiento = Reloj::now();
    }
    void MarcarFaseMejora(const std::string&) override { FInicioMejora = Reloj::now(); }
    void MarcarFaseHecha(int, const std::string&) override {}
    void MostrarProceso(int, const std::string&) override {}
    void MostrarPedidoIncumplido(const std::string&) override {}
    void MostrarMaximoProgreso(std::int32_t) override {}
    void MostrarProgreso(std::int32_t) override {}

    void EjecucionTerminada() override;
    void MostrarError(const std::string& mensaje) override { FError = mensaje; }

    // Blocks the main thread until the worker's last call.
    void EsperarFin();
    std::int32_t Nivel() const { return FNivel; }
    // When each stage began, as the worker announced it, and when the worker ended (the
    // epoch of the clock when a stage never began).
    Reloj::time_point InicioRedondeo() const { return FInicioRedondeo; }
    Reloj::time_point InicioCompletamiento() const { return FInicioCompletamiento; }
    Reloj::time_point InicioMejora() const { return FInicioMejora; }
    Reloj::time_point Fin() const { return FFin; }
    const std::string& Error() const { return FError; }

private:
    std::mutex FCerrojo;
    std::condition_variable FAviso;
    bool FTerminada = false;
    std::int32_t FNivel = 0;
    Reloj::time_point FInicioRedondeo{};
    Reloj::time_point FInicioCompletamiento{};
    Reloj::time_point FInicioMejora{};
    Reloj::time_point FFin{};
    std::string FError;
};
