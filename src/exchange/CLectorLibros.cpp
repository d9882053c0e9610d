#include "exchange/CLectorLibros.h"

#include "document/UExcepciones.h"
#include "document/UTextos.h"

#include <freexl.h>
#include <ixion/cell_access.hpp>
#include <ixion/formula_result.hpp>
#include <ixion/model_context.hpp>
#include <orcus/orcus_csv.hpp>
#include <orcus/orcus_ods.hpp>
#include <orcus/orcus_xlsx.hpp>
#include <orcus/spreadsheet/document.hpp>
#include <orcus/spreadsheet/factory.hpp>
#include <orcus/spreadsheet/sheet.hpp>
#include <orcus/spreadsheet/styles.hpp>
#include <orcus/zip_archive.hpp>
#include <orcus/zip_archive_stream.hpp>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;
namespace ss = orcus::spreadsheet;

[[noreturn]] void Fallo(const std::string& ruta, const char* motivo) {
    throw EArchivo(std::string(Textos::NoSePuedeLeerLibro) + "\"" + ruta + "\"" + motivo);
}

// Excel shows 15 significant digits; integers without a decimal point.
std::string TextoNumero(double v) {
    if (!std::isfinite(v)) {
        return "#NUM!";
    }
    std::array<char, 64> b{};
    const auto r = std::to_chars(b.data(), b.data() + b.size(), v, std::chars_format::general, 15);
    std::string s(b.data(), r.ptr);
    return s == "-0" ? "0" : s;
}

// A serial date (days since 1899-12-30) as "AAAA-MM-DD".
std::string TextoFecha(double serie) {
    using namespace std::chrono;
    const sys_days dia = sys_days(year{1899} / December / 30) + days(static_cast<long>(serie));
    const year_month_day f(dia);
    char b[32];
    std::snprintf(b, sizeof b, "%04d-%02u-%02u", static_cast<int>(f.year()),
                  static_cast<unsigned>(f.month()), static_cast<unsigned>(f.day()));
    return b;
}

// A number format shows a date when it is one of the built-in date formats or holds a day,
// month or year code outside quotes and brackets.
bool FormatoFecha(const ss::number_format_t& nf) {
    const std::size_t id = nf.identifier;
    if ((id >= 14 && id <= 22) || (id >= 45 && id <= 47)) {
        return true;
    }
    bool comillas = false;
    bool corchete = false;
    for (const char c : nf.format_string) {
        if (c == '"') {
            comillas = !comillas;
        } else if (c == '[') {
            corchete = true;
        } else if (c == ']') {
            corchete = false;
        } else if (!comillas && !corchete && (c == 'd' || c == 'D' || c == 'y' || c == 'Y')) {
            return true;
        }
    }
    return false;
}

class CHojaOrcus : public CHojaCalculo {
public:
    CHojaOrcus(const ss::document& doc, ss::sheet_t indice, bool csv)
        : FDoc(doc), FIndice(indice), FCsv(csv) {
        const ss::sheet* hoja = doc.get_sheet(indice);
        const ixion::abs_range_t r = hoja->get_data_range();
        if (r.valid()) {
            FFilas = r.last.row + 1;
            FColumnas = r.last.column + 1;
        }
    }
    std::string Nombre() const override { return std::string(FDoc.get_sheet_name(FIndice)); }
    int Filas() const override { return FFilas; }
    int Columnas() const override { return FColumnas; }

