#pragma once

// Multi-size sheet files: line 1 "2 <sheet types> <item types> 0 0 0", then one line
// "W H cost" per sheet type (cost = area) and one line "w h demand 0" per item type.

#include "RInstancia.h"

#include <filesystem>
#include <istream>
#include <string>

class CLectorHojas {
public:
    static RInstancia Leer(std::istream& entrada, const std::string& nombre);
    static RInstancia LeerArchivo(const std::filesystem::path& ruta, const std::string& nombre);
};
