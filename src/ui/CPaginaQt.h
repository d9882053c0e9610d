#pragma once

// The six page settings of a job (PrinterIndex, PaperSize, PaperLength, PaperWidth,
// OutputBin, PaperOrientation) on Qt's printing classes. Paper sizes 0 to 26 are the report
// engine's named sizes (0 the printer's default, 9 A4...), 27 and above a custom size of
// PaperLength x PaperWidth millimetres; orientation 0 portrait, 1 landscape; the bins follow
// the report engine's order (7 automatic). Reading back gives the same values, the paper
// size taken modulo 128.

#include <QPageLayout>
#include <QPrinter>

struct ROpciones;

class CPaginaQt {
public:
    static constexpr int TamanoPersonalizado = 27;

    static QPageLayout Diseno(const ROpciones& opciones);
    // PaperSize, PaperLength, PaperWidth and PaperOrientation from a layout.
    static void LeerDiseno(const QPageLayout& diseno, ROpciones& opciones);

    // Printer (by index among the installed ones; -1 the default), layout and bin.
    static void Aplicar(const ROpciones& opciones, QPrinter& impresora);
    static void Leer(const QPrinter& impresora, ROpciones& opciones);
};