    std::optional<std::string> Celda(int fila, int columna) const override {
        if (fila < 1 || columna < 1 || fila > FFilas || columna > FColumnas) {
            return std::nullopt;
        }
        const ixion::abs_address_t dir(FIndice, fila - 1, columna - 1);
        const ixion::cell_access c = FDoc.get_model_context().get_cell_access(dir);
        switch (c.get_value_type()) {
        case ixion::cell_value_t::string: {
            std::string texto(c.get_string_value());
            // The CSV reader keeps the CR of CR LF line ends in the last cell of a line.
            if (FCsv && !texto.empty() && texto.back() == '\r') {
                texto.pop_back();
            }
            if (texto.empty()) {
                return std::nullopt;
            }
            return texto;
        }
        case ixion::cell_value_t::numeric: {
            const double v = c.get_numeric_value();
            if (EsFecha(fila, columna)) {
                return TextoFecha(v);
            }
            return TextoNumero(v);
        }
        case ixion::cell_value_t::boolean:
            return std::string(c.get_boolean_value() ? Textos::Verdadero : Textos::Falso);
        case ixion::cell_value_t::error:
            return std::string(ixion::get_formula_error_name(c.get_error_value()));
        default:
            return std::nullopt;
        }
    }

private:
    bool EsFecha(int fila, int columna) const {
        const ss::sheet* hoja = FDoc.get_sheet(FIndice);
        const ss::styles& estilos = FDoc.get_styles();
        const ss::cell_format_t* formato =
            estilos.get_cell_format(hoja->get_cell_format(fila - 1, columna - 1));
        if (formato == nullptr) {
            return false;
        }
        // The cell format holds the format's identifier; custom formats (164 on) are looked
        // up among the workbook's own.
        const std::size_t id = formato->number_format;
        if (id < 164) {
            ss::number_format_t integrado;
            integrado.identifier = id;
            return FormatoFecha(integrado);
        }
        for (std::size_t i = 0; i < estilos.get_number_format_count(); ++i) {
            const ss::number_format_t* nf = estilos.get_number_format(i);
            if (nf != nullptr && nf->identifier == id) {
                return FormatoFecha(*nf);
            }
        }
        return false;
    }

    const ss::document& FDoc;
    ss::sheet_t FIndice;
    bool FCsv;
    int FFilas = 0;
    int FColumnas = 0;
};

class CLibroOrcus : public CLibroCalculo {
public:
    CLibroOrcus(std::string nombre, std::unique_ptr<ss::document> doc, bool csv)
        : FNombre(std::move(nombre)), FDoc(std::move(doc)) {
        for (std::size_t i = 0; i < FDoc->get_sheet_count(); ++i) {
            FHojas.push_back(std::make_unique<CHojaOrcus>(*FDoc, static_cast<ss::sheet_t>(i), csv));
        }
    }
    std::string Nombre() const override { return FNombre; }
    int Hojas() const override { return static_cast<int>(FHojas.size()); }
    const CHojaCalculo& Hoja(int i) const override {
        return *FHojas.at(static_cast<std::size_t>(i));
    }

private:
    std::string FNombre;
    std::unique_ptr<ss::document> FDoc;
    std::vector<std::unique_ptr<CHojaOrcus>> FHojas;
};

// freexl reads cells of the selected sheet; every read selects its own sheet first.
class CHojaFreexl : public CHojaCalculo {
public:
    CHojaFreexl(const void* manejador, unsigned short indice)
        : FManejador(manejador), FIndice(indice) {
        const char* nombre = nullptr;
        if (freexl_get_worksheet_name(manejador, indice, &nombre) == FREEXL_OK && nombre) {
            FNombre = nombre;
        }
        unsigned int filas = 0;
        unsigned short columnas = 0;
        if (freexl_select_active_worksheet(manejador, indice) == FREEXL_OK &&
            freexl_worksheet_dimensions(manejador, &filas, &columnas) == FREEXL_OK) {
            FFilas = static_cast<int>(std::min<unsigned int>(filas, 1u << 20));
            FColumnas = columnas;
        }
    }
    std::string Nombre() const override { return FNombre; }
    int Filas() const override { return FFilas; }
    int Columnas() const override { return FColumnas; }

    std::optional<std::string> Celda(int fila, int columna) const override {
        if (fila < 1 || columna < 1 || fila > FFilas || columna > FColumnas) {
            return std::nullopt;
        }
        FreeXL_CellValue v;
        if (freexl_select_active_worksheet(FManejador, FIndice) != FREEXL_OK ||
            freexl_get_cell_value(FManejador, static_cast<unsigned int>(fila - 1),
                                  static_cast<unsigned short>(columna - 1), &v) != FREEXL_OK) {
            return std::nullopt;
        }
        switch (v.type) {
        case FREEXL_CELL_INT:
            return std::to_string(v.value.int_value);
        case FREEXL_CELL_DOUBLE:
            return TextoNumero(v.value.double_value);
        case FREEXL_CELL_TEXT:
        case FREEXL_CELL_SST_TEXT:
        case FREEXL_CELL_DATE:
        case FREEXL_CELL_DATETIME:
        case FREEXL_CELL_TIME:
            if (v.value.text_value != nullptr && *v.value.text_value != '\0') {
                return std::string(v.value.text_value);
            }
            return std::nullopt;
        default:
            return std::nullopt;
        }
    }

private:
    const void* FManejador;
    unsigned short FIndice;
    std::string FNombre;
    int FFilas = 0;
    int FColumnas = 0;
};

