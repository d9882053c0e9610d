#include "patterns/UEtiquetas.h"

#include "document/CLanzamiento.h"
#include "document/ROpciones.h"
#include "document/UGlobals.h"
#include "document/ULongitudes.h"
#include "patterns/CCorte.h"
#include "patterns/CPatron.h"

#include <array>
#include <cctype>
#include <exception>
#include <limits>

namespace {

// Nested and following conditionals recurse once per "\if"; a format deeper than this is
// left as it stands instead of exhausting the stack.
constexpr int ProfundidadMaximaSi = 200;

// 1-based position of sub in s, 0 when absent: the positions the conditional rules use.
std::size_t Pos(const std::string& sub, const std::string& s) {
    const std::size_t p = s.find(sub);
    return p == std::string::npos ? 0 : p + 1;
}

// Part of s from the 1-based index, count characters; out-of-range requests are clamped
// so that missing markers (position 0) take the pieces the rules describe.
std::string Copiar(const std::string& s, long long indice, long long cuenta) {
    if (indice < 1) {
        indice = 1;
    }
    if (cuenta <= 0 || indice > static_cast<long long>(s.size())) {
        return {};
    }
    return s.substr(static_cast<std::size_t>(indice - 1), static_cast<std::size_t>(cuenta));
}

std::string Resto(const std::string& s, long long indice) {
    return Copiar(s, indice, static_cast<long long>(s.size()) + 1);
}

char Minuscula(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

std::size_t BuscarSinMayusculas(const std::string& s, const std::string& sub, std::size_t desde) {
    if (sub.empty() || s.size() < sub.size()) {
        return std::string::npos;
    }
    for (std::size_t i = desde; i + sub.size() <= s.size(); ++i) {
        std::size_t j = 0;
        while (j < sub.size() && Minuscula(s[i + j]) == Minuscula(sub[j])) {
            ++j;
        }
        if (j == sub.size()) {
            return i;
        }
    }
    return std::string::npos;
}

// Every occurrence, left to right; the replacement is not searched again.
std::string ReemplazarTodo(const std::string& s, const std::string& de, const std::string& por,
                           bool sinMayusculas) {
    std::string r;
    r.reserve(s.size());
    std::size_t i = 0;
    while (true) {
        const std::size_t p = sinMayusculas ? BuscarSinMayusculas(s, de, i) : s.find(de, i);
        if (p == std::string::npos) {
            r.append(s, i, std::string::npos);
            return r;
        }
        r.append(s, i, p - i);
        r += por;
        i = p + de.size();
    }
}

enum class TTipoVariable { Entero, Longitud, Texto };

struct RVariable {
    const char* Nombre;
    TTipoVariable Tipo;
    std::int32_t RVariablesEtiqueta::*Valor;
    std::string RVariablesEtiqueta::*Texto;
};

// In replacement order: a name always comes before the shorter names it begins with.
const std::array<RVariable, 25> Variables = {{
    {"#DESC1", TTipoVariable::Texto, nullptr, &RVariablesEtiqueta::Desc1},
    {"#DESC2", TTipoVariable::Texto, nullptr, &RVariablesEtiqueta::Desc2},
    {"#OFFY", TTipoVariable::Longitud, &RVariablesEtiqueta::OFFY, nullptr},
    {"#OFFX", TTipoVariable::Longitud, &RVariablesEtiqueta::OFFX, nullptr},
    {"#DIM1", TTipoVariable::Longitud, &RVariablesEtiqueta::DIM1, nullptr},
    {"#DIM2", TTipoVariable::Longitud, &RVariablesEtiqueta::DIM2, nullptr},
    {"#ROT", TTipoVariable::Entero, &RVariablesEtiqueta::ROT, nullptr},
    {"#OFF", TTipoVariable::Entero, &RVariablesEtiqueta::OFF, nullptr},
    {"#DIR", TTipoVariable::Entero, &RVariablesEtiqueta::DIR, nullptr},
    {"#OX", TTipoVariable::Longitud, &RVariablesEtiqueta::OX, nullptr},
    {"#OY", TTipoVariable::Longitud, &RVariablesEtiqueta::OY, nullptr},
    {"#SL", TTipoVariable::Longitud, &RVariablesEtiqueta::SL, nullptr},
    {"#SW", TTipoVariable::Longitud, &RVariablesEtiqueta::SW, nullptr},
    {"#PL", TTipoVariable::Longitud, &RVariablesEtiqueta::PL, nullptr},
    {"#PW", TTipoVariable::Longitud, &RVariablesEtiqueta::PW, nullptr},
    {"#RX", TTipoVariable::Entero, &RVariablesEtiqueta::RX, nullptr},
    {"#RY", TTipoVariable::Entero, &RVariablesEtiqueta::RY, nullptr},
    {"#SP", TTipoVariable::Entero, &RVariablesEtiqueta::SP, nullptr},
    {"#CW", TTipoVariable::Longitud, &RVariablesEtiqueta::CW, nullptr},
    {"#C", TTipoVariable::Entero, &RVariablesEtiqueta::C, nullptr},
    {"#P", TTipoVariable::Entero, &RVariablesEtiqueta::P, nullptr},
    {"#TM", TTipoVariable::Longitud, &RVariablesEtiqueta::TM, nullptr},
    {"#BM", TTipoVariable::Longitud, &RVariablesEtiqueta::BM, nullptr},
    {"#LM", TTipoVariable::Longitud, &RVariablesEtiqueta::LM, nullptr},
    {"#RM", TTipoVariable::Longitud, &RVariablesEtiqueta::RM, nullptr},
}};

const ROpciones& Unidades(const RVariablesEtiqueta& v) {
    static const ROpciones enteros;
    return v.Unidades ? *v.Unidades : enteros;
}

std::string TextoVariable(const RVariable& var, const RVariablesEtiqueta& v) {
    switch (var.Tipo) {
    case TTipoVariable::Texto:
        return v.*(var.Texto);
    case TTipoVariable::Longitud:
        return FormatearLongitud(v.*(var.Valor), Unidades(v));
    case TTipoVariable::Entero:
        break;
    }
    return std::to_string(v.*(var.Valor));
}

// One left-to-right pass that tries the names in replacement order at every "#". It gives
// what replacing each name everywhere in that order gives, except that a description is
// never searched for variables again.
std::string ReemplazarVariables(const std::string& s, const RVariablesEtiqueta& v) {
    std::string r;
    r.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        if (s[i] == '#') {
            const RVariable* encontrada = nullptr;
            for (const auto& var : Variables) {
                if (s.compare(i, std::char_traits<char>::length(var.Nombre), var.Nombre) == 0) {
                    encontrada = &var;
                    break;
                }
            }
            if (encontrada) {
                r += TextoVariable(*encontrada, v);
                i += std::char_traits<char>::length(encontrada->Nombre);
                continue;
            }
        }
        r += s[i];
        ++i;
    }
    return r;
}

long long ValorTermino(const std::string& termino, const RVariablesEtiqueta& v) {
    const std::string t = Recortar(termino);
    if (t.find('#') != std::string::npos) {
        for (const auto& var : Variables) {
            if (t == var.Nombre) {
                return var.Tipo == TTipoVariable::Texto ? 0 : v.*(var.Valor);
            }
        }
        return 0;
    }
    const std::size_t p = t.find("toint");
    if (p != std::string::npos) {
        // "toint" and the character after it (the opening bracket) are skipped; a closing
        // bracket after that bracket is not part of the length.
        std::string longitud = Resto(t, static_cast<long long>(p) + 7);
        if (p + 5 < t.size() && t[p + 5] == '(' && !longitud.empty() && longitud.back() == ')') {
            longitud.pop_back();
        }
        try {
            return LeerLongitud(Recortar(longitud), Unidades(v));
        } catch (const std::exception&) {
            return 0;
        }
    }
    long long valor = 0;
    if (!LeerEntero(t, valor)) {
        return 0;
    }
    return valor;
}

bool EvaluarCondicion(const std::string& condicion, const RVariablesEtiqueta& v) {
    static const std::array<const char*, 6> operadores = {">=", "<=", "<>", "<", ">", "="};
    for (const char* op : operadores) {
        const std::size_t p = condicion.find(op);
        if (p == std::string::npos) {
            continue;
        }
        const long long a = ValorTermino(condicion.substr(0, p), v);
        const long long b =
            ValorTermino(condicion.substr(p + std::char_traits<char>::length(op)), v);
        const std::string o = op;
        if (o == ">=") {
            return a >= b;
        }
        if (o == "<=") {
            return a <= b;
        }
        if (o == "<>") {
            return a != b;
        }
        if (o == "<") {
            return a < b;
        }
        if (o == ">") {
            return a > b;
        }
        return a == b;
    }
    return false;
}

std::string ResolverSiProfundidad(const std::string& s, const RVariablesEtiqueta& v,
                                  int profundidad) {
    const std::size_t p = Pos("\\if", s);
    if (p == 0 || profundidad > ProfundidadMaximaSi) {
        return s;
    }
    const long long pi = static_cast<long long>(p);
    const std::string antes = Copiar(s, 1, pi - 1);
    const std::string r = Resto(s, pi + 3);
    const long long q = static_cast<long long>(Pos("\\then", r));
    const std::string condicion = Copiar(r, 1, q - 1);
    const std::string t = ResolverSiProfundidad(Resto(r, q + 5), v, profundidad + 1);

    const long long e = static_cast<long long>(Pos("\\else", t));
    const long long f = static_cast<long long>(Pos("\\endif", t));
    std::string entonces;
    std::string sino;
    std::string cola;
    if (e > 0 && e <= f) {
        entonces = Copiar(t, 1, e - 1);
        const std::string resto = ResolverSiProfundidad(Resto(t, e + 5), v, profundidad + 1);
        const long long g = static_cast<long long>(Pos("\\endif", resto));
        sino = Copiar(resto, 1, g - 1);
        cola = Resto(resto, g + 6);
    } else {
        entonces = Copiar(t, 1, f - 1);
        cola = Resto(t, f + 6);
    }
    return antes + Recortar(EvaluarCondicion(condicion, v) ? entonces : sino) + cola;
}

struct RPalabra {
    const char* Texto;
    int Grupo;
};

const std::array<RPalabra, 12> PalabrasDirectiva = {{
    {"\\top", Directiva::GrupoPosicionVertical},
    {"\\bot", Directiva::GrupoPosicionVertical},
    {"\\lef", Directiva::GrupoPosicionHorizontal},
    {"\\rig", Directiva::GrupoPosicionHorizontal},
    {"\\vcen", Directiva::GrupoPosicionVertical},
    {"\\hcen", Directiva::GrupoPosicionHorizontal},
    {"\\vin", Directiva::GrupoReferenciaVertical},
    {"\\vout", Directiva::GrupoReferenciaVertical},
    {"\\vcut", Directiva::GrupoReferenciaVertical},
    {"\\hin", Directiva::GrupoReferenciaHorizontal},
    {"\\hout", Directiva::GrupoReferenciaHorizontal},
    {"\\hcut", Directiva::GrupoReferenciaHorizontal},
}};

} // namespace

