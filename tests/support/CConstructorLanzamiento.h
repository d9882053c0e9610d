#pragma once

#include "document/ROpciones.h"
#include "support/RutasPrueba.h"

#include <memory>
#include <string>
#include <vector>

class CLanzamiento;

// Builds small test jobs: pieces and materials are written as a job file in a private
// temporary folder (plain integer lengths: unit kind 0, no decimals) and the job is opened
// with Opciones as its option record.
//
//     CConstructorLanzamiento c;
//     c.Opciones.Barras = true;
//     c.Pieza(60, 1, 3).Material(100, 1);
//     auto job = c.Crear();
class CConstructorLanzamiento {
public:
    CConstructorLanzamiento();
    ~CConstructorLanzamiento();
    CConstructorLanzamiento(const CConstructorLanzamiento&) = delete;
    CConstructorLanzamiento& operator=(const CConstructorLanzamiento&) = delete;

    // The options of the jobs made from now on (units are forced to plain integers).
    ROpciones Opciones;

    CConstructorLanzamiento& Pieza(int largo, int ancho, int cantidad, bool activa = true);
    // Cantidad 0 is unlimited stock for the calculation.
    CConstructorLanzamiento& Material(int largo, int ancho, int cantidad = 0, bool activo = true);

    // Writes a new job file and opens it. Every call makes an independent job; the files
    // stay until this builder goes away (the jobs hold their data in memory).
    std::unique_ptr<CLanzamiento> Crear();

private:
    rutas::CCarpetaTemporal FCarpeta;
    std::vector<std::string> FPiezas;
    std::vector<std::string> FMateriales;
    int FArchivos = 0;
};
