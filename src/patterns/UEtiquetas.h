#pragma once

// The label language. A node's label is produced from a format: literal text mixed with
// variables ("#SL", "#P", ...), conditionals ("\if" cond "\then" a "\else" b "\endif"),
// layout words that place the text ("\top", "\hcen", "\vout", ...), a font block
// ("\font" name "," size "," bold "," italic "\endfont") and clip words ("\clipon",
// "\clipoff"). "\def" stands for the job's common format (FormatoEti).
//
// Storage forms: in a node (and so in the job file) "(", ")" and ";" are written "\1", "\2",
// "\3" because the node text form uses them as delimiters; an output line break is "\n" and
// "\ret" is a line break of the source only. The editor shows "(", ")", ";" literally and
// one memo line per "\n\ret".
//
// Nothing here raises towards the user: bad terms count 0, a condition without operator is
// false, unknown variables stay in the text.

#include <cstdint>
#include <string>

class CCorte;
class CPatron;
struct ROpciones;

// Bits of the layout flag set returned by LeerDirectivas. Four groups; one bit of each
// group is set after reading.
namespace Directiva {
inline constexpr int Arriba = 1 << 0;           // \top
inline constexpr int Abajo = 1 << 1;            // \bot
inline constexpr int Izquierda = 1 << 2;        // \lef
inline constexpr int Derecha = 1 << 3;          // \rig
inline constexpr int CentroVertical = 1 << 4;   // \vcen
inline constexpr int CentroHorizontal = 1 << 5; // \hcen
inline constexpr int DentroVertical = 1 << 6;   // \vin
inline constexpr int FueraVertical = 1 << 7;    // \vout
inline constexpr int CorteVertical = 1 << 8;    // \vcut
inline constexpr int DentroHorizontal = 1 << 9; // \hin
inline constexpr int FueraHorizontal = 1 << 10; // \hout
inline constexpr int CorteHorizontal = 1 << 11; // \hcut

inline constexpr int GrupoPosicionVertical = Arriba | Abajo | CentroVertical;
inline constexpr int GrupoPosicionHorizontal = Izquierda | Derecha | CentroHorizontal;
inline constexpr int GrupoReferenciaVertical = DentroVertical | FueraVertical | CorteVertical;
inline constexpr int GrupoReferenciaHorizontal =
    DentroHorizontal | FueraHorizontal | CorteHorizontal;
} // namespace Directiva

// The word of layout bit b (0..11), e.g. "\top" for bit 0.
const char* PalabraDirectiva(int bit);

// A font as the labels describe it. Sizes are points.
struct RFuente {
    std::string Nombre = "Arial";
    int Tamano = 8;
    bool Negrita = false;
    bool Cursiva = false;

    bool operator==(const RFuente&) const = default;
};

inline constexpr const char* BloqueFuentePorDefecto = "\\fontArial,8\\endfont";

// The values the variables stand for in one node. Lengths are net internal lengths; they
// are printed with the units of Unidades (a null pointer prints plain integers).
struct RVariablesEtiqueta {
    std::int32_t C = 0;
    std::int32_t SL = 0;
    std::int32_t SW = 0;
    std::int32_t OX = 0;
    std::int32_t OY = 0;
    std::int32_t P = 0;
    std::int32_t PL = 0;
    std::int32_t PW = 0;
    std::int32_t RX = 0;
    std::int32_t RY = 0;
    std::int32_t OFFX = 0;
    std::int32_t OFFY = 0;
    std::int32_t ROT = 0;
    std::int32_t DIM1 = 0;
    std::int32_t DIM2 = 0;
    std::int32_t SP = 0;
    std::int32_t OFF = 0;
    std::int32_t DIR = 0;
    std::int32_t CW = 0;
    std::int32_t LM = 0;
    std::int32_t RM = 0;
    std::int32_t BM = 0;
    std::int32_t TM = 0;
    std::string Desc1;
    std::string Desc2;
    const ROpciones* Unidades = nullptr;
};

// The whole expansion of a format for a node whose variables are known: "\def", "\ret",
// "\n", "\1".."\3", conditionals, variables, in that order. Layout words, font blocks and
// clip words stay in the text.
std::string ExpandirFormato(const std::string& formato, const std::string& formatoComun,
                            const RVariablesEtiqueta& variables);

// Resolves every conditional of s (nested and following ones) for these variables.
std::string ResolverSi(const std::string& s, const RVariablesEtiqueta& variables);

// The text of a node's label given its sequence numbers and origin. A null node gives "".
std::string ExpandirEtiqueta(const CPatron& P, const std::string& formato, const CCorte* nodo,
                             int OFF, int SP, int C, int OY, int OX);

// The node's own label as the drawing of the whole pattern would number it; "" when the
// node is not in P.
std::string EtiquetaDeNodo(const CPatron& P, const CCorte* nodo);

// The variables of a node of P at (OX, OY) with the given sequence numbers; the piece's
// descriptions are looked up in the job only when asked for.
RVariablesEtiqueta VariablesDeNodo(const CPatron& P, const CCorte& nodo, int OFF, int SP, int C,
                                   int OY, int OX, bool conDescripciones = true);

// Remove their words from the text and return what they read.
int LeerDirectivas(std::string& texto);
bool LeerRecorte(std::string& texto);
// The last complete font block, or the default one. A "\font" without a later "\endfont"
// ends the reading: the default block is answered and the rest of the text is left alone.
std::string LeerFuente(std::string& texto);
// Arial 8 regular changed by the fields of the block.
void AplicarFuente(const std::string& bloque, RFuente& fuente);
// The block the label designer writes for a font.
std::string BloqueFuente(const RFuente& fuente);

// Editor form <-> node form.
std::string EtiquetaAFormaNodo(const std::string& editor);
std::string EtiquetaAFormaEditor(const std::string& nodo);
