#include "ControlInstancia.h"

#include "TextosBanco.h"

namespace ControlInstancia {

namespace {

constexpr long long MaximoInterno = 65535;

} // namespace

void MarcarSiNoCabe(RInstancia& instancia) {
    auto marcar = [&](const char* motivo, long long valor) {
        if (instancia.Omitida.empty()) {
            instancia.Omitida = std::string(motivo) + std::to_string(valor);
        }
    };
    for (const auto& m : instancia.Materiales) {
        if (m.Largo > MaximoInterno) {
            marcar(TextosBanco::LongitudExcede, m.Largo);
        }
        if (m.Ancho > MaximoInterno) {
            marcar(TextosBanco::LongitudExcede, m.Ancho);
        }
    }
    for (const auto& p : instancia.Piezas) {
        if (p.Largo > MaximoInterno) {
            marcar(TextosBanco::LongitudExcede, p.Largo);
        }
        if (p.Ancho > MaximoInterno) {
            marcar(TextosBanco::LongitudExcede, p.Ancho);
        }
        if (p.Cantidad > MaximoInterno) {
            marcar(TextosBanco::CantidadExcede, p.Cantidad);
        }
    }
}

} // namespace ControlInstancia
