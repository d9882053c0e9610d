#pragma once

#include <ostream>

class CLanzamiento;

// The job's solution as text: one row per pattern (number, material, theoretical and the
// three integer repetitions, yield, offcut and waste percentages, then its pieces), followed
// by the totals of the set, per piece and per material. Nothing is written for a job
// without patterns but the heading.
void ListarSolucion(std::ostream& salida, const CLanzamiento& job);
