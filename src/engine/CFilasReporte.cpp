#include "engine/CFilasReporte.h"

#include "document/CLanzamiento.h"
#include "document/UExcepciones.h"
#include "document/ULongitudes.h"
#include "document/UTextos.h"
#include "engine/CIteradorSol.h"
#include "patterns/CPatron.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int CampoLargo = 1;
constexpr int CampoAncho = 2;

std::string Fijo2(double x) {
    char b[64];
    std::snprintf(b, sizeof b, "%.2f", x);
    return b;
}

std::string PorCiento(double x) {
    return Fijo2(Porcentaje(x, 2));
}

// A count read from a damaged file answers 0 rather than stopping a report.
int Contar(int (CLanzamiento::*cantidad)() const, const CLanzamiento& job) {
    try {
        return (job.*cantidad)();
    } catch (const EConversion&) {
        return 0;
    }
}

std::vector<RColumnaReporte> HacerColumnas(const char* const* titulos,
                                           std::initializer_list<int> anchos,
                                           std::initializer_list<bool> derecha) {
    std::vector<RColumnaReporte> c;
    auto a = anchos.begin();
    auto d = derecha.begin();
    for (std::size_t i = 0; i < anchos.size(); ++i, ++a, ++d) {
        c.push_back({titulos[i], *a, *d});
    }
    return c;
}

} // namespace

int CFilasReporte::FilasTarjetas(const ROpciones& o) {
    return std::clamp(o.FilasReportePatrones, 1, MaximoTarjetas);
}

int CFilasReporte::ColumnasTarjetas(const ROpciones& o) {
    return std::clamp(o.ColumnasReportePatrones, 1, MaximoTarjetas);
}

CFilasReporte::CFilasReporte(const CLanzamiento& job, TReporte tipo, std::int32_t patron)
    : FJob(job), FTipo(tipo), FBarras(job.Opciones().Barras) {
    FTitulo = Textos::TitulosReportes[static_cast<int>(tipo)];
    const ROpciones& o = job.Opciones();
    const CSolucion& s = job.Solucion();
    switch (tipo) {
    case TReporte::Parametros:
        FColumnas = HacerColumnas(Textos::ColumnasParametros,
                                  {4, 8, 8, 5, 8, 8, 5, 4, 8, 8, 8, 8, 6, 7, 8, 8},
                                  {false, true, true, false, true, true, true, true, true, true,
                                   true, true, false, false, true, true});
        FGrupos = {{Textos::GruposParametros[0], 0, 3},
                   {Textos::GruposParametros[1], 3, 4},
                   {Textos::GruposParametros[2], 7, 9}};
        break;
    case TReporte::Coordenadas:
        FColumnas = HacerColumnas(Textos::ColumnasCoordenadas, {8, 11, 11, 11, 11, 11},
                                  {true, true, true, true, true, false});
        break;
    case TReporte::Datos:
        FColumnas = HacerColumnas(Textos::ColumnasReporteDatos, {5, 30, 9, 9, 8, 8, 8, 8},
                                  {true, false, true, true, true, true, true, true});
        break;
    case TReporte::Sobrantes:
        FColumnas =
            HacerColumnas(Textos::ColumnasSobrantes, {6, 12, 12, 8}, {true, true, true, true});
        break;
    case TReporte::Patrones:
    case TReporte::Detalle:
        break;
    }

    if (tipo == TReporte::Detalle) {
        if (patron >= 1 && patron <= s.Cantidad() && s.Patron(patron) != nullptr) {
            FPatrones.push_back(patron);
        }
    } else if (tipo != TReporte::Datos && tipo != TReporte::Sobrantes) {
        CIteradorSol it(s);
        for (std::int32_t k = 0; it.Siguiente(k);) {
            if (!o.ExcluirPatronesNulos || s.RepActual(k) > 0) {
                FPatrones.push_back(k);
            }
        }
    }
    if (tipo == TReporte::Datos) {
        const int nm = Contar(&CLanzamiento::CantidadMateriales, job);
        for (int m = 1; m <= nm; ++m) {
            if (!o.ExcluirMaterialesNulos || s.HojasMaterial(m) >= 1) {
                FMateriales.push_back(m);
            }
        }
        const int np = Contar(&CLanzamiento::CantidadPiezas, job);
        const std::vector<RTotalesPieza> totales = s.TotalesPorPieza(np);
        for (int i = 1; i <= np; ++i) {
            if (!o.ExcluirPiezasNulas || totales[static_cast<std::size_t>(i)].Produccion >= 1) {
                FPiezas.push_back(i);
            }
        }
    }
    if (tipo == TReporte::Sobrantes) {
        // Offcuts of patterns cut no time are not left by the plan.
        s.Sobrantes(FSobrantes, true);
    }
}

