#pragma once

// The list of runs: every instance of the chosen families with each of its variants, the
// quick set or the full one, with the best known value each run is compared with.

#include "CValoresConocidos.h"
#include "RInstancia.h"
#include "RResultado.h"
#include "RVariante.h"

#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

struct RTarea {
    std::shared_ptr<const RInstancia> Instancia;
    RVariante Variante;
    RResultado Base; // identification and known values of the row
};

class CPlanMedicion {
public:
    // Families: "barras", "hojas", "clases", "empaquetados", "muebles"; those also in `rapidas`
    // take their quick set. Instances that a job cannot hold, or files that cannot be read, become
    // rows of `omitidas` instead of runs.
    static std::vector<RTarea> Construir(const std::filesystem::path& carpeta,
                                         const CValoresConocidos& conocidos,
                                         const std::set<std::string>& rapidas,
                                         const std::set<std::string>& familias,
                                         std::vector<RResultado>& omitidas);

    static std::vector<RVariante> VariantesBarras();
    static std::vector<RVariante> VariantesHojas();
    static std::vector<RVariante> VariantesClases();
    static std::vector<RVariante> VariantesEmpaquetados();
    static std::vector<RVariante> VariantesMuebles();
    // The perfect-packing jobs: bars (20 to 100 of them) and repeated guillotine sheets,
    // each with its optimum n as best known value and bound; the quick set keeps the two
    // smallest of each.
    static std::vector<RInstancia> InstanciasEmpaquetados(bool rapidas);
    static std::string NombreFamilia(EFamilia familia);

    // The row a run starts from: names, objective kind and the known values of the variant.
    static RResultado Base(const RInstancia& instancia, const RVariante& variante,
                           const CValoresConocidos& conocidos);
};
