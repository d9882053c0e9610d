#pragma once

// Checks shared by the readers: bounds that keep a broken file from allocating without
// limit, and the marking of instances whose sizes a job cannot hold.

#include "RInstancia.h"

namespace ControlInstancia {

// Largest count of item or sheet types accepted from a file.
inline constexpr long long MaximoTipos = 100000;

// Fills Omitida when a length or a quantity does not fit the job's 16-bit values.
void MarcarSiNoCabe(RInstancia& instancia);

} // namespace ControlInstancia
