#include "engine/CCalculo.h"

#include "document/CLanzamiento.h"
#include "document/UExcepciones.h"
#include "document/UTextos.h"
#include "engine/CMejora.h"
#include "engine/CPlanEntero.h"
#include "engine/CReservaColumnas.h"
#include "engine/CSimplex.h"
#include "engine/CSolucion.h"
#include "engine/CVistaCalculo.h"
#include "generator/CMochila.h"
#include "patterns/CPatron.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <ctime>
#include <utility>

std::atomic<std::int32_t> CCalculo::FCalculosActivos{0};

namespace {

std::string Reemplazar(std::string texto, const std::string& marca, const std::string& valor) {
    const std::size_t p = texto.find(marca);
    if (p != std::string::npos) {
        texto.replace(p, marca.size(), valor);
    }
    return texto;
}

// Fixed-point text of x rounded first to `precision` significant digits, then written with
// `decimales` decimals; "." is the separator whatever the locale.
std::string Fijo(double x, int precision, int decimales) {
    if (!std::isfinite(x)) {
        x = 0.0;
    }
    char buf[400];
    auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific, precision - 1);
    double redondeado = x;
    std::from_chars(buf, r.ptr, redondeado);
    r = std::to_chars(buf, buf + sizeof buf, redondeado, std::chars_format::fixed, decimales);
    return std::string(buf, r.ptr);
}

std::string DosCifras(long long n) {
    std::string s = std::to_string(n);
    return s.size() < 2 ? "0" + s : s;
}

std::string FechaHora() {
    const std::time_t ahora = std::time(nullptr);
    std::tm t{};
    localtime_r(&ahora, &t);
    return DosCifras(t.tm_mday) + "/" + DosCifras(t.tm_mon + 1) + "/" +
           std::to_string(t.tm_year + 1900) + " " + DosCifras(t.tm_hour) + ":" +
           DosCifras(t.tm_min) + ":" + DosCifras(t.tm_sec);
}

} // namespace

CCalculo::CCalculo(CLanzamiento& lanzamiento, CVistaCalculo& vista)
    : FLanzamiento(lanzamiento), FVista(vista) {
    // Set here, on the main thread, before the worker exists: the generator reaches the
    // running calculation through the job.
    FLanzamiento.AsignarCalculo(this);
}

CCalculo::~CCalculo() {
    if (FHilo.joinable()) {
        Cancelado = true;
        FHilo.join();
    }
    if (FIniciado && !FTerminacionHecha) {
        FCalculosActivos.fetch_sub(1);
    }
    if (FLanzamiento.Calculo() == this) {
        FLanzamiento.AsignarCalculo(nullptr);
    }
}

void CCalculo::Iniciar() {
    if (FIniciado) {
        return;
    }
    FIniciado = true;
    FInicio = Ahora();
    FHilo = std::thread([this] { Execute(); });
}

void CCalculo::Esperar() {
    if (FHilo.joinable()) {
        FHilo.join();
    }
}

const std::string& CCalculo::TextoVariantes(int fila) const {
    return FTextoVariantes[std::clamp(fila, 0, 3)];
}

const std::string& CCalculo::TextoAprovechamiento(int fila) const {
    return FTextoAprovechamiento[std::clamp(fila, 0, 3)];
}

double CCalculo::CotaMaterial(std::int32_t material) const {
    if (material < 1 || static_cast<std::size_t>(material) >= FCotaMaterial.size()) {
        return 0.0;
    }
    return FCotaMaterial[static_cast<std::size_t>(material)];
}

// ---- Display --------------------------------------------------------------------------

void CCalculo::MostrarMaximoProgreso() {
    FVista.MostrarMaximoProgreso(ProgresoMaximo());
}

void CCalculo::MostrarProgreso() {
    FVista.MostrarProgreso(PosicionMostrada());
}

void CCalculo::MostrarVariantes() {
    const int fase = FFaseVisible.load();
    std::int32_t variantes;
    if (fase == CVistaCalculo::FilaTeorica) {
        variantes = VariantesAnalizadas();
    } else if (fase == CVistaCalculo::FilaCompletamiento) {
        variantes = VariantesAnalizadas() - FVariantesAntesCompletar;
    } else if (fase == CVistaCalculo::FilaMejora) {
        variantes = VariantesAnalizadas() - FVariantesAntesMejora;
    } else {
        return;
    }
    FTextoVariantes[fase] = std::to_string(variantes);
    FVista.MostrarVariantes(fase, FTextoVariantes[fase]);
}

