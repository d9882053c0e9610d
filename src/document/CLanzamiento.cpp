#include "document/CLanzamiento.h"

#include "document/CGrilla.h"
#include "document/UExcepciones.h"
#include "document/ULongitudes.h"
#include "document/UTextos.h"
#include "engine/CSolucion.h"
#include "patterns/CPatron.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace {

constexpr int CampoLargo = 1;
constexpr int CampoAncho = 2;
constexpr int CampoCantidad = 3;
constexpr int CampoDesc1 = 4;
constexpr int CampoDesc2 = 5;
constexpr int CampoAct = 6;

// Every option with its key, in the order a job file lists them.
template <class Opciones, class F> void RecorrerOpciones(Opciones& o, F&& f) {
    f("TipoUnidad", o.TipoUnidad);
    f("Precision", o.Precision);
    f("NombreUnidad", o.NombreUnidad);
    f("SuprimirCeros", o.SuprimirCeros);
    f("SobranteMinimo", o.SobranteMinimo);
    f("CorteMaximo", o.CorteMaximo);
    f("AnchoCorte", o.AnchoCorte);
    f("LongitudAgarre", o.LongitudAgarre);
    f("NivelOptimizacionInicial", o.NivelOptimizacionInicial);
    f("NivelOptimizacionFinal", o.NivelOptimizacionFinal);
    f("Barras", o.Barras);
    f("ChequearSobranteMinimo", o.ChequearSobranteMinimo);
    f("ChequearCorteMaximo", o.ChequearCorteMaximo);
    f("ChequearAnchoCorte", o.ChequearAnchoCorte);
    f("ChequearAgarre", o.ChequearAgarre);
    f("RotarPiezas", o.RotarPiezas);
    f("PiezasRotadas", o.PiezasRotadas);
    f("LargoMinimoSobrante", o.LargoMinimoSobrante);
    f("AnchoMinimoSobrante", o.AnchoMinimoSobrante);
    f("EtiCorte", o.EtiCorte);
    f("EtiPieza", o.EtiPieza);
    f("EtiSobrante", o.EtiSobrante);
    f("FormatoEti", o.FormatoEti);
    f("SolucionTeorica", o.SolucionTeorica);
    f("Redondear", o.Redondear);
    f("CriterioRedondeo", o.CriterioRedondeo);
    f("ChequearNivelCorte", o.ChequearNivelCorte);
    f("NivelCorte", o.NivelCorte);
    f("Completar", o.Completar);
    f("PreferirVariosMateriales", o.PreferirVariosMateriales);
    f("MantenerPatronesActuales", o.MantenerPatronesActuales);
    f("RestringirPosiblesCortes", o.RestringirPosiblesCortes);
    f("PorcentajeMaterial", o.PorcentajeMaterial);
    f("FormatoEtiPieza", o.FormatoEtiPieza);
    f("FormatoEtiSobrante", o.FormatoEtiSobrante);
    f("FormatoEtiCorteVer", o.FormatoEtiCorteVer);
    f("FormatoEtiCorteHor", o.FormatoEtiCorteHor);
    f("Plantilla", o.Plantilla);
    f("ChequearSobrante", o.ChequearSobrante);
    f("ChequearMargenes", o.ChequearMargenes);
    f("MargenIzq", o.MargenIzq);
    f("MargenDer", o.MargenDer);
    f("MargenSup", o.MargenSup);
    f("MargenInf", o.MargenInf);
    f("MaterialesConMargen", o.MaterialesConMargen);
    f("FilasReportePatrones", o.FilasReportePatrones);
    f("ColumnasReportePatrones", o.ColumnasReportePatrones);
    f("PrinterIndex", o.PrinterIndex);
    f("PaperSize", o.PaperSize);
    f("OutputBin", o.OutputBin);
    f("PaperOrientation", o.PaperOrientation);
    f("PaperLength", o.PaperLength);
    f("PaperWidth", o.PaperWidth);
    f("ExcluirPiezasNulas", o.ExcluirPiezasNulas);
    f("ExcluirMaterialesNulos", o.ExcluirMaterialesNulos);
    f("ExcluirPatronesNulos", o.ExcluirPatronesNulos);
    f("MejorarSolucion", o.MejorarSolucion);
    f("TiempoMejora", o.TiempoMejora);
}

