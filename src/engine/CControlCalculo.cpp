#include "engine/CControlCalculo.h"

#include "document/UExcepciones.h"

#include <chrono>
#include <cmath>

CControlCalculo::CControlCalculo() = default;

CControlCalculo::~CControlCalculo() = default;

void CControlCalculo::FijarReloj(FuncionReloj reloj) {
    FReloj = std::move(reloj);
}

double CControlCalculo::Ahora() const {
    if (FReloj) {
        return FReloj();
    }
    // A monotonic clock: a wall clock set back would freeze the bar (and with it the cap of
    // the rounding search) until it caught up. The offset keeps the value away from 0.
    const auto desdeArranque = std::chrono::steady_clock::now().time_since_epoch();
    return 1.0 + std::chrono::duration<double>(desdeArranque).count();
}

void CControlCalculo::IniciarProgreso(std::int32_t maximo) {
    FProgresoMaximo.store(maximo, Orden);
    FInicioProgreso.store(Ahora(), Orden);
    MostrarMaximoProgreso();
}

void CControlCalculo::FijarProgreso(std::int32_t posicion) {
    if (posicion == 0) {
        FInicioProgreso.store(Ahora(), Orden);
    }
    FProgresoPosicion.store(posicion, Orden);
    // After a reset the bar stays put for a few seconds, so that short steps do not make it
    // jump; once it has moved it follows every update until the next reset.
    const double inicio = FInicioProgreso.load(Orden);
    if (inicio != 0.0 && posicion != 0 &&
        std::floor(Ahora() - inicio) <= static_cast<double>(SegundosSinProgreso)) {
        return;
    }
    FPosicionMostrada.store(posicion, Orden);
    if (posicion > 0) {
        FInicioProgreso.store(0.0, Orden);
    }
    MostrarProgreso();
}

void CControlCalculo::AvanzarProgreso(std::int32_t incremento) {
    FijarProgreso(FProgresoPosicion.load(Orden) + incremento);
}

void CControlCalculo::ContarVariante() {
    FVariantesAnalizadas.fetch_add(1, Orden);
    MostrarVariantes();
}

void CControlCalculo::AvisarRedondeoPorDefecto() {
    MostrarRedondeoPorDefecto();
}

void CControlCalculo::AvisarRedondeoPorExceso() {
    MostrarRedondeoPorExceso();
}

void CControlCalculo::ComprobarParada() const {
    // Cancel wins over force: a cancelled run must not go on with the next stage.
    if (Cancelado.load()) {
        throw ECalculoAbortado();
    }
    if (Forzar.load()) {
        throw ECalculoForzado();
    }
}
