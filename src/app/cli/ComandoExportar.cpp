// trazal-cli exportar JOB.lan LIBRO.xlsx: the job and its plan written to a new workbook.

#include "cli/Comandos.h"

#include <iostream>

int ComandoExportar(const std::vector<std::string>&) {
    return 2;
}
