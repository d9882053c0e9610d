#pragma once

// The label designer's rules, without widgets. The designer edits one format in its editor
// form (Part of the label language: "(", ")", ";" literal, one memo line per output line)
// and keeps, beside the text, the layout flags its radio buttons show, the clip state of its
// check box and the font of its preview. Every control rewrites the memo text: a layout
// choice removes all layout words and appends one word per set flag in bit order, the clip
// box removes the clip words and appends the new one, the font removes the font blocks and
// appends the new block. The widget holds the memo and calls these with its text.
//
// The memo's line breaks are "\n" (what a Qt text editor gives); the node form turns each
// into "\n\ret".
//
// Also here: the parameter list (variables with their descriptions) and the text it inserts.

#include "patterns/UEtiquetas.h"

#include <span>
#include <string>
#include <vector>

class CCorte;
class CPatron;

struct RParametroEtiqueta {
    const char* Variable;    // "#SL"
    const char* Descripcion; // "Largo del Semiproducto"
};

class CEdicionEtiqueta {
public:
    // Flags, clip state and font read from a copy of the format (any form).
    void CargarFormato(const std::string& formato);
    int Directivas() const { return FDirectivas; }
    bool Recortar() const { return FRecortar; }
    const RFuente& Fuente() const { return FFuente; }

    // The format (node form) as the memo shows it, and back.
    static std::string MostrarFormato(const std::string& formato);
    static std::string FormatoDeMemo(const std::string& memo);

    // A radio button of layout bit `bit` (0..11) was chosen: the other bits of its group
    // are cleared. Answers the new memo text.
    std::string ElegirDirectiva(int bit, const std::string& memo);
    // The clip box changed.
    std::string FijarRecorte(bool recortar, const std::string& memo);
    // A font was chosen.
    std::string FijarFuente(const RFuente& fuente, const std::string& memo);

    // The preview of the memo's format on node n of P (numbered as EtiquetaDeNodo numbers
    // it), with its layout words, font blocks and clip words removed. Without a node, the
    // memo's own text without those words.
    static std::string Vista(const CPatron* P, const CCorte* n, const std::string& memo);

    // ---- Parameter list ----
    static std::span<const RParametroEtiqueta> Parametros();
    // A list item: description, a blank and the variable.
    static std::string TextoParametro(const RParametroEtiqueta& p);
    // For every checked item in list order, the variable followed by a blank.
    static std::string TextoParametros(const std::vector<bool>& marcados);

private:
    int FDirectivas = Directiva::Arriba | Directiva::Izquierda | Directiva::DentroVertical |
                      Directiva::DentroHorizontal;
    bool FRecortar = true;
    RFuente FFuente;
};
