#pragma once

// A display for a calculation that nobody watches: it places nothing, keeps the last level
// shown and tells the waiting main thread when the worker has finished, so that the
// termination runs on the main thread as it does in the program.

#include "engine/CVistaCalculo.h"

#include <condition_variable>
#include <cstdint>
#include <mutex>

class CPantallaMuda : public CVistaCalculo {
public:
    void MarcarFaseTeorica() override {}
    void HabilitarForzar() override {}
    void ProcesarMensajes() override {}
    void MostrarNivel(std::int32_t nivel, const std::string&) override { FNivel = nivel; }
    void MostrarVariantes(int, const std::string&) override {}
    void MostrarAprovechamiento(int, const std::string&) override {}
    void MostrarConsumoTeorico(const std::vector<std::string>&) override {}
    void MostrarConsumoReal(const std::vector<std::string>&) override {}
    void MarcarFaseRedondeo() override {}
    void MarcarFaseCompletamiento(const std::string&) override {}
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
    const std::string& Error() const { return FError; }

private:
    std::mutex FCerrojo;
    std::condition_variable FAviso;
    bool FTerminada = false;
    std::int32_t FNivel = 0;
    std::string FError;
};
