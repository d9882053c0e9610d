#pragma once

// The choices of the new-job dialog: bars, sheets or a user template. The template list is
// every "*.pla" file of the templates folder, in the order the folder lists them, followed by
// "Examinar..." (browse for one elsewhere). An unreadable or missing folder lists only
// "Examinar...".

#include <string>
#include <vector>

struct ROpciones;

class CListaPlantillas {
public:
    enum TConfiguracion { Barras = 0, Planchas = 1, Plantilla = 2 };

    struct REntrada {
        std::string Nombre;  // file name without extension, or "Examinar..."
        std::string Archivo; // full file name; empty for "Examinar..."
    };

    void Cargar(const std::string& carpeta);
    const std::vector<REntrada>& Entradas() const { return FEntradas; }
    bool EsExaminar(int indice) const;

    // OK with configuration `configuracion` and list entry `seleccion` (-1: none). Fills
    // `archivo` with the template to start from (empty: the defaults alone) and answers
    // true; answers false when "Examinar..." is selected (the caller browses). Bars and
    // sheets also set `Barras` of `predeterminadas`, the defaults of later new jobs.
    bool Aceptar(int configuracion, int seleccion, const std::string& carpetaAplicacion,
                 ROpciones& predeterminadas, std::string& archivo) const;

private:
    std::vector<REntrada> FEntradas;
};
