// libFuzzer entry point for the readers of untrusted text: the job file reader and the
// pattern text reader. The first byte chooses the reader (even: job, odd: pattern, with the
// number of pieces taken from the second byte). Built only with clang (-DTRAZAL_FUZZ=ON):
//   ./build-fuzz/tests/fuzz_lectores -max_total_time=60 tests/data

#include "support/EjercicioLectores.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tamano) {
    if (tamano < 2) {
        return 0;
    }
    const std::string texto(reinterpret_cast<const char*>(datos) + 2, tamano - 2);
    if (datos[0] % 2 == 0) {
        static const std::filesystem::path carpeta = [] {
            auto c = std::filesystem::temp_directory_path() /
                     ("trazal-fuzz-" + std::to_string(getpid()));
            std::filesystem::create_directories(c);
            return c;
        }();
        ejercicio::LeerLanzamiento(texto, carpeta);
    } else {
        ejercicio::LeerPatron(texto, datos[1]);
    }
    return 0;
}
