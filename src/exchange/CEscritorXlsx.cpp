#include "exchange/CEscritorXlsx.h"

#include "document/UExcepciones.h"
#include "document/UTextos.h"

#include <xlsxwriter.h>

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

[[noreturn]] void Fallo(const std::string& ruta, const std::string& motivo) {
    throw EArchivo(std::string(Textos::NoSePuedeEscribirLibro) + "\"" + ruta + "\": " + motivo);
}

} // namespace

CEscritorXlsx::CEscritorXlsx(const std::string& ruta) : FRuta(ruta) {
    const fs::path destino(ruta);
    fs::path carpeta = destino.parent_path();
    if (carpeta.empty()) {
        carpeta = ".";
    }
    std::string plantilla = (carpeta / ("." + destino.filename().string() + ".XXXXXX")).string();
    std::vector<char> nombre(plantilla.begin(), plantilla.end());
    nombre.push_back('\0');
    const int fd = mkstemp(nombre.data());
    if (fd < 0) {
        Fallo(ruta, Textos::NoSePuedeCrearTemporal + 2);
    }
    ::close(fd);
    FTemporal = nombre.data();
    lxw_workbook_options opciones{};
    opciones.use_zip64 = LXW_TRUE;
    FLibro = workbook_new_opt(FTemporal.c_str(), &opciones);
    if (FLibro == nullptr) {
        std::error_code ec;
        fs::remove(FTemporal, ec);
        Fallo(ruta, Textos::NoSePuedeCrearTemporal + 2);
    }
}

CEscritorXlsx::~CEscritorXlsx() {
    if (FLibro != nullptr) {
        // Closing is the only way to free the workbook; what it writes is thrown away.
        workbook_close(FLibro);
    }
    if (!FTemporal.empty()) {
        std::error_code ec;
        fs::remove(FTemporal, ec);
    }
}

lxw_worksheet* CEscritorXlsx::AgregarHoja(const std::string& nombre) {
    // Cut on a character boundary of the UTF-8 text.
    std::string corto;
    int caracteres = 0;
    for (const char c : nombre) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80 && ++caracteres > 31) {
            break;
        }
        corto += c;
    }
    lxw_worksheet* hoja = workbook_add_worksheet(FLibro, corto.c_str());
    if (hoja == nullptr) {
        Fallo(FRuta, nombre);
    }
    return hoja;
}

lxw_format* CEscritorXlsx::NuevoFormato() {
    return workbook_add_format(FLibro);
}

void CEscritorXlsx::Cerrar() {
    const lxw_error r = workbook_close(FLibro);
    FLibro = nullptr;
    if (r != LXW_NO_ERROR) {
        Fallo(FRuta, lxw_strerror(r));
    }
    std::error_code ec;
    // The temporary file was made private; the workbook gets the usual permissions.
    const mode_t mascara = ::umask(0);
    ::umask(mascara);
    fs::permissions(FTemporal, static_cast<fs::perms>(0666 & ~mascara), ec);
    fs::rename(FTemporal, FRuta, ec);
    if (ec) {
        Fallo(FRuta, ec.message());
    }
    FTemporal.clear();
}