CFilasReporte::~CFilasReporte() = default;

bool CFilasReporte::Apaisado() const {
    return FTipo == TReporte::Patrones || FTipo == TReporte::Detalle ||
           FTipo == TReporte::Parametros;
}

std::int64_t CFilasReporte::TamanoProgreso() const {
    switch (FTipo) {
    case TReporte::Datos:
        return static_cast<std::int64_t>(FMateriales.size() + FPiezas.size());
    case TReporte::Sobrantes:
        return FSobrantes.empty() ? 0 : static_cast<std::int64_t>(FSobrantes.size()) - 1;
    default:
        return static_cast<std::int64_t>(FPatrones.size());
    }
}

std::int64_t CFilasReporte::Avance() const {
    const auto limitar = [](std::int64_t v, std::size_t n) {
        return std::clamp<std::int64_t>(v, 0, static_cast<std::int64_t>(n));
    };
    switch (FTipo) {
    case TReporte::Datos:
        return limitar(FPos.Indice - 1, FMateriales.size()) +
               limitar(FPos.Fila - 1, FPiezas.size());
    case TReporte::Sobrantes:
        return std::min(limitar(FPos.Indice - 1, FSobrantes.size()), TamanoProgreso());
    default:
        return limitar(FPos.Indice, FPatrones.size());
    }
}

void CFilasReporte::IrA(const RPosicionReporte& pos) {
    FPos = pos;
}

bool CFilasReporte::Siguiente(RFilaReporte& fila) {
    fila = RFilaReporte{};
    switch (FTipo) {
    case TReporte::Datos:
        return SiguienteDatos(fila);
    case TReporte::Sobrantes:
        return SiguienteSobrantes(fila);
    default:
        return SiguientePatron(fila, true);
    }
}

bool CFilasReporte::Avanzar(TFila& tipo) {
    RFilaReporte fila;
    const bool hay = FTipo == TReporte::Datos       ? SiguienteDatos(fila)
                     : FTipo == TReporte::Sobrantes ? SiguienteSobrantes(fila)
                                                    : SiguientePatron(fila, false);
    tipo = fila.Tipo;
    return hay;
}

std::vector<RFilaReporte> CFilasReporte::Todas() {
    Reiniciar();
    std::vector<RFilaReporte> filas;
    for (RFilaReporte f; Siguiente(f);) {
        filas.push_back(std::move(f));
    }
    return filas;
}

// ---- Patterns ----

std::int64_t CFilasReporte::CargarPatron(std::int64_t indice) {
    if (FCargado == indice) {
        return FFilasPatron;
    }
    FCargado = indice;
    FFilasPatron = 0;
    const CPatron* P = FJob.Solucion().Patron(FPatrones[static_cast<std::size_t>(indice)]);
    if (FTipo == TReporte::Patrones || FTipo == TReporte::Detalle) {
        FFilasPatron = 1;
    } else if (P == nullptr || P->Raiz() == nullptr) {
        // A pattern whose text could not be read has nothing true to list.
        FFilasPatron = 0;
    } else if (FTipo == TReporte::Parametros) {
        FParametros.Construir(*P);
        FFilasPatron =
            std::max({FParametros.NumCortes(), FParametros.NumPiezas() + FParametros.NumSobrantes(),
                      FParametros.NumSemiproductos()});
    } else {
        FFilasPatron = LineasDeCorte(*P, FLineas);
    }
    return FFilasPatron;
}

bool CFilasReporte::SiguientePatron(RFilaReporte& fila, bool textos) {
    while (FPos.Indice < static_cast<std::int64_t>(FPatrones.size())) {
        const std::int64_t n = CargarPatron(FPos.Indice);
        const std::int32_t slot = FPatrones[static_cast<std::size_t>(FPos.Indice)];
        const bool tarjeta = FTipo == TReporte::Patrones || FTipo == TReporte::Detalle;
        // A pattern without rows (nothing to cut) has no heading either.
        const std::int64_t total = tarjeta ? 1 : (n == 0 ? 0 : n + 1);
        if (FPos.Fila < total) {
            fila.Patron = slot;
            if (tarjeta) {
                fila.Tipo = TFila::Tarjeta;
                if (textos) {
                    fila.Celdas = CaptionsTarjeta(FJob, slot);
                }
            } else if (FPos.Fila == 0) {
                fila.Tipo = TFila::Titulo;
                fila.Negrita = true;
                if (textos) {
                    fila.Texto = " " + TituloPatron(FJob, slot);
                }
            } else if (!textos) {
                fila.Tipo = TFila::Detalle;
            } else if (FTipo == TReporte::Parametros) {
                FilaParametros(FPos.Fila, fila);
            } else {
                FilaCoordenadas(FPos.Fila, fila);
            }
            ++FPos.Fila;
            return true;
        }
        ++FPos.Indice;
        FPos.Fila = 0;
    }
    return false;
}

