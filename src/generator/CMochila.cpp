#include "generator/CMochila.h"

#include "document/CLanzamiento.h"
#include "document/UExcepciones.h"
#include "engine/CControlCalculo.h"
#include "engine/CSolucion.h"
#include "generator/CTablaCortes.h"
#include "patterns/CCorte.h"
#include "patterns/CPatron.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>

namespace {

constexpr int MaximoLongitud = 65535;
// Cells of one band of the combination phase (16 bytes each): a band should stay within a
// core's second-level cache.
constexpr std::size_t CeldasPorBanda = std::size_t{1} << 14;
// Cells of one band of the block phase, which only writes the band's cells.
constexpr std::size_t CeldasPorBandaBloques = std::size_t{1} << 16;
constexpr int SinLimite = std::numeric_limits<std::int32_t>::max();

// A gross size kept within the 16-bit ceiling of internal lengths.
std::uint16_t Bruto(long long neto, long long corte) {
    return static_cast<std::uint16_t>(std::clamp<long long>(neto + corte, 0, MaximoLongitud));
}

std::int32_t ASumaLimitada(long long valor) {
    return static_cast<std::int32_t>(
        std::clamp<long long>(valor, std::numeric_limits<std::int32_t>::min(), SinLimite));
}

// Poll point of the pricing step. The two flags are read here without a call, and only a
// set flag goes through the contract's poll, which keeps the order cancel before force.
inline void Sondear(const CControlCalculo* control) {
    if (control != nullptr && (control->Cancelado.load(std::memory_order_relaxed) ||
                               control->Forzar.load(std::memory_order_relaxed))) {
        control->ComprobarParada();
    }
}

inline std::size_t U(int i) {
    return static_cast<std::size_t>(i);
}

} // namespace

// ---------------------------------------------------------------------------------------
// Set-up
// ---------------------------------------------------------------------------------------

CMochila::CMochila(CLanzamiento& Lanzamiento)
    : FLanzamiento(&Lanzamiento), FOpciones(Lanzamiento.Opciones()) {
    FTotalPiezas = Lanzamiento.CantidadPiezas();
    FTotalMateriales = Lanzamiento.CantidadMateriales();

    LeerPiezas();
    DescontarProducido();
    QuitarPiezasInactivas();

    if (FNumPiezas == 0) {
        throw ENoHayPiezas();
    }
    for (int i = 1; i <= FNumPiezas; ++i) {
        if (FPedido[U(i)] < 1) {
            throw EPedidoNulo();
        }
    }

    FOrden.assign(U(2 * FNumPiezas + 1), 0);
    FValores.assign(U(2 * FNumPiezas + 1), 0.0);
    // A negative kerf in a job file would shrink the gross sizes below the net ones.
    FOpciones.AnchoCorte =
        FOpciones.ChequearAnchoCorte ? std::clamp(FOpciones.AnchoCorte, 0, MaximoLongitud) : 0;
    for (int i = 1; i <= FNumPiezas; ++i) {
        FLargos[U(i)] = Bruto(FLargos[U(i)], FOpciones.AnchoCorte);
        FAnchos[U(i)] = Bruto(FAnchos[U(i)], FOpciones.AnchoCorte);
    }

    LeerMateriales();
    DescontarMaterialUsado();
    QuitarMaterialesInactivos();
    if (FNumMateriales == 0) {
        throw ENoHayMateriales();
    }

    if (FOpciones.Barras) {
        FOpciones.RotarPiezas = false;
        FOpciones.ChequearCorteMaximo = false;
        FOpciones.MargenSup = 0;
        FOpciones.MargenInf = 0;
        FOpciones.AnchoMinimoSobrante = 0;
    }

    AplicarMargenes();
    CrearFilasRotadas();
    CalcularExtremos();
    ComprobarDimensiones();
    NormalizarRestricciones();
}

CMochila::~CMochila() = default;

void CMochila::LeerPiezas() {
    const std::size_t n = U(2 * FTotalPiezas + 1);
    FLargos.assign(n, 0);
    FAnchos.assign(n, 0);
    FPiezas.assign(n, 0);
    FPedido.assign(n, 0);
    FActivas.assign(n, 0);
    FLanzamiento->DimensionesPiezas(FLargos, FAnchos);
    FLanzamiento->CantidadesPiezas(FPedido);
    FLanzamiento->ActivasPiezas(FActivas);
    for (int i = 1; i <= FTotalPiezas; ++i) {
        FPiezas[U(i)] = static_cast<std::uint16_t>(i);
    }
    FNumPiezas = FTotalPiezas;
}

void CMochila::QuitarPiezasInactivas() {
    int i = 1;
    while (i <= FNumPiezas) {
        if (FActivas[U(i)] != 0) {
            ++i;
            continue;
        }
        for (int k = i; k < FNumPiezas; ++k) {
            FActivas[U(k)] = FActivas[U(k + 1)];
            FLargos[U(k)] = FLargos[U(k + 1)];
            FAnchos[U(k)] = FAnchos[U(k + 1)];
            FPedido[U(k)] = FPedido[U(k + 1)];
            FPiezas[U(k)] = FPiezas[U(k + 1)];
        }
        --FNumPiezas;
    }
    // The rows past the active ones are free for the turned copies.
    for (std::size_t k = U(FNumPiezas + 1); k < FLargos.size(); ++k) {
        FActivas[k] = FLargos[k] = FAnchos[k] = FPedido[k] = FPiezas[k] = 0;
    }
}

