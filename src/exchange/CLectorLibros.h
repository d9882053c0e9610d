#pragma once

// Opens a workbook file for the import: ".xlsx", ".ods" and ".csv" through liborcus's
// spreadsheet model, ".xls" through freexl. The format is told by the file's content (a
// ".csv" by its extension), so a workbook saved under the wrong extension still opens.
// Every failure is an EArchivo with the user's message: not a workbook or damaged,
// protected with a password, too large, unknown format.

#include "document/CLibroCalculo.h"

#include <memory>
#include <string>

class CLectorLibros {
public:
    // Largest file read (memory stays bounded for any input).
    static constexpr long long TamanoMaximo = 128LL * 1024 * 1024;

    static std::unique_ptr<CLibroCalculo> Abrir(const std::string& ruta);
};
