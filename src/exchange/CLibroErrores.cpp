#include "exchange/CLibroErrores.h"

#include "document/UTextos.h"
#include "exchange/CEscritorXlsx.h"

#include <xlsxwriter.h>

#include <filesystem>

std::string CLibroErrores::Ruta(const std::string& libro) {
    const std::filesystem::path p(libro);
    return (p.parent_path() / (p.stem().string() + Textos::SufijoLibroErrores)).string();
}

void CLibroErrores::Escribir(const std::string& ruta,
                             const std::vector<RErrorImportacion>& errores) {
    CEscritorXlsx libro(ruta);
    lxw_worksheet* hoja = libro.AgregarHoja(Textos::HojaErrores);
    lxw_format* negrita = libro.NuevoFormato();
    format_set_bold(negrita);
    worksheet_write_string(hoja, 0, 0, Textos::ErroresFila, negrita);
    worksheet_write_string(hoja, 0, 1, Textos::ErroresDescripcion, negrita);
    worksheet_set_column(hoja, 1, 1, 60, nullptr);
    lxw_row_t fila = 1;
    for (const auto& e : errores) {
        if (fila >= LXW_ROW_MAX) {
            break;
        }
        worksheet_write_number(hoja, fila, 0, e.Fila, nullptr);
        const std::string d = e.Descripcion.substr(0, 32000);
        worksheet_write_string(hoja, fila, 1, d.c_str(), nullptr);
        ++fila;
    }
    libro.Cerrar();
}

std::string CLibroErrores::Mensaje(long long erroneos, const std::string& ruta) {
    std::string s = Textos::ImportarErroneos;
    s.replace(s.find("%R"), 2, std::to_string(erroneos));
    s.replace(s.find("%H"), 2,
              std::string(Textos::HojaErrores) + Textos::ImportarDelLibro + "\"" + ruta + "\"");
    return s;
}
