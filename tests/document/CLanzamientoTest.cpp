#include "document/CLanzamiento.h"
#include "document/CGrilla.h"
#include "document/UExcepciones.h"
#include "document/ULongitudes.h"

#include "support/RutasPrueba.h"

#include "PruebaDocumento.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace {

namespace fs = std::filesystem;

using namespace prueba;

const std::vector<std::string> OrdenClaves = Palabras(
    "TipoUnidad Precision NombreUnidad SuprimirCeros SobranteMinimo CorteMaximo AnchoCorte "
    "LongitudAgarre NivelOptimizacionInicial NivelOptimizacionFinal Barras ChequearSobranteMinimo "
    "ChequearCorteMaximo ChequearAnchoCorte ChequearAgarre RotarPiezas PiezasRotadas "
    "LargoMinimoSobrante AnchoMinimoSobrante EtiCorte EtiPieza EtiSobrante FormatoEti "
    "SolucionTeorica Redondear CriterioRedondeo ChequearNivelCorte NivelCorte Completar "
    "PreferirVariosMateriales MantenerPatronesActuales RestringirPosiblesCortes PorcentajeMaterial "
    "FormatoEtiPieza FormatoEtiSobrante FormatoEtiCorteVer FormatoEtiCorteHor Plantilla "
    "ChequearSobrante ChequearMargenes MargenIzq MargenDer MargenSup MargenInf MaterialesConMargen "
    "FilasReportePatrones ColumnasReportePatrones PrinterIndex PaperSize OutputBin "
    "PaperOrientation PaperLength PaperWidth ExcluirPiezasNulas ExcluirMaterialesNulos "
    "ExcluirPatronesNulos MejorarSolucion TiempoMejora");

std::vector<std::string> Claves(const CIniMemoria& ini, const std::string& seccion) {
    std::vector<std::string> r;
    for (const auto& [clave, valor] : ini.ValoresSeccion(seccion)) {
        r.push_back(clave);
    }
    return r;
}

TEST(Lanzamiento, ElEjemploDeDosPiezasAbreConSusValores) {
    const CLanzamiento job(rutas::DatosPrueba("ejemplo-dos-piezas.lan").string(),
                           OpcionesPorDefecto());
    EXPECT_EQ(job.Nombre(), "ejemplo-dos-piezas");
    EXPECT_EQ(job.Opciones(), OpcionesPorDefecto()); // the keys it has hold the defaults
    // The fields one by one are shown by "trazal-cli mostrar" (MostrarCliTest).
    ASSERT_EQ(job.CantidadPiezas(), 2);
    ASSERT_EQ(job.CantidadMateriales(), 1);
    EXPECT_EQ(job.CantidadMaterial(1), 20);
    EXPECT_DOUBLE_EQ(job.AreaMaterial(1), 2440.0 * 1220.0);
    EXPECT_DOUBLE_EQ(job.AreaPieza(2), 300.0 * 250.0);
    EXPECT_TRUE(job.Guardado());
}

TEST(Lanzamiento, ArchivoInexistenteEsUnLanzamientoVacioYUnaCarpetaNoSeAbre) {
    rutas::CCarpetaTemporal tmp;
    ROpciones defectos = OpcionesPorDefecto();
    defectos.Barras = true;
    const CLanzamiento job((tmp / "cocina.v2.lan").string(), defectos);
    EXPECT_EQ(job.Nombre(), "cocina.v2");
    EXPECT_EQ(job.Opciones(), defectos);
    EXPECT_EQ(job.CantidadPiezas() + job.CantidadMateriales(), 0);
    EXPECT_TRUE(job.LeerHistorico().empty());
    EXPECT_FALSE(fs::exists(tmp / "cocina.v2.lan"));
    EXPECT_EQ(CLanzamiento((tmp / "plantilla.pla").string(), defectos).Nombre(), "plantilla");
    EXPECT_THROW(CLanzamiento(tmp.Ruta().string(), defectos), EArchivo);
}

