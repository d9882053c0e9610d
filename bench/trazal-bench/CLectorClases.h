#pragma once

// 2-D bin packing class files: several instances one after the other, each with a header
// (class; number of items; relative and absolute instance number; bin height and width)
// followed by one "height width" line per item. Height comes first.

#include "RInstancia.h"

#include <filesystem>
#include <istream>
#include <string>
#include <vector>

class CLectorClases {
public:
    // Instances are named "<class>/<items>/<relative number>", the key of the known values.
    static std::vector<RInstancia> Leer(std::istream& entrada, const std::string& nombre);
    static std::vector<RInstancia> LeerArchivo(const std::filesystem::path& ruta);
};