struct RLectorOpciones {
    const CIniMemoria& Ini;
    void operator()(const char* clave, std::int32_t& v) const {
        v = Ini.LeerNumero(CLanzamiento::SeccionOpciones, clave, v);
    }
    void operator()(const char* clave, bool& v) const {
        v = Ini.LeerLogico(CLanzamiento::SeccionOpciones, clave, v);
    }
    void operator()(const char* clave, double& v) const {
        v = Ini.LeerReal(CLanzamiento::SeccionOpciones, clave, v);
    }
    void operator()(const char* clave, std::string& v) const {
        v = Ini.LeerTexto(CLanzamiento::SeccionOpciones, clave, v);
    }
};

struct REscritorOpciones {
    CIniMemoria& Ini;
    void operator()(const char* clave, std::int32_t v) const {
        Ini.EscribirNumero(CLanzamiento::SeccionOpciones, clave, v);
    }
    void operator()(const char* clave, bool v) const {
        Ini.EscribirLogico(CLanzamiento::SeccionOpciones, clave, v);
    }
    void operator()(const char* clave, double v) const {
        Ini.EscribirReal(CLanzamiento::SeccionOpciones, clave, v);
    }
    void operator()(const char* clave, const std::string& v) const {
        Ini.EscribirTexto(CLanzamiento::SeccionOpciones, clave, v);
    }
};

void Alargar(AWord16& a, int n) {
    if (a.size() < static_cast<std::size_t>(n) + 1) {
        a.resize(static_cast<std::size_t>(n) + 1, 0);
    }
}

} // namespace

CLanzamiento::CLanzamiento(const std::string& FileName, const ROpciones& Defaults)
    : CTextDB(FileName) {
    LeerOpciones(Defaults);
    LeerSolucion();
    FGuardado = true;
}

CLanzamiento::~CLanzamiento() = default;

void CLanzamiento::LeerOpciones(const ROpciones& Defaults) {
    FOpciones = Defaults;
    RecorrerOpciones(FOpciones, RLectorOpciones{*this});
}

void CLanzamiento::ComprobarOpciones() const {
    const ROpciones& o = FOpciones;
    struct RValor {
        const char* Clave;
        std::int32_t Valor;
        bool Aplicado;
    };
    const RValor valores[] = {
        {"AnchoCorte", o.AnchoCorte, o.ChequearAnchoCorte},
        {"LongitudAgarre", o.LongitudAgarre, o.ChequearAgarre},
        {"CorteMaximo", o.CorteMaximo, o.ChequearCorteMaximo},
        {"SobranteMinimo", o.SobranteMinimo, o.ChequearSobranteMinimo},
        {"LargoMinimoSobrante", o.LargoMinimoSobrante, o.ChequearSobrante},
        {"AnchoMinimoSobrante", o.AnchoMinimoSobrante, o.ChequearSobrante},
        {"MargenIzq", o.MargenIzq, o.ChequearMargenes},
        {"MargenDer", o.MargenDer, o.ChequearMargenes},
        {"MargenSup", o.MargenSup, o.ChequearMargenes && !o.Barras},
        {"MargenInf", o.MargenInf, o.ChequearMargenes && !o.Barras},
    };
    for (const RValor& v : valores) {
        if (v.Aplicado && (v.Valor < 0 || v.Valor > LongitudMaxima)) {
            throw EErrorPropiedad(std::string(Textos::OpcionIncorrecta) + v.Clave +
                                  Textos::OpcionFueraDeRango + std::to_string(v.Valor) +
                                  Textos::OpcionRango);
        }
    }
    if (!o.ChequearMargenes) {
        return;
    }
    auto sinMaterial = [](const char* a, const char* b, int margen, int medida, int m) {
        if (margen >= medida) {
            throw EErrorPropiedad(std::string(Textos::OpcionesMargenes) + a + Textos::Y + b +
                                  Textos::MargenesSinMaterial + std::to_string(m));
        }
    };
    for (int m = 1; m <= CantidadMateriales(); ++m) {
        if (!MaterialActivo(m) || !MaterialConMargen(m)) {
            continue;
        }
        sinMaterial("MargenIzq", "MargenDer", o.MargenIzq + o.MargenDer, LargoMaterial(m), m);
        if (!o.Barras) {
            sinMaterial("MargenSup", "MargenInf", o.MargenSup + o.MargenInf, AnchoMaterial(m), m);
        }
    }
}

void CLanzamiento::EscribirOpciones() {
    RecorrerOpciones(FOpciones, REscritorOpciones{*this});
}

void CLanzamiento::Guardar() {
    EscribirOpciones();
    EscribirSolucion();
    Actualizar();
    FGuardado = true;
}

void CLanzamiento::GuardarComo(const std::string& FileName) {
    Renombrar(FileName);
}