// Missing and unreadable keys take the record the job is opened with, not the defaults.
TEST(Lanzamiento, ClavesAusentesOIlegiblesTomanElRegistroRecibido) {
    rutas::CCarpetaTemporal tmp;
    EscribirBytes(tmp / "a.lan", "[Opciones]\nPrecision=abc\nBarras=\nPaperLength=1,5\n"
                                 "AnchoCorte=4000000000\nRotarPiezas=0\nPaperWidth=210.5\n");
    EscribirBytes(tmp / "b.lan", "[Piezas]\r\nN=1\r\n1=5;6;1;;;1;\r\n");
    ROpciones defectos = OpcionesPorDefecto();
    defectos.Precision = 2;
    defectos.Barras = true;
    defectos.PaperLength = 297.0;
    defectos.AnchoCorte = 3;
    defectos.NombreUnidad = " cm";
    EXPECT_EQ(CLanzamiento((tmp / "b.lan").string(), defectos).Opciones(), defectos);
    ROpciones esperado = defectos;
    esperado.RotarPiezas = false;
    esperado.PaperWidth = 210.5;
    EXPECT_EQ(CLanzamiento((tmp / "a.lan").string(), defectos).Opciones(), esperado);
}

TEST(Lanzamiento, UnArchivoNuevoEscribeTodasLasClavesEnOrden) {
    rutas::CCarpetaTemporal tmp;
    CLanzamiento job((tmp / "nuevo.lan").string(), OpcionesPorDefecto());
    job.Guardar();
    const CIniMemoria ini((tmp / "nuevo.lan").string());
    EXPECT_EQ(Claves(ini, "Opciones"), OrdenClaves);
    const std::string bytes = LeerBytes(tmp / "nuevo.lan");
    EXPECT_EQ(bytes.rfind("[Opciones]\r\nTipoUnidad=0\r\nPrecision=0\r\nNombreUnidad=\r\n", 0), 0u);
    EXPECT_NE(bytes.find("\r\nPaperLength=0\r\n"), std::string::npos);
    EXPECT_EQ(bytes.find('\n', 0), bytes.find("\r\n", 0) + 1);
}

TEST(Lanzamiento, OpcionesSeActualizanEnSuLugarYLasAjenasQuedan) {
    rutas::CCarpetaTemporal tmp;
    EscribirBytes(tmp / "a.lan", "[Piezas]\nN=0\n[Opciones]\nAjena=x\nPrecision=1\nTipoUnidad=0\n");
    CLanzamiento job((tmp / "a.lan").string(), OpcionesPorDefecto());
    ROpciones o = job.Opciones();
    o.Precision = 2;
    job.AsignarOpciones(o);
    job.Guardar();
    const CIniMemoria ini((tmp / "a.lan").string());
    const std::vector<std::string> claves = Claves(ini, "Opciones");
    ASSERT_EQ(claves.size(), OrdenClaves.size() + 1);
    EXPECT_EQ(claves[0], "Ajena");
    EXPECT_EQ(claves[1], "Precision");
    EXPECT_EQ(claves[2], "TipoUnidad");
    EXPECT_EQ(claves[3], "NombreUnidad");
    EXPECT_EQ(ini.LeerTexto("Opciones", "Precision", ""), "2");
    EXPECT_EQ(ini.LeerTexto("Opciones", "Ajena", ""), "x");
    EXPECT_EQ(ini.Secciones().front(), "Piezas");
}

