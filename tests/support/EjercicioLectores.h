#pragma once

// The readers of untrusted text driven the way the program drives them, for the fuzz target
// and the seeded mutation test: whatever the input, they must neither crash, hang nor
// allocate without bound, and what they accept must survive a write and a read back.

#include <filesystem>
#include <string>

namespace ejercicio {

// Reads `bytes` as a job file (written into `carpeta`), then everything the commands read:
// options and their check, pieces, materials, history, the solution with its totals; saves
// it and reads it back. Errors of the job's own classes are expected; any other failure
// (a crash, a sanitizer report, a solution that changes through a save) is a fault.
void LeerLanzamiento(const std::string& bytes, const std::filesystem::path& carpeta);

// Reads `texto` as a pattern text for a job of `numPiezas` pieces, measures the pattern
// and checks that an accepted pattern reads back equal from its own text.
void LeerPatron(const std::string& texto, int numPiezas);

} // namespace ejercicio
