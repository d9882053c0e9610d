#pragma once

// Reads a published instance file line by line as whole numbers. The files come from
// several sources with CRLF or LF endings and trailing comments after the numbers
// ("10 10   HBIN,WBIN"), so each line is read as its leading integers only.

#include <istream>
#include <string>
#include <vector>

class CLectorTexto {
public:
    CLectorTexto(std::istream& entrada, std::string nombre);

    // The leading integers of the next line that has at least `minimo` of them; blank lines
    // are skipped. Raises EArchivo when the file ends first or the line has fewer numbers.
    std::vector<long long> Linea(std::size_t minimo);
    // True when only blank lines remain.
    bool Fin();
    // True when some remaining line starts with a number; a trailing name line (the sheet
    // files end with one) is not data.
    bool QuedanNumeros();
    int NumeroLinea() const { return FNumeroLinea; }

    // Raises EArchivo naming the file and the current line.
    [[noreturn]] void Error() const;

private:
    bool SiguienteNoVacia(std::string& linea);

    std::istream& FEntrada;
    std::string FNombre;
    int FNumeroLinea = 0;
    std::string FPendiente;
    bool FHayPendiente = false;
};