void CMochila::LeerMateriales() {
    const std::size_t m = U(FTotalMateriales + 1);
    FLargosMat.assign(m, 0);
    FAnchosMat.assign(m, 0);
    FDisponibles.assign(m, 0);
    FActivosMat.assign(m, 0);
    FMateriales.assign(m, 0);
    FLanzamiento->DimensionesMateriales(FLargosMat, FAnchosMat);
    FLanzamiento->CantidadesMateriales(FDisponibles);
    FLanzamiento->ActivosMateriales(FActivosMat);
    for (int j = 1; j <= FTotalMateriales; ++j) {
        FMateriales[U(j)] = static_cast<std::uint16_t>(j);
    }
    FNumMateriales = FTotalMateriales;
}

void CMochila::QuitarMaterialesInactivos() {
    int j = 1;
    while (j <= FNumMateriales) {
        if (FActivosMat[U(j)] != 0) {
            ++j;
            continue;
        }
        for (int k = j; k < FNumMateriales; ++k) {
            FActivosMat[U(k)] = FActivosMat[U(k + 1)];
            FLargosMat[U(k)] = FLargosMat[U(k + 1)];
            FAnchosMat[U(k)] = FAnchosMat[U(k + 1)];
            FMateriales[U(k)] = FMateriales[U(k + 1)];
        }
        --FNumMateriales;
    }
    for (int m = 1; m <= FTotalMateriales; ++m) {
        if (FDisponibles[U(m)] == 0) {
            FDisponibles[U(m)] = CantidadIlimitada;
        }
    }
    FAreaMat.assign(U(FNumMateriales + 1), 0.0);
    for (int j = 1; j <= FNumMateriales; ++j) {
        FAreaMat[U(j)] = FLanzamiento->AreaMaterial(FMateriales[U(j)]);
    }
}

void CMochila::AplicarMargenes() {
    const long long margenL = static_cast<long long>(FOpciones.MargenIzq) + FOpciones.MargenDer;
    const long long margenA = static_cast<long long>(FOpciones.MargenSup) + FOpciones.MargenInf;
    for (int j = 1; j <= FNumMateriales; ++j) {
        long long largo = FLargosMat[U(j)];
        long long ancho = FAnchosMat[U(j)];
        if (FLanzamiento->MaterialConMargen(FMateriales[U(j)])) {
            // Margins as large as the material leave a material of size 0, which the
            // dimension check then rejects.
            largo = std::max(0LL, largo - margenL);
            ancho = std::max(0LL, ancho - margenA);
        }
        FLargosMat[U(j)] = Bruto(largo, FOpciones.AnchoCorte);
        FAnchosMat[U(j)] = Bruto(ancho, FOpciones.AnchoCorte);
    }
}

void CMochila::CrearFilasRotadas() {
    FNumFilas = FNumPiezas;
    if (!FOpciones.RotarPiezas) {
        return;
    }
    for (int i = 1; i <= FNumPiezas; ++i) {
        if (FActivas[U(i)] == 0 || !FLanzamiento->PiezaRotable(FPiezas[U(i)])) {
            continue;
        }
        const std::size_t r = U(++FNumFilas);
        FLargos[r] = FAnchos[U(i)];
        FAnchos[r] = FLargos[U(i)];
        FActivas[r] = FActivas[U(i)];
        FPiezas[r] = static_cast<std::uint16_t>(i);
        FPedido[r] = FPedido[U(i)];
    }
}

void CMochila::CalcularExtremos() {
    auto extremos = [](const AWord16& a, int n, int& minimo, int& maximo) {
        minimo = SinLimite;
        maximo = 0;
        for (int k = 1; k <= n; ++k) {
            minimo = std::min<int>(minimo, a[U(k)]);
            maximo = std::max<int>(maximo, a[U(k)]);
        }
    };
    extremos(FLargosMat, FNumMateriales, FMinLargoMat, FMaxLargoMat);
    if (FOpciones.Barras) {
        std::fill(FAnchosMat.begin() + 1, FAnchosMat.begin() + 1 + FNumMateriales, 1);
        std::fill(FAnchos.begin() + 1, FAnchos.begin() + 1 + FNumPiezas, 1);
    }
    extremos(FAnchosMat, FNumMateriales, FMinAnchoMat, FMaxAnchoMat);
    extremos(FLargos, FNumFilas, FMinLargoPza, FMaxLargoPza);
    extremos(FAnchos, FNumFilas, FMinAnchoPza, FMaxAnchoPza);
}

void CMochila::ComprobarDimensiones() const {
    // A size equal to the kerf is a null net size. In bars mode every width is 1 by
    // construction, so only the lengths can be null (a width of 1 would otherwise equal a
    // kerf of 1 and reject every bar job, and hide a null length behind any larger kerf).
    const int corte = FOpciones.AnchoCorte;
    const bool barras = FOpciones.Barras;
    if (FMinLargoMat <= corte || (!barras && FMinAnchoMat <= corte)) {
        throw EMaterialNulo();
    }
    if (FMinLargoPza <= corte || (!barras && FMinAnchoPza <= corte)) {
        throw EPiezaNula();
    }
}

void CMochila::NormalizarRestricciones() {
    const long long corte = FOpciones.AnchoCorte;
    FOpciones.SobranteMinimo = ASumaLimitada(
        (FOpciones.ChequearSobranteMinimo ? static_cast<long long>(FOpciones.SobranteMinimo) : 0) +
        corte);
    FOpciones.CorteMaximo =
        FOpciones.ChequearCorteMaximo ? ASumaLimitada(FOpciones.CorteMaximo + corte) : SinLimite;
    FOpciones.LongitudAgarre =
        FOpciones.ChequearAgarre ? ASumaLimitada(FOpciones.LongitudAgarre + corte) : 0;
    if (!FOpciones.ChequearNivelCorte) {
        FOpciones.NivelCorte = 255;
    }
    FOpciones.NivelCorte = std::clamp(FOpciones.NivelCorte, 1, 255);
}