const char* PalabraDirectiva(int bit) {
    if (bit < 0 || bit >= static_cast<int>(PalabrasDirectiva.size())) {
        return "";
    }
    return PalabrasDirectiva[static_cast<std::size_t>(bit)].Texto;
}

std::string ResolverSi(const std::string& s, const RVariablesEtiqueta& variables) {
    return ResolverSiProfundidad(s, variables, 0);
}

std::string ExpandirFormato(const std::string& formato, const std::string& formatoComun,
                            const RVariablesEtiqueta& variables) {
    std::string s = ReemplazarTodo(formato, "\\def", formatoComun, true);
    s = ReemplazarTodo(s, "\\ret", "", true);
    s = ReemplazarTodo(s, "\\n", "\r\n", true);
    s = ReemplazarTodo(s, "\\1", "(", false);
    s = ReemplazarTodo(s, "\\2", ")", false);
    s = ReemplazarTodo(s, "\\3", ";", false);
    s = ResolverSi(s, variables);
    return ReemplazarVariables(s, variables);
}

int LeerDirectivas(std::string& texto) {
    int banderas = 0;
    while (true) {
        std::size_t mejor = std::string::npos;
        int bit = -1;
        for (std::size_t b = 0; b < PalabrasDirectiva.size(); ++b) {
            const std::size_t p = texto.find(PalabrasDirectiva[b].Texto);
            if (p != std::string::npos && (mejor == std::string::npos || p < mejor)) {
                mejor = p;
                bit = static_cast<int>(b);
            }
        }
        if (bit < 0) {
            break;
        }
        const RPalabra& palabra = PalabrasDirectiva[static_cast<std::size_t>(bit)];
        texto.erase(mejor, std::char_traits<char>::length(palabra.Texto));
        banderas = (banderas & ~palabra.Grupo) | (1 << bit);
    }
    if ((banderas & Directiva::GrupoPosicionVertical) == 0) {
        banderas |= Directiva::Arriba;
    }
    if ((banderas & Directiva::GrupoPosicionHorizontal) == 0) {
        banderas |= Directiva::Izquierda;
    }
    if ((banderas & Directiva::GrupoReferenciaVertical) == 0) {
        banderas |= Directiva::DentroVertical;
    }
    if ((banderas & Directiva::GrupoReferenciaHorizontal) == 0) {
        banderas |= Directiva::DentroHorizontal;
    }
    return banderas;
}