void CCalculo::MostrarRedondeoPorDefecto() {
    FVista.MostrarProceso(CVistaCalculo::FilaRedondeo, Textos::ProcesoRedondeoDefecto);
}

void CCalculo::MostrarRedondeoPorExceso() {
    FVista.MostrarProceso(CVistaCalculo::FilaRedondeo, Textos::ProcesoRedondeoExceso);
}

void CCalculo::GenerarPatron(const AReal8& duales, std::unique_ptr<CPatron>& patron, int modo,
                             int& material, double& costoReducido) {
    FMochila->GenerarPatron(duales, patron, modo, material, costoReducido);
}

void CCalculo::MostrarAprovechamientoFase() {
    const int fase = FFaseVisible.load();
    double aprovechamiento;
    if (fase == CVistaCalculo::FilaTeorica) {
        aprovechamiento = FSolucion->AprovechamientoTeorico();
    } else if (fase == CVistaCalculo::FilaCompletamiento || fase == CVistaCalculo::FilaMejora) {
        aprovechamiento = FSolucion->AprovechamientoReal();
    } else {
        return;
    }
    FTextoAprovechamiento[fase] = Fijo(100.0 * aprovechamiento, 14, 10) + "%";
    FVista.MostrarAprovechamiento(fase, FTextoAprovechamiento[fase]);
}

void CCalculo::MostrarConsumoTeorico() {
    std::vector<std::string> textos;
    for (std::int32_t m : FMaterialesActivos) {
        textos.push_back(Fijo(FSolucion->ConsumoTeorico(m), 15, 2));
    }
    FVista.MostrarConsumoTeorico(textos);
}

void CCalculo::MostrarConsumoReal() {
    std::vector<std::string> textos;
    for (std::int32_t m : FMaterialesActivos) {
        textos.push_back(std::to_string(FSolucion->HojasMaterial(m)));
    }
    FVista.MostrarConsumoReal(textos);
}

void CCalculo::MarcarFaseHecha() {
    FVista.MarcarFaseHecha(FFaseVisible.load(), Textos::ProcesoHecho);
}

// ---- The worker ------------------------------------------------------------------------

void CCalculo::Execute() {
    FCalculosActivos.fetch_add(1);
    FResumen.clear();
    FResumen.push_back(std::string(Textos::ResumenFechaHora) + FechaHora());
    FResumen.emplace_back();
    FResumen.push_back(std::string(Textos::FaseTeorica) + ":");
    FFaseVisible = CVistaCalculo::FilaTeorica;
    try {
        FVista.MarcarFaseTeorica();
        Forzar = false;
        FVista.HabilitarForzar();
        FVista.ProcesarMensajes();

        FMochila = std::make_unique<CMochila>(FLanzamiento);
        FNumPiezas = FMochila->NumPiezas();
        FNumMateriales = FMochila->NumMateriales();
        for (int m = 1; m <= FLanzamiento.CantidadMateriales(); ++m) {
            if (FLanzamiento.MaterialActivo(m)) {
                FMaterialesActivos.push_back(m);
            }
        }
        EtapaTeorica();
        EtapaRedondeo();
        EtapaCompletamiento();
        EtapaMejora();
        RevisarPedido();
    } catch (const ECalculoForzado&) {
        // A forced step that reached this far ends the run without an error.
    } catch (const std::exception& e) {
        FMensajeError = MensajeDeExcepcion(e);
        if (FMensajeError.empty()) {
            FMensajeError = Textos::ErrorPrecision;
        }
    } catch (...) {
        FMensajeError = Textos::ErrorPrecision;
    }
    FPatronNuevo.reset();
    FReserva.reset();
    FSimplex.reset();
    FDuales.clear();
    FCostes.clear();
    FColumna.clear();
    FLadoDerecho.clear();
    FArtificiales.clear();
    FMochila.reset();
    FTerminado = true;
    FVista.EjecucionTerminada();
}

