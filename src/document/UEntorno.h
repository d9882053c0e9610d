#pragma once

// The process-wide values set up at start-up, before any window.

#include "document/REntorno.h"
#include "document/ROpciones.h"

#include <atomic>
#include <string>

class CAlmacenEntorno;

// Folder of the program file, with a trailing separator.
extern std::string CarpetaAplicacion;
// Defaults handed to every job that is opened or created.
extern ROpciones OpcionesPredeterminadas;
// The default pattern label format.
extern std::string FormatoEtiPredeterminado;
extern REntorno Entorno;
// Set by the calculation when the user asked to switch the computer off at the end.
extern std::atomic<bool> ApagarAlTerminar;

// rutaPrograma: the program file (its folder becomes CarpetaAplicacion). The screen size
// gives the default window bounds. `almacen` may be null (the defaults are kept).
void InicializarGlobales(const std::string& rutaPrograma, int anchoPantalla, int altoPantalla,
                         CAlmacenEntorno* almacen);
// A value of the wrong size or a missing value resets Entorno to its defaults; a store that
// cannot be opened leaves Entorno as it is.
void LeerEntorno(CAlmacenEntorno& almacen);
bool GuardarEntorno(CAlmacenEntorno& almacen);