// ---------------------------------------------------------------------------------------
// Accessors
// ---------------------------------------------------------------------------------------

void CMochila::SetNivelOptimizacion(int Nivel) {
    FOpciones.NivelOptimizacionFinal = Nivel;
}

int CMochila::PiezaDeFila(int Fila) const {
    if (Fila < 1 || Fila > FNumFilas) {
        return 0;
    }
    if (Fila <= FNumPiezas) {
        return FPiezas[U(Fila)];
    }
    return -static_cast<int>(FPiezas[FPiezas[U(Fila)]]);
}

int CMochila::MaterialDeFila(int Fila) const {
    if (Fila < 1 || Fila > FNumMateriales) {
        return 0;
    }
    return FMateriales[U(Fila)];
}

std::uint16_t CMochila::DisponibleMaterial(int Numero) const {
    if (Numero < 1 || Numero > FTotalMateriales) {
        return 0;
    }
    return FDisponibles[U(Numero)];
}

double CMochila::AreaMaterialFila(int Fila) const {
    if (Fila < 1 || Fila > FNumMateriales) {
        return 0.0;
    }
    return FAreaMat[U(Fila)];
}

void CMochila::PosicionesCandidatas(bool Largo, AWord16& Pos, int& NumPos) const {
    AInt32 todas;
    const AInt32* orden = &FOrden;
    int num = FNumCandidatas;
    if (num == 0) {
        todas.assign(U(FNumFilas + 1), 0);
        for (int r = 1; r <= FNumFilas; ++r) {
            todas[U(r)] = r;
        }
        orden = &todas;
        num = FNumFilas;
    }
    CTablaCortes::RReglaPosiciones regla;
    regla.Nivel = FOpciones.NivelOptimizacionFinal;
    regla.Restringir = FOpciones.RestringirPosiblesCortes;
    regla.Porcentaje = FOpciones.PorcentajeMaterial;
    regla.MaximoMaterial = Largo ? FMaxLargoMat : FMaxAnchoMat;
    regla.MaximoPieza = Largo ? FMaxLargoPza : FMaxAnchoPza;
    AWord16 indice;
    CTablaCortes::CalcularPosiciones(Largo ? FLargos : FAnchos, *orden, num,
                                     Largo ? FLargosMat : FAnchosMat, FNumMateriales, regla, Pos,
                                     NumPos, indice);
}

// ---------------------------------------------------------------------------------------
// Pricing
// ---------------------------------------------------------------------------------------

void CMochila::GenerarPatron(const AReal8& Duales, std::unique_ptr<CPatron>& Patron, int Modo,
                             int& Material, double& CostoReducido) {
    CControlCalculo* control = FLanzamiento->Calculo();
    FLimiteNiveles = 255;
    if (control != nullptr) {
        control->FijarProgreso(0);
    }
    Patron.reset();
    CostoReducido = 0.0;
    if (Duales.size() < U(FNumPiezas + FNumMateriales + 1)) {
        throw std::invalid_argument("GenerarPatron: faltan precios duales");
    }

    PrepararCandidatas(Duales);
    FiltrarCandidatas();
    Sondear(control);

    // The whole work space lives in this object and goes with it on every way out.
    CTablaCortes tabla;
    CalcularPosiciones(tabla);
    if (control != nullptr) {
        control->IniciarProgreso(tabla.NumPosAncho + FNumCandidatas + 3);
        control->AvanzarProgreso(1);
    }
    Sondear(control);

    tabla.Dimensionar();
    FaseBloques(tabla, control);
    if (FOpciones.ChequearNivelCorte) {
        SembrarNiveles(tabla);
    }
    FaseCombinacion(tabla, control);

    // Material of least reduced cost; a plain comparison keeps the first one on a tie.
    CostoReducido = MaximoReal;
    int ganador = 0;
    auto costoDe = [&](int q) {
        const RCelda& c =
            tabla.Celda(tabla.IndiceLargo[FLargosMat[U(q)]], tabla.IndiceAncho[FAnchosMat[U(q)]]);
        if (Igual(c.Valor, 0.0)) {
            return MaximoReal;
        }
        const double d = Duales[U(FNumPiezas + q)];
        return (Modo == 1) ? -(c.Valor + d) : FAreaMat[U(q)] - (c.Valor + d);
    };
    for (int q = 1; q <= FNumMateriales; ++q) {
        const double costo = costoDe(q);
        if (costo < CostoReducido) {
            ganador = q;
            CostoReducido = costo;
        }
    }
    FAdicionales.clear();
    if (ganador == 0) {
        return;
    }
    if (FMaxAdicionales > 0 && CostoReducido < -Tolerancia) {
        for (int q = 1; q <= FNumMateriales; ++q) {
            Alternativas(tabla, q, Modo == 1 ? 0.0 : FAreaMat[U(q)], Duales[U(FNumPiezas + q)],
                         q == ganador);
        }
    }

    // Only the winner's pattern is built: building one for a material that a later one
    // beats would only be thrown away.
    Material = ganador;
    Patron = CrearPatron(tabla, ganador);
}

