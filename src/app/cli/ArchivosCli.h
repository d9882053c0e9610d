#pragma once

// The checks every command of trazal-cli makes on the files it is given, so that each
// problem has one message whichever command meets it.

#include <string>
#include <vector>

// The job file a command reads: empty when it is a regular file, otherwise the message
// ("Error al crear el lanzamiento: " followed by what is wrong: missing, a folder, a device
// or pipe).
std::string ProblemaEntrada(const std::string& ruta);

// A file a command writes from the job `entrada`: empty when it may be written, otherwise
// the message. Refused: the job file itself (also through another name or a link), a
// folder, and an extension (compared without case) other than those given, such as
// {".png", ".pdf"}.
std::string ProblemaSalida(const std::string& entrada, const std::string& salida,
                           const std::vector<std::string>& extensiones);
