// Runs trazal-bench on two tiny instances written here (one bars file, one multi-size sheet
// file, and a bars file too long for the job) and checks the rows it writes: every variant
// of both instances with a valid plan that meets the demand, and the skipped file with its
// reason. Nothing about time is asserted.

#include "support/RutasPrueba.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

void Escribir(const std::filesystem::path& ruta, const std::string& texto) {
    std::filesystem::create_directories(ruta.parent_path());
    rutas::EscribirBytes(ruta, texto);
}

std::vector<std::string> Lineas(const std::filesystem::path& ruta) {
    std::ifstream e(ruta);
    std::vector<std::string> v;
    std::string l;
    while (std::getline(e, l)) {
        v.push_back(l);
    }
    return v;
}

std::vector<std::string> Campos(const std::string& linea) {
    std::vector<std::string> campos;
    std::string actual;
    bool comillas = false;
    for (char c : linea) {
        if (c == '"') {
            comillas = !comillas;
        } else if (c == ',' && !comillas) {
            campos.push_back(actual);
            actual.clear();
        } else {
            actual += c;
        }
    }
    campos.push_back(actual);
    return campos;
}

TEST(SmokeBanco, RunsTwoTinyInstancesAndWritesTheirRows) {
    rutas::CCarpetaTemporal tmp;
    const auto inst = tmp / "instancias";
    Escribir(inst / "1d" / "bkv_and_lp.csv",
             "file,item_types,items,capacity,area_bound,gg_lp_bound,ceil_lp,opt_lb,opt_ub,irup\r\n"
             "prueba/diminuta.txt,3,6,10,3.0,3.0,3,3,3,yes\r\n"
             "prueba/larga.txt,1,1,70000,1,1,1,1,1,yes\r\n");
    Escribir(inst / "1d" / "prueba" / "diminuta.txt", "3\r\n10\r\n6 2\r\n5 2\r\n4 2\r\n");
    Escribir(inst / "1d" / "prueba" / "larga.txt", "1\r\n70000\r\n30000 1\r\n");
    const std::string cabeceraHojas =
        "Path,Best known solution value,Best known bound,cintra2008 / Solution value,"
        "cintra2008 / Time,furini2012 / Solution value,furini2012 / Time\n";
    Escribir(inst / "2d" / "cintra2008" / "gcut1d.txt",
             "2 2 2 0 0 0\n20 10 200\n10 10 100\n10 5 3 0\n5 5 2 0\ngcut1dr");
    Escribir(inst / "2d" / "cintra2008" / "bkv_variable_sized_2NHO.csv",
             cabeceraHojas + "cintra2008/gcut1d.txt,200,200,200,0,200,0\n");
    Escribir(inst / "2d" / "cintra2008" / "bkv_variable_sized_2NHR.csv",
             cabeceraHojas + "cintra2008/gcut1d.txt,200,200,200,0,200,0\n");

    const auto salida = tmp / "salida";
    const std::string orden = std::string("'") + TRAZAL_BENCH_EXE + "' --instancias '" +
                              inst.string() + "' --familias barras,hojas --sin-crecimiento " +
                              "--limite 300 '" + salida.string() + "' 2>'" +
                              (tmp / "progreso.txt").string() + "'";
    ASSERT_EQ(std::system(orden.c_str()), 0);

    const auto lineas = Lineas(salida / "resultados.csv");
    ASSERT_FALSE(lineas.empty());
    const auto cabecera = Campos(lineas[0]);
    auto columna = [&](const std::string& nombre) {
        for (std::size_t i = 0; i < cabecera.size(); ++i) {
            if (cabecera[i] == nombre) {
                return i;
            }
        }
        ADD_FAILURE() << "falta la columna " << nombre;
        return std::size_t{0};
    };
    const auto cInstancia = columna("instancia");
    const auto cEstado = columna("estado");
    const auto cValidos = columna("patrones_validos");
    const auto cPedido = columna("pedido_cumplido");
    const auto cObjetivo = columna("objetivo");
    const auto cMotivo = columna("motivo");

    int barras = 0;
    int hojas = 0;
    int omitidas = 0;
    for (std::size_t i = 1; i < lineas.size(); ++i) {
        const auto f = Campos(lineas[i]);
        ASSERT_EQ(f.size(), cabecera.size()) << lineas[i];
        if (f[cInstancia] == "prueba/larga.txt") {
            ++omitidas;
            EXPECT_EQ(f[cEstado], "omitida");
            EXPECT_NE(f[cMotivo].find("70000"), std::string::npos);
            continue;
        }
        EXPECT_EQ(f[cEstado], "ok") << lineas[i];
        EXPECT_EQ(f[cValidos], "si") << lineas[i];
        EXPECT_EQ(f[cPedido], "si") << lineas[i];
        EXPECT_FALSE(f[cObjetivo].empty());
        if (f[cInstancia] == "prueba/diminuta.txt") {
            ++barras;
            // Three bars are needed and enough; no plan can use fewer.
            EXPECT_GE(std::stod(f[cObjetivo]), 3.0);
        } else if (f[cInstancia] == "gcut1d") {
            ++hojas;
            EXPECT_GE(std::stod(f[cObjetivo]), 200.0);
        }
    }
    EXPECT_EQ(barras, 3);
    EXPECT_EQ(hojas, 4);
    EXPECT_EQ(omitidas, 1);

    const std::string resumen = rutas::LeerBytes(salida / "resumen.md");
    EXPECT_NE(resumen.find("| barras | nivel 3 |"), std::string::npos) << resumen;
    EXPECT_NE(resumen.find("| hojas | 2 etapas con giro |"), std::string::npos);
}

TEST(SmokeBanco, AFolderWithoutInstancesIsAnErrorNotAnEmptyRun) {
    rutas::CCarpetaTemporal tmp;
    const std::string orden = std::string("'") + TRAZAL_BENCH_EXE + "' --instancias '" +
                              (tmp / "no-existe").string() + "' --sin-crecimiento '" +
                              (tmp / "salida").string() + "' 2>/dev/null";
    const int estado = std::system(orden.c_str());
    ASSERT_TRUE(WIFEXITED(estado));
    EXPECT_EQ(WEXITSTATUS(estado), 2);
}

} // namespace