bool LeerRecorte(std::string& texto) {
    static const std::string apagado = "\\clipoff";
    static const std::string encendido = "\\clipon";
    bool recorte = true;
    while (true) {
        const std::size_t a = texto.find(apagado);
        const std::size_t e = texto.find(encendido);
        if (a == std::string::npos && e == std::string::npos) {
            return recorte;
        }
        if (e == std::string::npos || (a != std::string::npos && a < e)) {
            texto.erase(a, apagado.size());
            recorte = false;
        } else {
            texto.erase(e, encendido.size());
            recorte = true;
        }
    }
}

std::string LeerFuente(std::string& texto) {
    static const std::string inicio = "\\font";
    static const std::string fin = "\\endfont";
    std::string bloque = BloqueFuentePorDefecto;
    while (true) {
        const std::size_t p = texto.find(inicio);
        if (p == std::string::npos) {
            return bloque;
        }
        const std::size_t f = texto.find(fin, p + inicio.size());
        if (f == std::string::npos) {
            return BloqueFuentePorDefecto;
        }
        bloque = texto.substr(p, f + fin.size() - p);
        texto.erase(p, f + fin.size() - p);
    }
}

void AplicarFuente(const std::string& bloque, RFuente& fuente) {
    fuente = RFuente{};
    std::string interior = bloque;
    if (interior.compare(0, 5, "\\font") == 0) {
        interior.erase(0, 5);
    }
    const std::size_t f = interior.find("\\endfont");
    if (f != std::string::npos) {
        interior.erase(f);
    }
    interior += ",,,,";
    std::array<std::string, 4> campos;
    std::size_t i = 0;
    for (auto& campo : campos) {
        const std::size_t coma = interior.find(',', i);
        campo = interior.substr(i, coma - i);
        i = coma + 1;
    }
    if (!campos[0].empty()) {
        fuente.Nombre = campos[0];
    }
    if (!campos[1].empty()) {
        long long tamano = 0;
        if (!LeerEntero(campos[1], tamano) || tamano < std::numeric_limits<int>::min() ||
            tamano > std::numeric_limits<int>::max()) {
            return;
        }
        fuente.Tamano = static_cast<int>(tamano);
    }
    std::string estilo1 = campos[2];
    std::string estilo2 = campos[3];
    for (auto& c : estilo1) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    for (auto& c : estilo2) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    fuente.Negrita = estilo1 == "BOLD";
    fuente.Cursiva = estilo2 == "ITALIC";
}

