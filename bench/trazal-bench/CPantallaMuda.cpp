#include "CPantallaMuda.h"

void CPantallaMuda::EjecucionTerminada() {
    {
        std::lock_guard<std::mutex> cerrojo(FCerrojo);
        FFin = Reloj::now();
        FTerminada = true;
    }
    FAviso.notify_all();
}

void CPantallaMuda::EsperarFin() {
    std::unique_lock<std::mutex> cerrojo(FCerrojo);
    FAviso.wait(cerrojo, [this] { return FTerminada; });
}