std::unique_ptr<CPatron> CMochila::CrearPatron(const CTablaCortes& Tabla, int q) const {
    auto patron = CPatron::Create(FTotalPiezas, FMateriales[U(q)], FLanzamiento);
    patron->SetRaiz(ConstruirCorte(Tabla, FLargosMat[U(q)], FAnchosMat[U(q)], 0, 0));
    patron->Normalizar();
    patron->RecontarPiezas(FLanzamiento->CantidadPiezas());
    return patron;
}

void CMochila::Alternativas(CTablaCortes& Tabla, int q, double Costo, double Dual, bool Ganador) {
    const int i = Tabla.IndiceLargo[FLargosMat[U(q)]];
    const int j = Tabla.IndiceAncho[FAnchosMat[U(q)]];
    RCelda& raiz = Tabla.Celda(i, j);
    // Worth a column only when it improves by more than round-off.
    const double umbral = Costo - Dual + 1e-7 * std::max(1.0, Costo);
    if (!Ganador && raiz.Valor > umbral) {
        if (static_cast<int>(FAdicionales.size()) < FMaxAdicionales) {
            FAdicionales.push_back({CrearPatron(Tabla, q), q});
        }
    }
    // The first cuts of the sheet other than the chosen one, by value: the parts are the
    // table's best sub-patterns, so each is a sound pattern under every cutting rule.
    struct RCorte {
        double Valor;
        int Dir;
        int K;
        int Cortes;
        int Etapas;
    };
    std::vector<RCorte> cortes;
    const int limite = FOpciones.ChequearNivelCorte ? FOpciones.NivelCorte : 255;
    const int sobrante = FOpciones.SobranteMinimo;
    const int agarre = FOpciones.LongitudAgarre;
    const long long corteMaximo = FOpciones.CorteMaximo;
    auto etapas = [](const RCelda& c, int d) { return c.Niveles + (c.Direccion != d ? 1 : 0); };
    auto probar = [&](int dir, const AWord16& pos, const AWord16& ind, int total, int k,
                      const RCelda& ck, auto parte) {
        const int resto = total - pos[U(k)];
        if (resto < agarre) {
            return;
        }
        const int r = ind[U(resto)];
        const int desperdicio = resto - pos[U(r)];
        if (desperdicio > 0 && desperdicio < sobrante) {
            return;
        }
        const RCelda& cr = parte(r);
        if (cr.Eleccion == 0 && resto < sobrante) {
            return;
        }
        const int e = std::max(etapas(ck, dir), etapas(cr, dir));
        const double valor = ck.Valor + cr.Valor;
        if (e > limite || valor <= umbral) {
            return;
        }
        if (dir == raiz.Direccion && k == raiz.Eleccion) {
            return;
        }
        cortes.push_back({valor, dir, k, ck.Cortes + 1 + cr.Cortes, e});
    };
    const int largo = Tabla.PosLargo[U(i)];
    const int ancho = Tabla.PosAncho[U(j)];
    if (ancho <= corteMaximo) {
        const std::uint16_t* lista = Tabla.ListaLargo(j);
        const int mitad = Tabla.IndiceLargo[U(largo / 2)];
        for (int n = 0; n < Tabla.CuentaLargo(j) && lista[n] <= mitad; ++n) {
            probar(1, Tabla.PosLargo, Tabla.IndiceLargo, largo, lista[n], Tabla.Celda(lista[n], j),
                   [&](int r) -> const RCelda& { return Tabla.Celda(r, j); });
        }
    }
    if (largo <= corteMaximo) {
        const std::uint16_t* lista = Tabla.ListaAncho(i);
        const int mitad = Tabla.IndiceAncho[U(ancho / 2)];
        for (int n = 0; n < Tabla.CuentaAncho(i) && lista[n] <= mitad; ++n) {
            probar(-1, Tabla.PosAncho, Tabla.IndiceAncho, ancho, lista[n], Tabla.Celda(i, lista[n]),
                   [&](int r) -> const RCelda& { return Tabla.Celda(i, r); });
        }
    }
    std::stable_sort(cortes.begin(), cortes.end(),
                     [](const RCorte& a, const RCorte& b) { return a.Valor > b.Valor; });
    const RCelda guardada = raiz;
    for (const RCorte& c : cortes) {
        if (static_cast<int>(FAdicionales.size()) >= FMaxAdicionales) {
            break;
        }
        raiz.Valor = c.Valor;
        raiz.Direccion = static_cast<std::int8_t>(c.Dir);
        raiz.Eleccion = static_cast<std::uint16_t>(c.K);
        raiz.Cortes = static_cast<std::uint16_t>(std::min(c.Cortes, 65535));
        raiz.Niveles = static_cast<std::uint8_t>(c.Etapas);
        FAdicionales.push_back({CrearPatron(Tabla, q), q});
    }
    raiz = guardada;
}

void CMochila::PrepararCandidatas(const AReal8& Duales) {
    for (int r = 1; r <= FNumFilas; ++r) {
        FOrden[U(r)] = r;
        const double v = (r <= FNumPiezas) ? Duales[U(r)] : Duales[FPiezas[U(r)]];
        // A price that is not a number is worth nothing (and keeps the sort's order sound).
        FValores[U(r)] = std::isnan(v) ? 0.0 : v;
    }
    FNumCandidatas = FNumFilas;
    const AReal8& valores = FValores;
    // The order of equal values is free.
    std::sort(FOrden.begin() + 1, FOrden.begin() + 1 + FNumCandidatas,
              [&valores](std::int32_t a, std::int32_t b) { return valores[U(a)] > valores[U(b)]; });
}

