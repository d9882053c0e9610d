#include "engine/CTemporizadorCalculo.h"

#include "document/UTextos.h"

#include <cstdio>

void CTemporizadorCalculo::Reiniciar() {
    FHoras = 0;
    FMinutos = 0;
    FSegundos = 0;
}

CTemporizadorCalculo::TAccionAviso CTemporizadorCalculo::Tick() {
    if (++FSegundos == 60) {
        FSegundos = 0;
        if (++FMinutos == 60) {
            FMinutos = 0;
            ++FHoras;
        }
    }
    if (!FAvisoAbierto) {
        return TAccionAviso::Ninguna;
    }
    if (--FCuentaAtras <= 0) {
        FAvisoAbierto = false;
        return TAccionAviso::Cerrar;
    }
    return TAccionAviso::Titulo;
}

std::string CTemporizadorCalculo::Texto() const {
    char texto[48];
    std::snprintf(texto, sizeof texto, "%02d:%02d:%02d", static_cast<int>(FHoras),
                  static_cast<int>(FMinutos), static_cast<int>(FSegundos));
    return texto;
}

void CTemporizadorCalculo::AbrirAviso() {
    FCuentaAtras = SegundosAviso;
    FAvisoAbierto = true;
}

std::string CTemporizadorCalculo::TituloAviso() const {
    return std::string(Textos::PedidoIncumplido) + "..." + std::to_string(FCuentaAtras);
}