std::string CLanzamiento::Nombre() const {
    return std::filesystem::path(NombreArchivo()).stem().string();
}

void CLanzamiento::AsignarOpciones(const ROpciones& opciones) {
    FOpciones = opciones;
    FGuardado = false;
}

int CLanzamiento::CantidadPiezas() const {
    return LeerCantidad(SeccionPiezas);
}
int CLanzamiento::CantidadMateriales() const {
    return LeerCantidad(SeccionMateriales);
}

int CLanzamiento::Longitud(const char* seccion, int i, int campo) const {
    if (campo == CampoAncho && FOpciones.Barras) {
        return 1;
    }
    const std::string texto = LeerCampo(seccion, i, campo);
    try {
        // No length needs more than a few dozen characters; a longer field is not read
        // through (a damaged file may hold megabytes in one field).
        if (texto.size() > 100) {
            throw EConversion(Textos::ErrorConversion);
        }
        return LeerLongitud(texto, FOpciones);
    } catch (const EConversion& e) {
        // Where the bad value is, as the user typed it: "Piezas, registro 3, Largo: '12,5': ...".
        throw EConversion(std::string(seccion) + Textos::Registro + std::to_string(i) + ", " +
                          (campo == CampoLargo ? Textos::CampoLargo : Textos::CampoAncho) + ": '" +
                          texto.substr(0, 60) + "': " + e.what());
    }
}

int CLanzamiento::Cantidad(const char* seccion, int i) const {
    const std::string texto = LeerCampo(seccion, i, CampoCantidad);
    if (texto.empty()) {
        return 0;
    }
    long long v = 0;
    if (!LeerEntero(texto, v)) {
        throw EConversion(std::string("'") + texto.substr(0, 60) + "'" + Textos::NoEsEntero);
    }
    if (v < 0 || v > CantidadMaxima) {
        throw EConversion(std::string(Textos::CantidadIncorrecta) + std::to_string(i) + " [" +
                          seccion + "]: " + texto.substr(0, 60) + Textos::CantidadRango);
    }
    return static_cast<int>(v);
}

int CLanzamiento::LargoPieza(int i) const {
    return Longitud(SeccionPiezas, i, CampoLargo);
}
int CLanzamiento::AnchoPieza(int i) const {
    return Longitud(SeccionPiezas, i, CampoAncho);
}
int CLanzamiento::CantidadPieza(int i) const {
    return Cantidad(SeccionPiezas, i);
}
std::string CLanzamiento::Desc1Pieza(int i) const {
    return LeerCampo(SeccionPiezas, i, CampoDesc1);
}
std::string CLanzamiento::Desc2Pieza(int i) const {
    return LeerCampo(SeccionPiezas, i, CampoDesc2);
}
bool CLanzamiento::PiezaActiva(int i) const {
    return LeerCampo(SeccionPiezas, i, CampoAct) != "0";
}

int CLanzamiento::LargoMaterial(int i) const {
    return Longitud(SeccionMateriales, i, CampoLargo);
}
int CLanzamiento::AnchoMaterial(int i) const {
    return Longitud(SeccionMateriales, i, CampoAncho);
}
int CLanzamiento::CantidadMaterial(int i) const {
    return Cantidad(SeccionMateriales, i);
}
std::string CLanzamiento::Desc1Material(int i) const {
    return LeerCampo(SeccionMateriales, i, CampoDesc1);
}
std::string CLanzamiento::Desc2Material(int i) const {
    return LeerCampo(SeccionMateriales, i, CampoDesc2);
}
bool CLanzamiento::MaterialActivo(int i) const {
    return LeerCampo(SeccionMateriales, i, CampoAct) != "0";
}

double CLanzamiento::AreaPieza(int i) const {
    return static_cast<double>(LargoPieza(i)) * static_cast<double>(AnchoPieza(i));
}

double CLanzamiento::AreaMaterial(int i) const {
    return static_cast<double>(LargoMaterial(i)) * static_cast<double>(AnchoMaterial(i));
}

