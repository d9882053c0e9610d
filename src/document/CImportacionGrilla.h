#pragma once

// The job window as the owner of an import: it declares the five fields (Largo, Ancho,
// Cantidad, Desc1, Desc2 in columns A to E) and appends every accepted row to the pieces or
// materials grid through the same cell rule as typing, so lengths are read and normalised
// in the job's units and quantities checked. A row whose cells fail keeps what was assigned
// before the failure and is reported as rejected; the next sheet row goes to a new grid row
// only when this one holds anything.

#include "document/CEdicionLanzamiento.h"

#include "document/CImportacion.h"

class CImportacionGrilla {
public:
    // Declares the fields in `importacion` and plugs in the callbacks; they refer to this
    // object, which must outlive the transfer. `preguntar` asks the question before the
    // first row.
    CImportacionGrilla(CEdicionLanzamiento& edicion, TGrilla grilla, CImportacion& importacion,
                       CEdicionLanzamiento::FuncionPreguntar preguntar);

    static void DeclararCampos(CImportacion& importacion);
    // The grid row the next value goes to.
    int FilaActual() const { return FFila; }

private:
    void Antes();
    void Registro(const TValoresFila& valores, int campos, int fila);
    bool FilaOcupada() const;

    CEdicionLanzamiento& FEdicion;
    TGrilla FGrilla;
    CImportacion& FImportacion;
    CEdicionLanzamiento::FuncionPreguntar FPreguntar;
    int FFila = 1;
};
