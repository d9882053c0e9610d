#pragma once

// One worksheet of a workbook as the import reads it: cells by row and column from 1, each
// either empty or a text. Readers turn every value into the text a user would type: numbers
// with "." and up to 15 significant digits, booleans as "VERDADERO"/"FALSO", dates as
// "AAAA-MM-DD", the cached result of a formula, an error as its name ("#DIV/0!").

#include <optional>
#include <string>

class CHojaCalculo {
public:
    virtual ~CHojaCalculo() = default;

    virtual std::string Nombre() const = 0;
    // The last row and column that hold anything (0 for an empty sheet).
    virtual int Filas() const = 0;
    virtual int Columnas() const = 0;
    // Empty cells, and cells outside the sheet, are nullopt.
    virtual std::optional<std::string> Celda(int fila, int columna) const = 0;
};
