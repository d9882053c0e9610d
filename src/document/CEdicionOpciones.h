#pragma once

// The options dialog's working copy of a job's option record and the rules of its controls:
// the unit settings and their sample, the two optimisation levels, the material percentage,
// the seven technological parameters (shown and typed as text in the job's units), the label
// format as the memo shows it, and the unit conversion of a job's lengths.

#include "document/ROpciones.h"

#include <cstdint>
#include <string>
#include <vector>

class CGrilla;

class CEdicionOpciones {
public:
    enum TParametro {
        AnchoCorte = 0,
        SobranteMinimo,
        CorteMaximo,
        Agarre,
        Rotar,
        NivelesCorte,
        Margenes,
        CantidadParametros
    };

    void Cargar(const ROpciones& opciones) { FOpciones = opciones; }
    ROpciones& Opciones() { return FOpciones; }
    const ROpciones& Opciones() const { return FOpciones; }

    // ---- Units ----
    static std::vector<std::string> ListaPrecision(int tipoUnidad);
    // A new kind: the precision goes back to the first item; the feet kinds have no name.
    void FijarTipoUnidad(int tipo);
    static bool SuprimirHabilitado(int tipo) { return tipo % 2 == 0; }
    static bool NombreHabilitado(int tipo) { return tipo < 2; }
    // The largest internal length in the current units.
    std::string Muestra() const;
    std::string Longitud(std::int32_t valor) const;
    // Raises EConversion on a text that is not a length.
    std::int32_t LeerLongitud(const std::string& texto) const;

    // ---- Levels ----
    // Lowers the initial level when it was higher.
    void FijarNivelFinal(int nivel);
    // Refuses (false) a level above the final one.
    bool FijarNivelInicial(int nivel);
    static std::string NotaNivel(int nivel);

    // A text that is not an integer stores 0.
    void FijarPorcentajeMaterial(const std::string& texto);

    // ---- Technological parameters ----
    bool Marcado(int i) const;
    void Marcar(int i, bool marcado);
    // Bars cannot limit the cut length, turn pieces or restrict cut levels.
    bool Habilitado(int i) const;
    std::string Texto(int i) const;
    // Lengths raise EConversion (nothing stored); a level count that is not an integer is
    // ignored; margins "left,right,bottom,top[:materials]", at most four, in that order.
    void Fijar(int i, const std::string& texto);
    // The caption of the value (lbParametro).
    static std::string Etiqueta(int i);

    // ---- Label format ----
    // "\ret" shown as line breaks, and back ("\def" dropped).
    static std::string FormatoAMemo(const std::string& formato);
    static std::string MemoAFormato(const std::string& memo);

    // ---- Unit conversion ----
    // A conversion scale: a plain number ("25.4"); raises EConversion otherwise.
    static double LeerEscala(const std::string& texto);
    // The length columns (1 and 2, rows from 1) of a pieces or materials grid, from the units
    // of `antes` to those of `despues`, multiplied by `factor`. All or nothing: raises
    // EConversion, grid untouched, when a cell is not a length or its result does not fit.
    static void ConvertirGrilla(CGrilla& grilla, double factor, const ROpciones& antes,
                                const ROpciones& despues);
    // `antes` with every length option converted the same way and the unit settings of
    // `unidades`.
    static ROpciones ConvertirOpciones(const ROpciones& antes, const ROpciones& unidades,
                                       double factor);
    // Every length option of `desde` into `hacia`.
    static void CopiarLongitudes(const ROpciones& desde, ROpciones& hacia);

private:
    ROpciones FOpciones;
};
