#pragma once

// What each printed report of a job lists, as rows of texts, without any page layout: the
// banded reports, their text and CSV exports and the workbook export all read these rows,
// so the outputs never disagree.
//
// The rows come one at a time (Siguiente), the way a banded report asks for data: pattern
// reports build the lists of one pattern at a time, so a plan of hundreds of large patterns
// never sits in memory as rows. A position (Posicion/IrA) lets a paginated report start
// painting any page without walking the rows before it.
//
// Reports and their rows:
// - Patrones (cards) and Detalle: one Tarjeta row per pattern, Celdas = the nine captions;
// - Parametros and Coordenadas: per pattern, a Titulo row (" Patrón 3: 2440x1220 (x5)")
//   then its Detalle rows;
// - Datos: the "Materiales" title, one row per material, the materials total, the "Piezas"
//   title, one row per piece and the pieces total (Clase 0..5);
// - Sobrantes: a Titulo row per material, then one Detalle row per offcut size.
// Patterns are visited in solution order through the solution's filter; with
// ExcluirPatronesNulos those whose current repetition is 0 are skipped (not in Detalle).

#include "patterns/CParametrosPatron.h"

#include "engine/CSolucion.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CLanzamiento;
struct ROpciones;

enum class TReporte { Patrones = 0, Datos, Sobrantes, Parametros, Coordenadas, Detalle };

enum class TFila { Titulo, Detalle, Total, Tarjeta };

struct RColumnaReporte {
    std::string Titulo;
    int Ancho = 8; // in characters of the report's font
    bool Derecha = false;
};

// A heading over the columns Primera..Primera + Cantidad - 1.
struct RGrupoColumnas {
    std::string Titulo;
    int Primera = 0;
    int Cantidad = 0;
};

struct RFilaReporte {
    TFila Tipo = TFila::Detalle;
    // The row kind of the materials and pieces listing (0..5); 0 elsewhere.
    int Clase = 0;
    bool Negrita = false;
    // Titulo rows: the text; other rows: one text per column (Tarjeta: the captions).
    std::string Texto;
    std::vector<std::string> Celdas;
    // Slot of the pattern the row belongs to, 0 for none.
    std::int32_t Patron = 0;
};

// Where the rows stand: enough to go on from there.
struct RPosicionReporte {
    std::int64_t Indice = 0; // pattern of the visit list, material/piece counter, offcut
    std::int64_t Fila = 0;   // row within the pattern, pieces counter, heading shown
    bool operator==(const RPosicionReporte&) const = default;
};

class CFilasReporte {
public:
    // Cards per page of the pattern report: the options clamped to 1..20.
    static constexpr int MaximoTarjetas = 20;
    static int FilasTarjetas(const ROpciones& o);
    static int ColumnasTarjetas(const ROpciones& o);

    // The rows of one report of the job (which must outlive this object and not change
    // meanwhile). `patron` is the slot shown by the pattern detail (ignored by the others).
    CFilasReporte(const CLanzamiento& job, TReporte tipo, std::int32_t patron = 0);
    ~CFilasReporte();
    CFilasReporte(const CFilasReporte&) = delete;
    CFilasReporte& operator=(const CFilasReporte&) = delete;

    TReporte Tipo() const { return FTipo; }
    const std::string& Titulo() const { return FTitulo; }
    bool Apaisado() const;
    const std::vector<RColumnaReporte>& Columnas() const { return FColumnas; }
    const std::vector<RGrupoColumnas>& Grupos() const { return FGrupos; }
    // The progress size the report announces: patterns listed, or materials and pieces
    // listed, or offcut records.
    std::int64_t TamanoProgreso() const;
    // How much of TamanoProgreso the rows given so far cover.
    std::int64_t Avance() const;
    // Slots of the patterns the report visits, in order.
    const std::vector<std::int32_t>& Patrones() const { return FPatrones; }

    // Need data: the next row, false at the end (and on every later call).
    bool Siguiente(RFilaReporte& fila);
    // The same walk without making the texts: only the kind of the next row (for laying out
    // pages, which needs only the rows' heights).
    bool Avanzar(TFila& tipo);
    RPosicionReporte Posicion() const { return FPos; }
    void IrA(const RPosicionReporte& pos);
    void Reiniciar() { IrA(RPosicionReporte{}); }

    // Every row from the start (for exports and tests; a large plan makes many).
    std::vector<RFilaReporte> Todas();

    // Captions of a pattern card; " Patrón 3: 2440x1220 (x5)".
    static std::vector<std::string> CaptionsTarjeta(const CLanzamiento& job, std::int32_t slot);
    static std::string TituloPatron(const CLanzamiento& job, std::int32_t slot);
    // The name of a material or piece as the reports print it.
    static std::string NombreMaterial(const CLanzamiento& job, int m);
    static std::string NombrePieza(const CLanzamiento& job, int i);

private:
    bool SiguientePatron(RFilaReporte& fila, bool textos);
    bool SiguienteDatos(RFilaReporte& fila);
    bool SiguienteSobrantes(RFilaReporte& fila);
    // Builds the lists of the pattern at FPatrones[indice] and answers its row count.
    std::int64_t CargarPatron(std::int64_t indice);
    void FilaParametros(std::int64_t i, RFilaReporte& fila) const;
    void FilaCoordenadas(std::int64_t i, RFilaReporte& fila) const;
    std::string L(std::int32_t valor) const;
    std::string LY(std::int32_t valor) const; // empty in bar mode

    const CLanzamiento& FJob;
    TReporte FTipo;
    bool FBarras = false;
    std::string FTitulo;
    std::vector<RColumnaReporte> FColumnas;
    std::vector<RGrupoColumnas> FGrupos;
    std::vector<std::int32_t> FPatrones;
    std::vector<int> FMateriales;
    std::vector<int> FPiezas;
    std::vector<RSobrante> FSobrantes; // 1-based
    RPosicionReporte FPos;
    // Lists of the pattern being listed.
    std::int64_t FCargado = -1;
    std::int64_t FFilasPatron = 0;
    CParametrosPatron FParametros;
    std::vector<RLineaCorte> FLineas;
};
