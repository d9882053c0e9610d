// Seeded random mutations of the job files and pattern texts of tests/data and examples:
// the readers must take any of them without crashing, hanging or allocating without bound,
// and what they accept must read back the same after a save. The fuzz target
// (tests/fuzz/FuzzLectores.cpp) drives the same readers without a budget.

#include "support/EjercicioLectores.h"
#include "support/RutasPrueba.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The small job files of the repository: the large hostile ones have tests of their own.
std::vector<std::string> Corpus() {
    std::vector<std::string> corpus;
    for (const fs::path& carpeta : {rutas::DatosPrueba(""), rutas::Raiz("examples")}) {
        for (const auto& e : fs::directory_iterator(carpeta)) {
            if (e.path().extension() == ".lan" && e.file_size() < 16384) {
                corpus.push_back(rutas::LeerBytes(e.path()));
            }
        }
    }
    return corpus;
}

// The pattern texts of the corpus (the values of the "PatronN=" keys).
std::vector<std::string> Patrones(const std::vector<std::string>& corpus) {
    std::vector<std::string> patrones;
    for (const std::string& texto : corpus) {
        std::istringstream lineas(texto);
        for (std::string linea; std::getline(lineas, linea);) {
            if (linea.rfind("Patron", 0) == 0 && linea.find('=') != std::string::npos) {
                std::string patron = linea.substr(linea.find('=') + 1);
                if (!patron.empty() && patron.back() == '\r') {
                    patron.pop_back();
                }
                patrones.push_back(patron);
            }
        }
    }
    return patrones;
}

// One to eight edits: bytes changed, inserted, removed or repeated, and the tokens that
// break readers (separators, signs, huge and boundary numbers, high bytes, line breaks).
std::string Mutar(std::string s, std::mt19937& azar) {
    static const char* const Fichas[] = {
        ";",        "(",       ")",          "=",
        "[",        "]",       "\r\n",       "\r\n[Piezas]\r\n",
        "-",        "-1",      "0",          "65535",
        "65536",    "131072",  "2147483647", "99999999999999999999",
        "1e308",    "nan",     "\\def",      "\xff",
        "\xc3",     "\x80",    "N=65535",    "CantPatrones=1000",
        "Patron1=", ";;;;;;;;"};
    auto posicion = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n)(azar);
    };
    const int cambios = std::uniform_int_distribution<int>(1, 8)(azar);
    for (int c = 0; c < cambios; ++c) {
        const std::size_t p = posicion(s.size());
        switch (std::uniform_int_distribution<int>(0, 4)(azar)) {
        case 0:
            if (p < s.size()) {
                s[p] = static_cast<char>(azar());
            }
            break;
        case 1:
            s.insert(p, Fichas[posicion(std::size(Fichas) - 1)]);
            break;
        case 2:
            s.erase(p, posicion(16));
            break;
        case 3: {
            const std::string trozo = s.substr(p, posicion(64));
            s.insert(posicion(s.size()), trozo);
            break;
        }
        default:
            s.insert(p, 1, static_cast<char>(azar()));
            break;
        }
    }
    return s;
}

TEST(Mutaciones, DosMilEntradasMutadasNoRompenLosLectores) {
    const std::vector<std::string> corpus = Corpus();
    const std::vector<std::string> patrones = Patrones(corpus);
    ASSERT_GE(corpus.size(), 5u);
    ASSERT_GE(patrones.size(), 3u);
    rutas::CCarpetaTemporal carpeta;
    std::mt19937 azar(20261207);
    for (int i = 0; i < 2000; ++i) {
        SCOPED_TRACE("mutación " + std::to_string(i));
        if (i % 2 == 0) {
            const std::string& base = corpus[azar() % corpus.size()];
            ASSERT_NO_THROW(ejercicio::LeerLanzamiento(Mutar(base, azar), carpeta.Ruta()));
        } else {
            const std::string& base = patrones[azar() % patrones.size()];
            ASSERT_NO_THROW(
                ejercicio::LeerPatron(Mutar(base, azar), static_cast<int>(azar() % 20)));
        }
    }
}

} // namespace
