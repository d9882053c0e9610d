#include "CPlanMedicion.h"

#include "CLectorBarras.h"
#include "CLectorClases.h"
#include "CLectorHojas.h"
#include "CTrabajoMuebles.h"
#include "support/EmpaquetadoPerfecto.h"

#include <algorithm>
#include <cmath>

namespace fs = std::filesystem;

std::vector<RVariante> CPlanMedicion::VariantesBarras() {
    std::vector<RVariante> v;
    for (int nivel = 1; nivel <= 3; ++nivel) {
        RVariante r;
        r.Nombre = "nivel " + std::to_string(nivel);
        r.ClaveConocida = "opt";
        r.NivelInicial = 1;
        r.NivelFinal = nivel;
        v.push_back(r);
    }
    return v;
}

std::vector<RVariante> CPlanMedicion::VariantesHojas() {
    // The published values are for two stages with a trimming cut; the runs without a stage
    // limit are shown beside them against the same values.
    return {
        {"2 etapas", "2NHO", 1, 2, false, 2},
        {"2 etapas con giro", "2NHR", 1, 2, true, 2},
        {"sin límite", "2NHO", 1, 2, false, 0},
        {"sin límite con giro", "2NHR", 1, 2, true, 0},
    };
}

std::vector<RVariante> CPlanMedicion::VariantesClases() {
    return {
        {"3 etapas", "3NHO", 1, 2, false, 3},
        {"3 etapas con giro", "3NHR", 1, 2, true, 3},
    };
}

std::vector<RVariante> CPlanMedicion::VariantesEmpaquetados() {
    // The last level: the one whose candidate positions reach every pattern of the bars.
    return {{"nivel 3", "", 1, 3, false, 0}};
}

std::vector<RVariante> CPlanMedicion::VariantesMuebles() {
    return {{"nivel 1", "", 1, 1, true, 0}, {"niveles 1-2", "", 1, 2, true, 0}};
}

std::vector<RInstancia> CPlanMedicion::InstanciasEmpaquetados(bool rapidas) {
    std::vector<REmpaquetadoPerfecto> trabajos;
    std::vector<std::string> nombres;
    // Up to 100 bars: beyond, column generation on these degenerate jobs takes more than the
    // ten minutes a run may last (about a hundred pivots per row, each with a pricing call).
    const int cuantos = rapidas ? 2 : 5;
    for (int k = 1; k <= cuantos; ++k) {
        const int barras = 20 * k;
        trabajos.push_back(empaquetado::Barras(static_cast<std::uint32_t>(k), barras));
        nombres.push_back(std::to_string(barras) + " barras");
    }
    for (int k = 1; k <= (rapidas ? 2 : 10); ++k) {
        const int repeticiones = 5 * k;
        trabajos.push_back(empaquetado::Hojas(static_cast<std::uint32_t>(k), repeticiones));
        nombres.push_back("hoja " + std::to_string(k) + " x" + std::to_string(repeticiones));
    }
    std::vector<RInstancia> instancias;
    for (std::size_t i = 0; i < trabajos.size(); ++i) {
        const REmpaquetadoPerfecto& e = trabajos[i];
        RInstancia r;
        r.Familia = EFamilia::Empaquetados;
        r.Grupo = e.Barras ? "barras" : "hojas";
        r.Nombre = nombres[i];
        r.Barras = e.Barras;
        r.Materiales.push_back({e.Largo, e.Ancho});
        for (const auto& p : e.Piezas) {
            r.Piezas.push_back({p.Largo, p.Ancho, p.Cantidad});
        }
        r.Unidades = e.Unidades;
        instancias.push_back(r);
    }
    return instancias;
}

std::string CPlanMedicion::NombreFamilia(EFamilia familia) {
    switch (familia) {
    case EFamilia::Barras:
        return "barras";
    case EFamilia::Hojas:
        return "hojas";
    case EFamilia::Clases:
        return "clases";
    case EFamilia::Empaquetados:
        return "empaquetados perfectos";
    case EFamilia::Muebles:
        return "muebles";
    case EFamilia::Crecimiento:
        return "crecimiento";
    }
    return "";
}

RResultado CPlanMedicion::Base(const RInstancia& instancia, const RVariante& variante,
                               const CValoresConocidos& conocidos) {
    RResultado r;
    r.Familia = NombreFamilia(instancia.Familia);
    r.Grupo = instancia.Grupo;
    r.Instancia = instancia.Nombre;
    r.Variante = variante.Nombre;
    // Several sheet sizes: the cost is their total area; one size: the number of sheets.
    r.Cuenta = instancia.Materiales.size() <= 1;
    if (instancia.Unidades > 0) {
        // Known by construction: the optimum and the LP value are the units cut.
        r.Mejor = instancia.Unidades;
        r.Cota = instancia.Unidades;
    } else if (!variante.ClaveConocida.empty()) {
        if (const auto v = conocidos.Buscar(variante.ClaveConocida, instancia.Nombre)) {
            r.Mejor = v->Mejor;
            if (v->Cota) {
                r.Cota = *v->Cota;
            }
        }
    }
    return r;
}

