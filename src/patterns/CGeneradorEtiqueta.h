#pragma once

// The label-format generator: the common format composed from four part formats (piece,
// offcut, vertical cut, horizontal cut, all in node form) put into a twelve-line skeleton
// of conditionals on "#DIR" and "#P", and a sample pattern that shows it.
//
// The sample is a pattern of material 0 of the job: a 1000 x 800 root cut vertically into a
// 500 x 800 leaf of piece 1 laid 2 x 4 times (gross piece 200 x 180) and a 500 x 800 node
// cut horizontally into an empty 500 x 95 strip and an empty 500 x 705 leaf. It measures and
// draws with the generator's own copy of the job's options, where cut and piece labels are
// on, offcut detection is on with a minimum offcut of 100 x 100 (so the 705-wide leaf is an
// offcut and the 95-wide strip waste) and FormatoEti is the composed format. The job's own
// option record is never touched.

#include "document/ROpciones.h"

#include <array>
#include <memory>
#include <string>

class CLanzamiento;
class CPatron;

class CGeneradorEtiqueta {
public:
    enum TParte { Pieza = 0, Sobrante, CorteVer, CorteHor, CantidadPartes };

    // partes: the four part formats in the order of TParte.
    CGeneradorEtiqueta(const CLanzamiento& lanzamiento,
                       const std::array<std::string, CantidadPartes>& partes);
    ~CGeneradorEtiqueta();
    CGeneradorEtiqueta(const CGeneradorEtiqueta&) = delete;
    CGeneradorEtiqueta& operator=(const CGeneradorEtiqueta&) = delete;

    const std::array<std::string, CantidadPartes>& Partes() const { return FPartes; }
    const std::string& Parte(int i) const;
    // Stores a part and composes again.
    void FijarParte(int i, const std::string& formato);

    // The skeleton's twelve lines with the parts in lines 2, 4, 7 and 9.
    std::array<std::string, 12> Lineas() const;
    // The composed common format: the lines joined by "\ret", every "\def" removed.
    std::string FormatoComun() const;
    // The lines as the options dialog's memo shows them: one memo line per line break.
    std::string TextoMemo() const;

    CPatron& Muestra() { return *FMuestra; }
    const ROpciones& OpcionesMuestra() const { return FOpciones; }

private:
    void Componer();

    std::array<std::string, CantidadPartes> FPartes;
    ROpciones FOpciones;
    std::unique_ptr<CPatron> FMuestra;
};