ROpciones OpcionesAlAzar(std::mt19937& azar) {
    auto entero = [&]() { return static_cast<std::int32_t>(azar()) / 3; };
    auto logico = [&]() { return azar() % 2 == 1; };
    auto texto = [&]() {
        static const std::vector<std::string> trozos = {"a", " ", "ñ",   "#P",    "\\ret",
                                                        ";", "=", "[x]", "2,5-7", "€"};
        std::string t;
        const unsigned largo = azar() % 6;
        for (unsigned k = 0; k < largo; ++k) {
            t += trozos[azar() % trozos.size()];
        }
        return t;
    };
    auto real = [&]() {
        return static_cast<double>(static_cast<std::int32_t>(azar())) / (1 + azar() % 1000);
    };
    ROpciones o;
    o.TipoUnidad = entero();
    o.Precision = entero();
    o.NombreUnidad = texto();
    o.SuprimirCeros = logico();
    o.SobranteMinimo = entero();
    o.CorteMaximo = entero();
    o.AnchoCorte = entero();
    o.LongitudAgarre = entero();
    o.Barras = logico();
    o.RotarPiezas = logico();
    o.PiezasRotadas = texto();
    o.ChequearSobranteMinimo = logico();
    o.ChequearCorteMaximo = logico();
    o.ChequearAnchoCorte = logico();
    o.ChequearAgarre = logico();
    o.NivelOptimizacionInicial = entero();
    o.NivelOptimizacionFinal = entero();
    o.LargoMinimoSobrante = entero();
    o.AnchoMinimoSobrante = entero();
    o.EtiCorte = logico();
    o.EtiPieza = logico();
    o.EtiSobrante = logico();
    o.FormatoEti = texto();
    o.FormatoEtiPieza = texto();
    o.FormatoEtiSobrante = texto();
    o.FormatoEtiCorteVer = texto();
    o.FormatoEtiCorteHor = texto();
    o.FilasReportePatrones = entero();
    o.ColumnasReportePatrones = entero();
    o.PrinterIndex = entero();
    o.PaperSize = entero();
    o.OutputBin = entero();
    o.PaperOrientation = entero();
    o.PaperLength = real();
    o.PaperWidth = real();
    o.SolucionTeorica = logico();
    o.Redondear = logico();
    o.CriterioRedondeo = entero();
    o.Completar = logico();
    o.PreferirVariosMateriales = logico();
    o.MantenerPatronesActuales = logico();
    o.RestringirPosiblesCortes = logico();
    o.PorcentajeMaterial = entero();
    o.Plantilla = texto();
    o.ChequearSobrante = logico();
    o.ChequearNivelCorte = logico();
    o.NivelCorte = entero();
    o.ChequearMargenes = logico();
    o.MargenIzq = entero();
    o.MargenDer = entero();
    o.MargenSup = entero();
    o.MargenInf = entero();
    o.MaterialesConMargen = texto();
    o.ExcluirPiezasNulas = logico();
    o.ExcluirMaterialesNulos = logico();
    o.ExcluirPatronesNulos = logico();
    o.MejorarSolucion = logico();
    o.TiempoMejora = entero();
    return o;
}

TEST(Lanzamiento, OpcionesIdaYVuelta) {
    rutas::CCarpetaTemporal tmp;
    std::mt19937 azar(3);
    // Every field differs from this record, so a field read from the wrong key shows.
    ROpciones otro = OpcionesAlAzar(azar);
    for (int prueba = 0; prueba < 100; ++prueba) {
        const ROpciones o = OpcionesAlAzar(azar);
        const std::string ruta = (tmp / ("j" + std::to_string(prueba) + ".lan")).string();
        {
            CLanzamiento job(ruta, otro);
            job.AsignarOpciones(o);
            job.Guardar();
        }
        const CLanzamiento releido(ruta, otro);
        ASSERT_EQ(releido.Opciones(), o) << prueba;
    }
}

// Pieces and materials go through the grid, the file and back in every unit kind.
class PiezasIdaYVuelta : public ::testing::TestWithParam<int> {};

TEST_P(PiezasIdaYVuelta, MismasLongitudesYCampos) {
    rutas::CCarpetaTemporal tmp;
    std::mt19937 azar(static_cast<unsigned>(GetParam()) + 17);
    ROpciones o = OpcionesPorDefecto();
    o.TipoUnidad = GetParam();
    o.Precision = GetParam() % 2 == 1 ? 4 : 1;
    o.NombreUnidad = GetParam() < 2 ? " mm" : "";
    const int n = 25;
    std::vector<std::vector<std::string>> filas;
    std::vector<int> largos;
    std::vector<int> anchos;
    for (int i = 0; i < n; ++i) {
        largos.push_back(static_cast<int>(azar() % (LongitudMaxima + 1)));
        anchos.push_back(static_cast<int>(azar() % (LongitudMaxima + 1)));
        filas.push_back({FormatearLongitud(largos.back(), o), FormatearLongitud(anchos.back(), o),
                         std::to_string(i * 7), "Pieza " + std::to_string(i), "cajón",
                         i % 3 == 0 ? "0" : "1"});
    }
    {
        CLanzamiento job((tmp / "a.lan").string(), o);
        job.EscribirPiezas(Grilla(filas));
        job.EscribirMateriales(Grilla(filas));
        job.Guardar();
    }
    const CLanzamiento job((tmp / "a.lan").string(), OpcionesPorDefecto());
    ASSERT_EQ(job.Opciones(), o);
    ASSERT_EQ(job.CantidadPiezas(), n);
    AWord16 l(1, 999);
    AWord16 a;
    AWord16 c;
    AWord16 act;
    job.DimensionesPiezas(l, a);
    job.CantidadesPiezas(c);
    job.ActivasPiezas(act);
    EXPECT_EQ(l[0], 999); // slot 0 is not touched
    ASSERT_EQ(l.size(), static_cast<std::size_t>(n) + 1);
    for (int i = 1; i <= n; ++i) {
        const auto k = static_cast<std::size_t>(i - 1);
        EXPECT_EQ(l[static_cast<std::size_t>(i)], largos[k]);
        EXPECT_EQ(a[static_cast<std::size_t>(i)], anchos[k]);
        EXPECT_EQ(c[static_cast<std::size_t>(i)], (i - 1) * 7);
        EXPECT_EQ(act[static_cast<std::size_t>(i)], (i - 1) % 3 == 0 ? 0 : 1);
        EXPECT_EQ(job.LargoMaterial(i), largos[k]);
        EXPECT_EQ(job.AnchoMaterial(i), anchos[k]);
        EXPECT_EQ(job.Desc1Pieza(i), filas[k][3]);
        EXPECT_EQ(job.Desc2Material(i), "cajón");
    }
    CGrilla g(1, 7);
    job.LeerPiezas(g);
    EXPECT_EQ(g, Grilla(filas));
}

