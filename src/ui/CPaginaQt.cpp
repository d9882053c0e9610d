#include "ui/CPaginaQt.h"

#include "document/ROpciones.h"

#include <QPageSize>
#include <QPrinterInfo>

#include <cmath>
#include <iterator>

namespace {

// The report engine's named sizes, by code.
const QPageSize::PageSizeId Tamanos[CPaginaQt::TamanoPersonalizado] = {QPageSize::A4,
                                                                       QPageSize::Letter,
                                                                       QPageSize::Letter,
                                                                       QPageSize::Tabloid,
                                                                       QPageSize::Ledger,
                                                                       QPageSize::Legal,
                                                                       QPageSize::Statement,
                                                                       QPageSize::Executive,
                                                                       QPageSize::A3,
                                                                       QPageSize::A4,
                                                                       QPageSize::A4,
                                                                       QPageSize::A5,
                                                                       QPageSize::B4,
                                                                       QPageSize::B5,
                                                                       QPageSize::Folio,
                                                                       QPageSize::Quarto,
                                                                       QPageSize::Imperial10x14,
                                                                       QPageSize::Tabloid,
                                                                       QPageSize::Note,
                                                                       QPageSize::Envelope9,
                                                                       QPageSize::Comm10E,
                                                                       QPageSize::Envelope11,
                                                                       QPageSize::Envelope12,
                                                                       QPageSize::Envelope14,
                                                                       QPageSize::AnsiC,
                                                                       QPageSize::AnsiD,
                                                                       QPageSize::AnsiE};

const QPrinter::PaperSource Bandejas[] = {
    QPrinter::OnlyOne,  QPrinter::Upper,       QPrinter::Lower,          QPrinter::Middle,
    QPrinter::Manual,   QPrinter::Envelope,    QPrinter::EnvelopeManual, QPrinter::Auto,
    QPrinter::Tractor,  QPrinter::SmallFormat, QPrinter::LargeFormat,    QPrinter::LargeCapacity,
    QPrinter::Cassette, QPrinter::FormSource};

} // namespace

QPageLayout CPaginaQt::Diseno(const ROpciones& o) {
    const int codigo = ((o.PaperSize % 128) + 128) % 128;
    QPageSize tamano;
    if (codigo < TamanoPersonalizado) {
        tamano = QPageSize(Tamanos[codigo]);
    } else {
        const double largo =
            o.PaperLength > 0 && std::isfinite(o.PaperLength) ? o.PaperLength : 297;
        const double ancho = o.PaperWidth > 0 && std::isfinite(o.PaperWidth) ? o.PaperWidth : 210;
        // The page is PaperWidth wide and PaperLength long, as the paper comes out.
        tamano = QPageSize(QSizeF(ancho, largo), QPageSize::Millimeter, QString(),
                           QPageSize::ExactMatch);
    }
    return QPageLayout(tamano,
                       o.PaperOrientation == 1 ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
}

void CPaginaQt::LeerDiseno(const QPageLayout& diseno, ROpciones& o) {
    o.PaperOrientation = diseno.orientation() == QPageLayout::Landscape ? 1 : 0;
    const QPageSize tamano = diseno.pageSize();
    const int actual = ((o.PaperSize % 128) + 128) % 128;
    // The stored code stays when it names the same size (several codes share one).
    if (actual < TamanoPersonalizado && Tamanos[actual] == tamano.id()) {
        o.PaperSize = actual;
        return;
    }
    for (int codigo = 1; codigo < TamanoPersonalizado; ++codigo) {
        if (Tamanos[codigo] == tamano.id() && tamano.id() != QPageSize::Custom) {
            o.PaperSize = codigo;
            return;
        }
    }
    const QSizeF mm = tamano.size(QPageSize::Millimeter);
    o.PaperSize = TamanoPersonalizado;
    o.PaperWidth = mm.width();
    o.PaperLength = mm.height();
}

void CPaginaQt::Aplicar(const ROpciones& o, QPrinter& impresora) {
    const QList<QPrinterInfo> impresoras = QPrinterInfo::availablePrinters();
    if (o.PrinterIndex >= 0 && o.PrinterIndex < impresoras.size()) {
        impresora.setPrinterName(impresoras[o.PrinterIndex].printerName());
    }
    impresora.setPageLayout(Diseno(o));
    if (o.OutputBin >= 0 && o.OutputBin < static_cast<int>(std::size(Bandejas))) {
        impresora.setPaperSource(Bandejas[o.OutputBin]);
    }
}

void CPaginaQt::Leer(const QPrinter& impresora, ROpciones& o) {
    const QList<QPrinterInfo> impresoras = QPrinterInfo::availablePrinters();
    o.PrinterIndex = -1;
    for (qsizetype k = 0; k < impresoras.size(); ++k) {
        if (impresoras[k].printerName() == impresora.printerName() && !impresoras[k].isDefault()) {
            o.PrinterIndex = static_cast<int>(k);
        }
    }
    LeerDiseno(impresora.pageLayout(), o);
    const QPrinter::PaperSource bandeja = impresora.paperSource();
    if (o.OutputBin < 0 || o.OutputBin >= static_cast<int>(std::size(Bandejas)) ||
        Bandejas[o.OutputBin] != bandeja) {
        for (int k = 0; k < static_cast<int>(std::size(Bandejas)); ++k) {
            if (Bandejas[k] == bandeja) {
                o.OutputBin = k;
                break;
            }
        }
    }
}
