#include "document/CIniMemoria.h"

#include "document/UExcepciones.h"
#include "document/UGlobals.h"
#include "document/UTextos.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <string_view>
#include <system_error>

#if __has_include(<unistd.h>)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#define TRAZAL_CON_FSYNC 1
#endif

namespace fs = std::filesystem;

namespace {

std::string Minusculas(const std::string& s) {
    std::string r = s;
    for (char& c : r) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return r;
}

bool IgualSinMayusculas(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'A' && x <= 'Z') {
            x = static_cast<char>(x - 'A' + 'a');
        }
        if (y >= 'A' && y <= 'Z') {
            y = static_cast<char>(y - 'A' + 'a');
        }
        if (x != y) {
            return false;
        }
    }
    return true;
}

// A value is one line of the file.
std::string UnaLinea(const std::string& s) {
    std::string r = s;
    for (char& c : r) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return r;
}

bool EsUtf8Valido(std::string_view s) {
    std::size_t i = 0;
    const std::size_t n = s.size();
    while (i < n) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        int extra = 0;
        std::uint32_t cp = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
            cp = c & 0x1Fu;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            cp = c & 0x0Fu;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            cp = c & 0x07u;
        } else {
            return false;
        }
        if (i + static_cast<std::size_t>(extra) >= n) {
            return false;
        }
        for (int k = 1; k <= extra; ++k) {
            const auto d = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
            if ((d & 0xC0u) != 0x80u) {
                return false;
            }
            cp = (cp << 6) | (d & 0x3Fu);
        }
        // Overlong forms, surrogates and code points above U+10FFFF are not UTF-8.
        if ((extra == 2 && cp < 0x800) || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ||
            (cp >= 0xD800 && cp <= 0xDFFF)) {
            return false;
        }
        i += static_cast<std::size_t>(extra) + 1;
    }
    return true;
}

void AnadirUtf8(std::string& r, std::uint32_t cp) {
    if (cp < 0x80) {
        r += static_cast<char>(cp);
    } else if (cp < 0x800) {
        r += static_cast<char>(0xC0 | (cp >> 6));
        r += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        r += static_cast<char>(0xE0 | (cp >> 12));
        r += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        r += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Windows-1252 bytes 0x80-0x9F; the five unassigned ones keep their C1 code point.
constexpr std::uint16_t Cp1252Alto[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::string ErrorArchivo(const char* inicio, const std::string& ruta, const char* motivo) {
    return std::string(inicio) + "\"" + ruta + "\"" + motivo;
}

} // namespace

namespace {

// The text of the file without its byte-order mark, and whether it is Windows-1252 (any
// text that is not valid UTF-8). Decided once for the whole file, without copying it.
std::string_view SinMarca(std::string_view bytes, bool& cp1252) {
    constexpr std::string_view Marca = "\xEF\xBB\xBF";
    if (bytes.substr(0, 3) == Marca && EsUtf8Valido(bytes.substr(3))) {
        cp1252 = false;
        return bytes.substr(3);
    }
    cp1252 = !EsUtf8Valido(bytes);
    return bytes;
}

void AnadirCp1252(std::string& r, std::string_view bytes) {
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        AnadirUtf8(r, c >= 0x80 && c <= 0x9F ? Cp1252Alto[c - 0x80] : c);
    }
}

// A piece of the file as UTF-8: kept, or converted from Windows-1252.
std::string ComoUtf8(std::string_view bytes, bool cp1252) {
    if (!cp1252) {
        return std::string(bytes);
    }
    std::string r;
    r.reserve(bytes.size() + bytes.size() / 2);
    AnadirCp1252(r, bytes);
    return r;
}

std::string_view RecortarVista(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') {
        s.remove_prefix(1);
    }
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') {
        s.remove_suffix(1);
    }
    return s;
}

} // namespace

std::string TextoDeArchivoAUtf8(const std::string& bytes) {
    bool cp1252 = false;
    const std::string_view texto = SinMarca(bytes, cp1252);
    return ComoUtf8(texto, cp1252);
}

