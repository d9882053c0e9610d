#pragma once

// The text and comma-separated exports of a report: the same rows the printed report shows,
// so the three outputs never disagree.
//
// CSV: the column headings, then one line per row; a heading row (a pattern or material
// heading) is one field, a card its captions. Fields holding a comma, a quote or a line
// break are quoted. Text: the report's title, the headings and the rows in columns as wide
// as the report's columns (numbers to the right), cards as their captions, one per line.

#include <functional>
#include <ostream>

class CFilasReporte;

class CExportacionReporte {
public:
    // Called after each row with how much of the rows' progress size is done (Avance).
    using FuncionAvance = std::function<void(long long)>;

    static void Csv(CFilasReporte& filas, std::ostream& salida, const FuncionAvance& avance = {});
    static void Texto(CFilasReporte& filas, std::ostream& salida, const FuncionAvance& avance = {});
};
