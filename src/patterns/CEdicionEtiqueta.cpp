#include "patterns/CEdicionEtiqueta.h"

#include "document/UTextos.h"
#include "patterns/CPatron.h"

#include <array>

namespace {

constexpr std::array<RParametroEtiqueta, 25> ListaParametros = {{
    {"#C", Textos::ParametroC},         {"#SL", Textos::ParametroSL},
    {"#SW", Textos::ParametroSW},       {"#OX", Textos::ParametroOX},
    {"#OY", Textos::ParametroOY},       {"#P", Textos::ParametroP},
    {"#PL", Textos::ParametroPL},       {"#PW", Textos::ParametroPW},
    {"#RX", Textos::ParametroRX},       {"#RY", Textos::ParametroRY},
    {"#OFFX", Textos::ParametroOFFX},   {"#OFFY", Textos::ParametroOFFY},
    {"#ROT", Textos::ParametroROT},     {"#DESC1", Textos::ParametroDESC1},
    {"#DESC2", Textos::ParametroDESC2}, {"#DIM1", Textos::ParametroDIM1},
    {"#DIM2", Textos::ParametroDIM2},   {"#SP", Textos::ParametroSP},
    {"#OFF", Textos::ParametroOFF},     {"#DIR", Textos::ParametroDIR},
    {"#CW", Textos::ParametroCW},       {"#LM", Textos::ParametroLM},
    {"#RM", Textos::ParametroRM},       {"#BM", Textos::ParametroBM},
    {"#TM", Textos::ParametroTM},
}};

int GrupoDe(int bit) {
    const int b = 1 << bit;
    for (const int g : {Directiva::GrupoPosicionVertical, Directiva::GrupoPosicionHorizontal,
                        Directiva::GrupoReferenciaVertical, Directiva::GrupoReferenciaHorizontal}) {
        if ((g & b) != 0) {
            return g;
        }
    }
    return 0;
}

void ReemplazarTodo(std::string& s, const std::string& de, const std::string& por) {
    for (std::size_t p = s.find(de); p != std::string::npos; p = s.find(de, p + por.size())) {
        s.replace(p, de.size(), por);
    }
}

} // namespace

void CEdicionEtiqueta::CargarFormato(const std::string& formato) {
    std::string copia = formato;
    FDirectivas = LeerDirectivas(copia);
    FRecortar = LeerRecorte(copia);
    AplicarFuente(LeerFuente(copia), FFuente);
}

std::string CEdicionEtiqueta::MostrarFormato(const std::string& formato) {
    std::string memo = EtiquetaAFormaEditor(formato);
    ReemplazarTodo(memo, "\r\n", "\n");
    return memo;
}

std::string CEdicionEtiqueta::FormatoDeMemo(const std::string& memo) {
    return EtiquetaAFormaNodo(memo);
}

std::string CEdicionEtiqueta::ElegirDirectiva(int bit, const std::string& memo) {
    if (bit < 0 || bit > 11) {
        return memo;
    }
    FDirectivas = (FDirectivas & ~GrupoDe(bit)) | (1 << bit);
    std::string texto = memo;
    LeerDirectivas(texto);
    for (int b = 0; b < 12; ++b) {
        if ((FDirectivas & (1 << b)) != 0) {
            texto += PalabraDirectiva(b);
        }
    }
    return texto;
}

std::string CEdicionEtiqueta::FijarRecorte(bool recortar, const std::string& memo) {
    FRecortar = recortar;
    std::string texto = memo;
    LeerRecorte(texto);
    return texto + (recortar ? "\\clipon" : "\\clipoff");
}

std::string CEdicionEtiqueta::FijarFuente(const RFuente& fuente, const std::string& memo) {
    FFuente = fuente;
    std::string texto = memo;
    // Every complete block goes; a "\font" left without its end stays as typed.
    LeerFuente(texto);
    return texto + BloqueFuente(fuente);
}

std::string CEdicionEtiqueta::Vista(const CPatron* P, const CCorte* n, const std::string& memo) {
    const std::string formato = FormatoDeMemo(memo);
    std::string texto;
    if (P != nullptr && n != nullptr) {
        const RLocalizacion l = P->Localizar(n);
        if (!l.Encontrado) {
            return {};
        }
        texto = ExpandirEtiqueta(*P, formato, n, l.Sobrantes, l.Hojas, l.Cortes, l.Y, l.X);
    } else {
        texto = EtiquetaAFormaEditor(formato);
    }
    LeerDirectivas(texto);
    LeerRecorte(texto);
    LeerFuente(texto);
    ReemplazarTodo(texto, "\r\n", "\n");
    return texto;
}

std::span<const RParametroEtiqueta> CEdicionEtiqueta::Parametros() {
    return ListaParametros;
}

std::string CEdicionEtiqueta::TextoParametro(const RParametroEtiqueta& p) {
    return std::string(p.Descripcion) + " " + p.Variable;
}

std::string CEdicionEtiqueta::TextoParametros(const std::vector<bool>& marcados) {
    std::string r;
    for (std::size_t i = 0; i < ListaParametros.size() && i < marcados.size(); ++i) {
        if (marcados[i]) {
            r += std::string(ListaParametros[i].Variable) + " ";
        }
    }
    return r;
}
