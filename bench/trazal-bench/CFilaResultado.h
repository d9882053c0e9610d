#pragma once

// The columns of a result row, written as CSV for the report and as one tab-separated
// line for the pipe from a measuring child process back to the runner.

#include "RResultado.h"

#include <optional>
#include <string>

class CFilaResultado {
public:
    static std::string CabeceraCsv();
    static std::string Csv(const RResultado& r);

    // One line without tabs or line breaks inside the fields.
    static std::string Serializar(const RResultado& r);
    // Nothing when the line does not have every column.
    static std::optional<RResultado> Deserializar(const std::string& linea);
    // A row of the CSV written by Csv (quoted fields allowed); nothing when it does not have
    // every column.
    static std::optional<RResultado> DesdeCsv(const std::string& linea);
};