void CCalculo::EtapaTeorica() {
    const ROpciones& op = FMochila->Opciones();
    if (op.SolucionTeorica) {
        FSolucion = std::make_unique<CSolucion>();
        const std::size_t n = static_cast<std::size_t>(FNumPiezas + FNumMateriales) + 1;
        FDuales.assign(n, 0.0);
        FCostes.assign(n, 0.0);
        FColumna.assign(n, 0);
        FArtificiales.assign(n, 0);
        std::fill(FArtificiales.begin() + 1,
                  FArtificiales.begin() + 1 + static_cast<std::ptrdiff_t>(FNumPiezas), 1);
        FijarVariantesAnalizadas(0);
        const AWord16& pedido = FMochila->Pedido();
        for (int i = 1; i <= FNumPiezas; ++i) {
            FColumna[static_cast<std::size_t>(i)] = pedido[static_cast<std::size_t>(i)];
            FCostes[static_cast<std::size_t>(i)] = 1.0;
        }
        for (int j = 1; j <= FNumMateriales; ++j) {
            FColumna[static_cast<std::size_t>(FNumPiezas + j)] =
                FMochila->DisponibleMaterial(FMochila->MaterialDeFila(j));
            FCostes[static_cast<std::size_t>(FNumPiezas + j)] = 0.0;
        }
        FLadoDerecho = FColumna;
        FSimplex = std::make_unique<CSimplex>(FColumna, FLadoDerecho, FCostes);
        if (FAcelerado) {
            FReserva = std::make_unique<CReservaColumnas>();
            FMochila->FijarAdicionales(Adicionales);
        }
        MostrarAprovechamientoFase();
        MostrarConsumoTeorico();
        // The levels are 1 to 3; a hand-written job may hold others, or the first above
        // the last, which runs the same levels in the sound order.
        std::int32_t inicial = std::clamp(op.NivelOptimizacionInicial, 1, 3);
        std::int32_t final = std::clamp(op.NivelOptimizacionFinal, 1, 3);
        const bool invertidos = inicial > final;
        if (invertidos) {
            std::swap(inicial, final);
        }
        BucleNiveles(inicial, final);
        // The later stages price for their own ends and take no extra patterns.
        FMochila->FijarAdicionales(0);
        FReserva.reset();
        ComprobarTeorica();
        CalcularCota();
        FSolucion->SetAprovechamientoGuardado(FSolucion->AprovechamientoTeorico());
        for (std::int32_t k = FSolucion->Cantidad(); k >= 1; --k) {
            if (std::as_const(*FSolucion).Patron(k) == nullptr) {
                FSolucion->Eliminar(k);
            }
        }
        FResumen.push_back(Textos::ResumenCalculado);
        FResumen.push_back(std::string(Textos::ResumenVariantes) + FTextoVariantes[0]);
        FResumen.push_back(std::string(Textos::ResumenAprovechamiento) + FTextoAprovechamiento[0]);
        FResumen.push_back(std::string(Textos::ResumenNivel) + std::to_string(FNivel));
        if (invertidos) {
            FResumen.push_back(Reemplazar(
                Reemplazar(Textos::ResumenNivelesInvertidos, "#", std::to_string(inicial)), "$",
                std::to_string(final)));
        }
        return;
    }
    const CSolucion& actual = std::as_const(FLanzamiento).Solucion();
    if (actual.Cantidad() >= 1) {
        FSolucion = std::make_unique<CSolucion>();
        FSolucion->SetAprovechamientoGuardado(actual.AprovechamientoGuardado());
        std::int32_t siguiente = 0;
        for (std::int32_t k = 1; k <= actual.Cantidad(); ++k) {
            const CPatron* p = actual.Patron(k);
            if (p != nullptr && Mayor(p->Repeticion(), 0.0)) {
                FSolucion->FijarPatron(++siguiente, CPatron::Copia(*p));
            }
        }
        // Repetitions read from a file: a hand-edited one may hold anything.
        ResultadoEtapa(CVistaCalculo::FilaTeorica, *FSolucion);
        if (!RepeticionesTeoricasValidas(*FSolucion)) {
            throw EErrorPrecision();
        }
        MostrarAprovechamientoFase();
        MostrarConsumoTeorico();
        FResumen.push_back(Textos::ResumenExistente);
        FResumen.push_back(std::string(Textos::ResumenAprovechamiento) + FTextoAprovechamiento[0]);
        return;
    }
    FSolucion = std::make_unique<CSolucion>();
    FResumen.push_back(Textos::ResumenNoCalculado);
}

void CCalculo::BucleNiveles(std::int32_t inicial, std::int32_t final) {
    FFase = 1;
    FNivel = inicial - 1;
    FNivelFinal = final;
    do {
        ++FNivel;
        FNivelCerrado = false;
        FMochila->SetNivelOptimizacion(FNivel);
        FVista.MostrarNivel(FNivel, Reemplazar(Textos::ProcesoNivel, "#", std::to_string(FNivel)));
        GenerarColumnas();
        if (FFase == 1) {
            if (Mayor(FSimplex->Objetivo(), 0.0)) {
                if (FNivel == FNivelFinal) {
                    break; // the artificials stay: phase 2 never runs
                }
            } else {
                for (std::int32_t k = 1; k <= FNumPiezas + FNumMateriales; ++k) {
                    const CPatron* p = std::as_const(*FSolucion).Patron(k);
                    FCostes[static_cast<std::size_t>(k)] =
                        p != nullptr ? FLanzamiento.AreaMaterial(p->Material()) : 0.0;
                }
                FSimplex->FijarCostes(FCostes);
                // The plan that ended phase 1 exists: phase 2 can only make it cheaper.
                FConsumoInicialFase2 = FSimplex->Objetivo();
                FFase = 2;
                --FNivel; // the same level runs again in phase 2
            }
        }
    } while (!(FNivel == FNivelFinal && FFase == 2));
    FCotaValida = FFase == 2 && FNivelCerrado;
}