void CMochila::FiltrarCandidatas() {
    for (int i = 1; i < FNumCandidatas; ++i) {
        const int a = FOrden[U(i)];
        int j = i + 1;
        while (j <= FNumCandidatas) {
            const int b = FOrden[U(j)];
            const bool dominada = FLargos[U(a)] <= FLargos[U(b)] && FAnchos[U(a)] <= FAnchos[U(b)];
            if (dominada || FValores[U(b)] < Tolerancia) {
                for (int k = j; k < FNumCandidatas; ++k) {
                    FOrden[U(k)] = FOrden[U(k + 1)];
                }
                --FNumCandidatas;
            } else {
                ++j;
            }
        }
    }
}

void CMochila::CalcularPosiciones(CTablaCortes& Tabla) const {
    CTablaCortes::RReglaPosiciones regla;
    regla.Nivel = FOpciones.NivelOptimizacionFinal;
    regla.Restringir = FOpciones.RestringirPosiblesCortes;
    regla.Porcentaje = FOpciones.PorcentajeMaterial;
    regla.MaximoMaterial = FMaxLargoMat;
    regla.MaximoPieza = FMaxLargoPza;
    CTablaCortes::CalcularPosiciones(FLargos, FOrden, FNumCandidatas, FLargosMat, FNumMateriales,
                                     regla, Tabla.PosLargo, Tabla.NumPosLargo, Tabla.IndiceLargo);
    regla.MaximoMaterial = FMaxAnchoMat;
    regla.MaximoPieza = FMaxAnchoPza;
    CTablaCortes::CalcularPosiciones(FAnchos, FOrden, FNumCandidatas, FAnchosMat, FNumMateriales,
                                     regla, Tabla.PosAncho, Tabla.NumPosAncho, Tabla.IndiceAncho);
}

void CMochila::RecortarFila(int s, int& Cuenta, int& Resto) const {
    const int sobrante = FOpciones.SobranteMinimo;
    const int agarre = FOpciones.LongitudAgarre;
    while (Cuenta > 0 && ((0 < Resto && Resto < sobrante) || std::max(Resto, s) < agarre)) {
        --Cuenta;
        Resto += s;
    }
}

void CMochila::FaseBloques(CTablaCortes& Tabla, CControlCalculo* Control) {
    const int nl = Tabla.NumPosLargo;
    const int na = Tabla.NumPosAncho;
    const long long corteMaximo = FOpciones.CorteMaximo;
    const std::uint16_t* posL = Tabla.PosLargo.data();
    std::int32_t* cuentaL = Tabla.CuentaL.data();
    std::int32_t* restoL = Tabla.RestoL.data();
    std::int32_t* cuentaRecL = Tabla.CuentaRecL.data();

    // Every row tries every cell it fits in, the rows in candidate order; the cells are taken
    // in bands of width positions so that one band stays in the cache while all the rows go
    // over it. Each cell still sees the rows in the same order, so the outcome is that of a
    // walk row by row over the whole table.
    const int banda = std::clamp(
        static_cast<int>(CeldasPorBandaBloques / static_cast<std::size_t>(nl + 1)), 1, na);
    const long long totalPasos = static_cast<long long>((na + banda - 1) / banda) * FNumCandidatas;
    long long pasos = 0;
    int avance = 0;
    for (int jb0 = 1; jb0 <= na; jb0 += banda) {
        const int jb1 = std::min(na, jb0 + banda - 1);
        for (int t = 1; t <= FNumCandidatas; ++t) {
            const int e = FOrden[U(t)];
            const int l = FLargos[U(e)];
            const int w = FAnchos[U(e)];
            const double valor = FValores[U(e)];
            const bool cabe = Tabla.PosLargo[U(nl)] >= l && w <= Tabla.PosAncho[U(na)];
            const int i0 = cabe ? Tabla.IndiceLargo[U(l)] : 0;
            const int jDesde = cabe ? std::max<int>(Tabla.IndiceAncho[U(w)], jb0) : jb1 + 1;
            if (jDesde <= jb1) {
                FTrabajo += static_cast<std::int64_t>(nl - i0 + 1) * (jb1 - jDesde + 1);
                // Counts and leftovers along the length depend on one position only.
                for (int i = i0; i <= nl; ++i) {
                    const int p = posL[i];
                    int a = p / l;
                    int ra = p - a * l;
                    cuentaL[i] = a;
                    restoL[i] = ra;
                    RecortarFila(l, a, ra);
                    cuentaRecL[i] = a;
                }
                for (int j = jDesde; j <= jb1; ++j) {
                    const long long Q = Tabla.PosAncho[U(j)];
                    int b0 = static_cast<int>(Q / w);
                    int rb = static_cast<int>(Q - static_cast<long long>(b0) * w);
                    int bRec = b0;
                    int rbRec = rb;
                    RecortarFila(w, bRec, rbRec);
                    RCelda* columna = Tabla.Columna(j);
                    for (int i = i0; i <= nl; ++i) {
                        const long long P = posL[i];
                        const int a0 = cuentaL[i];
                        const int ra = restoL[i];
                        int a = a0;
                        int b = b0;
                        if (a0 == 1 && b0 == 1 && ra == 0 && rb == 0) {
                            // the single exact piece
                        } else if (b0 == 1 && rb == 0) {
                            a = (Q > corteMaximo) ? 0 : cuentaRecL[i];
                        } else if (a0 == 1 && ra == 0) {
                            b = (P > corteMaximo) ? 0 : bRec;
                        } else if (std::max<long long>(Q, l) > corteMaximo &&
                                   std::max<long long>(P, w) > corteMaximo) {
                            a = 0;
                        } else {
                            a = cuentaRecL[i];
                            b = bRec;
                        }
                        if (a > 0 && b > 0) {
                            const double v =
                                static_cast<double>(a) * valor * static_cast<double>(b);
                            RCelda& c = columna[i];
                            if (Menor(c.Valor, v)) {
                                c.Valor = v;
                                c.Eleccion = static_cast<std::uint16_t>(e);
                            }
                        }
                    }
                    // Polled once per column: the cell loop stays free of the atomic loads.
                    Sondear(Control);
                }
            }
            // One step of progress per row in all, spread over the bands.
            ++pasos;
            const int objetivo = static_cast<int>(FNumCandidatas * pasos / totalPasos);
            if (Control != nullptr && objetivo > avance) {
                Control->AvanzarProgreso(objetivo - avance);
            }
            avance = std::max(avance, objetivo);
        }
    }
}

