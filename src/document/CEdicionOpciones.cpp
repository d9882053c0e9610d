#include "document/CEdicionOpciones.h"

#include "document/CGrilla.h"
#include "document/UExcepciones.h"
#include "document/UGlobals.h"
#include "document/ULongitudes.h"
#include "document/UTextos.h"

#include <charconv>
#include <cmath>
#include <iterator>

namespace {

// Length fields of the option record, as pointers to members.
constexpr std::int32_t ROpciones::*CamposLongitud[] = {
    &ROpciones::SobranteMinimo, &ROpciones::CorteMaximo,         &ROpciones::AnchoCorte,
    &ROpciones::LongitudAgarre, &ROpciones::LargoMinimoSobrante, &ROpciones::AnchoMinimoSobrante,
    &ROpciones::MargenIzq,      &ROpciones::MargenDer,           &ROpciones::MargenSup,
    &ROpciones::MargenInf};

void Reemplazar(std::string& texto, const std::string& buscado, const std::string& nuevo) {
    for (std::size_t p = texto.find(buscado); p != std::string::npos;
         p = texto.find(buscado, p + nuevo.size())) {
        texto.replace(p, buscado.size(), nuevo);
    }
}

// Internal length in `despues` of `valor` (internal in `antes`) times `factor`.
std::int32_t Convertir(std::int32_t valor, double factor, const ROpciones& antes,
                       const ROpciones& despues) {
    const double unidad = LongitudAReal(1, despues);
    const double x = LongitudAReal(valor, antes) * factor / unidad;
    if (!std::isfinite(x) || x < -0.5 || x >= LongitudMaxima + 0.5) {
        throw EConversion(Textos::ExcedeMaximo);
    }
    return static_cast<std::int32_t>(std::lround(x));
}

} // namespace

std::vector<std::string> CEdicionOpciones::ListaPrecision(int tipoUnidad) {
    if (tipoUnidad % 2 == 1) {
        return {std::begin(Textos::PrecisionesFraccionarias),
                std::end(Textos::PrecisionesFraccionarias)};
    }
    return {std::begin(Textos::PrecisionesDecimales), std::end(Textos::PrecisionesDecimales)};
}

void CEdicionOpciones::FijarTipoUnidad(int tipo) {
    FOpciones.TipoUnidad = tipo;
    FOpciones.Precision = 0;
    if (!NombreHabilitado(tipo)) {
        FOpciones.NombreUnidad.clear();
    }
    if (!SuprimirHabilitado(tipo)) {
        FOpciones.SuprimirCeros = false;
    }
}

std::string CEdicionOpciones::Muestra() const {
    return FormatearLongitud(LongitudMaxima, FOpciones);
}

std::string CEdicionOpciones::Longitud(std::int32_t valor) const {
    return FormatearLongitud(valor, FOpciones);
}

std::int32_t CEdicionOpciones::LeerLongitud(const std::string& texto) const {
    return ::LeerLongitud(texto, FOpciones);
}

void CEdicionOpciones::FijarNivelFinal(int nivel) {
    FOpciones.NivelOptimizacionFinal = nivel;
    if (FOpciones.NivelOptimizacionInicial > nivel) {
        FOpciones.NivelOptimizacionInicial = nivel;
    }
}

bool CEdicionOpciones::FijarNivelInicial(int nivel) {
    if (nivel > FOpciones.NivelOptimizacionFinal) {
        return false;
    }
    FOpciones.NivelOptimizacionInicial = nivel;
    return true;
}

std::string CEdicionOpciones::NotaNivel(int nivel) {
    if (nivel < 1 || nivel > 3) {
        return std::string();
    }
    return Textos::NotasNivel[nivel - 1];
}

void CEdicionOpciones::FijarPorcentajeMaterial(const std::string& texto) {
    long long valor = 0;
    FOpciones.PorcentajeMaterial =
        LeerEntero(texto, valor) && valor >= INT32_MIN && valor <= INT32_MAX
            ? static_cast<std::int32_t>(valor)
            : 0;
}

bool CEdicionOpciones::Marcado(int i) const {
    switch (i) {
    case AnchoCorte:
        return FOpciones.ChequearAnchoCorte;
    case SobranteMinimo:
        return FOpciones.ChequearSobranteMinimo;
    case CorteMaximo:
        return FOpciones.ChequearCorteMaximo;
    case Agarre:
        return FOpciones.ChequearAgarre;
    case Rotar:
        return FOpciones.RotarPiezas;
    case NivelesCorte:
        return FOpciones.ChequearNivelCorte;
    case Margenes:
        return FOpciones.ChequearMargenes;
    default:
        return false;
    }
}

void CEdicionOpciones::Marcar(int i, bool marcado) {
    switch (i) {
    case AnchoCorte:
        FOpciones.ChequearAnchoCorte = marcado;
        break;
    case SobranteMinimo:
        FOpciones.ChequearSobranteMinimo = marcado;
        break;
    case CorteMaximo:
        FOpciones.ChequearCorteMaximo = marcado;
        break;
    case Agarre:
        FOpciones.ChequearAgarre = marcado;
        break;
    case Rotar:
        FOpciones.RotarPiezas = marcado;
        break;
    case NivelesCorte:
        FOpciones.ChequearNivelCorte = marcado;
        break;
    case Margenes:
        FOpciones.ChequearMargenes = marcado;
        break;
    default:
        break;
    }
}

bool CEdicionOpciones::Habilitado(int i) const {
    return !(FOpciones.Barras && (i == CorteMaximo || i == Rotar || i == NivelesCorte));
}

