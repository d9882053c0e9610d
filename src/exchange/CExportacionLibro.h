#pragma once

// The export of a job and its plan to a new ".xlsx": one sheet per chosen element, in the
// order Piezas, Materiales, Patrones, Resultados, Parámetros, Sobrantes, Coordenadas. Each
// sheet has its title (and group titles) merged, bold, centred, bordered, in the
// environment's title colours, then its header line and its rows. Lengths are text in the
// job's units; the listing sheets reuse the report rows (engine/CFilasReporte.h) so the
// workbook and the printed reports never disagree. The patterns sheet holds every listed
// pattern drawn by the pattern drawing into a picture of a fixed box, its name and material
// above it. The first sheet starts with the generated-with line in A1.
//
// The job is read through the job window's editing rules (its grids and results grid), so
// what is exported is what the window shows.

#include <functional>
#include <string>

class CEdicionLanzamiento;
struct REntorno;

struct RElementosLibro {
    bool Piezas = true;
    bool Materiales = true;
    bool Patrones = true;
    bool Resultados = false;
    bool Parametros = false;
    bool Sobrantes = false;
    bool Coordenadas = false;
};

class CExportacionLibro {
public:
    // Picture box of a pattern, in pixels at 96 dpi: columns A..H of the default width by rows
    // 1..20 of the default height, 25 points from the left edge.
    static constexpr int AnchoCaja = 8 * 64;
    static constexpr int AltoCaja = 20 * 20;
    static constexpr int MargenCaja = 33;
    // Rows from one pattern to the next on the patterns sheet.
    static constexpr int FilasPorPatron = 24;

    CExportacionLibro(CEdicionLanzamiento& edicion, const REntorno& entorno);

    // The progress maximum before the first step, then the position after each step.
    std::function<void(int)> OnTotal;
    std::function<void(int)> OnAvance;
    // Between sheets: the window lets pending events run.
    std::function<void()> OnEventos;

    // Writes the workbook; raises EArchivo when it cannot be written (the file on disk, if
    // any, is left as it was).
    void Exportar(const std::string& ruta, const RElementosLibro& elementos);

private:
    CEdicionLanzamiento& FEdicion;
    const REntorno& FEntorno;
};