INSTANTIATE_TEST_SUITE_P(Unidades, PiezasIdaYVuelta, ::testing::Values(0, 1, 2, 3));

TEST(Lanzamiento, ConBarrasLosAnchosSonUno) {
    rutas::CCarpetaTemporal tmp;
    EscribirBytes(tmp / "b.lan", "[Opciones]\nBarras=1\n[Piezas]\nN=2\n1=600;400;1;;;1;\n"
                                 "2=300;basura;1;;;1;\n[Materiales]\nN=1\n1=6000;50;3;;;1;\n");
    const CLanzamiento job((tmp / "b.lan").string(), OpcionesPorDefecto());
    EXPECT_EQ(job.AnchoPieza(1), 1);
    EXPECT_EQ(job.AnchoPieza(2), 1);
    EXPECT_EQ(job.AnchoMaterial(1), 1);
    EXPECT_DOUBLE_EQ(job.AreaMaterial(1), 6000.0);
    AWord16 l;
    AWord16 a;
    job.DimensionesPiezas(l, a);
    EXPECT_EQ(a, (AWord16{0, 1, 1}));
}

TEST(Lanzamiento, SoloUnCeroDesactiva) {
    rutas::CCarpetaTemporal tmp;
    EscribirBytes(tmp / "a.lan", "[Piezas]\nN=5\n1=1;1;1;;;0;\n2=1;1;1;;;00;\n3=1;1;1;;;;\n"
                                 "4=1;1;1\n5=1;1;1;;; 0 ;\n");
    const CLanzamiento job((tmp / "a.lan").string(), OpcionesPorDefecto());
    EXPECT_FALSE(job.PiezaActiva(1));
    EXPECT_TRUE(job.PiezaActiva(2));
    EXPECT_TRUE(job.PiezaActiva(3));
    EXPECT_TRUE(job.PiezaActiva(4));
    EXPECT_FALSE(job.PiezaActiva(5)); // fields are trimmed
    EXPECT_EQ(job.CantidadPieza(4), 1);
}

struct RCantidadPieza {
    const char* Campo;
    int Valor;           // when no error
    const char* Mensaje; // when an error
};

class CantidadDePieza : public ::testing::TestWithParam<RCantidadPieza> {};

TEST_P(CantidadDePieza, SeLeeORechaza) {
    rutas::CCarpetaTemporal tmp;
    EscribirBytes(tmp / "a.lan",
                  std::string("[Piezas]\nN=1\n1=10;10;") + GetParam().Campo + ";;;1;\n");
    const CLanzamiento job((tmp / "a.lan").string(), OpcionesPorDefecto());
    if (GetParam().Mensaje == nullptr) {
        EXPECT_EQ(job.CantidadPieza(1), GetParam().Valor);
        return;
    }
    AWord16 c;
    EXPECT_EQ(rutas::MensajeDe<EConversion>([&] { job.CantidadesPiezas(c); }), GetParam().Mensaje);
}

INSTANTIATE_TEST_SUITE_P(
    Campos, CantidadDePieza,
    ::testing::Values(RCantidadPieza{"", 0, nullptr}, RCantidadPieza{"65535", 65535, nullptr},
                      RCantidadPieza{"abc", 0, "'abc' no es un valor entero válido"},
                      RCantidadPieza{"1.5", 0, "'1.5' no es un valor entero válido"},
                      RCantidadPieza{"-1", 0,
                                     "Cantidad incorrecta en el registro 1 [Piezas]: -1 (debe "
                                     "estar entre 0 y 65535)"},
                      RCantidadPieza{"70000", 0,
                                     "Cantidad incorrecta en el registro 1 [Piezas]: 70000 (debe "
                                     "estar entre 0 y 65535)"}));