std::string BloqueFuente(const RFuente& fuente) {
    return "\\font" + fuente.Nombre + "," + std::to_string(fuente.Tamano) +
           (fuente.Negrita ? ",bold" : ",") + (fuente.Cursiva ? ",Italic" : "") + "\\endfont";
}

std::string EtiquetaAFormaNodo(const std::string& editor) {
    std::string r;
    r.reserve(editor.size() + editor.size() / 4);
    for (std::size_t i = 0; i < editor.size(); ++i) {
        const char c = editor[i];
        if (c == '\r' && i + 1 < editor.size() && editor[i + 1] == '\n') {
            r += "\\n\\ret";
            ++i;
        } else if (c == '\n') {
            // A memo that keeps bare line feeds gets the same treatment as CR LF.
            r += "\\n\\ret";
        } else if (c == '(') {
            r += "\\1";
        } else if (c == ')') {
            r += "\\2";
        } else if (c == ';') {
            r += "\\3";
        } else {
            r += c;
        }
    }
    return r;
}

std::string EtiquetaAFormaEditor(const std::string& nodo) {
    std::string s = ReemplazarTodo(nodo, "\\ret", "\r\n", true);
    s = ReemplazarTodo(s, "\\n", "", true);
    s = ReemplazarTodo(s, "\\1", "(", false);
    s = ReemplazarTodo(s, "\\2", ")", false);
    return ReemplazarTodo(s, "\\3", ";", false);
}

