#pragma once

// One-dimensional cutting stock files: line 1 the number of item types m, line 2 the bar
// capacity C, then m lines "length demand".

#include "RInstancia.h"

#include <filesystem>
#include <istream>
#include <string>

class CLectorBarras {
public:
    static RInstancia Leer(std::istream& entrada, const std::string& grupo,
                           const std::string& nombre);
    static RInstancia LeerArchivo(const std::filesystem::path& ruta, const std::string& grupo,
                                  const std::string& nombre);
};
