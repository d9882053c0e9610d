#pragma once

// An INI-style text file held in memory: the whole file is loaded when the object is
// created and written back only when asked. Sections and keys keep the order they have in
// the file; a key written anew is appended to its section, a section written anew is
// appended to the file; an erased section loses its place. Section and key names are
// compared without regard to ASCII case. Keys and sections the program does not know
// survive a rewrite.
//
// Lines end with CR LF when written; LF and CR LF are read. The file is written in UTF-8;
// a file that is not valid UTF-8 is read as Windows-1252. Saving is atomic: a temporary
// file beside the target is written, flushed and renamed over the target, so a failed
// save leaves the old file as it was.

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

class CIniMemoria {
public:
    // Writes `cantidad` bytes to the file; answers how many were written. The test seam
    // for failing disks: a writer may write less (disk full) or throw (interrupted save).
    using FuncionEscritura =
        std::function<std::size_t(std::FILE* archivo, const char* datos, std::size_t cantidad)>;

    // Loads the file; a missing file gives an empty object. A folder, an unreadable file or
    // a file larger than TamanoMaximoArchivo raises EArchivo.
    explicit CIniMemoria(const std::string& NombreArchivo);
    virtual ~CIniMemoria();

    // A job of 65535 pieces and as many materials with long descriptions, results and
    // thousands of patterns stays well below this; a file beyond it is not a job.
    static constexpr std::uintmax_t TamanoMaximoArchivo = 64u * 1024u * 1024u;

    const std::string& NombreArchivo() const { return FNombreArchivo; }
    // Changes the file the next Actualizar writes, without reloading.
    void Renombrar(const std::string& NombreArchivo);

    bool ExisteSeccion(const std::string& seccion) const;
    bool ExisteClave(const std::string& seccion, const std::string& clave) const;
    std::vector<std::string> Secciones() const;
    // The key = value pairs of a section in file order (empty for a missing section).
    std::vector<std::pair<std::string, std::string>>
    ValoresSeccion(const std::string& seccion) const;

    // Typed reads: a missing key, or a value that does not read as its type, gives `defecto`.
    std::string LeerTexto(const std::string& seccion, const std::string& clave,
                          const std::string& defecto) const;
    // The stored value without a copy (null for a missing key); valid until the next write.
    const std::string* Valor(const std::string& seccion, const std::string& clave) const;
    std::int32_t LeerNumero(const std::string& seccion, const std::string& clave,
                            std::int32_t defecto) const;
    bool LeerLogico(const std::string& seccion, const std::string& clave, bool defecto) const;
    double LeerReal(const std::string& seccion, const std::string& clave, double defecto) const;

    // Typed writes. Line breaks inside a value are written as blanks (a value is one line).
    void EscribirTexto(const std::string& seccion, const std::string& clave,
                       const std::string& valor);
    void EscribirNumero(const std::string& seccion, const std::string& clave, long long valor);
    void EscribirLogico(const std::string& seccion, const std::string& clave, bool valor);
    void EscribirReal(const std::string& seccion, const std::string& clave, double valor);

    void BorrarSeccion(const std::string& seccion);
    void BorrarClave(const std::string& seccion, const std::string& clave);

    // The file's text as Actualizar writes it (UTF-8, CR LF).
    std::string Texto() const;
    // Replaces the whole content by the text of a file (any of the accepted encodings).
    void AsignarTexto(const std::string& texto);

    // Writes the file (atomically). Raises EArchivo when it cannot; the old file stays.
    void Actualizar();

    void AsignarEscritor(FuncionEscritura escritor) { FEscritor = std::move(escritor); }

private:
    struct RLinea {
        std::string Clave;
        std::string Valor;
        bool ConIgual = true; // false for a line without "=" kept as it was
    };
    struct RSeccion {
        std::string Nombre;
        std::vector<RLinea> Lineas;
        // Lower-case key -> position of its first line, so that sections of tens of
        // thousands of records are read and written in linear time.
        std::unordered_map<std::string, std::size_t> Indice;
        void Reindexar();
    };

    const RSeccion* BuscarSeccion(const std::string& seccion) const;
    RSeccion* BuscarSeccion(const std::string& seccion);
    RSeccion& SeccionParaEscribir(const std::string& seccion);
    void Escribir(const std::string& seccion, const std::string& clave, const std::string& valor);
    const RLinea* BuscarLinea(const std::string& seccion, const std::string& clave) const;

    std::string FNombreArchivo;
    std::vector<RSeccion> FSecciones;
    FuncionEscritura FEscritor;
};

// Text of a file as UTF-8: valid UTF-8 (with or without a byte-order mark) is kept,
// anything else is read as Windows-1252.
std::string TextoDeArchivoAUtf8(const std::string& bytes);
// Writes `contenido` to `ruta` through a temporary file beside it, flushed and renamed
// over the target. Raises EArchivo on any failure, leaving the target untouched.
void EscribirArchivoAtomico(const std::string& ruta, const std::string& contenido,
                            const CIniMemoria::FuncionEscritura& escritor = {});
