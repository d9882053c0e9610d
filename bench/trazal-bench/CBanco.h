#pragma once

// The benchmark run: reads the instances, runs each one with each variant in a child process,
// writes the rows to a CSV as they come, the growth series after them, and the Markdown
// summary at the end; a progress line on the terminal meanwhile.

#include <filesystem>
#include <set>
#include <string>
#include <vector>

struct ROpcionesBanco {
    // Families that take their quick set ("barras", "hojas", "clases", "empaquetados",
    // "crecimiento"); --rapido puts all of them here.
    std::set<std::string> Rapidas;
    bool Rapido() const { return Rapidas.size() == 5; }
    std::filesystem::path Instancias;
    std::filesystem::path Salida;
    // The published families; "empaquetados" (jobs of known optimum) runs when asked for.
    std::set<std::string> Familias{"barras", "hojas", "clases", "muebles"};
    // Seconds a run may take before it is stopped and listed as "tiempo"; 0 takes the
    // default of the set (the quick set must end within minutes).
    double LimiteSegundos = 0;
    bool Crecimiento = true;
    bool SoloCrecimiento = false;
    // Writes the summary again from the files of an earlier run in Salida; runs nothing.
    bool Resumir = false;
    // Runs at once (each in its own child process). The growth series always runs alone.
    int Trabajos = 2;
    // Only the instances whose name starts with one of these ("01/", "06/40/", "hard28/");
    // empty runs every instance of the chosen families and sets.
    std::vector<std::string> Solo;
};

class CBanco {
public:
    // Exit code: 0 done (rows with errors included), 2 usage or output errors.
    static int Main(int argc, char** argv);
    // Reads the command line; false (and a message in `error`) when it is wrong.
    static bool LeerArgumentos(const std::vector<std::string>& argumentos, ROpcionesBanco& o,
                               std::string& error);
    static int Ejecutar(const ROpcionesBanco& opciones);
    static int Resumir(const std::filesystem::path& carpeta);
};
