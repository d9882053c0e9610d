#include "engine/CExportacionReporte.h"

#include "engine/CFilasReporte.h"

#include <string>

namespace {

std::string Campo(const std::string& s) {
    if (s.find_first_of(",\"\r\n") == std::string::npos) {
        return s;
    }
    std::string q = "\"";
    for (char c : s) {
        q += c;
        if (c == '"') {
            q += '"';
        }
    }
    return q + "\"";
}

void LineaCsv(const std::vector<std::string>& campos, std::ostream& salida) {
    for (std::size_t i = 0; i < campos.size(); ++i) {
        salida << (i ? "," : "") << Campo(campos[i]);
    }
    salida << "\n";
}

// Characters of a UTF-8 text (the columns are counted in characters, not bytes).
std::size_t Caracteres(const std::string& s) {
    std::size_t n = 0;
    for (unsigned char c : s) {
        n += (c & 0xC0) != 0x80;
    }
    return n;
}

std::string Ajustar(const std::string& s, int ancho, bool derecha) {
    const std::size_t n = Caracteres(s);
    const std::size_t a = ancho > 0 ? static_cast<std::size_t>(ancho) : 0;
    if (n >= a) {
        return s;
    }
    const std::string relleno(a - n, ' ');
    return derecha ? relleno + s : s + relleno;
}

void LineaTexto(const std::vector<RColumnaReporte>& columnas,
                const std::vector<std::string>& celdas, std::ostream& salida) {
    std::string linea;
    for (std::size_t i = 0; i < columnas.size() && i < celdas.size(); ++i) {
        linea += (i ? " " : "") + Ajustar(celdas[i], columnas[i].Ancho, columnas[i].Derecha);
    }
    while (!linea.empty() && linea.back() == ' ') {
        linea.pop_back();
    }
    salida << linea << "\n";
}

} // namespace

void CExportacionReporte::Csv(CFilasReporte& filas, std::ostream& salida,
                              const FuncionAvance& avance) {
    std::vector<std::string> titulos;
    for (const RColumnaReporte& c : filas.Columnas()) {
        titulos.push_back(c.Titulo);
    }
    if (!titulos.empty()) {
        LineaCsv(titulos, salida);
    }
    filas.Reiniciar();
    for (RFilaReporte f; filas.Siguiente(f);) {
        if (f.Tipo == TFila::Titulo) {
            LineaCsv({f.Texto}, salida);
        } else {
            LineaCsv(f.Celdas, salida);
        }
        if (avance) {
            avance(filas.Avance());
        }
    }
}

void CExportacionReporte::Texto(CFilasReporte& filas, std::ostream& salida,
                                const FuncionAvance& avance) {
    salida << filas.Titulo() << "\n\n";
    const std::vector<RColumnaReporte>& columnas = filas.Columnas();
    if (!filas.Grupos().empty()) {
        std::string linea;
        for (const RGrupoColumnas& g : filas.Grupos()) {
            int ancho = -1;
            for (int i = g.Primera; i < g.Primera + g.Cantidad; ++i) {
                ancho += columnas[static_cast<std::size_t>(i)].Ancho + 1;
            }
            linea += (linea.empty() ? "" : " ") + Ajustar(g.Titulo, ancho, false);
        }
        while (!linea.empty() && linea.back() == ' ') {
            linea.pop_back();
        }
        salida << linea << "\n";
    }
    if (!columnas.empty()) {
        std::vector<std::string> titulos;
        for (const RColumnaReporte& c : columnas) {
            titulos.push_back(c.Titulo);
        }
        LineaTexto(columnas, titulos, salida);
    }
    filas.Reiniciar();
    for (RFilaReporte f; filas.Siguiente(f);) {
        if (f.Tipo == TFila::Titulo) {
            salida << f.Texto << "\n";
        } else if (f.Tipo == TFila::Tarjeta) {
            for (const std::string& c : f.Celdas) {
                salida << c << "\n";
            }
        } else {
            LineaTexto(columnas, f.Celdas, salida);
        }
        if (avance) {
            avance(filas.Avance());
        }
    }
}