class CLibroFreexl : public CLibroCalculo {
public:
    CLibroFreexl(std::string nombre, const void* manejador)
        : FNombre(std::move(nombre)), FManejador(manejador) {
        unsigned int hojas = 0;
        freexl_get_info(manejador, FREEXL_BIFF_SHEET_COUNT, &hojas);
        for (unsigned int i = 0; i < hojas && i < 65535; ++i) {
            FHojas.push_back(
                std::make_unique<CHojaFreexl>(manejador, static_cast<unsigned short>(i)));
        }
    }
    ~CLibroFreexl() override { freexl_close(FManejador); }
    CLibroFreexl(const CLibroFreexl&) = delete;
    CLibroFreexl& operator=(const CLibroFreexl&) = delete;
    std::string Nombre() const override { return FNombre; }
    int Hojas() const override { return static_cast<int>(FHojas.size()); }
    const CHojaCalculo& Hoja(int i) const override {
        return *FHojas.at(static_cast<std::size_t>(i));
    }

private:
    std::string FNombre;
    const void* FManejador;
    std::vector<std::unique_ptr<CHojaFreexl>> FHojas;
};

// ---- Packages with absolute part names ----
// Some writers (openpyxl among them) name the parts of a package by absolute paths in its
// relationships ("/xl/worksheets/sheet1.xml"); this liborcus then finds no cells at all.
// Such a package is rebuilt in memory with relative paths, its entries stored uncompressed.

constexpr std::size_t MaximoDescomprimido = 1024UL * 1024 * 1024;

void Agregar16(std::string& s, unsigned v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>((v >> 8) & 0xFF);
}

void Agregar32(std::string& s, unsigned long v) {
    Agregar16(s, static_cast<unsigned>(v & 0xFFFF));
    Agregar16(s, static_cast<unsigned>((v >> 16) & 0xFFFF));
}

std::string PaqueteZip(const std::vector<std::pair<std::string, std::string>>& entradas) {
    std::string zip;
    std::string central;
    for (const auto& [nombre, datos] : entradas) {
        const unsigned long crc = crc32(0L, reinterpret_cast<const Bytef*>(datos.data()),
                                        static_cast<uInt>(datos.size()));
        const unsigned long desplazamiento = zip.size();
        Agregar32(zip, 0x04034b50);
        Agregar16(zip, 20);
        Agregar16(zip, 0x0800); // UTF-8 names
        Agregar16(zip, 0);      // stored
        Agregar32(zip, 0);      // time and date
        Agregar32(zip, crc);
        Agregar32(zip, datos.size());
        Agregar32(zip, datos.size());
        Agregar16(zip, static_cast<unsigned>(nombre.size()));
        Agregar16(zip, 0);
        zip += nombre;
        zip += datos;
        Agregar32(central, 0x02014b50);
        Agregar16(central, 20);
        Agregar16(central, 20);
        Agregar16(central, 0x0800);
        Agregar16(central, 0);
        Agregar32(central, 0);
        Agregar32(central, crc);
        Agregar32(central, datos.size());
        Agregar32(central, datos.size());
        Agregar16(central, static_cast<unsigned>(nombre.size()));
        Agregar32(central, 0); // extra and comment lengths
        Agregar32(central, 0); // disk number and internal attributes
        Agregar32(central, 0); // external attributes
        Agregar32(central, desplazamiento);
        central += nombre;
    }
    const unsigned long inicioCentral = zip.size();
    zip += central;
    Agregar32(zip, 0x06054b50);
    Agregar32(zip, 0);
    Agregar16(zip, static_cast<unsigned>(entradas.size()));
    Agregar16(zip, static_cast<unsigned>(entradas.size()));
    Agregar32(zip, central.size());
    Agregar32(zip, inicioCentral);
    Agregar16(zip, 0);
    return zip;
}