void CMochila::SembrarNiveles(CTablaCortes& Tabla) const {
    const int nivel = FOpciones.NivelCorte;
    const auto uno = static_cast<std::uint8_t>(std::max(nivel - 1, 0));
    for (int q = 1; q <= FNumMateriales; ++q) {
        const int i = Tabla.IndiceLargo[FLargosMat[U(q)]];
        const int j = Tabla.IndiceAncho[FAnchosMat[U(q)]];
        for (int k = 1; k < j; ++k) {
            Tabla.Celda(i, k).Niveles = uno;
        }
        for (int k = 1; k < i; ++k) {
            Tabla.Celda(k, j).Niveles = uno;
        }
        Tabla.Celda(i, j).Niveles = static_cast<std::uint8_t>(nivel);
    }
}

void CMochila::FaseCombinacion(CTablaCortes& Tabla, CControlCalculo* Control) {
    const int nl = Tabla.NumPosLargo;
    const int na = Tabla.NumPosAncho;
    const std::uint16_t* posL = Tabla.PosLargo.data();
    const std::uint16_t* posA = Tabla.PosAncho.data();
    const std::uint16_t* indL = Tabla.IndiceLargo.data();
    const std::uint16_t* indA = Tabla.IndiceAncho.data();
    const long long corteMaximo = FOpciones.CorteMaximo;
    const int sobrante = FOpciones.SobranteMinimo;
    const int agarre = FOpciones.LongitudAgarre;
    const bool chequearNivel = FOpciones.ChequearNivelCorte;
    const int limiteComun = std::max(FOpciones.NivelCorte - 2, 0);
    const std::size_t salto = static_cast<std::size_t>(nl + 1);

    // Replacement rule: a higher value, or the same value with fewer cuts.
    auto mejora = [](const RCelda& c, double valor, int cortes) {
        return Menor(c.Valor, valor) || (Igual(c.Valor, valor) && c.Cortes > cortes);
    };
    auto guardar = [](RCelda& c, double valor, int dir, int k, int cortes, int etapas) {
        c.Valor = valor;
        c.Direccion = static_cast<std::int8_t>(dir);
        c.Eleccion = static_cast<std::uint16_t>(k);
        c.Cortes = static_cast<std::uint16_t>(std::min(cortes, 65535));
        c.Niveles = static_cast<std::uint8_t>(etapas);
    };
    // Stages of a part under a cut in direction d: a change of direction adds one.
    auto etapas = [](const RCelda& c, int d) { return c.Niveles + (c.Direccion != d ? 1 : 0); };

    // No sub-pattern is worth more than its area at the best value per unit of area of any
    // candidate. A cell whose block already reaches that (say a bar of 1 mm pieces) keeps it:
    // no cut can be worth more, and with its block's 0 cuts none can tie with fewer. Without
    // this the cells of such a bar try every first part, a cost quadratic in its length.
    double densidad = 0.0;
    for (int t = 1; t <= FNumCandidatas; ++t) {
        const int e = FOrden[U(t)];
        densidad = std::max(densidad, FValores[U(e)] / (static_cast<double>(FLargos[U(e)]) *
                                                        static_cast<double>(FAnchos[U(e)])));
    }
    auto saturada = [densidad](const RCelda& c, double area) {
        return c.Cortes == 0 && c.Eleccion != 0 && c.Valor + Tolerancia >= densidad * area;
    };

    // The cells are computed in bands of a few length positions, each band across every
    // width position. A cell reads the parts of its own length (horizontal cuts) and of its
    // own width (vertical cuts); within a band the former stay in the cache, and the latter
    // are shared by all the lengths of the band. Every cell still finds below and to its
    // left only finished cells, and the lists of improving indices grow in the same order,
    // so the table is the one of a plain walk by width and then length.
    const int banda = std::clamp(
        static_cast<int>(CeldasPorBanda / static_cast<std::size_t>(na + 1)), 4, std::max(nl, 4));
    const long long totalCeldas = static_cast<long long>(nl) * na;
    long long hechas = 0;
    int avance = 0;
    for (int i0 = 1; i0 <= nl; i0 += banda) {
        const int i1 = std::min(nl, i0 + banda - 1);
        for (int j = 1; j <= na; ++j) {
            RCelda* columna = Tabla.Columna(j);
            const RCelda* anterior = Tabla.Columna(j - 1);
            const int ancho = posA[j];
            const bool verticales = ancho <= corteMaximo;
            const int mitadAncho = indA[ancho / 2];
            std::uint16_t* listaLargo = Tabla.ListaLargo(j);
            int& cuentaLargo = Tabla.CuentaLargo(j);
            std::int64_t trabajo = i1 - i0 + 1;

            for (int i = i0; i <= i1; ++i) {
                RCelda& c = columna[i];
                if (chequearNivel) {
                    if (c.Niveles != 0) {
                        FLimiteNiveles = c.Niveles;
                        c.Niveles = 0;
                    } else {
                        FLimiteNiveles = limiteComun;
                    }
                } else {
                    FLimiteNiveles = 255;
                }
                const int limite = FLimiteNiveles;
                const int largo = posL[i];
                const bool llena = saturada(c, static_cast<double>(largo) * ancho);

                if (verticales && !llena) {
                    trabajo += cuentaLargo;
                    const int mitad = indL[largo / 2];
                    for (int n = 0; n < cuentaLargo; ++n) {
                        const int k = listaLargo[n];
                        if (k > mitad) {
                            break;
                        }
                        const int resto = largo - posL[k];
                        if (resto < agarre) {
                            break; // the list ascends, so every later rest is shorter still
                        }
                        const int r = indL[resto];
                        const int desperdicio = resto - posL[r];
                        if (desperdicio > 0 && desperdicio < sobrante) {
                            continue;
                        }
                        const RCelda& ck = columna[k];
                        const RCelda& cr = columna[r];
                        // An empty second part leaves its whole rest as a leftover of the cut.
                        if (cr.Eleccion == 0 && resto < sobrante) {
                            continue;
                        }
                        const int e = std::max(etapas(ck, 1), etapas(cr, 1));
                        if (e > limite) {
                            continue;
                        }
                        const double valor = ck.Valor + cr.Valor;
                        const int cortes = ck.Cortes + 1 + cr.Cortes;
                        if (mejora(c, valor, cortes)) {
                            guardar(c, valor, 1, k, cortes, e);
                        }
                    }
                }

                if (largo <= corteMaximo && !llena) {
                    const std::uint16_t* lista = Tabla.ListaAncho(i);
                    const int cuenta = Tabla.CuentaAncho(i);
                    trabajo += cuenta;
                    // Cells (i, k) lie one column apart.
                    const RCelda* filaI = Tabla.Columna(0) + i;
                    for (int n = 0; n < cuenta; ++n) {
                        const int k = lista[n];
                        if (k > mitadAncho) {
                            break;
                        }
                        const int resto = ancho - posA[k];
                        if (resto < agarre) {
                            break;
                        }
                        const int r = indA[resto];
                        const int desperdicio = resto - posA[r];
                        if (desperdicio > 0 && desperdicio < sobrante) {
                            continue;
                        }
                        const RCelda& ck = filaI[static_cast<std::size_t>(k) * salto];
                        const RCelda& cr = filaI[static_cast<std::size_t>(r) * salto];
                        if (cr.Eleccion == 0 && resto < sobrante) {
                            continue;
                        }
                        const int e = std::max(etapas(ck, -1), etapas(cr, -1));
                        if (e > limite) {
                            continue;
                        }
                        const double valor = ck.Valor + cr.Valor;
                        const int cortes = ck.Cortes + 1 + cr.Cortes;
                        if (mejora(c, valor, cortes)) {
                            guardar(c, valor, -1, k, cortes, e);
                        }
                    }
                }

                if (Menor(columna[i - 1].Valor, c.Valor)) {
                    listaLargo[cuentaLargo++] = static_cast<std::uint16_t>(i);
                }
                if (Menor(anterior[i].Valor, c.Valor)) {
                    Tabla.ListaAncho(i)[Tabla.CuentaAncho(i)++] = static_cast<std::uint16_t>(j);
                }
            }
            FTrabajo += trabajo;
            Sondear(Control);
            // One step of progress per width position in all, spread over the bands.
            hechas += i1 - i0 + 1;
            const int objetivo =
                static_cast<int>(static_cast<long long>(na) * hechas / totalCeldas);
            if (Control != nullptr && objetivo > avance) {
                Control->AvanzarProgreso(objetivo - avance);
            }
            avance = std::max(avance, objetivo);
        }
    }
}