void CCalculo::GenerarColumnas() {
    const std::size_t np = static_cast<std::size_t>(FNumPiezas);
    const std::int64_t maximoPivotes =
        PivotesPorFila * static_cast<std::int64_t>(FNumPiezas + FNumMateriales);
    try {
        std::int64_t pivotes = 0;
        double rc = 0.0;
        do {
            FSimplex->Duales(FDuales);
            int m = 0;
            rc = 0.0;
            bool deReserva = false;
            if (FReserva != nullptr) {
                FPatronNuevo = FReserva->Mejor(FDuales, FNumPiezas, FFase, m, rc);
                deReserva = FPatronNuevo != nullptr;
            }
            if (!deReserva) {
                GenerarPatron(FDuales, FPatronNuevo, FFase, m, rc);
                ContarVariante();
                if (FReserva != nullptr) {
                    Reservar(FPatronNuevo.get(), m);
                    for (const CMochila::RAdicional& a : FMochila->TomarAdicionales()) {
                        Reservar(a.Patron.get(), a.Material);
                    }
                }
            }
            if (FPatronNuevo == nullptr || m < 1 || m > FNumMateriales) {
                rc = MaximoReal; // a reduced cost without a usable pattern is no column
            }
            if (!MayorIgual(rc, 0.0)) {
                bool recortada = false;
                for (int i = 1; i <= FNumPiezas; ++i) {
                    const int pieza = FMochila->PiezaDeFila(i);
                    // The simplex columns are 16-bit; an order is at most 65535, so a count
                    // above it covers the row as fully as 65535 does.
                    const std::int64_t cantidad = FPatronNuevo->CantidadPieza(pieza);
                    recortada = recortada || cantidad > 65535;
                    FColumna[static_cast<std::size_t>(i)] =
                        static_cast<std::uint16_t>(std::min<std::int64_t>(cantidad, 65535));
                }
                std::fill(FColumna.begin() + static_cast<std::ptrdiff_t>(np) + 1, FColumna.end(),
                          0);
                FColumna[np + static_cast<std::size_t>(m)] = 1;
                if (recortada) {
                    // The pricing valued the whole count: price the column the simplex gets,
                    // or the same pattern would seem to improve for ever.
                    long double valor = FDuales[np + static_cast<std::size_t>(m)];
                    for (int i = 1; i <= FNumPiezas; ++i) {
                        valor += static_cast<long double>(FColumna[static_cast<std::size_t>(i)]) *
                                 FDuales[static_cast<std::size_t>(i)];
                    }
                    const double coste =
                        FFase == 1 ? 0.0 : FLanzamiento.AreaMaterial(FPatronNuevo->Material());
                    rc = static_cast<double>(coste - valor);
                }
            }
            if (MayorIgual(rc, 0.0)) {
                // No pattern improves: the first material whose dual is positive offers
                // its slack.
                FPatronNuevo.reset();
                std::fill(FColumna.begin(), FColumna.end(), 0);
                int j = 0;
                while (j < FNumMateriales && MayorIgual(rc, 0.0)) {
                    ++j;
                    rc = -FDuales[np + static_cast<std::size_t>(j)];
                }
                FColumna[np + static_cast<std::size_t>(j)] = 1;
                m = j;
            }
            if (Menor(rc, 0.0)) {
                int sale = 0;
                // In phase 2 the artificials left at zero by phase 1 must stay there: with
                // cost 0 a pivot could raise them and leave the order short.
                if (!FSimplex->Pivotear(FColumna, rc, sale,
                                        FFase == 2 ? &FArtificiales : nullptr)) {
                    throw EErrorPrecision();
                }
                FArtificiales[static_cast<std::size_t>(sale)] = 0;
                FSolucion->FijarPatron(sale, std::move(FPatronNuevo));
                FPatronNuevo.reset();
                ActualizarRepeticiones();
                if (++pivotes >= maximoPivotes) {
                    throw ECalculoForzado();
                }
            }
            AvanzarProgreso(1);
            MostrarAprovechamientoFase();
            MostrarConsumoTeorico();
            FVista.ProcesarMensajes();
        } while (!MayorIgual(rc, 0.0));
        FNivelCerrado = true;
    } catch (const ECalculoForzado&) {
        Forzar = false;
    }
}

