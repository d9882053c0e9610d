#include "document/UExcepciones.h"

#include "document/UTextos.h"

std::string MensajeDeExcepcion(const std::exception& e) {
    if (dynamic_cast<const ECalculoForzado*>(&e)) {
        return {};
    }
    if (dynamic_cast<const ECalculoAbortado*>(&e)) {
        return Textos::CalculoCancelado;
    }
    if (dynamic_cast<const ENoHayPiezas*>(&e)) {
        return Textos::NoHayPiezas;
    }
    if (dynamic_cast<const ENoHayMateriales*>(&e)) {
        return Textos::NoHayMateriales;
    }
    if (dynamic_cast<const EPiezaNula*>(&e)) {
        return Textos::PiezaNula;
    }
    if (dynamic_cast<const EPedidoNulo*>(&e)) {
        return Textos::PedidoNulo;
    }
    if (dynamic_cast<const EMaterialNulo*>(&e)) {
        return Textos::MaterialNulo;
    }
    if (dynamic_cast<const EErrorPrecision*>(&e)) {
        return Textos::ErrorPrecision;
    }
    return e.what();
}
