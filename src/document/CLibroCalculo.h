#pragma once

// A workbook opened for reading: its worksheets in order. Made by the readers of
// exchange/CLectorLibros.h, or by tests in memory.

#include "document/CHojaCalculo.h"

#include <string>

class CLibroCalculo {
public:
    virtual ~CLibroCalculo() = default;

    // The file's name without its folder.
    virtual std::string Nombre() const = 0;
    virtual int Hojas() const = 0;
    // 0-based; the sheet lives as long as the workbook.
    virtual const CHojaCalculo& Hoja(int i) const = 0;
    // The sheet that was active when the workbook was saved (0 when unknown).
    virtual int HojaActiva() const { return 0; }
};