TEST(Lanzamiento, CantidadesEnormesSeRechazanSinReservarMemoria) {
    rutas::CCarpetaTemporal tmp;
    for (const char* n : {"4000000000", "-3", "abc", "65536"}) {
        EscribirBytes(tmp / "a.lan", std::string("[Piezas]\nN=") + n + "\n[Materiales]\nN=" + n +
                                         "\n[Historico]\nn=" + n + "\n");
        const CLanzamiento job((tmp / "a.lan").string(), OpcionesPorDefecto());
        AWord16 l;
        AWord16 a;
        EXPECT_THROW(job.DimensionesPiezas(l, a), EConversion) << n;
        EXPECT_THROW(job.ActivosMateriales(a), EConversion) << n;
        EXPECT_THROW(job.LeerHistorico(), EConversion) << n;
        EXPECT_TRUE(l.empty());
        CGrilla g(1, 7);
        EXPECT_THROW(job.LeerMateriales(g), EConversion);
    }
}

TEST(Lanzamiento, LongitudIlegibleLevantaElErrorDeLongitud) {
    rutas::CCarpetaTemporal tmp;
    EscribirBytes(tmp / "a.lan", "[Piezas]\nN=2\n1=1.2.3;5;1;;;1;\n2=70000;5;1;;;1;\n");
    const CLanzamiento job((tmp / "a.lan").string(), OpcionesPorDefecto());
    EXPECT_EQ(rutas::MensajeDe<EConversion>([&] { job.LargoPieza(1); }),
              "Piezas, registro 1, Largo: '1.2.3': Valor de longitud incorrecto");
    EXPECT_EQ(rutas::MensajeDe<EConversion>([&] { job.LargoPieza(2); }),
              "Piezas, registro 2, Largo: '70000': El valor excede el máximo permitido(65535)");
}

TEST(Lanzamiento, PiezaRotableYMaterialConMargen) {
    rutas::CCarpetaTemporal tmp;
    CLanzamiento job((tmp / "a.lan").string(), OpcionesPorDefecto());
    for (int i = 1; i <= 9; ++i) {
        EXPECT_TRUE(job.PiezaRotable(i));
        EXPECT_FALSE(job.MaterialConMargen(i));
    }
    ROpciones o = job.Opciones();
    o.PiezasRotadas = "2,5-7";
    o.ChequearMargenes = true;
    job.AsignarOpciones(o);
    for (int i = 1; i <= 9; ++i) {
        EXPECT_EQ(job.PiezaRotable(i), i == 2 || (i >= 5 && i <= 7)) << i;
        EXPECT_TRUE(job.MaterialConMargen(i));
    }
    o.MaterialesConMargen = "3 x 1";
    o.Barras = true;
    job.AsignarOpciones(o);
    for (int i = 1; i <= 9; ++i) {
        EXPECT_FALSE(job.PiezaRotable(i));
        EXPECT_EQ(job.MaterialConMargen(i), i == 1 || i == 3) << i;
    }
    o.Barras = false;
    o.RotarPiezas = false;
    job.AsignarOpciones(o);
    EXPECT_FALSE(job.PiezaRotable(2));
}

TEST(Lanzamiento, BorrarUnaFilaRenumera) {
    rutas::CCarpetaTemporal tmp;
    CLanzamiento job((tmp / "a.lan").string(), OpcionesPorDefecto());
    job.EscribirPiezas(Grilla({{"1", "1", "1", "a"}, {"2", "2", "2", "b"}, {"3", "3", "3", "c"}}));
    job.Guardar();
    job.EscribirPiezas(Grilla({{"1", "1", "1", "a"}, {"3", "3", "3", "c"}}));
    job.Guardar();
    const CLanzamiento releido((tmp / "a.lan").string(), OpcionesPorDefecto());
    EXPECT_EQ(releido.CantidadPiezas(), 2);
    EXPECT_EQ(releido.Desc1Pieza(2), "c");
    EXPECT_EQ(releido.LargoPieza(2), 3);
    EXPECT_FALSE(releido.ExisteClave("Piezas", "3"));
}

