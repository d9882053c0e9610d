#pragma once

// A grid of texts: rows x columns of cells, row 0 and column 0 usually being the header
// row and the record-number column. It is what the text database moves whole sections
// into and out of, and what the desktop grids show.

#include <string>
#include <vector>

class CGrilla {
public:
    CGrilla() = default;
    CGrilla(int filas, int columnas);

    int Filas() const { return FFilas; }
    int Columnas() const { return FColumnas; }
    // Resizing keeps the cells that stay inside the grid; new cells are empty.
    // Negative sizes count as 0.
    void AsignarFilas(int filas);
    void AsignarColumnas(int columnas);

    // Cells outside the grid read as empty and ignore writes.
    const std::string& Celda(int fila, int columna) const;
    void AsignarCelda(int fila, int columna, const std::string& texto);

    // A row as text: every cell followed by a line break.
    std::string TextoFila(int fila) const;
    // Fills the row from a text, one line per cell from column 0; lines beyond the last
    // column are dropped and cells without a line become empty. LF and CR LF both end a line.
    void AsignarTextoFila(int fila, const std::string& texto);

    bool operator==(const CGrilla&) const = default;

private:
    int FFilas = 0;
    int FColumnas = 0;
    std::vector<std::string> FCeldas; // row-major
};