std::string CFilasReporte::L(std::int32_t valor) const {
    return FormatearLongitud(valor, FJob.Opciones());
}

std::string CFilasReporte::LY(std::int32_t valor) const {
    return FBarras ? std::string() : L(valor);
}

void CFilasReporte::FilaParametros(std::int64_t i64, RFilaReporte& fila) const {
    const CParametrosPatron& p = FParametros;
    const auto i = static_cast<std::int32_t>(i64);
    std::vector<std::string>& c = fila.Celdas;
    c.assign(16, std::string());
    if (i <= p.NumCortes()) {
        const RCorteParametro& r = p.Corte(i);
        c[0] = Textos::PrefijoCorte + std::to_string(i);
        c[1] = L(r.Dim1);
        c[2] = L(r.Dim2);
    }
    if (i <= p.NumPiezas()) {
        const RPiezaPatron& r = p.PiezaPatron(i);
        c[3] = Textos::PrefijoPieza + std::to_string(r.Pieza);
        c[4] = L(r.Largo);
        c[5] = LY(r.Ancho);
        c[6] = std::to_string(r.Cantidad);
    } else if (i <= p.NumPiezas() + p.NumSobrantes()) {
        const RSobranteParametro& r = p.Sobrante(i - p.NumPiezas());
        c[3] = Textos::PrefijoSobrante + std::to_string(i - p.NumPiezas());
        c[4] = L(r.SobranteX);
        c[5] = LY(r.SobranteY);
    }
    if (i <= p.NumSemiproductos()) {
        const RSemiproducto& r = p.Semiproducto(i);
        c[7] = std::to_string(i);
        c[8] = L(r.X);
        c[9] = LY(r.Y);
        c[10] = L(r.LargoSP);
        c[11] = LY(r.AnchoSP);
        if (r.Pieza != 0) {
            c[12] = Textos::PrefijoPieza + std::to_string(r.Pieza) +
                    (r.Rotada ? Textos::MarcaRotada : "");
            c[13] = FBarras ? std::to_string(r.RepX)
                            : std::to_string(r.RepX) + "x" + std::to_string(r.RepY);
        }
        c[14] = L(r.SobranteX);
        c[15] = LY(r.SobranteY);
    }
}

void CFilasReporte::FilaCoordenadas(std::int64_t i, RFilaReporte& fila) const {
    const RLineaCorte& r = FLineas[static_cast<std::size_t>(i)];
    // Every number is followed by a blank.
    const auto n = [](const std::string& s) { return s.empty() ? s : s + " "; };
    fila.Celdas = {n(std::to_string(i)), n(L(r.X1)), n(LY(r.Y1)), n(L(r.X2)), n(LY(r.Y2)), r.Texto};
}

std::string CFilasReporte::TituloPatron(const CLanzamiento& job, std::int32_t slot) {
    const CPatron* P = job.Solucion().Patron(slot);
    if (P == nullptr) {
        return {};
    }
    return std::string(Textos::Patron) + " " + std::to_string(slot) + ": " + P->TextoTamano() +
           " (x" + std::to_string(job.Solucion().RepActual(slot)) + ")";
}

std::vector<std::string> CFilasReporte::CaptionsTarjeta(const CLanzamiento& job,
                                                        std::int32_t slot) {
    const CPatron* P = job.Solucion().Patron(slot);
    if (P == nullptr) {
        return {};
    }
    return {Textos::TarjetaPatron + std::to_string(slot),
            Textos::TarjetaRepetir + std::to_string(job.Solucion().RepActual(slot)),
            Textos::TarjetaAprov + PorCiento(P->Aprovechamiento()) + "%",
            Textos::TarjetaDims + P->TextoTamano(),
            Textos::TarjetaSobrante + PorCiento(P->Sobrante()) + "%",
            Textos::TarjetaDesp + PorCiento(P->Desperdicio()) + "%",
            Textos::TarjetaMaterial + NombreMaterial(job, P->Material()),
            Textos::TarjetaObserv,
            std::string()};
}

