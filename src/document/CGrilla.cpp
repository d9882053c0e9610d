#include "document/CGrilla.h"

#include <algorithm>

namespace {
const std::string Vacia;
}

CGrilla::CGrilla(int filas, int columnas) {
    FFilas = std::max(0, filas);
    FColumnas = std::max(0, columnas);
    FCeldas.assign(static_cast<std::size_t>(FFilas) * static_cast<std::size_t>(FColumnas),
                   std::string());
}

void CGrilla::AsignarFilas(int filas) {
    filas = std::max(0, filas);
    FCeldas.resize(static_cast<std::size_t>(filas) * static_cast<std::size_t>(FColumnas));
    FFilas = filas;
}

void CGrilla::AsignarColumnas(int columnas) {
    columnas = std::max(0, columnas);
    if (columnas == FColumnas) {
        return;
    }
    std::vector<std::string> nuevas(static_cast<std::size_t>(FFilas) *
                                    static_cast<std::size_t>(columnas));
    const int comunes = std::min(columnas, FColumnas);
    for (int f = 0; f < FFilas; ++f) {
        for (int c = 0; c < comunes; ++c) {
            nuevas[static_cast<std::size_t>(f) * static_cast<std::size_t>(columnas) +
                   static_cast<std::size_t>(c)] =
                std::move(
                    FCeldas[static_cast<std::size_t>(f) * static_cast<std::size_t>(FColumnas) +
                            static_cast<std::size_t>(c)]);
        }
    }
    FCeldas = std::move(nuevas);
    FColumnas = columnas;
}

const std::string& CGrilla::Celda(int fila, int columna) const {
    if (fila < 0 || fila >= FFilas || columna < 0 || columna >= FColumnas) {
        return Vacia;
    }
    return FCeldas[static_cast<std::size_t>(fila) * static_cast<std::size_t>(FColumnas) +
                   static_cast<std::size_t>(columna)];
}

void CGrilla::AsignarCelda(int fila, int columna, const std::string& texto) {
    if (fila < 0 || fila >= FFilas || columna < 0 || columna >= FColumnas) {
        return;
    }
    FCeldas[static_cast<std::size_t>(fila) * static_cast<std::size_t>(FColumnas) +
            static_cast<std::size_t>(columna)] = texto;
}

std::string CGrilla::TextoFila(int fila) const {
    std::string texto;
    if (fila < 0 || fila >= FFilas) {
        return texto;
    }
    for (int c = 0; c < FColumnas; ++c) {
        texto += Celda(fila, c);
        texto += '\n';
    }
    return texto;
}

void CGrilla::AsignarTextoFila(int fila, const std::string& texto) {
    if (fila < 0 || fila >= FFilas) {
        return;
    }
    std::size_t inicio = 0;
    for (int c = 0; c < FColumnas; ++c) {
        if (inicio >= texto.size()) {
            AsignarCelda(fila, c, std::string());
            continue;
        }
        std::size_t fin = texto.find('\n', inicio);
        if (fin == std::string::npos) {
            fin = texto.size();
        }
        std::size_t finCelda = fin;
        if (finCelda > inicio && texto[finCelda - 1] == '\r') {
            --finCelda;
        }
        AsignarCelda(fila, c, texto.substr(inicio, finCelda - inicio));
        inicio = fin + 1;
    }
}
