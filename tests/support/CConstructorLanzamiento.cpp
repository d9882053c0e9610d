#include "support/CConstructorLanzamiento.h"

#include "document/CLanzamiento.h"

#include <fstream>

namespace {

std::string Registro(int largo, int ancho, int cantidad, bool activo) {
    return std::to_string(largo) + ";" + std::to_string(ancho) + ";" + std::to_string(cantidad) +
           ";;;" + (activo ? "1" : "0") + ";";
}

void EscribirSeccion(std::ofstream& f, const char* seccion,
                     const std::vector<std::string>& registros) {
    f << "[" << seccion << "]\r\n";
    f << "N=" << registros.size() << "\r\n";
    for (std::size_t k = 0; k < registros.size(); ++k) {
        f << (k + 1) << "=" << registros[k] << "\r\n";
    }
}

} // namespace

CConstructorLanzamiento::CConstructorLanzamiento() : Opciones(OpcionesPorDefecto()) {}

CConstructorLanzamiento::~CConstructorLanzamiento() = default;

CConstructorLanzamiento& CConstructorLanzamiento::Pieza(int largo, int ancho, int cantidad,
                                                        bool activa) {
    FPiezas.push_back(Registro(largo, ancho, cantidad, activa));
    return *this;
}

CConstructorLanzamiento& CConstructorLanzamiento::Material(int largo, int ancho, int cantidad,
                                                           bool activo) {
    FMateriales.push_back(Registro(largo, ancho, cantidad, activo));
    return *this;
}

std::unique_ptr<CLanzamiento> CConstructorLanzamiento::Crear() {
    const auto ruta = FCarpeta / ("trabajo" + std::to_string(++FArchivos) + ".lan");
    {
        std::ofstream f(ruta, std::ios::binary);
        EscribirSeccion(f, CLanzamiento::SeccionPiezas, FPiezas);
        EscribirSeccion(f, CLanzamiento::SeccionMateriales, FMateriales);
    }
    ROpciones opciones = Opciones;
    opciones.TipoUnidad = 0;
    opciones.Precision = 0;
    return std::make_unique<CLanzamiento>(ruta.string(), opciones);
}