// Every Target="/..." of a relationships part made relative to the folder of its source.
std::string TargetsRelativos(const std::string& parte, std::string texto) {
    // "xl/_rels/workbook.xml.rels" describes parts of "xl/".
    const fs::path origen = fs::path("/" + parte).parent_path().parent_path();
    const std::string marca = "Target=\"/";
    for (std::size_t p = texto.find(marca); p != std::string::npos; p = texto.find(marca, p)) {
        const std::size_t inicio = p + marca.size() - 1;
        const std::size_t fin = texto.find('"', inicio);
        if (fin == std::string::npos) {
            break;
        }
        const std::string relativo = fs::path(texto.substr(inicio, fin - inicio))
                                         .lexically_relative(origen)
                                         .generic_string();
        texto.replace(inicio, fin - inicio, relativo);
        p = inicio;
    }
    return texto;
}

// Cells of inline strings (t="inlineStr", which this liborcus skips) turned into shared
// strings appended to `compartidas`, whose first index is `base`.
std::string SinCadenasEnLinea(const std::string& hoja, std::vector<std::string>& compartidas,
                              std::size_t base) {
    const std::string marca = "t=\"inlineStr\"";
    std::string salida;
    salida.reserve(hoja.size());
    std::size_t copiado = 0;
    for (std::size_t p = hoja.find(marca); p != std::string::npos; p = hoja.find(marca, p)) {
        const std::size_t inicioIs = hoja.find("<is>", p);
        const std::size_t finIs = hoja.find("</is>", p);
        if (inicioIs == std::string::npos || finIs == std::string::npos || finIs < inicioIs) {
            break;
        }
        // The runs' texts (<t>…</t> or <t xml:space="preserve">…</t>), still escaped.
        std::string texto;
        for (std::size_t t = hoja.find("<t", inicioIs); t != std::string::npos && t < finIs;
             t = hoja.find("<t", t + 1)) {
            const std::size_t cierre = hoja.find('>', t);
            if (cierre == std::string::npos || cierre > finIs || hoja[cierre - 1] == '/' ||
                (hoja[t + 2] != '>' && hoja[t + 2] != ' ')) {
                continue;
            }
            const std::size_t fin = hoja.find("</t>", cierre);
            if (fin == std::string::npos || fin > finIs) {
                break;
            }
            texto += hoja.substr(cierre + 1, fin - cierre - 1);
        }
        compartidas.push_back(std::move(texto));
        salida.append(hoja, copiado, p - copiado);
        salida += "t=\"s\"";
        salida.append(hoja, p + marca.size(), inicioIs - p - marca.size());
        salida += "<v>" + std::to_string(base + compartidas.size() - 1) + "</v>";
        copiado = finIs + 5;
        p = copiado;
    }
    salida.append(hoja, copiado, std::string::npos);
    return salida;
}

std::string InsertarAntes(std::string texto, const std::string& cierre, const std::string& nuevo) {
    const std::size_t p = texto.rfind(cierre);
    if (p != std::string::npos) {
        texto.insert(p, nuevo);
    }
    return texto;
}

