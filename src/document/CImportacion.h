#pragma once

// The rules of importing rows of a worksheet: the fields an owner declares (name, column,
// constant), the mapping of fields to columns by letters or by the header row, the range of
// rows (moving down column A from A1, as a user's End+Down does), the transfer that hands
// every row to the owner with the running count, the stop request and the rejected rows.
// The import window and trazal-cli only show what happens here.
//
// Rows are handed as one value per field: the cell's text, the field's constant when it has
// no column, or nullopt when both are empty. The owner accepts a row with AnotarCorrecto or
// rejects it with AnotarError (row and reason); the rejected rows go to an errors workbook.

#include <functional>
#include <optional>
#include <string>
#include <vector>

class CHojaCalculo;

using TValoresFila = std::vector<std::optional<std::string>>;

struct RCampoImportacion {
    std::string Nombre;
    std::string Columna; // letters as typed, trimmed when used
    std::string Valor;   // constant for a field without column
};

struct RErrorImportacion {
    int Fila = 0;
    std::string Descripcion;
    bool operator==(const RErrorImportacion&) const = default;
};

struct RProgresoImportacion {
    long long Procesados = 0;
    long long Total = 0;
    long long Correctos = 0;
    long long Erroneos = 0;
};

class CImportacion {
public:
    // Longest text a cell may hold; longer values reject their row.
    static constexpr std::size_t MaximoCelda = 32767;
    // Columns of the pick list (A..Z, AA..AZ) and the last column a sheet may have (XFD).
    static constexpr int ColumnasLista = 52;
    static constexpr int MaximoColumnas = 16384;

    // The owner's callbacks. OnAntes may throw EUserAbortImport to cancel quietly.
    std::function<void()> OnAntes;
    std::function<void(const TValoresFila&, int campos, int fila)> OnRegistro;
    std::function<void()> OnDespues;
    // After every row, with the count line's numbers.
    std::function<void(const RProgresoImportacion&)> OnProgreso;
    // Every 5th row: the window lets pending events run so that its stop button works.
    std::function<void()> OnEventos;

    void AgregarCampo(const std::string& nombre, const std::string& columna,
                      const std::string& valor);
    void LimpiarCampos() { FCampos.clear(); }
    int Campos() const { return static_cast<int>(FCampos.size()); }
    const RCampoImportacion& Campo(int i) const { return FCampos.at(static_cast<std::size_t>(i)); }
    void AsignarColumna(int i, const std::string& columna);
    void AsignarValor(int i, const std::string& valor);
    // Index of the field with that name (case ignored), -1 when none.
    int BuscarCampo(const std::string& nombre) const;

    // Clears every column, then gives each field whose name is a header of row 1 (trimmed,
    // case ignored) that header's column, from A to the end of the header row.
    void MapearEncabezados(const CHojaCalculo& hoja);

    // Row reached moving down from A1 (column reached moving right from A1): the end of the
    // block of filled cells, or the next filled cell after a gap. With nothing below, the
    // sheet's last row with data (at least 1).
    static int UltimaFila(const CHojaCalculo& hoja);
    static int UltimaColumna(const CHojaCalculo& hoja);
    // "A" -> 1, "ab" -> 28; 0 for anything but letters or a column beyond XFD.
    static int NumeroColumna(const std::string& letras);
    static std::string LetrasColumna(int columna);

    // Runs the transfer of rows first..last of the sheet (first = 2 with a header row).
    // Answers the message of an error that ended it early (empty when it ended normally,
    // was stopped or was cancelled by OnAntes); OnDespues runs in every case.
    std::string Transferir(const CHojaCalculo& hoja, bool primeraFilaEncabezado);
    // Stop after the current row.
    void Detener() { FDetenido = true; }
    bool Detenido() const { return FDetenido; }

    void AnotarCorrecto() { ++FCorrectos; }
    void AnotarError(int fila, const std::string& descripcion);
    long long Correctos() const { return FCorrectos; }
    long long Erroneos() const { return static_cast<long long>(FErrores.size()); }
    const std::vector<RErrorImportacion>& Errores() const { return FErrores; }

    // "Transferidos 3 de 10  OK 2  Erróneos 1"
    static std::string LineaCuenta(const RProgresoImportacion& p);

private:
    // Checks every mapped column before the first row; throws EConversion. A column beyond
    // the sheet's data reads empty cells, as in a spreadsheet program.
    void ComprobarColumnas() const;

    std::vector<RCampoImportacion> FCampos;
    std::vector<RErrorImportacion> FErrores;
    long long FCorrectos = 0;
    bool FDetenido = false;
};