namespace {

// The system's reason for the last failure, after the message: ": no se puede crear el
// archivo temporal (Permiso denegado)".
std::string ConMotivo(const char* mensaje, int error) {
    if (error == 0) {
        return mensaje;
    }
    return std::string(mensaje) + " (" + std::strerror(error) + ")";
}

// The file a save writes before it replaces the target. Where the system allows it, it is
// created without a name in the target's folder and only gets one for the moment before it
// replaces the target, so a save killed halfway leaves nothing behind; elsewhere it is a
// hidden file beside the target.
class CTemporal {
public:
    CTemporal(const fs::path& carpeta, const fs::path& destino) {
        std::random_device azar;
        auto nombre = [&] {
            return carpeta / ("." + destino.filename().string() + ".tmp" +
                              std::to_string(azar() % 1000000000u));
        };
#ifdef O_TMPFILE
        const int fd = ::open(carpeta.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        if (fd >= 0) {
            FArchivo = ::fdopen(fd, "wb");
            if (FArchivo == nullptr) {
                ::close(fd);
            } else {
                FSinNombre = true;
                FNombre = nombre();
                return;
            }
        }
#endif
        for (int intento = 0; intento < 20 && FArchivo == nullptr; ++intento) {
            FNombre = nombre();
            FArchivo = std::fopen(FNombre.c_str(), "wbx");
        }
        FError = FArchivo == nullptr ? errno : 0;
    }
    ~CTemporal() {
        Cerrar();
        if (FConNombre) {
            std::error_code ec;
            fs::remove(FNombre, ec);
        }
    }
    CTemporal(const CTemporal&) = delete;
    CTemporal& operator=(const CTemporal&) = delete;

    std::FILE* Archivo() const {
        return FArchivo;
    }
    int Error() const {
        return FError;
    }
    // Flushed to the disk: the rename must not publish a file whose data is still in memory.
    bool Volcar() {
        bool correcto = std::fflush(FArchivo) == 0 && std::ferror(FArchivo) == 0;
#ifdef TRAZAL_CON_FSYNC
        correcto = correcto && ::fsync(::fileno(FArchivo)) == 0;
#endif
        FError = correcto ? 0 : errno;
        return correcto;
    }
    void Permisos(fs::perms permisos) {
        ::fchmod(::fileno(FArchivo), static_cast<mode_t>(permisos));
    }
    // Gives the file its name (when it had none) and closes it; false on failure.
    bool Publicar() {
#ifdef O_TMPFILE
        if (FSinNombre) {
            const std::string propio = "/proc/self/fd/" + std::to_string(::fileno(FArchivo));
            if (::linkat(AT_FDCWD, propio.c_str(), AT_FDCWD, FNombre.c_str(), AT_SYMLINK_FOLLOW) !=
                0) {
                FError = errno;
                return false;
            }
        }
#endif
        FConNombre = true;
        return Cerrar();
    }
    const fs::path& Nombre() const {
        return FNombre;
    }
    // The file now carries the target's name: nothing to remove.
    void Entregado() {
        FConNombre = false;
    }

private:
    bool Cerrar() {
        if (FArchivo == nullptr) {
            return true;
        }
        const bool correcto = std::fclose(FArchivo) == 0;
        FArchivo = nullptr;
        return correcto;
    }

    std::FILE* FArchivo = nullptr;
    fs::path FNombre;
    bool FSinNombre = false;
    bool FConNombre = false;
    int FError = 0;
};

} // namespace

void EscribirArchivoAtomico(const std::string& ruta, const std::string& contenido,
                            const CIniMemoria::FuncionEscritura& escritor) {
    const fs::path destino(ruta);
    fs::path carpeta = destino.parent_path();
    if (carpeta.empty()) {
        carpeta = ".";
    }
    // In the target's folder, so that the rename stays on one file system.
    CTemporal temporal(carpeta, destino);
    std::FILE* archivo = temporal.Archivo();
    if (archivo == nullptr) {
        throw EArchivo(
            ErrorArchivo(Textos::NoSePuedeGuardarArchivo, ruta,
                         ConMotivo(Textos::NoSePuedeCrearTemporal, temporal.Error()).c_str()));
    }
    constexpr std::size_t Bloque = 1 << 16;
    std::size_t escritos = 0;
    while (escritos < contenido.size()) {
        const std::size_t cantidad = std::min(Bloque, contenido.size() - escritos);
        errno = 0;
        const std::size_t hechos =
            escritor ? escritor(archivo, contenido.data() + escritos, cantidad)
                     : std::fwrite(contenido.data() + escritos, 1, cantidad, archivo);
        if (hechos != cantidad) {
            throw EArchivo(ErrorArchivo(Textos::NoSePuedeGuardarArchivo, ruta,
                                        ConMotivo(Textos::ErrorEscrituraDisco, errno).c_str()));
        }
        escritos += cantidad;
    }
    // The new file keeps the permissions of the one it replaces.
    std::error_code ec;
    const fs::file_status estado = fs::status(destino, ec);
    if (!ec && fs::is_regular_file(estado)) {
        temporal.Permisos(estado.permissions());
    }
    if (!temporal.Volcar() || !temporal.Publicar()) {
        throw EArchivo(
            ErrorArchivo(Textos::NoSePuedeGuardarArchivo, ruta,
                         ConMotivo(Textos::ErrorEscrituraDisco, temporal.Error()).c_str()));
    }
    fs::rename(temporal.Nombre(), destino, ec);
    if (ec) {
        throw EArchivo(ErrorArchivo(
            Textos::NoSePuedeGuardarArchivo, ruta,
            (std::string(Textos::NoSePuedeReemplazar) + " (" + ec.message() + ")").c_str()));
    }
    temporal.Entregado();
}

void CIniMemoria::RSeccion::Reindexar() {
    Indice.clear();
    for (std::size_t i = 0; i < Lineas.size(); ++i) {
        if (Lineas[i].ConIgual) {
            Indice.emplace(Minusculas(Lineas[i].Clave), i);
        }
    }
}

CIniMemoria::CIniMemoria(const std::string& NombreArchivo) : FNombreArchivo(NombreArchivo) {
    const fs::path ruta(NombreArchivo);
    std::error_code ec;
    const fs::file_status estado = fs::status(ruta, ec);
    if (!fs::exists(estado)) {
        return;
    }
    if (fs::is_directory(estado)) {
        throw EArchivo(
            ErrorArchivo(Textos::NoSePuedeLeerArchivo, NombreArchivo, Textos::EsUnaCarpeta));
    }
    // Devices and pipes could block or never end.
    if (!fs::is_regular_file(estado)) {
        throw EArchivo(
            ErrorArchivo(Textos::NoSePuedeLeerArchivo, NombreArchivo, Textos::NoEsArchivoNormal));
    }
    std::ifstream entrada(ruta, std::ios::binary);
    if (!entrada) {
        throw EArchivo(ErrorArchivo(Textos::NoSePuedeLeerArchivo, NombreArchivo, ""));
    }
    // Read in blocks up to the limit rather than trusting the size reported before reading:
    // the file may grow meanwhile.
    std::string bytes;
    // Reserved once from the size the file has now, so that reading does not double it.
    const std::uintmax_t tamano = fs::file_size(ruta, ec);
    if (!ec && tamano > TamanoMaximoArchivo) {
        throw EArchivo(ErrorArchivo(Textos::NoSePuedeLeerArchivo, NombreArchivo,
                                    Textos::ArchivoDemasiadoGrande));
    }
    bytes.reserve(ec ? 0 : static_cast<std::size_t>(tamano) + 1);
    char bloque[1 << 16];
    while (entrada) {
        entrada.read(bloque, sizeof bloque);
        const std::streamsize leidos = entrada.gcount();
        if (leidos <= 0) {
            break;
        }
        if (bytes.size() + static_cast<std::size_t>(leidos) > TamanoMaximoArchivo) {
            throw EArchivo(ErrorArchivo(Textos::NoSePuedeLeerArchivo, NombreArchivo,
                                        Textos::ArchivoDemasiadoGrande));
        }
        bytes.append(bloque, static_cast<std::size_t>(leidos));
    }
    if (entrada.bad()) {
        throw EArchivo(ErrorArchivo(Textos::NoSePuedeLeerArchivo, NombreArchivo, ""));
    }
    AsignarTexto(bytes);
}

CIniMemoria::~CIniMemoria() = default;

void CIniMemoria::Renombrar(const std::string& NombreArchivo) {
    FNombreArchivo = NombreArchivo;
}

void CIniMemoria::AsignarTexto(const std::string& texto) {
    // The text is walked in place and only what is kept is copied (and converted when the
    // file is Windows-1252): reading costs a small multiple of the file's size.
    bool cp1252 = false;
    const std::string_view t = SinMarca(texto, cp1252);
    FSecciones.clear();
    RSeccion* actual = nullptr;
    std::size_t inicio = 0;
    while (inicio < t.size()) {
        std::size_t fin = t.find_first_of("\r\n", inicio);
        if (fin == std::string_view::npos) {
            fin = t.size();
        }
        const std::string_view linea = t.substr(inicio, fin - inicio);
        inicio = fin;
        if (inicio < t.size() && t[inicio] == '\r') {
            ++inicio;
        }
        if (inicio < t.size() && t[inicio] == '\n') {
            ++inicio;
        }
        const std::string_view recortada = RecortarVista(linea);
        if (recortada.empty() || recortada[0] == ';') {
            continue;
        }
        if (recortada.front() == '[' && recortada.back() == ']' && recortada.size() >= 2) {
            const std::string nombre =
                ComoUtf8(RecortarVista(recortada.substr(1, recortada.size() - 2)), cp1252);
            // A repeated section continues the first one of that name.
            actual = BuscarSeccion(nombre);
            if (actual == nullptr) {
                FSecciones.push_back(RSeccion{nombre, {}, {}});
                actual = &FSecciones.back();
            }
            continue;
        }
        if (actual == nullptr) {
            continue; // lines before the first section belong to none
        }
        const std::size_t igual = linea.find('=');
        RLinea nueva;
        if (igual == std::string_view::npos) {
            nueva.Clave = ComoUtf8(recortada, cp1252);
            nueva.ConIgual = false;
        } else {
            nueva.Clave = ComoUtf8(RecortarVista(linea.substr(0, igual)), cp1252);
            nueva.Valor = ComoUtf8(linea.substr(igual + 1), cp1252);
        }
        actual->Lineas.push_back(std::move(nueva));
        if (actual->Lineas.back().ConIgual) {
            actual->Indice.emplace(Minusculas(actual->Lineas.back().Clave),
                                   actual->Lineas.size() - 1);
        }
    }
}

std::string CIniMemoria::Texto() const {
    std::string r;
    for (const RSeccion& s : FSecciones) {
        r += "[" + s.Nombre + "]\r\n";
        for (const RLinea& l : s.Lineas) {
            r += l.Clave;
            if (l.ConIgual) {
                r += '=';
                r += l.Valor;
            }
            r += "\r\n";
        }
    }
    return r;
}

void CIniMemoria::Actualizar() {
    EscribirArchivoAtomico(FNombreArchivo, Texto(), FEscritor);
}

const CIniMemoria::RSeccion* CIniMemoria::BuscarSeccion(const std::string& seccion) const {
    for (const RSeccion& s : FSecciones) {
        if (IgualSinMayusculas(s.Nombre, seccion)) {
            return &s;
        }
    }
    return nullptr;
}

CIniMemoria::RSeccion* CIniMemoria::BuscarSeccion(const std::string& seccion) {
    for (RSeccion& s : FSecciones) {
        if (IgualSinMayusculas(s.Nombre, seccion)) {
            return &s;
        }
    }
    return nullptr;
}

CIniMemoria::RSeccion& CIniMemoria::SeccionParaEscribir(const std::string& seccion) {
    RSeccion* s = BuscarSeccion(seccion);
    if (s == nullptr) {
        FSecciones.push_back(RSeccion{UnaLinea(seccion), {}, {}});
        s = &FSecciones.back();
    }
    return *s;
}

const CIniMemoria::RLinea* CIniMemoria::BuscarLinea(const std::string& seccion,
                                                    const std::string& clave) const {
    const RSeccion* s = BuscarSeccion(seccion);
    if (s == nullptr) {
        return nullptr;
    }
    const auto it = s->Indice.find(Minusculas(clave));
    return it == s->Indice.end() ? nullptr : &s->Lineas[it->second];
}

bool CIniMemoria::ExisteSeccion(const std::string& seccion) const {
    return BuscarSeccion(seccion) != nullptr;
}

bool CIniMemoria::ExisteClave(const std::string& seccion, const std::string& clave) const {
    return BuscarLinea(seccion, clave) != nullptr;
}

std::vector<std::string> CIniMemoria::Secciones() const {
    std::vector<std::string> r;
    r.reserve(FSecciones.size());
    for (const RSeccion& s : FSecciones) {
        r.push_back(s.Nombre);
    }
    return r;
}

std::vector<std::pair<std::string, std::string>>
CIniMemoria::ValoresSeccion(const std::string& seccion) const {
    std::vector<std::pair<std::string, std::string>> r;
    if (const RSeccion* s = BuscarSeccion(seccion)) {
        for (const RLinea& l : s->Lineas) {
            if (l.ConIgual) {
                r.emplace_back(l.Clave, l.Valor);
            }
        }
    }
    return r;
}

std::string CIniMemoria::LeerTexto(const std::string& seccion, const std::string& clave,
                                   const std::string& defecto) const {
    const RLinea* l = BuscarLinea(seccion, clave);
    return l == nullptr ? defecto : l->Valor;
}

const std::string* CIniMemoria::Valor(const std::string& seccion, const std::string& clave) const {
    const RLinea* l = BuscarLinea(seccion, clave);
    return l == nullptr ? nullptr : &l->Valor;
}

std::int32_t CIniMemoria::LeerNumero(const std::string& seccion, const std::string& clave,
                                     std::int32_t defecto) const {
    const RLinea* l = BuscarLinea(seccion, clave);
    long long v = 0;
    if (l == nullptr || !::LeerEntero(l->Valor, v) ||
        v < std::numeric_limits<std::int32_t>::min() ||
        v > std::numeric_limits<std::int32_t>::max()) {
        return defecto;
    }
    return static_cast<std::int32_t>(v);
}

bool CIniMemoria::LeerLogico(const std::string& seccion, const std::string& clave,
                             bool defecto) const {
    return LeerNumero(seccion, clave, defecto ? 1 : 0) != 0;
}

double CIniMemoria::LeerReal(const std::string& seccion, const std::string& clave,
                             double defecto) const {
    const RLinea* l = BuscarLinea(seccion, clave);
    if (l == nullptr) {
        return defecto;
    }
    const std::string t = Recortar(l->Valor);
    double v = 0.0;
    const char* fin = t.data() + t.size();
    const auto [ptr, ec] = std::from_chars(t.data(), fin, v);
    if (t.empty() || ec != std::errc() || ptr != fin || !std::isfinite(v)) {
        return defecto;
    }
    return v;
}

void CIniMemoria::Escribir(const std::string& seccion, const std::string& clave,
                           const std::string& valor) {
    RSeccion& s = SeccionParaEscribir(seccion);
    const std::string c = UnaLinea(clave);
    const auto it = s.Indice.find(Minusculas(c));
    if (it != s.Indice.end()) {
        s.Lineas[it->second].Valor = UnaLinea(valor);
        return;
    }
    s.Lineas.push_back(RLinea{c, UnaLinea(valor), true});
    s.Indice.emplace(Minusculas(c), s.Lineas.size() - 1);
}

void CIniMemoria::EscribirTexto(const std::string& seccion, const std::string& clave,
                                const std::string& valor) {
    Escribir(seccion, clave, valor);
}

void CIniMemoria::EscribirNumero(const std::string& seccion, const std::string& clave,
                                 long long valor) {
    Escribir(seccion, clave, std::to_string(valor));
}

void CIniMemoria::EscribirLogico(const std::string& seccion, const std::string& clave, bool valor) {
    Escribir(seccion, clave, valor ? "1" : "0");
}

void CIniMemoria::EscribirReal(const std::string& seccion, const std::string& clave, double valor) {
    // Shortest text that reads back as the same double, always with "." as separator.
    char buffer[64];
    const auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, valor);
    Escribir(seccion, clave, ec == std::errc() ? std::string(buffer, ptr) : std::string("0"));
}

void CIniMemoria::BorrarSeccion(const std::string& seccion) {
    for (auto it = FSecciones.begin(); it != FSecciones.end(); ++it) {
        if (IgualSinMayusculas(it->Nombre, seccion)) {
            FSecciones.erase(it);
            return;
        }
    }
}

void CIniMemoria::BorrarClave(const std::string& seccion, const std::string& clave) {
    RSeccion* s = BuscarSeccion(seccion);
    if (s == nullptr) {
        return;
    }
    const auto it = s->Indice.find(Minusculas(clave));
    if (it == s->Indice.end()) {
        return;
    }
    s->Lineas.erase(s->Lineas.begin() + static_cast<std::ptrdiff_t>(it->second));
    s->Reindexar();
}