// The package rebuilt with relative targets and shared strings, or empty when it needs
// nothing.
std::string PaqueteCorregido(const std::string& datos) {
    orcus::zip_archive_stream_blob flujo(reinterpret_cast<const uint8_t*>(datos.data()),
                                         datos.size());
    orcus::zip_archive zip(&flujo);
    zip.load();
    std::vector<std::pair<std::string, std::string>> entradas;
    std::vector<unsigned char> buf;
    std::size_t total = 0;
    for (std::size_t i = 0; i < zip.get_file_entry_count() && i < 65535; ++i) {
        const std::string nombre(zip.get_file_entry_name(i));
        buf.clear();
        if (nombre.empty() || nombre.back() == '/' || !zip.read_file_entry(nombre, buf)) {
            continue;
        }
        total += buf.size();
        if (total > MaximoDescomprimido) {
            throw std::length_error("paquete");
        }
        entradas.emplace_back(nombre, std::string(buf.begin(), buf.end()));
    }
    bool absolutos = false;
    bool enLinea = false;
    for (const auto& [nombre, contenido] : entradas) {
        absolutos = absolutos || (nombre.ends_with(".rels") &&
                                  contenido.find("Target=\"/") != std::string::npos);
        enLinea = enLinea || (nombre.starts_with("xl/worksheets/") &&
                              contenido.find("t=\"inlineStr\"") != std::string::npos);
    }
    if (!absolutos && !enLinea) {
        return {};
    }
    for (auto& [nombre, contenido] : entradas) {
        if (nombre.ends_with(".rels")) {
            contenido = TargetsRelativos(nombre, std::move(contenido));
        }
    }
    if (enLinea) {
        auto compartidas = std::find_if(entradas.begin(), entradas.end(), [](const auto& e) {
            return e.first == "xl/sharedStrings.xml";
        });
        std::size_t base = 0;
        if (compartidas != entradas.end()) {
            for (std::size_t p = compartidas->second.find("<si"); p != std::string::npos;
                 p = compartidas->second.find("<si", p + 3)) {
                const char c = compartidas->second[p + 3];
                base += c == '>' || c == ' ' || c == '/' ? 1 : 0;
            }
        }
        std::vector<std::string> nuevas;
        for (auto& [nombre, contenido] : entradas) {
            if (nombre.starts_with("xl/worksheets/") && nombre.ends_with(".xml")) {
                contenido = SinCadenasEnLinea(contenido, nuevas, base);
            }
        }
        std::string si;
        for (const auto& t : nuevas) {
            si += "<si><t xml:space=\"preserve\">" + t + "</t></si>";
        }
        if (compartidas != entradas.end()) {
            compartidas = std::find_if(entradas.begin(), entradas.end(), [](const auto& e) {
                return e.first == "xl/sharedStrings.xml";
            });
            compartidas->second = InsertarAntes(std::move(compartidas->second), "</sst>", si);
        } else {
            entradas.emplace_back(
                "xl/sharedStrings.xml",
                "<?xml version=\"1.0\" encoding=\"UTF-8\"?><sst xmlns=\"http://schemas."
                "openxmlformats.org/spreadsheetml/2006/main\">" +
                    si + "</sst>");
            for (auto& [nombre, contenido] : entradas) {
                if (nombre == "[Content_Types].xml") {
                    contenido = InsertarAntes(
                        std::move(contenido), "</Types>",
                        "<Override PartName=\"/xl/sharedStrings.xml\" ContentType=\"application/"
                        "vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml\"/>");
                } else if (nombre == "xl/_rels/workbook.xml.rels") {
                    contenido = InsertarAntes(
                        std::move(contenido), "</Relationships>",
                        "<Relationship Id=\"rIdCadenasTrazal\" Type=\"http://schemas."
                        "openxmlformats.org/officeDocument/2006/relationships/sharedStrings\" "
                        "Target=\"sharedStrings.xml\"/>");
                }
            }
        }
    }
    return PaqueteZip(entradas);
}