namespace {

void Omitir(const RInstancia& instancia, const std::string& motivo,
            std::vector<RResultado>& omitidas) {
    RResultado r;
    r.Familia = CPlanMedicion::NombreFamilia(instancia.Familia);
    r.Grupo = instancia.Grupo;
    r.Instancia = instancia.Nombre;
    r.Variante = "todas";
    r.Estado = "omitida";
    r.Motivo = motivo;
    omitidas.push_back(r);
}

void Agregar(const RInstancia& leida, const std::vector<RVariante>& variantes,
             const CValoresConocidos& conocidos, std::vector<RTarea>& tareas,
             std::vector<RResultado>& omitidas) {
    if (!leida.Omitida.empty()) {
        Omitir(leida, leida.Omitida, omitidas);
        return;
    }
    auto instancia = std::make_shared<const RInstancia>(leida);
    for (const auto& v : variantes) {
        tareas.push_back({instancia, v, CPlanMedicion::Base(*instancia, v, conocidos)});
    }
}

} // namespace

std::vector<RTarea> CPlanMedicion::Construir(const fs::path& carpeta,
                                             const CValoresConocidos& conocidos,
                                             const std::set<std::string>& rapidas,
                                             const std::set<std::string>& familias,
                                             std::vector<RResultado>& omitidas) {
    std::vector<RTarea> tareas;
    if (familias.count("barras")) {
        // The quick set: the first file of each folder that the job can hold.
        std::set<std::string> gruposRapidos;
        for (const auto& archivo : conocidos.ArchivosBarras()) {
            const auto barra = archivo.find('/');
            const std::string grupo = barra == std::string::npos ? "" : archivo.substr(0, barra);
            if (rapidas.count("barras") && gruposRapidos.count(grupo)) {
                continue;
            }
            RInstancia instancia;
            try {
                instancia = CLectorBarras::LeerArchivo(carpeta / "1d" / archivo, grupo, archivo);
            } catch (const std::exception& e) {
                instancia.Familia = EFamilia::Barras;
                instancia.Grupo = grupo;
                instancia.Nombre = archivo;
                Omitir(instancia, e.what(), omitidas);
                continue;
            }
            if (instancia.Omitida.empty()) {
                gruposRapidos.insert(grupo);
            }
            Agregar(instancia, VariantesBarras(), conocidos, tareas, omitidas);
        }
    }
    if (familias.count("hojas")) {
        const fs::path dir = carpeta / "2d" / "cintra2008";
        for (int k = 1; k <= 12; ++k) {
            // The quick set: the first file of each of the three groups of sheet sizes.
            if (rapidas.count("hojas") && k % 4 != 1) {
                continue;
            }
            const std::string nombre = "gcut" + std::to_string(k) + "d";
            const fs::path ruta = dir / (nombre + ".txt");
            if (!fs::exists(ruta)) {
                continue;
            }
            RInstancia instancia;
            try {
                instancia = CLectorHojas::LeerArchivo(ruta, nombre);
            } catch (const std::exception& e) {
                instancia.Familia = EFamilia::Hojas;
                instancia.Grupo = "gcut";
                instancia.Nombre = nombre;
                Omitir(instancia, e.what(), omitidas);
                continue;
            }
            Agregar(instancia, VariantesHojas(), conocidos, tareas, omitidas);
        }
    }
    if (familias.count("clases")) {
        const fs::path dir = carpeta / "2d" / "berkey_wang_martello_vigo";
        for (int clase = 1; clase <= 10; ++clase) {
            const std::string archivo =
                std::string("Class_") + (clase < 10 ? "0" : "") + std::to_string(clase) + ".2bp";
            const fs::path ruta = dir / archivo;
            if (!fs::exists(ruta)) {
                continue;
            }
            std::vector<RInstancia> instancias;
            try {
                instancias = CLectorClases::LeerArchivo(ruta);
            } catch (const std::exception& e) {
                RInstancia fallida;
                fallida.Familia = EFamilia::Clases;
                fallida.Grupo = archivo;
                fallida.Nombre = archivo;
                Omitir(fallida, e.what(), omitidas);
                continue;
            }
            for (const auto& instancia : instancias) {
                // The quick set: the first instance of each size in each class.
                if (rapidas.count("clases") && instancia.Nombre.size() >= 2 &&
                    instancia.Nombre.substr(instancia.Nombre.size() - 2) != "/1") {
                    continue;
                }
                Agregar(instancia, VariantesClases(), conocidos, tareas, omitidas);
            }
        }
    }
    if (familias.count("muebles")) {
        for (const int tipos : CTrabajoMuebles::Tamanos()) {
            Agregar(CTrabajoMuebles::Generar(tipos), VariantesMuebles(), conocidos, tareas,
                    omitidas);
        }
    }
    if (familias.count("empaquetados")) {
        for (const auto& instancia : InstanciasEmpaquetados(rapidas.count("empaquetados") > 0)) {
            Agregar(instancia, VariantesEmpaquetados(), conocidos, tareas, omitidas);
        }
    }
    return tareas;
}