std::unique_ptr<CCorte> CMochila::ConstruirCorte(const CTablaCortes& Tabla, int L, int W,
                                                 int ExtraL, int ExtraW) const {
    if (L < 1 || W < 1) {
        return nullptr;
    }
    auto raiz = CCorte::Create(L + ExtraL, W + ExtraW, 0, 0, 0, 0, 0, 0, CCorte::EtiquetaDef);
    // The first part of a cut is at most half its rectangle, so recursing into it stays
    // shallow; the second part (a chain of any length) is followed by this loop instead.
    CCorte* nodo = raiz.get();
    const long long corteMaximo = FOpciones.CorteMaximo;
    for (;;) {
        const int i = Tabla.IndiceLargo[U(L)];
        const int j = Tabla.IndiceAncho[U(W)];
        const RCelda& c = Tabla.Celda(i, j);
        const int k = c.Eleccion;
        // A leftover handed down along the length would lengthen this cell's horizontal cut
        // (and one along the width its vertical cut) beyond the maximum cut that the table
        // checked on the cell's own size. Such a leftover is cut off first, in line with the
        // cut it comes from, so no stage is added.
        if (c.Direccion == -1 && ExtraL > 0 && L + ExtraL > corteMaximo) {
            nodo->SetDir(1);
            auto celda = CCorte::Create(L, W + ExtraW, 0, 0, 0, 0, 0, 0, CCorte::EtiquetaDef);
            CCorte* siguiente = celda.get();
            nodo->SetHijo1(std::move(celda));
            nodo->SetHijo2(
                CCorte::Create(ExtraL, W + ExtraW, 0, 0, 0, 0, 0, 0, CCorte::EtiquetaDef));
            nodo = siguiente;
            ExtraL = 0;
            continue;
        }
        if (c.Direccion == 1 && ExtraW > 0 && W + ExtraW > corteMaximo) {
            nodo->SetDir(-1);
            auto celda = CCorte::Create(L + ExtraL, W, 0, 0, 0, 0, 0, 0, CCorte::EtiquetaDef);
            CCorte* siguiente = celda.get();
            nodo->SetHijo1(std::move(celda));
            nodo->SetHijo2(
                CCorte::Create(L + ExtraL, ExtraW, 0, 0, 0, 0, 0, 0, CCorte::EtiquetaDef));
            nodo = siguiente;
            ExtraW = 0;
            continue;
        }
        int L2 = 0;
        int W2 = 0;
        int extraL2 = 0;
        int extraW2 = 0;
        if (c.Direccion == 1) {
            nodo->SetDir(1);
            const int primero = Tabla.PosLargo[U(k)];
            nodo->SetHijo1(ConstruirCorte(Tabla, primero, W, 0, ExtraW));
            const int r = Tabla.IndiceLargo[U(L - primero)];
            L2 = Tabla.PosLargo[U(r)];
            W2 = W;
            extraL2 = L + ExtraL - primero - L2;
            extraW2 = ExtraW;
        } else if (c.Direccion == -1) {
            nodo->SetDir(-1);
            const int primero = Tabla.PosAncho[U(k)];
            nodo->SetHijo1(ConstruirCorte(Tabla, L, primero, ExtraL, 0));
            const int r = Tabla.IndiceAncho[U(W - primero)];
            L2 = L;
            W2 = Tabla.PosAncho[U(r)];
            extraL2 = ExtraL;
            extraW2 = W + ExtraW - primero - W2;
        } else {
            if (k != 0) {
                const int l = FLargos[U(k)];
                const int w = FAnchos[U(k)];
                const int P = Tabla.PosLargo[U(i)];
                const int Q = Tabla.PosAncho[U(j)];
                int a = P / l;
                int ra = P - a * l;
                int b = Q / w;
                int rb = Q - b * w;
                if (a == 1 && b == 1 && ra == 0 && rb == 0) {
                    // the single exact piece
                } else if (b == 1 && rb == 0) {
                    RecortarFila(l, a, ra);
                } else if (a == 1 && ra == 0) {
                    RecortarFila(w, b, rb);
                } else {
                    RecortarFila(l, a, ra);
                    RecortarFila(w, b, rb);
                }
                nodo->SetLargoPz(l);
                nodo->SetAnchoPz(w);
                nodo->SetRepX(a);
                nodo->SetRepY(b);
                nodo->SetPieza(PiezaDeFila(k));
            }
            break;
        }
        if (L2 < 1 || W2 < 1) {
            break;
        }
        auto hijo =
            CCorte::Create(L2 + extraL2, W2 + extraW2, 0, 0, 0, 0, 0, 0, CCorte::EtiquetaDef);
        CCorte* siguiente = hijo.get();
        nodo->SetHijo2(std::move(hijo));
        nodo = siguiente;
        L = L2;
        W = W2;
        ExtraL = extraL2;
        ExtraW = extraW2;
    }
    return raiz;
}