std::string LeerTodo(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

std::unique_ptr<CLibroCalculo> AbrirXls(const std::string& ruta, const std::string& nombre) {
    const void* manejador = nullptr;
    const int r = freexl_open(ruta.c_str(), &manejador);
    if (r != FREEXL_OK) {
        if (manejador != nullptr) {
            freexl_close(manejador);
        }
        // An encrypted Office file of any kind is a compound file freexl cannot read.
        Fallo(ruta, r == FREEXL_BIFF_OBFUSCATED ? Textos::LibroCifrado : Textos::LibroDanado);
    }
    unsigned int clave = 0;
    if (freexl_get_info(manejador, FREEXL_BIFF_PASSWORD, &clave) == FREEXL_OK &&
        clave == FREEXL_BIFF_OBFUSCATED) {
        freexl_close(manejador);
        Fallo(ruta, Textos::LibroCifrado);
    }
    return std::make_unique<CLibroFreexl>(nombre, manejador);
}

std::unique_ptr<CLibroCalculo> AbrirOrcus(const std::string& ruta, const std::string& nombre,
                                          orcus::format_t formato) {
    auto doc = std::make_unique<ss::document>(ss::range_size_t{1048576, 16384});
    ss::import_factory fabrica(*doc);
    // Formulas saved without their result (by some writers) are calculated on reading.
    fabrica.set_recalc_formula_cells(true);
    try {
        switch (formato) {
        case orcus::format_t::xlsx: {
            orcus::orcus_xlsx filtro(&fabrica);
            if (const std::string corregido = PaqueteCorregido(LeerTodo(ruta));
                !corregido.empty()) {
                filtro.read_stream(corregido);
            } else {
                filtro.read_file(ruta);
            }
            break;
        }
        case orcus::format_t::ods: {
            orcus::orcus_ods filtro(&fabrica);
            filtro.read_file(ruta);
            break;
        }
        default: {
            orcus::orcus_csv filtro(&fabrica);
            filtro.read_file(ruta);
            break;
        }
        }
    } catch (const std::exception&) {
        Fallo(ruta, Textos::LibroDanado);
    }
    if (doc->get_sheet_count() == 0) {
        Fallo(ruta, Textos::LibroSinHojas);
    }
    return std::make_unique<CLibroOrcus>(nombre, std::move(doc), formato == orcus::format_t::csv);
}

std::string ExtensionMinusculas(const fs::path& p) {
    std::string e = p.extension().string();
    for (auto& c : e) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return e;
}

} // namespace

std::unique_ptr<CLibroCalculo> CLectorLibros::Abrir(const std::string& ruta) {
    std::error_code ec;
    const fs::path p(ruta);
    if (!fs::is_regular_file(p, ec)) {
        Fallo(ruta, fs::is_directory(p, ec) ? Textos::EsUnaCarpeta : Textos::NoEsArchivoNormal);
    }
    const auto tamano = fs::file_size(p, ec);
    if (ec) {
        Fallo(ruta, Textos::NoEsArchivoNormal);
    }
    if (static_cast<long long>(tamano) > TamanoMaximo) {
        Fallo(ruta, Textos::ArchivoDemasiadoGrande);
    }
    std::array<unsigned char, 8> cabecera{};
    {
        std::ifstream f(p, std::ios::binary);
        f.read(reinterpret_cast<char*>(cabecera.data()), cabecera.size());
    }
    const std::string nombre = p.filename().string();
    const std::string ext = ExtensionMinusculas(p);
    static constexpr std::array<unsigned char, 8> Compuesto = {0xD0, 0xCF, 0x11, 0xE0,
                                                               0xA1, 0xB1, 0x1A, 0xE1};
    if (cabecera == Compuesto) {
        // A compound file is a ".xls", or an encrypted ".xlsx"/".ods".
        if (ext == ".xlsx" || ext == ".xlsm" || ext == ".ods") {
            Fallo(ruta, Textos::LibroCifrado);
        }
        return AbrirXls(ruta, nombre);
    }
    if (cabecera[0] == 'P' && cabecera[1] == 'K') {
        // Tell the two zipped formats apart by their content.
        std::string datos = LeerTodo(p);
        const auto* b = reinterpret_cast<const unsigned char*>(datos.data());
        bool xlsx = false;
        bool ods = false;
        try {
            xlsx = orcus::orcus_xlsx::detect(b, datos.size());
            ods = !xlsx && orcus::orcus_ods::detect(b, datos.size());
        } catch (const std::exception&) {
        }
        if (xlsx || ods) {
            datos.clear();
            datos.shrink_to_fit();
            return AbrirOrcus(ruta, nombre, xlsx ? orcus::format_t::xlsx : orcus::format_t::ods);
        }
        Fallo(ruta, Textos::LibroDanado);
    }
    if (ext == ".csv" || ext == ".txt") {
        return AbrirOrcus(ruta, nombre, orcus::format_t::csv);
    }
    if (ext == ".xlsx" || ext == ".xls" || ext == ".ods" || ext == ".xlsm") {
        Fallo(ruta, Textos::LibroDanado);
    }
    Fallo(ruta, Textos::LibroFormatoDesconocido);
}
