#pragma once

// The clock of the progress window: the elapsed time, one tick a second, and the countdown
// of the notice of unfulfilled orders, which closes itself so that an unattended run can
// finish. The window's timer only calls Tick and shows the texts.

#include <cstdint>
#include <string>

class CTemporizadorCalculo {
public:
    static constexpr std::int32_t SegundosAviso = 60;

    // What one tick asks of the window.
    enum class TAccionAviso { Ninguna, Titulo, Cerrar };

    void Reiniciar();
    // One second more; with the notice open the countdown goes down too.
    TAccionAviso Tick();

    std::int32_t Horas() const { return FHoras; }
    std::int32_t Minutos() const { return FMinutos; }
    std::int32_t Segundos() const { return FSegundos; }
    // "hh:mm:ss", hours not limited to two digits.
    std::string Texto() const;

    void AbrirAviso();
    void CerrarAviso() { FAvisoAbierto = false; }
    bool AvisoAbierto() const { return FAvisoAbierto; }
    std::int32_t CuentaAtras() const { return FCuentaAtras; }
    // "No se cumplimentó el pedido para las piezas:...59".
    std::string TituloAviso() const;

private:
    std::int32_t FHoras = 0;
    std::int32_t FMinutos = 0;
    std::int32_t FSegundos = 0;
    std::int32_t FCuentaAtras = 0;
    bool FAvisoAbierto = false;
};
