#pragma once

// A new ".xlsx" written by libxlsxwriter into a temporary file beside its target and renamed
// over it only when complete, so a failed write never damages the file on disk. The
// workbook, sheets and formats belong to libxlsxwriter; this object owns the workbook.

#include <string>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

class CEscritorXlsx {
public:
    // Raises EArchivo when the temporary file cannot be made.
    explicit CEscritorXlsx(const std::string& ruta);
    // Without Cerrar the temporary file is removed and the target left alone.
    ~CEscritorXlsx();
    CEscritorXlsx(const CEscritorXlsx&) = delete;
    CEscritorXlsx& operator=(const CEscritorXlsx&) = delete;

    lxw_workbook* Libro() const { return FLibro; }
    // A sheet appended at the end; names are cut to 31 characters as workbooks require.
    lxw_worksheet* AgregarHoja(const std::string& nombre);
    lxw_format* NuevoFormato();
    // Writes the workbook and puts it in place; raises EArchivo on failure.
    void Cerrar();

private:
    std::string FRuta;
    std::string FTemporal;
    lxw_workbook* FLibro = nullptr;
};
