#pragma once

// Label-format files (*.fmt): plain text, one line of the options dialog's format memo per
// line (a "\ret" of the format is a line break of the file; "\n", "\1".."\3" appear as
// written). Written as UTF-8 with "\n" line ends and a final line end; read in UTF-8 or
// Windows-1252, with "\n", "\r\n" or "\r" line ends. A file is at most TamanoMaximo bytes
// and holds text only: anything else is refused with EArchivo and a Spanish message, so a
// damaged file never reaches the memo. Saving is atomic: a failed save leaves the old file.
//
// The memo text has "\n" between its lines. Writing adds one line end and reading removes
// one, so that any memo text survives a save and a load unchanged.

#include <cstddef>
#include <iosfwd>
#include <string>

namespace ArchivoFormato {

// A format is a few lines; a file this large is not one.
inline constexpr std::size_t TamanoMaximo = 64 * 1024;

// The memo text of a file's bytes; `nombre` names the file in the error message.
std::string LeerTexto(const std::string& bytes, const std::string& nombre);
std::string Leer(std::istream& entrada, const std::string& nombre);
std::string Leer(const std::string& ruta);

// The file's bytes for a memo text.
std::string TextoArchivo(const std::string& memo);
void Guardar(const std::string& ruta, const std::string& memo);

} // namespace ArchivoFormato
