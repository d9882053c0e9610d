#pragma once

// The pattern filter of a solution set, built from a short list such as "1,2,5-10" typed
// against one column of the job window's result sheet. The criterion says what is compared
// for a slot:
//   0 slot number            4 waste x 100 (2 decimals)
//   1 job material number    5 theoretical repetition (2 decimals)
//   2 utilisation x 100      6 current integer repetition
//   3 offcut share x 100     7 count of job piece Pieza in the pattern
// Criteria 2 to 5 round the way the sheet shows the value and compare within 1e-9, so that
// typing what the sheet shows finds the pattern; the others compare exactly.

#include <cstdint>
#include <string>
#include <vector>

class CSolucion;

struct ElementoFiltro {
    static constexpr std::uint8_t Valor = 0;
    static constexpr std::uint8_t Rango = 1;
    static constexpr std::uint8_t NoLeido = 2;

    std::uint8_t Tipo = NoLeido;
    double Desde = 0.0; // the value, or the range's lower end
    double Hasta = 0.0; // the range's upper end; 0 for a single value
};

class CFiltro {
public:
    // Items are separated by commas or blanks (a quoted item may hold either); an item with
    // a "-" is a range "desde-hasta". An item that is not a number raises EConversion.
    CFiltro(const CSolucion& solucion, const std::string& texto, std::int32_t criterio,
            std::int32_t pieza);

    // The first item that matches slot k accepts it; none rejects it.
    bool Acepta(std::int32_t k) const;

    std::int32_t Criterio() const { return FCriterio; }
    std::int32_t Pieza() const { return FPieza; }
    const std::string& Texto() const { return FTexto; }
    const std::vector<ElementoFiltro>& Elementos() const { return FElementos; }
    std::int32_t NumElementos() const { return static_cast<std::int32_t>(FElementos.size()); }

    // The criterion's value for slot k (0 for an empty slot).
    double Valor(std::int32_t k) const;
    // x rounded to at most `decimales` decimals and 6 significant digits, through its text.
    static double RedondearComoTexto(double x, int decimales);

private:
    const CSolucion* FSolucion;
    std::string FTexto;
    std::int32_t FCriterio;
    std::int32_t FPieza;
    std::vector<ElementoFiltro> FElementos;
};
