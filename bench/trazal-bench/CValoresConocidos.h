#pragma once

// Best known values and published bounds, looked up by the kind of comparison
// ("opt" for bars, "2NHO", "2NHR", "3NHO", "3NHR") and the instance name.

#include <filesystem>
#include <istream>
#include <map>
#include <optional>
#include <string>
#include <vector>

struct RValorConocido {
    double Mejor = 0;           // best known objective (sheets, bars or total area)
    std::optional<double> Cota; // published lower bound: the LP bound, or the best known bound
};

class CValoresConocidos {
public:
    // bkv_and_lp.csv of the bars: file,...,gg_lp_bound,ceil_lp,opt_lb,opt_ub,irup.
    void LeerBarras(std::istream& entrada);
    // The variable-sized sheet tables: Path,Best known solution value,Best known bound,...,
    // furini2012 / Solution value,...
    void LeerHojas(std::istream& entrada, const std::string& clave);
    // class,n,instance,3NHO,3NHR,...
    void LeerClases(std::istream& entrada);

    // Reads whatever of the three families is present under the instances folder.
    void LeerCarpeta(const std::filesystem::path& carpeta);

    std::optional<RValorConocido> Buscar(const std::string& clave, const std::string& nombre) const;
    // Bars files listed in the bars table, in its order.
    const std::vector<std::string>& ArchivosBarras() const { return FArchivosBarras; }

private:
    std::map<std::string, RValorConocido> FValores;
    std::vector<std::string> FArchivosBarras;
};
