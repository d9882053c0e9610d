#pragma once

// The workbook of the rows an import rejected: a new ".xlsx" beside the user's workbook,
// named after it with "-errores.xlsx", one sheet "Errores" with "FILA" and
// "DESCRIPCION DEL ERROR" and one line per rejected row in the order of rejection. The
// user's workbook is never written.

#include "document/CImportacion.h"

#include <string>
#include <vector>

class CLibroErrores {
public:
    // "/datos/piezas.xls" -> "/datos/piezas-errores.xlsx".
    static std::string Ruta(const std::string& libro);
    // Raises EArchivo when it cannot be written.
    static void Escribir(const std::string& ruta, const std::vector<RErrorImportacion>& errores);
    // "3 registros erróneos se copiaron en la hoja Errores del libro ...".
    static std::string Mensaje(long long erroneos, const std::string& ruta);
};