void CLanzamiento::DimensionesPiezas(AWord16& largos, AWord16& anchos) const {
    const int n = CantidadPiezas();
    Alargar(largos, n);
    Alargar(anchos, n);
    for (int i = 1; i <= n; ++i) {
        largos[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(LargoPieza(i));
        anchos[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(AnchoPieza(i));
    }
}

void CLanzamiento::DimensionesMateriales(AWord16& largos, AWord16& anchos) const {
    const int n = CantidadMateriales();
    Alargar(largos, n);
    Alargar(anchos, n);
    for (int i = 1; i <= n; ++i) {
        largos[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(LargoMaterial(i));
        anchos[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(AnchoMaterial(i));
    }
}

void CLanzamiento::CantidadesPiezas(AWord16& cantidades) const {
    const int n = CantidadPiezas();
    Alargar(cantidades, n);
    for (int i = 1; i <= n; ++i) {
        cantidades[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(CantidadPieza(i));
    }
}

void CLanzamiento::CantidadesMateriales(AWord16& cantidades) const {
    const int n = CantidadMateriales();
    Alargar(cantidades, n);
    for (int i = 1; i <= n; ++i) {
        cantidades[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(CantidadMaterial(i));
    }
}

void CLanzamiento::ActivasPiezas(AWord16& activas) const {
    const int n = CantidadPiezas();
    Alargar(activas, n);
    for (int i = 1; i <= n; ++i) {
        activas[static_cast<std::size_t>(i)] = PiezaActiva(i) ? 1 : 0;
    }
}

void CLanzamiento::ActivosMateriales(AWord16& activos) const {
    const int n = CantidadMateriales();
    Alargar(activos, n);
    for (int i = 1; i <= n; ++i) {
        activos[static_cast<std::size_t>(i)] = MaterialActivo(i) ? 1 : 0;
    }
}

void CLanzamiento::LeerPiezas(CGrilla& grilla) const {
    LeerGrilla(SeccionPiezas, grilla);
}
void CLanzamiento::LeerMateriales(CGrilla& grilla) const {
    LeerGrilla(SeccionMateriales, grilla);
}

void CLanzamiento::EscribirPiezas(const CGrilla& grilla) {
    int anterior = 0;
    try {
        anterior = CantidadPiezas();
    } catch (const EConversion&) {
        anterior = 0; // the section is being replaced whole anyway
    }
    EscribirGrilla(SeccionPiezas, grilla);
    PiezasCambiadas(anterior, CantidadPiezas());
}

void CLanzamiento::EscribirMateriales(const CGrilla& grilla) {
    EscribirGrilla(SeccionMateriales, grilla);
}

void CLanzamiento::EscribirResultados(const CGrilla& grilla) {
    EscribirGrilla(SeccionResultados, grilla);
}

bool CLanzamiento::PiezaRotable(int i) const {
    if (FOpciones.Barras || !FOpciones.RotarPiezas) {
        return false;
    }
    return EnListaNumeros(FOpciones.PiezasRotadas, i);
}

bool CLanzamiento::MaterialConMargen(int i) const {
    if (!FOpciones.ChequearMargenes) {
        return false;
    }
    return EnListaNumeros(FOpciones.MaterialesConMargen, i);
}

std::vector<std::string> CLanzamiento::LeerHistorico() const {
    // "n" is case-blind the same key as "N", so the record-count rules bound it too.
    const int n = LeerCantidad(SeccionHistorico);
    std::vector<std::string> entradas;
    entradas.reserve(static_cast<std::size_t>(n));
    for (int i = 1; i <= n; ++i) {
        entradas.push_back(LeerTexto(SeccionHistorico, std::to_string(i), ""));
    }
    return entradas;
}

void CLanzamiento::EscribirHistorico(const std::vector<std::string>& entradas) {
    if (entradas.size() > static_cast<std::size_t>(CantidadMaxima)) {
        throw EConversion(std::string(Textos::DemasiadasFilas) + std::to_string(CantidadMaxima));
    }
    EscribirNumero(SeccionHistorico, "n", static_cast<long long>(entradas.size()));
    for (std::size_t i = 0; i < entradas.size(); ++i) {
        EscribirTexto(SeccionHistorico, std::to_string(i + 1), entradas[i]);
    }
    FGuardado = false;
}

// ---- Solution --------------------------------------------------------------------------

namespace {

constexpr const char* ClaveCantPatrones = "CantPatrones";
constexpr const char* ClaveAprovTeorico = "AprovTeorico";
constexpr const char* ClaveRedondeo = "Redondeo";
constexpr const char* PrefijoPatron = "Patron";

// Highest i with a key "Patron<i>" in the section (0 when none): a damaged "CantPatrones"
// must not make the job build millions of patterns out of nothing.
std::int32_t UltimoPatronPresente(const CIniMemoria& ini) {
    const std::string prefijo = PrefijoPatron;
    std::int32_t ultimo = 0;
    for (const auto& [clave, valor] : ini.ValoresSeccion(CLanzamiento::SeccionSolucion)) {
        static_cast<void>(valor);
        if (clave.size() <= prefijo.size() || clave.size() > prefijo.size() + 9) {
            continue;
        }
        const bool esPatron =
            std::equal(prefijo.begin(), prefijo.end(), clave.begin(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) ==
                       std::tolower(static_cast<unsigned char>(b));
            });
        const std::string numero = clave.substr(prefijo.size());
        long long i = 0;
        if (esPatron && numero[0] != '0' &&
            std::all_of(numero.begin(), numero.end(),
                        [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }) &&
            LeerEntero(numero, i) && i <= CSolucion::MaximoSlots) {
            ultimo = std::max(ultimo, static_cast<std::int32_t>(i));
        }
    }
    return ultimo;
}

} // namespace

void CLanzamiento::LeerSolucion() {
    auto solucion = std::make_unique<CSolucion>();
    solucion->SetAprovechamientoGuardado(LeerReal(SeccionSolucion, ClaveAprovTeorico, 0.0));
    solucion->SetModo(LeerNumero(SeccionSolucion, ClaveRedondeo, 0));
    const std::int32_t n =
        std::min(LeerNumero(SeccionSolucion, ClaveCantPatrones, 0), UltimoPatronPresente(*this));
    FAvisoSolucion.clear();
    const int piezas = n > 0 ? CantidadPiezas() : 0;
    // Every pattern holds a count up to its highest piece: a damaged file with a great many
    // patterns naming high piece numbers must not make the job allocate without bound (128
    // MB of counts). Real jobs stay far below.
    const std::size_t cantidadesMaximas = std::size_t{1} << 24;
    std::size_t cantidades = 0;
    for (std::int32_t i = 1; i <= n; ++i) {
        const std::string texto = LeerTexto(SeccionSolucion, PrefijoPatron + std::to_string(i), "");
        // A missing or empty key describes no pattern: the slot stays empty.
        if (Recortar(texto).empty()) {
            continue;
        }
        std::string aviso;
        auto patron = CPatron::DeTexto(texto, piezas, this, aviso);
        cantidades += patron->CantPorPieza().size();
        if (cantidades > cantidadesMaximas) {
            FAvisoSolucion = Textos::ErrorCrearPatron;
            break;
        }
        solucion->FijarPatron(i, std::move(patron));
        if (!aviso.empty() && FAvisoSolucion.empty()) {
            FAvisoSolucion = aviso;
        }
    }
    FSolucion = std::move(solucion);
}

void CLanzamiento::EscribirSolucion() {
    BorrarSeccion(SeccionSolucion);
    const CSolucion& s = *FSolucion;
    std::int32_t escritos = 0;
    for (std::int32_t k = 1; k <= s.Cantidad(); ++k) {
        escritos += s.Patron(k) != nullptr ? 1 : 0;
    }
    EscribirNumero(SeccionSolucion, ClaveCantPatrones, escritos);
    EscribirReal(SeccionSolucion, ClaveAprovTeorico, s.AprovechamientoGuardado());
    EscribirNumero(SeccionSolucion, ClaveRedondeo, s.Modo());
    std::int32_t i = 0;
    for (std::int32_t k = 1; k <= s.Cantidad(); ++k) {
        if (const CPatron* p = s.Patron(k)) {
            EscribirTexto(SeccionSolucion, PrefijoPatron + std::to_string(++i), p->ATexto());
        }
    }
}

void CLanzamiento::AsignarSolucion(std::unique_ptr<CSolucion> solucion) {
    FSolucion = solucion ? std::move(solucion) : std::make_unique<CSolucion>();
}

void CLanzamiento::PiezasCambiadas(int cantidadAnterior, int cantidadNueva) {
    // New pieces get a count of 0 in every pattern, so that the counts index them.
    if (cantidadNueva <= cantidadAnterior) {
        return;
    }
    const auto tamano = static_cast<std::size_t>(cantidadNueva) + 1;
    for (std::int32_t k = 1; k <= FSolucion->Cantidad(); ++k) {
        if (CPatron* p = FSolucion->Patron(k); p != nullptr && p->CantPorPieza().size() < tamano) {
            p->CantPorPieza().resize(tamano, 0);
        }
    }
}

std::unique_ptr<CLanzamiento> CLanzamiento::DesdePlantilla(const std::string& Plantilla,
                                                           const std::string& FileName,
                                                           const ROpciones& Defaults) {
    auto job = std::make_unique<CLanzamiento>(Plantilla, Defaults);
    ROpciones opciones = job->Opciones();
    opciones.Plantilla = Plantilla;
    job->AsignarOpciones(opciones);
    job->GuardarComo(FileName);
    return job;
}