// ---------------------------------------------------------------------------------------
// Kept patterns
// ---------------------------------------------------------------------------------------

// The kept patterns are every pattern of the job's solution: the production is summed over
// all slots, not through the solution's iterator, so that a filter the job window happens
// to show does not hide patterns that will be kept.
void CMochila::DescontarProducido() {
    const CSolucion& solucion = FLanzamiento->Solucion();
    bool hayPatrones = false;
    for (int k = 1; k <= solucion.Cantidad() && !hayPatrones; ++k) {
        hayPatrones = solucion.Patron(k) != nullptr;
    }
    if (!FOpciones.MantenerPatronesActuales || !hayPatrones) {
        FOpciones.MantenerPatronesActuales = false;
        return;
    }
    for (int i = 1; i <= FTotalPiezas; ++i) {
        long long producido = 0;
        for (int k = 1; k <= solucion.Cantidad(); ++k) {
            const CPatron* p = solucion.Patron(k);
            if (p == nullptr || U(i) >= p->CantPorPieza().size()) {
                continue;
            }
            producido += static_cast<long long>(p->CantPorPieza()[U(i)]) *
                         std::max(0, solucion.RepActual(k));
        }
        const long long resto = std::max(0LL, FPedido[U(i)] - producido);
        FPedido[U(i)] = static_cast<std::uint16_t>(resto);
        if (resto == 0) {
            FActivas[U(i)] = 0;
        }
    }
}

void CMochila::DescontarMaterialUsado() {
    if (!FOpciones.MantenerPatronesActuales) {
        return;
    }
    CSolucion& solucion = FLanzamiento->Solucion();
    for (int k = 1; k <= solucion.Cantidad(); ++k) {
        CPatron* p = solucion.Patron(k);
        if (p == nullptr) {
            continue;
        }
        p->SetRepeticion(0.0);
        const int m = p->Material();
        if (m < 1 || m > FTotalMateriales || FDisponibles[U(m)] == 0) {
            continue;
        }
        const long long resto = std::max(0LL, static_cast<long long>(FDisponibles[U(m)]) -
                                                  std::max(0, solucion.RepActual(k)));
        FDisponibles[U(m)] = static_cast<std::uint16_t>(resto);
        if (resto == 0) {
            FActivosMat[U(m)] = 0;
        }
    }
}