std::string CFilasReporte::NombreMaterial(const CLanzamiento& job, int m) {
    return m >= 1 ? job.Desc1Material(m) : std::string();
}

std::string CFilasReporte::NombrePieza(const CLanzamiento& job, int i) {
    return i >= 1 ? job.Desc1Pieza(i) : std::string();
}

// ---- Materials and pieces ----

bool CFilasReporte::SiguienteDatos(RFilaReporte& fila) {
    const CSolucion& s = FJob.Solucion();
    const auto nm = static_cast<std::int64_t>(FMateriales.size());
    const auto np = static_cast<std::int64_t>(FPiezas.size());
    const std::int64_t m = FPos.Indice;
    const std::int64_t p = FPos.Fila;
    int clase = 0;
    if (m == 0) {
        clase = 0;
    } else if (m <= nm) {
        clase = 1;
    } else if (m == nm + 1) {
        clase = 2;
    } else if (p == 0) {
        clase = 3;
    } else if (p <= np) {
        clase = 4;
    } else if (p == np + 1) {
        clase = 5;
    } else {
        return false;
    }
    fila.Clase = clase;
    std::vector<std::string>& c = fila.Celdas;
    c.assign(8, std::string());
    switch (clase) {
    case 0:
    case 3:
        fila.Negrita = true;
        c[1] = clase == 0 ? Textos::SeccionMateriales : Textos::SeccionPiezas;
        break;
    case 1: {
        const int i = FMateriales[static_cast<std::size_t>(m - 1)];
        c[0] = std::to_string(i);
        c[1] = NombreMaterial(FJob, i);
        c[2] = FJob.LeerCampo(CLanzamiento::SeccionMateriales, i, CampoLargo);
        c[3] = FJob.LeerCampo(CLanzamiento::SeccionMateriales, i, CampoAncho);
        c[4] = std::to_string(s.HojasMaterial(i));
        c[5] = PorCiento(s.AprovechamientoMaterial(i));
        c[6] = PorCiento(s.SobranteMaterial(i));
        c[7] = PorCiento(s.DesperdicioMaterial(i));
        break;
    }
    case 2:
        fila.Tipo = TFila::Total;
        c[3] = Textos::Total;
        c[4] = std::to_string(s.TotalRepeticiones());
        c[5] = PorCiento(s.AprovechamientoReal());
        c[6] = PorCiento(s.SobranteReal());
        c[7] = PorCiento(s.DesperdicioReal());
        break;
    case 4: {
        const int i = FPiezas[static_cast<std::size_t>(p - 1)];
        c[0] = std::to_string(i);
        c[1] = NombrePieza(FJob, i);
        c[2] = FJob.LeerCampo(CLanzamiento::SeccionPiezas, i, CampoLargo);
        c[3] = FJob.LeerCampo(CLanzamiento::SeccionPiezas, i, CampoAncho);
        c[4] = std::to_string(s.ProduccionPieza(i));
        c[5] = PorCiento(s.AprovechamientoPieza(i));
        break;
    }
    default:
        fila.Tipo = TFila::Total;
        c[3] = Textos::Total;
        c[4] = std::to_string(s.TotalPiezas());
        break;
    }
    FPos.Indice = m + 1;
    if (FPos.Indice > nm + 2) {
        FPos.Fila = p + 1;
    }
    return true;
}

// ---- Offcuts ----

bool CFilasReporte::SiguienteSobrantes(RFilaReporte& fila) {
    const std::int64_t r = FPos.Indice == 0 ? 1 : FPos.Indice;
    if (r >= static_cast<std::int64_t>(FSobrantes.size())) {
        FPos.Indice = r;
        return false;
    }
    const RSobrante& s = FSobrantes[static_cast<std::size_t>(r)];
    const bool cabecera =
        r == 1 || FSobrantes[static_cast<std::size_t>(r - 1)].Material != s.Material;
    if (cabecera && FPos.Fila == 0) {
        const int m = s.Material;
        std::string tamano = L(FJob.LargoMaterial(m));
        if (!FBarras) {
            tamano += "x" + L(FJob.AnchoMaterial(m));
        }
        fila.Tipo = TFila::Titulo;
        fila.Negrita = true;
        fila.Texto =
            std::string(Textos::MaterialReporte) + " " + tamano + " " + NombreMaterial(FJob, m);
        FPos.Indice = r;
        FPos.Fila = 1;
        return true;
    }
    fila.Celdas = {std::to_string(r), L(s.Dim1), LY(s.Dim2), std::to_string(s.Cantidad)};
    FPos.Indice = r + 1;
    FPos.Fila = 0;
    return true;
}
