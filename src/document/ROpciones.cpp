#include "document/ROpciones.h"

#include "document/UTextos.h"

std::string FormatoEtiPorDefecto() {
    const std::string P = Textos::LetraPieza;
    const std::string S = Textos::LetraSobrante;
    const std::string C = Textos::LetraCorte;
    return std::string("\\if#DIR=0\\ret\\then\\ret \\vcen\\hcen\\ret \\if#P=0\\then\\ret  "
                       "\\if#OFF=0\\then\\else") +
           S + "#OFF" + "\\endif\\ret" + " \\else" + P + "#P" + "\\if" + "#ROT" +
           "=1\\then*\\endif\\ret" + " \\endif\\ret" + "\\else\\ret" + " \\if" + "#DIR" +
           "=1\\ret" + " \\then\\ret" + "  \\hcut\\hcen\\vout\\top" + C + "#C" + "\\ret" +
           " \\else\\ret" + "  \\vcut\\vcen\\hout\\rig" + C + "#C" + "\\ret" + " \\endif\\ret" +
           "\\endif";
}

std::string FormatoEtiPiezaPorDefecto() {
    return std::string("\\vcen\\hcen") + Textos::LetraPieza + "#P" + "\\if" + "#ROT" +
           "=1\\then*\\endif";
}

std::string FormatoEtiSobrantePorDefecto() {
    return std::string("\\vcen\\hcen\\if#OFF=0\\then\\else") + Textos::LetraSobrante + "#OFF" +
           "\\endif";
}

std::string FormatoEtiCorteVerPorDefecto() {
    return std::string("\\hcut\\hcen\\vout\\top") + Textos::LetraCorte + "#C";
}

std::string FormatoEtiCorteHorPorDefecto() {
    return std::string("\\vcut\\vcen\\hout\\rig") + Textos::LetraCorte + "#C";
}

ROpciones OpcionesPorDefecto() {
    return ROpciones();
}