// ---- Labels of the nodes of a pattern ----------------------------------------------------

namespace {

const ROpciones& OpcionesDe(const CPatron& P) {
    static const ROpciones porDefecto;
    return P.Opciones() ? *P.Opciones() : porDefecto;
}

} // namespace

RVariablesEtiqueta VariablesDeNodo(const CPatron& P, const CCorte& nodo, int OFF, int SP, int C,
                                   int OY, int OX, bool conDescripciones) {
    RVariablesEtiqueta v;
    v.C = C;
    v.SP = SP;
    v.OFF = OFF;
    v.OX = OX;
    v.OY = OY;
    v.SL = P.LargoSP(nodo);
    v.SW = P.AnchoSP(nodo);
    v.P = nodo.Pieza() < 0 ? -nodo.Pieza() : nodo.Pieza();
    v.PL = P.LargoPzNeto(nodo);
    v.PW = P.AnchoPzNeto(nodo);
    v.RX = nodo.RepX();
    v.RY = nodo.RepY();
    v.OFFX = P.SobranteX(nodo);
    v.OFFY = P.SobranteY(nodo);
    v.ROT = nodo.Pieza() < 0 ? 1 : 0;
    v.DIM1 = P.Dim1(nodo);
    v.DIM2 = P.Dim2(nodo);
    v.DIR = nodo.Dir();
    v.CW = P.AnchoCorte();
    v.LM = P.MargenIzq();
    v.RM = P.MargenDer();
    v.BM = P.MargenInf();
    v.TM = P.MargenSup();
    const CLanzamiento* lanzamiento = P.Lanzamiento();
    if (conDescripciones && lanzamiento && v.P >= 1 && v.P <= lanzamiento->CantidadPiezas()) {
        v.Desc1 = lanzamiento->Desc1Pieza(v.P);
        v.Desc2 = lanzamiento->Desc2Pieza(v.P);
    }
    v.Unidades = &OpcionesDe(P);
    return v;
}

std::string ExpandirEtiqueta(const CPatron& P, const std::string& formato, const CCorte* nodo,
                             int OFF, int SP, int C, int OY, int OX) {
    if (!nodo) {
        return {};
    }
    const std::string& comun = OpcionesDe(P).FormatoEti;
    // The descriptions are read from the job file's records: only when a format asks.
    const bool conDescripciones =
        formato.find("#DESC") != std::string::npos || comun.find("#DESC") != std::string::npos;
    return ExpandirFormato(formato, comun,
                           VariablesDeNodo(P, *nodo, OFF, SP, C, OY, OX, conDescripciones));
}

std::string EtiquetaDeNodo(const CPatron& P, const CCorte* nodo) {
    if (!nodo) {
        return {};
    }
    const RLocalizacion l = P.Localizar(nodo);
    if (!l.Encontrado) {
        return {};
    }
    return ExpandirEtiqueta(P, nodo->Etiqueta(), nodo, l.Sobrantes, l.Hojas, l.Cortes, l.Y, l.X);
}