std::string CEdicionOpciones::Texto(int i) const {
    switch (i) {
    case AnchoCorte:
        return Longitud(FOpciones.AnchoCorte);
    case SobranteMinimo:
        return Longitud(FOpciones.SobranteMinimo);
    case CorteMaximo:
        return Longitud(FOpciones.CorteMaximo);
    case Agarre:
        return Longitud(FOpciones.LongitudAgarre);
    case Rotar:
        return FOpciones.PiezasRotadas;
    case NivelesCorte:
        return std::to_string(FOpciones.NivelCorte);
    case Margenes:
        return Longitud(FOpciones.MargenIzq) + "," + Longitud(FOpciones.MargenDer) + "," +
               Longitud(FOpciones.MargenInf) + "," + Longitud(FOpciones.MargenSup) + ":" +
               FOpciones.MaterialesConMargen;
    default:
        return std::string();
    }
}

void CEdicionOpciones::Fijar(int i, const std::string& texto) {
    switch (i) {
    case AnchoCorte:
        FOpciones.AnchoCorte = LeerLongitud(texto);
        break;
    case SobranteMinimo:
        FOpciones.SobranteMinimo = LeerLongitud(texto);
        break;
    case CorteMaximo:
        FOpciones.CorteMaximo = LeerLongitud(texto);
        break;
    case Agarre:
        FOpciones.LongitudAgarre = LeerLongitud(texto);
        break;
    case Rotar:
        FOpciones.PiezasRotadas = texto;
        break;
    case NivelesCorte: {
        long long n = 0;
        if (LeerEntero(texto, n) && n >= 0 && n <= INT32_MAX) {
            FOpciones.NivelCorte = static_cast<std::int32_t>(n);
        }
        break;
    }
    case Margenes: {
        const std::size_t dosPuntos = texto.find(':');
        const std::string margenes = texto.substr(0, dosPuntos);
        const std::string materiales =
            dosPuntos == std::string::npos ? std::string() : texto.substr(dosPuntos + 1);
        std::int32_t* destinos[4] = {&FOpciones.MargenIzq, &FOpciones.MargenDer,
                                     &FOpciones.MargenInf, &FOpciones.MargenSup};
        std::int32_t valores[4] = {*destinos[0], *destinos[1], *destinos[2], *destinos[3]};
        std::size_t inicio = 0;
        for (int k = 0; k < 4; ++k) {
            const std::size_t coma = margenes.find(',', inicio);
            valores[k] = LeerLongitud(margenes.substr(inicio, coma - inicio));
            if (coma == std::string::npos) {
                break;
            }
            inicio = coma + 1;
        }
        for (int k = 0; k < 4; ++k) {
            *destinos[k] = valores[k];
        }
        FOpciones.MaterialesConMargen = Recortar(materiales);
        break;
    }
    default:
        break;
    }
}

std::string CEdicionOpciones::Etiqueta(int i) {
    switch (i) {
    case Rotar:
        return Textos::EtiquetaRotar;
    case NivelesCorte:
        return Textos::EtiquetaNiveles;
    case Margenes:
        return Textos::EtiquetaMargenes;
    default:
        return i >= 0 && i < CantidadParametros ? std::string(Textos::Parametros[i]) + ":"
                                                : std::string();
    }
}

std::string CEdicionOpciones::FormatoAMemo(const std::string& formato) {
    std::string memo = formato;
    Reemplazar(memo, "\\ret", "\n");
    return memo;
}

std::string CEdicionOpciones::MemoAFormato(const std::string& memo) {
    std::string formato = memo;
    Reemplazar(formato, "\r\n", "\n");
    Reemplazar(formato, "\n", "\\ret");
    Reemplazar(formato, "\\def", "");
    return formato;
}

double CEdicionOpciones::LeerEscala(const std::string& texto) {
    const std::string t = Recortar(texto);
    double valor = 0.0;
    const auto r = std::from_chars(t.data(), t.data() + t.size(), valor);
    if (t.empty() || r.ec != std::errc() || r.ptr != t.data() + t.size() || !std::isfinite(valor)) {
        std::string mensaje = Textos::EscalaIncorrecta;
        Reemplazar(mensaje, "%", t);
        throw EConversion(mensaje);
    }
    return valor;
}

void CEdicionOpciones::ConvertirGrilla(CGrilla& grilla, double factor, const ROpciones& antes,
                                       const ROpciones& despues) {
    CGrilla nueva = grilla;
    for (int fila = 1; fila < grilla.Filas(); ++fila) {
        for (int columna : {1, 2}) {
            const std::string& celda = grilla.Celda(fila, columna);
            if (Recortar(celda).empty()) {
                continue;
            }
            const std::int32_t valor = ::LeerLongitud(celda, antes);
            nueva.AsignarCelda(
                fila, columna,
                FormatearLongitud(Convertir(valor, factor, antes, despues), despues));
        }
    }
    grilla = std::move(nueva);
}

ROpciones CEdicionOpciones::ConvertirOpciones(const ROpciones& antes, const ROpciones& unidades,
                                              double factor) {
    ROpciones nuevas = antes;
    nuevas.TipoUnidad = unidades.TipoUnidad;
    nuevas.Precision = unidades.Precision;
    nuevas.NombreUnidad = unidades.NombreUnidad;
    nuevas.SuprimirCeros = unidades.SuprimirCeros;
    for (std::int32_t ROpciones::*campo : CamposLongitud) {
        nuevas.*campo = Convertir(antes.*campo, factor, antes, nuevas);
    }
    return nuevas;
}

void CEdicionOpciones::CopiarLongitudes(const ROpciones& desde, ROpciones& hacia) {
    for (std::int32_t ROpciones::*campo : CamposLongitud) {
        hacia.*campo = desde.*campo;
    }
}