void CCalculo::Reservar(const CPatron* patron, int material) {
    if (patron == nullptr || material < 1 || material > FNumMateriales) {
        return;
    }
    AWord16 columna(static_cast<std::size_t>(FNumPiezas) + 1, 0);
    for (int i = 1; i <= FNumPiezas; ++i) {
        columna[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(
            std::min<std::int64_t>(patron->CantidadPieza(FMochila->PiezaDeFila(i)), 65535));
    }
    FReserva->Agregar(*patron, material, columna, FNumPiezas,
                      FLanzamiento.AreaMaterial(patron->Material()));
}

void CCalculo::ActualizarRepeticiones() {
    for (std::int32_t k = 1; k <= FSolucion->Cantidad(); ++k) {
        if (CPatron* p = FSolucion->Patron(k)) {
            p->SetRepeticion(FSimplex->ValorBasico(k));
        }
    }
}

void CCalculo::ComprobarTeorica() {
    ResultadoEtapa(CVistaCalculo::FilaTeorica, *FSolucion);
    if (TeoricaValida()) {
        return;
    }
    // Rebuild the basis inverse from its columns, and let the last level go on from there:
    // a result spoilt by round-off comes back; one that is still wrong ends the run.
    FSimplex->Refactorizar();
    ActualizarRepeticiones();
    GenerarColumnas();
    ResultadoEtapa(CVistaCalculo::FilaTeorica, *FSolucion);
    if (!TeoricaValida()) {
        throw EErrorPrecision();
    }
}

bool CCalculo::TeoricaValida() const {
    constexpr double tolerancia = 1e-6;
    if (!RepeticionesTeoricasValidas(*FSolucion)) {
        return false;
    }
    const AWord16& pedido = FMochila->Pedido();
    std::vector<long double> producido(static_cast<std::size_t>(FNumPiezas) + 1, 0.0L);
    std::vector<long double> usado(static_cast<std::size_t>(FNumMateriales) + 1, 0.0L);
    long double consumo = 0.0L;
    const CSolucion& solucion = *FSolucion;
    for (std::int32_t k = 1; k <= solucion.Cantidad(); ++k) {
        const CPatron* p = solucion.Patron(k);
        if (p == nullptr) {
            continue;
        }
        const long double x = p->Repeticion();
        consumo += x * FLanzamiento.AreaMaterial(p->Material());
        for (int j = 1; j <= FNumMateriales; ++j) {
            if (FMochila->MaterialDeFila(j) == p->Material()) {
                usado[static_cast<std::size_t>(j)] += x;
            }
        }
        const ACantidades& cantidades = p->CantPorPieza();
        for (int i = 1; i <= FNumPiezas; ++i) {
            const auto pieza = static_cast<std::size_t>(FMochila->PiezaDeFila(i));
            if (pieza < cantidades.size()) {
                // As the simplex column holds it: a count above 65535 covers the row as
                // fully as 65535 does.
                producido[static_cast<std::size_t>(i)] +=
                    x * static_cast<long double>(std::min<std::int64_t>(cantidades[pieza], 65535));
            }
        }
    }
    // The rows are equalities: never more than the order, and all of it once phase 2 runs.
    long double cota = 0.0L;
    for (int i = 1; i <= FNumPiezas; ++i) {
        const long double d = pedido[static_cast<std::size_t>(i)];
        const long double margen = tolerancia * (1.0L + d);
        const long double hecho = producido[static_cast<std::size_t>(i)];
        if (hecho > d + margen || (FFase == 2 && hecho < d - margen)) {
            return false;
        }
        cota += d * FLanzamiento.AreaPieza(FMochila->PiezaDeFila(i));
    }
    for (int j = 1; j <= FNumMateriales; ++j) {
        const std::uint16_t stock = FMochila->DisponibleMaterial(FMochila->MaterialDeFila(j));
        if (stock != CantidadIlimitada && usado[static_cast<std::size_t>(j)] > stock + tolerancia) {
            return false;
        }
    }
    if (FFase != 2) {
        return true;
    }
    // The material covers at least the pieces' area, costs no more than the plan phase 2
    // started from, and is what the simplex says it is.
    const long double margen = tolerancia * (1.0L + consumo);
    return consumo >= cota - margen &&
           consumo <= static_cast<long double>(FConsumoInicialFase2) + margen &&
           std::fabs(consumo - static_cast<long double>(FSimplex->Objetivo())) <= margen;
}

bool CCalculo::RepeticionesTeoricasValidas(const CSolucion& solucion) {
    for (std::int32_t k = 1; k <= solucion.Cantidad(); ++k) {
        const CPatron* p = solucion.Patron(k);
        if (p != nullptr) {
            const double x = p->Repeticion();
            if (!std::isfinite(x) || x < -CSimplex::ToleranciaCero || x >= RepeticionMaxima) {
                return false;
            }
        }
    }
    return true;
}

bool CCalculo::PlanEnteroValido(const CSolucion& solucion, std::int32_t modo) {
    std::vector<std::int64_t> producido;
    for (std::int32_t k = 1; k <= solucion.Cantidad(); ++k) {
        const CPatron* p = solucion.Patron(k);
        if (p == nullptr) {
            continue;
        }
        const std::int32_t r = p->RepEntera(modo);
        if (r < 0) {
            return false;
        }
        const ACantidades& cantidades = p->CantPorPieza();
        producido.resize(std::max(producido.size(), cantidades.size()), 0);
        for (std::size_t i = 1; i < cantidades.size(); ++i) {
            producido[i] += static_cast<std::int64_t>(cantidades[i]) * r;
        }
    }
    return std::all_of(producido.begin(), producido.end(), [](std::int64_t n) { return n >= 0; });
}

void CCalculo::ComprobarEntera(std::int32_t fase, std::initializer_list<std::int32_t> modos) {
    ResultadoEtapa(fase, *FSolucion);
    for (const std::int32_t modo : modos) {
        if (!PlanEnteroValido(*FSolucion, modo)) {
            throw EErrorPrecision();
        }
    }
}

void CCalculo::EtapaRedondeo() {
    const ROpciones& op = FMochila->Opciones();
    FResumen.emplace_back();
    FResumen.push_back(std::string(Textos::FaseRedondeo) + ":");
    FVariantesAntesCompletar = VariantesAnalizadas();
    MarcarFaseHecha();
    FFaseVisible = CVistaCalculo::FilaRedondeo;
    FVista.MarcarFaseRedondeo();
    try {
        if (op.SolucionTeorica || op.Redondear) {
            for (std::int32_t k = 1; k <= FSolucion->Cantidad(); ++k) {
                CPatron* p = FSolucion->Patron(k);
                if (p == nullptr) {
                    continue;
                }
                // The repetitions were checked: finite, not negative, within 32 bits.
                const double x = p->Repeticion();
                const double redondo = std::nearbyint(x);
                std::int32_t abajo;
                std::int32_t arriba;
                if (Igual(x, redondo)) {
                    abajo = static_cast<std::int32_t>(std::max(redondo, 0.0));
                    arriba = abajo;
                } else {
                    abajo = static_cast<std::int32_t>(std::max(std::trunc(x), 0.0));
                    arriba = abajo + 1;
                }
                p->SetRepEntera(CSolucion::ModoPorDefecto, abajo);
                p->SetRepEntera(CSolucion::ModoPorExceso, arriba);
            }
        }
        if (op.Redondear && FSolucion->Cantidad() >= 1) {
            CPlanEntero(*FMochila).AjustarSolucion(*FSolucion);
            FResumen.push_back(Textos::ResumenCalculado);
        } else {
            FResumen.push_back(Textos::ResumenNoCalculado);
        }
    } catch (const ECalculoForzado&) {
        Forzar = false;
    }
    ComprobarEntera(CVistaCalculo::FilaRedondeo,
                    {CSolucion::ModoPorDefecto, CSolucion::ModoPorExceso});
}

void CCalculo::EtapaCompletamiento() {
    const ROpciones& op = FMochila->Opciones();
    FResumen.emplace_back();
    FResumen.push_back(std::string(Textos::FaseCompletamiento) + ":");
    MarcarFaseHecha();
    FFaseVisible = CVistaCalculo::FilaCompletamiento;
    for (std::int32_t k = 1; k <= FSolucion->Cantidad(); ++k) {
        if (CPatron* p = FSolucion->Patron(k)) {
            p->SetRepEntera(CSolucion::ModoFinal, p->RepEntera(CSolucion::ModoPorDefecto));
        }
    }
    FSolucion->SetModo(CSolucion::ModoFinal);
    FVista.MarcarFaseCompletamiento(Textos::ProcesoCompletando);
    MostrarConsumoReal();
    MostrarAprovechamientoFase();
    MostrarVariantes();
    FijarProgreso(0);
    FVista.ProcesarMensajes();
    if (op.Completar) {
        CPlanEntero plan(*FMochila);
        plan.CompletarSolucion(*FSolucion, true);
        MostrarConsumoReal();
        MostrarAprovechamientoFase();
        while (plan.CompletarSolucion(*FSolucion, false)) {
            MostrarConsumoReal();
            MostrarAprovechamientoFase();
        }
        FResumen.push_back(Textos::ResumenCalculado);
        FResumen.push_back(std::string(Textos::ResumenAprovechamiento) + FTextoAprovechamiento[2]);
        FResumen.push_back(std::string(Textos::ResumenVariantes) + FTextoVariantes[2]);
    } else {
        FResumen.push_back(Textos::ResumenNoCalculado);
    }
    FijarProgreso(0);
    MarcarFaseHecha();
    FVista.ProcesarMensajes();
    ComprobarEntera(CVistaCalculo::FilaCompletamiento, {CSolucion::ModoFinal});
}

void CCalculo::EtapaMejora() {
    const ROpciones& op = FMochila->Opciones();
    FResumen.emplace_back();
    FResumen.push_back(std::string(Textos::FaseMejora) + ":");
    FVariantesAntesMejora = VariantesAnalizadas();
    FFaseVisible = CVistaCalculo::FilaMejora;
    FVista.MarcarFaseMejora(Textos::ProcesoMejorando);
    if (!op.MejorarSolucion || FSolucion->Cantidad() == 0) {
        FResumen.push_back(Textos::ResumenNoCalculado);
        MarcarFaseHecha();
        return;
    }
    MostrarVariantes();
    MostrarAprovechamientoFase();
    FijarProgreso(0);
    FVista.ProcesarMensajes();
    CMejora mejora(*FMochila, *this);
    mejora.FijarPresupuesto(FPasosMejora, std::max(0, op.TiempoMejora));
    const bool mejorada = mejora.Mejorar(*FSolucion);
    MostrarConsumoReal();
    MostrarAprovechamientoFase();
    MostrarVariantes();
    FResumen.push_back(Textos::ResumenCalculado);
    FResumen.push_back(mejorada ? Textos::ResumenMejorado : Textos::ResumenSinMejora);
    FResumen.push_back(std::string(Textos::ResumenAprovechamiento) + FTextoAprovechamiento[3]);
    FResumen.push_back(std::string(Textos::ResumenVariantes) + FTextoVariantes[3]);
    FijarProgreso(0);
    MarcarFaseHecha();
    FVista.ProcesarMensajes();
    ComprobarEntera(CVistaCalculo::FilaMejora, {CSolucion::ModoFinal});
}

void CCalculo::CalcularCota() {
    FCotaArea = 0.0;
    FCotaMaterial.assign(static_cast<std::size_t>(FLanzamiento.CantidadMateriales()) + 1, 0.0);
    for (std::int32_t k = 1; k <= FSolucion->Cantidad(); ++k) {
        const CPatron* p = std::as_const(*FSolucion).Patron(k);
        if (p == nullptr) {
            continue;
        }
        const double x = std::max(0.0, p->Repeticion());
        FCotaArea += x * FLanzamiento.AreaMaterial(p->Material());
        if (p->Material() >= 1 && static_cast<std::size_t>(p->Material()) < FCotaMaterial.size()) {
            FCotaMaterial[static_cast<std::size_t>(p->Material())] += x;
        }
    }
}

void CCalculo::RevisarPedido() {
    FPiezasIncumplidas.clear();
    FListaIncumplidas.clear();
    const AWord16& pedido = FMochila->Pedido();
    for (int i = 1; i <= FNumPiezas; ++i) {
        const int pieza = FMochila->PiezaDeFila(i);
        if (FSolucion->ProduccionPieza(pieza) < pedido[static_cast<std::size_t>(i)]) {
            FListaIncumplidas.push_back(pieza);
            FPiezasIncumplidas += (FPiezasIncumplidas.empty() ? "" : ",") + std::to_string(pieza);
        }
    }
    if (!FPiezasIncumplidas.empty()) {
        FVista.MostrarPedidoIncumplido(FPiezasIncumplidas);
        FResumen.emplace_back();
        FResumen.push_back(std::string(Textos::PedidoIncumplido) + ": ");
        FResumen.push_back(FPiezasIncumplidas);
    }

    // The bound: the LP of the last level, per material and overall.
    FResumen.emplace_back();
    FResumen.push_back(std::string(Textos::ResumenCota) + ":");
    if (!FCotaValida) {
        FPlanOptimo = false;
        FResumen.push_back(Textos::ResumenCotaNoDisponible);
    } else {
        double areaPlan = 0.0;
        const bool varios = FMaterialesActivos.size() > 1;
        const char* unidad =
            FMochila->Opciones().Barras ? Textos::ResumenBarras : Textos::ResumenHojas;
        for (std::int32_t m : FMaterialesActivos) {
            const std::int64_t hojas = FSolucion->HojasMaterial(m);
            areaPlan += static_cast<double>(hojas) * FLanzamiento.AreaMaterial(m);
            FResumen.push_back(Reemplazar(Textos::ResumenCotaMaterial, "#", std::to_string(m)) +
                               (varios ? Textos::ResumenCotaReparto : Textos::ResumenCotaAlMenos) +
                               Fijo(CotaMaterial(m), 15, 2) + unidad + Textos::ResumenCotaPlan +
                               std::to_string(hojas) + ")");
        }
        if (varios) {
            FResumen.push_back(Textos::ResumenCotaAreaTotal);
        }
        bool optimo = FListaIncumplidas.empty();
        if (FNumMateriales == 1) {
            const std::int32_t m = FMochila->MaterialDeFila(1);
            optimo = optimo && static_cast<double>(FSolucion->HojasMaterial(m)) <=
                                   std::ceil(CotaMaterial(m) - 1e-6);
        } else {
            optimo = optimo && areaPlan <= FCotaArea * (1.0 + 1e-9) + 1e-6;
        }
        FPlanOptimo = optimo;
        if (optimo) {
            FResumen.push_back(Textos::ResumenOptimo);
        } else if (FCotaArea > 0.0) {
            FResumen.push_back(std::string(Textos::ResumenSobreCota) +
                               Fijo(100.0 * (areaPlan / FCotaArea - 1.0), 15, 2) + "%");
        }
    }

    if (FSolucion->Cantidad() > 0) {
        FSolucion->Ordenar(CSolucion::OrdenFinal);
    }
}

// ---- Termination (main thread) ---------------------------------------------------------

std::string CCalculo::TextoDuracion() const {
    std::string texto = FVista.TiempoTranscurrido();
    if (!texto.empty()) {
        return texto;
    }
    const long long segundos =
        FIniciado ? static_cast<long long>(std::max(0.0, std::floor(Ahora() - FInicio))) : 0;
    return DosCifras(segundos / 3600) + ":" + DosCifras(segundos / 60 % 60) + ":" +
           DosCifras(segundos % 60);
}

void CCalculo::CalculoTerminado() {
    if (FTerminacionHecha || !FIniciado) {
        return;
    }
    Esperar();
    FTerminacionHecha = true;
    FCalculosActivos.fetch_sub(1);

    FResumen.emplace_back();
    FDuracion = TextoDuracion();
    FResumen.push_back(std::string(Textos::ResumenDuracion) + FDuracion);
    std::string titulo = Textos::CalculoCompletado;
    if (Cancelado.load()) {
        FMensajeError = Textos::CalculoCancelado;
        titulo = Textos::CalculoCancelado;
    }
    FVista.CalculoFinalizado(Reemplazar(Textos::OptimizacionCompletada, "%", FLanzamiento.Nombre()),
                             titulo);

    if (FMensajeError.empty()) {
        if (FSolucion != nullptr) {
            if (FLanzamiento.Opciones().MantenerPatronesActuales) {
                CSolucion& actual = FLanzamiento.Solucion();
                const std::int32_t existentes = actual.Cantidad();
                for (std::int32_t k = 1; k <= existentes; ++k) {
                    if (CPatron* p = actual.Patron(k)) {
                        const std::int32_t r = actual.RepActual(k);
                        p->SetRepeticion(r);
                        p->SetRepEntera({r, r, r});
                    }
                }
                std::int32_t destino = existentes;
                for (std::int32_t k = 1; k <= FSolucion->Cantidad(); ++k) {
                    if (std::unique_ptr<CPatron> p = FSolucion->SoltarPatron(k)) {
                        actual.FijarPatron(++destino, std::move(p));
                    }
                }
                FSolucion.reset();
            } else {
                FVista.SoltarSolucion();
                FLanzamiento.AsignarSolucion(std::move(FSolucion));
            }
        }
        FLanzamiento.EscribirHistorico(FResumen);
        FLanzamiento.MarcarModificado();
        FVista.SolucionInstalada();
    } else {
        FSolucion.reset();
        FVista.MostrarError(FMensajeError);
    }
    if (FVista.ApagarAlTerminar() && CalculosActivos() == 0) {
        FVista.Apagar();
    }
}