TEST(Lanzamiento, HistoricoYGuardado) {
    rutas::CCarpetaTemporal tmp;
    CLanzamiento job((tmp / "a.lan").string(), OpcionesPorDefecto());
    EXPECT_TRUE(job.Guardado());
    job.EscribirHistorico({"uno", "dos", "tres"});
    EXPECT_FALSE(job.Guardado());
    job.Guardar();
    EXPECT_TRUE(job.Guardado());
    job.EscribirHistorico({"cuatro", "cinco"});
    EXPECT_EQ(job.LeerHistorico(), (std::vector<std::string>{"cuatro", "cinco"}));
    EXPECT_EQ(job.LeerTexto("Historico", "3", ""), "tres"); // left over, not read
    EXPECT_EQ(job.LeerTexto("Historico", "n", ""), "2");
    job.Guardar();
    job.MarcarModificado();
    EXPECT_FALSE(job.Guardado());
    job.Guardar();
    job.AsignarOpciones(job.Opciones());
    EXPECT_FALSE(job.Guardado());
}

TEST(Lanzamiento, GuardarComoEscribeElNuevoYDejaElViejo) {
    rutas::CCarpetaTemporal tmp;
    EscribirBytes(tmp / "viejo.lan", "[Opciones]\nPrecision=1\n");
    CLanzamiento job((tmp / "viejo.lan").string(), OpcionesPorDefecto());
    job.GuardarComo((tmp / "nuevo.lan").string());
    EXPECT_EQ(job.Nombre(), "nuevo");
    job.Guardar();
    EXPECT_EQ(LeerBytes(tmp / "viejo.lan"), "[Opciones]\nPrecision=1\n");
    EXPECT_EQ(CLanzamiento((tmp / "nuevo.lan").string(), OpcionesPorDefecto()).Opciones().Precision,
              1);
}

TEST(Lanzamiento, UnGuardadoFallidoNoDanaElArchivo) {
    rutas::CCarpetaTemporal tmp;
    const auto ruta = tmp / "a.lan";
    const std::string anterior = LeerBytes(rutas::DatosPrueba("ejemplo-dos-piezas.lan"));
    EscribirBytes(ruta, anterior);
    CLanzamiento job(ruta.string(), OpcionesPorDefecto());
    job.EscribirPiezas(Grilla({{"1", "1", "1"}}));
    job.MarcarModificado();
    job.AsignarEscritor([](std::FILE*, const char*, std::size_t) -> std::size_t { return 0; });
    EXPECT_THROW(job.Guardar(), EArchivo);
    EXPECT_FALSE(job.Guardado());
    EXPECT_EQ(LeerBytes(ruta), anterior);
}

// The bundled files are as the program writes them: saving them changes none of their
// sections. The fixed templates hold the defaults (with bars, the bars one) and no rows.
class ArchivosIncluidos : public ::testing::TestWithParam<const char*> {};

TEST_P(ArchivosIncluidos, GuardarNoCambiaSusSecciones) {
    rutas::CCarpetaTemporal tmp;
    const fs::path original = rutas::Raiz(GetParam());
    if (original.extension() == ".pla") {
        const CLanzamiento plantilla(original.string(), ROpciones());
        ROpciones esperado = OpcionesPorDefecto();
        esperado.Barras = original.filename() == "defaultbars.pla";
        EXPECT_EQ(plantilla.Opciones(), esperado);
        EXPECT_EQ(plantilla.CantidadPiezas() + plantilla.CantidadMateriales(), 0);
    }
    const std::string bytes = LeerBytes(original);
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes.find('\n'), bytes.find("\r\n") + 1);
    fs::copy_file(original, tmp / "copia.lan");
    {
        CLanzamiento job((tmp / "copia.lan").string(), OpcionesPorDefecto());
        job.Guardar();
    }
    const CIniMemoria antes(original.string());
    const CIniMemoria despues((tmp / "copia.lan").string());
    EXPECT_EQ(Claves(antes, "Opciones"), OrdenClaves);
    for (const char* seccion : {"Opciones", "Piezas", "Materiales"}) {
        EXPECT_EQ(antes.ValoresSeccion(seccion), despues.ValoresSeccion(seccion)) << seccion;
    }
}

INSTANTIATE_TEST_SUITE_P(Archivos, ArchivosIncluidos,
                         ::testing::Values("examples/cocina.lan", "data/defaultbars.pla",
                                           "data/defaultsheets.pla"));

} // namespace
